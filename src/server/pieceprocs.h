#pragma once
// Piece-work collection: the entry list of a screen, employee and coupon lookups, and the scan
// of one coupon from its barcode text to the committed record and the employee's new totals.

#include "common/money.h"

#include <QDate>
#include <QString>

#include <optional>

namespace db {
class Connection;
}

namespace procs {

// The entry list of an entry screen (tempcountmakeid), a temporary table of its connection. The
// manual list keeps quantities as decimals; the barcode list as whole pieces.
void createEntryList(db::Connection& c, bool manual);
void dropEntryList(db::Connection& c);

struct Employee {
    QString id;
    QString name;
    QString dept;
    QString type;
    bool found = false;
};
// The employee with this number; found = false (and the other fields empty) when there is none.
Employee employee(db::Connection& c, const QString& personnelid);

// What a coupon stands for, with its process and order.
struct CouponInfo {
    QString makeid;
    QString makeidname;
    int makeidtotal = 0;
    int workid = 0;
    QString workname;
    Money price;
    int amount = 0;
};
// The coupon with this barcode, when its process and order exist.
std::optional<CouponInfo> couponByBarcode(db::Connection& c, const QString& barcode);

// Who collected a coupon, and for which day.
struct Collection {
    QString personnelid;
    QString personnelname;
    QDate makedate;
};
std::optional<Collection> collectedBy(db::Connection& c, const QString& barcode);

struct Totals {
    qint64 pieces = 0;
    Money money;  // sum of pieces × price, exact
};
// The totals of one employee's rows in the entry list.
Totals employeeTotals(db::Connection& c, const QString& personnelid);

struct Scan {
    enum Outcome { Written, AlreadyCollected, Unknown, Empty } outcome = Empty;
    QString barcode;  // trimmed
    CouponInfo coupon;
    Collection by;    // AlreadyCollected: the collection that came first
    Totals totals;    // Written: the employee's totals afterwards
};

// Scans one coupon for an employee (whose number may be empty) on a work date: the record goes
// into countmakeid and the entry list in one transaction. The unique barcode index decides
// between two workstations scanning the same coupon: the loser gets AlreadyCollected and writes
// nothing. Throws db::DbError when the database fails.
Scan scanCoupon(db::Connection& c, const Employee& who, const QString& barcodeText, const QDate& date);

}  // namespace procs
