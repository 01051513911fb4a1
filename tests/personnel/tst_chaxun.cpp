#include "common/accountingperiod.h"
#include "common/db.h"
#include "personnel/chaxun.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// The query dialog of the hourly-work screen: the statement it builds and its preset period.
class TestHourlyQuery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void statement_data();
    void statement();
    void opensOnTheAccountingPeriod_data();
    void opensOnTheAccountingPeriod();
    void filterIsWhatWasTyped();

private:
    void hours(const QString& tag, const QString& id, const QString& name, const QDateTime& sintime);
    std::unique_ptr<UnexpectedMessages> unexpected_;
};

void TestHourlyQuery::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO dept(deptid, deptname) VALUES('D1', '车缝部'), ('D2', '裁床部'), ('D''3', '包装部')"))
        .exec();
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, deptid, deptname) VALUES "
                         "('W01', '张三', 'D1', '车缝部'), ('W02', 'O''Neil', 'D2', '裁床部'), "
                         "('W03', '李四', 'D1', '车缝部')"))
        .exec();
    // The period used below runs from 2023-12-25 00:00 up to 2024-01-25 00:00.
    hours(QStringLiteral("e"), QStringLiteral("W01"), QStringLiteral("张三"), QDateTime(QDate(2023, 12, 25), QTime(0, 0)));
    hours(QStringLiteral("a"), QStringLiteral("W01"), QStringLiteral("张三"), QDateTime(QDate(2024, 1, 10), QTime(8, 0)));
    hours(QStringLiteral("b"), QStringLiteral("W02"), QStringLiteral("O'Neil"), QDateTime(QDate(2024, 1, 12), QTime(9, 0)));
    hours(QStringLiteral("d"), QStringLiteral("W03"), QStringLiteral("李四"), QDateTime(QDate(2024, 1, 24), QTime(23, 59, 59)));
    hours(QStringLiteral("c"), QStringLiteral("W01"), QStringLiteral("张三"), QDateTime(QDate(2024, 1, 25), QTime(0, 0)));
    hours(QStringLiteral("x"), QStringLiteral("W01"), QStringLiteral("张三"), QDateTime(QDate(2023, 12, 24), QTime(23, 59, 59)));
}

void TestHourlyQuery::cleanup()
{
    Connection::main().close();
    unexpected_.reset();
}

void TestHourlyQuery::hours(const QString& tag, const QString& id, const QString& name, const QDateTime& sintime)
{
    Query(QStringLiteral("INSERT INTO workertime(personnelid, personnelname, worktime, sintime, beizhu) "
                         "VALUES(:a, :b, 8, :c, :d)"))
        .bind(QStringLiteral(":a"), id)
        .bind(QStringLiteral(":b"), name)
        .bind(QStringLiteral(":c"), sintime)
        .bind(QStringLiteral(":d"), tag)
        .exec();
}

void TestHourlyQuery::statement_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("deptid");
    QTest::addColumn<QString>("deptname");
    QTest::addColumn<QString>("expected");  // beizhu tags in order of sign-in time
    QTest::newRow("the period: start in, end out") << "" << "" << "" << "" << "eabd";
    QTest::newRow("by number") << "W01" << "" << "" << "" << "ea";
    QTest::newRow("number trimmed") << " W03 " << "" << "" << "" << "d";
    QTest::newRow("by name") << "" << "张三" << "" << "" << "ea";
    QTest::newRow("name with a quote") << "" << "O'Neil" << "" << "" << "b";
    QTest::newRow("unknown name with a quote") << "" << "x' or '1'='1" << "" << "" << "";
    QTest::newRow("by department number") << "" << "" << "D1" << "" << "ead";
    QTest::newRow("department number with a quote") << "" << "" << "D'3" << "" << "";
    QTest::newRow("by department name") << "" << "" << "" << "裁床部" << "b";
    QTest::newRow("department name with a quote") << "" << "" << "" << "车'缝部" << "";
    QTest::newRow("number and department") << "W01" << "" << "" << "裁床部" << "";
    QTest::newRow("name and department number") << "" << "李四" << "D1" << "" << "d";
}

void TestHourlyQuery::statement()
{
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, deptid);
    QFETCH(QString, deptname);
    QFETCH(QString, expected);
    HourlyFilter f;
    f.from = QDateTime(QDate(2023, 12, 25), QTime(0, 0));
    f.to = QDateTime(QDate(2024, 1, 25), QTime(0, 0));
    f.personnelid = number;
    f.name = name;
    f.deptid = deptid;
    f.deptname = deptname;
    Query q = hourlyWorkQuery(f);
    QString tags;
    while (q.next())
        tags += q.text(QStringLiteral("beizhu"));
    QCOMPARE(tags, expected);
}

void TestHourlyQuery::opensOnTheAccountingPeriod_data()
{
    QTest::addColumn<int>("closingDay");
    QTest::newRow("25th") << 25;
    QTest::newRow("1st") << 1;
    QTest::newRow("28th") << 28;
}

void TestHourlyQuery::opensOnTheAccountingPeriod()
{
    QFETCH(int, closingDay);
    Query(QStringLiteral("UPDATE sysInfo SET setdate=:a")).bind(QStringLiteral(":a"), closingDay).exec();
    const Period period = accountingPeriodFor(closingDay, QDate::currentDate());
    Tchaxunfrm dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("查询"));
    QCOMPARE(dlg.fromBox()->dateTime(), QDateTime(period.start, QTime(0, 0)));
    QCOMPARE(dlg.toBox()->dateTime(), QDateTime(period.end, QTime(0, 0)));
    QCOMPARE(dlg.filter().from, QDateTime(period.start, QTime(0, 0)));
    QCOMPARE(dlg.filter().to, QDateTime(period.end, QTime(0, 0)));
}

void TestHourlyQuery::filterIsWhatWasTyped()
{
    Tchaxunfrm dlg;
    dlg.fromBox()->setDateTime(QDateTime(QDate(2023, 12, 25), QTime(0, 0)));
    dlg.toBox()->setDateTime(QDateTime(QDate(2024, 1, 25), QTime(0, 0)));
    dlg.numberBox()->setText(QStringLiteral(" W02 "));
    dlg.nameBox()->setText(QStringLiteral("O'Neil"));
    dlg.deptidBox()->setText(QStringLiteral("D2"));
    dlg.deptnameBox()->setText(QStringLiteral("裁床部"));
    dlg.show();
    QTest::mouseClick(dlg.button(QStringLiteral("确定")), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const HourlyFilter f = dlg.filter();
    QCOMPARE(f.personnelid, QStringLiteral("W02"));
    QCOMPARE(f.name, QStringLiteral("O'Neil"));
    QCOMPARE(f.deptid, QStringLiteral("D2"));
    QCOMPARE(f.deptname, QStringLiteral("裁床部"));
    Query q = hourlyWorkQuery(f);
    QVERIFY(q.next());
    QCOMPARE(q.text(QStringLiteral("beizhu")), QStringLiteral("b"));
    QVERIFY(!q.next());

    Tchaxunfrm other;
    other.show();
    QTest::mouseClick(other.button(QStringLiteral("取消")), Qt::LeftButton);
    QCOMPARE(other.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestHourlyQuery)
#include "tst_chaxun.moc"
