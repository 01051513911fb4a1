#include "personnel/bumen.h"

#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDuplicate = QStringLiteral("该部门 ID已经重复，请重新输入");

}  // namespace

Tbumenfrm::Tbumenfrm(QWidget* parent)
    : RecordScreen(QStringLiteral("bumenfrm"), QStringLiteral("部门资料录入"), parent)
{
    records()->setTable(QStringLiteral("dept"), {QStringLiteral("id")}, QStringLiteral("id"));
    records()->setColumns({{QStringLiteral("deptid"), QStringLiteral("部门编号")},
                           {QStringLiteral("deptname"), QStringLiteral("部门名称")}});
    QLineEdit* number = addBox(QStringLiteral("deptid"), QStringLiteral("部门编号："));
    addBox(QStringLiteral("deptname"), QStringLiteral("部门名称："));
    editor()->setRequired({QStringLiteral("deptid"), QStringLiteral("deptname")}, QString());
    setUnique(QStringLiteral("dept"), QStringLiteral("deptid"), kDuplicate);
    editor()->setDelete(QStringLiteral("删除该部门，将会令到后面的数据的统计出现问题?"));
    setListStatement(QStringLiteral("SELECT * FROM dept ORDER BY deptid"));
    onLeave(number, [this] { deptidExit(); }, button(QStringLiteral("保  存")));
    installEnterMovesFocus(this);
    FormShow();
}

void Tbumenfrm::deptidExit()
{
    if (!editor()->isEditingNewRow())
        return;
    const QString number = box(QStringLiteral("deptid"))->text().trimmed();
    if (number.isEmpty())
        return;
    guarded(
        [&] {
            if (taken(number))
                msg::warning(kDuplicate, QStringLiteral("提示"), this);
        },
        this);
}
