#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "orders/findtotalgongxu.h"
#include "orders/inserttotalgongxu.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using db::Connection;
using db::Query;

class TestTotalProcess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void addsAHeader_data();
    void addsAHeader();
    void refusals_data();
    void refusals();
    void editingKeepsTheEntryDate();
    void leavingTheNumberWarns_data();
    void leavingTheNumberWarns();
    void enterWalksTheBoxesAndSaves();
    void numberBoxesTakeWholeNumbersOnly();
    void listShowsTheLatestHundred();
    void deleteTakesTheProcessesAlong();
    void failedDeleteChangesNothing();
    void search_data();
    void search();
    void searchWithoutMatchStaysOpen();
    void searchButtonOpensTheDialog();

private:
    void newHeader(const QString& makeid, const QString& start, const QString& end);
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    QStringList listed() const;
    std::unique_ptr<Tinserttotalgongxufrm> screen_;
    QDate today_;
};

void TestTotalProcess::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    today_ = QDate::currentDate();
    for (const char* makeid : {"D001", "D002"})
        Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal, makedate) VALUES(:a, '衬衫', 500, :d)"))
            .bind(QStringLiteral(":a"), makeid)
            .bind(QStringLiteral(":d"), today_.addDays(-20))
            .exec();
    // D001 was entered ten days ago late in the day; E777's order is gone.
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork, workdate) VALUES('D001', 1, 12, :d)"))
        .bind(QStringLiteral(":d"), QDateTime(today_.addDays(-10), QTime(16, 30)))
        .exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork, workdate) VALUES('E777', 1, 3, :d)"))
        .bind(QStringLiteral(":d"), today_.addDays(-400))
        .exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname) VALUES('D001', 1, '上领'), ('D001', 2, '上袖'), "
                         "('E777', 1, '打边')"))
        .exec();
    screen_ = std::make_unique<Tinserttotalgongxufrm>();
    screen_->show();
}

void TestTotalProcess::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestTotalProcess::newHeader(const QString& makeid, const QString& start, const QString& end)
{
    screen_->button(QStringLiteral("添   加"))->click();
    screen_->makeidBox()->setText(makeid);
    screen_->startBox()->setText(start);
    screen_->endBox()->setText(end);
}

QStringList TestTotalProcess::listed() const
{
    QStringList numbers;
    for (int i = 0; i < screen_->records()->size(); ++i)
        numbers << screen_->records()->text(i, QStringLiteral("makeid"));
    return numbers;
}

void TestTotalProcess::addsAHeader_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("existing order") << "D002" << 1 << 15;
    // Neither the order's existence nor the order of the numbers is required.
    QTest::newRow("unknown order, range reversed") << "X-99" << 20 << 3;
}

void TestTotalProcess::addsAHeader()
{
    QFETCH(QString, makeid);
    QFETCH(int, start);
    QFETCH(int, end);
    FakeMessages boxes;
    QVERIFY(!screen_->button(QStringLiteral(" 保  存 "))->isEnabled());
    newHeader(makeid, QString::number(start), QString::number(end));
    QVERIFY(screen_->button(QStringLiteral(" 保  存 "))->isEnabled());
    QVERIFY(!screen_->button(QStringLiteral("删   除"))->isEnabled());
    screen_->button(QStringLiteral(" 保  存 "))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    Query q(QStringLiteral("SELECT * FROM worktotal WHERE makeid=:a"));
    q.bind(QStringLiteral(":a"), makeid).exec();
    QVERIFY(q.next());
    QCOMPARE(q.toInt(QStringLiteral("starwork")), start);
    QCOMPARE(q.toInt(QStringLiteral("endwork")), end);
    QCOMPARE(q.date(QStringLiteral("workdate")), today_);
    QVERIFY(q.toInt(QStringLiteral("sysid")) > 0);
    QCOMPARE(screen_->records()->size(), 3);
}

void TestTotalProcess::refusals_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("message");
    QTest::newRow("order has a header") << "D001" << "1" << "5" << "该制单已录入过了";
    QTest::newRow("no order number") << "" << "1" << "5" << "请输入完整资料";
    QTest::newRow("no first process") << "D002" << "" << "5" << "请输入完整资料";
    QTest::newRow("no last process") << "D002" << "1" << " " << "请输入完整资料";
}

