#include "server/cuttingprocs.h"

#include "common/db.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace procs {

namespace {

const QString kLotTaken = QStringLiteral("此制单号的床次已经录入，不能重复操作");

// Reserves n consecutive barcode numbers and returns the first. The counter's row lock (or
// SQLite's writer lock) keeps two workstations from taking the same numbers.
qint64 allocateBarcodes(db::Connection& c, qint64 n)
{
    db::Query q(QStringLiteral("UPDATE barcodeseq SET nextvalue = nextvalue + %1 WHERE id = 1 RETURNING nextvalue")
                    .arg(n),
                c);
    q.exec();
    if (!q.next())
        throw db::DbError(QStringLiteral("条形码计数器不存在，数据库不完整。"));
    const qint64 end = q.value(0).toLongLong();
    if (end - 1 > kLastBarcode)
        throw db::DbError(QStringLiteral("条形码已经用完（最多 %1 个），不能再生成工票。").arg(kLastBarcode));
    return end - n;
}

// Serialises generation per order: bundle numbers continue the order's highest.
void lockOrder(db::Connection& c, const QString& makeid)
{
    db::Query(QStringLiteral("SELECT makeid FROM worktotal WHERE makeid=:m") + c.dialect().forUpdate(), c)
        .bind(QStringLiteral(":m"), makeid)
        .exec();
}

int count(db::Connection& c, const QString& sql, const QString& makeid, int bed)
{
    db::Query q(sql, c);
    q.bind(QStringLiteral(":m"), makeid);
    if (sql.contains(QLatin1String(":b")))
        q.bind(QStringLiteral(":b"), bed);
    return q.scalar().toInt();
}

}  // namespace

int maxBundleSize(db::Connection& c)
{
    return db::Query(QStringLiteral("SELECT value FROM sysoption WHERE name='zhamax'"), c).scalar().toInt();
}

void setMaxBundleSize(db::Connection& c, int pieces)
{
    db::Transaction tx(c);
    db::Query(QStringLiteral("DELETE FROM sysoption WHERE name='zhamax'"), c).exec();
    db::Query(QStringLiteral("INSERT INTO sysoption(name, value) VALUES('zhamax', :v)"), c)
        .bind(QStringLiteral(":v"), QString::number(qMax(0, pieces)))
        .exec();
    tx.commit();
}

