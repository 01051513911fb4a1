#pragma once
// The database schema, declared as numbered steps. Each step runs in its own transaction and
// records its number, so any older database is brought up to date one step at a time.

#include <functional>

namespace db {
class Connection;
}

namespace schema {

constexpr int kNotOurs = -1;  // tables exist but no version record: not a database of this system

int currentVersion();
// 0 for an empty database, kNotOurs for a foreign one, else the stored version.
int storedVersion(db::Connection& connection);
// Applies the steps after the stored version up to target (default: current). Throws
// db::DbError; a failed step leaves the database at the previous step.
void upgrade(db::Connection& connection, int target = -1,
             const std::function<void(int version)>& stepDone = {});

}  // namespace schema
