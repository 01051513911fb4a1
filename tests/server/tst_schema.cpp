#include "common/db.h"
#include "common/menucatalog.h"
#include "common/password.h"
#include "server/dbadmin.h"
#include "server/schema.h"
#include "server/seed.h"
#include "support/testdb.h"

#include <QTest>

using db::Connection;
using db::Query;

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { Connection::main().close(); }

    void createsCurrentVersionWithBaseData();
    void catalogueMatchesTheMenu();
    void fixedCodesExist();
    void upgradesFromTheFirstVersion();
    void refusesNewerAndForeignDatabases();
    void createRefusesExistingData();
    void demoHasAClerkWithFewerRights();
    void demoOrdersAreConsistent();
    void keysRefuseDuplicates_data();
    void keysRefuseDuplicates();
    void setViewsJoinTheirDictionaries();

private:
    void open(const QString& text);
};

void TestSchema::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
}

void TestSchema::open(const QString& text)
{
    const auto parsed = db::parseConnectionString(text, QString());
    QString error;
    QVERIFY2(Connection::main().open(*parsed.settings, &error), qPrintable(error));
}

void TestSchema::createsCurrentVersionWithBaseData()
{
    open(testdb::freshDatabase());
    QCOMPARE(schema::storedVersion(Connection::main()), schema::currentVersion());
    QCOMPARE(dbadmin::checkVersion(Connection::main()), dbadmin::VersionCheck::Current);

    Query user(QStringLiteral("SELECT password FROM \"user\" WHERE username='admin'"));
    user.exec();
    QVERIFY(user.next());
    const QString stored = user.value(0).toString();
    QVERIFY2(isPasswordHash(stored), "the first user's password is stored hashed");
    QVERIFY(verifyPassword(stored, QStringLiteral("admin")));
    QVERIFY(!verifyPassword(stored, QStringLiteral("Admin")));

    const int catalogue = Query(QStringLiteral("SELECT count(*) FROM caidanname")).scalar().toInt();
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM setright WHERE username='admin' AND wetheruse=1"))
                 .scalar()
                 .toInt(),
             catalogue);
    QCOMPARE(Query(QStringLiteral("SELECT setdate FROM sysInfo")).scalar().toInt(), 25);
}

void TestSchema::catalogueMatchesTheMenu()
{
    open(testdb::freshDatabase());
    Query q(QStringLiteral("SELECT modelid, viewname FROM caidanname"));
    q.exec();
    QSet<QString> stored;
    while (q.next())
        stored.insert(QStringLiteral("%1 %2").arg(q.value(0).toInt()).arg(q.value(1).toString()));
    QSet<QString> menu;
    for (const CatalogueRow& row : menuCatalogue())
        menu.insert(QStringLiteral("%1 %2").arg(row.modelid).arg(row.viewname));
    QCOMPARE(stored, menu);
    QCOMPARE(int(menuCatalogue().size()), stored.size());  // no caption twice
    QVERIFY(menu.contains(QStringLiteral("0 货品资料")));
    QVERIFY(menu.contains(QStringLiteral("8 辅助工具")));
    QVERIFY(!menu.contains(QStringLiteral("0 颜色资料")));  // third level is not governed

    // Syncing again neither duplicates nor loses rows.
    seed::syncMenuCatalogue(Connection::main());
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM caidanname")).scalar().toInt(), menu.size());
}

void TestSchema::fixedCodesExist()
{
    open(testdb::freshDatabase());
    const QList<QPair<QString, QString>> fixed = {
        {"waiqin", "10"}, {"waiqin", "11"}, {"waiqin", "9"}, {"waiqin", "12"},
        {"gongxiu", "13"}, {"gongxiu", "15"}};
    for (const auto& [label, code] : fixed) {
        Query q(QStringLiteral("SELECT count(*) FROM ObjectType WHERE label=:l AND typeid=:t"));
        q.bind(QStringLiteral(":l"), label).bind(QStringLiteral(":t"), code);
        QVERIFY2(q.scalar().toInt() == 1, qPrintable(label + QLatin1Char(' ') + code));
    }
    for (const char* label : {"hunyin", "xuexing", "guanxi", "ACOM", "shougong", "gongzi", "jiangfa", "dept"}) {
        Query q(QStringLiteral("SELECT count(*) FROM ObjectType WHERE label=:l"));
        QVERIFY2(q.bind(QStringLiteral(":l"), label).scalar().toInt() > 0, label);
    }
}

