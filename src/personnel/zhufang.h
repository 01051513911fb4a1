#pragma once
// 住房查询: which employees in service live in which room and bed.

#include <QWidget>

class QPushButton;
class QTableView;
class RecordSet;

class Tzhufangfrm : public QWidget {
    Q_OBJECT
public:
    explicit Tzhufangfrm(QWidget* parent = nullptr);

    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;
    void queryClick();

private:
    RecordSet* records_;
    QTableView* grid_;
    QList<QPushButton*> buttons_;
};
