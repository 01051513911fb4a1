#include "orders/strock.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/money.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace {

struct Field {
    const char* column;
    const char* caption;
    bool number;
};
const Field kBoxes[] = {{"strockid", "货品编号", false},  {"strockname", "货品名称", false},
                        {"color", "颜   色", false},      {"barcode", "条型码", false},
                        {"pinpai", "品   牌", false},     {"unit", "单    位", false},
                        {"saleprice", "零 售 价", true},  {"madempy", "厂    商", false},
                        {"outprice", "批 发 价", true},   {"inprice", "成 本 价", true},
                        {"lowstock", "最低库存", true},   {"highstock", "最高库存", true},
                        {"ordermade", "订 货 点", true},  {"stock", "当前库存", true},
                        {"guigeunit", "包装单位", false}, {"madecountry", "产  地", false},
                        {"guige", "包装规格", false},     {"beizhu", "备   注", false}};

// Prices and stocks are numeric columns kept to 4 decimals; shown without trailing zeros.
QString numberText(const QVariant& value)
{
    if (value.isNull() || value.toString().isEmpty())
        return {};
    return Money::fromVariant(value).plainText();
}

}  // namespace

Tstrockdetailfrm::Tstrockdetailfrm(int id, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("strockdetailfrm"));
    setWindowTitle(QStringLiteral("货品明细"));

    auto* panel = new QGridLayout;
    int position = 0;
    const QRegularExpression number(QStringLiteral("-?\\d{0,14}(\\.\\d{0,4})?"));
    for (const Field& f : kBoxes) {
        auto* edit = new QLineEdit(this);
        if (f.number)
            edit->setValidator(new QRegularExpressionValidator(number, edit));
        boxes_.insert(QString::fromLatin1(f.column), edit);
        addField(panel, position++, QString::fromUtf8(f.caption), edit);
    }

    auto* tools = new QHBoxLayout;
    tools->addStretch();
    for (const char* caption : {"增加", "保存"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addLayout(tools);

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("strock"), {QStringLiteral("id")}, QStringLiteral("id"));
    connect(buttons_[0], &QPushButton::clicked, this, &Tstrockdetailfrm::addGood);
    connect(buttons_[1], &QPushButton::clicked, this, &Tstrockdetailfrm::saveGoods);
    installEnterMovesFocus(this);

    // Exactly this good; id 0 matches none, so the dialog starts on a new row.
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT * FROM strock WHERE id=:id"));
            q.bind(QStringLiteral(":id"), id).exec();
            records_->load(q);
        },
        this);
    showRow(records_->size() > 0 ? 0 : records_->appendRow());
}

QPushButton* Tstrockdetailfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

int Tstrockdetailfrm::currentId() const
{
    return records_->value(row_, QStringLiteral("id")).toInt();
}

void Tstrockdetailfrm::showRow(int row)
{
    row_ = row;
    shown_.clear();
    for (const Field& f : kBoxes) {
        const QString field = QString::fromLatin1(f.column);
        const QVariant v = records_->value(row, field);
        const QString text = f.number ? numberText(v) : v.toString();
        boxes_.value(field)->setText(text);
        shown_.insert(field, text);
    }
    boxes_.value(QStringLiteral("strockid"))->setFocus();
}

void Tstrockdetailfrm::storeRow(int row)
{
    // Only what was typed over: an untouched box leaves its value exactly as read.
    for (const Field& f : kBoxes) {
        const QString field = QString::fromLatin1(f.column);
        const QString text = boxes_.value(field)->text().trimmed();
        if (text == shown_.value(field))
            continue;
        QVariant value;
        if (f.number) {
            bool ok = false;
            const Money m = Money::fromString(text, &ok);
            if (ok)  // a bare "-" or "." the validator lets through while typing stores nothing
                value = m.storageText();
        } else if (!text.isEmpty()) {
            value = text;
        }
        records_->setValue(row, field, value);
    }
}

