#include "server/pieceprocs.h"

#include "common/db.h"

namespace procs {

void createEntryList(db::Connection& c, bool manual)
{
    c.createTempTable(QStringLiteral("tempcountmakeid"),
                      QStringLiteral("personnelid VARCHAR(50) NOT NULL, personnelname VARCHAR(50), deptname VARCHAR(50), "
                                     "type VARCHAR(10), makeid VARCHAR(50) NOT NULL, workid INTEGER, workname VARCHAR(50), "
                                     "price {MONEY}, amount %1, makeidtotal %1, makedate {DATE}, barcode VARCHAR(13), "
                                     "BILL {ID}")
                          .arg(manual ? QStringLiteral("{DECIMAL}") : QStringLiteral("INTEGER")));
}

void dropEntryList(db::Connection& c)
{
    c.dropTempTable(QStringLiteral("tempcountmakeid"));
}

Employee employee(db::Connection& c, const QString& personnelid)
{
    Employee e;
    e.id = personnelid.trimmed();
    db::Query q(QStringLiteral("SELECT personnelname, deptname, type, worktime FROM personnel WHERE personnelid=:id1"), c);
    q.bind(QStringLiteral(":id1"), e.id).exec();
    if (q.next()) {
        e.found = true;
        e.name = q.text(QStringLiteral("personnelname"));
        e.dept = q.text(QStringLiteral("deptname"));
        e.type = q.text(QStringLiteral("type"));
    }
    return e;
}

std::optional<CouponInfo> couponByBarcode(db::Connection& c, const QString& barcode)
{
    db::Query q(QStringLiteral("SELECT printout.makeid, printout.amount, printout.workid, workname.workname, workname.price, "
                               "zhdan.makeidname, zhdan.makeidtotal FROM printout "
                               "INNER JOIN workname ON printout.makeid=workname.makeid AND printout.workid=workname.workid "
                               "INNER JOIN zhdan ON printout.makeid=zhdan.makeid WHERE printout.barcode=:b1"),
                c);
    q.bind(QStringLiteral(":b1"), barcode).exec();
    if (!q.next())
        return std::nullopt;
    CouponInfo info;
    info.makeid = q.value(0).toString().trimmed();
    info.amount = q.value(1).toInt();
    info.workid = q.value(2).toInt();
    info.workname = q.value(3).toString().trimmed();
    info.price = Money::fromVariant(q.value(4));
    info.makeidname = q.value(5).toString().trimmed();
    info.makeidtotal = q.value(6).toInt();
    return info;
}

std::optional<Collection> collectedBy(db::Connection& c, const QString& barcode)
{
    db::Query q(QStringLiteral("SELECT personnelid, personnelname, makedate FROM countmakeid WHERE barcode=:b1"), c);
    q.bind(QStringLiteral(":b1"), barcode).exec();
    if (!q.next())
        return std::nullopt;
    return Collection{q.value(0).toString().trimmed(), q.value(1).toString().trimmed(), db::toDate(q.value(2))};
}

Totals employeeTotals(db::Connection& c, const QString& personnelid)
{
    Totals t;
    db::Query q(QStringLiteral("SELECT price, amount FROM tempcountmakeid WHERE personnelid=:a"), c);
    q.bind(QStringLiteral(":a"), personnelid).exec();
    while (q.next()) {
        const qint64 pieces = q.value(1).toLongLong();
        t.pieces += pieces;
        t.money += Money::fromVariant(q.value(0)) * pieces;
    }
    return t;
}

Scan scanCoupon(db::Connection& c, const Employee& who, const QString& barcodeText, const QDate& date)
{
    Scan scan;
    scan.barcode = barcodeText.trimmed();
    if (scan.barcode.isEmpty())
        return scan;
    if (const auto by = collectedBy(c, scan.barcode)) {
        scan.outcome = Scan::AlreadyCollected;
        scan.by = *by;
        return scan;
    }
    const auto coupon = couponByBarcode(c, scan.barcode);
    if (!coupon) {
        scan.outcome = Scan::Unknown;
        return scan;
    }
    scan.coupon = *coupon;
    try {
        db::Transaction tx(c);
        for (const char* table : {"countmakeid", "tempcountmakeid"}) {
            db::Query q(QStringLiteral("INSERT INTO %1 (personnelname, barcode, personnelid, makeid, workid, workname, price, "
                                       "amount, makedate, deptname) VALUES(:personnelname, :barcode, :personnelid, :makeid, "
                                       ":workid, :workname, :price, :amount, :makedate, :deptname)")
                            .arg(QLatin1String(table)),
                        c);
            q.bind(QStringLiteral(":personnelname"), who.name)
                .bind(QStringLiteral(":barcode"), scan.barcode)
                .bind(QStringLiteral(":personnelid"), who.id)
                .bind(QStringLiteral(":makeid"), coupon->makeid)
                .bind(QStringLiteral(":workid"), coupon->workid)
                .bind(QStringLiteral(":workname"), coupon->workname)
                .bind(QStringLiteral(":price"), coupon->price)
                .bind(QStringLiteral(":amount"), coupon->amount)
                .bind(QStringLiteral(":makedate"), date)
                .bind(QStringLiteral(":deptname"), who.dept)
                .exec();
        }
        tx.commit();
    } catch (const db::DbError& e) {
        if (!e.isUniqueViolation())
            throw;
        // Another workstation wrote it between the check and the insert.
        scan.outcome = Scan::AlreadyCollected;
        if (const auto by = collectedBy(c, scan.barcode))
            scan.by = *by;
        return scan;
    }
    scan.outcome = Scan::Written;
    scan.totals = employeeTotals(c, who.id);
    return scan;
}

}  // namespace procs
