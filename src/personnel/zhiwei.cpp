#include "personnel/zhiwei.h"

#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/recordset.h"

#include <QCheckBox>

Tzhiweifrm::Tzhiweifrm(QWidget* parent)
    : RecordScreen(QStringLiteral("zhiweifrm"), QStringLiteral("职位管理"), parent)
{
    records()->setTable(QStringLiteral("zhiwei"), {QStringLiteral("zhiweiid")}, QStringLiteral("zhiweiid"));
    records()->setColumns({{QStringLiteral("zhiweiid"), QStringLiteral("职位编号"), RecordSet::Column::Integer},
                           {QStringLiteral("zhiwei"), QStringLiteral("职位名称")},
                           {QStringLiteral("jiawage"), QStringLiteral("有加班费"), RecordSet::Column::Check},
                           {QStringLiteral("rebanwage"), QStringLiteral("有夜班加班费"), RecordSet::Column::Check}});
    addBox(QStringLiteral("zhiwei"), QStringLiteral("职位名称"));
    addEditor(QStringLiteral("jiawage"), QStringLiteral("有加班费"), new QCheckBox(this));
    addEditor(QStringLiteral("rebanwage"), QStringLiteral("有夜班加班费"), new QCheckBox(this));
    editor()->setRequired({QStringLiteral("zhiwei")}, QString());
    setUnique(QStringLiteral("zhiwei"), QStringLiteral("zhiwei"), QStringLiteral("职位已重复，请重新输入"));
    editor()->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的数据"));
    setListStatement(QStringLiteral("SELECT * FROM zhiwei ORDER BY zhiweiid"));
    installEnterMovesFocus(this);
    FormShow();  // opens browsing with nothing pending
}
