#include "orders/insertzhidan.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/recordset.h"
#include "common/screenkit.h"
#include "common/screenregistry.h"
#include "orders/checkzhidan.h"
#include "orders/customer.h"
#include "orders/zhdanmingxi.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kTaken = QStringLiteral("该制单已录入过了");

bool orderExists(const QString& makeid)
{
    db::Query q(QStringLiteral("SELECT makeid FROM zhdan WHERE makeid=:a"));
    return q.bind(QStringLiteral(":a"), makeid).exec().next();
}

QDateEdit* dateBox(QWidget* parent)
{
    auto* box = new QDateEdit(QDate::currentDate(), parent);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return box;
}

QPushButton* smallButton(QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setFixedWidth(28);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

Tinsertzhidanfrm::Tinsertzhidanfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("insertzhidanfrm"));
    setWindowTitle(QStringLiteral("订单录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新增", "修改", "删 除", " 保存 ", " 取消 ", "  查找 ", " 打印 ", "  关闭  "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    name_ = new QLineEdit(this);
    name_->setMaxLength(50);
    quantity_ = new QLineEdit(this);
    numericBox(quantity_, 0);
    price_ = new QLineEdit(this);
    numericBox(price_, 4, 9999999);
    customer_ = new QComboBox(this);
    set_ = new QComboBox(this);
    orderDate_ = dateBox(this);
    saleDate_ = dateBox(this);
    allowBlankDate(saleDate_);  // 走货时间 may stay empty
    auto* customerButton = smallButton(this);
    customerButton->setToolTip(QStringLiteral("客户资料"));
    auto* breakdownButton = smallButton(this);
    breakdownButton->setToolTip(QStringLiteral("录入颜色尺码明细"));
    auto* customerRow = new QWidget(this);
    auto* cr = new QHBoxLayout(customerRow);
    cr->setContentsMargins(0, 0, 0, 0);
    cr->addWidget(customer_, 1);
    cr->addWidget(customerButton);
    auto* setRow = new QWidget(this);
    auto* sr = new QHBoxLayout(setRow);
    sr->setContentsMargins(0, 0, 0, 0);
    sr->addWidget(set_, 1);
    sr->addWidget(breakdownButton);

    auto* panel = new QGridLayout;
    addField(panel, 0, QStringLiteral("制单编号"), makeid_, 4);
    addField(panel, 1, QStringLiteral("制单名称"), name_, 4);
    addField(panel, 2, QStringLiteral("数量"), quantity_, 4);
    addField(panel, 3, QStringLiteral("客户名称"), customerRow, 4);
    addField(panel, 4, QStringLiteral("定货时间"), orderDate_, 4);
    addField(panel, 5, QStringLiteral("走货时间"), saleDate_, 4);
    addField(panel, 6, QStringLiteral("单价"), price_, 4);
    addField(panel, 7, QStringLiteral("款色"), setRow, 4);

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("zhdan"), {QStringLiteral("makeid")});
    using Col = RecordSet::Column;
    records_->setColumns({
        {QStringLiteral("makeid"), QStringLiteral("制单编号")},
        {QStringLiteral("makeidname"), QStringLiteral("款式名称")},
        {QStringLiteral("makeidtotal"), QStringLiteral("数量"), Col::Integer},
        {QStringLiteral("price"), QStringLiteral("单价"), Col::Money, 4},
        {QStringLiteral("totalmoney"), QStringLiteral("总额"), Col::Money},
        {QStringLiteral("makedate"), QStringLiteral("订货时间"), Col::Date},
        {QStringLiteral("custid"), QStringLiteral("客户名称"), Col::Text, 2,
         [this](const QVariant& v) { return customerName(v); }},
        {QStringLiteral("saledate"), QStringLiteral("走货时间"), Col::Date},
    });
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(900, 560);

    edit_ = new EditController(this, records_, grid_);
    edit_->bind(QStringLiteral("makeid"), makeid_);
    edit_->bind(QStringLiteral("makeidname"), name_);
    edit_->bind(QStringLiteral("makeidtotal"), quantity_);
    edit_->bind(QStringLiteral("custid"), customer_);
    edit_->bind(QStringLiteral("makedate"), orderDate_);
    edit_->bind(QStringLiteral("saledate"), saleDate_);
    edit_->bind(QStringLiteral("price"), price_);
    edit_->bind(QStringLiteral("kid"), set_);
    edit_->addEntryWidget(customerButton);
    edit_->addEntryWidget(breakdownButton);
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    edit_->setRequired({QStringLiteral("makedate"), QStringLiteral("makeid"), QStringLiteral("makeidname"),
                        QStringLiteral("makeidtotal"), QStringLiteral("custid")},
                       QStringLiteral("请输入完整资料"));
    edit_->setCheck([this](int row, bool isNew) {
        if (isNew && orderExists(records_->text(row, QStringLiteral("makeid"))))
            return kTaken;
        // 总额 always follows the quantity and price that are saved.
        const QString price = records_->text(row, QStringLiteral("price"));
        records_->setValue(row, QStringLiteral("totalmoney"),
                           price.isEmpty() ? QVariant()
                                           : QVariant((Money::fromString(price) *
                                                       records_->value(row, QStringLiteral("makeidtotal")).toLongLong())
                                                          .storageText()));
        return QString();
    });
    edit_->setDuplicateMessage(kTaken);
    // Deleting an order removes its process list with it, in one transaction.
    edit_->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的工资数据，以及裁床数据"),
                     [this](int row) {
                         const QString makeid = records_->text(row, QStringLiteral("makeid"));
                         for (const char* table : {"workname", "worktotal"})
                             db::Query(QStringLiteral("DELETE FROM %1 WHERE makeid=:a").arg(QLatin1String(table)))
                                 .bind(QStringLiteral(":a"), makeid)
                                 .exec();
                     },
                     QStringLiteral("删除成功"), QStringLiteral("删除失败"));

    connect(buttons_[5], &QPushButton::clicked, this, [this] {
        Tcheckzhidanfrm search(this);
        search.exec();
    });
    connect(buttons_[6], &QPushButton::clicked, this, [this] {
        guarded([this] { report::preview(report::layout(orderReport()), this); }, this);
    });
    connect(buttons_[7], &QPushButton::clicked, this, &QWidget::close);
    connect(customerButton, &QPushButton::clicked, this, [this] {
        Tcustomerfrm customers(this);
        customers.exec();
        guarded([this] { refreshLookups(); }, this);
    });
    connect(breakdownButton, &QPushButton::clicked, this, [this] { openBreakdown(); });
    onLeave(quantity_, [this] { updateTotal(); });
    onLeave(price_, [this] { updateTotal(); });
    onLeave(makeid_, [this] { makeidExit(); }, buttons_[3]);
    installEnterMovesFocus(this);
    FormShow();
}

