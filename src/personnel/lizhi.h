#pragma once
// 离职员工档案: the employees who have left. The grid lists every employee flagged as left;
// beside it the current one's record, personal details, education, work history and transfers
// are shown read-only. The top group marks an employee (found by number or by name) as left on
// a chosen date, or cancels the leaving, and prints the list.

#include "common/listreport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;
class RecordSet;

class Tlizhifrm : public QWidget {
    Q_OBJECT
public:
    explicit Tlizhifrm(QWidget* parent = nullptr);

    // Re-reads the employees who have left and shows the first.
    void FormShow();

    // Enter in 员工编号 / 员工姓名: looks the employee up and fills the other field and the card.
    void numberEnter();
    void nameEnter();
    // 增加离职 / 取消离职 for the employee number in the top group.
    void btnaddClick();
    void btncancelClick();

    // The list printed by 离职员工打印.
    report::ListReport leavingReport() const;
    report::Document leavingDocument() const;

    RecordSet* list() const { return list_; }
    QTableView* grid() const { return grid_; }
    QLineEdit* numberBox() const { return number_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* cardBox() const { return card_; }
    QDateEdit* dateBox() const { return date_; }
    QPushButton* button(const QString& caption) const;
    // Read-only views of the current employee: a field by its personnel or personlabel column.
    QLineEdit* field(const QString& column) const { return fields_.value(column.toLower()); }
    // zaizhi and the six language flags.
    QCheckBox* checkBox(const QString& column) const { return checks_.value(column.toLower()); }
    QPlainTextEdit* remarksBox() const { return remarks_; }
    QTableWidget* educationGrid() const { return education_; }
    QTableWidget* historyGrid() const { return history_; }
    QTableWidget* transferGrid() const { return transfers_; }
    QTabWidget* pages() const { return pages_; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showCurrent();
    void clearDetails();
    // The employee with this number exists; else says so.
    bool knownEmployee(const QString& number);
    void setLeaving(const QString& number, bool left);
    void clearTop();
    void fillEmployee(const QString& sql, const QString& value);

    RecordSet* list_;
    QTableView* grid_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* card_;
    QDateEdit* date_;
    QTabWidget* pages_;
    QHash<QString, QLineEdit*> fields_;
    QHash<QString, QCheckBox*> checks_;
    QPlainTextEdit* remarks_;
    QTableWidget* education_;
    QTableWidget* history_;
    QTableWidget* transfers_;
    QList<QPushButton*> buttons_;
};
