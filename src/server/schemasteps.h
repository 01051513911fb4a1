#pragma once
// The schema steps, one function per version, with the helpers they share.

#include <QString>
#include <initializer_list>
#include <utility>

namespace db {
class Connection;
}

namespace schema::steps {

// Runs portable DDL (type tokens of db::Dialect::ddl).
void run(db::Connection& c, const QString& portableDdl);
void insertCodes(db::Connection& c, const char* label,
                 std::initializer_list<std::pair<const char*, const char*>> codes);

void v1(db::Connection& c);  // users, rights, menu catalogue
void v2(db::Connection& c);  // company particulars, code lists
void v3(db::Connection& c);  // personnel and organisation, orders, colours, sizes, processes
void v4(db::Connection& c);  // lay records, bundles, coupons, lots, barcode counter
void v5(db::Connection& c);  // piece-rate records, their views, corrected records
void v6(db::Connection& c);  // unique time-clock cards, hourly-work records

}  // namespace schema::steps
