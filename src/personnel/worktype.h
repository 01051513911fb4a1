#pragma once
// 类型设定: the worker types an employee record may carry (personnel.type holds the name).

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class Tworktypefrm : public QWidget {
    Q_OBJECT
public:
    explicit Tworktypefrm(QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return name_; }
    QTableView* grid() const { return grid_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;

    void FormShow();
    void addClick();
    void saveClick();
    void deleteClick();

private:
    QLineEdit* name_;
    RecordSet* records_;
    QTableView* grid_;
    QList<QPushButton*> buttons_;
};