void TestTotalProcess::refusals()
{
    QFETCH(QString, makeid);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, message);
    FakeMessages boxes;
    newHeader(makeid, start, end);
    QVERIFY(!screen_->editor()->save());
    QCOMPARE(boxes.last(), message);
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);  // typed values stay
    QCOMPARE(screen_->makeidBox()->text(), makeid);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal")), 2);
    QCOMPARE(count(QStringLiteral("SELECT endwork FROM worktotal WHERE makeid='D001'")), 12);
}

void TestTotalProcess::editingKeepsTheEntryDate()
{
    FakeMessages boxes;
    QCOMPARE(listed().first(), QStringLiteral("D001"));
    screen_->button(QStringLiteral("修   改"))->click();
    screen_->makeidExit();  // an existing header: no warning
    screen_->endBox()->setText(QStringLiteral("20"));
    QVERIFY(screen_->editor()->save());
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(count(QStringLiteral("SELECT endwork FROM worktotal WHERE makeid='D001'")), 20);
    Query q(QStringLiteral("SELECT workdate FROM worktotal WHERE makeid='D001'"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.dateTime(QStringLiteral("workdate")), QDateTime(today_.addDays(-10), QTime(16, 30)));
    // 取  消 throws away what was typed.
    screen_->button(QStringLiteral("修   改"))->click();
    screen_->startBox()->setText(QStringLiteral("7"));
    screen_->button(QStringLiteral("取  消"))->click();
    QCOMPARE(screen_->startBox()->text(), QStringLiteral("1"));
    QCOMPARE(count(QStringLiteral("SELECT starwork FROM worktotal WHERE makeid='D001'")), 1);
}

void TestTotalProcess::leavingTheNumberWarns_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("order has a header") << "D001" << QStringList{QStringLiteral("该制单已录入过了")};
    QTest::newRow("no such order") << " D404 " << QStringList{QStringLiteral("没有该订单号，请检查是否录入过该订单！")};
    QTest::newRow("order without header") << "D002" << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestTotalProcess::leavingTheNumberWarns()
{
    QFETCH(QString, makeid);
    QFETCH(QStringList, warnings);
    FakeMessages boxes;
    newHeader(makeid, QString(), QString());
    screen_->makeidExit();
    QCOMPARE(boxes.texts(), warnings);
    for (const FakeMessages::Shown& shown : std::as_const(boxes.shown))
        QCOMPARE(shown.icon, msg::Icon::Warning);
    // Warnings only: the header is still being entered.
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);
}

void TestTotalProcess::enterWalksTheBoxesAndSaves()
{
    QApplication::setActiveWindow(screen_.get());
    QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
    FakeMessages boxes;
    screen_->button(QStringLiteral("添   加"))->click();
    QVERIFY(screen_->makeidBox()->hasFocus());
    QTest::keyClicks(screen_->makeidBox(), QStringLiteral("D404"));
    QTest::keyClick(screen_->makeidBox(), Qt::Key_Return);
    QVERIFY(screen_->startBox()->hasFocus());
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("没有该订单号，请检查是否录入过该订单！")});
    QTest::keyClicks(screen_->startBox(), QStringLiteral("3"));
    QTest::keyClick(screen_->startBox(), Qt::Key_Enter);
    QVERIFY(screen_->endBox()->hasFocus());
    QTest::keyClicks(screen_->endBox(), QStringLiteral("18"));
    QTest::keyClick(screen_->endBox(), Qt::Key_Return);
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT endwork FROM worktotal WHERE makeid='D404' AND starwork=3")), 18);
    QCOMPARE(boxes.shown.size(), 1);
}

void TestTotalProcess::numberBoxesTakeWholeNumbersOnly()
{
    QApplication::setActiveWindow(screen_.get());
    screen_->button(QStringLiteral("添   加"))->click();
    QTest::keyClicks(screen_->startBox(), QStringLiteral("1.5a-2"));
    QCOMPARE(screen_->startBox()->text(), QStringLiteral("152"));
    QTest::keyClicks(screen_->endBox(), QStringLiteral("+7,0"));
    QCOMPARE(screen_->endBox()->text(), QStringLiteral("70"));
}

