#pragma once
// 工序工价查询: an order's processes with their prices, and the printed price list 工序工价表.

#include "common/listreport.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

// The note on every 津贴 column: the allowance is a percentage of the base price.
QString allowanceToolTip();

class Tworkpricefrm : public QWidget {
    Q_OBJECT
public:
    explicit Tworkpricefrm(QWidget* parent = nullptr);

    RecordSet* records() const { return records_; }
    QTableView* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* quantityBox() const { return quantity_; }
    QLineEdit* dateBox() const { return date_; }

    // Enter in 制单编号: the order's name, quantity and date (cleared when there is no such order).
    void showOrder();
    //   查  找 : the order's processes by number, with 总额 = piece price × pieces.
    void findProcesses();
    report::ListReport priceReport() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RecordSet* records_;
    QTableView* grid_;
    QList<QPushButton*> buttons_;
    QLineEdit* makeid_;
    QLineEdit* name_;
    QLineEdit* quantity_;
    QLineEdit* date_;
};
