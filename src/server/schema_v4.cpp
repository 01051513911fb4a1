// Version 4: cutting. Lay records being entered (work), the bundles cut from them
// (printmakeid), one coupon per bundle and process (printout), the lots generated per order
// (cutlot), the persistent barcode counter and the workstation-wide options.

#include "common/db.h"
#include "server/schemasteps.h"

namespace schema::steps {

void v4(db::Connection& c)
{
    run(c, QStringLiteral(
               "CREATE TABLE work (id {ID}, makeid VARCHAR(50) NOT NULL, color VARCHAR(15), bed INTEGER, "
               "s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, "
               "s8 INTEGER, amount INTEGER, barcode VARCHAR(13), sysid INTEGER)"));
    run(c, QStringLiteral("CREATE INDEX ix_work_makeid ON work(makeid, bed)"));

    // Lot numbers are whole numbers, so lot ranges compare as numbers on both engines.
    run(c, QStringLiteral(
               "CREATE TABLE printmakeid (id {ID}, makeid VARCHAR(50) NOT NULL, bed INTEGER NOT NULL, "
               "zhahao INTEGER NOT NULL, color VARCHAR(15), amount INTEGER, sizename VARCHAR(10))"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_printmakeid_bundle ON printmakeid(makeid, zhahao)"));
    run(c, QStringLiteral("CREATE INDEX ix_printmakeid_lot ON printmakeid(makeid, bed)"));

    run(c, QStringLiteral(
               "CREATE TABLE printout (makeid VARCHAR(50) NOT NULL, bed INTEGER NOT NULL, "
               "zhahao INTEGER NOT NULL, barcode VARCHAR(7), sizename VARCHAR(10), amount INTEGER, "
               "color VARCHAR(15), workid INTEGER NOT NULL, chbed VARCHAR(50) DEFAULT '')"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_printout_barcode ON printout(barcode)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_printout_coupon ON printout(makeid, zhahao, workid)"));
    run(c, QStringLiteral("CREATE INDEX ix_printout_lot ON printout(makeid, bed)"));

    // One row per generated lot: a lot number is taken once per order, even by two
    // workstations at the same moment.
    run(c, QStringLiteral("CREATE TABLE cutlot (makeid VARCHAR(50) NOT NULL, bed INTEGER NOT NULL, "
                          "created {DATETIME})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_cutlot ON cutlot(makeid, bed)"));

    // The next barcode number. Barcodes are never handed out twice, not even after their lot
    // is deleted: collected records outlive their coupons.
    run(c, QStringLiteral("CREATE TABLE barcodeseq (id INTEGER PRIMARY KEY, nextvalue BIGINT NOT NULL)"));
    run(c, QStringLiteral("INSERT INTO barcodeseq(id, nextvalue) VALUES(1, 0)"));  // 0000000 … 9999999

    run(c, QStringLiteral("CREATE TABLE sysoption (name VARCHAR(50) NOT NULL PRIMARY KEY, value VARCHAR(200))"));
}

}  // namespace schema::steps
