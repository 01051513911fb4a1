#pragma once
// 计飞打印: the piece-work list of one employee over a period, from the stored piece-rate
// records (countmakeid), previewed as a list report on Letter paper in landscape. The employee
// is chosen by department, then by name; the period defaults to the last 30 days.

#include "common/listreport.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class Tprintjifeifrm : public QDialog {
    Q_OBJECT
public:
    // The table is padded with empty lines up to this many.
    static constexpr int kPaddedLines = 120;

    explicit Tprintjifeifrm(QWidget* parent = nullptr);

    QComboBox* deptBox() const { return dept_; }
    QComboBox* nameBox() const { return name_; }
    QLineEdit* personnelidBox() const { return personnelid_; }
    QDateEdit* fromBox() const { return from_; }
    QDateEdit* toBox() const { return to_; }
    QPushButton* button(const QString& caption) const;

    // Chooses the department, then the names of its employees.
    void deptChosen();
    // Choosing a name fills the employee number.
    void nameChosen();
    // Presets department, name and number for this employee (as when chosen); false when unknown.
    bool setEmployee(const QString& personnelid);

    // The report of the chosen employee and period: every record of the period, its last day
    // included, once. Throws db::DbError.
    report::ListReport pieceReport() const;
    void btnprintClick();  // 打印

private:
    QComboBox* dept_;
    QComboBox* name_;
    QLineEdit* personnelid_;
    QDateEdit* from_;
    QDateEdit* to_;
    QList<QPushButton*> buttons_;
};
