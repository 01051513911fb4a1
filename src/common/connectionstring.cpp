#include "common/connectionstring.h"

#include <QDir>
#include <QHash>
#include <QStringList>

namespace db {

namespace {

QHash<QString, QString> splitItems(const QString& text)
{
    QHash<QString, QString> items;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        items.insert(part.left(eq).trimmed().toLower(), part.mid(eq + 1).trimmed());
    }
    return items;
}

}  // namespace

QString engineName(Engine engine)
{
    return engine == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

ParsedConnection parseConnectionString(const QString& text, const QString& baseDir)
{
    ParsedConnection result;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        result.error = QStringLiteral("连接字符串为空，尚未配置数据库。");
        return result;
    }
    const QHash<QString, QString> items = splitItems(trimmed);
    const QString provider = items.value(QStringLiteral("provider"));
    ConnectionSettings s;
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
        s.engine = Engine::SQLite;
        const QString source = items.value(QStringLiteral("data source"));
        if (source.isEmpty()) {
            result.error = QStringLiteral("连接字符串缺少数据库文件（Data Source）。");
            return result;
        }
        s.file = QDir::cleanPath(QDir(baseDir).absoluteFilePath(source));
    } else if (provider.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0) {
        s.engine = Engine::PostgreSQL;
        QString source = items.value(QStringLiteral("data source"));
        const qsizetype colon = source.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            bool ok = false;
            const int port = source.mid(colon + 1).toInt(&ok);
            if (!ok || port <= 0 || port > 65535) {
                result.error = QStringLiteral("服务器端口不正确：%1").arg(source.mid(colon + 1));
                return result;
            }
            s.port = port;
            source = source.left(colon);
        }
        s.host = source.isEmpty() ? QStringLiteral("127.0.0.1") : source;
        s.database = items.value(QStringLiteral("initial catalog"));
        s.user = items.value(QStringLiteral("user id"));
        s.password = items.value(QStringLiteral("password"));
        if (s.database.isEmpty()) {
            result.error = QStringLiteral("连接字符串缺少数据库名（Initial Catalog）。");
            return result;
        }
    } else if (provider.isEmpty()) {
        result.error = QStringLiteral("连接字符串缺少数据库类型（Provider）：%1").arg(trimmed);
        return result;
    } else {
        result.error =
            QStringLiteral("不支持的数据库类型：%1（可用 SQLite 或 PostgreSQL）").arg(provider);
        return result;
    }
    result.settings = s;
    return result;
}

QString buildConnectionString(const ConnectionSettings& s)
{
    if (s.engine == Engine::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=%1").arg(s.file);
    QString text = QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial Catalog=%3")
                       .arg(s.host)
                       .arg(s.port)
                       .arg(s.database);
    if (!s.user.isEmpty())
        text += QStringLiteral(";User ID=%1").arg(s.user);
    if (!s.password.isEmpty())
        text += QStringLiteral(";Password=%1").arg(s.password);
    return text;
}

}  // namespace db
