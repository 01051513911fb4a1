#include "common/editcontroller.h"

#include "common/db.h"
#include "common/messages.h"
#include "common/recordset.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>

void allowBlankDate(QDateEdit* box)
{
    box->setMinimumDate(QDate(1900, 1, 1));
    box->setSpecialValueText(QStringLiteral(" "));
}

bool allowsBlank(const QDateEdit* box)
{
    return !box->specialValueText().isEmpty();
}

bool isLookup(const QComboBox* combo)
{
    return combo->property("lookup").toBool();
}

void fillLookup(QComboBox* combo, const QString& sql)
{
    const QVariant keep = combo->currentData();
    combo->setProperty("lookup", true);
    combo->clear();
    db::Query q(sql);
    q.exec();
    while (q.next())
        combo->addItem(q.value(1).toString(), q.value(0).toString());
    combo->setCurrentIndex(keep.isValid() ? combo->findData(keep) : -1);
}

EditController::EditController(QWidget* screen, RecordSet* records, QTableView* grid)
    : QObject(screen), screen_(screen), records_(records), grid_(grid)
{
    grid_->setModel(records_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (mode_ == Mode::Browse)
                    showRow(current.row());
            });
    connect(records_, &QAbstractItemModel::modelReset, this, [this] {
        if (records_->size() > 0)
            setCurrentRow(0);
        else
            showRow(-1);
    });
}

void EditController::bind(const QString& field, QWidget* editor)
{
    bindings_.append({field, editor});
    editor->setEnabled(mode_ == Mode::Entry);
}

void EditController::setButtons(QAbstractButton* add, QAbstractButton* edit,
                                 QAbstractButton* remove, QAbstractButton* save,
                                 QAbstractButton* cancel)
{
    add_ = add;
    edit_ = edit;
    remove_ = remove;
    save_ = save;
    cancel_ = cancel;
    if (add_)
        connect(add_, &QAbstractButton::clicked, this, &EditController::add);
    if (edit_)
        connect(edit_, &QAbstractButton::clicked, this, &EditController::edit);
    if (remove_)
        connect(remove_, &QAbstractButton::clicked, this, &EditController::remove);
    if (save_)
        connect(save_, &QAbstractButton::clicked, this, &EditController::save);
    if (cancel_)
        connect(cancel_, &QAbstractButton::clicked, this, &EditController::cancel);
    setMode(mode_);
}

void EditController::addEntryWidget(QWidget* widget)
{
    entryWidgets_.append(widget);
    widget->setEnabled(mode_ == Mode::Entry);
}

void EditController::setRequired(const QStringList& fields, const QString& message)
{
    required_ = fields;
    requiredMessage_ = message;
}

void EditController::setCheck(std::function<QString(int, bool)> check)
{
    check_ = std::move(check);
}

void EditController::setDuplicateMessage(const QString& message)
{
    duplicateMessage_ = message;
}

void EditController::setSaveMessages(const QString& done, const QString& failed)
{
    savedMessage_ = done;
    saveFailedMessage_ = failed;
}

void EditController::setDelete(const QString& question, std::function<void(int)> before,
                               const QString& done, const QString& failed)
{
    deleteQuestion_ = question;
    beforeDelete_ = std::move(before);
    deletedMessage_ = done;
    deleteFailedMessage_ = failed;
}

int EditController::currentRow() const
{
    if (mode_ == Mode::Entry)
        return editingRow_;
    const QModelIndex current = grid_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool EditController::isEditingNewRow() const
{
    return mode_ == Mode::Entry && records_->isNew(editingRow_);
}

void EditController::setCurrentRow(int row)
{
    if (row < 0 || row >= records_->size()) {
        showRow(-1);
        return;
    }
    const QModelIndex index = records_->index(row, 0);
    grid_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index);
    showRow(row);
}

void EditController::setMode(Mode mode)
{
    mode_ = mode;
    const bool entry = mode == Mode::Entry;
    for (const Binding& b : std::as_const(bindings_))
        b.editor->setEnabled(entry);
    for (QWidget* w : std::as_const(entryWidgets_))
        w->setEnabled(entry);
    if (save_)
        save_->setEnabled(entry);
    for (QAbstractButton* b : {add_, edit_, remove_})
        if (b)
            b->setEnabled(!entry);
    if (cancel_)
        cancel_->setEnabled(true);
    grid_->setEnabled(!entry);
    emit modeChanged(mode);
}

void EditController::showRow(int row)
{
    for (const Binding& b : std::as_const(bindings_)) {
        const QVariant v = row >= 0 ? records_->value(row, b.field) : QVariant();
        if (auto* line = qobject_cast<QLineEdit*>(b.editor)) {
            line->setText(v.toString());
        } else if (auto* combo = qobject_cast<QComboBox*>(b.editor)) {
            if (isLookup(combo)) {
                combo->setCurrentIndex(v.isNull() ? -1 : combo->findData(v.toString()));
            } else {
                combo->setCurrentIndex(combo->findText(v.toString()));
                if (combo->isEditable())
                    combo->setEditText(v.toString());
            }
        } else if (auto* date = qobject_cast<QDateEdit*>(b.editor)) {
            // A box that may stay empty shows its blank special value for NULL.
            const QDate d = db::toDate(v);
            if (d.isValid())
                date->setDate(d);
            else
                date->setDate(allowsBlank(date) ? date->minimumDate() : QDate::currentDate());
        } else if (auto* check = qobject_cast<QCheckBox*>(b.editor)) {
            check->setChecked(v.toInt() != 0);
        } else if (auto* spin = qobject_cast<QSpinBox*>(b.editor)) {
            spin->setValue(v.toInt());
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.editor)) {
            memo->setPlainText(v.toString());
        }
    }
}

