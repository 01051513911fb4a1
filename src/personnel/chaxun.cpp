#include "personnel/chaxun.h"

#include "common/accountingperiod.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/screenkit.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOk = QStringLiteral("确定");
const QString kCancel = QStringLiteral("取消");

}  // namespace

db::Query hourlyWorkQuery(const HourlyFilter& filter)
{
    QString sql = QStringLiteral("SELECT * FROM workertime WHERE sintime >= :a AND sintime < :b");
    const QString number = filter.personnelid.trimmed();
    const QString name = filter.name.trimmed();
    const QString deptid = filter.deptid.trimmed();
    const QString deptname = filter.deptname.trimmed();
    if (!number.isEmpty())
        sql += QStringLiteral(" AND personnelid = :id");
    if (!name.isEmpty())
        sql += QStringLiteral(" AND personnelname = :name");
    if (!deptid.isEmpty())
        sql += QStringLiteral(" AND personnelid IN (SELECT personnelid FROM personnel WHERE deptname IN "
                              "(SELECT deptname FROM dept WHERE deptid = :deptid))");
    if (!deptname.isEmpty())
        sql += QStringLiteral(" AND personnelid IN (SELECT personnelid FROM personnel WHERE deptname = :deptname)");
    sql += QStringLiteral(" ORDER BY sintime, id");

    db::Query q(sql);
    q.bind(QStringLiteral(":a"), filter.from);
    q.bind(QStringLiteral(":b"), filter.to);
    if (!number.isEmpty())
        q.bind(QStringLiteral(":id"), number);
    if (!name.isEmpty())
        q.bind(QStringLiteral(":name"), name);
    if (!deptid.isEmpty())
        q.bind(QStringLiteral(":deptid"), deptid);
    if (!deptname.isEmpty())
        q.bind(QStringLiteral(":deptname"), deptname);
    q.exec();
    return q;
}

Tchaxunfrm::Tchaxunfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("chaxunfrm"));
    setWindowTitle(QStringLiteral("查询"));

    from_ = new QDateTimeEdit(this);
    to_ = new QDateTimeEdit(this);
    for (QDateTimeEdit* d : {from_, to_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    }
    number_ = new QLineEdit(this);
    number_->setMaxLength(20);
    name_ = new QLineEdit(this);
    name_->setMaxLength(50);
    deptid_ = new QLineEdit(this);
    deptid_->setMaxLength(50);
    deptname_ = new QLineEdit(this);
    deptname_->setMaxLength(50);

    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("从"), from_);
    addField(fields, 1, QStringLiteral("到"), to_);
    addField(fields, 2, QStringLiteral("员工编号"), number_);
    addField(fields, 3, QStringLiteral("姓名"), name_);
    addField(fields, 4, QStringLiteral("部门编号"), deptid_);
    addField(fields, 5, QStringLiteral("部门名称"), deptname_);

    auto* tools = new QHBoxLayout;
    tools->addStretch();
    buttons_ << addButton(tools, kOk, this) << addButton(tools, kCancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(tools);

    installEnterMovesFocus(this);
    button(kOk)->setAutoDefault(true);
    button(kOk)->setDefault(true);
    connect(button(kOk), &QPushButton::clicked, this, &QDialog::accept);
    connect(button(kCancel), &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

QPushButton* Tchaxunfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tchaxunfrm::FormShow()
{
    // The current accounting period, from the start of its first day to the start of its
    // closing day: the closing day itself belongs to the next period.
    guarded(
        [this] {
            const Period period = AccountingPeriod();
            from_->setDateTime(period.start.startOfDay());
            to_->setDateTime(period.end.startOfDay());
        },
        this);
}

HourlyFilter Tchaxunfrm::filter() const
{
    HourlyFilter f;
    f.from = from_->dateTime();
    f.to = to_->dateTime();
    f.personnelid = number_->text().trimmed();
    f.name = name_->text().trimmed();
    f.deptid = deptid_->text().trimmed();
    f.deptname = deptname_->text().trimmed();
    return f;
}
