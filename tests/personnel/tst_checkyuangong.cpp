#include "common/db.h"
#include "personnel/checkyuangong.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// The employee query of the register: the statement it builds and the dialog around it.
class TestEmployeeQuery : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void statement_data();
    void statement();
    void dialogOpensWithDefaults();
    void dialogFilterIsWhatWasTyped();
    void noMatchKeepsTheDialogOpen_data();
    void noMatchKeepsTheDialogOpen();
    void enterWalksToTheOkButton();

private:
    void employee(const QString& id, const QString& name, const QString& dept, const QString& type,
                  const QVariant& worktime, bool left);
    static QStringList ids(Query q);
    std::unique_ptr<UnexpectedMessages> unexpected_;
};

void TestEmployeeQuery::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    testdb::openFresh();
    // The period used below is January 2024.
    employee(QStringLiteral("E01"), QStringLiteral("张三"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2024, 1, 10), false);
    // Joined on the last day of the period, at a time of day.
    employee(QStringLiteral("E02"), QStringLiteral("李四"), QStringLiteral("裁床部"), QStringLiteral("计时"),
             QDateTime(QDate(2024, 1, 31), QTime(8, 30)), false);
    employee(QStringLiteral("E03"), QStringLiteral("王五"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2023, 12, 31), false);
    employee(QStringLiteral("E04"), QStringLiteral("赵六"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2024, 2, 1), false);
    employee(QStringLiteral("E05"), QStringLiteral("O'Brien"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2024, 1, 1), false);
    employee(QStringLiteral("E06"), QStringLiteral("钱七"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2024, 1, 5), true);
    employee(QStringLiteral("E07"), QStringLiteral("孙八"), QStringLiteral("车缝部"), QStringLiteral("计件"),
             QDate(2023, 6, 1), true);
}

void TestEmployeeQuery::cleanup()
{
    Connection::main().close();
    unexpected_.reset();
}

void TestEmployeeQuery::employee(const QString& id, const QString& name, const QString& dept, const QString& type,
                                 const QVariant& worktime, bool left)
{
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, deptid, deptname, type, worktime, zaizhi) "
                         "VALUES(:a, :b, :c, :c, :d, :e, :f)"))
        .bind(QStringLiteral(":a"), id)
        .bind(QStringLiteral(":b"), name)
        .bind(QStringLiteral(":c"), dept)
        .bind(QStringLiteral(":d"), type)
        .bind(QStringLiteral(":e"), worktime)
        .bind(QStringLiteral(":f"), left)
        .exec();
}

QStringList TestEmployeeQuery::ids(Query q)
{
    QStringList result;
    while (q.next())
        result << q.text(QStringLiteral("personnelid"));
    result.sort();
    return result;
}

void TestEmployeeQuery::statement_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("dept");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("inService");
    QTest::addColumn<QStringList>("expected");
    const QDate jan1(2024, 1, 1), jan31(2024, 1, 31);
    QTest::newRow("the period, in service") << jan1 << jan31 << "" << "" << "" << "" << true
                                            << QStringList{"E01", "E02", "E05"};
    QTest::newRow("the last day counts") << jan31 << jan31 << "" << "" << "" << "" << true << QStringList{"E02"};
    QTest::newRow("the first day counts") << jan1 << jan1 << "" << "" << "" << "" << true << QStringList{"E05"};
    QTest::newRow("by number") << jan1 << jan31 << "E01" << "" << "" << "" << true << QStringList{"E01"};
    QTest::newRow("number trimmed") << jan1 << jan31 << " E01 " << "" << "" << "" << true << QStringList{"E01"};
    QTest::newRow("number joined before the period") << jan1 << jan31 << "E03" << "" << "" << "" << true << QStringList{};
    QTest::newRow("number joined after the period") << jan1 << jan31 << "E04" << "" << "" << "" << true << QStringList{};
    QTest::newRow("by name") << jan1 << jan31 << "" << "李四" << "" << "" << true << QStringList{"E02"};
    QTest::newRow("name with a quote") << jan1 << jan31 << "" << "O'Brien" << "" << "" << true << QStringList{"E05"};
    QTest::newRow("by department") << jan1 << jan31 << "" << "" << "车缝部" << "" << true << QStringList{"E01", "E05"};
    QTest::newRow("by type") << jan1 << jan31 << "" << "" << "" << "计时" << true << QStringList{"E02"};
    QTest::newRow("department and type") << jan1 << jan31 << "" << "" << "车缝部" << "计时" << true << QStringList{};
    QTest::newRow("left, in the period only") << jan1 << jan31 << "" << "" << "" << "" << false << QStringList{"E06"};
    QTest::newRow("left, a wide period") << QDate(2001, 1, 24) << jan31 << "" << "" << "" << "" << false
                                         << QStringList{"E06", "E07"};
    QTest::newRow("in service number among the left") << jan1 << jan31 << "E01" << "" << "" << "" << false
                                                      << QStringList{};
}

