#include "common/connectionstring.h"

#include <QDir>
#include <QHash>
#include <QStringList>

namespace db {

namespace {

// key=value items separated by ';'. A value may be quoted with " or ' to hold a ';' (a password,
// say); a doubled quote inside stands for one.
QHash<QString, QString> splitItems(const QString& text)
{
    QHash<QString, QString> items;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            if (semi < 0)
                break;
            i = semi + 1;  // an item without '=' is ignored
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed().toLower();
        qsizetype j = eq + 1;
        while (j < n && text[j].isSpace())
            ++j;
        QString value;
        if (j < n && (text[j] == QLatin1Char('"') || text[j] == QLatin1Char('\''))) {
            const QChar quote = text[j++];
            while (j < n) {
                if (text[j] == quote) {
                    if (j + 1 < n && text[j + 1] == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text[j++];
            }
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            value = text.mid(j, (end < 0 ? n : end) - j).trimmed();
            i = end < 0 ? n : end + 1;
        }
        if (!key.isEmpty())
            items.insert(key, value);
    }
    return items;
}

QString quoted(const QString& value)
{
    if (!value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('"')) &&
        !value.startsWith(QLatin1Char('\'')) && value.trimmed() == value)
        return value;
    QString inner = value;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
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
        // host, host:port, or [IPv6 address]:port
        QString source = items.value(QStringLiteral("data source"));
        QString portText;
        if (source.startsWith(QLatin1Char('['))) {
            const qsizetype close = source.indexOf(QLatin1Char(']'));
            if (close > 0) {
                if (source.mid(close + 1).startsWith(QLatin1Char(':')))
                    portText = source.mid(close + 2);
                source = source.mid(1, close - 1);
            }
        } else if (source.count(QLatin1Char(':')) == 1) {
            portText = source.mid(source.indexOf(QLatin1Char(':')) + 1);
            source = source.left(source.indexOf(QLatin1Char(':')));
        }
        if (!portText.isEmpty()) {
            bool ok = false;
            const int port = portText.toInt(&ok);
            if (!ok || port <= 0 || port > 65535) {
                result.error = QStringLiteral("服务器端口不正确：%1").arg(portText);
                return result;
            }
            s.port = port;
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
        return QStringLiteral("Provider=SQLite;Data Source=%1").arg(quoted(s.file));
    const QString host = s.host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(s.host) : s.host;
    QString text = QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial Catalog=%3")
                       .arg(quoted(host))
                       .arg(s.port)
                       .arg(quoted(s.database));
    if (!s.user.isEmpty())
        text += QStringLiteral(";User ID=%1").arg(quoted(s.user));
    if (!s.password.isEmpty())
        text += QStringLiteral(";Password=%1").arg(quoted(s.password));
    return text;
}

}  // namespace db
