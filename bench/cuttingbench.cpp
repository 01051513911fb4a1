// Ticket generation on a factory that has issued 10 million coupons: a lot of 400 bundles × 60
// processes (24,000 coupons) against the same 24,000 rows inserted 1,000 per statement. The
// 10-million fixture is built once per engine and kept for later runs (build/bench-fixtures, or
// the PostgreSQL database ventrel_bench_coupons).

#include "benchmark.h"

#include "common/db.h"
#include "server/cuttingprocs.h"
#include "server/dbadmin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace bench {

namespace {

constexpr qint64 kFixtureCoupons = 10000000;
constexpr int kProcesses = 60;
constexpr int kBundles = 400;

QString fixtureString(const Context& c)
{
    if (c.engine == QLatin1String("sqlite")) {
        const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench-fixtures"));
        QDir().mkpath(dir);
        return QStringLiteral("Provider=SQLite;Data Source=%1/coupons10m.db").arg(dir);
    }
    db::ConnectionSettings s = *db::parseConnectionString(c.connectionString, QString()).settings;
    s.database = QStringLiteral("ventrel_bench_coupons");
    return db::buildConnectionString(s);
}

void open(const QString& text)
{
    if (!db::TryConnect(text, QString()))
        qFatal("cannot open %s", qPrintable(text));
}

}  // namespace

// Builds the fixture when it is missing: 10 million coupons, the counter past them, and an order
// with 60 processes to cut. A fixture of an older schema is upgraded first.
QString couponFixture(const Context& c)
{
    static QHash<QString, QString> ready;
    if (ready.contains(c.engine))
        return ready.value(c.engine);
    const QString text = fixtureString(c);
    QString error;
    if (dbadmin::createDatabase(text, false, &error, QString())) {
        open(text);
        db::Connection& conn = db::Connection::main();
        db::Transaction tx;
        // Coupons of earlier years, with barcodes of their own ("A000000" … "J999999") so that
        // the counter keeps its room for the runs.
        const QString letter = conn.dialect().isSQLite() ? QStringLiteral("char(65 + i / 1000000)")
                                                         : QStringLiteral("chr(65 + i / 1000000)");
        db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO printout(makeid, bed, zhahao, barcode, sizename, amount, color, workid, chbed) "
                                 "SELECT 'F' || (i / 100000), 1, i - (i / 100000) * 100000, %2 || %3, 'M', 10, '红', 1, '' FROM n")
                      .arg(kFixtureCoupons - 1)
                      .arg(letter, conn.dialect().zeroPad(QStringLiteral("i - (i / 1000000) * 1000000"), 6)))
            .exec();
        db::Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidtotal) VALUES('GEN', 999999)")).exec();
        db::Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('GEN', 1, %1)").arg(kProcesses)).exec();
        db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO workname(makeid, workid, workname, price) SELECT 'GEN', i, '工序', 0.3 FROM n")
                      .arg(kProcesses))
            .exec();
        tx.commit();
        if (!conn.dialect().isSQLite())
            conn.execute(QStringLiteral("ANALYZE"));
        conn.close();
    } else if (!error.contains(QStringLiteral("已经存在")) && !error.contains(QStringLiteral("已有数据表"))) {
        qFatal("fixture: %s", qPrintable(error));
    } else if (!dbadmin::upgradeDatabase(text, &error)) {
        qFatal("fixture upgrade: %s", qPrintable(error));
    }
    ready.insert(c.engine, text);
    return text;
}

namespace {

int nextLot()
{
    return db::Query(QStringLiteral("SELECT COALESCE(MAX(bed), 0) + 1 FROM cutlot WHERE makeid='GEN'")).scalar().toInt();
}

double generateLot(const Context& c)
{
    open(couponFixture(c));
    const int bed = nextLot();
    // 50 colour lines × 8 sizes, one bundle each: 400 bundles.
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                             "INSERT INTO work(makeid, bed, color, s1, s2, s3, s4, s5, s6, s7, s8, amount) "
                             "SELECT 'GEN', %1, 'C' || i, 10, 10, 10, 10, 10, 10, 10, 10, 80 FROM n")
                  .arg(bed))
        .exec();
    QStringList sizes;
    for (int k = 1; k <= 8; ++k)
        sizes << QStringLiteral("Z%1").arg(k);
    const double ms = timeMs([&] { procs::generateLot(db::Connection::main(), QStringLiteral("GEN"), sizes, bed); });
    const int coupons = db::Query(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='GEN' AND bed=%1").arg(bed)).scalar().toInt();
    if (coupons != kBundles * kProcesses)
        qFatal("generated %d coupons, expected %d", coupons, kBundles * kProcesses);
    db::Connection::main().close();
    return ms;
}

double bulkInsert(const Context& c)
{
    open(couponFixture(c));
    const QString makeid = QStringLiteral("BULK");
    const double ms = timeMs([&] {
        db::Transaction tx;
        int row = 0;
        for (int statement = 0; statement < kBundles * kProcesses / 1000; ++statement) {
            QStringList values;
            for (int i = 0; i < 1000; ++i, ++row)
                values << QStringLiteral("('%1', 1, %2, '%3', 'M', 10, '红', %4, '')")
                              .arg(makeid)
                              .arg(row / kProcesses + 1)
                              .arg(QStringLiteral("Y%1").arg(row, 6, 10, QLatin1Char('0')))
                              .arg(row % kProcesses + 1);
            db::Query(QStringLiteral("INSERT INTO printout(makeid, bed, zhahao, barcode, sizename, amount, color, workid, chbed) VALUES ") +
                      values.join(QLatin1Char(',')))
                .exec();
        }
        tx.commit();
    });
    db::Query(QStringLiteral("DELETE FROM printout WHERE makeid=:m")).bind(QStringLiteral(":m"), makeid).exec();
    db::Connection::main().close();
    return ms;
}

}  // namespace

void registerCuttingFigures()
{
    addFigure({QStringLiteral("generate_lot_24000"), QStringLiteral("ms"), true, 5, generateLot});
    addFigure({QStringLiteral("bulk_insert_24000"), QStringLiteral("ms"), true, 5, bulkInsert});
}

}  // namespace bench
