#pragma once
// 工序查询: looks up an order's processes for the coupon entry screens. Changes nothing; a
// double-click on a process chooses it and closes the dialog.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class Tgongxuchackfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tgongxuchackfrm(QWidget* parent = nullptr);

    RecordSet* orders() const { return orders_; }
    RecordSet* processes() const { return processes_; }
    QTableView* orderGrid() const { return orderGrid_; }
    QTableView* processGrid() const { return processGrid_; }
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* workidBox() const { return workid_; }
    QPushButton* button(const QString& caption) const;

    // The process under the cursor: whether there is one, its order and its number.
    bool hasChoice() const;
    QString chosenMakeid() const;
    int chosenWorkid() const;

    // Clicking an order of 制单号列表: its processes below.
    void orderClicked(int row);
    // 查询 (and Enter in either box): the typed order's processes, the cursor on the first one
    // whose number starts with the typed process number.
    void find();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showProcesses(const QString& makeid);
    void setEditable(QLineEdit* box, bool editable);

    RecordSet* orders_;
    RecordSet* processes_;
    QTableView* orderGrid_;
    QTableView* processGrid_;
    QLineEdit* makeid_;
    QLineEdit* workid_;
    QList<QPushButton*> buttons_;
};
