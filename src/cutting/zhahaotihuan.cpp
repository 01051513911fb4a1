#include "cutting/zhahaotihuan.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/screenkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString kSave = QStringLiteral("保  存");
const QString kClose = QStringLiteral("关闭");
const QColor kUnsavedColour(255, 244, 190);

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The editor of 中文扎号: at most as long as the column, and Enter in it commits the text and
// hands over to the screen's Enter (write, reopen, next bundle) instead of only closing the
// editor.
class LabelDelegate : public QStyledItemDelegate {
public:
    LabelDelegate(std::function<void()> enter, QObject* parent) : QStyledItemDelegate(parent), enter_(std::move(enter)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            box->setMaxLength(Tzhahaotihuanfrm::kMaxLabelLength);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && isEnter(event)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            enter_();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void()> enter_;
};

QTableWidgetItem* fixedCell(const QString& text, Qt::Alignment align)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align);
    return item;
}

}  // namespace

Tzhahaotihuanfrm::Tzhahaotihuanfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("zhahaotihuanfrm"));
    setWindowTitle(QStringLiteral("扎号替换"));

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    bed_ = new QLineEdit(this);
    numericBox(bed_, 0, 999);
    inputMethod_ = new QComboBox(this);
    // The platform's input method is the one the grid can use; Qt reports its language.
    if (QInputMethod* im = QGuiApplication::inputMethod())
        inputMethod_->addItem(im->locale().nativeLanguageName());
    auto* header = new QGridLayout;
    addField(header, 0, QStringLiteral("单号："), makeid_, 3);
    addField(header, 1, QStringLiteral("床次："), bed_, 3);
    addField(header, 2, QStringLiteral("输入法："), inputMethod_, 3);

    grid_ = new QTableWidget(0, 3, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("制单号"), QStringLiteral("扎号"), QStringLiteral("中文扎号")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(kMakeidColumn, 120);
    grid_->setColumnWidth(kBundleColumn, 80);
    grid_->setItemDelegateForColumn(kLabelColumn, new LabelDelegate([this] { gridEnter(); }, grid_));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons_ << addButton(buttons, kSave, this) << addButton(buttons, kClose, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(420, 460);

    // Enter in 单号 moves on to 床次; Enter in 床次 lists the lot; Enter in the grid saves.
    bed_->setProperty("enterMovesFocus", false);
    bed_->installEventFilter(this);
    grid_->installEventFilter(this);
    installEnterMovesFocus(this);

    connect(inputMethod_, &QComboBox::activated, this, &Tzhahaotihuanfrm::inputMethodSelect);
    connect(grid_, &QTableWidget::currentCellChanged, this, &Tzhahaotihuanfrm::cellLeft);
    connect(grid_, &QTableWidget::itemChanged, this, &Tzhahaotihuanfrm::labelEdited);
    connect(button(kSave), &QPushButton::clicked, this, &Tzhahaotihuanfrm::btnsaveClick);
    connect(button(kClose), &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* Tzhahaotihuanfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tzhahaotihuanfrm::showLot(const QString& makeid, int bed)
{
    makeid_->setText(makeid);
    bed_->setText(QString::number(bed));
    bedEnter();
}

void Tzhahaotihuanfrm::bedEnter()
{
    const QString makeid = makeid_->text().trimmed();
    bool ok = false;
    const int bed = bed_->text().trimmed().toInt(&ok);
    if (makeid.isEmpty() || !ok)
        return;
    // A new list: labels typed for the previous one and not written are given up.
    listedMakeid_ = makeid;
    listedBed_ = bed;
    unsaved_.clear();
    reload(0);
    if (grid_->rowCount() > 0)
        grid_->setFocus();
}

void Tzhahaotihuanfrm::reload(int selectRow)
{
    struct Bundle {
        QString makeid;
        int zhahao;
        QString chbed;
    };
    QList<Bundle> bundles;
    // Grouping gives one line per bundle; the order makes "the next bundle" the next number.
    const bool read = guarded(
        [&] {
            db::Query q(QStringLiteral("select makeid,zhahao,chbed from printout where makeid=:a and bed=:b "
                                       "group by makeid,zhahao,chbed order by zhahao,chbed"));
            q.bind(QStringLiteral(":a"), listedMakeid_).bind(QStringLiteral(":b"), listedBed_).exec();
            while (q.next())
                bundles.append({q.value(0).toString(), q.value(1).toInt(), q.value(2).toString()});
        },
        this);
    if (!read)
        return;

    loading_ = true;
    grid_->setRowCount(0);
    grid_->setRowCount(int(bundles.size()));
    for (int r = 0; r < bundles.size(); ++r) {
        const Bundle& b = bundles[r];
        grid_->setItem(r, kMakeidColumn, fixedCell(b.makeid, Qt::AlignLeft | Qt::AlignVCenter));
        auto* number = fixedCell(QString::number(b.zhahao), Qt::AlignRight | Qt::AlignVCenter);
        number->setData(Qt::UserRole, b.zhahao);
        grid_->setItem(r, kBundleColumn, number);
        // The label as stored stays beside the shown text, so an edit can tell it is unsaved.
        const QString stored = b.chbed.isNull() ? QStringLiteral("") : b.chbed;
        const auto typed = unsaved_.constFind(b.zhahao);
        auto* label = new QTableWidgetItem(typed != unsaved_.constEnd() ? *typed : stored);
        label->setData(Qt::UserRole, stored);
        grid_->setItem(r, kLabelColumn, label);
        markUnsaved(label, typed != unsaved_.constEnd());
    }
    if (!bundles.isEmpty())
        grid_->setCurrentCell(qBound(0, selectRow, int(bundles.size()) - 1), kLabelColumn);
    loading_ = false;
}

bool Tzhahaotihuanfrm::writeLabel(const QString& makeid, int bundle, const QString& label)
{
    // Blanks alone would print nothing in place of the bundle number: they count as no label.
    // The empty text is bound as text, not NULL, so the column keeps its "no label" value.
    QString text = label.trimmed();
    if (text.isNull())
        text = QStringLiteral("");
    return guarded(
        [&] {
            db::Query q(QStringLiteral("update printout set chbed=:a where makeid=:b and zhahao=:c"));
            q.bind(QStringLiteral(":a"), text).bind(QStringLiteral(":b"), makeid).bind(QStringLiteral(":c"), bundle).exec();
        },
        this);
}

void Tzhahaotihuanfrm::gridEnter()
{
    const int row = grid_->currentRow();
    if (loading_ || row < 0 || row >= grid_->rowCount())
        return;
    const QString makeid = grid_->item(row, kMakeidColumn)->text();
    const int bundle = grid_->item(row, kBundleColumn)->data(Qt::UserRole).toInt();
    if (!writeLabel(makeid, bundle, grid_->item(row, kLabelColumn)->text()))
        return;
    unsaved_.remove(bundle);
    reload(row);
    // The next bundle after the one just written; the last one stays current.
    int next = row;
    for (int r = 0; r < grid_->rowCount(); ++r)
        if (grid_->item(r, kBundleColumn)->data(Qt::UserRole).toInt() == bundle)
            next = r + 1;
    if (grid_->rowCount() > 0) {
        loading_ = true;
        grid_->setCurrentCell(qBound(0, next, grid_->rowCount() - 1), kLabelColumn);
        loading_ = false;
    }
    grid_->setFocus();
}

void Tzhahaotihuanfrm::cellLeft(int row, int column, int previousRow, int previousColumn)
{
    if (loading_ || previousRow < 0 || previousColumn != kLabelColumn || (row == previousRow && column == previousColumn))
        return;
    // Only Enter writes a label. Leaving the label column, or leaving a label cell whose text is
    // not written yet, is answered with the reminder. The typed text is not thrown away: it stays
    // in its cell (and across reopenings of the list) so that Enter on it, or 保存, still writes it.
    const QTableWidgetItem* bundle = grid_->item(previousRow, kBundleColumn);
    const bool unsaved = bundle && unsaved_.contains(bundle->data(Qt::UserRole).toInt());
    if (column != kLabelColumn || unsaved)
        msg::info(QStringLiteral("请按回车键移动记录"), QStringLiteral("提示信息"), this);
}

void Tzhahaotihuanfrm::labelEdited(QTableWidgetItem* item)
{
    if (loading_ || !item || item->column() != kLabelColumn)
        return;
    const int bundle = grid_->item(item->row(), kBundleColumn)->data(Qt::UserRole).toInt();
    const bool changed = item->text().trimmed() != item->data(Qt::UserRole).toString().trimmed();
    if (changed)
        unsaved_.insert(bundle, item->text());
    else
        unsaved_.remove(bundle);
    markUnsaved(item, changed);
}

void Tzhahaotihuanfrm::markUnsaved(QTableWidgetItem* item, bool unsaved)
{
    const bool wasLoading = loading_;
    loading_ = true;  // a colour change is an itemChanged too
    item->setBackground(unsaved ? QBrush(kUnsavedColour) : QBrush());
    item->setToolTip(unsaved ? QStringLiteral("未保存：按回车键保存") : QString());
    loading_ = wasLoading;
}

void Tzhahaotihuanfrm::btnsaveClick()
{
    if (grid_->rowCount() == 0)
        return;
    // Every Enter has written its bundle already; labels typed and left without Enter are
    // written now, so that "保存完毕" holds for everything the grid shows.
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const int bundle = grid_->item(r, kBundleColumn)->data(Qt::UserRole).toInt();
        if (!unsaved_.contains(bundle))
            continue;
        if (!writeLabel(grid_->item(r, kMakeidColumn)->text(), bundle, grid_->item(r, kLabelColumn)->text()))
            return;
        unsaved_.remove(bundle);
    }
    msg::info(QStringLiteral("保存完毕"), QStringLiteral("提示信息"), this);
    close();
}

void Tzhahaotihuanfrm::inputMethodSelect()
{
    grid_->setAttribute(Qt::WA_InputMethodEnabled, true);
    grid_->viewport()->setAttribute(Qt::WA_InputMethodEnabled, true);
}

bool Tzhahaotihuanfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (isEnter(event) && watched == bed_) {
        bedEnter();
        return true;
    }
    if (isEnter(event) && watched == grid_) {
        gridEnter();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
