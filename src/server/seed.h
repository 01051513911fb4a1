#pragma once
// The rows every database starts with: the catalogue of governed menu entries, the first user
// and the company row. ObjectType code lists come with the schema step that creates the table.

#include <QString>

namespace db {
class Connection;
}

namespace seed {

// Makes caidanname equal to the menu's second-level entries (same order, same modelid).
void syncMenuCatalogue(db::Connection& connection);

// Adds a user with a hashed password and one rights row per catalogue entry, all set to
// allowed. Throws db::DbError when the name is taken.
void addUser(db::Connection& connection, const QString& name, const QString& password,
             bool allRights);

// Catalogue, user admin/admin with every right, and a sysInfo row with closing day 25.
void baseData(db::Connection& connection);

}  // namespace seed