QPushButton* Tinsertzhidanfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tinsertzhidanfrm::refreshLookups()
{
    customerNames_.clear();
    db::Query q(QStringLiteral("SELECT custid, customer FROM customer ORDER BY customer"));
    q.exec();
    while (q.next())
        customerNames_.insert(q.value(0).toString(), q.value(1).toString());
    fillLookup(customer_, QStringLiteral("SELECT custid, customer FROM customer ORDER BY customer"));
    fillLookup(set_, QStringLiteral("SELECT kid, kuangname FROM colortitle ORDER BY kuangname"));
    // While an order is being typed, its boxes keep what was typed.
    if (edit_->mode() == EditController::Mode::Browse)
        edit_->refreshEditors();
}

void Tinsertzhidanfrm::FormShow()
{
    guarded(
        [this] {
            refreshLookups();
            records_->load(QStringLiteral("SELECT * FROM zhdan ORDER BY makedate DESC, makeid LIMIT 50"));
        },
        this);
    edit_->setMode(EditController::Mode::Browse);
}

int Tinsertzhidanfrm::showOrders(db::Query& query)
{
    if (edit_->mode() == EditController::Mode::Entry)
        edit_->cancel();
    records_->load(query);
    return records_->size();
}

QString Tinsertzhidanfrm::customerName(const QVariant& custid) const
{
    return custid.isNull() ? QString() : customerNames_.value(custid.toString());
}

void Tinsertzhidanfrm::updateTotal()
{
    const int row = edit_->currentRow();
    if (edit_->mode() != EditController::Mode::Entry || row < 0)
        return;
    if (quantity_->text().trimmed().isEmpty() || price_->text().trimmed().isEmpty())
        return;
    const Money total = Money::fromString(price_->text()) * quantity_->text().toLongLong();
    records_->setValue(row, QStringLiteral("totalmoney"), total.storageText());
}

void Tinsertzhidanfrm::makeidExit()
{
    if (!edit_->isEditingNewRow() || makeid_->text().trimmed().isEmpty())
        return;
    guarded(
        [this] {
            if (orderExists(makeid_->text().trimmed()))
                msg::warning(kTaken, QStringLiteral("提示"), this);
        },
        this);
}

void Tinsertzhidanfrm::deleteOrder()
{
    edit_->remove();
}

report::ListReport Tinsertzhidanfrm::orderReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("定单报表");
    r.headerLines = {report::ListReport::companyLine(companyName()) + QLatin1Char('\t') +
                     report::ListReport::dateLine(QDate::currentDate())};
    r.columns = {{QStringLiteral("制单编号"), 2}, {QStringLiteral("制单名称"), 3},
                 {QStringLiteral("总件数"), 1.4, Qt::AlignRight | Qt::AlignVCenter},
                 {QStringLiteral("定货时间"), 2}, {QStringLiteral("客户名称"), 3}, {QStringLiteral("走货时间"), 2}};
    qint64 pieces = 0;
    for (int i = 0; i < records_->size(); ++i) {
        const auto date = [&](const char* f) {
            return db::toDate(records_->value(i, QString::fromLatin1(f))).toString(QStringLiteral("yyyy-MM-dd"));
        };
        pieces += records_->value(i, QStringLiteral("makeidtotal")).toLongLong();
        r.rows.append({records_->text(i, QStringLiteral("makeid")), records_->text(i, QStringLiteral("makeidname")),
                       records_->text(i, QStringLiteral("makeidtotal")), date("makedate"),
                       customerName(records_->value(i, QStringLiteral("custid"))), date("saledate")});
    }
    r.summary = QStringLiteral("合计：%1 张订单，%2 件").arg(records_->size()).arg(pieces);
    return r;
}

QWidget* Tinsertzhidanfrm::openBreakdown()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty()) {
        msg::info(QStringLiteral("请先输入制单编号"), QStringLiteral("提示信息"), this);
        return nullptr;
    }
    const QVariant kid = set_->currentIndex() >= 0 ? set_->currentData() : QVariant();
    auto* window = new Tzhdanmingxifrm(makeid, kid, set_->currentText(), this);
    if (QWidget* existing = screens::findForm(window->objectName())) {
        // One breakdown window at a time: the old one gives way to the current order.
        existing->close();
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    screens::showScreen(window, OpenMode::Child);
    return window;
}

bool Tinsertzhidanfrm::setQuantityFromBreakdown(const QString& makeid, int total)
{
    // Only while this very order is being edited; any other row keeps its own quantity.
    if (edit_->mode() != EditController::Mode::Entry || makeid_->text().trimmed() != makeid)
        return false;
    quantity_->setText(QString::number(total));
    updateTotal();
    return true;
}
