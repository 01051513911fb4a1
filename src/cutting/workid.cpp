#include "cutting/workid.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/messages.h"
#include "common/screenkit.h"
#include "common/screenregistry.h"
#include "cutting/changelabujilu.h"
#include "server/cuttingprocs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const QString kNotANumber = QStringLiteral("你输入的不是一个有效的数字");
const QString kAnalysis = QStringLiteral("Tcaichuangfxfrm");
const QString kStatistics = QStringLiteral("Tsematj");
constexpr int kColourColumn = 0;
constexpr int kAmountColumn = Tchafrm::kMaxSizes + 1;

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Read-only in the given colour: a locked order is grey, locked sizes take the menu colour.
void lockBox(QLineEdit* box, const QColor& colour)
{
    box->setReadOnly(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

// Size names are typed in upper case, whatever the keyboard's state.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QTableWidgetItem* cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Whole non-negative number from a box; false for anything else, empty included.
bool wholeNumber(const QLineEdit* box, int* value)
{
    bool ok = false;
    *value = box->text().trimmed().toInt(&ok);
    return ok && *value >= 0;
}

}  // namespace

Tchafrm::Tchafrm(QWidget* parent) : QWidget(parent), owner_(procs::newLayRecordOwner())
{
    setObjectName(QStringLiteral("chafrm"));
    setWindowTitle(QStringLiteral("录入拉布记录"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"床次查询", "删除", "修改", "保存", "生成工票", "色码统计", "删除床次", "关闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();
    button(QStringLiteral("保存"))->setEnabled(false);  // every colour line is saved as it is entered
    button(QStringLiteral("床次查询"))->setEnabled(screens::isRegistered(kAnalysis));
    button(QStringLiteral("色码统计"))->setEnabled(screens::isRegistered(kStatistics));

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    bed_ = new QLineEdit(this);
    numericBox(bed_, 0, 999);
    total_ = new QLineEdit(this);
    numericBox(total_, 0, 9999999);
    sizes_ = new QLineEdit(this);
    sizes_->setMaxLength(2);
    inputMethod_ = new QComboBox(this);
    // The platform's input method is the one the colour field can use; Qt reports its language.
    if (QInputMethod* im = QGuiApplication::inputMethod())
        inputMethod_->addItem(im->locale().nativeLanguageName());
    auto* header = new QGridLayout;
    addField(header, 0, QStringLiteral("制单号："), makeid_, 5);
    addField(header, 1, QStringLiteral("床 次："), bed_, 5);
    addField(header, 2, QStringLiteral("总件数："), total_, 5);
    addField(header, 3, QStringLiteral("总码数："), sizes_, 5);
    addField(header, 4, QStringLiteral("输入法："), inputMethod_, 5);

    auto* sizeArea = new QGridLayout;
    sizeArea->addWidget(new QLabel(QStringLiteral("码数输入区："), this), 0, 0);
    for (int k = 0; k < kMaxSizes; ++k) {
        sizeName_[k] = new QLineEdit(this);
        sizeName_[k]->setMaxLength(10);
        sizeName_[k]->setValidator(new UpperCase(sizeName_[k]));
        sizeName_[k]->setMaximumWidth(70);
        sizeArea->addWidget(sizeName_[k], 0, k + 1);
    }
    QPushButton* build = new QPushButton(QStringLiteral("生成表"), this);
    sizeArea->addWidget(build, 0, kMaxSizes + 1);

    color_ = new QLineEdit(this);
    color_->setMaxLength(15);
    auto* lineArea = new QGridLayout;
    lineArea->addWidget(new QLabel(QStringLiteral("色号"), this), 0, 0);
    lineArea->addWidget(color_, 1, 0);
    lineArea->addWidget(new QLabel(QStringLiteral("搭配"), this), 2, 0, Qt::AlignRight);
    for (int k = 0; k < kMaxSizes; ++k) {
        countHeading_[k] = new QLabel(this);
        count_[k] = new QLineEdit(this);
        numericBox(count_[k], 0, 99999);
        count_[k]->setMaximumWidth(70);
        factor_[k] = new QLineEdit(QStringLiteral("1"), this);
        numericBox(factor_[k], 0, 99);
        factor_[k]->setMaximumWidth(70);
        lineArea->addWidget(countHeading_[k], 0, k + 1);
        lineArea->addWidget(count_[k], 1, k + 1);
        lineArea->addWidget(factor_[k], 2, k + 1);
    }
    lineArea->setColumnStretch(kMaxSizes + 1, 1);

    grid_ = new QTableWidget(0, kMaxSizes + 2, this);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    QStringList captions{QStringLiteral("颜色")};
    for (int k = 0; k < kMaxSizes; ++k)
        captions << QString();
    captions << QStringLiteral("小计");
    grid_->setHorizontalHeaderLabels(captions);

    start_ = new QLabel(this);
    entered_ = new QLabel(this);
    bundleRule_ = new QLabel(this);
    auto* bundleSetting = new QPushButton(QStringLiteral("分扎设置"), this);
    auto* footer = new QHBoxLayout;
    footer->addWidget(start_);
    footer->addSpacing(24);
    footer->addWidget(entered_);
    footer->addStretch();
    footer->addWidget(bundleRule_);
    footer->addWidget(bundleSetting);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(header);
    layout->addLayout(sizeArea);
    layout->addLayout(lineArea);
    layout->addWidget(grid_, 1);
    layout->addLayout(footer);
    resize(860, 520);

    // Entry order: header, size names, 生成表, colour, counts, then the factors.
    QWidget* order[] = {makeid_, bed_, total_, sizes_, inputMethod_};
    for (int i = 0; i + 1 < int(std::size(order)); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(inputMethod_, sizeName_[0]);
    for (int k = 0; k + 1 < kMaxSizes; ++k)
        setTabOrder(sizeName_[k], sizeName_[k + 1]);
    setTabOrder(sizeName_[kMaxSizes - 1], build);
    setTabOrder(build, color_);
    setTabOrder(color_, count_[0]);
    for (int k = 0; k + 1 < kMaxSizes; ++k)
        setTabOrder(count_[k], count_[k + 1]);
    setTabOrder(count_[kMaxSizes - 1], factor_[0]);
    for (int k = 0; k + 1 < kMaxSizes; ++k)
        setTabOrder(factor_[k], factor_[k + 1]);

    // Enter handled by the screen itself: sizes → input method, input method → size names,
    // colour → first count, counts copy on and the last appends the line.
    for (QWidget* w : std::initializer_list<QWidget*>{sizes_, inputMethod_, color_}) {
        w->setProperty("enterMovesFocus", false);
        w->installEventFilter(this);
    }
    for (int k = 0; k < kMaxSizes; ++k) {
        count_[k]->setProperty("enterMovesFocus", false);
        count_[k]->installEventFilter(this);
    }
    installEnterMovesFocus(this);

    QPushButton* closeButton = button(QStringLiteral("关闭"));
    onLeave(makeid_, [this] { acceptOrder(); }, closeButton);
    onLeave(bed_, [this] { acceptLot(); }, closeButton);
    onLeave(total_, [this] { acceptTotal(); }, closeButton);
    for (int k = 0; k < kMaxSizes; ++k) {
        onLeave(sizeName_[k], [this, k] { sizeNameLeft(k); }, closeButton);
        connect(sizeName_[k], &QLineEdit::textChanged, this, [this, k](const QString& text) {
            countHeading_[k]->setText(text.isEmpty() ? QString() : text + QStringLiteral("码"));
        });
    }
    connect(sizes_, &QLineEdit::textChanged, this, &Tchafrm::sizesChanged);
    connect(inputMethod_, &QComboBox::activated, this, [this] {
        color_->setAttribute(Qt::WA_InputMethodEnabled, true);
    });
    connect(build, &QPushButton::clicked, this, &Tchafrm::btnbuildClick);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (Tchangelabujilufrm* dialog = editRow(row))
            dialog->open();
    });
    connect(button(QStringLiteral("床次查询")), &QPushButton::clicked, this, [this] { openAnalysis(true); });
    connect(button(QStringLiteral("删除")), &QPushButton::clicked, this, &Tchafrm::btndeleteClick);
    connect(button(QStringLiteral("生成工票")), &QPushButton::clicked, this, &Tchafrm::btngenerateClick);
    connect(button(QStringLiteral("色码统计")), &QPushButton::clicked, this,
            [] { screens::open(kStatistics, OpenMode::Modal); });
    connect(button(QStringLiteral("删除床次")), &QPushButton::clicked, this,
            [] { screens::open(QStringLiteral("Tshanchuchuang"), OpenMode::Child); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(bundleSetting, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const int pieces = QInputDialog::getInt(
            this, QStringLiteral("分扎设置"),
            QStringLiteral("每扎最多件数（0：每个颜色行的每个码一扎）。\n对所有工作站以后生成的床次有效。"),
            procs::maxBundleSize(db::Connection::main()), 0, 99999, 1, &ok);
        if (ok)
            setBundleSize(pieces);
    });

    sizesChanged();
    refreshGrid();
    refreshBundleRule();
    start_->setText(startText());
    entered_->setText(enteredText());
}

Tchafrm::~Tchafrm() = default;

QPushButton* Tchafrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString Tchafrm::startText() const
{
    return QStringLiteral("当前录入开始扎号是：%1扎").arg(startBundle_);
}

QString Tchafrm::enteredText() const
{
    return QStringLiteral("当前录入的总件数是：%1件").arg(enteredPieces_);
}

QString Tchafrm::bundleRuleText() const
{
    return bundleRule_->text();
}

int Tchafrm::sizeCount() const
{
    bool ok = false;
    const int n = sizes_->text().trimmed().toInt(&ok);
    return ok && n >= 1 && n <= kMaxSizes ? n : 0;
}

void Tchafrm::showStart()
{
    db::Query q(QStringLiteral("SELECT max(zhahao) AS zhahao FROM printmakeid WHERE makeid=:a"));
    q.bind(QStringLiteral(":a"), makeid_->text().trimmed());
    const QVariant highest = q.scalar();
    startBundle_ = highest.isNull() ? 1 : highest.toInt() + 1;
    start_->setText(startText());
}

void Tchafrm::acceptOrder()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty() || orderAccepted_ || closing_)
        return;
    try {
        if (makeid.size() > procs::kMaxOrderNumberForCutting) {
            // Bundles and coupons carry at most 7 characters of the order number; a longer one
            // would be cut and name another order.
            msg::warning(QStringLiteral("制单号“%1”超过 %2 个字符，不能录入拉布记录。请选择另一制单号。")
                             .arg(makeid)
                             .arg(procs::kMaxOrderNumberForCutting),
                         QStringLiteral("提示"), this);
            makeid_->clear();
            QTimer::singleShot(0, makeid_, [box = makeid_] { box->setFocus(); });
            return;
        }
        showStart();
        db::Query busy(QStringLiteral("SELECT makeid FROM work WHERE makeid=:m1"));
        busy.bind(QStringLiteral(":m1"), makeid).exec();
        if (busy.next()) {
            msg::warning(procs::kOrderBeingEntered, QStringLiteral("提示"), this);
            closing_ = true;
            QTimer::singleShot(0, this, &QWidget::close);
            return;
        }
        db::Query total(QStringLiteral("SELECT sysid FROM worktotal WHERE makeid=:m1"));
        total.bind(QStringLiteral(":m1"), makeid).exec();
        if (!total.next()) {
            msg::warning(QStringLiteral("无此制单号"), QStringLiteral("提示"), this);
            makeid_->clear();
            QTimer::singleShot(0, makeid_, [box = makeid_] { box->setFocus(); });
            return;
        }
        sysid_ = total.value(0).toInt();
        makeid_->setText(makeid);
        lockBox(makeid_, QColor(200, 200, 200));
        orderAccepted_ = true;
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tchafrm::acceptLot()
{
    const QString text = bed_->text().trimmed();
    if (text.isEmpty() || bed_->isReadOnly() || closing_)
        return;
    try {
        bool taken = false;
        for (const char* table : {"printout", "printmakeid"}) {
            db::Query q(QStringLiteral("SELECT makeid FROM %1 WHERE (makeid=:m1)AND(bed=:a)").arg(QLatin1String(table)));
            q.bind(QStringLiteral(":m1"), makeid_->text().trimmed()).bind(QStringLiteral(":a"), text.toInt()).exec();
            taken = taken || q.next();
        }
        if (taken) {
            msg::info(QStringLiteral("此制单号的床次已经录入，不能重复操作"), QStringLiteral("信息提示"), this);
            bed_->clear();
            QTimer::singleShot(0, bed_, [box = bed_] { box->setFocus(); });
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tchafrm::acceptTotal()
{
    int lot = 0;
    if (closing_ || !wholeNumber(total_, &lot))
        return;
    const QString makeid = makeid_->text().trimmed();
    try {
        db::Query cut(QStringLiteral("SELECT makeid, sum(amount) AS zmount FROM printmakeid WHERE makeid=:a GROUP BY makeid"));
        cut.bind(QStringLiteral(":a"), makeid).exec();
        const qint64 already = cut.next() ? cut.value(1).toLongLong() : 0;
        const qint64 total = already + lot;
        db::Query order(QStringLiteral("SELECT makeidtotal FROM zhdan WHERE makeid=:a"));
        order.bind(QStringLiteral(":a"), makeid).exec();
        if (!order.next() || order.value(0).isNull())
            return;
        const qint64 ordered = order.value(0).toLongLong();
        if (ordered >= total)
            return;
        const QString question = QStringLiteral("你已录入的数量") + QString::number(total) +
                                 QStringLiteral("已经超过了你要裁的制单数量") + QString::number(ordered) +
                                 QStringLiteral("请查看裁床分析表,是否继续，选择\"no\"进入裁床分析表");
        if (!msg::ask(question, QStringLiteral("询问"), this))
            openAnalysis(false);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tchafrm::openAnalysis(bool closeThis)
{
    QWidget* analysis = screens::open(kAnalysis, OpenMode::Child);
    // The analysis screen shows one order's lots when it offers showOrder(QString).
    if (analysis && orderAccepted_)
        QMetaObject::invokeMethod(analysis, "showOrder", Q_ARG(QString, makeid_->text().trimmed()));
    if (closeThis)
        close();
}

void Tchafrm::sizesChanged()
{
    if (built_)
        return;
    const QString text = sizes_->text().trimmed();
    int n = 0;
    if (!text.isEmpty()) {
        n = sizeCount();
        if (n == 0) {
            msg::warning(kNotANumber, QStringLiteral("提示"), this);
            sizes_->clear();  // re-enters here with the field empty
            return;
        }
    }
    for (int k = 0; k < kMaxSizes; ++k) {
        const bool shown = k < n;
        sizeName_[k]->setVisible(shown);
        countHeading_[k]->setVisible(shown);
        count_[k]->setVisible(shown);
        factor_[k]->setVisible(shown);
    }
}

void Tchafrm::inputMethodEnter()
{
    if (total_->text().trimmed().isEmpty() || sizes_->text().trimmed().isEmpty()) {
        msg::info(QStringLiteral("请输入总件数和总码数"), QStringLiteral("提示信息"), this);
        return;
    }
    sizeName_[0]->setFocus(Qt::TabFocusReason);
}

void Tchafrm::sizeNameLeft(int k)
{
    if (closing_ || built_ || k >= sizeCount() || !sizeName_[k]->text().trimmed().isEmpty())
        return;
    msg::info(QStringLiteral("请输入尺码"), QStringLiteral("提示信息"), this);
    QTimer::singleShot(0, sizeName_[k], [box = sizeName_[k]] { box->setFocus(); });
}

void Tchafrm::btnbuildClick()
{
    const int n = sizeCount();
    if (bed_->text().trimmed().isEmpty() || total_->text().trimmed().isEmpty() || n == 0) {
        msg::info(QStringLiteral("请输入床次、码数、件数"), QStringLiteral("提示信息"), this);
        return;
    }
    if (!orderAccepted_) {
        msg::info(QStringLiteral("请先输入制单号"), QStringLiteral("提示信息"), this);
        makeid_->setFocus();
        return;
    }
    for (int k = 0; k < n; ++k)
        if (sizeName_[k]->text().trimmed().isEmpty()) {
            msg::info(QStringLiteral("没有输入任何码数"), QStringLiteral("提示信息"), this);
            sizeName_[k]->setFocus();
            return;
        }
    const QColor menu = palette().color(QPalette::Button);
    for (int k = 0; k < kMaxSizes; ++k) {
        grid_->setHorizontalHeaderItem(k + 1, new QTableWidgetItem(k < n ? sizeName_[k]->text().trimmed() : QString()));
        grid_->setColumnHidden(k + 1, k >= n);
        lockBox(sizeName_[k], menu);
    }
    lockBox(sizes_, menu);
    // The lot's lines are stored under this lot number: it cannot change under them.
    lockBox(bed_, menu);
    built_ = true;
    color_->setFocus();
}

void Tchafrm::colorEnter()
{
    if (sizeCount() > 0)
        count_[0]->setFocus(Qt::TabFocusReason);
}

void Tchafrm::countEnter(int k)
{
    const int n = sizeCount();
    if (k + 1 < n) {
        count_[k + 1]->setText(count_[k]->text());
        count_[k + 1]->setFocus(Qt::TabFocusReason);
        count_[k + 1]->selectAll();
        return;
    }
    appendLine();
}

void Tchafrm::appendLine()
{
    if (!built_) {
        msg::info(QStringLiteral("请先输入码数，再按“生成表”"), QStringLiteral("提示信息"), this);
        return;
    }
    const int n = sizeCount();
    Line line;
    line.color = color_->text().trimmed();
    if (line.color.isEmpty()) {
        msg::info(QStringLiteral("请输入色号"), QStringLiteral("提示信息"), this);
        color_->setFocus();
        return;
    }
    bool any = false;
    for (int k = 0; k < kMaxSizes; ++k) {
        if (k >= n || count_[k]->text().trimmed().isEmpty()) {
            line.sizes << -1;
            continue;
        }
        int count = 0;
        int factor = 0;
        if (!wholeNumber(count_[k], &count) || !wholeNumber(factor_[k], &factor)) {
            msg::warning(kNotANumber, QStringLiteral("提示"), this);
            return;  // nothing stored; the typed values stay for correction
        }
        line.sizes << count * factor;
        line.amount += count * factor;
        any = true;
    }
    for (int k = 0; k < n; ++k) {
        int factor = 0;
        if (!wholeNumber(factor_[k], &factor)) {
            msg::warning(kNotANumber, QStringLiteral("提示"), this);
            factor_[k]->setFocus();
            return;
        }
    }
    if (!any) {
        msg::info(QStringLiteral("请输入件数"), QStringLiteral("提示信息"), this);
        count_[0]->setFocus();
        return;
    }
    try {
        line.id = procs::addLayRecord(db::Connection::main(), makeid_->text().trimmed(), bed_->text().trimmed().toInt(),
                                      {line.color, line.sizes}, owner_);
    } catch (const db::DbError& e) {
        if (e.message() == procs::kOrderBeingEntered) {
            // Another workstation took the order between our check and this line.
            msg::warning(e.message(), QStringLiteral("提示"), this);
            closing_ = true;
            QTimer::singleShot(0, this, &QWidget::close);
        } else {
            msg::error(QStringLiteral("拉布记录没有保存：\n") + e.message(), QStringLiteral("错误"), this);
        }
        return;
    }
    lines_ << line;
    refreshGrid();
    grid_->setCurrentCell(int(lines_.size()) - 1, kColourColumn);
    refreshEntered();
    int lot = 0;
    if (wholeNumber(total_, &lot) && lot < enteredPieces_)
        msg::warning(QStringLiteral("你输入记录的超出件数"), QStringLiteral("提示"), this);
    for (QLineEdit* box : count_)
        box->clear();
    color_->setFocus();
    color_->selectAll();
}

void Tchafrm::refreshEntered()
{
    try {
        db::Query q(QStringLiteral("SELECT sum(amount) AS amount FROM work WHERE makeid=:m1"));
        q.bind(QStringLiteral(":m1"), makeid_->text().trimmed());
        enteredPieces_ = q.scalar().toInt();
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    entered_->setText(enteredText());
}

void Tchafrm::refreshGrid()
{
    grid_->setRowCount(int(lines_.size()) + 1);
    QList<qint64> sums(kMaxSizes + 1, 0);
    for (int r = 0; r < lines_.size(); ++r) {
        const Line& line = lines_[r];
        grid_->setItem(r, kColourColumn, cell(line.color, false));
        for (int k = 0; k < kMaxSizes; ++k) {
            const int v = line.sizes.value(k, -1);
            grid_->setItem(r, k + 1, cell(v >= 0 ? QString::number(v) : QString(), true));
            if (v > 0)
                sums[k] += v;
        }
        grid_->setItem(r, kAmountColumn, cell(QString::number(line.amount), true));
        sums[kMaxSizes] += line.amount;
    }
    const int footer = int(lines_.size());
    QFont bold = font();
    bold.setBold(true);
    auto* caption = new QTableWidgetItem(QStringLiteral("合计："));
    caption->setFlags(Qt::ItemIsEnabled);
    caption->setFont(bold);
    grid_->setItem(footer, kColourColumn, caption);
    for (int k = 0; k < kMaxSizes; ++k) {
        auto* item = cell(QString::number(sums[k]), true);
        item->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(footer, k + 1, item);
    }
    auto* amount = cell(QString::number(double(sums[kMaxSizes]), 'f', 2), true);
    amount->setFlags(Qt::ItemIsEnabled);
    grid_->setItem(footer, kAmountColumn, amount);
    if (!built_)
        for (int k = 0; k < kMaxSizes; ++k)
            grid_->setColumnHidden(k + 1, true);
}

void Tchafrm::btndeleteClick()
{
    const int row = grid_->currentRow();
    if (lines_.isEmpty() || row < 0 || row >= lines_.size())
        return;
    try {
        db::Query q(QStringLiteral("DELETE FROM work WHERE id=:id"));
        q.bind(QStringLiteral(":id"), lines_[row].id).exec();
    } catch (const db::DbError& e) {
        msg::error(QStringLiteral("删除失败\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    lines_.removeAt(row);
    refreshGrid();
    if (!lines_.isEmpty())
        grid_->setCurrentCell(qMin(row, int(lines_.size()) - 1), kColourColumn);
    refreshEntered();
}

Tchangelabujilufrm* Tchafrm::editRow(int row)
{
    if (row < 0 || row >= lines_.size())
        return nullptr;  // the footer or an empty grid
    const int n = sizeCount();
    QStringList headings;
    QList<int> values;
    for (int k = 0; k < n; ++k) {
        headings << countHeading_[k]->text();
        values << lines_[row].sizes.value(k, -1);
    }
    auto* dialog = new Tchangelabujilufrm(headings, values, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const int id = lines_[row].id;
    connect(dialog, &QDialog::accepted, this, [this, dialog, id] {
        for (int r = 0; r < lines_.size(); ++r)
            if (lines_[r].id == id)
                updateLine(r, dialog->values());
    });
    return dialog;
}

void Tchafrm::updateLine(int row, const QList<int>& sizes)
{
    Line changed = lines_[row];
    changed.amount = 0;
    for (int k = 0; k < kMaxSizes; ++k) {
        const int v = sizes.value(k, -1);
        changed.sizes[k] = v;
        if (v > 0)
            changed.amount += v;
    }
    try {
        db::Query q(QStringLiteral("UPDATE work SET s1=:s1, s2=:s2, s3=:s3, s4=:s4, s5=:s5, s6=:s6, s7=:s7, s8=:s8, "
                                   "amount=:a WHERE id=:id"));
        for (int k = 0; k < kMaxSizes; ++k)
            q.bind(QStringLiteral(":s%1").arg(k + 1),
                   changed.sizes[k] >= 0 ? QVariant(changed.sizes[k]) : QVariant(QMetaType::fromType<int>()));
        q.bind(QStringLiteral(":a"), changed.amount).bind(QStringLiteral(":id"), changed.id).exec();
        if (q.rowsAffected() == 0) {
            msg::warning(QStringLiteral("这条拉布记录已经不存在（可能已被删除床次删除）。"), QStringLiteral("提示"), this);
            lines_.removeAt(row);
            refreshGrid();
            refreshEntered();
            return;
        }
    } catch (const db::DbError& e) {
        msg::error(QStringLiteral("修改失败\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    lines_[row] = changed;
    refreshGrid();
    grid_->setCurrentCell(row, kColourColumn);
    refreshEntered();
}

void Tchafrm::btngenerateClick()
{
    int lot = 0;
    if (!wholeNumber(total_, &lot) || lot != enteredPieces_) {
        msg::info(QStringLiteral("你录入的总件数不对,请检查"), QStringLiteral("提示信息"), this);
        return;
    }
    const int n = sizeCount();
    if (!built_ || n == 0 || !orderAccepted_) {
        msg::info(QStringLiteral("没有数据不能生成工票"), QStringLiteral("提示信息"), this);
        return;
    }
    QStringList names;
    for (int k = 0; k < n; ++k)
        names << sizeName_[k]->text().trimmed();
    try {
        procs::generateLot(db::Connection::main(), makeid_->text().trimmed(), names, bed_->text().trimmed().toInt());
    } catch (const db::DbError& e) {
        const QString failed = QStringLiteral("没有数据不能生成工票");
        msg::error(e.message() == failed ? failed : failed + QStringLiteral("\n\n") + e.message(),
                   QStringLiteral("错误"), this);
        return;
    }
    generated_ = true;
    clearAll();
    msg::info(QStringLiteral("生成工票成功"), QStringLiteral("提示信息"), this);
    close();
}

void Tchafrm::clearAll()
{
    closing_ = true;  // no leave checks while the fields empty
    for (QLineEdit* box : {makeid_, bed_, total_, sizes_, color_})
        box->clear();
    for (int k = 0; k < kMaxSizes; ++k) {
        sizeName_[k]->clear();
        count_[k]->clear();
    }
    lines_.clear();
    refreshGrid();
}

void Tchafrm::setBundleSize(int pieces)
{
    try {
        procs::setMaxBundleSize(db::Connection::main(), pieces);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    refreshBundleRule();
}

void Tchafrm::refreshBundleRule()
{
    int largest = 0;
    try {
        largest = procs::maxBundleSize(db::Connection::main());
    } catch (const db::DbError&) {
        // shown as the default rule
    }
    bundleRule_->setText(largest > 0
                             ? QStringLiteral("分扎：每扎最多 %1 件，超过的颜色行按 %1 件一扎分开").arg(largest)
                             : QStringLiteral("分扎：每个颜色行的每个码一扎"));
}

void Tchafrm::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    // An unfinished lot is discarded, so the order is free again for everyone.
    const QString makeid = makeid_->text().trimmed();
    const QString bed = bed_->text().trimmed();
    if (!generated_ && !makeid.isEmpty() && !bed.isEmpty()) {
        try {
            db::Query q(QStringLiteral("DELETE FROM work WHERE makeid=:m1 AND bed=:b AND sysid=:o"));
            q.bind(QStringLiteral(":m1"), makeid).bind(QStringLiteral(":b"), bed.toInt()).bind(QStringLiteral(":o"), owner_).exec();
        } catch (const db::DbError& e) {
            msg::error(QStringLiteral("未完成的拉布记录没有删除，请用“删除床次”删除：\n") + e.message(),
                       QStringLiteral("错误"), this);
        }
    }
    event->accept();
}

bool Tchafrm::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnter(event))
        return QWidget::eventFilter(watched, event);
    if (watched == sizes_)
        inputMethod_->setFocus(Qt::TabFocusReason);
    else if (watched == inputMethod_)
        inputMethodEnter();
    else if (watched == color_)
        colorEnter();
    else
        for (int k = 0; k < kMaxSizes; ++k)
            if (watched == count_[k])
                countEnter(k);
    return true;
}