void EditController::storeEditors(int row)
{
    for (const Binding& b : std::as_const(bindings_)) {
        QVariant v;
        if (auto* line = qobject_cast<QLineEdit*>(b.editor)) {
            const QString text = line->text().trimmed();
            v = text.isEmpty() ? QVariant() : QVariant(text);
        } else if (auto* combo = qobject_cast<QComboBox*>(b.editor)) {
            if (isLookup(combo)) {
                if (combo->currentIndex() >= 0)
                    v = combo->currentData();
                else if (const QVariant kept = records_->value(row, b.field);
                         !kept.isNull() && combo->findData(kept.toString()) < 0)
                    v = kept;  // a key no longer listed (its row was deleted) is kept, not lost
            } else if (!combo->currentText().trimmed().isEmpty()) {
                v = combo->currentText().trimmed();
            }
        } else if (auto* date = qobject_cast<QDateEdit*>(b.editor)) {
            const bool blank = !date->date().isValid() ||
                               (allowsBlank(date) && date->date() == date->minimumDate());
            v = blank ? QVariant() : QVariant(db::dateText(date->date()));
        } else if (auto* check = qobject_cast<QCheckBox*>(b.editor)) {
            v = check->isChecked() ? 1 : 0;
        } else if (auto* spin = qobject_cast<QSpinBox*>(b.editor)) {
            v = spin->value();
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.editor)) {
            const QString text = memo->toPlainText();
            v = text.isEmpty() ? QVariant() : QVariant(text);
        }
        records_->setValue(row, b.field, v);
    }
}

bool EditController::isEmpty(const Binding& b) const
{
    return records_->value(editingRow_, b.field).toString().trimmed().isEmpty();
}

void EditController::add()
{
    if (mode_ == Mode::Entry && records_->isNew(editingRow_))
        records_->revertRow(editingRow_);  // an unsaved new row is discarded
    editingRow_ = records_->appendRow();
    setMode(Mode::Entry);
    showRow(editingRow_);
    if (!bindings_.isEmpty())
        bindings_.first().editor->setFocus();
}

void EditController::edit()
{
    const int row = currentRow();
    if (row < 0)
        return;
    editingRow_ = row;
    setMode(Mode::Entry);
    showRow(row);
    if (!bindings_.isEmpty())
        bindings_.first().editor->setFocus();
}

bool EditController::save()
{
    if (mode_ != Mode::Entry || editingRow_ < 0)
        return false;
    const int row = editingRow_;
    const bool isNew = records_->isNew(row);
    storeEditors(row);
    for (const Binding& b : std::as_const(bindings_))
        if (required_.contains(b.field) && isEmpty(b)) {
            if (!requiredMessage_.isEmpty())
                msg::info(requiredMessage_, QStringLiteral("提示信息"), screen_);
            return false;
        }
    try {
        if (check_) {
            const QString problem = check_(row, isNew);
            if (!problem.isEmpty()) {
                msg::warning(problem, QStringLiteral("提示"), screen_);
                return false;
            }
        }
        records_->applyUpdates();
    } catch (const ConflictError& e) {
        msg::warning(e.message(), QStringLiteral("提示"), screen_);
        return false;
    } catch (const db::DbError& e) {
        if (e.isUniqueViolation() && !duplicateMessage_.isEmpty())
            msg::warning(duplicateMessage_, QStringLiteral("提示"), screen_);
        else
            msg::error(saveFailedMessage_.isEmpty() ? e.message()
                                                    : saveFailedMessage_ + QLatin1Char('\n') + e.message(),
                       QStringLiteral("错误"), screen_);
        return false;
    }
    editingRow_ = -1;
    setMode(Mode::Browse);
    setCurrentRow(row);
    if (!savedMessage_.isEmpty())
        msg::info(savedMessage_, QStringLiteral("提示信息"), screen_);
    emit saved(row);
    return true;
}

void EditController::cancel()
{
    const int row = editingRow_;
    records_->revertAll();
    editingRow_ = -1;
    setMode(Mode::Browse);
    setCurrentRow(qMin(row < 0 ? 0 : row, records_->size() - 1));
}

void EditController::remove()
{
    const int row = currentRow();
    if (mode_ != Mode::Browse || row < 0)
        return;
    if (!deleteQuestion_.isEmpty() && !msg::ask(deleteQuestion_, QStringLiteral("询问"), screen_))
        return;
    try {
        db::Transaction tx;
        if (beforeDelete_)
            beforeDelete_(row);
        records_->removeRow(row);
        records_->applyUpdates();
        tx.commit();
    } catch (const db::DbError& e) {
        records_->revertAll();
        msg::error(deleteFailedMessage_.isEmpty() ? e.message() : deleteFailedMessage_,
                   QStringLiteral("错误"), screen_);
        setCurrentRow(qMin(row, records_->size() - 1));
        return;
    }
    setCurrentRow(qMin(row, records_->size() - 1));
    if (!deletedMessage_.isEmpty())
        msg::info(deletedMessage_, QStringLiteral("提示信息"), screen_);
    emit removed();
}

void EditController::refreshEditors()
{
    showRow(currentRow());
}
