#include "personnel/worktype.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kDuplicate = QStringLiteral("此类型已经存在请重新输入");

}  // namespace

Tworktypefrm::Tworktypefrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("worktypefrm"));
    setWindowTitle(QStringLiteral("类型设定"));

    name_ = new QLineEdit(this);
    name_->setMaxLength(50);
    auto* entry = new QGridLayout;
    addField(entry, 0, QStringLiteral("类型名："), name_, 1);

    records_ = new RecordSet(this);
    records_->setColumns({{QStringLiteral("typename"), QStringLiteral("类型名称")}});
    grid_ = listGrid(this, records_);

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新   增", "删   除", "保   存", "关   闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(grid_, 1);
    layout->addLayout(tools);
    resize(300, 380);

    connect(buttons_[0], &QPushButton::clicked, this, &Tworktypefrm::addClick);
    connect(buttons_[1], &QPushButton::clicked, this, &Tworktypefrm::deleteClick);
    connect(buttons_[2], &QPushButton::clicked, this, &Tworktypefrm::saveClick);
    connect(buttons_[3], &QPushButton::clicked, this, &QWidget::close);
    connect(name_, &QLineEdit::returnPressed, this, &Tworktypefrm::saveClick);
    // Clicking a type shows its name in the box, ready for 删除.
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        name_->setText(records_->text(index.row(), QStringLiteral("typename")));
    });
    FormShow();
}

QPushButton* Tworktypefrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tworktypefrm::FormShow()
{
    guarded([this] { records_->load(QStringLiteral("SELECT * FROM worktype ORDER BY id")); }, this);
}

void Tworktypefrm::addClick()
{
    name_->clear();
    name_->setFocus();
}

// The name is stored without leading and trailing blanks, as employees' types are compared by
// name elsewhere.
void Tworktypefrm::saveClick()
{
    const QString name = name_->text().trimmed();
    if (name.isEmpty())
        return;
    bool taken = false;
    const bool stored = guarded(
        [&] {
            try {
                db::Query find(QStringLiteral("SELECT typename FROM worktype WHERE typename=:a"));
                taken = find.bind(QStringLiteral(":a"), name).exec().next();
                if (!taken)
                    db::Query(QStringLiteral("INSERT INTO worktype(typename) VALUES(:a)"))
                        .bind(QStringLiteral(":a"), name)
                        .exec();
            } catch (const db::DbError& e) {
                // Another workstation stored the same type between the check and the insert.
                if (!e.isUniqueViolation())
                    throw;
                taken = true;
            }
        },
        this);
    if (!stored)
        return;
    if (taken) {
        msg::info(kDuplicate, QStringLiteral("信息提示"), this);
        name_->selectAll();
        name_->setFocus();
        return;
    }
    msg::info(QStringLiteral("类型添加成功！"), QStringLiteral("提示信息"), this);
    FormShow();
    name_->clear();
}

void Tworktypefrm::deleteClick()
{
    if (!msg::ask(QStringLiteral("是否要删除该记录，将会影响员工的数据"), QStringLiteral("询问"), this))
        return;
    guarded(
        [this] {
            db::Query(QStringLiteral("DELETE FROM worktype WHERE typename=:a"))
                .bind(QStringLiteral(":a"), name_->text().trimmed())
                .exec();
        },
        this);
    name_->clear();
    name_->setFocus();
    FormShow();
}
