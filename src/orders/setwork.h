#pragma once
// 设置主工序: assigns each process of an order to a production department.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class Tsetworkfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tsetworkfrm(QWidget* parent = nullptr);

    RecordSet* records() const { return records_; }
    QLineEdit* makeidBox() const { return makeid_; }
    QComboBox* deptBox() const { return dept_; }
    QTableView* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;

    // 查   询: the processes of the order in 制单号, by number.
    void query();
    // Puts makeid into 制单号 and lists its processes.
    void showOrder(const QString& makeid);
    // Clicking a process: it belongs to the chosen department from now on (written on 保存).
    void assignDepartment(int row);
    // 保  存: writes every assignment in one transaction. False when the database refused (shown).
    bool save();

private:
    RecordSet* records_;
    QLineEdit* makeid_;
    QComboBox* dept_;
    QTableView* grid_;
    QList<QPushButton*> buttons_;
};
