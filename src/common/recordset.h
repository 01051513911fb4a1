#pragma once
// The rows of a statement held on the client, edited in place and written back in one
// transaction. Writes are optimistic: an update only touches the fields this workstation
// changed, and only while they still hold the values it read; otherwise the whole save is
// refused with a clear message and nothing is written, so no one's edit is lost silently.

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

#include "common/db.h"

// Another workstation changed or deleted a row that this one was saving.
class ConflictError : public db::DbError {
public:
    explicit ConflictError(const QString& message) : db::DbError(message) {}
};

class RecordSet : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
        enum Kind { Text, Integer, Money, Decimal, Date, DateTime, Check } kind = Text;
        int decimals = 2;  // Money and Decimal
        // Replaces the shown text (a looked-up name, say); gets the row's value of field.
        std::function<QString(const QVariant&)> display = {};
    };

    explicit RecordSet(QObject* parent = nullptr);

    // Where writes go: the table, its key fields, and a field the database assigns on insert.
    void setTable(const QString& table, const QStringList& keyFields,
                  const QString& identityField = QString());
    void setColumns(const QList<Column>& columns);
    const QList<Column>& columns() const { return columns_; }

    // Replaces all rows by the rows of the executed query (every field it returns).
    void load(db::Query& query);
    void load(const QString& sql);
    void clear();

    int size() const { return int(rows_.size()); }
    QVariant value(int row, const QString& field) const;
    QString text(int row, const QString& field) const { return value(row, field).toString(); }
    void setValue(int row, const QString& field, const QVariant& value);
    bool isNew(int row) const;
    int findRow(const QString& field, const QVariant& value) const;  // -1 when none

    int appendRow();                // a new row, written on applyUpdates()
    void removeRow(int row);        // hidden now, deleted on applyUpdates()
    void revertRow(int row);        // back to what was read; a new row disappears
    void revertAll();
    bool hasPendingChanges() const;

    // Writes every pending change in one transaction (nested in an open one). Throws db::DbError
    // (isUniqueViolation() for a duplicate key) or ConflictError; on failure nothing is written
    // and the pending changes stay.
    void applyUpdates(db::Connection& connection = db::Connection::main());

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static QString conflictMessage();

private:
    struct Row {
        QHash<QString, QVariant> original;
        QHash<QString, QVariant> current;
        bool isNew = false;
        int order = 0;  // position as read, so a revert puts rows back where they were
    };
    QString key(const QString& field) const { return field.toLower(); }
    void writeInsert(db::Connection& c, Row& row);
    void writeUpdate(db::Connection& c, const Row& row);
    void writeDelete(db::Connection& c, const Row& row);

    QString table_;
    QStringList keyFields_;
    QString identityField_;
    QList<Column> columns_;
    QStringList fields_;  // as the statement returned them
    std::vector<Row> rows_;
    std::vector<Row> deleted_;
    int nextOrder_ = 1 << 30;  // new rows sort after the rows read
};