void copytable(db::Connection& c, const QString& makeid, const QStringList& sizeNames, int bed)
{
    const int sizes = int(sizeNames.size());
    if (sizes < 1 || sizes > 8)
        throw db::DbError(QStringLiteral("码数必须是 1 到 8 个。"));
    db::Transaction tx(c);
    lockOrder(c, makeid);
    const int start = count(c, QStringLiteral("SELECT COALESCE(MAX(zhahao), 0) FROM printmakeid WHERE makeid=:m"),
                            makeid, bed);
    const int largest = maxBundleSize(c);
    QStringList cells;
    for (int k = 1; k <= 8; ++k)
        cells << QStringLiteral("WHEN %1 THEN w.s%1").arg(k);
    QStringList names;
    for (int k = 1; k <= sizes; ++k)
        names << QStringLiteral("WHEN %1 THEN CAST(:n%1 AS VARCHAR(10))").arg(k);
    // The most bundles one cell can need decides how many parts to consider.
    int parts = 1;
    if (largest > 0) {
        QStringList columns;
        for (int k = 1; k <= sizes; ++k)
            columns << QStringLiteral("MAX(COALESCE(s%1, 0))").arg(k);
        db::Query q(QStringLiteral("SELECT %1 FROM work WHERE makeid=:m AND bed=:b").arg(columns.join(QLatin1Char(','))), c);
        q.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":b"), bed).exec();
        int most = 0;
        if (q.next())
            for (int k = 0; k < sizes; ++k)
                most = qMax(most, q.value(k).toInt());
        parts = qMax(1, (most + largest - 1) / largest);
    }
    const QString piece = largest > 0
                              ? QStringLiteral("CASE WHEN qty - n * %1 < %1 THEN qty - n * %1 ELSE %1 END").arg(largest)
                              : QStringLiteral("qty");
    const QString keep = largest > 0 ? QStringLiteral("n * %1 < qty").arg(largest) : QStringLiteral("n = 0");
    db::Query insert(
        QStringLiteral(
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < %1), "
            "j(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM j WHERE n < %2), "
            "cells AS (SELECT w.id AS line, k.i AS size, w.color AS color, CASE k.i %3 END AS qty "
            "FROM work w CROSS JOIN k WHERE w.makeid = :m AND w.bed = CAST(:b AS INTEGER)), "
            "pieces AS (SELECT line, size, color, n AS part, %4 AS amount FROM cells CROSS JOIN j "
            "WHERE qty > 0 AND %5) "
            "INSERT INTO printmakeid(makeid, bed, zhahao, color, amount, sizename) "
            "SELECT CAST(:m AS VARCHAR(50)), CAST(:b AS INTEGER), %6 + ROW_NUMBER() OVER (ORDER BY line, size, part), "
            "color, amount, CASE size %7 END FROM pieces")
            .arg(sizes)
            .arg(parts - 1)
            .arg(cells.join(QLatin1Char(' ')), piece, keep)
            .arg(start)
            .arg(names.join(QLatin1Char(' '))),
        c);
    insert.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":b"), bed);
    for (int k = 1; k <= sizes; ++k)
        insert.bind(QStringLiteral(":n%1").arg(k), sizeNames[k - 1]);
    insert.exec();

    // One coupon per bundle and process, barcodes given in bundle and process order.
    const qint64 coupons =
        qint64(count(c, QStringLiteral("SELECT count(*) FROM printmakeid WHERE makeid=:m AND bed=:b"), makeid, bed)) *
        count(c, QStringLiteral("SELECT count(*) FROM workname WHERE makeid=:m AND workid IS NOT NULL"), makeid, bed);
    if (coupons > 0) {
        const qint64 first = allocateBarcodes(c, coupons);
        db::Query(QStringLiteral("INSERT INTO printout(makeid, bed, zhahao, barcode, sizename, amount, color, workid, chbed) "
                                 "SELECT p.makeid, p.bed, p.zhahao, %1, p.sizename, p.amount, p.color, w.workid, '' "
                                 "FROM printmakeid p JOIN workname w ON w.makeid = p.makeid "
                                 "WHERE p.makeid = :m AND p.bed = :b AND w.workid IS NOT NULL")
                      .arg(c.dialect().zeroPad(
                          QStringLiteral("%1 + ROW_NUMBER() OVER (ORDER BY p.zhahao, w.workid)").arg(first - 1),
                          kBarcodeDigits)),
                  c)
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":b"), bed)
            .exec();
    }
    tx.commit();
}

void updatebarcode(db::Connection& c, const QString& makeid, int bed, int /*sysid*/)
{
    db::Transaction tx(c);
    const int missing = count(c, QStringLiteral("SELECT count(*) FROM printout WHERE makeid=:m AND bed=:b AND barcode IS NULL"),
                              makeid, bed);
    if (missing > 0) {
        const qint64 first = allocateBarcodes(c, missing);
        db::Query(QStringLiteral("UPDATE printout SET barcode = x.code FROM (SELECT zhahao, workid, %1 AS code "
                                 "FROM printout WHERE makeid = :m AND bed = :b AND barcode IS NULL) AS x "
                                 "WHERE printout.makeid = :m AND printout.zhahao = x.zhahao AND printout.workid = x.workid")
                      .arg(c.dialect().zeroPad(
                          QStringLiteral("%1 + ROW_NUMBER() OVER (ORDER BY zhahao, workid)").arg(first - 1),
                          kBarcodeDigits)),
                  c)
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":b"), bed)
            .exec();
    }
    tx.commit();
}

