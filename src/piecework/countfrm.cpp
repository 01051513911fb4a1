#include "piecework/countfrm.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/messages.h"
#include "common/money.h"
#include "common/screenkit.h"
#include "orders/gongxuchack.h"
#include "piecework/printjifei.h"
#include "piecework/yuangongcheck.h"
#include "server/pieceprocs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

namespace {

// Quantities are decimals with up to 4 places, held exactly in ten-thousandths the way Money
// holds amounts; Money's parsing and plain formatting ("12.5", "120") serve them as they are.
using Quantity = Money;

const QString kNotANumber = QStringLiteral("你输入的不是一个有效的数字");
constexpr qint64 kUnitsPerPiece = 10000;

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A positive quantity from text; false for anything else.
bool parseQuantity(const QString& text, Quantity* q)
{
    bool ok = false;
    *q = Quantity::fromString(text.trimmed(), &ok);
    return ok && q->units() > 0;
}

qint64 roundedPieces(Quantity q)
{
    return (q.units() + kUnitsPerPiece / 2) / kUnitsPerPiece;
}

bool isWhole(Quantity q)
{
    return q.units() % kUnitsPerPiece == 0;
}

// A sum(amount) result: 0 when there are no rows.
Quantity sumOf(db::Query& q)
{
    q.exec();
    if (!q.next() || q.value(0).isNull())
        return Quantity();
    return Quantity::fromVariant(q.value(0));
}

QTableWidgetItem* cell(const QString& text, bool number, bool editable = false)
{
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

constexpr int kBillRole = Qt::UserRole;        // on the 制单号 cell: the list row's BILL
constexpr int kPersonRole = Qt::UserRole + 1;  // on the 制单号 cell: the row's employee number
constexpr int kShownRole = Qt::UserRole + 2;   // on editable cells: the value last stored

}  // namespace

Tcountfrm::Tcountfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("countfrm"));
    setWindowTitle(QStringLiteral("手工计件录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新  增", "删  除", "保  存", "打  印", " 工序查询 ", "员工查询"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    personnelid_ = new QLineEdit(this);
    personnelid_->setMaxLength(20);
    name_ = new QLabel(this);
    dept_ = new QLabel(this);
    type_ = new QLabel(this);
    auto* employeeBox = new QGroupBox(this);
    auto* employeeGrid = new QGridLayout(employeeBox);
    addField(employeeGrid, 0, QStringLiteral("员工号："), personnelid_, 4);
    addField(employeeGrid, 1, QStringLiteral("姓名："), name_, 4);
    addField(employeeGrid, 2, QStringLiteral("所属部门："), dept_, 4);
    addField(employeeGrid, 3, QStringLiteral("类型："), type_, 4);

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    workid_ = new QLineEdit(this);
    numericBox(workid_, 0);
    amount_ = new QLineEdit(this);
    numericBox(amount_, 4, 99999999);
    date_ = new QDateEdit(QDate::currentDate(), this);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    makeidname_ = new QLabel(this);
    workname_ = new QLabel(this);
    price_ = new QLabel(this);
    auto* entryBox = new QGroupBox(this);
    auto* entryGrid = new QGridLayout(entryBox);
    addField(entryGrid, 0, QStringLiteral("制单号："), makeid_, 4);
    addField(entryGrid, 1, QStringLiteral("制单名称："), makeidname_, 4);
    addField(entryGrid, 2, QStringLiteral("工序号："), workid_, 4);
    addField(entryGrid, 3, QStringLiteral("工序名称："), workname_, 4);
    addField(entryGrid, 4, QStringLiteral("件  数："), amount_, 4);
    addField(entryGrid, 5, QStringLiteral("单价："), price_, 4);
    addField(entryGrid, 6, QStringLiteral("日  期："), date_, 4);

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("制单号"), QStringLiteral("工序"), QStringLiteral("工序名称"),
                                      QStringLiteral("单价"), QStringLiteral("数量"), QStringLiteral("时间")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Double-click edits a line's quantity or date; the other fields come from the lookups.
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* printPerson = new QAction(QStringLiteral("打印个人"), grid_);
    auto* printDept = new QAction(QStringLiteral("部门打印"), grid_);
    printDept->setEnabled(false);  // a department's list is printed from 打  印 by choosing the department
    grid_->addAction(printPerson);
    grid_->addAction(printDept);

    moneyTotal_ = new QLabel(this);
    amountTotal_ = new QLabel(this);
    note_ = new QLabel(this);
    note_->setStyleSheet(QStringLiteral("color: #a00000"));
    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("合计"), this));
    totals->addSpacing(16);
    totals->addWidget(new QLabel(QStringLiteral("金额："), this));
    totals->addWidget(moneyTotal_);
    totals->addSpacing(16);
    totals->addWidget(new QLabel(QStringLiteral("数量："), this));
    totals->addWidget(amountTotal_);
    totals->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(employeeBox);
    layout->addWidget(entryBox);
    layout->addWidget(grid_, 1);
    layout->addLayout(totals);
    layout->addWidget(note_);
    resize(760, 560);

    setTabOrder(personnelid_, makeid_);
    setTabOrder(makeid_, workid_);
    setTabOrder(workid_, amount_);
    setTabOrder(amount_, date_);

    // Enter in 员工号 looks the employee up; Enter in 件  数 adds the line. The other boxes pass
    // the focus on.
    for (QLineEdit* box : {personnelid_, amount_}) {
        box->setProperty("enterMovesFocus", false);
        box->installEventFilter(this);
    }
    installEnterMovesFocus(this);

    onLeave(personnelid_, [this] {
        if (personnelid_->text().trimmed() != checkedEmployee_)
            acceptEmployee();
    });
    onLeave(makeid_, [this] { acceptOrder(); });
    onLeave(workid_, [this] { acceptProcess(); });
    connect(personnelid_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed() != checkedEmployee_) {
            name_->clear();
            dept_->clear();
            type_->clear();
        }
    });
    connect(makeid_, &QLineEdit::textEdited, makeidname_, &QLabel::clear);
    connect(workid_, &QLineEdit::textEdited, this, [this] {
        workname_->clear();
        price_->clear();
    });

    connect(button(QStringLiteral("新  增")), &QPushButton::clicked, this, &Tcountfrm::btnaddClick);
    connect(button(QStringLiteral("删  除")), &QPushButton::clicked, this, &Tcountfrm::btndeleteClick);
    connect(button(QStringLiteral("保  存")), &QPushButton::clicked, this, &Tcountfrm::btnsaveClick);
    connect(button(QStringLiteral("打  印")), &QPushButton::clicked, this, &Tcountfrm::btnprintClick);
    connect(button(QStringLiteral(" 工序查询 ")), &QPushButton::clicked, this, &Tcountfrm::btnworkClick);
    connect(button(QStringLiteral("员工查询")), &QPushButton::clicked, this, &Tcountfrm::btnpersonClick);
    connect(printPerson, &QAction::triggered, this, &Tcountfrm::btnprintClick);
    connect(grid_, &QTableWidget::itemChanged, this, &Tcountfrm::gridItemChanged);

    try {
        procs::createEntryList(db::Connection::main(), true);
        refreshList();
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    refreshTotals();
}

