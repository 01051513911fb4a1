// Version 5: piece-work collection. One record per collected coupon or manually keyed quantity
// (countmakeid), the two views the screens read it through, and the log of corrected records.

#include "common/db.h"
#include "server/schemasteps.h"

namespace schema::steps {

void v5(db::Connection& c)
{
    // makedate is a date without time, so periods "from … to …" include their end day on both
    // engines. makeid is as wide as an order number anywhere else, so a manual record of any
    // order can be stored.
    run(c, QStringLiteral(
               "CREATE TABLE countmakeid (bill {ID}, personnelid VARCHAR(50), personnelname VARCHAR(50), "
               "deptname VARCHAR(50), makeid VARCHAR(50) NOT NULL, workid INTEGER, workname VARCHAR(50), "
               "price {MONEY}, amount INTEGER, makeidtotal INTEGER, makedate {DATE}, barcode VARCHAR(13), "
               "editbill VARCHAR(10))"));
    // A coupon is collected once: two workstations scanning it at the same moment cannot both
    // write it. Manual records carry no barcode (NULL, and NULLs never clash), so they never block
    // a coupon. A whole-column index, not a partial one, so that every lookup by barcode uses it.
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_countmakeid_barcode ON countmakeid(barcode)"));
    run(c, QStringLiteral("CREATE INDEX ix_countmakeid_person ON countmakeid(personnelid, makedate)"));
    run(c, QStringLiteral("CREATE INDEX ix_countmakeid_date ON countmakeid(makedate)"));
    run(c, QStringLiteral("CREATE INDEX ix_countmakeid_process ON countmakeid(makeid, workid)"));

    run(c, QStringLiteral(
               "CREATE VIEW countmakeidd AS SELECT personnelid, personnelname, deptname, makeid, workid, workname, "
               "price, amount, amount * price AS zonge, makedate, bill FROM countmakeid"));
    run(c, QStringLiteral(
               "CREATE VIEW vm_countmakeid AS SELECT c.bill, c.barcode, c.makeid, z.makeidname, c.workid, "
               "c.workname, c.personnelid, c.personnelname, c.deptname, c.price, c.amount, c.makedate, "
               "p.sizename AS ma FROM countmakeid c LEFT JOIN zhdan z ON z.makeid = c.makeid "
               "LEFT JOIN printout p ON p.barcode = c.barcode"));

    run(c, QStringLiteral(
               "CREATE TABLE changmakeid (id {ID}, bill INTEGER, personnelid VARCHAR(50), deptname VARCHAR(50), "
               "makeid VARCHAR(50), workid INTEGER, workname VARCHAR(50), price {MONEY}, amount INTEGER, "
               "makedate {DATE}, changed {DATETIME})"));
    run(c, QStringLiteral("CREATE INDEX ix_changmakeid_bill ON changmakeid(bill)"));
}

}  // namespace schema::steps
