#include "orders/colorgroups.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/guard.h"
#include "common/messages.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kDuplicate = QStringLiteral("该组合已重复，请重新录入");
const QString kFailed = QStringLiteral("更新失败");

QTableView* newGrid(QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(22);
    return grid;
}

}  // namespace

const SetKind& SetKind::colours()
{
    static const SetKind kind{QStringLiteral("yansezufrm"),   QStringLiteral("颜色组资料"),
                              QStringLiteral("yansezumxfrm"), QStringLiteral("颜色组合"),
                              QStringLiteral("colorzu"),      QStringLiteral("color"),
                              QStringLiteral("sysid"),        QStringLiteral("colorname"),
                              QStringLiteral("颜色"),         QStringLiteral("颜色组")};
    return kind;
}

const SetKind& SetKind::sizes()
{
    static const SetKind kind{QStringLiteral("chimafrm"),   QStringLiteral("尺码组资料"),
                              QStringLiteral("chimamxfrm"), QStringLiteral("尺码组合"),
                              QStringLiteral("mazu"),       QStringLiteral("ma"),
                              QStringLiteral("id"),         QStringLiteral("ma"),
                              QStringLiteral("码数"),       QStringLiteral("尺码组")};
    return kind;
}

// ---------------------------------------------------------------------------------------------

