#include "common/db.h"
#include "server/cuttingprocs.h"
#include "support/testdb.h"

#include <QSet>
#include <QTest>

#include <thread>

using db::Connection;
using db::Query;

class TestLotGeneration : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { Connection::main().close(); }

    void bundlesAndCouponsFollowTheLayRecords();
    void nextLotContinuesTheBundleNumbers();
    void largestBundleSizeSplitsLines();
    void refusals_data();
    void refusals();
    void deletedLotsNeverGiveBarcodesBack();
    void twoWorkstationsAtOnce_data();
    void twoWorkstationsAtOnce();

private:
    void layRecord(const QString& makeid, int bed, const QString& colour, QList<int> sizes);
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    QString connection_;
};

void TestLotGeneration::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    connection_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connection_, QString()));
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidtotal) VALUES('L1', 1000), ('L2', 1000), ('NOPROC', 10)")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('L1', 1, 3), ('L2', 1, 2), ('NOPROC', 1, 1)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price) VALUES "
                         "('L1', 1, '裁片', 0.1), ('L1', 2, '上领', 0.5), ('L1', 3, '上袖', 0.4), "
                         "('L2', 1, '合缝', 0.2), ('L2', 2, '锁边', 0.1)")).exec();
}

void TestLotGeneration::layRecord(const QString& makeid, int bed, const QString& colour, QList<int> sizes)
{
    sizes.resize(8);
    int amount = 0;
    for (int s : sizes)
        amount += s;
    Query q(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, s2, s3, s4, s5, s6, s7, s8, amount) "
                           "VALUES(:m, :b, :c, :s1, :s2, :s3, :s4, :s5, :s6, :s7, :s8, :a)"));
    q.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":b"), bed).bind(QStringLiteral(":c"), colour);
    for (int k = 0; k < 8; ++k)
        q.bind(QStringLiteral(":s%1").arg(k + 1), sizes[k] ? QVariant(sizes[k]) : QVariant());
    q.bind(QStringLiteral(":a"), amount).exec();
}

void TestLotGeneration::bundlesAndCouponsFollowTheLayRecords()
{
    layRecord(QStringLiteral("L1"), 1, QStringLiteral("红"), {30, 20, 0});
    layRecord(QStringLiteral("L1"), 1, QStringLiteral("白"), {10, 0, 25});
    procs::generateLot(Connection::main(), QStringLiteral("L1"), {QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L")}, 1);
    Query b(QStringLiteral("SELECT zhahao, color, sizename, amount FROM printmakeid WHERE makeid='L1' ORDER BY zhahao"));
    b.exec();
    QStringList bundles;
    while (b.next())
        bundles << QStringLiteral("%1 %2 %3 %4").arg(b.value(0).toInt()).arg(b.value(1).toString(), b.value(2).toString()).arg(b.value(3).toInt());
    QCOMPARE(bundles, (QStringList{"1 红 S 30", "2 红 M 20", "3 白 S 10", "4 白 L 25"}));
    // One coupon per bundle and process, each carrying its bundle.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='L1' AND bed=1")), 12);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout o JOIN printmakeid p ON p.makeid=o.makeid AND p.zhahao=o.zhahao "
                                  "WHERE o.amount=p.amount AND o.color=p.color AND o.sizename=p.sizename AND o.chbed=''")), 12);
    QCOMPARE(count(QStringLiteral("SELECT count(DISTINCT barcode) FROM printout")), 12);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout WHERE length(barcode)=7")), 12);
    QCOMPARE(Query(QStringLiteral("SELECT barcode FROM printout WHERE zhahao=1 AND workid=1")).scalar().toString(), QStringLiteral("0000000"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work")), 0);
}

void TestLotGeneration::nextLotContinuesTheBundleNumbers()
{
    layRecord(QStringLiteral("L1"), 1, QStringLiteral("红"), {5, 5});
    procs::generateLot(Connection::main(), QStringLiteral("L1"), {QStringLiteral("S"), QStringLiteral("M")}, 1);
    layRecord(QStringLiteral("L1"), 2, QStringLiteral("蓝"), {7});
    procs::generateLot(Connection::main(), QStringLiteral("L1"), {QStringLiteral("均码")}, 2);
    QCOMPARE(count(QStringLiteral("SELECT zhahao FROM printmakeid WHERE bed=2")), 3);
    QCOMPARE(count(QStringLiteral("SELECT count(DISTINCT barcode) FROM printout")), 9);
    // Eight sizes in one lot.
    layRecord(QStringLiteral("L1"), 3, QStringLiteral("黑"), {1, 2, 3, 4, 5, 6, 7, 8});
    QStringList eight;
    for (int k = 1; k <= 8; ++k)
        eight << QStringLiteral("Z%1").arg(k);
    procs::generateLot(Connection::main(), QStringLiteral("L1"), eight, 3);
    QCOMPARE(count(QStringLiteral("SELECT min(zhahao) FROM printmakeid WHERE bed=3")), 4);
    QCOMPARE(count(QStringLiteral("SELECT max(zhahao) FROM printmakeid WHERE bed=3")), 11);
    QCOMPARE(Query(QStringLiteral("SELECT sizename FROM printmakeid WHERE bed=3 AND amount=8")).scalar().toString(), QStringLiteral("Z8"));
}

void TestLotGeneration::largestBundleSizeSplitsLines()
{
    procs::setMaxBundleSize(Connection::main(), 20);
    layRecord(QStringLiteral("L2"), 1, QStringLiteral("红"), {45, 20});
    procs::generateLot(Connection::main(), QStringLiteral("L2"), {QStringLiteral("S"), QStringLiteral("M")}, 1);
    Query b(QStringLiteral("SELECT amount FROM printmakeid WHERE makeid='L2' ORDER BY zhahao"));
    b.exec();
    QList<int> amounts;
    while (b.next())
        amounts << b.value(0).toInt();
    QCOMPARE(amounts, (QList<int>{20, 20, 5, 20}));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='L2'")), 8);
}

void TestLotGeneration::refusals_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<int>("bed");
    QTest::addColumn<QString>("message");
    QTest::newRow("order without processes") << "NOPROC" << 1 << "该制单还没有工序";
    QTest::newRow("lot generated already") << "L1" << 9 << "此制单号的床次已经录入，不能重复操作";
    QTest::newRow("order number too long") << "L1234567" << 1 << "超过 7 个字符";
    QTest::newRow("no lay records") << "L2" << 4 << "没有数据不能生成工票";
}

