#pragma once
// 订单录入: orders with their quantity, customer, dates, price and colour/size set.

#include "common/listreport.h"

#include <QHash>
#include <QWidget>

class EditController;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

namespace db {
class Query;
}

class Tinsertzhidanfrm : public QWidget {
    Q_OBJECT
public:
    explicit Tinsertzhidanfrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* quantityBox() const { return quantity_; }
    QLineEdit* priceBox() const { return price_; }
    QComboBox* customerBox() const { return customer_; }
    QComboBox* setBox() const { return set_; }
    QDateEdit* orderDateBox() const { return orderDate_; }

    void FormShow();
    // Re-reads the customers and colour/size sets for the drop-downs.
    void refreshLookups();
    // Shows the orders a search found; returns how many.
    int showOrders(db::Query& query);
    // Leaving 数量 or 单价: 总额 follows.
    void updateTotal();
    // Leaving 制单编号 while a new order is typed.
    void makeidExit();
    void deleteOrder();
    report::ListReport orderReport() const;
    // Opens the breakdown window for the order being edited; returns it.
    QWidget* openBreakdown();
    // What the breakdown window hands back after saving: the order's grand total. Taken only
    // while that order is being edited here; false otherwise.
    bool setQuantityFromBreakdown(const QString& makeid, int total);
    QDateEdit* saleDateBox() const { return saleDate_; }

private:
    QString customerName(const QVariant& custid) const;

    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QList<QPushButton*> buttons_;
    QLineEdit* makeid_;
    QLineEdit* name_;
    QLineEdit* quantity_;
    QLineEdit* price_;
    QComboBox* customer_;
    QComboBox* set_;
    QDateEdit* orderDate_;
    QDateEdit* saleDate_;
    QHash<QString, QString> customerNames_;
};
