#include "orders/workprice.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/money.h"
#include "common/output.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The price list explains its 津贴 column wherever the pointer rests on it.
class PriceRecords : public RecordSet {
public:
    using RecordSet::RecordSet;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ToolTipRole && isAllowance(index.column()))
            return allowanceToolTip();
        return RecordSet::data(index, role);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && isAllowance(section))
            return allowanceToolTip();
        return RecordSet::headerData(section, orientation, role);
    }

private:
    bool isAllowance(int column) const
    {
        return column >= 0 && column < columns().size() && columns()[column].field == QLatin1String("pricetie");
    }
};

QString decimalText(const QVariant& value, int places)
{
    return value.isNull() ? QString() : Money::fromVariant(value).toString(places);
}

}  // namespace

QString allowanceToolTip()
{
    return QStringLiteral("津贴为百分比：工价 = 单价 × (1 + 津贴 ÷ 100)");
}

Tworkpricefrm::Tworkpricefrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("workpricefrm"));
    setWindowTitle(QStringLiteral("工序工价查询"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"  查  找 ", " 打  印 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    name_ = new QLineEdit(this);
    quantity_ = new QLineEdit(this);
    date_ = new QLineEdit(this);
    for (QLineEdit* shown : {name_, quantity_, date_})
        shown->setReadOnly(true);
    auto* panel = new QGridLayout;
    addField(panel, 0, QStringLiteral("制单编号"), makeid_, 4);
    addField(panel, 1, QStringLiteral("款式名称"), name_, 4);
    addField(panel, 2, QStringLiteral("数量"), quantity_, 4);
    addField(panel, 3, QStringLiteral("定货时间"), date_, 4);

    records_ = new PriceRecords(this);
    using Col = RecordSet::Column;
    records_->setColumns({{QStringLiteral("workid"), QStringLiteral("工序"), Col::Integer},
                          {QStringLiteral("workname"), QStringLiteral("工序名称")},
                          {QStringLiteral("maketotal"), QStringLiteral("数量"), Col::Integer},
                          {QStringLiteral("priceone"), QStringLiteral("价格"), Col::Decimal, 4},
                          {QStringLiteral("pricetie"), QStringLiteral("津贴"), Col::Decimal, 2},
                          {QStringLiteral("price"), QStringLiteral("工价"), Col::Money, 4},
                          {QStringLiteral("total"), QStringLiteral("总额"), Col::Money, 3},
                          {QStringLiteral("lbiao"), QStringLiteral("主工序"), Col::Check}});
    grid_ = listGrid(this, records_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(780, 480);

    connect(buttons_[0], &QPushButton::clicked, this, &Tworkpricefrm::findProcesses);
    connect(buttons_[1], &QPushButton::clicked, this, [this] {
        guarded([this] { report::preview(report::layout(priceReport()), this); }, this);
    });
    makeid_->installEventFilter(this);
}

QPushButton* Tworkpricefrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

bool Tworkpricefrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == makeid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            showOrder();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tworkpricefrm::showOrder()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty())
        return;
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT makeidname, makeidtotal, makedate FROM zhdan WHERE makeid=:a"));
            q.bind(QStringLiteral(":a"), makeid).exec();
            const bool found = q.next();
            name_->setText(found ? q.text(QStringLiteral("makeidname")) : QString());
            quantity_->setText(found ? q.text(QStringLiteral("makeidtotal")) : QString());
            date_->setText(found ? q.date(QStringLiteral("makedate")).toString(QStringLiteral("yyyy-MM-dd")) : QString());
        },
        this);
}

void Tworkpricefrm::findProcesses()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty())
        return;
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT workid, workname, priceone, pricetie, price, maketotal, "
                                       "price*maketotal AS total, lbiao FROM workname WHERE makeid=:a ORDER BY workid ASC"));
            q.bind(QStringLiteral(":a"), makeid).exec();
            records_->load(q);
        },
        this);
}

report::ListReport Tworkpricefrm::priceReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("工序工价表");
    r.headerLines = {QStringLiteral("制单号：") + makeid_->text().trimmed() + QLatin1Char('\t') +
                         QStringLiteral("制单名称：") + name_->text(),
                     QStringLiteral("时间：") + date_->text()};
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    r.columns = {{QStringLiteral("工序"), 1, right},          {QStringLiteral("工序名称"), 3},
                 {QStringLiteral("数量"), 1.2, right},        {QStringLiteral("单价"), 1.4, right},
                 {QStringLiteral("津贴"), 1.2, right},        {QStringLiteral("工价"), 1.4, right},
                 {QStringLiteral("总额"), 1.6, right},        {QStringLiteral("主工序"), 1, Qt::AlignCenter}};
    Money sum;
    for (int i = 0; i < records_->size(); ++i) {
        const Money total = Money::fromVariant(records_->value(i, QStringLiteral("total")));
        sum += total;
        r.rows.append({records_->text(i, QStringLiteral("workid")), records_->text(i, QStringLiteral("workname")),
                       records_->text(i, QStringLiteral("maketotal")),
                       decimalText(records_->value(i, QStringLiteral("priceone")), 4),
                       decimalText(records_->value(i, QStringLiteral("pricetie")), 2),
                       decimalText(records_->value(i, QStringLiteral("price")), 4),
                       records_->value(i, QStringLiteral("total")).isNull() ? QString() : total.toString(3),
                       records_->value(i, QStringLiteral("lbiao")).toInt() != 0 ? QStringLiteral("√") : QString()});
    }
    r.summary = QStringLiteral("合计：%1").arg(sum.toString(3));
    r.footerLines = {QStringLiteral("制单人：\t审核：")};
    return r;
}