void Tstrockdetailfrm::addGood()
{
    if (records_->isNew(row_))
        return;
    storeRow(row_);
    showRow(records_->appendRow());
}

bool Tstrockdetailfrm::saveGoods()
{
    storeRow(row_);
    if (!guarded([this] { records_->applyUpdates(); }, this))
        return false;
    showRow(row_);
    accept();
    return true;
}

// ---------------------------------------------------------------------------------------------

TStrockfrm::TStrockfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Strockfrm"));
    setWindowTitle(QStringLiteral("货品资料"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"上一条", "下一条", "新 增", "修 改", " 删 除 ", "打 印", "关 闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("strock"), {QStringLiteral("id")}, QStringLiteral("id"));
    using C = RecordSet::Column;
    records_->setColumns(
        {{QStringLiteral("strockid"), QStringLiteral("编号")},
         {QStringLiteral("strockname"), QStringLiteral("品名")},
         {QStringLiteral("color"), QStringLiteral("颜色")},
         {QStringLiteral("unit"), QStringLiteral("单位")},
         {QStringLiteral("strocklei"), QStringLiteral("货品分类")},
         {QStringLiteral("saleprice"), QStringLiteral("零售价"), C::Money},
         {QStringLiteral("inprice"), QStringLiteral("成本价"), C::Money},
         {QStringLiteral("outprice"), QStringLiteral("批发价"), C::Money},
         {QStringLiteral("highstock"), QStringLiteral("最高库存"), C::Decimal, 2, numberText},
         {QStringLiteral("lowstock"), QStringLiteral("最低库存"), C::Decimal, 2, numberText},
         {QStringLiteral("stock"), QStringLiteral("当前库存"), C::Decimal, 2, numberText}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(grid_, 1);
    resize(800, 460);

    edit_ = new EditController(this, records_, grid_);
    edit_->setButtons(nullptr, nullptr, buttons_[4], nullptr, nullptr);
    edit_->setDelete(QStringLiteral("是否要删除该记录"));

    connect(buttons_[0], &QPushButton::clicked, this, &TStrockfrm::previous);
    connect(buttons_[1], &QPushButton::clicked, this, &TStrockfrm::next);
    connect(buttons_[2], &QPushButton::clicked, this, [this] { openDetail(0); });
    connect(buttons_[3], &QPushButton::clicked, this, [this] {
        const int row = edit_->currentRow();
        if (row >= 0)
            openDetail(records_->value(row, QStringLiteral("id")).toInt());
    });
    // 打 印 has nothing to print.
    connect(buttons_[6], &QPushButton::clicked, this, &QWidget::close);
    FormShow();
}

QPushButton* TStrockfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void TStrockfrm::FormShow()
{
    guarded([this] { records_->load(QStringLiteral("SELECT * FROM strock ORDER BY id")); }, this);
}

void TStrockfrm::previous()
{
    const int row = edit_->currentRow();
    if (row > 0)
        edit_->setCurrentRow(row - 1);
}

void TStrockfrm::next()
{
    const int row = edit_->currentRow();
    if (row >= 0 && row < records_->size() - 1)
        edit_->setCurrentRow(row + 1);
}

Tstrockdetailfrm* TStrockfrm::openDetail(int id)
{
    const int row = edit_->currentRow();
    const int before = row >= 0 ? records_->value(row, QStringLiteral("id")).toInt() : 0;
    auto* detail = new Tstrockdetailfrm(id, this);
    detail->setAttribute(Qt::WA_DeleteOnClose);
    detail->setWindowModality(Qt::ApplicationModal);
    if (id != 0)
        detail->button(QStringLiteral("增加"))->hide();
    connect(detail, &QDialog::finished, this, [this, detail, before] {
        const int shown = detail->currentId() != 0 ? detail->currentId() : before;
        FormShow();
        const int found = records_->findRow(QStringLiteral("id"), shown);
        if (found >= 0)
            edit_->setCurrentRow(found);
    });
    opened_ = detail;
    detail->show();
    return detail;
}
