#pragma once
// Every database test runs on both engines: SQLite in a temporary directory always, and
// PostgreSQL when VENTREL_TEST_PG names a server (test.sh starts one). Each test gets a fresh
// database.
//
// Use in a Qt Test class:
//   void initTestCase_data() { testdb::addEngineRows(); }
//   void init() { QString why; if (!testdb::available(&why)) QSKIP(qPrintable(why)); }

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testdb {

void addEngineRows();
QString currentEngine();  // "sqlite" or "postgresql", from the global data row
bool available(QString* why);

// A connection string to a new empty database of the current engine. SQLite files live in a
// temporary directory kept until the end of the test program; PostgreSQL databases are created
// on the test server.
QString freshEmptyDatabase();
// The same, already created at the current version with the base (and demo) data.
QString freshDatabase(bool demo = false);
// Creates a fresh database and opens it as the process connection.
void openFresh(bool demo = false);

// A directory that outlives the test function (removed at exit).
QString scratchDir();

}  // namespace testdb