void TestTotalProcess::listShowsTheLatestHundred()
{
    {
        db::Transaction tx;
        for (int i = 1; i <= 100; ++i)
            Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork, workdate) VALUES(:a, 1, 2, :d)"))
                .bind(QStringLiteral(":a"), QStringLiteral("N%1").arg(i, 3, 10, QLatin1Char('0')))
                .bind(QStringLiteral(":d"), today_.addDays(-10 - i))
                .exec();
        tx.commit();
    }
    screen_->FormShow();
    const QStringList numbers = listed();
    QCOMPARE(numbers.size(), 100);
    QCOMPARE(numbers.first(), QStringLiteral("D001"));
    QCOMPARE(numbers.at(1), QStringLiteral("N001"));
    QCOMPARE(numbers.last(), QStringLiteral("N099"));
    QVERIFY(!numbers.contains(QStringLiteral("E777")));
}

void TestTotalProcess::deleteTakesTheProcessesAlong()
{
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录，将会影响员工的工资数据，以及生成的菲票"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal")), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname")), 3);
    screen_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("删除成功"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal WHERE makeid='D001'")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='D001'")), 0);
    // Other orders keep theirs.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal WHERE makeid='E777'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='E777'")), 1);
    QCOMPARE(listed(), QStringList{QStringLiteral("E777")});
}

void TestTotalProcess::failedDeleteChangesNothing()
{
    // The header's own delete fails after the processes were deleted.
    if (testdb::currentEngine() == QLatin1String("sqlite"))
        Query(QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON worktotal BEGIN SELECT RAISE(ABORT, 'refused'); END")).exec();
    else {
        Query(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ LANGUAGE plpgsql")).exec();
        Query(QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON worktotal FOR EACH ROW EXECUTE FUNCTION refuse()")).exec();
    }
    FakeMessages boxes;
    boxes.answers = {true};
    screen_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("删除失败"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal")), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='D001'")), 2);
    QStringList kept = listed();
    kept.sort();  // the restored row may come back at the end of the list
    QCOMPARE(kept, (QStringList{QStringLiteral("D001"), QStringLiteral("E777")}));
}

void TestTotalProcess::search_data()
{
    QTest::addColumn<int>("toDaysAgo");
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("defaults find everything") << 0 << "" << QStringList{QStringLiteral("D001"), QStringLiteral("E777")};
    QTest::newRow("the end day counts whole") << 10 << "" << QStringList{QStringLiteral("D001"), QStringLiteral("E777")};
    QTest::newRow("before the end day") << 11 << "" << QStringList{QStringLiteral("E777")};
    QTest::newRow("by order") << 0 << " D001 " << QStringList{QStringLiteral("D001")};
}

void TestTotalProcess::search()
{
    QFETCH(int, toDaysAgo);
    QFETCH(QString, makeid);
    QFETCH(QStringList, found);
    Tfindtotalgongxufrm search(screen_.get());
    QCOMPARE(search.objectName(), QStringLiteral("findtotalgongxufrm"));
    QCOMPARE(search.fromBox()->date(), QDate(2001, 1, 25));
    QCOMPARE(search.toBox()->date(), today_);
    search.toBox()->setDate(today_.addDays(-toDaysAgo));
    search.makeidBox()->setText(makeid);
    FakeMessages boxes;
    search.btnokClick();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(listed(), found);
    QCOMPARE(search.result(), int(QDialog::Accepted));
}

void TestTotalProcess::searchWithoutMatchStaysOpen()
{
    Tfindtotalgongxufrm search(screen_.get());
    search.show();
    search.makeidBox()->setText(QStringLiteral("D001"));
    search.toBox()->setDate(today_.addDays(-11));
    FakeMessages boxes;
    search.btnokClick();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("您要查询的记录不存在请重新输入查询条件")});
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("信息提示"));
    QVERIFY(search.isVisible());
    // A range that starts after every header.
    search.makeidBox()->clear();
    search.fromBox()->setDate(today_.addDays(-9));
    search.toBox()->setDate(today_);
    search.btnokClick();
    QCOMPARE(boxes.count(QStringLiteral("您要查询的记录不存在请重新输入查询条件")), 2);
    QVERIFY(search.isVisible());
}

void TestTotalProcess::searchButtonOpensTheDialog()
{
    QString opened;
    QTimer::singleShot(0, this, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = dialog->objectName() + QLatin1Char('|') + dialog->windowTitle();
            dialog->close();
        }
    });
    screen_->button(QStringLiteral("查   询"))->click();
    QCOMPARE(opened, QStringLiteral("findtotalgongxufrm|总工序查询"));
    QCOMPARE(listed().size(), 2);  // closed without searching: the list stays
}

QTEST_MAIN(TestTotalProcess)
#include "tst_totalgongxu.moc"
