#pragma once
// 员工查询: the query dialog of the employee register. The user picks an employee number, a
// name, a department, a worker type, a period of joining dates and whether the employees are in
// service; 确定 accepts the dialog only when some employee matches, so the caller can then
// replace its list with employeeQuery(filter()).
//
//   Tcheckyuangongfrm dlg(this);
//   if (dlg.exec() == QDialog::Accepted) reload(employeeQuery(dlg.filter()));

#include "common/db.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

struct EmployeeFilter {
    QDate from, to;  // joining dates, both days included
    QString personnelid, name, dept, type;  // empty: any
    bool inService = true;  // true: zaizhi=0, false: only those who have left (zaizhi=1)
};

// The employees matching the filter, with every personnel column; executed, values bound.
db::Query employeeQuery(const EmployeeFilter& filter);

class Tcheckyuangongfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tcheckyuangongfrm(QWidget* parent = nullptr);

    EmployeeFilter filter() const;

    // 确定: runs employeeQuery; when nothing matches says so and stays open, else accepts.
    void btnokClick();

    QLineEdit* numberBox() const { return number_; }
    QLineEdit* nameBox() const { return name_; }
    QComboBox* deptBox() const { return dept_; }
    QComboBox* typeBox() const { return type_; }
    QDateEdit* fromBox() const { return from_; }
    QDateEdit* toBox() const { return to_; }
    QCheckBox* inServiceBox() const { return inService_; }
    QPushButton* button(const QString& caption) const;

    static QString noMatchMessage();

private:
    void FormShow();

    QLineEdit* number_;
    QLineEdit* name_;
    QComboBox* dept_;
    QComboBox* type_;
    QDateEdit* from_;
    QDateEdit* to_;
    QCheckBox* inService_;
    QList<QPushButton*> buttons_;
};
