#include "common/db.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QTest>

using db::Connection;
using db::Query;

class TestDbLayer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { second_.close(); }

    void parsesConnectionStrings_data();
    void parsesConnectionStrings();
    void bindsNamedParametersLiterally();
    void datesCompareAsDates();
    void moneySumsToTheCent();
    void transactionRollsBackUnlessCommitted();
    void nestedTransactionIsASavepoint();
    void tempTablesBelongToTheConnection();
    void uniqueViolationIsRecognised();
    void tryConnectReportsFailure_data();
    void tryConnectReportsFailure();

private:
    void openBoth();
    QString connectionString_;
    Connection second_{QStringLiteral("second-workstation")};
};

void TestDbLayer::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    connectionString_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connectionString_, QString()));
    Connection::main().execute(Connection::main().dialect().ddl(QStringLiteral(
        "CREATE TABLE sample (id {ID}, name VARCHAR(50), amount {MONEY}, at {DATETIME}, "
        "flag {BIT} DEFAULT 0)")));
}

void TestDbLayer::openBoth()
{
    const auto parsed = db::parseConnectionString(connectionString_, QString());
    QString error;
    QVERIFY2(second_.open(*parsed.settings, &error), qPrintable(error));
}

void TestDbLayer::parsesConnectionStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");  // rebuilt string, or part of the error
    QTest::newRow("sqlite relative") << "Provider=SQLite;Data Source=ventrel.db" << true
                                     << "Provider=SQLite;Data Source=/opt/ventrel/ventrel.db";
    QTest::newRow("sqlite absolute, blanks, key case")
        << " provider = sqlite ; data source = /srv/f.db ;" << true
        << "Provider=SQLite;Data Source=/srv/f.db";
    QTest::newRow("postgresql full")
        << "Provider=PostgreSQL;Data Source=10.0.0.5:6543;Initial Catalog=v;User ID=u;Password=p"
        << true << "Provider=PostgreSQL;Data Source=10.0.0.5:6543;Initial Catalog=v;User ID=u;Password=p";
    QTest::newRow("postgresql default port")
        << "Provider=PostgreSQL;Data Source=db1;Initial Catalog=v" << true
        << "Provider=PostgreSQL;Data Source=db1:5432;Initial Catalog=v";
    QTest::newRow("quoted password with ; and quote")
        << "Provider=PostgreSQL;Data Source=h;Initial Catalog=v;User ID=u;Password=\"a;b\"\"c\""
        << true << "Provider=PostgreSQL;Data Source=h:5432;Initial Catalog=v;User ID=u;Password=\"a;b\"\"c\"";
    QTest::newRow("IPv6 server") << "Provider=PostgreSQL;Data Source=[::1]:5433;Initial Catalog=v"
                                 << true << "Provider=PostgreSQL;Data Source=[::1]:5433;Initial Catalog=v";
    QTest::newRow("empty") << "" << false << "连接字符串为空";
    QTest::newRow("initial dialog text") << "sf" << false << "Provider";
    QTest::newRow("unknown provider") << "Provider=SQLOLEDB.1;Data Source=x" << false
                                      << "不支持的数据库类型：SQLOLEDB.1";
    QTest::newRow("bad port") << "Provider=PostgreSQL;Data Source=h:99999;Initial Catalog=v"
                              << false << "端口";
    QTest::newRow("no catalog") << "Provider=PostgreSQL;Data Source=h" << false << "Initial Catalog";
}

void TestDbLayer::parsesConnectionStrings()
{
    if (testdb::currentEngine() != QLatin1String("sqlite"))
        QSKIP("engine-independent");
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    const db::ParsedConnection parsed = db::parseConnectionString(text, QStringLiteral("/opt/ventrel"));
    QCOMPARE(bool(parsed.settings), ok);
    if (ok) {
        QCOMPARE(db::buildConnectionString(*parsed.settings), expected);
        // What is built reads back the same.
        const db::ParsedConnection again = db::parseConnectionString(expected, QStringLiteral("/opt/ventrel"));
        QCOMPARE(again.settings->password, parsed.settings->password);
        QCOMPARE(again.settings->host, parsed.settings->host);
    }
    else
        QVERIFY2(parsed.error.contains(expected), qPrintable(parsed.error));
}

void TestDbLayer::bindsNamedParametersLiterally()
{
    const QString tricky = QStringLiteral("O'Brien 100% _x_ \\ \"q\"");
    Query(QStringLiteral("INSERT INTO sample(name) VALUES(:n)")).bind(QStringLiteral(":n"), tricky).exec();
    Query(QStringLiteral("INSERT INTO sample(name) VALUES(:n)")).bind(QStringLiteral("n"), QStringLiteral("plain")).exec();
    // The same name used twice in one statement.
    Query q(QStringLiteral("SELECT count(*) FROM sample WHERE name=:a OR (name<>:a AND 1=0)"));
    QCOMPARE(q.bind(QStringLiteral(":a"), tricky).scalar().toInt(), 1);
    Query like(QStringLiteral("SELECT name FROM sample WHERE name LIKE :p"));
    like.bind(QStringLiteral(":p"), QStringLiteral("O'Brien%")).exec();
    QVERIFY(like.next());
    QCOMPARE(like.text(QStringLiteral("name")), tricky);
    QVERIFY(!like.next());
}

