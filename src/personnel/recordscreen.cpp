#include "personnel/recordscreen.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

RecordScreen::RecordScreen(const QString& formName, const QString& caption, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(formName);
    setWindowTitle(caption);

    auto* tools = new QHBoxLayout;
    for (const char* c : {"新  增", "修  改", "删  除", "保  存", "取  消", "关  闭"})
        buttons_ << addButton(tools, QString::fromUtf8(c), this);
    tools->addStretch();

    panel_ = new QGridLayout;
    records_ = new RecordSet(this);
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel_);
    layout->addWidget(grid_, 1);
    resize(460, 420);

    edit_ = new EditController(this, records_, grid_);
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    connect(buttons_[5], &QPushButton::clicked, this, &QWidget::close);
    // The unique value the edited row had when its editing began.
    connect(edit_, &EditController::modeChanged, this, [this](EditController::Mode mode) {
        if (mode == EditController::Mode::Entry && !uniqueColumn_.isEmpty())
            uniqueBefore_ = records_->value(edit_->currentRow(), uniqueColumn_);
    });
}

QPushButton* RecordScreen::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

QLineEdit* RecordScreen::box(const QString& column) const
{
    return qobject_cast<QLineEdit*>(fields_.value(column));
}

void RecordScreen::addEditor(const QString& column, const QString& caption, QWidget* editor)
{
    addField(panel_, position_++, caption, editor);
    fields_.insert(column, editor);
    edit_->bind(column, editor);
}

void RecordScreen::addUnbound(const QString& caption, QWidget* editor)
{
    addField(panel_, position_++, caption, editor);
    edit_->addEntryWidget(editor);
}

QLineEdit* RecordScreen::addBox(const QString& column, const QString& caption, int maxLength)
{
    auto* box = new QLineEdit(this);
    box->setMaxLength(maxLength);
    addEditor(column, caption, box);
    return box;
}

void RecordScreen::setUnique(const QString& table, const QString& column, const QString& message)
{
    uniqueTable_ = table;
    uniqueColumn_ = column;
    edit_->setDuplicateMessage(message);
    edit_->setCheck([this, message](int row, bool) {
        return taken(records_->text(row, uniqueColumn_)) ? message : QString();
    });
}

bool RecordScreen::taken(const QString& value) const
{
    // A changed row keeping its own value is not a duplicate of itself.
    if (!uniqueBefore_.isNull() && uniqueBefore_.toString() == value)
        return false;
    db::Query q(QStringLiteral("SELECT * FROM %1 WHERE %2=:a").arg(uniqueTable_, uniqueColumn_));
    return q.bind(QStringLiteral(":a"), value).exec().next();
}

void RecordScreen::FormShow()
{
    guarded(
        [this] {
            db::Query q(listSql_);
            q.exec();
            listRead();
            records_->load(q);
        },
        this);
    edit_->setMode(EditController::Mode::Browse);
}