void generateLot(db::Connection& c, const QString& makeid, const QStringList& sizeNames, int bed)
{
    if (makeid.size() > kMaxOrderNumberForCutting)
        throw db::DbError(QStringLiteral("制单号“%1”超过 %2 个字符，不能生成工票。").arg(makeid).arg(kMaxOrderNumberForCutting));
    db::Transaction tx(c);
    lockOrder(c, makeid);
    if (count(c, QStringLiteral("SELECT count(*) FROM workname WHERE makeid=:m AND workid IS NOT NULL"), makeid, bed) == 0)
        throw db::DbError(QStringLiteral("该制单还没有工序，不能生成工票。请先在工序明细录入中建立工序表。"));
    // The lot check, repeated here inside the transaction: a retry or a second workstation
    // cannot generate the lot twice.
    if (count(c, QStringLiteral("SELECT count(*) FROM printmakeid WHERE makeid=:m AND bed=:b"), makeid, bed) > 0 ||
        count(c, QStringLiteral("SELECT count(*) FROM printout WHERE makeid=:m AND bed=:b"), makeid, bed) > 0)
        throw db::DbError(kLotTaken);
    try {
        db::Query(QStringLiteral("INSERT INTO cutlot(makeid, bed, created) VALUES(:m, :b, :t)"), c)
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":b"), bed)
            .bind(QStringLiteral(":t"), QDateTime::currentDateTime())
            .exec();
    } catch (const db::DbError& e) {
        if (e.isUniqueViolation())
            throw db::DbError(kLotTaken, true);
        throw;
    }
    if (count(c, QStringLiteral("SELECT COALESCE(SUM(amount), 0) FROM work WHERE makeid=:m AND bed=:b"), makeid, bed) <= 0)
        throw db::DbError(QStringLiteral("没有数据不能生成工票"));
    copytable(c, makeid, sizeNames, bed);
    updatebarcode(c, makeid, bed);
    // This lot's lay records only: another lot of the order being entered elsewhere keeps its own.
    db::Query(QStringLiteral("DELETE FROM work WHERE makeid=:m AND bed=:b"), c)
        .bind(QStringLiteral(":m"), makeid)
        .bind(QStringLiteral(":b"), bed)
        .exec();
    tx.commit();
}

const QString kOrderBeingEntered = QStringLiteral("其他用户正在录入此制单号,请选择另一制单号");

int newLayRecordOwner()
{
    return int(QRandomGenerator::global()->bounded(1, 2147483647));
}

int addLayRecord(db::Connection& c, const QString& makeid, int bed, const LayRecord& record, int owner)
{
    db::Transaction tx(c);
    lockOrder(c, makeid);
    db::Query others(QStringLiteral("SELECT count(*) FROM work WHERE makeid=:m AND (sysid IS NULL OR sysid<>:o)"), c);
    others.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":o"), owner);
    if (others.scalar().toInt() > 0)
        throw db::DbError(kOrderBeingEntered);
    int id = 0;
    {
        // Finished before the commit: SQLite refuses to commit under a statement still open.
        db::Query insert(QStringLiteral("INSERT INTO work(makeid, color, bed, s1, s2, s3, s4, s5, s6, s7, s8, amount, sysid) "
                                        "VALUES(:m, :c, :b, :s1, :s2, :s3, :s4, :s5, :s6, :s7, :s8, :a, :o) RETURNING id"),
                         c);
        int amount = 0;
        for (int k = 0; k < 8; ++k) {
            const int pieces = k < record.sizes.size() ? record.sizes[k] : -1;
            if (pieces >= 0)
                amount += pieces;
            insert.bind(QStringLiteral(":s%1").arg(k + 1), pieces >= 0 ? QVariant(pieces) : QVariant(QMetaType::fromType<int>()));
        }
        insert.bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":c"), record.color)
            .bind(QStringLiteral(":b"), bed)
            .bind(QStringLiteral(":a"), amount)
            .bind(QStringLiteral(":o"), owner);
        insert.exec();
        if (!insert.next())
            throw db::DbError(QStringLiteral("拉布记录没有保存。"));
        id = insert.value(0).toInt();
    }
    tx.commit();
    return id;
}

int deleteLot(db::Connection& c, const QString& makeid, int bed)
{
    db::Transaction tx(c);
    int deleted = 0;
    for (const char* table : {"work", "printout", "printmakeid", "cutlot"}) {
        db::Query q(QStringLiteral("DELETE FROM %1 WHERE makeid=:a AND bed=:b").arg(QLatin1String(table)), c);
        q.bind(QStringLiteral(":a"), makeid).bind(QStringLiteral(":b"), bed).exec();
        deleted += q.rowsAffected();
    }
    tx.commit();
    return deleted;
}

}  // namespace procs
