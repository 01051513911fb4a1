#include "common/db.h"
#include "orders/worknamelist.h"
#include "server/processprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableWidget>
#include <QApplication>
#include <QTest>

using db::Connection;
using db::Query;

class TestProcessList : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void numbersAnOrderFromItsRange();
    void reloadsASavedList();
    void copiesAnotherOrdersList();
    void renumberingOntoATakenNumberIsRefused();
    void enterWritesTheRowAndMovesOn();
    void oneNumberOnlyOnceAndOneUnnumberedRow();
    void piecePriceFollowsTheAllowance_data();
    void piecePriceFollowsTheAllowance();
    void piecesForAllIgnoresNonNumbers();
    void failedSaveKeepsTheOldList();
    void saveRefusesToOrphanCoupons();
    void closingWithAListAsks();
    void printListsTheWorkingList();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    void enterOrder(const QString& makeid)
    {
        screen_->makeidBox()->setText(makeid);
        screen_->makeidEnter();
    }
    std::unique_ptr<Tworkidfrm> screen_;
};

void TestProcessList::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal) VALUES('A1', '衬衫', 500), ('B2', '西裤', 300), ('C3', '夹克', 80)")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('A1', 1, 12), ('B2', 1, 3)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, maketotal, priceone, pricetie, price, lbiao) VALUES "
                         "('B2', 1, '裁片', 300, 0.30, 7, 0.321, 0), ('B2', 2, '合缝', 300, 0.50, 0, 0.5, 1), "
                         "('B2', 3, '锁边', 300, 0.12, 10, 0.132, 0)")).exec();
    screen_ = std::make_unique<Tworkidfrm>();
    screen_->show();
}

void TestProcessList::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestProcessList::numbersAnOrderFromItsRange()
{
    FakeMessages boxes;
    enterOrder(QStringLiteral("A1"));
    QVERIFY(boxes.shown.isEmpty());
    const auto& rows = screen_->workingList();
    QCOMPARE(rows.size(), 12);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(rows[i].workid.toInt(), i + 1);
        QCOMPARE(rows[i].jianshu, 500);
        QVERIFY(rows[i].workname.isEmpty());
        QVERIFY(rows[i].priceone.isNull());
    }
    QCOMPARE(screen_->nameBox()->text(), QStringLiteral("衬衫"));
    // An order that does not exist.
    screen_->newList();
    enterOrder(QStringLiteral("ZZ"));
    QCOMPARE(boxes.last(), QStringLiteral("请检查是否有此制单号"));
    QVERIFY(screen_->workingList().isEmpty());
}

void TestProcessList::reloadsASavedList()
{
    enterOrder(QStringLiteral("B2"));
    const auto& rows = screen_->workingList();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].workname, QStringLiteral("裁片"));
    QCOMPARE(rows[0].jianshu, 300);
    QCOMPARE(QString::number(rows[0].maketotal.toDouble(), 'f', 3), QStringLiteral("96.300"));  // 300 × 0.321
    QVERIFY(rows[1].lbiao);
    QCOMPARE(screen_->sourceGrid()->rowCount(), 0);
    QVERIFY(screen_->footerText().contains(QStringLiteral("0.9200")));  // 0.30 + 0.50 + 0.12
}

void TestProcessList::copiesAnotherOrdersList()
{
    screen_->makeidBox()->setText(QStringLiteral("C3"));
    screen_->chooseCopyFrom(QStringLiteral("B2"));
    QCOMPARE(screen_->sourceGrid()->rowCount(), 3);
    screen_->moveOne();  // process 1 alone
    QCOMPARE(screen_->workingList().size(), 1);
    QCOMPARE(screen_->sourceGrid()->rowCount(), 2);
    screen_->moveAll();
    QCOMPARE(screen_->workingList().size(), 3);
    QVERIFY(screen_->workingList()[1].lbiao);  // >> keeps the main-process mark
    QVERIFY(!screen_->workingList()[0].lbiao);
    screen_->setPiecesForAll(QStringLiteral("80"));
    screen_->dateBox()->setDate(QDate(2026, 12, 1));
    FakeMessages boxes;
    QVERIFY(screen_->saveList());
    QCOMPARE(boxes.last(), QStringLiteral("保存成功"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='C3' AND maketotal=80")), 3);
    Query price(QStringLiteral("SELECT price FROM workname WHERE makeid='C3' AND workid=3"));
    QCOMPARE(Money::fromVariant(price.scalar()).storageText(), QStringLiteral("0.1320"));
    QCOMPARE(Query(QStringLiteral("SELECT makedate FROM workname WHERE makeid='C3' AND workid=1")).scalar().toString().left(10),
             QStringLiteral("2026-12-01"));
    // The screen is reset for the next order.
    QVERIFY(screen_->workingList().isEmpty());
    QVERIFY(screen_->makeidBox()->text().isEmpty());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='B2'")), 3);  // the source untouched
    // < takes a row back to the left list.
    enterOrder(QStringLiteral("C3"));
    screen_->selectRow(0);
    screen_->moveBack();
    QCOMPARE(screen_->workingList().size(), 2);
    QCOMPARE(screen_->sourceGrid()->rowCount(), 1);
    screen_->moveAllBack();
    QVERIFY(screen_->workingList().isEmpty());
    QCOMPARE(screen_->sourceGrid()->rowCount(), 3);
}

void TestProcessList::renumberingOntoATakenNumberIsRefused()
{
    enterOrder(QStringLiteral("B2"));
    QTableWidget* grid = screen_->workGrid();
    FakeMessages boxes;
    grid->item(2, 0)->setText(QStringLiteral("1"));  // 锁边 to 1, which 裁片 has
    QCOMPARE(boxes.last(), QStringLiteral("工序重复，和录入其它出错"));
    const auto& rows = screen_->workingList();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].workname, QStringLiteral("裁片"));
    QCOMPARE(rows[2].workid.toInt(), 3);
    // A free number is taken, and the list re-sorts.
    boxes.clear();
    grid->item(0, 0)->setText(QStringLiteral("9"));
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(screen_->workingList().last().workname, QStringLiteral("裁片"));
}

