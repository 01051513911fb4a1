#pragma once
// 员工资料表: the printed list of employees, shared by the register (with the joining date) and
// the leaving screen (with the leaving date).

#include "common/listreport.h"

#include <QDate>

namespace personnel {

// The empty sheet: Letter paper, 6.35 mm margins, the title in 18 pt; dateCaption heads the
// date column (入厂时间 or 离职时间).
report::ListReport employeeSheet(const QString& dateCaption);

struct SheetLine {
    QString personnelid, personnelname, deptname, type;
    QDate date;
    QString telphone, address;
    bool left = false;  // 是否离职
};
QStringList sheetRow(const SheetLine& line);

}  // namespace personnel
