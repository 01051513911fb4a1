#include "server/dbadmin.h"

#include "common/db.h"
#include "server/demodata.h"
#include "server/schema.h"
#include "server/seed.h"

#include <QFile>
#include <QFileInfo>

namespace dbadmin {

namespace {

const QString kAdminConnection = QStringLiteral("ventrel-admin");

// Creates the PostgreSQL database named in settings when the server does not have it yet.
bool ensurePostgresDatabase(const db::ConnectionSettings& settings, QString* error)
{
    db::Connection probe(kAdminConnection);
    QString ignored;
    if (probe.open(settings, &ignored))
        return true;
    db::ConnectionSettings maintenance = settings;
    maintenance.database = QStringLiteral("postgres");
    if (!probe.open(maintenance, error))
        return false;
    try {
        QString name = settings.database;
        name.replace(QLatin1Char('"'), QLatin1String("\"\""));
        probe.execute(QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' TEMPLATE template0")
                          .arg(name));
    } catch (const db::DbError& e) {
        *error = e.message();
        return false;
    }
    return true;
}

}  // namespace

bool createDatabase(const QString& connectionString, bool demo, QString* error,
                    const QString& baseDir)
{
    const db::ParsedConnection parsed =
        db::parseConnectionString(connectionString, baseDir.isEmpty() ? db::programDir() : baseDir);
    if (!parsed.settings) {
        *error = parsed.error;
        return false;
    }
    const db::ConnectionSettings& s = *parsed.settings;
    if (s.engine == db::Engine::SQLite && QFileInfo::exists(s.file)) {
        *error = QStringLiteral("数据库文件已经存在：%1").arg(s.file);
        return false;
    }
    if (s.engine == db::Engine::PostgreSQL && !ensurePostgresDatabase(s, error))
        return false;
    db::Connection c(kAdminConnection);
    if (!c.open(s, error, true))
        return false;
    try {
        if (schema::storedVersion(c) != 0) {
            *error = QStringLiteral("数据库 %1 中已有数据表，不能在其中新建。").arg(s.database);
            return false;
        }
        // All or nothing: a database that exists is complete, with its first user.
        db::Transaction tx(c);
        schema::upgrade(c);
        seed::baseData(c);
        if (demo)
            demo::fill(c);
        tx.commit();
    } catch (const db::DbError& e) {
        *error = e.message();
        c.close();
        if (s.engine == db::Engine::SQLite)
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(s.file + QLatin1String(suffix));
        return false;
    }
    return true;
}

bool upgradeDatabase(const QString& connectionString, QString* error, const QString& baseDir)
{
    const db::ParsedConnection parsed =
        db::parseConnectionString(connectionString, baseDir.isEmpty() ? db::programDir() : baseDir);
    if (!parsed.settings) {
        *error = parsed.error;
        return false;
    }
    db::Connection c(kAdminConnection);
    if (!c.open(*parsed.settings, error))
        return false;
    try {
        const int stored = schema::storedVersion(c);
        if (stored == 0) {
            *error = QStringLiteral("数据库是空的，请用 --create-database 新建。");
            return false;
        }
        schema::upgrade(c);
        seed::syncMenuCatalogue(c);
    } catch (const db::DbError& e) {
        *error = e.message();
        return false;
    }
    return true;
}

VersionCheck checkVersion(db::Connection& connection, int* stored)
{
    const int v = schema::storedVersion(connection);
    if (stored)
        *stored = v;
    if (v <= 0)
        return VersionCheck::NotOurs;
    if (v > schema::currentVersion())
        return VersionCheck::Newer;
    return v < schema::currentVersion() ? VersionCheck::Older : VersionCheck::Current;
}

QString versionMessage(VersionCheck check, int stored)
{
    switch (check) {
    case VersionCheck::Current:
        return {};
    case VersionCheck::Older:
        return QStringLiteral("数据库版本 %1 较旧，本程序需要版本 %2。是否现在升级数据库？\n"
                              "（升级前请确认其他工作站已退出本系统。）")
            .arg(stored)
            .arg(schema::currentVersion());
    case VersionCheck::Newer:
        return QStringLiteral("数据库版本 %1 比本程序支持的版本 %2 新，请先升级本程序。")
            .arg(stored)
            .arg(schema::currentVersion());
    case VersionCheck::NotOurs:
        if (stored == 0)
            return QStringLiteral("所连接的数据库是空的，还没有本系统的数据表。\n"
                                  "请在连接配置中新建数据库，或用 --create-database 建立。");
        return QStringLiteral("所连接的数据库不是本系统的数据库（没有版本记录）。");
    }
    return {};
}

}  // namespace dbadmin