void TestDbLayer::datesCompareAsDates()
{
    const QDateTime times[] = {QDateTime(QDate(2025, 3, 24), QTime(23, 59, 59)),
                               QDateTime(QDate(2025, 3, 25), QTime(0, 0, 0)),
                               QDateTime(QDate(2025, 3, 25), QTime(8, 30, 0)),
                               QDateTime(QDate(2025, 4, 1), QTime(12, 0, 0))};
    for (const QDateTime& t : times)
        Query(QStringLiteral("INSERT INTO sample(at) VALUES(:t)")).bind(QStringLiteral(":t"), t).exec();
    // A period of whole days, end day included: [start, end + 1 day).
    Query q(QStringLiteral("SELECT count(*) FROM sample WHERE at >= :s AND at < :e"));
    q.bind(QStringLiteral(":s"), QDate(2025, 3, 25)).bind(QStringLiteral(":e"), QDate(2025, 3, 26));
    QCOMPARE(q.scalar().toInt(), 2);
    Query back(QStringLiteral("SELECT at FROM sample ORDER BY at"));
    back.exec();
    QVERIFY(back.next());
    QCOMPARE(back.dateTime(QStringLiteral("at")), times[0]);
    QCOMPARE(back.date(QStringLiteral("at")), QDate(2025, 3, 24));
}

void TestDbLayer::moneySumsToTheCent()
{
    for (int i = 0; i < 300; ++i)
        Query(QStringLiteral("INSERT INTO sample(amount) VALUES(:m)"))
            .bind(QStringLiteral(":m"), Money::fromString(QStringLiteral("0.0335")))
            .exec();
    const Money total = Money::fromVariant(Query(QStringLiteral("SELECT sum(amount) FROM sample")).scalar());
    QCOMPARE(total.storageText(), QStringLiteral("10.0500"));
    QCOMPARE(total.toString(), QStringLiteral("10.05"));
}

void TestDbLayer::transactionRollsBackUnlessCommitted()
{
    try {
        db::Transaction tx;
        Query(QStringLiteral("INSERT INTO sample(name) VALUES('a')")).exec();
        Query(QStringLiteral("INSERT INTO no_such_table VALUES(1)")).exec();
        tx.commit();
        QFAIL("the failing statement must throw");
    } catch (const db::DbError&) {
    }
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM sample")).scalar().toInt(), 0);
    {
        db::Transaction tx;
        Query(QStringLiteral("INSERT INTO sample(name) VALUES('b')")).exec();
        tx.commit();
    }
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM sample")).scalar().toInt(), 1);
}

void TestDbLayer::nestedTransactionIsASavepoint()
{
    {
        db::Transaction outer;
        Query(QStringLiteral("INSERT INTO sample(name) VALUES('outer')")).exec();
        {
            db::Transaction inner;
            Query(QStringLiteral("INSERT INTO sample(name) VALUES('inner')")).exec();
        }  // inner rolled back
        outer.commit();
    }
    Query q(QStringLiteral("SELECT name FROM sample"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.text(QStringLiteral("name")), QStringLiteral("outer"));
    QVERIFY(!q.next());
}

void TestDbLayer::tempTablesBelongToTheConnection()
{
    openBoth();
    Connection& main = Connection::main();
    main.createTempTable(QStringLiteral("tempwork"), QStringLiteral("x INTEGER"));
    Query(QStringLiteral("INSERT INTO tempwork VALUES(1)")).exec();
    QVERIFY_THROWS_EXCEPTION(db::DbError, Query(QStringLiteral("SELECT * FROM tempwork"), second_).exec());
    // Re-creating empties it; dropping it leaves a permanent table of the same name alone.
    main.createTempTable(QStringLiteral("tempwork"), QStringLiteral("x INTEGER"));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM tempwork")).scalar().toInt(), 0);
    main.createTempTable(QStringLiteral("sample"), QStringLiteral("x INTEGER"));
    main.dropTempTable(QStringLiteral("sample"));
    main.dropTempTable(QStringLiteral("sample"));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM sample")).scalar().toInt(), 0);
}

void TestDbLayer::uniqueViolationIsRecognised()
{
    openBoth();
    Query(QStringLiteral("INSERT INTO \"user\"(username, password) VALUES('dup', '')")).exec();
    try {
        Query(QStringLiteral("INSERT INTO \"user\"(username, password) VALUES('dup', '')"), second_).exec();
        QFAIL("second insert must fail");
    } catch (const db::DbError& e) {
        QVERIFY(e.isUniqueViolation());
    }
    try {
        Query(QStringLiteral("INSERT INTO no_such_table VALUES(1)")).exec();
        QFAIL("must fail");
    } catch (const db::DbError& e) {
        QVERIFY(!e.isUniqueViolation());
        QVERIFY(!e.message().isEmpty());
    }
}

void TestDbLayer::tryConnectReportsFailure_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("missing sqlite file") << "Provider=SQLite;Data Source=/nonexistent/dir/x.db";
    QTest::newRow("unknown provider") << "Provider=Oracle;Data Source=x";
    QTest::newRow("unreachable server")
        << "Provider=PostgreSQL;Data Source=127.0.0.1:1;Initial Catalog=x;User ID=u";
}

void TestDbLayer::tryConnectReportsFailure()
{
    QFETCH(QString, text);
    FakeMessages boxes;
    QVERIFY(!db::TryConnect(text, QString()));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].caption, QStringLiteral("错误"));
    QVERIFY(!boxes.shown[0].text.isEmpty());
    QVERIFY(!Connection::main().isOpen());
}

QTEST_MAIN(TestDbLayer)
#include "tst_dblayer.moc"
