#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "orders/checkzhidan.h"
#include "orders/insertzhidan.h"
#include "orders/zhdanmingxi.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using db::Connection;
using db::Query;

class TestOrders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void newOrderIsSavedWithItsValue();
    void takenNumberSavesNothing();
    void incompleteOrderIsRefused();
    void leavingTheNumberWarnsOnlyForNewOrders();
    void deleteTakesTheProcessListAlong();
    void failedDeleteChangesNothing();
    void breakdownWritesEveryCellAndTheTotal();
    void breakdownTotalsFollowEdits();
    void breakdownTotalGoesOnlyToItsOrder();
    void newCustomersKeepTheTypedOrder();
    void breakdownWithBadCellWritesNothing();
    void breakdownWithoutSetIsEmpty();
    void searchMatchesNamesLiterally_data();
    void searchMatchesNamesLiterally();
    void searchWithoutResultStaysOpen();

private:
    void newOrder(const QString& makeid, const QString& name, const QString& qty, const QString& price);
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    std::unique_ptr<Tinsertzhidanfrm> screen_;
    int kid_ = 0;
};

void TestOrders::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO customer(customer, telphone) VALUES('华联', '1'), ('百佳', '2')")).exec();
    Query(QStringLiteral("INSERT INTO color(color, colorname) VALUES('01','红'), ('02','白'), ('03','黑'), ('04','灰')")).exec();
    Query(QStringLiteral("INSERT INTO ma(ma) VALUES('S'), ('M'), ('L'), ('XL'), ('XXL')")).exec();
    Query(QStringLiteral("INSERT INTO colortitle(kuangname) VALUES('T恤三色')")).exec();
    kid_ = Query(QStringLiteral("SELECT kid FROM colortitle")).scalar().toInt();
    Query(QStringLiteral("INSERT INTO colorzu(kid, sysid) SELECT :k, sysid FROM color WHERE colorname<>'灰'")).bind(QStringLiteral(":k"), kid_).exec();
    Query(QStringLiteral("INSERT INTO mazu(kid, id) SELECT :k, id FROM ma WHERE ma<>'XXL'")).bind(QStringLiteral(":k"), kid_).exec();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal, makedate, custid) "
                         "SELECT 'D001', '男装衬衫', 500, :d, custid FROM customer WHERE customer='华联'"))
        .bind(QStringLiteral(":d"), QDate::currentDate().addDays(-3))
        .exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('D001', 1, 3)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname) VALUES('D001', 1, '上领'), ('D001', 2, '上袖')")).exec();
    screen_ = std::make_unique<Tinsertzhidanfrm>();
    screen_->show();
}

void TestOrders::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestOrders::newOrder(const QString& makeid, const QString& name, const QString& qty, const QString& price)
{
    screen_->button(QStringLiteral("新增"))->click();
    screen_->makeidBox()->setText(makeid);
    screen_->nameBox()->setText(name);
    screen_->quantityBox()->setText(qty);
    screen_->priceBox()->setText(price);
    screen_->customerBox()->setCurrentIndex(screen_->customerBox()->findText(QStringLiteral("百佳")));
    screen_->setBox()->setCurrentIndex(0);
}

