#pragma once
// The record screens of the organisation tables (departments on three levels, positions, rooms,
// wage grades): a tool bar with add, change, delete, save, cancel and close over an entry panel
// and a grid of the table, on the editing-screen pattern. RecordScreen builds the frame; each
// screen adds its fields, columns and rules.

#include <QHash>
#include <QWidget>

class EditController;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class RecordScreen : public QWidget {
    Q_OBJECT
public:
    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QTableView* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;
    QWidget* field(const QString& column) const { return fields_.value(column); }
    QLineEdit* box(const QString& column) const;

    // Re-reads the list and returns to browsing.
    virtual void FormShow();

protected:
    RecordScreen(const QString& formName, const QString& caption, QWidget* parent);

    // Adds an editor to the panel, bound to column.
    void addEditor(const QString& column, const QString& caption, QWidget* editor);
    QLineEdit* addBox(const QString& column, const QString& caption, int maxLength = 50);
    // Adds an editor that is not bound to a column; it is enabled while editing only.
    void addUnbound(const QString& caption, QWidget* editor);
    QGridLayout* panel() const { return panel_; }
    void setListStatement(const QString& sql) { listSql_ = sql; }
    // Neither a new row nor a changed one may take a value of column that another row holds:
    // the select runs before saving, and a unique violation from the database (another
    // workstation stored the value in between) gives the same message.
    void setUnique(const QString& table, const QString& column, const QString& message);
    // Is value of column taken by a row other than the one being edited?
    bool taken(const QString& value) const;

    // Called after the list was read, before the grid shows it (lookups of names, say).
    virtual void listRead() {}

private:
    QString listSql_;
    QString uniqueTable_;
    QString uniqueColumn_;
    QVariant uniqueBefore_;  // the edited row's value as read; null for a new row
    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QGridLayout* panel_;
    QHash<QString, QWidget*> fields_;
    int position_ = 0;  // the panel's next place
    QList<QPushButton*> buttons_;
};
