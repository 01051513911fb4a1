#pragma once
// 手工计件录入: the clerk keys employee, order, process and quantity by hand; the lines gather
// in the screen's entry list (tempcountmakeid, quantities as decimals) and are written to
// countmakeid in one transaction by 保  存, each with the employee's name and department and the
// process's name and piece price, the quantity rounded half up to whole pieces.

#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class Tcountfrm : public QWidget {
    Q_OBJECT
public:
    // Grid columns: 制单号, 工序, 工序名称, 单价, 数量, 时间.
    enum Column { MakeidCol, WorkidCol, WorknameCol, PriceCol, AmountCol, DateCol, ColumnCount };

    explicit Tcountfrm(QWidget* parent = nullptr);
    ~Tcountfrm() override;

    QLineEdit* personnelidBox() const { return personnelid_; }
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* workidBox() const { return workid_; }
    QLineEdit* amountBox() const { return amount_; }
    QDateEdit* dateBox() const { return date_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;
    QString nameText() const;       // 姓名：
    QString deptText() const;       // 所属部门：
    QString typeText() const;       // 类型：
    QString makeidnameText() const; // 制单名称：
    QString worknameText() const;   // 工序名称：
    QString priceText() const;      // 单价：
    QString moneyTotalText() const; // 金额： ("0.000")
    QString amountTotalText() const;// 数量：
    QString roundingNote() const;   // the note on quantities stored as whole pieces
    int lines() const;              // rows of the entry list
    bool hasUnsavedLines() const { return lines() > 0; }

    // The steps of the flow, as the controls trigger them.
    void acceptEmployee();  // Enter in or leaving 员工号
    void acceptOrder();     // leaving 制单号
    void acceptProcess();   // leaving 工序号
    void amountEnter();     // Enter in 件  数: the quantity check, then the line is added
    void btnaddClick();     // 新  增
    void btndeleteClick();  // 删  除: the current grid row
    bool btnsaveClick();    // 保  存; false when the database refused it (the list stays)
    void btnprintClick();   // 打  印 (and 打印个人)
    void btnworkClick();    // 工序查询
    void btnpersonClick();  // 员工查询

    // Whole pieces for a typed quantity: rounded half up.
    static qint64 wholePieces(const QString& quantity);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Process {
        bool found = false;
        QString workname;
        QString price;  // storage text of the piece price
        qint64 maketotal = 0;
    };
    Process lookUpProcess(const QString& makeid, int workid);
    void clearShown();
    void refreshList();
    void refreshTotals();
    void gridItemChanged(QTableWidgetItem* item);
    void noteRounding(const QString& quantity);
    void focusLater(QWidget* box);

    QLineEdit* personnelid_;
    QLineEdit* makeid_;
    QLineEdit* workid_;
    QLineEdit* amount_;
    QDateEdit* date_;
    QLabel* name_;
    QLabel* dept_;
    QLabel* type_;
    QLabel* makeidname_;
    QLabel* workname_;
    QLabel* price_;
    QLabel* moneyTotal_;
    QLabel* amountTotal_;
    QLabel* note_;
    QTableWidget* grid_;
    QList<QPushButton*> buttons_;

    QString checkedEmployee_;  // the number last looked up, so Enter and leaving ask once
    bool refreshing_ = false;
    bool closing_ = false;
};
