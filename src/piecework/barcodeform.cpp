#include "piecework/barcodeform.h"

#include "common/db.h"
#include "common/entermovesfocus.h"
#include "common/listreport.h"
#include "common/messages.h"
#include "common/money.h"
#include "common/output.h"
#include "common/screenkit.h"
#include "orders/gongxuchack.h"
#include "piecework/yuangongcheck.h"
#include "server/pieceprocs.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kFailed = QStringLiteral("操作失误，请重新执行");
constexpr double kLetterWidthMm = 215.9;
constexpr double kLetterHeightMm = 279.4;

QLabel* shown(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setMinimumWidth(110);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

}  // namespace

Tbarcodefrm::Tbarcodefrm(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("条码工资单录入"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新  增", " 删  除", "保  存", " 保存所有 ", "打  印", "工序查询", "员工查询", "关闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    auto* person = new QGroupBox(QStringLiteral("员工"), this);
    personnelid_ = new QLineEdit(person);
    personnelid_->setMaxLength(50);
    name_ = shown(person);
    dept_ = shown(person);
    type_ = shown(person);
    auto* p = new QGridLayout(person);
    addField(p, 0, QStringLiteral("员工号："), personnelid_, 4);
    addField(p, 1, QStringLiteral("姓名："), name_, 4);
    addField(p, 2, QStringLiteral("所属部门："), dept_, 4);
    addField(p, 3, QStringLiteral("类型："), type_, 4);

    auto* coupon = new QGroupBox(QStringLiteral("菲票"), this);
    barcode_ = new QLineEdit(coupon);
    barcode_->setMaxLength(40);
    makeid_ = shown(coupon);
    makeidname_ = shown(coupon);
    total_ = shown(coupon);
    date_ = new QDateEdit(QDate::currentDate(), coupon);
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    collected_ = new QLabel(coupon);
    collected_->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* k = new QGridLayout(coupon);
    addField(k, 0, QStringLiteral("条形码："), barcode_, 5);
    addField(k, 1, QStringLiteral("制单号："), makeid_, 5);
    addField(k, 2, QStringLiteral("制单名称："), makeidname_, 5);
    addField(k, 3, QStringLiteral("件数："), total_, 5);
    addField(k, 4, QStringLiteral("日期："), date_, 5);
    k->addWidget(collected_, 1, 0, 1, 10);

    grid_ = new QTableWidget(0, 6, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("制单号"), QStringLiteral("工序"), QStringLiteral("工序名称"),
                                      QStringLiteral("单价"), QStringLiteral("数量"), QStringLiteral("日期")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setFocusPolicy(Qt::ClickFocus);  // Tab and Enter stay with the entry fields
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setStretchLastSection(true);

    money_ = shown(this);
    pieces_ = shown(this);
    auto* totals = new QHBoxLayout;
    totals->addStretch();
    totals->addWidget(new QLabel(QStringLiteral("合计  总额："), this));
    totals->addWidget(money_);
    totals->addWidget(new QLabel(QStringLiteral("总数："), this));
    totals->addWidget(pieces_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(person);
    layout->addWidget(coupon);
    layout->addWidget(grid_, 1);
    layout->addLayout(totals);
    resize(860, 560);

    for (QLineEdit* box : {personnelid_, barcode_}) {
        box->setProperty("enterMovesFocus", false);
        box->installEventFilter(this);
    }
    installEnterMovesFocus(this);

    connect(button(QStringLiteral("新  增")), &QPushButton::clicked, this, &Tbarcodefrm::barcodeEnter);
    connect(button(QStringLiteral(" 删  除")), &QPushButton::clicked, this, &Tbarcodefrm::btndeleteClick);
    connect(button(QStringLiteral("保  存")), &QPushButton::clicked, this, &Tbarcodefrm::btnsaveClick);
    connect(button(QStringLiteral(" 保存所有 ")), &QPushButton::clicked, this, &Tbarcodefrm::btnsaveallClick);
    connect(button(QStringLiteral("打  印")), &QPushButton::clicked, this,
            [this] { report::preview(listDocument(), this); });
    connect(button(QStringLiteral("工序查询")), &QPushButton::clicked, this, [this] {
        Tgongxuchackfrm lookup(this);
        lookup.exec();
    });
    connect(button(QStringLiteral("员工查询")), &QPushButton::clicked, this, [this] {
        Tyuangongcheckfrm lookup(this);
        if (lookup.exec() == QDialog::Accepted && !lookup.chosenPersonnelid().isEmpty()) {
            personnelid_->setText(lookup.chosenPersonnelid());
            personnelidEnter();
        }
    });
    connect(button(QStringLiteral("关闭")), &QPushButton::clicked, this, &QWidget::close);

    procs::createEntryList(db::Connection::main(), false);
    refreshTotals();
}

Tbarcodefrm::~Tbarcodefrm()
{
    // The records were written at scan time; only the list goes.
    db::Connection& c = db::Connection::main();
    if (!c.isOpen())
        return;
    try {
        procs::dropEntryList(c);
    } catch (const db::DbError&) {
        // gone with the connection
    }
}

QPushButton* Tbarcodefrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString Tbarcodefrm::nameText() const
{
    return name_->text();
}

QString Tbarcodefrm::deptText() const
{
    return dept_->text();
}

QString Tbarcodefrm::makeidText() const
{
    return makeid_->text();
}

QString Tbarcodefrm::collectedText() const
{
    return collected_->text();
}

QString Tbarcodefrm::moneyText() const
{
    return money_->text();
}

QString Tbarcodefrm::piecesText() const
{
    return pieces_->text();
}

void Tbarcodefrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A scanning desk starts here: the employee number first, no mouse needed.
    QTimer::singleShot(0, personnelid_, [box = personnelid_] { box->setFocus(Qt::OtherFocusReason); });
}

bool Tbarcodefrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == personnelid_)
                personnelidEnter();
            else if (watched == barcode_ && !barcode_->text().trimmed().isEmpty())
                barcodeEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tbarcodefrm::personnelidEnter()
{
    if (personnelid_->text().trimmed().isEmpty())
        return;
    try {
        // An unknown number is not refused: its name and department stay empty.
        const procs::Employee e = procs::employee(db::Connection::main(), personnelid_->text());
        name_->setText(e.name);
        dept_->setText(e.dept);
        type_->setText(e.type);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
        return;
    }
    refreshTotals();
    barcode_->setFocus();
}

void Tbarcodefrm::barcodeEnter()
{
    procs::Employee who;
    who.id = personnelid_->text().trimmed();
    who.name = name_->text();
    who.dept = dept_->text();
    collected_->clear();
    procs::Scan scan;
    try {
        scan = procs::scanCoupon(db::Connection::main(), who, barcode_->text(), date_->date());
    } catch (const db::DbError& e) {
        msg::error(kFailed + QStringLiteral("\n") + e.message(), QStringLiteral("错误"), this);
        barcode_->selectAll();
        return;
    }
    switch (scan.outcome) {
    case procs::Scan::Empty:
        return;
    case procs::Scan::AlreadyCollected:
        // Who has it already, so the clerk can settle it at the desk.
        collected_->setText(QStringLiteral("条形码 %1 已由 %2 %3 于 %4 录入")
                                .arg(scan.barcode, scan.by.personnelid.isEmpty() ? QStringLiteral("（无员工号）")
                                                                                 : scan.by.personnelid,
                                     scan.by.personnelname, scan.by.makedate.toString(QStringLiteral("yyyy-MM-dd"))));
        msg::warning(QStringLiteral("此条形已输入过"), QStringLiteral("提示"), this);
        barcode_->setFocus();
        barcode_->selectAll();
        return;
    case procs::Scan::Unknown:
        msg::warning(QStringLiteral("无此条形码"), QStringLiteral("提示"), this);
        barcode_->setFocus();
        barcode_->selectAll();
        return;
    case procs::Scan::Written:
        break;
    }
    makeid_->setText(scan.coupon.makeid);
    makeidname_->setText(scan.coupon.makeidname);
    total_->setText(QString::number(scan.coupon.makeidtotal));
    const int r = grid_->rowCount();
    grid_->insertRow(r);
    const QStringList cells{scan.coupon.makeid, QString::number(scan.coupon.workid), scan.coupon.workname,
                            scan.coupon.price.plainText(), QString::number(scan.coupon.amount),
                            date_->date().toString(QStringLiteral("yyyy-MM-dd"))};
    for (int i = 0; i < cells.size(); ++i)
        grid_->setItem(r, i, new QTableWidgetItem(cells[i]));
    rowBarcodes_ << scan.barcode;
    grid_->setCurrentCell(r, 0);
    money_->setText(scan.totals.money.toString(3));
    pieces_->setText(QString::number(scan.totals.pieces));
    barcode_->clear();
    barcode_->setFocus();
}

void Tbarcodefrm::btnsaveClick()
{
    if (barcode_->text().trimmed().isEmpty()) {
        msg::warning(QStringLiteral("条形码不能为空"), QStringLiteral("警告"), this);
        return;
    }
    barcodeEnter();
}

void Tbarcodefrm::btndeleteClick()
{
    if (!msg::ask(QStringLiteral("确认要删除此记录吗？"), QStringLiteral("询问"), this))
        return;
    const int r = grid_->currentRow();
    if (r < 0 || r >= rowBarcodes_.size())
        return;
    try {
        db::Transaction tx;
        for (const char* table : {"countmakeid", "tempcountmakeid"})
            db::Query(QStringLiteral("DELETE FROM %1 WHERE barcode=:b1").arg(QLatin1String(table)))
                .bind(QStringLiteral(":b1"), rowBarcodes_[r])
                .exec();
        tx.commit();
    } catch (const db::DbError& e) {
        msg::error(kFailed + QStringLiteral("\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    grid_->removeRow(r);
    rowBarcodes_.removeAt(r);
    refreshTotals();
}

void Tbarcodefrm::btnsaveallClick()
{
    const QString who = personnelid_->text().trimmed();
    if (who.isEmpty()) {
        msg::warning(QStringLiteral("员工号不能位空"), QStringLiteral("警告"), this);
        return;
    }
    if (grid_->rowCount() == 0) {
        msg::info(QStringLiteral("没有操作的数据对象请先录入数据，再执行此操作"), QStringLiteral("提示信息"), this);
        return;
    }
    try {
        db::Query(QStringLiteral("DELETE FROM tempcountmakeid WHERE personnelid=:p1")).bind(QStringLiteral(":p1"), who).exec();
    } catch (const db::DbError& e) {
        msg::error(kFailed + QStringLiteral("\n") + e.message(), QStringLiteral("错误"), this);
        return;
    }
    msg::info(QStringLiteral("保存完毕"), QStringLiteral("信息提示"), this);
    reloadList();
}

void Tbarcodefrm::reloadList()
{
    grid_->setRowCount(0);
    rowBarcodes_.clear();
    try {
        db::Query q(QStringLiteral("SELECT makeid, workid, workname, price, amount, makedate, barcode FROM tempcountmakeid "
                                   "ORDER BY BILL"));
        q.exec();
        while (q.next()) {
            const int r = grid_->rowCount();
            grid_->insertRow(r);
            const QStringList cells{q.value(0).toString().trimmed(), q.value(1).toString(), q.value(2).toString().trimmed(),
                                    Money::fromVariant(q.value(3)).plainText(), q.value(4).toString(),
                                    db::toDate(q.value(5)).toString(QStringLiteral("yyyy-MM-dd"))};
            for (int i = 0; i < cells.size(); ++i)
                grid_->setItem(r, i, new QTableWidgetItem(cells[i]));
            rowBarcodes_ << q.value(6).toString().trimmed();
        }
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), this);
    }
    refreshTotals();
}

void Tbarcodefrm::refreshTotals()
{
    procs::Totals t;
    try {
        t = procs::employeeTotals(db::Connection::main(), personnelid_->text().trimmed());
    } catch (const db::DbError&) {
        // shown as nothing
    }
    money_->setText(t.money.toString(3));
    pieces_->setText(QString::number(t.pieces));
}

report::Document Tbarcodefrm::listDocument() const
{
    report::ListReport r;
    r.title = QStringLiteral("Osmira统计报表");
    r.titlePointSize = 20;
    r.paperMm = QSizeF(kLetterWidthMm, kLetterHeightMm);
    r.landscape = true;
    r.marginMm = 6.35;
    const QString who = personnelid_->text().trimmed();
    r.headerLines << QStringLiteral("部门：%1    姓名：%2    工号：%3\t打印时间：%4")
                         .arg(dept_->text(), name_->text(), who, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    r.columns = {{QStringLiteral("制单号"), 2},        {QStringLiteral("工序号"), 1, right}, {QStringLiteral("工序名称"), 3},
                 {QStringLiteral("单价"), 1.2, right}, {QStringLiteral("数量"), 1, right},   {QStringLiteral("小计"), 1.4, right},
                 {QStringLiteral("日期"), 1.8}};
    qint64 pieces = 0;
    Money money;
    db::Query q(QStringLiteral("SELECT makeid, workid, workname, price, amount, makedate FROM tempcountmakeid "
                               "WHERE personnelid=:a ORDER BY BILL"));
    q.bind(QStringLiteral(":a"), who).exec();
    while (q.next()) {
        const Money price = Money::fromVariant(q.value(3));
        const qint64 amount = q.value(4).toLongLong();
        const Money subtotal = price * amount;
        pieces += amount;
        money += subtotal;
        r.rows.append({q.value(0).toString().trimmed(), q.value(1).toString(), q.value(2).toString().trimmed(),
                       price.toString(2), QString::number(amount), subtotal.toString(2),
                       db::toDate(q.value(5)).toString(QStringLiteral("yyyy-MM-dd"))});
    }
    // The money under 小计, the pieces under 数量.
    r.summary = QStringLiteral("合计（金额单位为‘元’）    数量：%1    小计：%2").arg(pieces).arg(money.toString(2));
    return report::layout(r);
}
