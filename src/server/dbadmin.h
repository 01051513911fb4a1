#pragma once
// Creating and upgrading databases, from the command line, the connection dialog and tests.

#include <QString>

namespace db {
class Connection;
}

namespace dbadmin {

// Creates a database at the current version with the base data (and the demo factory when
// demo is set). A SQLite file must not exist yet; a PostgreSQL database is created on the
// server when missing and must hold no tables. Returns false with a message in *error.
bool createDatabase(const QString& connectionString, bool demo, QString* error,
                    const QString& baseDir = QString());

// Upgrades an existing database to the current version.
bool upgradeDatabase(const QString& connectionString, QString* error,
                     const QString& baseDir = QString());

enum class VersionCheck { Current, Older, Newer, NotOurs };
VersionCheck checkVersion(db::Connection& connection, int* stored = nullptr);
// The message a user sees for a version that cannot be used as it is.
QString versionMessage(VersionCheck check, int stored);

}  // namespace dbadmin
