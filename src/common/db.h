#pragma once
// Database layer: the process's one connection, statements with bound named parameters,
// the RAII transaction guard and the value conventions (dates as text, money with 4 decimals).

#include "common/connectionstring.h"
#include "common/dialect.h"
#include "common/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>

namespace db {

// A failed statement. message() is the database's own text, shown to the user as it stands.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, bool uniqueViolation = false)
        : std::runtime_error(message.toStdString()), message_(message),
          uniqueViolation_(uniqueViolation) {}
    const QString& message() const { return message_; }
    // The statement broke a unique key: another row (perhaps from another workstation) holds it.
    bool isUniqueViolation() const { return uniqueViolation_; }

private:
    QString message_;
    bool uniqueViolation_;
};

class Connection {
public:
    // The one connection of the program, shared by every screen.
    static Connection& main();

    explicit Connection(const QString& name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Closes whatever was open, then opens these settings. On failure returns false and
    // puts the driver's message into *error.
    // A missing SQLite file is an error unless createMissingFile is set.
    bool open(const ConnectionSettings& settings, QString* error, bool createMissingFile = false);
    void close();
    bool isOpen() const;

    Engine engine() const { return dialect_.engine(); }
    const Dialect& dialect() const { return dialect_; }
    QSqlDatabase handle() const;
    const QString& name() const { return name_; }

    // Plain statement without parameters (DDL, pragmas). Throws DbError.
    void execute(const QString& sql);

    // (Re)creates a temporary work table of this connection; other connections never see it.
    void createTempTable(const QString& name, const QString& portableColumns);
    void dropTempTable(const QString& name);

    bool tableExists(const QString& table);

private:
    friend class Transaction;
    QString name_;
    Dialect dialect_{Engine::SQLite};
    int transactionDepth_ = 0;
};

// Opens the process connection from a connection string. On failure shows the error's own
// text in a box captioned "错误" and returns false. Never throws.
// A relative SQLite path is resolved against baseDir, by default the program's directory.
bool TryConnect(const QString& connectionString, const QString& baseDir = QString());
QString programDir();

// A statement with named parameters (":a"). Values are always bound, never spliced.
class Query {
public:
    explicit Query(const QString& sql, Connection& connection = Connection::main());

    Query& bind(const QString& name, const QVariant& value);
    Query& bind(const QString& name, const QString& value) { return bind(name, QVariant(value)); }
    Query& bind(const QString& name, const char* value) { return bind(name, QString::fromUtf8(value)); }
    Query& bind(const QString& name, int value) { return bind(name, QVariant(value)); }
    Query& bind(const QString& name, bool value) { return bind(name, QVariant(value ? 1 : 0)); }
    Query& bind(const QString& name, const QDate& value);
    Query& bind(const QString& name, const QDateTime& value);
    Query& bind(const QString& name, Money value) { return bind(name, QVariant(value.storageText())); }

    // Runs the statement. Throws DbError with the database's text on failure.
    Query& exec();
    bool next() { return query_.next(); }
    QVariant value(int column) const { return query_.value(column); }
    QVariant value(const QString& column) const;
    QString text(const QString& column) const { return value(column).toString(); }
    int toInt(const QString& column) const { return value(column).toInt(); }
    QDate date(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    Money money(const QString& column) const { return Money::fromVariant(value(column)); }
    int rowsAffected() const { return query_.numRowsAffected(); }
    QSqlQuery& raw() { return query_; }

    // Convenience: first column of the first row, or an invalid QVariant when no row.
    QVariant scalar();

private:
    Connection& connection_;
    QString sql_;
    QSqlQuery query_;
    QList<QPair<QString, QVariant>> bindings_;
};

// Rolls back unless commit() was called. Nested guards become savepoints.
class Transaction {
public:
    explicit Transaction(Connection& connection = Connection::main());
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    int level_;
    bool done_ = false;
};

// Date conventions: dates travel as "YYYY-MM-DD", date-times as "YYYY-MM-DD HH:MM:SS".
QString dateText(const QDate& date);
QString dateTimeText(const QDateTime& dateTime);
QDate toDate(const QVariant& value);
QDateTime toDateTime(const QVariant& value);

}  // namespace db