void TestOrders::newOrderIsSavedWithItsValue()
{
    FakeMessages boxes;
    QCOMPARE(screen_->records()->size(), 1);
    newOrder(QStringLiteral("D002-LONG-NUMBER"), QStringLiteral("女装"), QStringLiteral("1200"), QStringLiteral("12.35"));
    screen_->button(QStringLiteral(" 保存 "))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    Query q(QStringLiteral("SELECT o.*, c.customer FROM zhdan o JOIN customer c ON c.custid=o.custid WHERE makeid='D002-LONG-NUMBER'"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.toInt(QStringLiteral("makeidtotal")), 1200);
    QCOMPARE(q.money(QStringLiteral("totalmoney")).toString(), QStringLiteral("14820.00"));
    QCOMPARE(q.text(QStringLiteral("customer")), QStringLiteral("百佳"));
    QCOMPARE(q.toInt(QStringLiteral("kid")), kid_);
    QCOMPARE(q.date(QStringLiteral("makedate")), QDate::currentDate());
}

void TestOrders::takenNumberSavesNothing()
{
    FakeMessages boxes;
    newOrder(QStringLiteral("D001"), QStringLiteral("另一张"), QStringLiteral("10"), QString());
    screen_->button(QStringLiteral(" 保存 "))->click();
    QCOMPARE(boxes.last(), QStringLiteral("该制单已录入过了"));
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan WHERE makeidname='另一张'")), 0);
}

void TestOrders::incompleteOrderIsRefused()
{
    FakeMessages boxes;
    newOrder(QStringLiteral("D009"), QString(), QStringLiteral("10"), QString());
    QVERIFY(!screen_->editor()->save());
    QCOMPARE(boxes.last(), QStringLiteral("请输入完整资料"));
    screen_->nameBox()->setText(QStringLiteral("有名字"));
    screen_->customerBox()->setCurrentIndex(-1);
    QVERIFY(!screen_->editor()->save());
    QCOMPARE(boxes.last(), QStringLiteral("请输入完整资料"));
    // Price, set and shipping date may stay empty.
    screen_->customerBox()->setCurrentIndex(0);
    screen_->setBox()->setCurrentIndex(-1);
    QVERIFY(screen_->editor()->save());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan WHERE makeid='D009' AND price IS NULL AND kid IS NULL "
                                  "AND saledate IS NULL")), 1);
}

void TestOrders::leavingTheNumberWarnsOnlyForNewOrders()
{
    FakeMessages boxes;
    screen_->editor()->edit();
    screen_->makeidExit();
    QVERIFY(boxes.shown.isEmpty());
    screen_->editor()->cancel();
    newOrder(QStringLiteral("D001"), QString(), QString(), QString());
    screen_->makeidExit();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("该制单已录入过了")});
}