void TestSchema::upgradesFromTheFirstVersion()
{
    const QString text = testdb::freshEmptyDatabase();
    {
        const auto parsed = db::parseConnectionString(text, QString());
        Connection c(QStringLiteral("old-client"));
        QString error;
        QVERIFY2(c.open(*parsed.settings, &error, true), qPrintable(error));
        schema::upgrade(c, 1);
        QCOMPARE(schema::storedVersion(c), 1);
        QVERIFY(!c.tableExists(QStringLiteral("sysInfo")));
        // An older database as it was used: a user with a plain-text password.
        Query(QStringLiteral("INSERT INTO \"user\" VALUES('old', 'Secret')"), c).exec();
    }
    open(text);
    QCOMPARE(dbadmin::checkVersion(Connection::main()), dbadmin::VersionCheck::Older);
    Connection::main().close();

    QString error;
    QVERIFY2(dbadmin::upgradeDatabase(text, &error, QString()), qPrintable(error));
    open(text);
    QCOMPARE(schema::storedVersion(Connection::main()), schema::currentVersion());
    QVERIFY(Connection::main().tableExists(QStringLiteral("sysInfo")));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM caidanname")).scalar().toInt(),
             int(menuCatalogue().size()));
    QCOMPARE(Query(QStringLiteral("SELECT password FROM \"user\" WHERE username='old'")).scalar().toString(),
             QStringLiteral("Secret"));
    // Upgrading a current database changes nothing.
    QVERIFY2(dbadmin::upgradeDatabase(text, &error, QString()), qPrintable(error));
}

void TestSchema::refusesNewerAndForeignDatabases()
{
    const QString text = testdb::freshDatabase();
    open(text);
    Query(QStringLiteral("UPDATE dbversion SET version=:v"))
        .bind(QStringLiteral(":v"), schema::currentVersion() + 1)
        .exec();
    int stored = 0;
    QCOMPARE(dbadmin::checkVersion(Connection::main(), &stored), dbadmin::VersionCheck::Newer);
    QVERIFY(dbadmin::versionMessage(dbadmin::VersionCheck::Newer, stored).contains(QStringLiteral("升级本程序")));
    QVERIFY_THROWS_EXCEPTION(db::DbError, schema::upgrade(Connection::main()));
    Connection::main().close();
    QString error;
    QVERIFY(!dbadmin::upgradeDatabase(text, &error, QString()));
    QVERIFY(!error.isEmpty());

    // A database with tables of someone else's.
    const QString foreign = testdb::freshEmptyDatabase();
    {
        const auto parsed = db::parseConnectionString(foreign, QString());
        Connection c(QStringLiteral("other"));
        QVERIFY(c.open(*parsed.settings, &error, true));
        c.execute(QStringLiteral("CREATE TABLE accounts (id INTEGER)"));
        QCOMPARE(dbadmin::checkVersion(c), dbadmin::VersionCheck::NotOurs);
    }
    QVERIFY(!dbadmin::upgradeDatabase(foreign, &error, QString()));
    QVERIFY(!dbadmin::createDatabase(foreign, false, &error, QString()));
}

void TestSchema::createRefusesExistingData()
{
    const QString text = testdb::freshDatabase();
    QString error;
    QVERIFY(!dbadmin::createDatabase(text, false, &error, QString()));
    QVERIFY(!error.isEmpty());
    open(text);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM \"user\"")).scalar().toInt(), 1);
}

void TestSchema::demoHasAClerkWithFewerRights()
{
    open(testdb::freshDatabase(true));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM \"user\"")).scalar().toInt(), 2);
    Query denied(QStringLiteral("SELECT wetheruse FROM setright WHERE username='clerk' AND viewname=:v"));
    QCOMPARE(denied.bind(QStringLiteral(":v"), QStringLiteral("用户管理")).scalar().toInt(), 0);
    Query allowed(QStringLiteral("SELECT wetheruse FROM setright WHERE username='clerk' AND viewname=:v"));
    QCOMPARE(allowed.bind(QStringLiteral(":v"), QStringLiteral("订单录入")).scalar().toInt(), 1);
    QVERIFY(!Query(QStringLiteral("SELECT company FROM sysInfo")).scalar().toString().isEmpty());
}

