#include "common/accountingperiod.h"
#include "common/db.h"
#include "support/testdb.h"

#include <QTest>

class TestAccountingPeriod : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init()
    {
        QString why;
        if (!testdb::available(&why))
            QSKIP(qPrintable(why));
    }
    void period_data();
    void period();
    void ofMonth_data();
    void ofMonth();
    void previous_data();
    void previous();
    void storedClosingDay();
    void badStoredClosingDay_data();
    void badStoredClosingDay();
};

namespace {
QDate d(int y, int m, int day) { return QDate(y, m, day); }
}

void TestAccountingPeriod::period_data()
{
    QTest::addColumn<int>("closing");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::newRow("after closing day") << 25 << d(2005, 3, 26) << d(2005, 3, 25) << d(2005, 4, 25);
    QTest::newRow("on closing day") << 25 << d(2005, 3, 25) << d(2005, 2, 25) << d(2005, 3, 25);
    QTest::newRow("december wraps") << 25 << d(2005, 12, 30) << d(2005, 12, 25) << d(2006, 1, 25);
    QTest::newRow("january wraps") << 25 << d(2006, 1, 10) << d(2005, 12, 25) << d(2006, 1, 25);
    QTest::newRow("first of month") << 1 << d(2006, 1, 1) << d(2005, 12, 1) << d(2006, 1, 1);
    QTest::newRow("30 clamps in february, leap") << 30 << d(2024, 3, 5) << d(2024, 2, 29)
                                                 << d(2024, 3, 30);
    QTest::newRow("30 clamps in february") << 30 << d(2025, 2, 10) << d(2025, 1, 30)
                                           << d(2025, 2, 28);
    QTest::newRow("29 after february's end") << 29 << d(2025, 2, 28) << d(2025, 1, 29)
                                             << d(2025, 2, 28);
    QTest::newRow("31 falls on month ends") << 31 << d(2025, 4, 15) << d(2025, 3, 31)
                                            << d(2025, 4, 30);
}

void TestAccountingPeriod::period()
{
    QFETCH(int, closing);
    QFETCH(QDate, today);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    const Period p = accountingPeriodFor(closing, today);
    QCOMPARE(p.start, start);
    QCOMPARE(p.end, end);
}

void TestAccountingPeriod::ofMonth_data()
{
    QTest::addColumn<int>("closing");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::newRow("march") << 25 << 2005 << 3 << d(2005, 2, 25) << d(2005, 3, 25);
    QTest::newRow("january") << 25 << 2006 << 1 << d(2005, 12, 25) << d(2006, 1, 25);
    QTest::newRow("february clamp") << 30 << 2023 << 2 << d(2023, 1, 30) << d(2023, 2, 28);
    QTest::newRow("march after february clamp") << 30 << 2023 << 3 << d(2023, 2, 28)
                                                << d(2023, 3, 30);
}

void TestAccountingPeriod::ofMonth()
{
    QFETCH(int, closing);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QCOMPARE(accountingPeriodOfMonthFor(closing, year, month), (Period{start, end}));
}

void TestAccountingPeriod::previous_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::newRow("january") << d(2006, 1, 10) << d(2005, 11, 25) << d(2005, 12, 25);
    QTest::newRow("after closing") << d(2006, 3, 26) << d(2006, 2, 25) << d(2006, 3, 25);
    QTest::newRow("day 31 kept") << d(2006, 3, 31) << d(2006, 2, 25) << d(2006, 3, 25);
}

void TestAccountingPeriod::previous()
{
    QFETCH(QDate, today);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QCOMPARE(previousAccountingPeriodFor(25, today), (Period{start, end}));
}

// The stored rule reads sysInfo on both engines.
void TestAccountingPeriod::storedClosingDay()
{
    testdb::openFresh();
    QCOMPARE(closingDay(), 25);
    QCOMPARE(AccountingPeriod(d(2005, 3, 26)), (Period{d(2005, 3, 25), d(2005, 4, 25)}));
    db::Query(QStringLiteral("UPDATE sysInfo SET setdate=10")).exec();
    QCOMPARE(AccountingPeriodOfMonth(2006, 1), (Period{d(2005, 12, 10), d(2006, 1, 10)}));
    QCOMPARE(PreviousAccountingPeriod(d(2006, 1, 10)), (Period{d(2005, 11, 10), d(2005, 12, 10)}));
}

void TestAccountingPeriod::badStoredClosingDay_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("no row") << QStringLiteral("DELETE FROM sysInfo");
    QTest::newRow("empty day") << QStringLiteral("UPDATE sysInfo SET setdate=NULL");
    QTest::newRow("zero") << QStringLiteral("UPDATE sysInfo SET setdate=0");
}

void TestAccountingPeriod::badStoredClosingDay()
{
    QFETCH(QString, statement);
    testdb::openFresh();
    db::Query(statement).exec();
    QVERIFY_THROWS_EXCEPTION(db::DbError, AccountingPeriod());
}

QTEST_MAIN(TestAccountingPeriod)
#include "tst_accountingperiod.moc"
