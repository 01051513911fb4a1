#include "common/recordset.h"

#include <QSqlRecord>

#include <algorithm>

RecordSet::RecordSet(QObject* parent) : QAbstractTableModel(parent) {}

QString RecordSet::conflictMessage()
{
    return QStringLiteral("这条记录刚被其他工作站修改或删除，本次修改没有保存。\n"
                          "请按“取消”后重新打开或查询，再修改。");
}

void RecordSet::setTable(const QString& table, const QStringList& keyFields,
                         const QString& identityField)
{
    table_ = table;
    keyFields_ = keyFields;
    identityField_ = identityField;
}

void RecordSet::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    columns_ = columns;
    endResetModel();
}

void RecordSet::load(db::Query& query)
{
    beginResetModel();
    rows_.clear();
    deleted_.clear();
    fields_.clear();
    const QSqlRecord record = query.raw().record();
    for (int i = 0; i < record.count(); ++i)
        fields_ << record.fieldName(i);
    while (query.next()) {
        Row row;
        for (int i = 0; i < fields_.size(); ++i)
            row.original.insert(key(fields_[i]), query.value(i));
        row.current = row.original;
        row.order = int(rows_.size());
        rows_.push_back(std::move(row));
    }
    endResetModel();
}

void RecordSet::load(const QString& sql)
{
    db::Query q(sql);
    q.exec();
    load(q);
}

void RecordSet::clear()
{
    beginResetModel();
    rows_.clear();
    deleted_.clear();
    endResetModel();
}

QVariant RecordSet::value(int row, const QString& field) const
{
    if (row < 0 || row >= size())
        return {};
    return rows_[size_t(row)].current.value(key(field));
}

