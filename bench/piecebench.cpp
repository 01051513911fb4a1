// The scan path of barcode entry, without widgets: from the barcode text to the committed
// record and the employee's new totals, 2,000 scans of a freshly generated lot (a new employee
// every 100 coupons, as desks do). Measured on the 10-million-coupon fixture once it also holds
// 10 million collected records, and on a small database of 10,000 records.

#include "benchmark.h"

#include "common/db.h"
#include "server/cuttingprocs.h"
#include "server/pieceprocs.h"

#include <QElapsedTimer>

#include <algorithm>

namespace bench {

namespace {

constexpr int kScans = 2000;
constexpr qint64 kLargeRecords = 10000000;

std::vector<double> lastTimes;

void open(const QString& text)
{
    if (!db::TryConnect(text, QString()))
        qFatal("cannot open %s", qPrintable(text));
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

// Collected records of earlier years. On the large fixture every one of its 10 million coupons
// is collected; a small database gets records without coupons (as manual entry writes them).
void ensureRecords(qint64 records)
{
    const qint64 have = db::Query(QStringLiteral("SELECT count(*) FROM countmakeid")).scalar().toLongLong();
    if (have >= records || (records > 100000 && have > 0))
        return;  // built once; the scans of earlier runs add to it
    db::Transaction tx;
    if (records > 100000) {
        db::Query(QStringLiteral("INSERT INTO countmakeid(personnelid, personnelname, deptname, makeid, workid, workname, "
                                 "price, amount, makedate, barcode) "
                                 "SELECT CAST(1000 + zhahao % 600 AS VARCHAR(10)), '员工', '车缝', makeid, workid, '工序', 0.3, "
                                 "amount, '2026-01-01', barcode FROM printout WHERE makeid LIKE 'F%' LIMIT %1")
                      .arg(records))
            .exec();
    } else {
        db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO countmakeid(personnelid, personnelname, deptname, makeid, workid, workname, "
                                 "price, amount, makedate) SELECT CAST(1000 + i % 60 AS VARCHAR(10)), '员工', '车缝', 'H', "
                                 "i % 30, '工序', 0.3, 10, '2026-01-01' FROM n")
                      .arg(records - have))
            .exec();
    }
    tx.commit();
}

// A new lot of 50 colour lines × 8 sizes of the order SCAN (20 processes): 8,000 coupons.
QStringList freshCoupons()
{
    db::Connection& c = db::Connection::main();
    if (db::Query(QStringLiteral("SELECT count(*) FROM worktotal WHERE makeid='SCAN'")).scalar().toInt() == 0) {
        db::Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal) VALUES('SCAN', '扫描', 999999)")).exec();
        db::Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('SCAN', 1, 20)")).exec();
        db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20) "
                                 "INSERT INTO workname(makeid, workid, workname, price) SELECT 'SCAN', i, '工序', 0.35 FROM n"))
            .exec();
    }
    const int bed =
        db::Query(QStringLiteral("SELECT COALESCE(MAX(bed), 0) + 1 FROM cutlot WHERE makeid='SCAN'")).scalar().toInt();
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                             "INSERT INTO work(makeid, bed, color, s1, s2, s3, s4, s5, s6, s7, s8, amount) "
                             "SELECT 'SCAN', %1, 'C' || i, 10, 10, 10, 10, 10, 10, 10, 10, 80 FROM n")
                  .arg(bed))
        .exec();
    QStringList sizes;
    for (int k = 1; k <= 8; ++k)
        sizes << QStringLiteral("Z%1").arg(k);
    procs::generateLot(c, QStringLiteral("SCAN"), sizes, bed);
    db::Query q(QStringLiteral("SELECT barcode FROM printout WHERE makeid='SCAN' AND bed=:b ORDER BY zhahao, workid"));
    q.bind(QStringLiteral(":b"), bed).exec();
    QStringList codes;
    while (q.next() && codes.size() < kScans)
        codes << q.value(0).toString();
    return codes;
}

double scans(const QString& connection, qint64 records)
{
    open(connection);
    db::Connection& c = db::Connection::main();
    ensureRecords(records);
    if (!c.dialect().isSQLite())
        c.execute(QStringLiteral("ANALYZE countmakeid"));
    const QStringList codes = freshCoupons();
    procs::createEntryList(c, false);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < codes.size(); ++i) {
        const procs::Employee who{QStringLiteral("E%1").arg(i / 100), QStringLiteral("员工"), QStringLiteral("车缝"), {}, true};
        timer.start();
        const procs::Scan scan = procs::scanCoupon(c, who, codes[i], QDate(2026, 12, 11));
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (scan.outcome != procs::Scan::Written)
            qFatal("scan %d was not written", i);
    }
    procs::dropEntryList(c);
    c.close();
    lastTimes = times;
    return percentile(times, 0.5);
}

}  // namespace

void registerPieceworkFigures()
{
    addFigure({QStringLiteral("scan_ms_p50"), QStringLiteral("ms"), true, 1,
               [](const Context& c) { return scans(couponFixture(c), kLargeRecords); }});
    addFigure({QStringLiteral("scan_ms_p99"), QStringLiteral("ms"), true, 1,
               [](const Context&) { return percentile(lastTimes, 0.99); }});
    addFigure({QStringLiteral("scan_ms_p50_small"), QStringLiteral("ms"), true, 1,
               [](const Context& c) { return scans(c.connectionString, 10000); }});
}

}  // namespace bench
