#include "server/processprocs.h"

#include "common/db.h"

namespace procs {

QString piecePriceExpression()
{
    // Half up on the decimal value on both engines: inputs have few decimals, so the product
    // is never within 1e-9 of a half except exactly on it, where binary doubles may fall short.
    return QStringLiteral(
        "ROUND(CAST(priceone * (1 + COALESCE(pricetie, 0) / 100.0) + 0.000000001 AS NUMERIC), 4)");
}

void createTempWorkname(db::Connection& c)
{
    c.createTempTable(QStringLiteral("tempworkname"),
                      QStringLiteral("id {ID}, workid INTEGER, workname VARCHAR(50), jianshu INTEGER, "
                                     "priceone {FLOAT}, pricetie {FLOAT}, price {FLOAT}, "
                                     "maketotal {FLOAT}, lbiao {BIT} DEFAULT 0, origworkid INTEGER"));
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
                                 const QVariant& pricetie, bool lbiao, const QVariant& origworkid)
{
    db::Transaction tx(c);
    if (flat == WorknameOp::Remove) {
        db::Query(QStringLiteral("DELETE FROM tempworkname WHERE workid=:gh"), c)
            .bind(QStringLiteral(":gh"), gh)
            .exec();
    } else if (flat == WorknameOp::Add) {
        db::Query(QStringLiteral("INSERT INTO tempworkname(workid, workname, jianshu, priceone, "
                                 "pricetie, lbiao, origworkid) VALUES(:gx, :gxm, :js, :p1, :pt, :lb, :ow)"),
                  c)
            .bind(QStringLiteral(":ow"), origworkid)
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
                               "maketotal, lbiao, origworkid FROM tempworkname "
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
        r.origworkid = q.value(9).isNull() ? QVariant() : QVariant(q.value(9).toInt());
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

void numberRange(db::Connection& c, int first, int last, int pieces)
{
    if (last - first + 1 > kMaxProcesses)
        throw db::DbError(QStringLiteral("工序范围 %1 到 %2 太大（最多 %3 道工序），请检查起始工序和终止工序。")
                              .arg(first)
                              .arg(last)
                              .arg(kMaxProcesses));
    if (last < first)
        return;
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT CAST(:first AS INTEGER) UNION ALL "
                             "SELECT i + 1 FROM n WHERE i < CAST(:last AS INTEGER)) "
                             "INSERT INTO tempworkname(workid, jianshu, lbiao) SELECT i, CAST(:pieces AS INTEGER), 0 FROM n"),
              c)
        .bind(QStringLiteral(":first"), first)
        .bind(QStringLiteral(":last"), last)
        .bind(QStringLiteral(":pieces"), pieces)
        .exec();
}

void loadSavedList(db::Connection& c, const QString& makeid)
{
    db::Transaction tx(c);
    db::Query(QStringLiteral("DELETE FROM tempworkname"), c).exec();
    db::Query(QStringLiteral("INSERT INTO tempworkname(workid, workname, jianshu, priceone, pricetie, price, "
                             "maketotal, lbiao, origworkid) SELECT workid, workname, maketotal, priceone, "
                             "pricetie, price, maketotal * price, lbiao, workid FROM workname WHERE makeid=:a"),
              c)
        .bind(QStringLiteral(":a"), makeid)
        .exec();
    tx.commit();
}

QList<int> processesWithCouponsMissingFromList(db::Connection& c, const QString& makeid)
{
    QList<int> missing;
    if (!c.tableExists(QStringLiteral("printout")))
        return missing;
    // A process with coupons must stay in the list as the same row under the same number.
    db::Query q(QStringLiteral("SELECT DISTINCT p.workid FROM printout p WHERE p.makeid=:m AND NOT EXISTS "
                               "(SELECT 1 FROM tempworkname t WHERE t.workid = p.workid AND t.origworkid = p.workid) "
                               "ORDER BY p.workid"),
                c);
    q.bind(QStringLiteral(":m"), makeid).exec();
    while (q.next())
        missing.append(q.value(0).toInt());
    return missing;
}

}  // namespace procs
