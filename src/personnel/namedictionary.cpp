#include "personnel/namedictionary.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("信息提示");

}  // namespace

NameDictionaryScreen::NameDictionaryScreen(const Description& description, QWidget* parent)
    : QWidget(parent), description_(description)
{
    setObjectName(description_.formName);
    setWindowTitle(description_.caption);

    name_ = new QLineEdit(this);
    name_->setMaxLength(50);
    auto* entry = new QHBoxLayout;
    entry->addWidget(name_, 1);

    records_ = new RecordSet(this);
    records_->setColumns({{description_.nameColumn, description_.caption.left(2)}});
    grid_ = listGrid(this, records_);

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新 增", "删 除", "保 存", "关 闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(grid_, 1);
    layout->addLayout(tools);
    resize(260, 360);

    connect(buttons_[0], &QPushButton::clicked, this, &NameDictionaryScreen::addClick);
    connect(buttons_[1], &QPushButton::clicked, this, &NameDictionaryScreen::deleteClick);
    connect(buttons_[2], &QPushButton::clicked, this, &NameDictionaryScreen::saveClick);
    connect(buttons_[3], &QPushButton::clicked, this, &QWidget::close);
    // Choosing a name in the list shows it in the box.
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    name_->setText(records_->text(current.row(), description_.nameColumn));
            });
    setEntering(false);
    FormShow();
}

QPushButton* NameDictionaryScreen::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void NameDictionaryScreen::setEntering(bool entering)
{
    name_->setEnabled(entering);
    buttons_[1]->setEnabled(!entering);
}

void NameDictionaryScreen::FormShow()
{
    guarded(
        [this] {
            records_->load(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                               .arg(description_.keyColumn, description_.nameColumn, description_.table));
        },
        this);
}

QStringList NameDictionaryScreen::names() const
{
    QStringList list;
    for (int i = 0; i < records_->size(); ++i)
        list << records_->text(i, description_.nameColumn);
    return list;
}

void NameDictionaryScreen::addClick()
{
    name_->clear();
    setEntering(true);
    name_->setFocus();
}

// Names are compared and stored without leading and trailing blanks, so " 中国" and "中国" are
// one name whichever was typed first. The check asks the database, not the list read when the
// screen opened, so a name another workstation added since is found too.
bool NameDictionaryScreen::nameTaken(const QString& name) const
{
    db::Query q(QStringLiteral("SELECT %1 FROM %2 WHERE TRIM(%3)=:a")
                    .arg(description_.keyColumn, description_.table, description_.nameColumn));
    return q.bind(QStringLiteral(":a"), name).exec().next();
}

void NameDictionaryScreen::saveClick()
{
    const QString name = name_->text().trimmed();
    if (!name_->isEnabled() || name.isEmpty()) {
        msg::info(QStringLiteral("输入信息有误,请重新输入!"), kCaption, this);
    } else {
        try {
            if (nameTaken(name)) {
                msg::info(description_.duplicateMessage, kCaption, this);
                return;  // the typed name stays for correcting
            }
            // The typed name is bound, so a name with a quote in it is stored as typed.
            db::Query(QStringLiteral("INSERT INTO %1(%2) VALUES(:a)")
                          .arg(description_.table, description_.nameColumn))
                .bind(QStringLiteral(":a"), name)
                .exec();
        } catch (const db::DbError& e) {
            // Another workstation stored the same name between the check and the insert.
            if (e.isUniqueViolation()) {
                msg::info(description_.duplicateMessage, kCaption, this);
                return;
            }
            msg::info(QStringLiteral("数据库操作失败!"), kCaption, this);
        }
    }
    setEntering(false);
    FormShow();
}

void NameDictionaryScreen::deleteClick()
{
    const QModelIndex current = grid_->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    if (!msg::ask(QStringLiteral("是否要删除该条记录?将会影响员工的数据"), QStringLiteral("询问"), this))
        return;
    try {
        // By the row's key: the name is unique, but the key also finds a name stored with
        // blanks or quotes exactly.
        db::Query(QStringLiteral("DELETE FROM %1 WHERE %2=:a").arg(description_.table, description_.keyColumn))
            .bind(QStringLiteral(":a"), records_->value(current.row(), description_.keyColumn))
            .exec();
    } catch (const db::DbError&) {
        msg::info(QStringLiteral("数据库操作失败!"), kCaption, this);
    }
    FormShow();
}
