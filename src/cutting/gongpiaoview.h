#pragma once
// 工票预览: the coupons of one order as a printed list, one boxed row per coupon, in bundle,
// size, process and lot order, on Letter paper in landscape. The preview prints it and saves it
// as a PDF (另存为PDF).

#include "common/listreport.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

class Tgongpiaoviewfrm : public QWidget {
    Q_OBJECT
public:
    explicit Tgongpiaoviewfrm(QWidget* parent = nullptr);

    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* nameBox() const { return name_; }
    QPushButton* button(const QString& caption) const;

    // Enter in the order number: the order's name (cleared when there is no such order).
    void makeidEnter();
    // 确定: refuses without an order number, otherwise previews couponDocument().
    void btnokClick();

    // The list of the order's coupons, and the pages it is laid out on. Throws db::DbError.
    static report::ListReport couponReport(const QString& makeid);
    report::Document couponDocument() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeid_;
    QLineEdit* name_;
    QList<QPushButton*> buttons_;
};
