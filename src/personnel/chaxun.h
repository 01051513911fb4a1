#pragma once
// 查询: the query dialog of the hourly-work screen. The user picks a period of sign-in times
// (preset to the current accounting period), and optionally an employee number, a name, a
// department number or a department name; 确定 accepts, and the caller then shows
// hourlyWorkQuery(filter()).

#include "common/db.h"

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QString>

class QDateTimeEdit;
class QLineEdit;
class QPushButton;

struct HourlyFilter {
    QDateTime from, to;  // sintime >= from and sintime < to
    QString personnelid, name, deptid, deptname;  // empty: any
};

// The workertime rows matching the filter, every column, in order of sign-in time; executed,
// values bound. A department is matched through the employees' current department name.
db::Query hourlyWorkQuery(const HourlyFilter& filter);

class Tchaxunfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tchaxunfrm(QWidget* parent = nullptr);

    HourlyFilter filter() const;

    QDateTimeEdit* fromBox() const { return from_; }
    QDateTimeEdit* toBox() const { return to_; }
    QLineEdit* numberBox() const { return number_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* deptidBox() const { return deptid_; }
    QLineEdit* deptnameBox() const { return deptname_; }
    QPushButton* button(const QString& caption) const;

private:
    void FormShow();

    QDateTimeEdit* from_;
    QDateTimeEdit* to_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* deptid_;
    QLineEdit* deptname_;
    QList<QPushButton*> buttons_;
};
