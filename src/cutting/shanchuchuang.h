#pragma once
// 删除床次: deletes one lot of an order with its lay records, bundles and coupons. Also frees an
// order whose lay records a crashed workstation left behind.

#include <QWidget>

class QLineEdit;
class QPushButton;

class Tshanchuchuang : public QWidget {
    Q_OBJECT
public:
    explicit Tshanchuchuang(QWidget* parent = nullptr);

    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* bedBox() const { return bed_; }
    void btndeleteClick();

private:
    QLineEdit* makeid_;
    QLineEdit* bed_;
};
