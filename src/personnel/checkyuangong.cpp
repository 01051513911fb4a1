#include "personnel/checkyuangong.h"

#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/screenkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOk = QStringLiteral("确定");
const QString kQuit = QStringLiteral("退出");

// Fills a drop-down with the distinct non-empty values of a personnel column, after an empty
// entry that means "any".
void fillDistinct(QComboBox* box, const QString& sql)
{
    box->clear();
    box->addItem(QString());
    db::Query q(sql);
    q.exec();
    while (q.next()) {
        const QString value = q.value(0).toString().trimmed();
        if (!value.isEmpty() && box->findText(value) < 0)
            box->addItem(value);
    }
}

}  // namespace

db::Query employeeQuery(const EmployeeFilter& filter)
{
    // The upper bound is the day after the last day, so joining dates stored with a time of day
    // on the last day still count.
    QString sql = QStringLiteral("SELECT * FROM personnel WHERE worktime >= :riqi1 AND worktime < :riqi2");
    const QString number = filter.personnelid.trimmed();
    const QString name = filter.name.trimmed();
    const QString dept = filter.dept.trimmed();
    const QString type = filter.type.trimmed();
    if (!number.isEmpty())
        sql += QStringLiteral(" AND personnelid = :b");
    if (!name.isEmpty())
        sql += QStringLiteral(" AND personnelname = :m");
    if (!dept.isEmpty())
        sql += QStringLiteral(" AND deptname = :c");
    if (!type.isEmpty())
        sql += QStringLiteral(" AND type = :d");
    sql += filter.inService ? QStringLiteral(" AND zaizhi = 0") : QStringLiteral(" AND zaizhi = 1");
    sql += QStringLiteral(" ORDER BY deptid, personnelid");

    db::Query q(sql);
    q.bind(QStringLiteral(":riqi1"), filter.from);
    q.bind(QStringLiteral(":riqi2"), filter.to.isValid() ? filter.to.addDays(1) : QDate());
    if (!number.isEmpty())
        q.bind(QStringLiteral(":b"), number);
    if (!name.isEmpty())
        q.bind(QStringLiteral(":m"), name);
    if (!dept.isEmpty())
        q.bind(QStringLiteral(":c"), dept);
    if (!type.isEmpty())
        q.bind(QStringLiteral(":d"), type);
    q.exec();
    return q;
}

Tcheckyuangongfrm::Tcheckyuangongfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("checkyuangongfrm"));
    setWindowTitle(QStringLiteral("员工查询"));

    number_ = new QLineEdit(this);
    number_->setMaxLength(20);
    name_ = new QLineEdit(this);
    name_->setMaxLength(50);
    dept_ = new QComboBox(this);
    type_ = new QComboBox(this);
    from_ = new QDateEdit(QDate(2001, 1, 24), this);
    to_ = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* d : {from_, to_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    inService_ = new QCheckBox(QStringLiteral("是否在职"), this);
    inService_->setChecked(true);

    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("员工号"), number_);
    addField(fields, 1, QStringLiteral("姓名"), name_);
    addField(fields, 2, QStringLiteral("部门"), dept_);
    addField(fields, 3, QStringLiteral("工种"), type_);
    addField(fields, 4, QStringLiteral("从"), from_);
    addField(fields, 5, QStringLiteral("到"), to_);
    fields->addWidget(inService_, 3, 1);

    auto* tools = new QHBoxLayout;
    tools->addStretch();
    buttons_ << addButton(tools, kOk, this) << addButton(tools, kQuit, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(tools);

    // Enter walks number → name → department → type → from → to → 确定.
    setTabOrder(number_, name_);
    setTabOrder(name_, dept_);
    setTabOrder(dept_, type_);
    setTabOrder(type_, from_);
    setTabOrder(from_, to_);
    setTabOrder(to_, button(kOk));
    setTabOrder(button(kOk), inService_);
    installEnterMovesFocus(this);
    // Enter on 确定, the end of that walk, presses it.
    button(kOk)->setAutoDefault(true);
    button(kOk)->setDefault(true);

    connect(button(kOk), &QPushButton::clicked, this, &Tcheckyuangongfrm::btnokClick);
    connect(button(kQuit), &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

QPushButton* Tcheckyuangongfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QString Tcheckyuangongfrm::noMatchMessage()
{
    return QStringLiteral("没有您要查询的记录请重新选择条件查询");
}

void Tcheckyuangongfrm::FormShow()
{
    guarded(
        [this] {
            fillDistinct(dept_, QStringLiteral("SELECT DISTINCT deptname FROM personnel ORDER BY deptname"));
            fillDistinct(type_, QStringLiteral("SELECT DISTINCT type FROM personnel ORDER BY type"));
        },
        this);
}

EmployeeFilter Tcheckyuangongfrm::filter() const
{
    EmployeeFilter f;
    f.from = from_->date();
    f.to = to_->date();
    f.personnelid = number_->text().trimmed();
    f.name = name_->text().trimmed();
    f.dept = dept_->currentText().trimmed();
    f.type = type_->currentText().trimmed();
    f.inService = inService_->isChecked();
    return f;
}

void Tcheckyuangongfrm::btnokClick()
{
    bool found = false;
    if (!guarded([&] { found = employeeQuery(filter()).next(); }, this))
        return;
    if (!found) {
        msg::info(noMatchMessage(), QStringLiteral("提示信息"), this);
        return;
    }
    accept();
}
