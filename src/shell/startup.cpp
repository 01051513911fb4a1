#include "shell/startup.h"

#include "common/db.h"
#include "common/messages.h"
#include "server/dbadmin.h"
#include "server/schema.h"
#include "server/seed.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace startup {

namespace {

const QString kInitialDialogText = QStringLiteral("sf");

struct ReadResult {
    bool ok = true;
    QString text;
    QString error;
};

ReadResult readConfig(const QString& path)
{
    ReadResult r;
    QFile file(path);
    if (!file.exists())
        return r;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        r.ok = false;
        r.error = QStringLiteral("无法读取连接配置文件 %1：%2").arg(path, file.errorString());
        return r;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    r.text = lines.join(QLatin1Char('\n'));
    return r;
}

bool writeConfig(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);  // a read-only folder with a writable file
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    file.write(text.toUtf8() + '\n');
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

QString configFilePath(const QString& dir)
{
    return QDir(dir.isEmpty() ? db::programDir() : dir).filePath(QStringLiteral("configdata.txt"));
}

bool ensureUsableSchema()
{
    db::Connection& c = db::Connection::main();
    int stored = 0;
    dbadmin::VersionCheck check;
    try {
        check = dbadmin::checkVersion(c, &stored);
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"));
        return false;
    }
    switch (check) {
    case dbadmin::VersionCheck::Current:
        return true;
    case dbadmin::VersionCheck::Older:
        if (!msg::ask(dbadmin::versionMessage(check, stored)))
            return false;
        try {
            schema::upgrade(c);
            seed::syncMenuCatalogue(c);
        } catch (const db::DbError& e) {
            int now = stored;
            try {
                now = schema::storedVersion(c);
            } catch (const db::DbError&) {
            }
            msg::error(QStringLiteral("数据库升级失败，数据库现在是版本 %1：\n%2").arg(now).arg(e.message()),
                       QStringLiteral("错误"));
            return false;
        }
        msg::info(QStringLiteral("数据库已升级到版本 %1。").arg(schema::currentVersion()));
        return true;
    case dbadmin::VersionCheck::Newer:
    case dbadmin::VersionCheck::NotOurs:
        msg::error(dbadmin::versionMessage(check, stored), QStringLiteral("错误"));
        return false;
    }
    return false;
}

bool connectDatabase(const ConnectionDialogFn& dialog, const QString& dir)
{
    const QString baseDir = dir.isEmpty() ? db::programDir() : dir;
    const QString path = configFilePath(baseDir);
    const ReadResult read = readConfig(path);
    if (!read.ok) {
        msg::error(read.error, QStringLiteral("错误"));
        return false;
    }
    QString current = read.text;
    for (;;) {
        if (db::TryConnect(current, baseDir)) {
            if (ensureUsableSchema()) {
                QString error;
                // A read-only install folder: the connection is open, so work goes on. Only a
                // new string is worth a word; the file's own string is there already.
                if (!writeConfig(path, current, &error) && current != read.text)
                    msg::warning(QStringLiteral("无法保存连接配置文件 %1：%2\n"
                                                "本次照常使用，下次启动时需要重新配置连接。")
                                     .arg(path, error));
                return true;
            }
            db::Connection::main().close();
        }
        if (!msg::ask(QStringLiteral("连接数据库失败！是否要重新配制？"), QStringLiteral("询问")))
            return false;
        current = dialog(kInitialDialogText);
    }
}

}  // namespace startup
