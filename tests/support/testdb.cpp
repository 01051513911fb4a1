#include "support/testdb.h"

#include "common/db.h"
#include "server/dbadmin.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QUuid>

namespace testdb {

namespace {

QString pgBase()
{
    return qEnvironmentVariable("VENTREL_TEST_PG");
}

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString uniqueName()
{
    return QStringLiteral("t_%1").arg(
        QUuid::createUuid().toString(QUuid::Id128).left(16));
}

}  // namespace

bool engineRows = false;

void addEngineRows()
{
    engineRows = true;
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

QString currentEngine()
{
    if (!engineRows)
        return QStringLiteral("sqlite");
    return *static_cast<QString*>(QTest::qGlobalData("engine", qMetaTypeId<QString>()));
}

bool available(QString* why)
{
    if (currentEngine() == QLatin1String("postgresql") && pgBase().isEmpty()) {
        *why = QStringLiteral("PostgreSQL: VENTREL_TEST_PG is not set (test.sh sets it)");
        return false;
    }
    return true;
}

QString scratchDir()
{
    const QString path = tempDir().filePath(uniqueName());
    QDir().mkpath(path);
    return path;
}

QString freshEmptyDatabase()
{
    if (currentEngine() == QLatin1String("sqlite"))
        return QStringLiteral("Provider=SQLite;Data Source=%1")
            .arg(tempDir().filePath(uniqueName() + QStringLiteral(".db")));
    const db::ParsedConnection parsed = db::parseConnectionString(pgBase(), QString());
    if (!parsed.settings)
        qFatal("VENTREL_TEST_PG is not a connection string: %s", qPrintable(parsed.error));
    db::ConnectionSettings s = *parsed.settings;
    {
        db::Connection admin(QStringLiteral("testdb-admin"));
        QString error;
        if (!admin.open(s, &error))
            qFatal("cannot reach the test PostgreSQL server: %s", qPrintable(error));
        s.database = uniqueName();
        admin.execute(QStringLiteral("CREATE DATABASE %1").arg(s.database));
    }
    return db::buildConnectionString(s);
}

QString freshDatabase(bool demo)
{
    const QString text = freshEmptyDatabase();
    QString error;
    if (!dbadmin::createDatabase(text, demo, &error, QString()))
        qFatal("createDatabase: %s", qPrintable(error));
    return text;
}

void openFresh(bool demo)
{
    const QString text = freshDatabase(demo);
    const db::ParsedConnection parsed = db::parseConnectionString(text, QString());
    QString error;
    if (!db::Connection::main().open(*parsed.settings, &error))
        qFatal("open: %s", qPrintable(error));
}

}  // namespace testdb
