#pragma once
// The connection string kept in configdata.txt: "key=value" items separated by ';'.
//   Provider=SQLite;Data Source=ventrel.db
//   Provider=PostgreSQL;Data Source=host:port;Initial Catalog=db;User ID=u;Password=p

#include <QString>
#include <optional>

namespace db {

enum class Engine { SQLite, PostgreSQL };

struct ConnectionSettings {
    Engine engine = Engine::SQLite;
    QString file;       // SQLite: absolute path of the database file
    QString host;       // PostgreSQL
    int port = 5432;
    QString database;
    QString user;
    QString password;
};

struct ParsedConnection {
    std::optional<ConnectionSettings> settings;
    QString error;  // why the text is not a usable connection string (Chinese, for the user)
};

// A relative SQLite path is resolved against baseDir (the program's directory).
ParsedConnection parseConnectionString(const QString& text, const QString& baseDir);
QString buildConnectionString(const ConnectionSettings& settings);
QString engineName(Engine engine);

}  // namespace db
