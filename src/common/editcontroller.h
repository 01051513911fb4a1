#pragma once
// The editing-screen pattern: an entry panel over a grid, in browse mode or entry mode, switched
// by 新增 / 修改 / 保存 / 取消. Required fields and duplicates are checked before saving, a delete
// asks first, and every save or delete is one transaction. A screen states its table, its
// fields and its messages; this does the rest.

#include <QObject>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QComboBox;
class QDateEdit;
class QTableView;
class QWidget;
class RecordSet;

// A drop-down that shows names and stores keys: filled from a statement whose first column is
// the key and second the name shown. EditController stores the key of such a combo.
void fillLookup(QComboBox* combo, const QString& sql);
bool isLookup(const QComboBox* combo);
// A date box that may stay empty: it shows a blank for NULL and stores NULL for the blank.
void allowBlankDate(QDateEdit* box);
bool allowsBlank(const QDateEdit* box);

class EditController : public QObject {
    Q_OBJECT
public:
    enum class Mode { Browse, Entry };

    EditController(QWidget* screen, RecordSet* records, QTableView* grid);

    // Shows field of the current row in editor and writes it back on save. Editors: QLineEdit
    // (empty text is NULL), QComboBox (the key of a lookup combo, else the text),
    // QDateEdit, QCheckBox (1/0), QSpinBox, QPlainTextEdit.
    void bind(const QString& field, QWidget* editor);
    // Buttons may be nullptr when a screen lacks one. Cancel stays enabled in both modes.
    void setButtons(QAbstractButton* add, QAbstractButton* edit, QAbstractButton* remove,
                    QAbstractButton* save, QAbstractButton* cancel);
    // Widgets that follow the entry panel (enabled in entry mode only), besides the editors.
    void addEntryWidget(QWidget* widget);

    // Empty required fields stop a save with message (nothing is shown when it is empty).
    void setRequired(const QStringList& fields, const QString& message);
    // Runs before a save, after the required fields; returns the message that stops the save, or
    // an empty string. The row holds the typed values already.
    void setCheck(std::function<QString(int row, bool isNew)> check);
    // Shown when the database refuses the save as a duplicate (two workstations at once).
    void setDuplicateMessage(const QString& message);
    // Shown after a successful save (none by default) and when the save fails otherwise.
    void setSaveMessages(const QString& done, const QString& failed = QString());

    // Delete: the question (Yes/No), statements to run first in the same transaction, and the
    // messages after success and failure (empty: none / the database's own text).
    void setDelete(const QString& question, std::function<void(int row)> before = {},
                   const QString& done = QString(), const QString& failed = QString());

    Mode mode() const { return mode_; }
    int currentRow() const;
    bool isEditingNewRow() const;
    RecordSet* records() const { return records_; }
    void setCurrentRow(int row);

    void add();
    void edit();
    void remove();
    bool save();
    void cancel();
    // Re-shows the current row in the editors (after the list was re-read).
    void refreshEditors();
    void setMode(Mode mode);

signals:
    void modeChanged(EditController::Mode mode);
    void saved(int row);
    void removed();

private:
    struct Binding {
        QString field;
        QWidget* editor;
    };
    void showRow(int row);
    void storeEditors(int row);
    bool isEmpty(const Binding& b) const;

    QWidget* screen_;
    RecordSet* records_;
    QTableView* grid_;
    QList<Binding> bindings_;
    QList<QWidget*> entryWidgets_;
    QAbstractButton* add_ = nullptr;
    QAbstractButton* edit_ = nullptr;
    QAbstractButton* remove_ = nullptr;
    QAbstractButton* save_ = nullptr;
    QAbstractButton* cancel_ = nullptr;
    QStringList required_;
    QString requiredMessage_;
    std::function<QString(int, bool)> check_;
    QString duplicateMessage_;
    QString savedMessage_;
    QString saveFailedMessage_;
    QString deleteQuestion_;
    std::function<void(int)> beforeDelete_;
    QString deletedMessage_;
    QString deleteFailedMessage_;
    Mode mode_ = Mode::Browse;
    int editingRow_ = -1;
};