void TestEmployeeQuery::statement()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, dept);
    QFETCH(QString, type);
    QFETCH(bool, inService);
    QFETCH(QStringList, expected);
    EmployeeFilter f;
    f.from = from;
    f.to = to;
    f.personnelid = number;
    f.name = name;
    f.dept = dept;
    f.type = type;
    f.inService = inService;
    QCOMPARE(ids(employeeQuery(f)), expected);
}

void TestEmployeeQuery::dialogOpensWithDefaults()
{
    Tcheckyuangongfrm dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("员工查询"));
    QCOMPARE(dlg.fromBox()->date(), QDate(2001, 1, 24));
    QCOMPARE(dlg.toBox()->date(), QDate::currentDate());
    QVERIFY(dlg.inServiceBox()->isChecked());
    // The department and type lists hold what personnel holds, after an entry for "any".
    QCOMPARE(dlg.deptBox()->count(), 3);
    QCOMPARE(dlg.deptBox()->itemText(0), QString());
    QVERIFY(dlg.deptBox()->findText(QStringLiteral("裁床部")) > 0);
    QVERIFY(dlg.deptBox()->findText(QStringLiteral("车缝部")) > 0);
    QCOMPARE(dlg.typeBox()->count(), 3);
    QVERIFY(dlg.typeBox()->findText(QStringLiteral("计时")) > 0);
    QVERIFY(dlg.button(QStringLiteral("确定")));
    QVERIFY(dlg.button(QStringLiteral("退出")));
}

void TestEmployeeQuery::dialogFilterIsWhatWasTyped()
{
    Tcheckyuangongfrm dlg;
    dlg.numberBox()->setText(QStringLiteral(" E05 "));
    dlg.nameBox()->setText(QStringLiteral("O'Brien"));
    dlg.deptBox()->setCurrentText(QStringLiteral("车缝部"));
    dlg.fromBox()->setDate(QDate(2024, 1, 1));
    dlg.toBox()->setDate(QDate(2024, 1, 31));
    dlg.inServiceBox()->setChecked(false);
    const EmployeeFilter f = dlg.filter();
    QCOMPARE(f.personnelid, QStringLiteral("E05"));
    QCOMPARE(f.name, QStringLiteral("O'Brien"));
    QCOMPARE(f.dept, QStringLiteral("车缝部"));
    QCOMPARE(f.type, QString());
    QCOMPARE(f.from, QDate(2024, 1, 1));
    QCOMPARE(f.to, QDate(2024, 1, 31));
    QVERIFY(!f.inService);
}

void TestEmployeeQuery::noMatchKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("inService");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("in service") << "E01" << true << true;
    QTest::newRow("unknown number") << "X99" << true << false;
    QTest::newRow("left, asked in service") << "E06" << true << false;
    QTest::newRow("left, asked among the left") << "E06" << false << true;
    QTest::newRow("in service, asked among the left") << "E01" << false << false;
    QTest::newRow("joined outside the period") << "E04" << true << false;
}

void TestEmployeeQuery::noMatchKeepsTheDialogOpen()
{
    QFETCH(QString, number);
    QFETCH(bool, inService);
    QFETCH(bool, accepted);
    Tcheckyuangongfrm dlg;
    dlg.fromBox()->setDate(QDate(2024, 1, 1));
    dlg.toBox()->setDate(QDate(2024, 1, 31));
    dlg.numberBox()->setText(number);
    dlg.inServiceBox()->setChecked(inService);
    dlg.show();
    FakeMessages boxes;
    QTest::mouseClick(dlg.button(QStringLiteral("确定")), Qt::LeftButton);
    if (accepted) {
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
    } else {
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("没有您要查询的记录请重新选择条件查询"));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("提示信息"));
        QVERIFY(!boxes.shown[0].question);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        // New conditions in the open dialog find the employee.
        dlg.numberBox()->setText(QStringLiteral("E05"));
        dlg.inServiceBox()->setChecked(true);
        dlg.btnokClick();
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
}

void TestEmployeeQuery::enterWalksToTheOkButton()
{
    Tcheckyuangongfrm dlg;
    dlg.fromBox()->setDate(QDate(2024, 1, 1));
    dlg.toBox()->setDate(QDate(2024, 1, 31));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.numberBox()->setFocus();
    const QList<QWidget*> walk = {dlg.nameBox(), dlg.deptBox(), dlg.typeBox(), dlg.fromBox(), dlg.toBox(),
                                  dlg.button(QStringLiteral("确定"))};
    for (QWidget* next : walk) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QVERIFY(dlg.isVisible());
    // Enter on 确定 runs the query: everyone in service who joined in January.
    FakeMessages boxes;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestEmployeeQuery)
#include "tst_checkyuangong.moc"