SetEditor::SetEditor(const SetKind& kind, int kid, QWidget* parent)
    : QDialog(parent), kind_(kind), kid_(kid)
{
    setObjectName(kind_.editorFormName);
    setWindowTitle(kind_.editorCaption);

    auto* panel = new QGridLayout;
    name_ = new QLineEdit(this);
    remark_ = new QLineEdit(this);
    addField(panel, 0, kind_.setLabel, name_);
    addField(panel, 1, QStringLiteral("备注"), remark_);

    members_ = new RecordSet(this);
    members_->setTable(kind_.membersTable, {QStringLiteral("kid"), kind_.key});
    RecordSet::Column shown{kind_.key, kind_.nameCaption};
    shown.display = [this](const QVariant& key) { return names_.value(key.toString()); };
    members_->setColumns({shown});
    choices_ = new RecordSet(this);
    choices_->setColumns({{kind_.name, kind_.nameCaption}});
    memberGrid_ = newGrid(this);
    memberGrid_->setModel(members_);
    choiceGrid_ = newGrid(this);
    choiceGrid_->setModel(choices_);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (const char* caption : {"<", "<<", ">", ">>"})
        buttons_ << addButton(moves, QString::fromUtf8(caption), this);
    moves->addStretch();
    auto* grids = new QHBoxLayout;
    grids->addWidget(memberGrid_, 1);
    grids->addLayout(moves);
    grids->addWidget(choiceGrid_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    for (const char* caption : {"确定", "取消"})
        buttons_ << addButton(bottom, QString::fromUtf8(caption), this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addLayout(grids, 1);
    layout->addLayout(bottom);
    resize(520, 400);

    connect(buttons_[0], &QPushButton::clicked, this, &SetEditor::takeChoice);
    connect(buttons_[1], &QPushButton::clicked, this, &SetEditor::takeAllChoices);
    connect(buttons_[2], &QPushButton::clicked, this, &SetEditor::dropMember);
    connect(buttons_[3], &QPushButton::clicked, this, &SetEditor::dropAllMembers);
    connect(buttons_[4], &QPushButton::clicked, this, &SetEditor::confirm);
    connect(buttons_[5], &QPushButton::clicked, this, &QDialog::reject);
    installEnterMovesFocus(this);
    guarded([this] { load(); }, this);
}

QPushButton* SetEditor::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void SetEditor::load()
{
    if (kid_ != 0) {
        db::Query set(QStringLiteral("SELECT kuangname, beizhu FROM colortitle WHERE kid=:k"));
        if (set.bind(QStringLiteral(":k"), kid_).exec().next()) {
            name_->setText(set.text(QStringLiteral("kuangname")));
            remark_->setText(set.text(QStringLiteral("beizhu")));
        }
    }
    readDictionary();
    // A new set (kid 0) has no members.
    db::Query members(QStringLiteral("SELECT * FROM %1 WHERE kid=:k ORDER BY %2")
                          .arg(kind_.membersTable, kind_.key));
    members.bind(QStringLiteral(":k"), kid_).exec();
    members_->load(members);
    dropMembersFromChoices();
    if (members_->size() > 0)
        memberGrid_->setCurrentIndex(members_->index(0, 0));
}

void SetEditor::readDictionary()
{
    db::Query q(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                    .arg(kind_.key, kind_.name, kind_.dictionary));
    q.exec();
    choices_->load(q);
    names_.clear();
    for (int i = 0; i < choices_->size(); ++i)
        names_.insert(choices_->text(i, kind_.key), choices_->text(i, kind_.name));
}

void SetEditor::dropMembersFromChoices()
{
    QSet<QString> taken;
    for (int i = 0; i < members_->size(); ++i)
        taken.insert(members_->text(i, kind_.key));
    for (int i = choices_->size() - 1; i >= 0; --i)
        if (taken.contains(choices_->text(i, kind_.key)))
            choices_->removeRow(i);  // shown only: the choices are never written
    if (choices_->size() > 0)
        choiceGrid_->setCurrentIndex(choices_->index(0, 0));
}

int SetEditor::currentRow(QTableView* grid)
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void SetEditor::takeChoice()
{
    if (choices_->size() == 0)
        return;
    const int row = qMin(currentRow(choiceGrid_), choices_->size() - 1);
    const int member = members_->appendRow();
    members_->setValue(member, kind_.key, choices_->value(row, kind_.key));
    memberGrid_->setCurrentIndex(members_->index(member, 0));
    choices_->removeRow(row);
    if (choices_->size() > 0)
        choiceGrid_->setCurrentIndex(choices_->index(qMin(row, choices_->size() - 1), 0));
}

void SetEditor::takeAllChoices()
{
    choiceGrid_->setCurrentIndex(choices_->index(0, 0));
    while (choices_->size() > 0)
        takeChoice();
}

void SetEditor::dropMember()
{
    if (members_->size() == 0)
        return;
    const int row = qMin(currentRow(memberGrid_), members_->size() - 1);
    members_->removeRow(row);
    if (members_->size() > 0)
        memberGrid_->setCurrentIndex(members_->index(qMin(row, members_->size() - 1), 0));
    guarded(
        [this] {
            readDictionary();
            dropMembersFromChoices();
        },
        this);
}

void SetEditor::dropAllMembers()
{
    while (members_->size() > 0)
        members_->removeRow(0);
    guarded([this] { readDictionary(); }, this);
}

bool SetEditor::confirm()
{
    const QString name = name_->text().trimmed();
    if (name.isEmpty())
        return false;
    const QString remarkText = remark_->text().trimmed();
    const QVariant remark = remarkText.isEmpty() ? QVariant() : QVariant(remarkText);
    int kid = kid_;
    bool nameTaken = false;
    try {
        db::Transaction tx;
        try {
            // Asked first so the usual case needs no failing statement; the unique index still
            // refuses a name another workstation takes meanwhile.
            db::Query taken(
                QStringLiteral("SELECT kid FROM colortitle WHERE kuangname=:a AND kid<>:k"));
            if (taken.bind(QStringLiteral(":a"), name)
                    .bind(QStringLiteral(":k"), kid)
                    .exec()
                    .next())
                throw db::DbError(kDuplicate, true);
            if (kid == 0) {
                db::Query insert(QStringLiteral(
                    "INSERT INTO colortitle(kuangname, beizhu) VALUES(:a, :b) RETURNING kid"));
                insert.bind(QStringLiteral(":a"), name).bind(QStringLiteral(":b"), remark).exec();
                if (!insert.next())
                    throw db::DbError(kFailed);
                kid = insert.value(0).toInt();
            } else {
                db::Query update(
                    QStringLiteral("UPDATE colortitle SET kuangname=:a, beizhu=:b WHERE kid=:k"));
                update.bind(QStringLiteral(":a"), name)
                    .bind(QStringLiteral(":b"), remark)
                    .bind(QStringLiteral(":k"), kid)
                    .exec();
                // Deleted meanwhile at another workstation: its members would belong to nothing.
                if (update.rowsAffected() == 0)
                    throw ConflictError(RecordSet::conflictMessage());
            }
        } catch (const db::DbError& e) {
            nameTaken = e.isUniqueViolation();
            throw;
        }
        for (int i = 0; i < members_->size(); ++i)
            members_->setValue(i, QStringLiteral("kid"), kid);
        members_->applyUpdates();
        tx.commit();
    } catch (const db::DbError&) {
        if (nameTaken)
            msg::warning(kDuplicate, QStringLiteral("提示"), this);
        else
            msg::error(kFailed, QStringLiteral("错误"), this);
        return false;
    }
    kid_ = kid;
    emit saved(kid);
    accept();
    return true;
}

Tyansezumxfrm::Tyansezumxfrm(int kid, QWidget* parent) : SetEditor(SetKind::colours(), kid, parent)
{
}

Tchimamxfrm::Tchimamxfrm(int kid, QWidget* parent) : SetEditor(SetKind::sizes(), kid, parent) {}

// ---------------------------------------------------------------------------------------------

SetListScreen::SetListScreen(const SetKind& kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    setObjectName(kind_.listFormName);
    setWindowTitle(kind_.listCaption);

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"新 增", "明  细", " 删  除  ", "打 印", " 关 闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("colortitle"), {QStringLiteral("kid")},
                       QStringLiteral("kid"));
    records_->setColumns({{QStringLiteral("kuangname"), kind_.setLabel}});
    grid_ = new QTableView(this);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(grid_, 1);
    resize(360, 420);

    edit_ = new EditController(this, records_, grid_);
    edit_->setButtons(nullptr, nullptr, buttons_[2], nullptr, nullptr);
    // The set row only: its colorzu and mazu rows stay, as orders may still show them.
    edit_->setDelete(QStringLiteral("是否要删除该记录?"));

    connect(buttons_[0], &QPushButton::clicked, this, [this] { openEditor(0); });
    connect(buttons_[1], &QPushButton::clicked, this, [this] {
        const int row = edit_->currentRow();
        if (row >= 0)
            openEditor(records_->value(row, QStringLiteral("kid")).toInt());
    });
    // 打 印 has nothing to print.
    connect(buttons_[4], &QPushButton::clicked, this, &QWidget::close);
    FormShow();
}

QPushButton* SetListScreen::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void SetListScreen::FormShow()
{
    guarded([this] { records_->load(QStringLiteral("SELECT * FROM colortitle ORDER BY kid")); },
            this);
}

SetEditor* SetListScreen::openEditor(int kid)
{
    SetEditor* editor = createEditor(kid);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::ApplicationModal);
    connect(editor, &SetEditor::saved, this, [this](int saved) {
        FormShow();
        edit_->setCurrentRow(records_->findRow(QStringLiteral("kid"), saved));
    });
    opened_ = editor;
    editor->show();
    return editor;
}

Tyansezufrm::Tyansezufrm(QWidget* parent) : SetListScreen(SetKind::colours(), parent) {}

SetEditor* Tyansezufrm::createEditor(int kid)
{
    return new Tyansezumxfrm(kid, this);
}

Tchimafrm::Tchimafrm(QWidget* parent) : SetListScreen(SetKind::sizes(), parent) {}

SetEditor* Tchimafrm::createEditor(int kid)
{
    return new Tchimamxfrm(kid, this);
}
