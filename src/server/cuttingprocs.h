#pragma once
// Turning a lot's lay records into bundles and coupons with barcodes.
//
// Bundles: every colour line and size of the lot becomes bundles of at most the largest bundle
// size (option "zhamax"; 0, the default, means one bundle per colour line and size). Bundles
// are numbered on from the order's highest bundle number, colour line by colour line in the
// order they were entered, size by size within a line.
//
// Barcodes: 7 digits from a persistent counter ("0000000" to "9999999": 10 million coupons),
// unique over every coupon ever issued and never reused; digits keep the Code 128 symbol short.

#include <QList>
#include <QStringList>

namespace db {
class Connection;
}

namespace procs {

constexpr int kBarcodeDigits = 7;
constexpr qint64 kLastBarcode = 9999999;
constexpr int kMaxOrderNumberForCutting = 7;

int maxBundleSize(db::Connection& c);
void setMaxBundleSize(db::Connection& c, int pieces);

// copytable1 … copytable8: the lot's bundles (printmakeid) and its coupons (printout, one per
// bundle and process, barcodes given). sizeNames[k] names column s(k+1) of work; 1 to 8 names.
void copytable(db::Connection& c, const QString& makeid, const QStringList& sizeNames, int bed);

// updatebarcode: gives every coupon of the lot that has no barcode one from the counter.
void updatebarcode(db::Connection& c, const QString& makeid, int bed, int sysid = 0);

// The whole generation in one transaction: the lot is taken for the order (a lot generated
// already is refused, also when another workstation just did it), bundles and coupons are
// written, barcodes given, and the lot's lay records deleted. Throws db::DbError with a
// message for the clerk; on failure nothing is written and the lay records stay.
void generateLot(db::Connection& c, const QString& makeid, const QStringList& sizeNames, int bed);

// Lay records. Rows in work mark the order as being entered: rows of the order that carry
// another owner (work.sysid) mean another workstation is entering it, or one that crashed did.
struct LayRecord {
    QString color;
    QList<int> sizes;  // pieces per size s1…s8 as stored; a missing or negative entry stores NULL
};

// A new owner mark for one lay-record screen.
int newLayRecordOwner();

// Appends a lay record for owner and returns its id. Whether another owner holds the order is
// checked in the same transaction as the insert, under the order's lock, so two workstations
// that both accepted the order cannot both write: the second gets kOrderBeingEntered.
int addLayRecord(db::Connection& c, const QString& makeid, int bed, const LayRecord& record, int owner);

extern const QString kOrderBeingEntered;

// Deletes a lot: its lay records, coupons, bundles and its mark, in one transaction. Returns how
// many rows went (0: nothing matched). Also clears the lay records a crashed workstation left.
int deleteLot(db::Connection& c, const QString& makeid, int bed);

}  // namespace procs