void TestLotGeneration::refusals()
{
    QFETCH(QString, makeid);
    QFETCH(int, bed);
    QFETCH(QString, message);
    // Lot 9 of L1 exists already.
    layRecord(QStringLiteral("L1"), 9, QStringLiteral("红"), {3});
    procs::generateLot(Connection::main(), QStringLiteral("L1"), {QStringLiteral("S")}, 9);
    const int coupons = count(QStringLiteral("SELECT count(*) FROM printout"));
    if (makeid != QLatin1String("L2"))
        layRecord(makeid, bed, QStringLiteral("白"), {4});
    const int layRecords = count(QStringLiteral("SELECT count(*) FROM work"));
    try {
        procs::generateLot(Connection::main(), makeid, {QStringLiteral("S")}, bed);
        QFAIL("generation must be refused");
    } catch (const db::DbError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    // Nothing written, the lay records kept.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout")), coupons);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printmakeid")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work")), layRecords);
    // The same lot number on another order is fine.
    if (makeid == QLatin1String("L1")) {
        layRecord(QStringLiteral("L2"), 9, QStringLiteral("红"), {2});
        procs::generateLot(Connection::main(), QStringLiteral("L2"), {QStringLiteral("S")}, 9);
    }
}

void TestLotGeneration::deletedLotsNeverGiveBarcodesBack()
{
    layRecord(QStringLiteral("L2"), 1, QStringLiteral("红"), {5});
    procs::generateLot(Connection::main(), QStringLiteral("L2"), {QStringLiteral("S")}, 1);
    QCOMPARE(procs::deleteLot(Connection::main(), QStringLiteral("L2"), 1), 1 + 2 + 1);  // bundle, coupons, lot mark
    QCOMPARE(procs::deleteLot(Connection::main(), QStringLiteral("L2"), 1), 0);
    layRecord(QStringLiteral("L2"), 1, QStringLiteral("红"), {5});
    procs::generateLot(Connection::main(), QStringLiteral("L2"), {QStringLiteral("S")}, 1);  // the lot number is free again
    QCOMPARE(Query(QStringLiteral("SELECT min(barcode) FROM printout")).scalar().toString(), QStringLiteral("0000002"));
}

void TestLotGeneration::twoWorkstationsAtOnce_data()
{
    QTest::addColumn<QString>("second");
    QTest::newRow("two orders") << "L2";
    QTest::newRow("one order, two lots") << "L1";
}

void TestLotGeneration::twoWorkstationsAtOnce()
{
    QFETCH(QString, second);
    for (int round = 0; round < 5; ++round) {
        layRecord(QStringLiteral("L1"), 10 + round, QStringLiteral("红"), {20, 20, 20});
        layRecord(second, 20 + round, QStringLiteral("白"), {10, 10, 10});
    }
    Connection::main().close();
    const auto settings = *db::parseConnectionString(connection_, QString()).settings;
    QStringList errors;
    std::mutex guard;
    auto station = [&](const QString& name, const QString& makeid, int firstBed) {
        Connection c(name);
        QString error;
        if (!c.open(settings, &error)) {
            std::lock_guard lock(guard);
            errors << error;
            return;
        }
        for (int round = 0; round < 5; ++round) {
            try {
                procs::generateLot(c, makeid, {QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L")}, firstBed + round);
            } catch (const db::DbError& e) {
                std::lock_guard lock(guard);
                errors << e.message();
            }
        }
    };
    std::thread a(station, QStringLiteral("station-a"), QStringLiteral("L1"), 10);
    std::thread b(station, QStringLiteral("station-b"), second, 20);
    a.join();
    b.join();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('|'))));
    QVERIFY(db::TryConnect(connection_, QString()));
    const int coupons = count(QStringLiteral("SELECT count(*) FROM printout"));
    QCOMPARE(coupons, 5 * 3 * 3 + 5 * 3 * (second == QLatin1String("L1") ? 3 : 2));
    QCOMPARE(count(QStringLiteral("SELECT count(DISTINCT barcode) FROM printout")), coupons);
    // Each order's bundles are numbered 1, 2, 3, … without gaps or doubles, each lot a range.
    for (const char* order : {"L1", "L2"}) {
        Query q(QStringLiteral("SELECT count(*), min(zhahao), max(zhahao), count(DISTINCT zhahao) FROM printmakeid WHERE makeid=:m"));
        q.bind(QStringLiteral(":m"), order).exec();
        QVERIFY(q.next());
        QCOMPARE(q.value(1).toInt(), q.value(0).toInt() > 0 ? 1 : 0);
        QCOMPARE(q.value(2).toInt(), q.value(0).toInt());
        QCOMPARE(q.value(3).toInt(), q.value(0).toInt());
    }
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM (SELECT bed FROM printmakeid GROUP BY makeid, bed "
                                  "HAVING max(zhahao) - min(zhahao) + 1 <> count(*)) AS gaps")), 0);
}

QTEST_MAIN(TestLotGeneration)
#include "tst_lotgeneration.moc"
