#pragma once
// 条码工资单录入: an employee number, then the coupons that employee handed in, scanned one
// after the other; every coupon scanned becomes a piece-rate record at once. A scanner types
// the barcode and Enter into 条形码, so the screen is ready for the next code right after.

#include "common/page.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class Tbarcodefrm : public QWidget {
    Q_OBJECT
public:
    explicit Tbarcodefrm(QWidget* parent = nullptr);
    ~Tbarcodefrm() override;

    QLineEdit* personnelidBox() const { return personnelid_; }
    QLineEdit* barcodeBox() const { return barcode_; }
    QDateEdit* dateBox() const { return date_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;
    QString nameText() const;
    QString deptText() const;
    QString makeidText() const;
    QString collectedText() const;  // who collected a coupon scanned again, and when
    QString moneyText() const;      // 总额
    QString piecesText() const;     // 总数

    void personnelidEnter();  // Enter in 员工号
    void barcodeEnter();      // Enter in 条形码, 新  增 and 保  存: one path for every collection
    void btnsaveClick();      // 保  存 (an empty barcode is refused)
    void btndeleteClick();    //  删  除
    void btnsaveallClick();   //  保存所有
    report::Document listDocument() const;  // 打  印: the employee's list

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadList();
    void refreshTotals();

    QLineEdit* personnelid_;
    QLabel* name_;
    QLabel* dept_;
    QLabel* type_;
    QLineEdit* barcode_;
    QLabel* makeid_;
    QLabel* makeidname_;
    QLabel* total_;
    QLabel* collected_;
    QDateEdit* date_;
    QTableWidget* grid_;
    QLabel* money_;
    QLabel* pieces_;
    QList<QPushButton*> buttons_;
    QList<QString> rowBarcodes_;  // the list's barcode per grid row
};
