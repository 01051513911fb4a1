#include "personnel/employeesheet.h"

namespace personnel {

report::ListReport employeeSheet(const QString& dateCaption)
{
    report::ListReport r;
    r.title = QStringLiteral("员工资料表");
    r.titlePointSize = 18;
    r.paperMm = QSizeF(215.9, 279.4);  // Letter
    r.marginMm = 6.35;
    r.columns = {{QStringLiteral("员工ID"), 1.5},   {QStringLiteral("员工名称"), 1.5}, {QStringLiteral("所属部门"), 1.5},
                 {QStringLiteral("所属类型"), 1.5}, {dateCaption, 1.6},               {QStringLiteral("联系电话"), 1.8},
                 {QStringLiteral("地址"), 3},       {QStringLiteral("是否离职"), 1, Qt::AlignCenter}};
    return r;
}

QStringList sheetRow(const SheetLine& l)
{
    return {l.personnelid, l.personnelname, l.deptname, l.type,
            l.date.isValid() ? l.date.toString(QStringLiteral("yyyy-MM-dd")) : QString(), l.telphone, l.address,
            l.left ? QStringLiteral("True") : QStringLiteral("False")};
}

}  // namespace personnel
