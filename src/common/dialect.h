#pragma once
// The few places where SQLite and PostgreSQL differ: column types in DDL, temp tables,
// date arithmetic and how a unique-key violation is reported.

#include "common/connectionstring.h"

#include <QString>

class QSqlError;

namespace db {

class Dialect {
public:
    explicit Dialect(Engine engine) : engine_(engine) {}
    Engine engine() const { return engine_; }
    bool isSQLite() const { return engine_ == Engine::SQLite; }

    // Replaces the type tokens of portable DDL:
    //   {ID}       integer identity primary key
    //   {MONEY}    amount with 4 decimals
    //   {DECIMAL}  other decimals (quantities, rates)
    //   {FLOAT}    double-precision float
    //   {DATETIME} date-time,  {DATE} date
    //   {BIT}      0/1 flag (compared with literals 0 and 1 in SQL)
    //   {TEXT}     unlimited text
    QString ddl(const QString& portable) const;

    // Temporary work tables of the connection (the '#name' tables of the screens).
    QString dropTempTable(const QString& name) const;
    QString createTempTable(const QString& name, const QString& portableColumns) const;

    // Expression adding a whole number of days (given as SQL expression) to a date expression.
    QString addDays(const QString& dateExpr, const QString& daysExpr) const;

    // The integer expression as text of width digits, with leading zeros.
    QString zeroPad(const QString& expr, int width) const;
    // Appended to a SELECT that locks the rows it reads until the transaction ends (SQLite's
    // writer lock already serialises writing transactions).
    QString forUpdate() const { return isSQLite() ? QString() : QStringLiteral(" FOR UPDATE"); }

    // LIKE that ignores letter case on both engines.
    QString likeIgnoringCase() const { return isSQLite() ? QStringLiteral("LIKE") : QStringLiteral("ILIKE"); }

    bool isUniqueViolation(const QSqlError& error) const;

private:
    Engine engine_;
};

}  // namespace db
