#pragma once
// The colour × size breakdown of one order: colours of its set as rows, sizes as columns, with
// row, column and grand totals.

#include "common/listreport.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;
class Tinsertzhidanfrm;

class Tzhdanmingxifrm : public QWidget {
    Q_OBJECT
public:
    // kid: the order's colour/size set (null: none); setName: its name, shown in the corner.
    Tzhdanmingxifrm(const QString& makeid, const QVariant& kid, const QString& setName,
                    Tinsertzhidanfrm* orderScreen = nullptr, QWidget* parent = nullptr);

    const QString& makeid() const { return makeid_; }
    QTableWidget* grid() const { return grid_; }
    QLineEdit* priceBox() const { return price_; }
    QLineEdit* specBox() const { return spec_; }
    QLineEdit* discountBox() const { return discount_; }
    QPushButton* saveButton() const { return save_; }

    void FormShow();
    void recomputeTotals();
    // Replaces the order's breakdown by the grid in one transaction. False (and "执行出错")
    // when a cell is not a whole number or the database refuses; nothing is written then.
    bool btnsaveClick();
    int grandTotal() const;
    report::ListReport breakdownReport() const;

private:
    int colours() const;  // rows of colours (without header and total rows)
    int sizes() const;    // columns of sizes

    QString makeid_;
    QVariant kid_;
    QString setName_;
    QPointer<Tinsertzhidanfrm> orderScreen_;
    QLineEdit* price_;
    QLineEdit* spec_;
    QLineEdit* discount_;
    QTableWidget* grid_;
    QPushButton* save_;
    bool filling_ = false;
};