Tcountfrm::~Tcountfrm()
{
    if (!closing_) {
        // Destroyed without being closed: the list table still goes with the screen.
        try {
            if (db::Connection::main().isOpen())
                procs::dropEntryList(db::Connection::main());
        } catch (const db::DbError&) {
        }
    }
}

QPushButton* Tcountfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString Tcountfrm::nameText() const { return name_->text(); }
QString Tcountfrm::deptText() const { return dept_->text(); }
QString Tcountfrm::typeText() const { return type_->text(); }
QString Tcountfrm::makeidnameText() const { return makeidname_->text(); }
QString Tcountfrm::worknameText() const { return workname_->text(); }
QString Tcountfrm::priceText() const { return price_->text(); }
QString Tcountfrm::moneyTotalText() const { return moneyTotal_->text(); }
QString Tcountfrm::amountTotalText() const { return amountTotal_->text(); }
QString Tcountfrm::roundingNote() const { return note_->text(); }

int Tcountfrm::lines() const
{
    return grid_->rowCount();
}

qint64 Tcountfrm::wholePieces(const QString& quantity)
{
    Quantity q;
    return parseQuantity(quantity, &q) ? roundedPieces(q) : 0;
}

void Tcountfrm::focusLater(QWidget* box)
{
    QTimer::singleShot(0, box, [box] { box->setFocus(); });
}