void TestOrders::deleteTakesTheProcessListAlong()
{
    FakeMessages boxes;
    boxes.answers = {true};
    screen_->button(QStringLiteral("删 除"))->click();
    QCOMPARE(boxes.shown.first().text, QStringLiteral("是否要删除该记录，将会影响员工的工资数据，以及裁床数据"));
    QCOMPARE(boxes.last(), QStringLiteral("删除成功"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal")), 0);
}

void TestOrders::failedDeleteChangesNothing()
{
    // The order's own delete fails (a trigger stands in for any failure after the first steps).
    if (testdb::currentEngine() == QLatin1String("sqlite"))
        Query(QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON zhdan BEGIN SELECT RAISE(ABORT, 'refused'); END")).exec();
    else {
        Query(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ LANGUAGE plpgsql")).exec();
        Query(QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON zhdan FOR EACH ROW EXECUTE FUNCTION refuse()")).exec();
    }
    FakeMessages boxes;
    boxes.answers = {true};
    screen_->button(QStringLiteral("删 除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("删除失败"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname")), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM worktotal")), 1);
    QCOMPARE(screen_->records()->size(), 1);
}

void TestOrders::breakdownWritesEveryCellAndTheTotal()
{
    screen_->editor()->edit();
    screen_->setBox()->setCurrentIndex(screen_->setBox()->findData(QString::number(kid_)));
    auto* window = static_cast<Tzhdanmingxifrm*>(screen_->openBreakdown());
    QTableWidget* grid = window->grid();
    QCOMPARE(grid->rowCount(), 3 + 2);
    QCOMPARE(grid->columnCount(), 4 + 2);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("T恤三色"));
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("红"));
    QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("XL"));
    QCOMPARE(grid->item(0, 5)->text(), QStringLiteral("total"));
    int expected = 0;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j) {
            grid->item(i, j)->setText(QString::number(i * 10 + j));
            expected += i * 10 + j;
        }
    window->priceBox()->setText(QStringLiteral("8.5"));
    window->specBox()->setText(QStringLiteral("170/92A"));
    window->discountBox()->setText(QStringLiteral("0.855"));
    FakeMessages boxes;
    QVERIFY(window->btnsaveClick());
    QCOMPARE(boxes.last(), QStringLiteral("保存成功"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdanmx WHERE makeid='D001' AND guige='170/92A'")), 12);
    QCOMPARE(count(QStringLiteral("SELECT sum(acount) FROM zhdanmx")), expected);
    QCOMPARE(screen_->quantityBox()->text(), QString::number(expected));
    QCOMPARE(count(QStringLiteral("SELECT acount FROM zhdanmx WHERE color='白' AND ma='L'")), 23);
    // Saved again with fewer cells, the breakdown is replaced whole.
    grid->item(1, 1)->setText(QString());
    QVERIFY(window->btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdanmx")), 11);
    // Reopened, it shows what was saved.
    Tzhdanmingxifrm again(QStringLiteral("D001"), kid_, QStringLiteral("T恤三色"));
    QCOMPARE(again.grid()->item(2, 3)->text(), QStringLiteral("23"));
    QCOMPARE(again.priceBox()->text(), QStringLiteral("8.5"));
    QCOMPARE(again.discountBox()->text(), QStringLiteral("0.855"));  // kept whole, not rounded to 2 places
    QCOMPARE(again.grandTotal(), expected - 11);
}

void TestOrders::breakdownTotalsFollowEdits()
{
    Tzhdanmingxifrm window(QStringLiteral("D001"), kid_, QStringLiteral("T恤三色"));
    QTableWidget* grid = window.grid();
    grid->item(1, 1)->setText(QStringLiteral("5"));
    grid->item(1, 2)->setText(QStringLiteral("7"));
    grid->item(3, 2)->setText(QStringLiteral("1"));
    QCOMPARE(grid->item(1, 5)->text(), QStringLiteral("12"));  // row 红
    QCOMPARE(grid->item(4, 2)->text(), QStringLiteral("8"));   // column M
    QCOMPARE(grid->item(4, 5)->text(), QStringLiteral("13"));
    grid->item(1, 2)->setText(QString());
    QCOMPARE(grid->item(4, 5)->text(), QStringLiteral("6"));
    QCOMPARE(grid->item(2, 5)->text(), QStringLiteral("0"));
}

void TestOrders::breakdownTotalGoesOnlyToItsOrder()
{
    Tzhdanmingxifrm window(QStringLiteral("D001"), kid_, QStringLiteral("T恤三色"), screen_.get());
    window.grid()->item(1, 1)->setText(QStringLiteral("40"));
    // Meanwhile the order screen moved on to a new order.
    newOrder(QStringLiteral("D077"), QStringLiteral("另一张"), QStringLiteral("5"), QString());
    FakeMessages boxes;
    QVERIFY(window.btnsaveClick());
    QCOMPARE(screen_->quantityBox()->text(), QStringLiteral("5"));
    QVERIFY(!screen_->setQuantityFromBreakdown(QStringLiteral("D001"), 40));
    QVERIFY(screen_->setQuantityFromBreakdown(QStringLiteral("D077"), 12));
    QCOMPARE(screen_->quantityBox()->text(), QStringLiteral("12"));
}

void TestOrders::newCustomersKeepTheTypedOrder()
{
    newOrder(QStringLiteral("D055"), QStringLiteral("新单"), QStringLiteral("300"), QStringLiteral("9.9"));
    screen_->saleDateBox()->setDate(QDate(2027, 3, 1));
    Query(QStringLiteral("INSERT INTO customer(customer, telphone) VALUES('新客户', '3')")).exec();
    screen_->refreshLookups();  // as after the customer screen closes
    QCOMPARE(screen_->makeidBox()->text(), QStringLiteral("D055"));
    QCOMPARE(screen_->quantityBox()->text(), QStringLiteral("300"));
    QCOMPARE(screen_->customerBox()->currentText(), QStringLiteral("百佳"));
    QVERIFY(screen_->customerBox()->findText(QStringLiteral("新客户")) >= 0);
    FakeMessages boxes;
    QVERIFY(screen_->editor()->save());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdan WHERE makeid='D055' AND saledate IS NOT NULL")), 1);
}

void TestOrders::breakdownWithBadCellWritesNothing()
{
    Query(QStringLiteral("INSERT INTO zhdanmx(makeid, color, ma, acount) VALUES('D001', '红', 'S', 9)")).exec();
    Tzhdanmingxifrm window(QStringLiteral("D001"), kid_, QStringLiteral("T恤三色"));
    window.grid()->item(1, 2)->setText(QStringLiteral("4"));
    window.grid()->item(2, 3)->setText(QStringLiteral("abc"));
    FakeMessages boxes;
    QVERIFY(!window.btnsaveClick());
    QVERIFY(boxes.last().startsWith(QStringLiteral("执行出错")));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdanmx")), 1);
    QCOMPARE(count(QStringLiteral("SELECT acount FROM zhdanmx")), 9);
}

void TestOrders::breakdownWithoutSetIsEmpty()
{
    Query(QStringLiteral("INSERT INTO zhdanmx(makeid, color, ma, acount) VALUES('D001', '红', 'S', 9)")).exec();
    Tzhdanmingxifrm window(QStringLiteral("D001"), QVariant(), QString());
    QCOMPARE(window.grid()->rowCount(), 2);
    QCOMPARE(window.grid()->columnCount(), 1);
    FakeMessages boxes;
    QVERIFY(window.btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhdanmx")), 0);
}

void TestOrders::searchMatchesNamesLiterally_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("quote") << "O'Neil" << QStringList{QStringLiteral("Q1")};
    QTest::newRow("percent") << "100%" << QStringList{QStringLiteral("Q2")};
    QTest::newRow("underscore") << "a_b" << QStringList{QStringLiteral("Q3")};
    QTest::newRow("empty matches named orders only")
        << "" << QStringList{QStringLiteral("D001"), QStringLiteral("Q1"), QStringLiteral("Q2"), QStringLiteral("Q3"), QStringLiteral("Q4")};
}

void TestOrders::searchMatchesNamesLiterally()
{
    QFETCH(QString, name);
    QFETCH(QStringList, found);
    const QDate today = QDate::currentDate();
    for (const auto& [id, n] : QList<QPair<QString, QVariant>>{{"Q1", "O'Neil 衬衫"}, {"Q2", "100% 棉"}, {"Q3", "a_b"},
                                                                {"Q4", "a-b 1000"}, {"Q5", QVariant()}})
        Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makedate) VALUES(:i, :n, :d)"))
            .bind(QStringLiteral(":i"), id)
            .bind(QStringLiteral(":n"), n)
            .bind(QStringLiteral(":d"), QDateTime(today, QTime(16, 30)))
            .exec();
    Tcheckzhidanfrm search(screen_.get());
    search.nameBox()->setText(name);
    FakeMessages boxes;
    search.btnokClick();
    QVERIFY(boxes.shown.isEmpty());
    QStringList numbers;
    for (int i = 0; i < screen_->records()->size(); ++i)
        numbers << screen_->records()->text(i, QStringLiteral("makeid"));
    numbers.sort();
    QCOMPARE(numbers, found);
    QCOMPARE(search.result(), int(QDialog::Accepted));
}

void TestOrders::searchWithoutResultStaysOpen()
{
    Tcheckzhidanfrm search(screen_.get());
    search.show();
    search.makeidBox()->setText(QStringLiteral("NONE"));
    FakeMessages boxes;
    search.btnokClick();
    QCOMPARE(boxes.last(), QStringLiteral("没有您要查询的记录请重新选择条件查询"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("提示信息"));
    QVERIFY(search.isVisible());
    // A range that leaves the order out.
    search.makeidBox()->setText(QStringLiteral("D001"));
    search.toBox()->setDate(QDate::currentDate().addDays(-4));
    search.btnokClick();
    QCOMPARE(boxes.count(QStringLiteral("没有您要查询的记录请重新选择条件查询")), 2);
}

QTEST_MAIN(TestOrders)
#include "tst_insertzhidan.moc"
