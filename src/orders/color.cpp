#include "orders/color.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
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

DictionaryScreen::DictionaryScreen(const Description& description, QWidget* parent)
    : QWidget(parent), description_(description)
{
    setObjectName(description_.formName);
    setWindowTitle(description_.caption);

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新 增", "修  改", " 删  除  ", "保 存", " 取 消 ", " 关 闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    auto* panel = new QGridLayout;
    QList<RecordSet::Column> columns;
    int position = 0;
    for (const Field& f : std::as_const(description_.fields)) {
        auto* edit = new QLineEdit(this);
        boxes_.insert(f.column, edit);
        addField(panel, position++, f.boxCaption, edit);
        columns.append({f.column, f.gridCaption});
    }

    records_ = new RecordSet(this);
    records_->setTable(description_.table, {description_.identity}, description_.identity);
    records_->setColumns(columns);
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(420, 420);

    edit_ = new EditController(this, records_, grid_);
    QStringList required;
    for (const Field& f : std::as_const(description_.fields)) {
        edit_->bind(f.column, boxes_.value(f.column));
        required << f.column;
    }
    edit_->setButtons(buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4]);
    // An empty box stops the save without a word.
    edit_->setRequired(required, QString());
    edit_->setCheck(
        [this](int row, bool isNew) { return isNew ? duplicateProblem(row) : QString(); });
    edit_->setDuplicateMessage(description_.duplicateMessage);
    edit_->setDelete(QStringLiteral("是否要删除该记录?"));

    connect(buttons_[5], &QPushButton::clicked, this, &QWidget::close);
    if (QLineEdit* last = boxes_.value(description_.saveOnEnter)) {
        last->setProperty("enterMovesFocus", false);
        connect(last, &QLineEdit::returnPressed, edit_, &EditController::save);
    }
    installEnterMovesFocus(this);
    FormShow();
}

QPushButton* DictionaryScreen::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void DictionaryScreen::FormShow()
{
    guarded(
        [this] {
            records_->load(QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                               .arg(description_.table, description_.identity));
        },
        this);
    edit_->setMode(EditController::Mode::Browse);
}

QString DictionaryScreen::duplicateProblem(int row) const
{
    db::Query q(QStringLiteral("SELECT * FROM %1 WHERE %2=:a")
                    .arg(description_.table, description_.uniqueField));
    q.bind(QStringLiteral(":a"), records_->text(row, description_.uniqueField));
    return q.exec().next() ? description_.duplicateMessage : QString();
}

Tcolorfrm::Tcolorfrm(QWidget* parent)
    : DictionaryScreen(
          {QStringLiteral("colorfrm"),
           QStringLiteral("颜色对照"),
           QStringLiteral("color"),
           QStringLiteral("sysid"),
           {{QStringLiteral("color"), QStringLiteral("颜色编号"), QStringLiteral("颜色编号")},
            {QStringLiteral("colorname"), QStringLiteral("颜色"), QStringLiteral("颜色")}},
           QStringLiteral("colorname"),
           QStringLiteral("该颜色已经重复，请重新输入"),
           QStringLiteral("colorname")},
          parent)
{
}
