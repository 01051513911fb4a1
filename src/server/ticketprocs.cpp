#include "server/ticketprocs.h"

#include "common/db.h"

namespace procs {

namespace {

const QString kColumns = QStringLiteral("makeid, bed, zhahao, barcode, sizename, amount, color, workid, chbed");

// The coupon columns of printout as the print tables hold them (the quantity as text).
const QString kSelectColumns = QStringLiteral(
    "p.makeid, p.bed, p.zhahao, p.barcode, p.sizename, CAST(p.amount AS VARCHAR(10)), p.color, p.workid, "
    "COALESCE(p.chbed, '')");

QString where(const TicketSelection& s)
{
    return s.lots ? QStringLiteral("p.makeid = :m AND p.bed >= :a AND p.bed <= :b")
                  : QStringLiteral("p.makeid = :m AND p.zhahao >= :a AND p.zhahao <= :b");
}

int run(db::Connection& c, const QString& sql, const TicketSelection& s)
{
    db::Query q(sql, c);
    q.bind(QStringLiteral(":m"), s.makeid).bind(QStringLiteral(":a"), s.from).bind(QStringLiteral(":b"), s.to);
    q.exec();
    return q.rowsAffected();
}

void empty(db::Connection& c, const PrintTables& t)
{
    c.execute(QStringLiteral("DELETE FROM %1").arg(t.left));
    c.execute(QStringLiteral("DELETE FROM %1").arg(t.right));
}

int count(db::Connection& c, const QString& sql)
{
    return db::Query(sql, c).scalar().toInt();
}

}  // namespace

PrintTables ticketTables()
{
    return {QStringLiteral("tempprintmakeid"), QStringLiteral("tempprintmakeid1")};
}

PrintTables continuousTables()
{
    return {QStringLiteral("tempprintmakeid2"), QStringLiteral("tempprintmakeid3")};
}

void createPrintTables(db::Connection& c, const PrintTables& t)
{
    // The lot is a whole number, so lots print in numeric order (lot 10 after lot 9).
    const QString columns = QStringLiteral(
        "makeid VARCHAR(50), bed INTEGER, zhahao INTEGER, barcode VARCHAR(9), sizename VARCHAR(10), "
        "amount VARCHAR(10), color VARCHAR(15), workid INTEGER, chbed VARCHAR(50)");
    c.createTempTable(t.left, columns);
    c.createTempTable(t.right, columns);
}

void dropPrintTables(db::Connection& c, const PrintTables& t)
{
    c.dropTempTable(t.left);
    c.dropTempTable(t.right);
}

void createExclusionTable(db::Connection& c)
{
    c.createTempTable(QStringLiteral("gongxuduan"), QStringLiteral("duanone INTEGER, duantwo INTEGER"));
}

void dropExclusionTable(db::Connection& c)
{
    c.dropTempTable(QStringLiteral("gongxuduan"));
}

void createSegmentTable(db::Connection& c)
{
    c.createTempTable(QStringLiteral("gongxuming"), QStringLiteral("mingcheng VARCHAR(10), duanone INTEGER, duantwo INTEGER"));
}

void dropSegmentTable(db::Connection& c)
{
    c.dropTempTable(QStringLiteral("gongxuming"));
}

int fillLining(db::Connection& c, const PrintTables& t, const TicketSelection& s)
{
    db::Transaction tx(c);
    empty(c, t);
    // Halves per lot when lots are selected, else over the selected bundles as a whole.
    const QString halves =
        s.lots ? QStringLiteral("FROM printout p JOIN (SELECT p.bed AS part, MIN(p.zhahao) AS lo, MAX(p.zhahao) AS hi "
                                "FROM printout p WHERE %1 GROUP BY p.bed) r ON r.part = p.bed WHERE %1 AND ")
                     .arg(where(s))
               : QStringLiteral("FROM printout p CROSS JOIN (SELECT MIN(p.zhahao) AS lo, MAX(p.zhahao) AS hi "
                                "FROM printout p WHERE %1) r WHERE %1 AND ")
                     .arg(where(s));
    const QString insert = QStringLiteral("INSERT INTO %1(%2) SELECT %3 ").arg(QStringLiteral("%1"), kColumns, kSelectColumns);
    int rows = run(c, insert.arg(t.left) + halves + QStringLiteral("p.zhahao <= r.lo + (r.hi - r.lo) / 2"), s);
    rows += run(c, insert.arg(t.right) + halves + QStringLiteral("p.zhahao > r.lo + (r.hi - r.lo) / 2"), s);
    tx.commit();
    return rows;
}

int fillShell(db::Connection& c, const PrintTables& t, const TicketSelection& s)
{
    db::Transaction tx(c);
    empty(c, t);
    const QString numbered = QStringLiteral(
        "INSERT INTO %1(%2) SELECT %2 FROM (SELECT %3, ROW_NUMBER() OVER (PARTITION BY p.makeid, p.zhahao "
        "ORDER BY p.workid) AS n FROM printout p WHERE %4) x WHERE n % 2 = %5");
    QString columns = kSelectColumns;
    columns.replace(QStringLiteral("CAST(p.amount AS VARCHAR(10))"), QStringLiteral("CAST(p.amount AS VARCHAR(10)) AS amount"));
    columns.replace(QStringLiteral("COALESCE(p.chbed, '')"), QStringLiteral("COALESCE(p.chbed, '') AS chbed"));
    int rows = run(c, numbered.arg(t.left, kColumns, columns, where(s), QStringLiteral("1")), s);
    rows += run(c, numbered.arg(t.right, kColumns, columns, where(s), QStringLiteral("0")), s);
    tx.commit();
    return rows;
}

int middleProcess(int lowest, int highest)
{
    if (lowest <= 1)
        return highest / 2;
    if ((highest - lowest) % 2 != 0)
        return lowest + (highest - lowest + 1) / 2;
    return lowest + (highest - lowest) / 2;
}

int fillProcessSplit(db::Connection& c, const PrintTables& t, const TicketSelection& s)
{
    db::Transaction tx(c);
    empty(c, t);
    db::Query range(QStringLiteral("SELECT MIN(workid), MAX(workid) FROM printout WHERE makeid = :m"), c);
    range.bind(QStringLiteral(":m"), s.makeid).exec();
    if (!range.next() || range.value(0).isNull()) {
        tx.commit();
        return 0;
    }
    const int lowest = range.value(0).toInt();
    const int highest = range.value(1).toInt();
    const int middle = middleProcess(lowest, highest);
    const QString insert = QStringLiteral("INSERT INTO %1(%2) SELECT %3 FROM printout p WHERE %4 AND %5");
    int rows = run(c, insert.arg(t.left, kColumns, kSelectColumns, where(s), QStringLiteral("p.workid <= %1").arg(middle)), s);
    rows += run(c, insert.arg(t.right, kColumns, kSelectColumns, where(s),
                               QStringLiteral("p.workid > %1 AND p.workid <= %2").arg(middle).arg(highest)),
                s);
    tx.commit();
    return rows;
}

int excludeProcesses(db::Connection& c, const PrintTables& t)
{
    db::Transaction tx(c);
    int removed = 0;
    for (const QString& table : {t.left, t.right}) {
        db::Query q(QStringLiteral("DELETE FROM %1 WHERE EXISTS (SELECT 1 FROM gongxuduan g "
                                   "WHERE %1.workid >= g.duanone AND %1.workid <= g.duantwo)")
                        .arg(table),
                    c);
        q.exec();
        removed += q.rowsAffected();
    }
    tx.commit();
    return removed;
}

PrintCounts SP_countprint(db::Connection& c, const PrintTables& t)
{
    PrintCounts counts;
    const QString bundles = QStringLiteral("SELECT COUNT(*) FROM (SELECT makeid, zhahao FROM %1 GROUP BY makeid, zhahao) x");
    const QString largest = QStringLiteral("SELECT COALESCE(MAX(n), 0) FROM (SELECT COUNT(*) AS n FROM %1 GROUP BY makeid, zhahao) x");
    counts.wL = count(c, bundles.arg(t.left));
    counts.Wlt = count(c, largest.arg(t.left));
    counts.wB = count(c, bundles.arg(t.right));
    counts.wbt = count(c, largest.arg(t.right));
    return counts;
}

QString segmentName(db::Connection& c, int workid)
{
    db::Query q(QStringLiteral("SELECT mingcheng FROM gongxuming WHERE duanone <= :p AND duantwo >= :p"), c);
    q.bind(QStringLiteral(":p"), workid).exec();
    return q.next() ? q.value(0).toString() : QString();
}

QList<LaserLine> SP_caiprint(db::Connection& c, int flat, const QString& makeid, int bed, int endbed)
{
    TicketSelection s{makeid, bed, flat == 1 ? bed : endbed, flat == 1};
    db::Query q(QStringLiteral(
                    "WITH x AS (SELECT p.*, ROW_NUMBER() OVER (PARTITION BY p.workid ORDER BY p.zhahao) - 1 AS n "
                    "FROM printout p WHERE %1) "
                    "SELECT a.workid, a.makeid, a.bed, a.sizename, b.sizename, a.zhahao, b.zhahao, a.amount, b.amount, "
                    "a.chbed, b.chbed, a.color, b.color, a.barcode, b.barcode "
                    "FROM x a LEFT JOIN x b ON b.workid = a.workid AND b.n = a.n + 1 "
                    "WHERE a.n % 2 = 0 ORDER BY a.workid, a.n")
                    .arg(where(s)),
                c);
    q.bind(QStringLiteral(":m"), s.makeid).bind(QStringLiteral(":a"), s.from).bind(QStringLiteral(":b"), s.to).exec();
    QList<LaserLine> lines;
    auto text = [&q](int i) { return q.value(i).isNull() ? QString() : q.value(i).toString().trimmed(); };
    while (q.next()) {
        LaserLine l;
        l.workid = q.value(0).toInt();
        l.makeid = text(1);
        l.bed = q.value(2).toInt();
        l.sema = text(3);
        l.semab = text(4);
        l.zhahao = text(5);
        l.zhahaob = text(6);
        l.amount = text(7);
        l.amountb = text(8);
        l.bak = text(9);
        l.bakb = text(10);
        l.color = text(11);
        l.colorb = text(12);
        l.barcodea = text(13);
        l.barcodeb = text(14);
        lines << l;
    }
    return lines;
}

}  // namespace procs
