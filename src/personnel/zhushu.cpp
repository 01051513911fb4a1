#include "personnel/zhushu.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Tzhushufrm::Tzhushufrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("zhushufrm"));
    setWindowTitle(QStringLiteral("住宿登记"));

    auto* tools = new QHBoxLayout;
    for (const char* caption :
         {"增加登记", "修改登记", "删除记录", "保  存", "查  询", "取  消", "打   印", "关   闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    number_ = new QLineEdit(this);
    number_->setMaxLength(50);
    name_ = new QLineEdit(this);
    dept_ = new QLineEdit(this);
    for (QLineEdit* shown : {name_, dept_}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
    }
    in_ = new QDateEdit(this);
    out_ = new QDateEdit(this);
    for (QDateEdit* date : {in_, out_}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        allowBlankDate(date);  // a stay may be registered before its dates are known
    }
    auto* panel = new QGridLayout;
    addField(panel, 0, QStringLiteral("员工编号"), number_, 3);
    addField(panel, 1, QStringLiteral("员工姓名"), name_, 3);
    addField(panel, 2, QStringLiteral("所属部门"), dept_, 3);
    addField(panel, 3, QStringLiteral("入住登记"), in_, 3);
    addField(panel, 4, QStringLiteral("搬出登记"), out_, 3);

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("zhusu"), {QStringLiteral("id")}, QStringLiteral("id"));
    records_->setColumns(
        {{QStringLiteral("personnelid"), QStringLiteral("员工编号")},
         {QStringLiteral("personnelid"), QStringLiteral("员工姓名"), RecordSet::Column::Text, 2,
          [this](const QVariant& v) { return people_.value(v.toString()).name; }},
         {QStringLiteral("begtime"), QStringLiteral("入住时间"), RecordSet::Column::Date},
         {QStringLiteral("endtime"), QStringLiteral("搬出时间"), RecordSet::Column::Date},
         {QStringLiteral("biao"), QStringLiteral("入住情况"), RecordSet::Column::Check}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(640, 460);

    edit_ = new EditController(this, records_, grid_);
    edit_->bind(QStringLiteral("personnelid"), number_);
    edit_->bind(QStringLiteral("begtime"), in_);
    edit_->bind(QStringLiteral("endtime"), out_);
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[5]);
    edit_->setCheck([this](int row, bool) {
        const bool noNumber = records_->text(row, QStringLiteral("personnelid")).isEmpty();
        const bool noDate = records_->value(row, QStringLiteral("begtime")).isNull();
        return noNumber && noDate ? QStringLiteral("请输入资料") : QString();
    });
    edit_->setDelete(QStringLiteral("是否要删除该记录"));
    connect(edit_, &EditController::saved, this, &Tzhushufrm::FormShow);
    connect(edit_, &EditController::removed, this, &Tzhushufrm::FormShow);
    connect(buttons_[7], &QPushButton::clicked, this, &QWidget::close);
    // 查  询 and 打   印 have nothing to do: the whole register is listed already.
    connect(number_, &QLineEdit::textChanged, this, &Tzhushufrm::showPerson);

    // Enter moves on only once the employee number is filled.
    for (QWidget* w : {static_cast<QWidget*>(number_), static_cast<QWidget*>(in_), static_cast<QWidget*>(out_)})
        w->installEventFilter(this);
    FormShow();
}

bool Tzhushufrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!number_->text().trimmed().isEmpty())
                focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* Tzhushufrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tzhushufrm::FormShow()
{
    guarded(
        [this] {
            people_.clear();
            db::Query q(QStringLiteral(
                "SELECT personnelid, personnelname, deptname FROM personnel "
                "WHERE personnelid IN (SELECT personnelid FROM zhusu)"));
            q.exec();
            while (q.next())
                people_.insert(q.value(0).toString(), {q.value(1).toString(), q.value(2).toString()});
            records_->load(QStringLiteral("SELECT * FROM zhusu ORDER BY personnelid, id"));
        },
        this);
    edit_->setMode(EditController::Mode::Browse);
}

void Tzhushufrm::showPerson()
{
    const QString number = number_->text().trimmed();
    if (!people_.contains(number) && !number.isEmpty()) {
        // An employee typed in now, not yet in the register's stays.
        guarded(
            [&] {
                db::Query q(QStringLiteral(
                    "SELECT personnelname, deptname FROM personnel WHERE personnelid=:a"));
                if (q.bind(QStringLiteral(":a"), number).exec().next())
                    people_.insert(number, {q.value(0).toString(), q.value(1).toString()});
            },
            this);
    }
    const Person p = people_.value(number);
    name_->setText(p.name);
    dept_->setText(p.dept);
}
