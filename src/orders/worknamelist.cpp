#include "orders/worknamelist.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/output.h"
#include "common/screenkit.h"
#include "orders/setwork.h"
#include "orders/workprice.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kClear = QStringLiteral("清空");
const QString kNoOrder = QStringLiteral("请检查是否有此制单号");
const QString kDuplicate = QStringLiteral("工序重复，和录入其它出错");

enum WorkColumn { ColWorkid, ColName, ColPieces, ColPrice, ColTie, ColTotal, ColMain };

// Notes that an edit of the working list ended with Enter, so the screen moves to the next row
// once the row is written back.
class EnterAwareDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool takeEnter()
    {
        const bool was = enter_;
        enter_ = false;
        return was;
    }

protected:
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            enter_ = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    bool enter_ = false;
};

db::Connection& conn()
{
    return db::Connection::main();
}

QString number(const QVariant& v, int decimals, const QString& prefix = QString())
{
    return v.isNull() ? QString() : prefix + QString::number(v.toDouble(), 'f', decimals);
}

// A typed number: blanks and a currency sign are ignored; empty is null.
bool parseNumber(const QString& text, QVariant* value)
{
    QString t = text.trimmed();
    t.remove(QChar(0x00A5));
    t.remove(QLatin1Char('$'));
    if (t.isEmpty()) {
        *value = QVariant();
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    *value = d;
    return ok;
}

QTableWidgetItem* cell(const QString& text, bool editable = true)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

Tworkidfrm::Tworkidfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("workidfrm"));
    setWindowTitle(QStringLiteral("工序名称录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {" 新 建 ", "增加工序", " 查  找 ", " 删  除 ", " 保  存 ", "设置主工序", " 打  印 ", " 关  闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    makeid_ = new QLineEdit(this);
    name_ = new QLineEdit(this);
    pieces_ = new QLineEdit(this);
    date_ = new QDateEdit(QDate::currentDate(), this);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto* head = new QGridLayout;
    addField(head, 0, QStringLiteral("制单号"), makeid_, 4);
    addField(head, 1, QStringLiteral("制单名称"), name_, 4);
    addField(head, 2, QStringLiteral("件数"), pieces_, 4);
    addField(head, 3, QStringLiteral("日期"), date_, 4);

    copyFrom_ = new QComboBox(this);
    // Sized by a fixed number of characters: measuring a whole history of orders is slow.
    copyFrom_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    copyFrom_->setMinimumContentsLength(14);
    source_ = new QTableWidget(0, 4, this);
    source_->setHorizontalHeaderLabels({QStringLiteral("工序"), QStringLiteral("工序名称"),
                                        QStringLiteral("件数"), QStringLiteral("单价")});
    source_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    source_->setSelectionBehavior(QAbstractItemView::SelectRows);
    source_->verticalHeader()->hide();
    source_->verticalHeader()->setDefaultSectionSize(22);
    auto* left = new QVBoxLayout;
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(new QLabel(QStringLiteral("制 单 号"), this));
    copyRow->addWidget(copyFrom_, 1);
    left->addLayout(copyRow);
    left->addWidget(source_, 1);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    QPushButton* one = addButton(middle, QStringLiteral(">"), this);
    QPushButton* back = addButton(middle, QStringLiteral("<"), this);
    QPushButton* all = addButton(middle, QStringLiteral(">>"), this);
    QPushButton* allBack = addButton(middle, QStringLiteral("<<"), this);
    middle->addStretch();
    for (QPushButton* b : {one, back, all, allBack})
        b->setFixedWidth(36);

    work_ = new QTableWidget(0, 7, this);
    work_->setHorizontalHeaderLabels({QStringLiteral("工序"), QStringLiteral("工序名称"), QStringLiteral("件数"),
                                      QStringLiteral("单价"), QStringLiteral("津贴"), QStringLiteral("总额"),
                                      QStringLiteral("主")});
    work_->horizontalHeaderItem(ColTie)->setToolTip(allowanceToolTip());
    work_->horizontalHeaderItem(ColPrice)->setToolTip(allowanceToolTip());
    work_->setSelectionBehavior(QAbstractItemView::SelectRows);
    work_->setSelectionMode(QAbstractItemView::SingleSelection);
    work_->verticalHeader()->hide();
    work_->verticalHeader()->setDefaultSectionSize(22);
    work_->setContextMenuPolicy(Qt::CustomContextMenu);
    work_->setProperty("enterMovesFocus", false);
    auto* delegate = new EnterAwareDelegate(work_);
    work_->setItemDelegate(delegate);
    footer_ = new QLabel(this);
    auto* right = new QVBoxLayout;
    right->addWidget(work_, 1);
    right->addWidget(footer_);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(middle);
    body->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(head);
    layout->addLayout(body, 1);
    resize(1000, 560);

    menu_ = new QMenu(this);
    QAction* pieces = menu_->addAction(QStringLiteral("修改件数"));
    menu_->addAction(QStringLiteral("修改单价"))->setEnabled(false);
    QAction* add = menu_->addAction(QStringLiteral("增加工序"));
    QAction* del = menu_->addAction(QStringLiteral("删除该记录"));
    QAction* clear = menu_->addAction(QStringLiteral("清空所有"));
    connect(work_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(work_->viewport()->mapToGlobal(at)); });
    connect(pieces, &QAction::triggered, this, [this] {
        bool ok = false;
        const QString text = QInputDialog::getText(this, QStringLiteral("修改件数"), QStringLiteral("件数 "),
                                                   QLineEdit::Normal, QString(), &ok);
        if (ok && !text.isEmpty())
            setPiecesForAll(text);
    });
    connect(add, &QAction::triggered, this, &Tworkidfrm::addProcess);
    connect(del, &QAction::triggered, this, &Tworkidfrm::deleteCurrent);
    connect(clear, &QAction::triggered, this, &Tworkidfrm::clearAll);

    connect(buttons_[0], &QPushButton::clicked, this, &Tworkidfrm::newList);
    connect(buttons_[1], &QPushButton::clicked, this, &Tworkidfrm::addProcess);
    connect(buttons_[2], &QPushButton::clicked, this, &Tworkidfrm::findList);
    connect(buttons_[3], &QPushButton::clicked, this, &Tworkidfrm::deleteCurrent);
    connect(buttons_[4], &QPushButton::clicked, this, &Tworkidfrm::saveList);
    connect(buttons_[5], &QPushButton::clicked, this, [this] {
        Tsetworkfrm departments(this);
        if (!makeid().isEmpty())
            departments.showOrder(makeid());
        departments.exec();
    });
    connect(buttons_[6], &QPushButton::clicked, this, [this] {
        guarded([this] { report::preview(report::layout(listReport()), this); }, this);
    });
    connect(buttons_[7], &QPushButton::clicked, this, &QWidget::close);
    connect(one, &QPushButton::clicked, this, &Tworkidfrm::moveOne);
    connect(all, &QPushButton::clicked, this, &Tworkidfrm::moveAll);
    connect(back, &QPushButton::clicked, this, &Tworkidfrm::moveBack);
    connect(allBack, &QPushButton::clicked, this, &Tworkidfrm::moveAllBack);
    connect(copyFrom_, &QComboBox::activated, this, [this](int index) { chooseCopyFrom(copyFrom_->itemText(index)); });
    connect(work_, &QTableWidget::cellChanged, this, [this, delegate](int row, int column) {
        if (filling_)
            return;
        const bool enter = delegate->takeEnter();
        if (writeRow(row) && enter && work_->currentRow() + 1 < work_->rowCount())
            work_->setCurrentCell(work_->currentRow() + 1, column);
    });
    connect(makeid_, &QLineEdit::returnPressed, this, &Tworkidfrm::makeidEnter);
    connect(name_, &QLineEdit::returnPressed, pieces_, [this] { pieces_->setFocus(); });
    connect(pieces_, &QLineEdit::returnPressed, this, &Tworkidfrm::piecesEnter);

    guarded(
        [this] {
            procs::createTempWorkname(conn());
            tableReady_ = true;
            // A factory's whole history of orders: one list model filled at once.
            QStringList orders;
            db::Query q(QStringLiteral("SELECT DISTINCT makeid FROM worktotal ORDER BY makeid"));
            q.exec();
            while (q.next())
                orders << q.value(0).toString();
            orders << kClear;
            copyFrom_->setModel(new QStringListModel(orders, copyFrom_));
            copyFrom_->setCurrentIndex(-1);
            relist();
        },
        this);
}