void TestSchema::demoOrdersAreConsistent()
{
    open(testdb::freshDatabase(true));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM zhdan")).scalar().toInt(), 5);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM customer")).scalar().toInt(), 3);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM colortitle")).scalar().toInt(), 2);
    // Every order: breakdown sum = quantity, 20 to 60 processes numbered from 1, each priced from
    // a few fen to a few yuan, and a header matching the list.
    Query q(QStringLiteral(
        "SELECT z.makeid, z.makeidtotal, (SELECT sum(acount) FROM zhdanmx m WHERE m.makeid=z.makeid), "
        "(SELECT count(*) FROM workname w WHERE w.makeid=z.makeid), "
        "(SELECT min(price) FROM workname w WHERE w.makeid=z.makeid), "
        "(SELECT max(price) FROM workname w WHERE w.makeid=z.makeid), t.starwork, t.endwork "
        "FROM zhdan z JOIN worktotal t ON t.makeid=z.makeid"));
    q.exec();
    int orders = 0;
    while (q.next()) {
        ++orders;
        const QString makeid = q.value(0).toString();
        QVERIFY2(makeid.size() <= 7, qPrintable(makeid));
        QCOMPARE(q.value(2).toInt(), q.value(1).toInt());
        QVERIFY(q.value(3).toInt() >= 20 && q.value(3).toInt() <= 60);
        QVERIFY(Money::fromVariant(q.value(4)).units() >= 100);  // at least a fen
        QVERIFY(Money::fromVariant(q.value(5)).units() <= 50000);  // at most 5 yuan
        QCOMPARE(q.value(6).toInt(), 1);
        QCOMPARE(q.value(7).toInt(), q.value(3).toInt());
    }
    QCOMPARE(orders, 5);
    // Two orders are cut: three lots, one of a single size and one of eight.
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM cutlot")).scalar().toInt(), 3);
    QCOMPARE(Query(QStringLiteral("SELECT count(DISTINCT sizename) FROM printmakeid WHERE makeid='XK2601'")).scalar().toInt(), 8);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM printout")).scalar().toInt(),
             Query(QStringLiteral("SELECT sum((SELECT count(*) FROM workname w WHERE w.makeid=p.makeid)) FROM printmakeid p"))
                 .scalar()
                 .toInt());
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM work")).scalar().toInt(), 0);
}

void TestSchema::keysRefuseDuplicates_data()
{
    QTest::addColumn<QString>("insert");
    QTest::newRow("employee number") << "INSERT INTO personnel(personnelid) VALUES('A01')";
    QTest::newRow("order number") << "INSERT INTO zhdan(makeid) VALUES('D001')";
    QTest::newRow("customer name") << "INSERT INTO customer(customer) VALUES('华联')";
    QTest::newRow("colour/size set name") << "INSERT INTO colortitle(kuangname) VALUES('T恤')";
    QTest::newRow("colour name") << "INSERT INTO color(color, colorname) VALUES('01', '红')";
    QTest::newRow("size") << "INSERT INTO ma(ma) VALUES('XL')";
    QTest::newRow("process number of an order") << "INSERT INTO workname(makeid, workid) VALUES('D001', 3)";
    QTest::newRow("process-list header") << "INSERT INTO worktotal(makeid, starwork, endwork) VALUES('D001', 1, 9)";
}

void TestSchema::keysRefuseDuplicates()
{
    QFETCH(QString, insert);
    open(testdb::freshDatabase());
    Query(insert).exec();
    try {
        Query(insert).exec();
        QFAIL("the second row must be refused");
    } catch (const db::DbError& e) {
        QVERIFY2(e.isUniqueViolation(), qPrintable(e.message()));
    }
}

void TestSchema::setViewsJoinTheirDictionaries()
{
    open(testdb::freshDatabase());
    Query(QStringLiteral("INSERT INTO color(color, colorname) VALUES('01', '红'), ('02', '蓝')")).exec();
    Query(QStringLiteral("INSERT INTO ma(ma) VALUES('S'), ('M'), ('L')")).exec();
    Query(QStringLiteral("INSERT INTO colortitle(kuangname) VALUES('套装')")).exec();
    const int kid = Query(QStringLiteral("SELECT kid FROM colortitle")).scalar().toInt();
    Query(QStringLiteral("INSERT INTO colorzu(kid, sysid) SELECT :k, sysid FROM color")).bind(QStringLiteral(":k"), kid).exec();
    Query(QStringLiteral("INSERT INTO mazu(kid, id) SELECT :k, id FROM ma WHERE ma<>'M'")).bind(QStringLiteral(":k"), kid).exec();
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM vm_colorzu WHERE kid=:k")).bind(QStringLiteral(":k"), kid).scalar().toInt(), 2);
    Query sizes(QStringLiteral("SELECT ma FROM vm_mazu WHERE kid=:k ORDER BY id"));
    sizes.bind(QStringLiteral(":k"), kid).exec();
    QStringList names;
    while (sizes.next())
        names << sizes.value(0).toString();
    QCOMPARE(names, (QStringList{QStringLiteral("S"), QStringLiteral("L")}));
}

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
