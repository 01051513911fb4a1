#include "personnel/onedept.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/recordset.h"

#include <QComboBox>

Tonedeptfrm::Tonedeptfrm(QWidget* parent)
    : RecordScreen(QStringLiteral("onedeptfrm"), QStringLiteral("二级部门"), parent)
{
    records()->setTable(QStringLiteral("onedept"), {QStringLiteral("sysid")}, QStringLiteral("sysid"));
    records()->setColumns(
        {{QStringLiteral("deptid"), QStringLiteral("一级部门"), RecordSet::Column::Text, 2,
          [this](const QVariant& v) { return deptNames_.value(v.toString(), v.toString()); }},
         {QStringLiteral("onedept"), QStringLiteral("二级部门")}});
    parent_ = new QComboBox(this);
    addEditor(QStringLiteral("deptid"), QStringLiteral("一级部门"), parent_);
    addBox(QStringLiteral("onedept"), QStringLiteral("二级部门"));
    editor()->setRequired({QStringLiteral("onedept")}, QString());
    editor()->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的数据"));
    setListStatement(QStringLiteral("SELECT * FROM onedept ORDER BY sysid"));
    installEnterMovesFocus(this);
    FormShow();
}

void Tonedeptfrm::listRead()
{
    fillLookup(parent_, QStringLiteral("SELECT deptid, deptname FROM dept ORDER BY deptid"));
    deptNames_.clear();
    for (int i = 0; i < parent_->count(); ++i)
        deptNames_.insert(parent_->itemData(i).toString(), parent_->itemText(i));
}
