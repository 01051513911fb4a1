#include "common/db.h"

#include "common/messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace db {

namespace {

QString errorText(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text += QLatin1Char('\n') + error.driverText();
    return text;
}

QVariant toBindable(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return QVariant(value.toBool() ? 1 : 0);
    case QMetaType::QDate:
        return value.toDate().isValid() ? QVariant(dateText(value.toDate()))
                                        : QVariant(QMetaType::fromType<QString>());
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? QVariant(dateTimeText(value.toDateTime()))
                                            : QVariant(QMetaType::fromType<QString>());
    default:
        if (value.typeId() == qMetaTypeId<Money>())
            return QVariant(value.value<Money>().storageText());
        return value;
    }
}

}  // namespace

// ---- Connection ----

Connection& Connection::main()
{
    // Never destroyed: Qt's registry of connections may be gone by the time static objects die.
    // The program closes it before it ends.
    static Connection* connection = new Connection(QStringLiteral("ventrel"));
    return *connection;
}

Connection::Connection(const QString& name) : name_(name) {}

Connection::~Connection()
{
    close();
}

QSqlDatabase Connection::handle() const
{
    return QSqlDatabase::database(name_, false);
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(name_) && handle().isOpen();
}

void Connection::close()
{
    if (!QSqlDatabase::contains(name_))
        return;
    {
        QSqlDatabase db = handle();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name_);
    transactionDepth_ = 0;
}

bool Connection::open(const ConnectionSettings& s, QString* error, bool createMissingFile)
{
    close();
    dialect_ = Dialect(s.engine);
    QSqlDatabase db;
    if (s.engine == Engine::SQLite) {
        if (!createMissingFile && !QFileInfo::exists(s.file)) {
            if (error)
                *error = QStringLiteral("数据库文件不存在：%1").arg(s.file);
            return false;
        }
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(s.file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        db.setPassword(s.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!db.open()) {
        if (error)
            *error = errorText(db.lastError());
        db = QSqlDatabase();
        close();
        return false;
    }
    try {
        if (s.engine == Engine::SQLite) {
            // Proves the file is a database and sets the modes several workstations need.
            execute(QStringLiteral("PRAGMA journal_mode=WAL"));
            execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
        } else {
            execute(QStringLiteral("SET client_min_messages TO WARNING"));
        }
    } catch (const DbError& e) {
        if (error)
            *error = e.message();
        close();
        return false;
    }
    return true;
}

void Connection::execute(const QString& sql)
{
    QSqlQuery q(handle());
    if (!q.exec(sql))
        throw DbError(errorText(q.lastError()), dialect_.isUniqueViolation(q.lastError()));
}

void Connection::createTempTable(const QString& name, const QString& portableColumns)
{
    dropTempTable(name);
    execute(dialect_.createTempTable(name, portableColumns));
}

void Connection::dropTempTable(const QString& name)
{
    execute(dialect_.dropTempTable(name));
}

bool Connection::tableExists(const QString& table)
{
    if (dialect_.isSQLite()) {
        Query q(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') "
                               "AND lower(name)=lower(:t)"),
                *this);
        return q.bind(QStringLiteral(":t"), table).exec().next();
    }
    Query q(QStringLiteral("SELECT 1 FROM information_schema.tables "
                           "WHERE table_schema=current_schema() AND table_name=lower(:t)"),
            *this);
    return q.bind(QStringLiteral(":t"), table).exec().next();
}

QString programDir()
{
    return QCoreApplication::applicationDirPath();
}

bool TryConnect(const QString& connectionString, const QString& baseDir)
{
    Connection::main().close();
    const ParsedConnection parsed =
        parseConnectionString(connectionString, baseDir.isEmpty() ? programDir() : baseDir);
    QString error = parsed.error;
    if (parsed.settings && Connection::main().open(*parsed.settings, &error))
        return true;
    msg::error(error, QStringLiteral("错误"));
    return false;
}

// ---- Query ----

Query::Query(const QString& sql, Connection& connection)
    : connection_(connection), sql_(sql), query_(connection.handle())
{
    query_.setForwardOnly(true);
}

Query& Query::bind(const QString& name, const QVariant& value)
{
    const QString key = name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name;
    bindings_.append({key, toBindable(value)});
    return *this;
}

Query& Query::bind(const QString& name, const QDate& value)
{
    return bind(name, QVariant(value));
}

Query& Query::bind(const QString& name, const QDateTime& value)
{
    return bind(name, QVariant(value));
}

Query& Query::exec()
{
    bool ok;
    if (bindings_.isEmpty()) {
        ok = query_.exec(sql_);
    } else {
        ok = query_.prepare(sql_);
        if (ok) {
            for (const auto& [key, value] : std::as_const(bindings_))
                query_.bindValue(key, value);
            ok = query_.exec();
        }
    }
    if (!ok) {
        const QSqlError error = query_.lastError();
        throw DbError(errorText(error), connection_.dialect().isUniqueViolation(error));
    }
    return *this;
}

QVariant Query::value(const QString& column) const
{
    const int index = query_.record().indexOf(column);
    if (index < 0)
        throw DbError(QStringLiteral("结果中没有列 %1").arg(column));
    return query_.value(index);
}

QDate Query::date(const QString& column) const
{
    return toDate(value(column));
}

QDateTime Query::dateTime(const QString& column) const
{
    return toDateTime(value(column));
}

QVariant Query::scalar()
{
    exec();
    return next() ? value(0) : QVariant();
}

// ---- Transaction ----

Transaction::Transaction(Connection& connection)
    : connection_(connection), level_(connection.transactionDepth_)
{
    if (level_ == 0)
        connection_.execute(connection_.dialect().isSQLite() ? QStringLiteral("BEGIN IMMEDIATE")
                                                             : QStringLiteral("BEGIN"));
    else
        connection_.execute(QStringLiteral("SAVEPOINT sp_%1").arg(level_));
    ++connection_.transactionDepth_;
}

Transaction::~Transaction()
{
    if (done_)
        return;
    --connection_.transactionDepth_;
    try {
        if (level_ == 0) {
            connection_.execute(QStringLiteral("ROLLBACK"));
        } else {
            connection_.execute(QStringLiteral("ROLLBACK TO SAVEPOINT sp_%1").arg(level_));
            connection_.execute(QStringLiteral("RELEASE SAVEPOINT sp_%1").arg(level_));
        }
    } catch (const DbError&) {
        // The connection may be gone; nothing more can be undone from here.
    }
}

void Transaction::commit()
{
    if (done_)
        return;
    if (level_ == 0)
        connection_.execute(QStringLiteral("COMMIT"));
    else
        connection_.execute(QStringLiteral("RELEASE SAVEPOINT sp_%1").arg(level_));
    done_ = true;
    --connection_.transactionDepth_;
}

// ---- dates ----

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString dateTimeText(const QDateTime& dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDate toDate(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), QStringLiteral("yyyy-MM-dd"));
}

QDateTime toDateTime(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    const QString text = value.toString().replace(QLatin1Char('T'), QLatin1Char(' '));
    if (text.size() <= 10)
        return QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).startOfDay();
    return QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

}  // namespace db