Tworkidfrm::~Tworkidfrm()
{
    if (tableReady_ && conn().isOpen())
        guarded([] { procs::dropTempWorkname(conn()); });
}

QPushButton* Tworkidfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString Tworkidfrm::makeid() const
{
    return makeid_->text().trimmed();
}

void Tworkidfrm::relist(int keepId)
{
    const int current = work_->currentRow();
    rows_ = procs::sp_insertworkname(conn(), procs::WorknameOp::List);
    filling_ = true;
    work_->setRowCount(int(rows_.size()));
    Money prices;
    Money totals;
    int select = -1;
    for (int i = 0; i < rows_.size(); ++i) {
        const procs::WorkRow& r = rows_[i];
        auto* id = cell(r.workid.isNull() ? QString() : QString::number(r.workid.toInt()));
        id->setData(Qt::UserRole, r.id);
        work_->setItem(i, ColWorkid, id);
        work_->setItem(i, ColName, cell(r.workname));
        work_->setItem(i, ColPieces, cell(QString::number(r.jianshu)));
        work_->setItem(i, ColPrice, cell(number(r.priceone, 4, QString(QChar(0x00A5)))));
        work_->setItem(i, ColTie, cell(number(r.pricetie, 4)));
        work_->setItem(i, ColTotal, cell(number(r.maketotal, 3), false));
        auto* mark = cell(QString());
        mark->setFlags((mark->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        mark->setCheckState(r.lbiao ? Qt::Checked : Qt::Unchecked);
        work_->setItem(i, ColMain, mark);
        prices += Money::fromVariant(r.priceone);
        totals += Money::fromVariant(r.price) * r.jianshu;
        if (r.id == keepId)
            select = i;
    }
    filling_ = false;
    footer_->setText(QStringLiteral("合计:    单价 %1    总额 %2").arg(prices.toString(4), totals.toString(3)));
    if (select < 0 && current >= 0 && current < work_->rowCount())
        select = current;
    if (select >= 0)
        work_->setCurrentCell(select, 0);
}

QString Tworkidfrm::footerText() const
{
    return footer_->text();
}

void Tworkidfrm::readSource(const QString& order)
{
    sourceRows_.clear();
    sourceOrder_ = order;
    if (order.isEmpty() || order == kClear) {
        showSource();
        return;
    }
    db::Query q(QStringLiteral("SELECT workid, workname, maketotal, priceone, pricetie, price, lbiao "
                               "FROM workname WHERE makeid=:a ORDER BY workid"));
    q.bind(QStringLiteral(":a"), order.trimmed()).exec();
    while (q.next()) {
        procs::WorkRow r;
        r.workid = q.value(0).isNull() ? QVariant() : QVariant(q.value(0).toInt());
        r.workname = q.value(1).toString();
        r.jianshu = q.value(2).toInt();
        r.priceone = q.value(3).isNull() ? QVariant() : QVariant(q.value(3).toDouble());
        r.pricetie = q.value(4).isNull() ? QVariant() : QVariant(q.value(4).toDouble());
        r.price = q.value(5).isNull() ? QVariant() : QVariant(Money::fromVariant(q.value(5)).toString(4).toDouble());
        r.lbiao = q.value(6).toInt() != 0;
        sourceRows_.append(r);
    }
    showSource();
}

void Tworkidfrm::showSource()
{
    source_->setRowCount(int(sourceRows_.size()));
    for (int i = 0; i < sourceRows_.size(); ++i) {
        const procs::WorkRow& r = sourceRows_[i];
        source_->setItem(i, 0, cell(r.workid.toString()));
        source_->setItem(i, 1, cell(r.workname));
        source_->setItem(i, 2, cell(QString::number(r.jianshu)));
        source_->setItem(i, 3, cell(number(r.price, 4)));
    }
    if (!sourceRows_.isEmpty())
        source_->setCurrentCell(0, 0);
}

void Tworkidfrm::chooseCopyFrom(const QString& entry)
{
    copyFrom_->setCurrentIndex(copyFrom_->findText(entry));
    guarded([&] { readSource(entry); }, this);
}

void Tworkidfrm::makeidEnter()
{
    guarded(
        [this] {
            db::Query order(QStringLiteral("SELECT makeid FROM zhdan WHERE makeid=:a"));
            if (!order.bind(QStringLiteral(":a"), makeid()).exec().next()) {
                msg::info(kNoOrder, QStringLiteral("提示信息"), this);
                makeid_->setFocus();
                return;
            }
            if (!rows_.isEmpty()) {
                name_->setFocus();
                return;
            }
            db::Query(QStringLiteral("DELETE FROM tempworkname")).exec();
            if (copyFrom_->findText(makeid()) < 0)
                copyFrom_->insertItem(copyFrom_->count() - 1, makeid());
            chooseCopyFrom(makeid());
            db::Query saved(QStringLiteral("SELECT count(*) FROM workname WHERE makeid=:a"));
            if (saved.bind(QStringLiteral(":a"), makeid()).scalar().toInt() > 0) {
                findList();
                return;
            }
            db::Query range(QStringLiteral("SELECT starwork, endwork, makeidtotal, makeidname FROM worktotal, zhdan "
                                           "WHERE zhdan.makeid=worktotal.makeid AND worktotal.makeid=:a"));
            range.bind(QStringLiteral(":a"), makeid()).exec();
            if (range.next()) {
                name_->setText(range.text(QStringLiteral("makeidname")));
                procs::numberRange(conn(), range.toInt(QStringLiteral("starwork")),
                                   range.toInt(QStringLiteral("endwork")), range.toInt(QStringLiteral("makeidtotal")));
            }
            relist();
            name_->setFocus();
        },
        this);
}

void Tworkidfrm::setPiecesForAll(const QString& text)
{
    bool ok = false;
    const int pieces = text.trimmed().toInt(&ok);
    if (!ok)
        return;  // not a whole number: nothing changes
    guarded(
        [&] {
            db::Query(QStringLiteral("UPDATE tempworkname SET jianshu=:a")).bind(QStringLiteral(":a"), pieces).exec();
            relist();
        },
        this);
}

void Tworkidfrm::piecesEnter()
{
    setPiecesForAll(pieces_->text());
}

void Tworkidfrm::addRow(const procs::WorkRow& r, bool keepMark)
{
    // A process taken back from the order's own saved list stays that saved process.
    const QVariant saved = sourceOrder_ == makeid() ? r.workid : QVariant();
    procs::sp_insertworkname(conn(), procs::WorknameOp::Add, 0, r.workid, r.workname, r.jianshu, r.priceone,
                             r.pricetie, keepMark && r.lbiao, saved);
}

void Tworkidfrm::moveOne()
{
    const int row = source_->currentRow();
    if (sourceRows_.isEmpty() || row < 0)
        return;
    if (guarded([&] { addRow(sourceRows_[row], false); }, this)) {
        sourceRows_.removeAt(row);
        showSource();
    }
    guarded([this] { relist(); }, this);
}

void Tworkidfrm::moveAll()
{
    if (sourceRows_.isEmpty())
        return;
    const bool done = guarded(
        [this] {
            db::Transaction tx;
            for (const procs::WorkRow& r : std::as_const(sourceRows_))
                addRow(r, true);
            tx.commit();
        },
        this);
    if (done) {
        sourceRows_.clear();
        showSource();
    }
    guarded([this] { relist(); }, this);
}

void Tworkidfrm::moveBack()
{
    const int row = work_->currentRow();
    guarded(
        [&] {
            if (sourceRows_.isEmpty()) {
                // The left list takes rows only after it was emptied of its order's processes.
                readSource(copyFrom_->currentText());
                sourceRows_.clear();
            }
            if (row < 0 || row >= rows_.size() || rows_[row].workname == QLatin1String("合计:"))
                return;
            procs::WorkRow r = rows_[row];
            if (r.workid.isNull())
                db::Query(QStringLiteral("DELETE FROM tempworkname WHERE id=:i")).bind(QStringLiteral(":i"), r.id).exec();
            else
                procs::sp_insertworkname(conn(), procs::WorknameOp::Remove, r.workid.toInt());
            sourceRows_.append(r);
            showSource();
            relist();
        },
        this);
}

void Tworkidfrm::moveAllBack()
{
    guarded(
        [this] {
            db::Query(QStringLiteral("DELETE FROM tempworkname")).exec();
            relist();
            readSource(copyFrom_->currentText());
        },
        this);
}

void Tworkidfrm::addProcess()
{
    if (rows_.isEmpty())
        return;
    guarded(
        [this] {
            procs::sp_insertworkname(conn(), procs::WorknameOp::Add, 0, QVariant(), QString(), 0, 0.0, 7.0, false);
            relist();
            work_->setCurrentCell(work_->rowCount() - 1, ColWorkid);
        },
        this);
}

void Tworkidfrm::deleteCurrent()
{
    const int row = work_->currentRow();
    if (rows_.isEmpty() || row < 0)
        return;
    guarded(
        [&] {
            db::Query(QStringLiteral("DELETE FROM tempworkname WHERE id=:i")).bind(QStringLiteral(":i"), rows_[row].id).exec();
            relist();
        },
        this);
}

void Tworkidfrm::clearAll()
{
    guarded(
        [this] {
            db::Query(QStringLiteral("DELETE FROM tempworkname")).exec();
            relist();
        },
        this);
}

bool Tworkidfrm::writeRow(int row)
{
    if (row < 0 || row >= rows_.size())
        return false;
    const int id = rows_[row].id;
    QVariant workid;
    QVariant priceone;
    QVariant pricetie;
    QVariant pieces;
    const QString idText = work_->item(row, ColWorkid)->text().trimmed();
    bool ok = true;
    if (!idText.isEmpty()) {
        workid = idText.toInt(&ok);
    }
    const procs::WorkRow& before = rows_[row];
    // A price cell left as shown keeps the stored value with all its decimals.
    auto price = [&](int column, const QVariant& stored, const QString& shown, QVariant* value) {
        const QString text = work_->item(row, column)->text();
        if (text == shown) {
            *value = stored;
            return true;
        }
        return parseNumber(text, value);
    };
    const QString piecesText = work_->item(row, ColPieces)->text().trimmed();
    int pieceCount = 0;
    if (!piecesText.isEmpty())
        pieceCount = piecesText.toInt(&ok);  // whole pieces only
    pieces = pieceCount;
    ok = ok && price(ColPrice, before.priceone, number(before.priceone, 4, QString(QChar(0x00A5))), &priceone) &&
         price(ColTie, before.pricetie, number(before.pricetie, 4), &pricetie);
    bool written = false;
    if (ok) {
        try {
            db::Query(QStringLiteral("UPDATE tempworkname SET workid=:e, workname=:d, priceone=:a, pricetie=:q, "
                                     "jianshu=:b, lbiao=:m WHERE id=:c"))
                .bind(QStringLiteral(":e"), workid)
                .bind(QStringLiteral(":d"), work_->item(row, ColName)->text().trimmed())
                .bind(QStringLiteral(":a"), priceone)
                .bind(QStringLiteral(":q"), pricetie)
                .bind(QStringLiteral(":b"), pieces.toInt())
                .bind(QStringLiteral(":m"), work_->item(row, ColMain)->checkState() == Qt::Checked)
                .bind(QStringLiteral(":c"), id)
                .exec();
            written = true;
        } catch (const db::DbError&) {
        }
    }
    if (!written)
        msg::error(kDuplicate, QStringLiteral("错误"), this);
    guarded([&] { relist(id); }, this);
    return written;
}

void Tworkidfrm::selectRow(int row)
{
    work_->setCurrentCell(row, 0);
}

void Tworkidfrm::newList()
{
    makeid_->clear();
    name_->clear();
    pieces_->clear();
    copyFrom_->setCurrentIndex(-1);
    date_->setDate(QDate::currentDate());
    sourceRows_.clear();
    showSource();
    clearAll();
}

void Tworkidfrm::findList()
{
    if (makeid().isEmpty()) {
        msg::info(QStringLiteral("请输入制单号"), QStringLiteral("提示信息"), this);
        return;
    }
    guarded(
        [this] {
            db::Query range(QStringLiteral("SELECT makeidname FROM worktotal, zhdan "
                                           "WHERE zhdan.makeid=worktotal.makeid AND worktotal.makeid=:a"));
            range.bind(QStringLiteral(":a"), makeid()).exec();
            if (range.next())
                name_->setText(range.value(0).toString());
            procs::loadSavedList(conn(), makeid());
            relist();
            if (copyFrom_->findText(makeid()) < 0)
                copyFrom_->insertItem(copyFrom_->count() - 1, makeid());
            copyFrom_->setCurrentIndex(copyFrom_->findText(makeid()));
            sourceOrder_ = makeid();
            sourceRows_.clear();  // all its processes are in the working list now
            showSource();
        },
        this);
}

bool Tworkidfrm::saveList()
{
    if (rows_.isEmpty()) {
        msg::info(QStringLiteral("没有信息可以保存"), QStringLiteral("提示信息"), this);
        return false;
    }
    bool saved = false;
    guarded(
        [&] {
            db::Query order(QStringLiteral("SELECT makeid FROM zhdan WHERE makeid=:a"));
            if (!order.bind(QStringLiteral(":a"), makeid()).exec().next()) {
                msg::info(kNoOrder, QStringLiteral("提示信息"), this);
                return;
            }
            try {
                // The saved list is replaced whole, or stays as it was. Coupons already
                // generated for a process must keep their process: checked inside, so coupons
                // generated meanwhile count too.
                db::Transaction tx;
                const QList<int> orphaned = procs::processesWithCouponsMissingFromList(conn(), makeid());
                if (!orphaned.isEmpty()) {
                    QStringList numbers;
                    for (int n : orphaned)
                        numbers << QString::number(n);
                    msg::warning(QStringLiteral("工序 %1 已经生成了菲票，不能删除或改号，工序表没有保存。\n"
                                                "请保留这些工序（原工序号）后再保存。")
                                     .arg(numbers.join(QStringLiteral("、"))),
                                 QStringLiteral("提示"), this);
                    return;
                }
                db::Query(QStringLiteral("DELETE FROM workname WHERE makeid=:a")).bind(QStringLiteral(":a"), makeid()).exec();
                procs::SP_insertmakeid(conn(), makeid(), date_->date());
                tx.commit();
            } catch (const db::DbError& e) {
                msg::error(QStringLiteral("保存不成功\n") + e.message(), QStringLiteral("错误"), this);
                return;
            }
            saved = true;
        },
        this);
    if (!saved)
        return false;
    msg::info(QStringLiteral("保存成功"), QStringLiteral("提示信息"), this);
    newList();
    return true;
}

report::ListReport Tworkidfrm::listReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("工序录入明细报表");
    r.headerLines = {QStringLiteral("制单号：%1    制单名称：%2").arg(makeid(), name_->text()) + QLatin1Char('\t') +
                     QStringLiteral("打印日期：") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))};
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    r.columns = {{QStringLiteral("工序号"), 1, right}, {QStringLiteral("工序名称"), 3},
                 {QStringLiteral("数量"), 1.2, right},  {QStringLiteral("单价"), 1.4, right},
                 {QStringLiteral("制单号"), 1.6},       {QStringLiteral("录入日期"), 1.6}};
    qint64 pieces = 0;
    Money amount;
    for (const procs::WorkRow& w : rows_) {
        pieces += w.jianshu;
        amount += Money::fromVariant(w.price) * w.jianshu;
        r.rows.append({w.workid.toString(), w.workname, QString::number(w.jianshu), number(w.price, 4), makeid(),
                       date_->date().toString(QStringLiteral("yyyy-MM-dd"))});
    }
    r.summary = QStringLiteral("合计：    数量：%1    金额：%2").arg(pieces).arg(amount.toString());
    return r;
}

void Tworkidfrm::closeEvent(QCloseEvent* event)
{
    if (!rows_.isEmpty() && !msg::ask(QStringLiteral("确认是否退出此模块"), QStringLiteral("询问"), this)) {
        event->ignore();
        return;
    }
    if (tableReady_ && conn().isOpen())
        guarded([] { procs::dropTempWorkname(conn()); }, this);
    tableReady_ = false;
    event->accept();
}
