#pragma once
// 客户资料录入: the customers that orders refer to.

#include "common/listreport.h"

#include <QDialog>
#include <QHash>

class EditController;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class Tcustomerfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tcustomerfrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QLineEdit* box(const QString& field) const { return boxes_.value(field); }
    QPushButton* button(const QString& caption) const;

    void FormShow();
    // Leaving 客户名称 while a new customer is typed: says when the name is taken.
    void customerExit();
    report::ListReport customerReport() const;

private:
    QString duplicateProblem(int row) const;

    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QHash<QString, QLineEdit*> boxes_;
    QList<QPushButton*> buttons_;
};
