#include "piecework/printjifei.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/money.h"
#include "common/output.h"
#include "common/screenkit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSizeF kLetterMm(215.9, 279.4);
constexpr double kMarginMm = 6.35;

QDateEdit* dateBox(const QDate& date, QWidget* parent)
{
    auto* box = new QDateEdit(date, parent);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return box;
}

}  // namespace

Tprintjifeifrm::Tprintjifeifrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("printjifeifrm"));
    setWindowTitle(QStringLiteral("计飞打印"));

    dept_ = new QComboBox(this);
    name_ = new QComboBox(this);
    personnelid_ = new QLineEdit(this);
    personnelid_->setMaxLength(20);
    from_ = dateBox(QDate::currentDate().addDays(-30), this);
    to_ = dateBox(QDate::currentDate(), this);
    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("部门："), dept_);
    addField(fields, 1, QStringLiteral("姓名："), name_);
    addField(fields, 2, QStringLiteral("工号："), personnelid_);
    addField(fields, 4, QStringLiteral("从："), from_);
    addField(fields, 5, QStringLiteral("到："), to_);

    auto* tools = new QHBoxLayout;
    tools->addStretch();
    buttons_ << addButton(tools, QStringLiteral("打印"), this) << addButton(tools, QStringLiteral("取消"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(tools);

    connect(dept_, &QComboBox::activated, this, &Tprintjifeifrm::deptChosen);
    connect(name_, &QComboBox::activated, this, &Tprintjifeifrm::nameChosen);
    connect(button(QStringLiteral("打印")), &QPushButton::clicked, this, &Tprintjifeifrm::btnprintClick);
    connect(button(QStringLiteral("取消")), &QPushButton::clicked, this, &QDialog::reject);

    guarded([this] {
        db::Query q(QStringLiteral("SELECT DISTINCT deptname FROM dept WHERE deptname IS NOT NULL ORDER BY deptname"));
        q.exec();
        while (q.next())
            dept_->addItem(q.value(0).toString().trimmed());
        dept_->setCurrentIndex(-1);
    }, this);
}

QPushButton* Tprintjifeifrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tprintjifeifrm::deptChosen()
{
    name_->clear();
    personnelid_->clear();
    guarded([this] {
        // The number goes with each name, so two employees of the same name stay apart.
        db::Query q(QStringLiteral("SELECT personnelname, personnelid FROM personnel WHERE deptname=:a ORDER BY personnelid"));
        q.bind(QStringLiteral(":a"), dept_->currentText()).exec();
        while (q.next())
            name_->addItem(q.value(0).toString().trimmed(), q.value(1).toString().trimmed());
        name_->setCurrentIndex(-1);
    }, this);
}

void Tprintjifeifrm::nameChosen()
{
    const QString id = name_->currentData().toString();
    if (name_->currentIndex() < 0 || id.isEmpty()) {
        personnelid_->clear();
        msg::warning(QStringLiteral("操作失败"), QStringLiteral("提示"), this);
        return;
    }
    personnelid_->setText(id);
}

bool Tprintjifeifrm::setEmployee(const QString& personnelid)
{
    bool found = false;
    guarded([&] {
        db::Query q(QStringLiteral("SELECT deptname FROM personnel WHERE personnelid=:a"));
        q.bind(QStringLiteral(":a"), personnelid.trimmed()).exec();
        if (!q.next())
            return;
        found = true;
        const QString dept = q.value(0).toString().trimmed();
        if (dept_->findText(dept) < 0)
            dept_->addItem(dept);
        dept_->setCurrentIndex(dept_->findText(dept));
        deptChosen();
        name_->setCurrentIndex(name_->findData(personnelid.trimmed()));
        personnelid_->setText(personnelid.trimmed());
    }, this);
    return found;
}

report::ListReport Tprintjifeifrm::pieceReport() const
{
    report::ListReport r;
    r.title = QStringLiteral("Osmira统计报表");
    r.titlePointSize = 20;
    r.landscape = true;
    r.paperMm = kLetterMm;
    r.marginMm = kMarginMm;
    const QString personnelid = personnelid_->text().trimmed();
    const QDate from = from_->date();
    const QDate to = to_->date();
    r.headerLines << QStringLiteral("部门：%1    姓名：%2    工号：%3\t统计时间：%4 至 %5")
                         .arg(dept_->currentText(), name_->currentIndex() >= 0 ? name_->currentText() : QString(),
                              personnelid, from.toString(QStringLiteral("yyyy-MM-dd")),
                              to.toString(QStringLiteral("yyyy-MM-dd")));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    r.columns = {{QStringLiteral("制单号"), 12},
                 {QStringLiteral("制单名称"), 18},
                 {QStringLiteral("工序号"), 8, right},
                 {QStringLiteral("工序名称"), 18},
                 {QStringLiteral("单价"), 9, right},
                 {QStringLiteral("数量"), 9, right},
                 {QStringLiteral("小计"), 11, right},
                 {QStringLiteral("日期"), 12}};

    // A record whose order was since removed still belongs to the employee's pay: it is listed
    // with an empty order name rather than left out.
    db::Query q(QStringLiteral(
        "SELECT countmakeid.personnelname, countmakeid.personnelid, countmakeid.deptname, countmakeid.makeid, "
        "countmakeid.workid, countmakeid.workname, countmakeid.price, countmakeid.amount, countmakeid.makeidtotal, "
        "countmakeid.makedate, zhdan.makeidname FROM countmakeid LEFT JOIN zhdan ON countmakeid.makeid=zhdan.makeid "
        "WHERE (countmakeid.personnelid=:b) AND (countmakeid.makedate>=:c) AND (countmakeid.makedate<=:d) "
        "ORDER BY countmakeid.makedate, countmakeid.bill"));
    q.bind(QStringLiteral(":b"), personnelid).bind(QStringLiteral(":c"), from).bind(QStringLiteral(":d"), to).exec();
    qint64 pieces = 0;
    Money total;
    while (q.next()) {
        const Money price = Money::fromVariant(q.value(6));
        const qint64 amount = q.value(7).toLongLong();
        const Money subtotal = price * amount;
        pieces += amount;
        total += subtotal;
        r.rows << QStringList{q.value(3).toString().trimmed(),
                              q.value(10).toString().trimmed(),
                              q.value(4).toString(),
                              q.value(5).toString().trimmed(),
                              price.toString(2),
                              QString::number(amount),
                              subtotal.toString(2),
                              db::toDate(q.value(9)).toString(QStringLiteral("yyyy-MM-dd"))};
    }
    while (r.rows.size() < kPaddedLines)
        r.rows << QStringList(r.columns.size(), QString());
    r.summary = QStringLiteral("合计(金额单位为‘元’)    数量：%1    金额：%2").arg(pieces).arg(total.toString(2));
    return r;
}

void Tprintjifeifrm::btnprintClick()
{
    if (personnelid_->text().trimmed().isEmpty()) {
        msg::warning(QStringLiteral("请先选择员工"), QStringLiteral("提示"), this);
        return;
    }
    guarded([this] { report::preview(report::layout(pieceReport()), this); }, this);
}