void RecordSet::setValue(int row, const QString& field, const QVariant& value)
{
    if (row < 0 || row >= size())
        return;
    rows_[size_t(row)].current.insert(key(field), value);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool RecordSet::isNew(int row) const
{
    return row >= 0 && row < size() && rows_[size_t(row)].isNew;
}

int RecordSet::findRow(const QString& field, const QVariant& value) const
{
    for (int i = 0; i < size(); ++i)
        if (rows_[size_t(i)].current.value(key(field)).toString() == value.toString())
            return i;
    return -1;
}

int RecordSet::appendRow()
{
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    Row r;
    r.isNew = true;
    r.order = nextOrder_++;
    rows_.push_back(std::move(r));
    endInsertRows();
    return row;
}

void RecordSet::removeRow(int row)
{
    if (row < 0 || row >= size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    if (!rows_[size_t(row)].isNew)
        deleted_.push_back(rows_[size_t(row)]);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void RecordSet::revertRow(int row)
{
    if (row < 0 || row >= size())
        return;
    if (rows_[size_t(row)].isNew) {
        beginRemoveRows(QModelIndex(), row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
        return;
    }
    rows_[size_t(row)].current = rows_[size_t(row)].original;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordSet::revertAll()
{
    beginResetModel();
    std::vector<Row> kept;
    for (Row& r : rows_)
        if (!r.isNew) {
            r.current = r.original;
            kept.push_back(std::move(r));
        }
    for (Row& r : deleted_) {
        r.current = r.original;
        kept.push_back(std::move(r));
    }
    deleted_.clear();
    std::stable_sort(kept.begin(), kept.end(), [](const Row& a, const Row& b) { return a.order < b.order; });
    rows_ = std::move(kept);
    endResetModel();
}

bool RecordSet::hasPendingChanges() const
{
    if (!deleted_.empty())
        return true;
    for (const Row& r : rows_)
        if (r.isNew || r.current != r.original)
            return true;
    return false;
}

void RecordSet::writeInsert(db::Connection& c, Row& row)
{
    QStringList names;
    QStringList params;
    QList<QVariant> values;
    for (auto it = row.current.cbegin(); it != row.current.cend(); ++it) {
        if (it.key() == key(identityField_) || it.value().isNull())
            continue;
        names << it.key();
        params << QStringLiteral(":v%1").arg(values.size());
        values << it.value();
    }
    QString sql = names.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table_)
                      : QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                            .arg(table_, names.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    if (!identityField_.isEmpty())
        sql += QStringLiteral(" RETURNING ") + identityField_;
    db::Query q(sql, c);
    for (int i = 0; i < values.size(); ++i)
        q.bind(params[i], values[i]);
    q.exec();
    if (!identityField_.isEmpty() && q.next())
        row.current.insert(key(identityField_), q.value(0));
}

void RecordSet::writeUpdate(db::Connection& c, const Row& row)
{
    QStringList sets;
    QStringList where;
    QList<QPair<QString, QVariant>> binds;
    for (auto it = row.current.cbegin(); it != row.current.cend(); ++it) {
        const QVariant before = row.original.value(it.key());
        if (before.isNull() == it.value().isNull() && before.toString() == it.value().toString())
            continue;
        const QString p = QStringLiteral(":s%1").arg(binds.size());
        sets << QStringLiteral("%1=%2").arg(it.key(), p);
        binds.append({p, it.value()});
        // Only while the field still holds what this workstation read.
        const QString o = QStringLiteral(":o%1").arg(binds.size());
        where << QStringLiteral("%1 IS NOT DISTINCT FROM %2").arg(it.key(), o);
        binds.append({o, before});
    }
    if (sets.isEmpty())
        return;
    for (const QString& k : keyFields_) {
        const QString p = QStringLiteral(":k%1").arg(binds.size());
        where << QStringLiteral("%1=%2").arg(k, p);
        binds.append({p, row.original.value(key(k))});
    }
    db::Query q(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                    .arg(table_, sets.join(QLatin1Char(',')), where.join(QStringLiteral(" AND "))),
                c);
    for (const auto& [name, value] : binds)
        q.bind(name, value);
    q.exec();
    if (q.rowsAffected() == 0)
        throw ConflictError(conflictMessage());
}

void RecordSet::writeDelete(db::Connection& c, const Row& row)
{
    QStringList where;
    QList<QPair<QString, QVariant>> binds;
    for (const QString& k : keyFields_) {
        const QString p = QStringLiteral(":k%1").arg(binds.size());
        where << QStringLiteral("%1=%2").arg(k, p);
        binds.append({p, row.original.value(key(k))});
    }
    db::Query del(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table_, where.join(QStringLiteral(" AND "))), c);
    for (const auto& [name, value] : binds)
        del.bind(name, value);
    del.exec();  // a row someone else deleted already is gone either way
}

void RecordSet::applyUpdates(db::Connection& connection)
{
    if (table_.isEmpty() || keyFields_.isEmpty())
        throw db::DbError(QStringLiteral("程序错误：没有指定要保存的表"));
    std::vector<Row> rows = rows_;
    {
        db::Transaction tx(connection);
        for (const Row& r : deleted_)
            writeDelete(connection, r);
        for (Row& r : rows) {
            if (r.isNew)
                writeInsert(connection, r);
            else
                writeUpdate(connection, r);
        }
        tx.commit();
    }
    // Written: what was pending is now what the database holds.
    for (Row& r : rows) {
        r.isNew = false;
        r.original = r.current;
    }
    rows_ = std::move(rows);
    deleted_.clear();
    emit dataChanged(index(0, 0), index(qMax(0, size() - 1), qMax(0, columnCount() - 1)));
}

int RecordSet::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

int RecordSet::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant RecordSet::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size() || index.column() >= columns_.size())
        return {};
    const Column& col = columns_[index.column()];
    const QVariant v = value(index.row(), col.field);
    if (role == Qt::CheckStateRole && col.kind == Column::Check)
        return v.toInt() != 0 ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole &&
        (col.kind == Column::Integer || col.kind == Column::Money || col.kind == Column::Decimal))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (col.display)
        return col.display(v);
    if (v.isNull())
        return {};
    switch (col.kind) {
    case Column::Money:
    case Column::Decimal:
        return Money::fromVariant(v).toString(col.decimals);
    case Column::Date:
        return db::toDate(v).toString(QStringLiteral("yyyy-MM-dd"));
    case Column::DateTime:
        return db::toDateTime(v).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Column::Check:
        return {};
    case Column::Integer:
    case Column::Text:
        break;
    }
    return v.toString();
}

QVariant RecordSet::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section < columns_.size())
        return columns_[section].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}