void TestProcessList::enterWritesTheRowAndMovesOn()
{
    enterOrder(QStringLiteral("B2"));
    QTableWidget* grid = screen_->workGrid();
    QVERIFY(QTest::qWaitForWindowExposed(screen_.get()));
    grid->setCurrentCell(0, 1);
    grid->editItem(grid->item(0, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor)
        editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("cut"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits an Enter on its next turn
    QCOMPARE(screen_->workingList()[0].workname, QStringLiteral("cut"));
    QCOMPARE(grid->currentRow(), 1);
}

void TestProcessList::oneNumberOnlyOnceAndOneUnnumberedRow()
{
    auto& c = Connection::main();
    procs::sp_insertworkname(c, procs::WorknameOp::Add, 0, 5, QStringLiteral("a"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, procs::sp_insertworkname(c, procs::WorknameOp::Add, 0, 5, QStringLiteral("b")));
    procs::sp_insertworkname(c, procs::WorknameOp::Add, 0, QVariant(), QString());
    QVERIFY_THROWS_EXCEPTION(db::DbError, procs::sp_insertworkname(c, procs::WorknameOp::Add, 0, QVariant(), QString()));
    QCOMPARE(procs::sp_insertworkname(c, procs::WorknameOp::List).size(), 2);
    // The screen's 增加工序 adds the one unnumbered row, with the 7 % allowance.
    screen_->newList();
    enterOrder(QStringLiteral("B2"));
    screen_->addProcess();
    QCOMPARE(screen_->workingList().size(), 4);
    QCOMPARE(screen_->workingList().last().pricetie.toDouble(), 7.0);
    FakeMessages boxes;
    screen_->addProcess();
    QCOMPARE(screen_->workingList().size(), 4);
    QVERIFY(!boxes.shown.isEmpty());
}

void TestProcessList::piecePriceFollowsTheAllowance_data()
{
    QTest::addColumn<QVariant>("priceone");
    QTest::addColumn<QVariant>("pricetie");
    QTest::addColumn<QString>("price");
    QTest::newRow("7 percent") << QVariant(0.30) << QVariant(7.0) << "0.3210";
    QTest::newRow("no allowance") << QVariant(1.25) << QVariant() << "1.2500";
    QTest::newRow("rounded to 4 places") << QVariant(0.333) << QVariant(3.0) << "0.3430";
    QTest::newRow("no base price") << QVariant() << QVariant(7.0) << "";
    QTest::newRow("exact half rounds up") << QVariant(0.25) << QVariant(0.1) << "0.2503";  // 0.25025
}

void TestProcessList::piecePriceFollowsTheAllowance()
{
    QFETCH(QVariant, priceone);
    QFETCH(QVariant, pricetie);
    QFETCH(QString, price);
    const auto rows = procs::sp_insertworkname(Connection::main(), procs::WorknameOp::Add, 0, 1, QStringLiteral("x"), 10,
                                               priceone, pricetie);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].price.isNull() ? QString() : QString::number(rows[0].price.toDouble(), 'f', 4), price);
}

void TestProcessList::piecesForAllIgnoresNonNumbers()
{
    // A huge range is refused instead of freezing the screen.
    Query(QStringLiteral("UPDATE worktotal SET endwork=12000000 WHERE makeid='A1'")).exec();
    {
        FakeMessages boxes;
        enterOrder(QStringLiteral("A1"));
        QVERIFY(boxes.last().contains(QStringLiteral("太大")));
        QVERIFY(screen_->workingList().isEmpty());
        screen_->newList();
    }
    // A cell of pieces that is not whole is refused.
    enterOrder(QStringLiteral("B2"));
    {
        FakeMessages boxes;
        screen_->workGrid()->item(0, 2)->setText(QStringLiteral("12.7"));
        QCOMPARE(boxes.last(), QStringLiteral("工序重复，和录入其它出错"));
        QCOMPARE(screen_->workingList()[0].jianshu, 300);
    }
    screen_->newList();
    enterOrder(QStringLiteral("B2"));
    screen_->piecesBox()->setText(QStringLiteral("12x"));
    FakeMessages boxes;
    screen_->piecesEnter();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(screen_->workingList()[0].jianshu, 300);
    screen_->piecesBox()->setText(QStringLiteral("250"));
    screen_->piecesEnter();
    for (const auto& r : screen_->workingList())
        QCOMPARE(r.jianshu, 250);
}

void TestProcessList::failedSaveKeepsTheOldList()
{
    enterOrder(QStringLiteral("B2"));
    screen_->addProcess();  // a row without a number cannot be saved
    FakeMessages boxes;
    QVERIFY(!screen_->saveList());
    QVERIFY(boxes.last().startsWith(QStringLiteral("保存不成功")));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='B2'")), 3);
    QCOMPARE(screen_->workingList().size(), 4);  // the working list stays for another try
}

void TestProcessList::saveRefusesToOrphanCoupons()
{
    // Coupons of two bundles for processes 3 and 1.
    Query(QStringLiteral("INSERT INTO printout(makeid, bed, zhahao, barcode, workid) VALUES "
                         "('B2', 1, 1, '0000001', 3), ('B2', 1, 2, '0000002', 3), ('B2', 1, 1, '0000003', 1)")).exec();
    enterOrder(QStringLiteral("B2"));
    screen_->selectRow(2);
    screen_->deleteCurrent();  // process 3 has coupons
    FakeMessages boxes;
    QVERIFY(!screen_->saveList());
    QVERIFY(boxes.last().contains(QStringLiteral("工序 3 已经生成了菲票")));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='B2'")), 3);
    // Another process given the number 3 is not process 3 either.
    screen_->findList();
    screen_->selectRow(2);
    screen_->deleteCurrent();
    screen_->workGrid()->item(1, 0)->setText(QStringLiteral("3"));  // 合缝 becomes 3
    QVERIFY(!screen_->saveList());
    QVERIFY(boxes.last().contains(QStringLiteral("工序 3 已经生成了菲票")));
    // Nor is process 1 renumbered.
    screen_->findList();
    screen_->workGrid()->item(0, 0)->setText(QStringLiteral("9"));
    QVERIFY(!screen_->saveList());
    QVERIFY(boxes.last().contains(QStringLiteral("工序 1 已经生成了菲票")));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='B2' AND workid=2 AND workname='合缝'")), 1);
    // Renaming or repricing a process with coupons is fine: its number stays.
    screen_->findList();
    screen_->workGrid()->item(1, 1)->setText(QStringLiteral("合缝（改）"));
    QVERIFY(screen_->saveList());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE makeid='B2' AND workname='合缝（改）'")), 1);
}

void TestProcessList::closingWithAListAsks()
{
    enterOrder(QStringLiteral("B2"));
    FakeMessages boxes;
    boxes.answers = {false};
    QVERIFY(!screen_->close());
    QCOMPARE(boxes.last(), QStringLiteral("确认是否退出此模块"));
    QCOMPARE(screen_->workingList().size(), 3);
    boxes.answers = {true};
    QVERIFY(screen_->close());
    // The working list went with the screen.
    QVERIFY_THROWS_EXCEPTION(db::DbError, Query(QStringLiteral("SELECT count(*) FROM tempworkname")).exec());
}

void TestProcessList::printListsTheWorkingList()
{
    enterOrder(QStringLiteral("B2"));
    const report::ListReport r = screen_->listReport();
    QCOMPARE(r.title, QStringLiteral("工序录入明细报表"));
    QCOMPARE(r.rows.size(), 3);
    QCOMPARE(r.rows[0][1], QStringLiteral("裁片"));
    QVERIFY(r.summary.contains(QStringLiteral("数量：900")));
    QVERIFY(r.summary.contains(QStringLiteral("金额：285.90")));  // 96.3 + 150 + 39.6
}

QTEST_MAIN(TestProcessList)
#include "tst_workidlist.moc"