void Tcountfrm::acceptEmployee()
{
    const QString id = personnelid_->text().trimmed();
    if (id.isEmpty() || closing_)
        return;
    checkedEmployee_ = id;
    try {
        const procs::Employee e = procs::employee(db::Connection::main(), id);
        if (!e.found) {
            name_->clear();
            dept_->clear();
            type_->clear();
            msg::warning(QStringLiteral("无此员工号"), QStringLiteral("提示"), this);
            personnelid_->selectAll();
            refreshTotals();
            return;
        }
        name_->setText(e.name);
        dept_->setText(e.dept);
        type_->setText(e.type);
        refreshTotals();
        focusLater(makeid_);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tcountfrm::acceptOrder()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty() || closing_)
        return;
    try {
        db::Query q(QStringLiteral("SELECT makeidname FROM zhdan WHERE makeid=:m1"));
        q.bind(QStringLiteral(":m1"), makeid).exec();
        if (q.next()) {
            makeidname_->setText(q.value(0).toString());
            return;
        }
        makeidname_->clear();
        msg::warning(QStringLiteral("无此制单号"), QStringLiteral("提示"), this);
        makeid_->clear();
        focusLater(makeid_);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

Tcountfrm::Process Tcountfrm::lookUpProcess(const QString& makeid, int workid)
{
    Process p;
    db::Query q(QStringLiteral("SELECT workname, price, maketotal FROM workname WHERE makeid=:m1 AND workid=:w1"));
    q.bind(QStringLiteral(":m1"), makeid).bind(QStringLiteral(":w1"), workid).exec();
    if (q.next()) {
        p.found = true;
        p.workname = q.value(0).toString();
        p.price = Money::fromVariant(q.value(1)).storageText();
        // A process without a quantity has nothing to compare with: -1.
        p.maketotal = q.value(2).isNull() ? -1 : q.value(2).toLongLong();
    }
    return p;
}

void Tcountfrm::acceptProcess()
{
    const QString text = workid_->text().trimmed();
    const QString makeid = makeid_->text().trimmed();
    // A process number means something only within an order.
    if (text.isEmpty() || makeid.isEmpty() || closing_)
        return;
    try {
        const Process p = lookUpProcess(makeid, text.toInt());
        if (p.found) {
            workname_->setText(p.workname);
            price_->setText(Money::fromString(p.price).plainText());
            return;
        }
        workname_->clear();
        price_->clear();
        msg::warning(QStringLiteral("无此工序号"), QStringLiteral("提示"), this);
        workid_->clear();
        focusLater(workid_);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
}

void Tcountfrm::amountEnter()
{
    const QString makeid = makeid_->text().trimmed();
    const QString workText = workid_->text().trimmed();
    const QString amountText = amount_->text().trimmed();
    if (closing_ || makeid.isEmpty() || workText.isEmpty() || amountText.isEmpty())
        return;
    Quantity q;
    if (!parseQuantity(amountText, &q)) {
        msg::warning(kNotANumber, QStringLiteral("提示"), this);
        amount_->selectAll();
        return;
    }
    if (roundedPieces(q) == 0) {
        // Would be stored as no piece at all.
        msg::warning(QStringLiteral("件数 %1 按四舍五入计为 0 件，不能录入").arg(q.plainText()), QStringLiteral("提示"), this);
        amount_->selectAll();
        return;
    }
    const QString personnelid = personnelid_->text().trimmed();
    if (personnelid.isEmpty()) {
        msg::warning(QStringLiteral("员工号不能为空"), QStringLiteral("警告"), this);
        focusLater(personnelid_);
        return;
    }
    const int workid = workText.toInt();
    try {
        db::Connection& c = db::Connection::main();
        // The shown texts may be stale when a box was changed without leaving it: look all up again.
        checkedEmployee_ = personnelid;
        const procs::Employee e = procs::employee(c, personnelid);
        if (!e.found) {
            name_->clear();
            dept_->clear();
            type_->clear();
            msg::warning(QStringLiteral("无此员工号"), QStringLiteral("提示"), this);
            focusLater(personnelid_);
            return;
        }
        name_->setText(e.name);
        dept_->setText(e.dept);
        type_->setText(e.type);
        db::Query order(QStringLiteral("SELECT makeidname FROM zhdan WHERE makeid=:m1"));
        order.bind(QStringLiteral(":m1"), makeid).exec();
        if (!order.next()) {
            makeidname_->clear();
            msg::warning(QStringLiteral("无此制单号"), QStringLiteral("提示"), this);
            makeid_->clear();
            focusLater(makeid_);
            return;
        }
        const Process p = lookUpProcess(makeid, workid);
        if (!p.found) {
            workname_->clear();
            price_->clear();
            msg::warning(QStringLiteral("无此工序号"), QStringLiteral("提示"), this);
            workid_->clear();
            focusLater(workid_);
            return;
        }

        // The quantity check: over the process quantity, with what is in the list, with what is
        // already collected. Only a warning; the line is added in every case.
        if (p.maketotal >= 0) {
            const Quantity total = Quantity::fromUnits(p.maketotal * kUnitsPerPiece);
            db::Query listed(QStringLiteral("SELECT sum(amount) AS amount FROM tempcountmakeid WHERE (workid=:a) AND (makeid=:b)"));
            listed.bind(QStringLiteral(":a"), workid).bind(QStringLiteral(":b"), makeid);
            const Quantity inList = sumOf(listed);
            db::Query stored(QStringLiteral("SELECT sum(amount) AS amount FROM countmakeid WHERE (workid=:a) AND (makeid=:b)"));
            stored.bind(QStringLiteral(":a"), workid).bind(QStringLiteral(":b"), makeid);
            const Quantity collected = sumOf(stored);
            const QString para = QStringLiteral("\n\n");
            QString warning;
            if (total < q) {
                warning = QStringLiteral("＝＝＝《您录入的数据已经超过此工序的总数》＝＝＝") + para +
                          QStringLiteral("总件数是：") + total.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("当前录入件数是：") + q.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("超出件数为：") + (q - total).plainText() + QStringLiteral("件");
            } else if (total < q + inList) {
                warning = QStringLiteral("＝＝＝《您录入的数据已经超过此工序的总数＝＝＝》") + para +
                          QStringLiteral("总件数是：") + total.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("当前录入件数是：") + q.plainText() + QStringLiteral("件.") +
                          QStringLiteral("以前录入：") + inList.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("超出件数为：") + (q + inList - total).plainText() + QStringLiteral("件");
            } else if (total < q + inList + collected) {
                warning = QStringLiteral("＝＝＝＝《您录入的数据已经超过此工序的总数》＝＝＝＝") + para +
                          QStringLiteral("总件数是：") + total.plainText() + QStringLiteral("件。") +
                          QStringLiteral("以前录入：") + collected.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("当前录入件数是：") + q.plainText() + QStringLiteral("件") + para +
                          QStringLiteral("超出件数为：") + (q + inList + collected - total).plainText() +
                          QStringLiteral("件");
            }
            if (!warning.isEmpty())
                msg::warning(warning, QStringLiteral("提示"), this);
        }

        db::Query add(QStringLiteral("INSERT INTO tempcountmakeid (personnelid, personnelname, deptname, type, makeid, workid, "
                                     "workname, price, amount, makedate) VALUES(:personnelid, :personnelname, :deptname, "
                                     ":type, :makeid, :workid, :workname, :price, :amount, :makedate)"));
        add.bind(QStringLiteral(":personnelid"), personnelid)
            .bind(QStringLiteral(":personnelname"), e.name)
            .bind(QStringLiteral(":deptname"), e.dept)
            .bind(QStringLiteral(":type"), e.type.left(10))
            .bind(QStringLiteral(":makeid"), makeid)
            .bind(QStringLiteral(":workid"), workid)
            .bind(QStringLiteral(":workname"), p.workname)
            .bind(QStringLiteral(":price"), Money::fromString(p.price))
            .bind(QStringLiteral(":amount"), q)
            .bind(QStringLiteral(":makedate"), date_->date())
            .exec();
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    makeid_->clear();
    workid_->clear();
    amount_->clear();
    makeidname_->clear();
    workname_->clear();
    price_->clear();
    refreshList();
    refreshTotals();
    noteRounding(amountText);
    focusLater(makeid_);
}

void Tcountfrm::noteRounding(const QString& quantity)
{
    Quantity q;
    if (!parseQuantity(quantity, &q) || isWhole(q))
        return;
    const QString text = QStringLiteral("件数 %1 不是整数，保存时按四舍五入计为 %2 件")
                             .arg(q.plainText())
                             .arg(roundedPieces(q));
    note_->setText(QStringLiteral("注：") + text + QStringLiteral("（带小数的件数一律按四舍五入保存为整件）"));
    msg::info(text, QStringLiteral("提示"), this);
}

void Tcountfrm::btnaddClick()
{
    checkedEmployee_.clear();
    personnelid_->clear();
    makeid_->clear();
    workid_->clear();
    amount_->clear();
    clearShown();
    refreshTotals();
    personnelid_->setFocus();
}

void Tcountfrm::clearShown()
{
    for (QLabel* label : {name_, dept_, type_, makeidname_, workname_, price_})
        label->clear();
}

void Tcountfrm::btndeleteClick()
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount())
        return;
    try {
        db::Query q(QStringLiteral("DELETE FROM tempcountmakeid WHERE BILL=:b"));
        q.bind(QStringLiteral(":b"), grid_->item(row, MakeidCol)->data(kBillRole).toInt()).exec();
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    refreshList();
    refreshTotals();
}

bool Tcountfrm::btnsaveClick()
{
    // A quantity or date still open in the grid's editor is stored first.
    if (QWidget* editor = QApplication::focusWidget(); editor && editor != grid_ && grid_->isAncestorOf(editor))
        grid_->setFocus();
    struct Line {
        QVariant personnelid, personnelname, deptname, makeid, workid, workname, price, amount, makedate;
    };
    try {
        db::Transaction tx;
        std::vector<Line> lines;
        db::Query rows(QStringLiteral("SELECT personnelid, personnelname, deptname, makeid, workid, workname, price, amount, "
                                      "makedate FROM tempcountmakeid ORDER BY BILL"));
        rows.exec();
        while (rows.next())
            lines.push_back({rows.value(0), rows.value(1), rows.value(2), rows.value(3), rows.value(4), rows.value(5),
                             rows.value(6), rows.value(7), rows.value(8)});
        for (const Line& l : lines) {
            db::Query insert(QStringLiteral("INSERT INTO countmakeid (personnelid, personnelname, deptname, makeid, workid, "
                                            "workname, price, amount, makedate) VALUES(:personnelid, :personnelname, "
                                            ":deptname, :makeid, :workid, :workname, :price, :amount, :makedate)"));
            insert.bind(QStringLiteral(":personnelid"), l.personnelid.toString())
                .bind(QStringLiteral(":personnelname"), l.personnelname.toString())
                .bind(QStringLiteral(":deptname"), l.deptname.toString())
                .bind(QStringLiteral(":makeid"), l.makeid.toString())
                .bind(QStringLiteral(":workid"), l.workid)
                .bind(QStringLiteral(":workname"), l.workname.toString())
                .bind(QStringLiteral(":price"), Money::fromVariant(l.price))
                .bind(QStringLiteral(":amount"), QVariant(roundedPieces(Quantity::fromVariant(l.amount))))
                .bind(QStringLiteral(":makedate"), db::toDate(l.makedate))
                .exec();
        }
        db::Query(QStringLiteral("DELETE FROM tempcountmakeid")).exec();
        tx.commit();
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return false;
    }
    refreshList();
    checkedEmployee_.clear();
    for (QLineEdit* box : {personnelid_, makeid_, workid_, amount_})
        box->clear();
    clearShown();
    note_->clear();
    refreshTotals();
    msg::info(QStringLiteral("保存成功"), QStringLiteral("提示信息"), this);
    return true;
}

void Tcountfrm::btnprintClick()
{
    Tprintjifeifrm dialog(this);
    // The employee of the current line, else the one being entered.
    QString personnelid = personnelid_->text().trimmed();
    if (const int row = grid_->currentRow(); row >= 0 && row < grid_->rowCount())
        personnelid = grid_->item(row, MakeidCol)->data(kPersonRole).toString();
    if (!personnelid.isEmpty())
        dialog.setEmployee(personnelid);
    dialog.exec();
}

void Tcountfrm::btnworkClick()
{
    Tgongxuchackfrm dialog(this);
    if (dialog.exec() != QDialog::Accepted || !dialog.hasChoice())
        return;
    makeid_->setText(dialog.chosenMakeid());
    acceptOrder();
    workid_->setText(QString::number(dialog.chosenWorkid()));
    acceptProcess();
    focusLater(amount_);
}

void Tcountfrm::btnpersonClick()
{
    Tyuangongcheckfrm dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenPersonnelid().isEmpty())
        return;
    personnelid_->setText(dialog.chosenPersonnelid());
    acceptEmployee();
}

void Tcountfrm::refreshList()
{
    refreshing_ = true;
    const int current = grid_->currentRow();
    grid_->setRowCount(0);
    db::Query q(QStringLiteral("SELECT BILL, makeid, workid, workname, price, amount, makedate, personnelid "
                               "FROM tempcountmakeid ORDER BY BILL"));
    q.exec();
    while (q.next()) {
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        auto* first = cell(q.value(1).toString(), false);
        first->setData(kBillRole, q.value(0).toInt());
        first->setData(kPersonRole, q.value(7).toString());
        grid_->setItem(row, MakeidCol, first);
        grid_->setItem(row, WorkidCol, cell(q.value(2).toString(), true));
        grid_->setItem(row, WorknameCol, cell(q.value(3).toString(), false));
        grid_->setItem(row, PriceCol, cell(Money::fromVariant(q.value(4)).toString(2), true));
        const QString amount = Quantity::fromVariant(q.value(5)).plainText();
        auto* amountCell = cell(amount, true, true);
        amountCell->setData(kShownRole, amount);
        grid_->setItem(row, AmountCol, amountCell);
        const QString date = db::toDate(q.value(6)).toString(QStringLiteral("yyyy-MM-dd"));
        auto* dateCell = cell(date, false, true);
        dateCell->setData(kShownRole, date);
        grid_->setItem(row, DateCol, dateCell);
    }
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(qBound(0, current, grid_->rowCount() - 1), MakeidCol);
    refreshing_ = false;
}

void Tcountfrm::refreshTotals()
{
    const QString personnelid = personnelid_->text().trimmed();
    if (personnelid.isEmpty()) {
        moneyTotal_->clear();
        amountTotal_->clear();
        return;
    }
    Quantity pieces;
    Money money;
    try {
        db::Query q(QStringLiteral("SELECT price, amount FROM tempcountmakeid WHERE personnelid=:a"));
        q.bind(QStringLiteral(":a"), personnelid).exec();
        while (q.next()) {
            const Money price = Money::fromVariant(q.value(0));
            const Quantity amount = Quantity::fromVariant(q.value(1));
            pieces += amount;
            // price × amount in ten-thousandths of a yuan, rounded half up.
            money += Money::fromUnits((price.units() * amount.units() + kUnitsPerPiece / 2) / kUnitsPerPiece);
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    moneyTotal_->setText(money.toString(3));
    amountTotal_->setText(pieces.plainText());
}

void Tcountfrm::gridItemChanged(QTableWidgetItem* item)
{
    if (refreshing_ || !item || (item->column() != AmountCol && item->column() != DateCol))
        return;
    const int bill = grid_->item(item->row(), MakeidCol)->data(kBillRole).toInt();
    const QString text = item->text().trimmed();
    const auto revert = [this, item] {
        refreshing_ = true;
        item->setText(item->data(kShownRole).toString());
        refreshing_ = false;
    };
    try {
        if (item->column() == AmountCol) {
            Quantity q;
            if (!parseQuantity(text, &q) || roundedPieces(q) == 0) {
                msg::warning(kNotANumber, QStringLiteral("提示"), this);
                revert();
                return;
            }
            db::Query u(QStringLiteral("UPDATE tempcountmakeid SET amount=:a WHERE BILL=:b"));
            u.bind(QStringLiteral(":a"), q).bind(QStringLiteral(":b"), bill).exec();
            refreshing_ = true;
            item->setText(q.plainText());
            item->setData(kShownRole, q.plainText());
            refreshing_ = false;
            refreshTotals();
            noteRounding(text);
        } else {
            const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid()) {
                msg::warning(QStringLiteral("日期请按“年-月-日”输入，例如 2024-03-31"), QStringLiteral("提示"), this);
                revert();
                return;
            }
            db::Query u(QStringLiteral("UPDATE tempcountmakeid SET makedate=:d WHERE BILL=:b"));
            u.bind(QStringLiteral(":d"), date).bind(QStringLiteral(":b"), bill).exec();
            refreshing_ = true;
            item->setData(kShownRole, text);
            refreshing_ = false;
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        revert();
    }
}

void Tcountfrm::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    if (hasUnsavedLines() &&
        msg::ask(QStringLiteral("您输入的数据尚未保存，是否现在存档？"), QStringLiteral("询问"), this, false) &&
        !btnsaveClick()) {
        // The save failed: the lines stay on the screen rather than being lost.
        closing_ = false;
        event->ignore();
        return;
    }
    try {
        procs::dropEntryList(db::Connection::main());
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    event->accept();
}

bool Tcountfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (isEnter(event)) {
        if (watched == personnelid_) {
            acceptEmployee();
            return true;
        }
        if (watched == amount_) {
            amountEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
