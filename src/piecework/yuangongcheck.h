#pragma once
// 员工查询: the employee lookup of the coupon entry screens. Lists every employee; the text
// typed is searched, on Enter or 查询, as the leading part of the employee number or of the
// name, and the cursor goes to the first match. A double-click (or Enter in the list) chooses
// the employee under the cursor and closes the dialog with Accepted; 关闭 closes it with
// Rejected. Changes nothing.
//
//   Tyuangongcheckfrm lookup(this);
//   if (lookup.exec() == QDialog::Accepted) use(lookup.chosenPersonnelid());

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

class Tyuangongcheckfrm : public QDialog {
    Q_OBJECT
public:
    enum Column { IdCol, NameCol, DeptCol, TypeCol, GroupCol, ColumnCount };

    explicit Tyuangongcheckfrm(QWidget* parent = nullptr);

    QLineEdit* searchBox() const { return search_; }
    QRadioButton* byIdOption() const { return byId_; }      // 按员工号查询
    QRadioButton* byNameOption() const { return byName_; }  // 按姓名查询
    QTableWidget* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;

    // The employee number of the row under the cursor (empty when the list is empty).
    QString chosenPersonnelid() const;

    // 查询 and Enter in the search box: moves the cursor to the first employee whose number
    // (or name) starts with the typed text, ignoring case; returns false when none does.
    bool find();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();

    QLineEdit* search_;
    QRadioButton* byId_;
    QRadioButton* byName_;
    QTableWidget* grid_;
    QList<QPushButton*> buttons_;
};
