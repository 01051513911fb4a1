#include "common/money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void parseAndShow_data();
    void parseAndShow();
    void rejectsBadText_data();
    void rejectsBadText();
    void readsDatabaseValues();
    void sumsExactly();
};

void TestMoney::parseAndShow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << "3" << qint64(30000) << "3.00";
    QTest::newRow("four places") << "0.0125" << qint64(125) << "0.01";
    QTest::newRow("half up at cents") << "0.0050" << qint64(50) << "0.01";
    QTest::newRow("below half") << "0.0049" << qint64(49) << "0.00";
    QTest::newRow("negative half away from zero") << "-0.005" << qint64(-50) << "-0.01";
    QTest::newRow("fifth decimal rounds") << "1.23455" << qint64(12346) << "1.23";
    QTest::newRow("leading dot") << ".5" << qint64(5000) << "0.50";
    QTest::newRow("blanks") << " 12.30 " << qint64(123000) << "12.30";
}

void TestMoney::parseAndShow()
{
    QFETCH(QString, text);
    QFETCH(qint64, units);
    QFETCH(QString, shown);
    bool ok = false;
    const Money m = Money::fromString(text, &ok);
    QVERIFY(ok);
    QCOMPARE(m.units(), units);
    QCOMPARE(m.toString(), shown);
}

void TestMoney::rejectsBadText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("two dots") << "1.2.3";
    QTest::newRow("full-width digits") << "１２";
}

void TestMoney::rejectsBadText()
{
    QFETCH(QString, text);
    bool ok = true;
    Money::fromString(text, &ok);
    QVERIFY(!ok);
}

void TestMoney::readsDatabaseValues()
{
    // SQLite hands back REAL values, PostgreSQL numeric text.
    QCOMPARE(Money::fromVariant(QVariant(0.1 + 0.2)).units(), qint64(3000));
    QCOMPARE(Money::fromVariant(QVariant(QStringLiteral("19.9900"))).units(), qint64(199900));
    QCOMPARE(Money::fromVariant(QVariant(qint64(7))).units(), qint64(70000));
    QCOMPARE(Money::fromVariant(QVariant()).units(), qint64(0));
}

void TestMoney::sumsExactly()
{
    // 1,000 coupons at 0.0125 make 12.50 exactly, where doubles drift.
    Money total;
    for (int i = 0; i < 1000; ++i)
        total += Money::fromString(QStringLiteral("0.0125"));
    QCOMPARE(total.toString(), QStringLiteral("12.50"));
    QCOMPARE((Money::fromString(QStringLiteral("0.0125")) * 3).storageText(), QStringLiteral("0.0375"));
}

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
