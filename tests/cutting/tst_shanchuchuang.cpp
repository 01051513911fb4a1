#include "common/db.h"
#include "cutting/shanchuchuang.h"
#include "server/cuttingprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QTest>

using db::Connection;
using db::Query;

class TestLotDeletion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { Connection::main().close(); }
    void deletes_data();
    void deletes();

private:
    int count(const QString& table) { return Query(QStringLiteral("SELECT count(*) FROM ") + table).scalar().toInt(); }
};

void TestLotDeletion::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhdan(makeid) VALUES('K1')")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('K1', 1, 2)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname) VALUES('K1', 1, 'a'), ('K1', 2, 'b')")).exec();
    for (int bed : {1, 2}) {
        Query(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, amount) VALUES('K1', :b, '红', 10, 10)")).bind(QStringLiteral(":b"), bed).exec();
        procs::generateLot(Connection::main(), QStringLiteral("K1"), {QStringLiteral("M")}, bed);
    }
    // A lot left half-entered by a workstation that crashed.
    Query(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, amount) VALUES('K1', 3, '白', 5, 5)")).exec();
}

void TestLotDeletion::deletes_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QString>("bed");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("coupons");  // left afterwards
    QTest::addColumn<int>("layRecords");
    QTest::newRow("a generated lot") << "K1" << "2" << true << "删除成功" << 2 << 1;
    QTest::newRow("the lock of a crashed workstation") << "K1" << "3" << true << "删除成功" << 4 << 0;
    QTest::newRow("answered no") << "K1" << "2" << false << "" << 4 << 1;
    QTest::newRow("no lot number") << "K1" << "" << true << "请输入制单号和床次" << 4 << 1;
    QTest::newRow("no order number") << "" << "2" << true << "请输入制单号和床次" << 4 << 1;
    QTest::newRow("nothing matched") << "K9" << "2" << true << "没有找到制单号 K9 的第 2 床，没有删除任何数据。" << 4 << 1;
}

void TestLotDeletion::deletes()
{
    QFETCH(QString, makeid);
    QFETCH(QString, bed);
    QFETCH(bool, yes);
    QFETCH(QString, message);
    QFETCH(int, coupons);
    QFETCH(int, layRecords);
    Tshanchuchuang screen;
    screen.makeidBox()->setText(makeid);
    screen.bedBox()->setText(bed);
    FakeMessages boxes;
    boxes.answers = {yes};
    screen.btndeleteClick();
    QCOMPARE(boxes.shown.first().text, QStringLiteral("是否真的要删除该床数据，删除后可能会影响到后面的数据"));
    QCOMPARE(boxes.shown.size() > 1 ? boxes.last() : QString(), message);
    QCOMPARE(count(QStringLiteral("printout")), coupons);
    QCOMPARE(count(QStringLiteral("printmakeid")), coupons / 2);
    QCOMPARE(count(QStringLiteral("work")), layRecords);
}

QTEST_MAIN(TestLotDeletion)
#include "tst_shanchuchuang.moc"
