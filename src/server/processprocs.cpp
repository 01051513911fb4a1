#include "server/processprocs.h"

#include "common/db.h"

namespace procs {

QString piecePriceExpression()
{
    return QStringLiteral(
        "ROUND(CAST(priceone * (1 + COALESCE(pricetie, 0) / 100.0) AS NUMERIC), 4)");
}

void createTempWorkname(db::Connection& c)
{
    c.createTempTable(QStringLiteral("tempworkname"),
                      QStringLiteral("id {ID}, workid INTEGER, workname VARCHAR(50), jianshu INTEGER, "
                                     "priceone {FLOAT}, pricetie {FLOAT}, price {FLOAT}, "
                                     "maketotal {FLOAT}, lbiao {BIT} DEFAULT 0"));
    // One row per process number, and at most one row without a number.
    c.execute(QStringLiteral("CREATE UNIQUE INDEX ix_tempworkname_workid "
                             "ON tempworkname(COALESCE(workid, -2147483647))"));
}

void dropTempWorkname(db::Connection& c)
{
    c.dropTempTable(QStringLiteral("tempworkname"));
}

QList<WorkRow> sp_insertworkname(db::Connection& c, WorknameOp flat, int gh, const QVariant& gx,
                                 const QString& gxm, int jianshu, const QVariant& priceone,
                                 const QVariant& pricetie, bool lbiao)
{
    db::Transaction tx(c);
    if (flat == WorknameOp::Remove) {
        db::Query(QStringLiteral("DELETE FROM tempworkname WHERE workid=:gh"), c)
            .bind(QStringLiteral(":gh"), gh)
            .exec();
    } else if (flat == WorknameOp::Add) {
        db::Query(QStringLiteral("INSERT INTO tempworkname(workid, workname, jianshu, priceone, "
                                 "pricetie, lbiao) VALUES(:gx, :gxm, :js, :p1, :pt, :lb)"),
                  c)
            .bind(QStringLiteral(":gx"), gx)
            .bind(QStringLiteral(":gxm"), gxm.isEmpty() ? QVariant() : QVariant(gxm))
            .bind(QStringLiteral(":js"), jianshu)
            .bind(QStringLiteral(":p1"), priceone)
            .bind(QStringLiteral(":pt"), pricetie)
            .bind(QStringLiteral(":lb"), lbiao)
            .exec();
    }
    db::Query(QStringLiteral("UPDATE tempworkname SET price=%1").arg(piecePriceExpression()), c).exec();
    db::Query(QStringLiteral("UPDATE tempworkname SET maketotal=jianshu * price"), c).exec();
    db::Query q(QStringLiteral("SELECT id, workid, workname, jianshu, priceone, pricetie, price, "
                               "maketotal, lbiao FROM tempworkname "
                               "ORDER BY CASE WHEN workid IS NULL THEN 1 ELSE 0 END, workid, id"),
                c);
    q.exec();
    QList<WorkRow> rows;
    while (q.next()) {
        WorkRow r;
        r.id = q.value(0).toInt();
        r.workid = q.value(1).isNull() ? QVariant() : QVariant(q.value(1).toInt());
        r.workname = q.value(2).toString();
        r.jianshu = q.value(3).toInt();
        r.priceone = q.value(4).isNull() ? QVariant() : QVariant(q.value(4).toDouble());
        r.pricetie = q.value(5).isNull() ? QVariant() : QVariant(q.value(5).toDouble());
        r.price = q.value(6).isNull() ? QVariant() : QVariant(q.value(6).toDouble());
        r.maketotal = q.value(7).isNull() ? QVariant() : QVariant(q.value(7).toDouble());
        r.lbiao = q.value(8).toInt() != 0;
        rows.append(r);
    }
    tx.commit();
    return rows;
}

void SP_insertmakeid(db::Connection& c, const QString& makeid, const QDate& makedate)
{
    db::Transaction tx(c);
    if (db::Query(QStringLiteral("SELECT count(*) FROM tempworkname WHERE workid IS NULL"), c).scalar().toInt() > 0)
        throw db::DbError(QStringLiteral("有工序没有工序号，请先填写工序号。"));
    db::Query(QStringLiteral("UPDATE tempworkname SET price=%1").arg(piecePriceExpression()), c).exec();
    db::Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, maketotal, priceone, "
                             "pricetie, price, lbiao, makedate) "
                             "SELECT :m, workid, workname, jianshu, priceone, pricetie, "
                             "CAST(price AS NUMERIC), COALESCE(lbiao, 0), :d FROM tempworkname"),
              c)
        .bind(QStringLiteral(":m"), makeid)
        .bind(QStringLiteral(":d"), makedate)
        .exec();
    tx.commit();
}

QList<int> processesWithCouponsMissingFromList(db::Connection& c, const QString& makeid)
{
    QList<int> missing;
    if (!c.tableExists(QStringLiteral("printout")))
        return missing;
    db::Query q(QStringLiteral("SELECT DISTINCT workid FROM printout WHERE makeid=:m AND workid NOT IN "
                               "(SELECT workid FROM tempworkname WHERE workid IS NOT NULL) ORDER BY workid"),
                c);
    q.bind(QStringLiteral(":m"), makeid).exec();
    while (q.next())
        missing.append(q.value(0).toInt());
    return missing;
}

}  // namespace procs
