#include "common/connectionstring.h"
#include "common/db.h"
#include "cutting/changelabujilu.h"
#include "cutting/workid.h"
#include "server/cuttingprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// The lay-record screen driven the way the cutting-room clerk uses it.
class TestLayRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void acceptingTheOrder_data();
    void acceptingTheOrder();
    void orderBeingEnteredElsewhereIsRefused();
    void lotNumberTakenForThisOrderOnly_data();
    void lotNumberTakenForThisOrderOnly();
    void overCutAsks_data();
    void overCutAsks();
    void numberOfSizes_data();
    void numberOfSizes();
    void buildNeedsLotTotalAndSizes();
    void colourLineWithFactorAndCopiedCounts();
    void badFactorStoresNothing();
    void moreThanTheLotWarns();
    void editAndDeleteALine();
    void generateNeedsTheRightTotal();
    void generateWritesTheLot();
    void generateWithoutProcessesKeepsTheLines();
    void closingDiscardsExactlyThisLot();
    void secondWorkstationLosesTheRace();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    // Order, lot, total, sizes and size names, then 生成表.
    void startLot(const QString& makeid, int bed, int total, const QStringList& sizes);
    void typeLine(const QString& colour, const QStringList& counts);
    void pressEnter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
    // A lot generated the way the screen does it, without the screen.
    void generatedLot(const QString& makeid, int bed, const QString& colour, int pieces);
    std::unique_ptr<UnexpectedMessages> unexpected_;
    std::unique_ptr<Tchafrm> screen_;
    QString connection_;
};

void TestLayRecords::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    connection_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connection_, QString()));
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidtotal) VALUES('SH01', 300), ('XK01', 100), ('NP01', 50)")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('SH01', 1, 3), ('XK01', 1, 2), ('NP01', 1, 1)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price) VALUES "
                         "('SH01', 1, '裁片', 0.1), ('SH01', 2, '上领', 0.5), ('SH01', 3, '上袖', 0.4), "
                         "('XK01', 1, '合缝', 0.2), ('XK01', 2, '锁边', 0.1)")).exec();
    screen_ = std::make_unique<Tchafrm>();
    screen_->show();
}

void TestLayRecords::cleanup()
{
    screen_.reset();
    Connection::main().close();
    unexpected_.reset();
}

void TestLayRecords::generatedLot(const QString& makeid, int bed, const QString& colour, int pieces)
{
    Query(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, amount) VALUES(:m, :b, :c, :p, :p)"))
        .bind(QStringLiteral(":m"), makeid)
        .bind(QStringLiteral(":b"), bed)
        .bind(QStringLiteral(":c"), colour)
        .bind(QStringLiteral(":p"), pieces)
        .exec();
    procs::generateLot(Connection::main(), makeid, {QStringLiteral("M")}, bed);
}

void TestLayRecords::startLot(const QString& makeid, int bed, int total, const QStringList& sizes)
{
    screen_->makeidBox()->setText(makeid);
    screen_->acceptOrder();
    screen_->bedBox()->setText(QString::number(bed));
    screen_->acceptLot();
    screen_->totalBox()->setText(QString::number(total));
    screen_->acceptTotal();
    screen_->sizesBox()->setText(QString::number(sizes.size()));
    for (int k = 0; k < sizes.size(); ++k)
        screen_->sizeNameBox(k)->setText(sizes[k]);
    screen_->btnbuildClick();
}

void TestLayRecords::typeLine(const QString& colour, const QStringList& counts)
{
    screen_->colorBox()->setText(colour);
    screen_->colorEnter();
    for (int k = 0; k < counts.size(); ++k) {
        screen_->countBox(k)->setText(counts[k]);  // over what Enter copied on
        screen_->countEnter(k);
    }
}

void TestLayRecords::acceptingTheOrder_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("start");
    QTest::newRow("after two lots") << "SH01" << true << "" << "当前录入开始扎号是：3扎";
    QTest::newRow("first lot") << "XK01" << true << "" << "当前录入开始扎号是：1扎";
    QTest::newRow("no process list") << "ZZ01" << false << "无此制单号" << "当前录入开始扎号是：1扎";
    QTest::newRow("longer than 7 characters")
        << "SH01-LONG" << false << "制单号“SH01-LONG”超过 7 个字符，不能录入拉布记录。请选择另一制单号。"
        << "当前录入开始扎号是：1扎";
}

void TestLayRecords::acceptingTheOrder()
{
    QFETCH(QString, makeid);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    QFETCH(QString, start);
    generatedLot(QStringLiteral("SH01"), 1, QStringLiteral("红"), 10);
    generatedLot(QStringLiteral("SH01"), 2, QStringLiteral("白"), 10);
    FakeMessages boxes;
    screen_->makeidBox()->setText(makeid);
    screen_->acceptOrder();
    QCOMPARE(screen_->orderAccepted(), accepted);
    QCOMPARE(screen_->makeidBox()->isReadOnly(), accepted);
    QCOMPARE(boxes.last(), message);
    QCOMPARE(screen_->makeidBox()->text(), accepted ? makeid : QString());
    QCOMPARE(screen_->startText(), start);
}

void TestLayRecords::orderBeingEnteredElsewhereIsRefused()
{
    // The first workstation has typed a colour line of lot 1.
    startLot(QStringLiteral("SH01"), 1, 20, {QStringLiteral("M")});
    typeLine(QStringLiteral("红"), {QStringLiteral("20")});
    QCOMPARE(screen_->lines(), 1);

    Tchafrm second;
    second.show();
    FakeMessages boxes;
    second.makeidBox()->setText(QStringLiteral("SH01"));
    second.acceptOrder();
    QCOMPARE(boxes.last(), QStringLiteral("其他用户正在录入此制单号,请选择另一制单号"));
    QVERIFY(!second.orderAccepted());
    QTRY_VERIFY(!second.isVisible());  // the screen closes
    // Closing the refused screen leaves the first workstation's line alone.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='SH01'")), 1);
    // Another order is free.
    Tchafrm third;
    third.makeidBox()->setText(QStringLiteral("XK01"));
    third.acceptOrder();
    QVERIFY(third.orderAccepted());
}

void TestLayRecords::lotNumberTakenForThisOrderOnly_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QString>("takenIn");  // where lot 1 of SH01 is recorded
    QTest::addColumn<bool>("refused");
    QTest::newRow("coupons of the order") << "SH01" << "printout" << true;
    QTest::newRow("bundles of the order") << "SH01" << "printmakeid" << true;
    QTest::newRow("the same number on another order") << "XK01" << "both" << false;
}

void TestLayRecords::lotNumberTakenForThisOrderOnly()
{
    QFETCH(QString, makeid);
    QFETCH(QString, takenIn);
    QFETCH(bool, refused);
    if (takenIn != QLatin1String("printmakeid"))
        Query(QStringLiteral("INSERT INTO printout(makeid, bed, zhahao, barcode, workid) VALUES('SH01', 1, 1, '9000001', 1)")).exec();
    if (takenIn != QLatin1String("printout"))
        Query(QStringLiteral("INSERT INTO printmakeid(makeid, bed, zhahao, amount) VALUES('SH01', 1, 1, 10)")).exec();
    FakeMessages boxes;
    screen_->makeidBox()->setText(makeid);
    screen_->acceptOrder();
    screen_->bedBox()->setText(QStringLiteral("1"));
    screen_->acceptLot();
    if (refused) {
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("此制单号的床次已经录入，不能重复操作"));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("信息提示"));
        QVERIFY(screen_->bedBox()->text().isEmpty());
    } else {
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(screen_->bedBox()->text(), QStringLiteral("1"));
    }
}

void TestLayRecords::overCutAsks_data()
{
    QTest::addColumn<int>("cutBefore");
    QTest::addColumn<int>("lot");
    QTest::addColumn<QString>("question");
    QTest::newRow("first lot over the order")
        << 0 << 120 << "你已录入的数量120已经超过了你要裁的制单数量100请查看裁床分析表,是否继续，选择\"no\"进入裁床分析表";
    QTest::newRow("earlier lots count")
        << 60 << 50 << "你已录入的数量110已经超过了你要裁的制单数量100请查看裁床分析表,是否继续，选择\"no\"进入裁床分析表";
    QTest::newRow("exactly the order") << 60 << 40 << "";
}

void TestLayRecords::overCutAsks()
{
    QFETCH(int, cutBefore);
    QFETCH(int, lot);
    QFETCH(QString, question);
    if (cutBefore > 0)
        generatedLot(QStringLiteral("XK01"), 1, QStringLiteral("黑"), cutBefore);
    FakeMessages boxes;
    boxes.answers = {true};
    screen_->makeidBox()->setText(QStringLiteral("XK01"));
    screen_->acceptOrder();
    screen_->totalBox()->setText(QString::number(lot));
    screen_->acceptTotal();
    QCOMPARE(boxes.last(), question);
    if (!question.isEmpty())
        QVERIFY(boxes.shown.last().question);
    QCOMPARE(screen_->totalBox()->text(), QString::number(lot));  // Yes: entry goes on
}

void TestLayRecords::numberOfSizes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("one") << "1" << 1 << "";
    QTest::newRow("eight") << "8" << 8 << "";
    QTest::newRow("nine") << "9" << 0 << "你输入的不是一个有效的数字";
    QTest::newRow("zero") << "0" << 0 << "你输入的不是一个有效的数字";
    QTest::newRow("not a number") << "x" << 0 << "你输入的不是一个有效的数字";
    QTest::newRow("emptied") << "" << 0 << "";
}

void TestLayRecords::numberOfSizes()
{
    QFETCH(QString, typed);
    QFETCH(int, shown);
    QFETCH(QString, message);
    FakeMessages boxes;
    screen_->sizesBox()->setText(QStringLiteral("3"));
    screen_->sizesBox()->setText(typed);
    QCOMPARE(boxes.last(), message);
    for (int k = 0; k < Tchafrm::kMaxSizes; ++k) {
        QCOMPARE(screen_->sizeNameBox(k)->isVisible(), k < shown);
        QCOMPARE(screen_->countBox(k)->isVisible(), k < shown);
        QCOMPARE(screen_->factorBox(k)->isVisible(), k < shown);
    }
    // The size name becomes the heading of its count field.
    screen_->sizesBox()->setText(QStringLiteral("2"));
    QTest::keyClicks(screen_->sizeNameBox(1), QStringLiteral("xl"));
    QCOMPARE(screen_->sizeNameBox(1)->text(), QStringLiteral("XL"));
    QCOMPARE(screen_->countHeading(1)->text(), QStringLiteral("XL码"));
}

void TestLayRecords::buildNeedsLotTotalAndSizes()
{
    FakeMessages boxes;
    screen_->makeidBox()->setText(QStringLiteral("SH01"));
    screen_->acceptOrder();
    screen_->sizesBox()->setText(QStringLiteral("2"));
    screen_->btnbuildClick();
    QCOMPARE(boxes.last(), QStringLiteral("请输入床次、码数、件数"));
    // Enter in the input-method list wants total pieces and number of sizes first.
    screen_->inputMethodBox()->setFocus();
    pressEnter(screen_->inputMethodBox());
    QCOMPARE(boxes.last(), QStringLiteral("请输入总件数和总码数"));
    screen_->bedBox()->setText(QStringLiteral("1"));
    screen_->totalBox()->setText(QStringLiteral("40"));
    screen_->sizeNameBox(0)->setText(QStringLiteral("S"));
    screen_->btnbuildClick();
    QCOMPARE(boxes.last(), QStringLiteral("没有输入任何码数"));
    QVERIFY(!screen_->tableBuilt());
    screen_->sizeNameBox(1)->setText(QStringLiteral("M"));
    screen_->btnbuildClick();
    QVERIFY(screen_->tableBuilt());
    QVERIFY(screen_->sizeNameBox(0)->isReadOnly());
    QVERIFY(screen_->sizesBox()->isReadOnly());
    QCOMPARE(screen_->grid()->horizontalHeaderItem(1)->text(), QStringLiteral("S"));
    QCOMPARE(screen_->grid()->horizontalHeaderItem(2)->text(), QStringLiteral("M"));
    QVERIFY(!screen_->grid()->isColumnHidden(2));
    QVERIFY(screen_->grid()->isColumnHidden(3));
}

void TestLayRecords::colourLineWithFactorAndCopiedCounts()
{
    startLot(QStringLiteral("SH01"), 1, 150, {QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L")});
    screen_->factorBox(1)->setText(QStringLiteral("2"));
    // As typed: colour, Enter, 30 once, Enter on every size copies it on; the last Enter saves.
    screen_->colorBox()->setFocus();
    QTest::sendKeyEvent(QTest::Click, screen_->colorBox(), Qt::Key_unknown, QStringLiteral("红"), Qt::NoModifier);
    pressEnter(screen_->colorBox());
    QCOMPARE(screen_->focusWidget(), screen_->countBox(0));
    QTest::keyClicks(screen_->countBox(0), QStringLiteral("30"));
    pressEnter(screen_->countBox(0));
    QCOMPARE(screen_->countBox(1)->text(), QStringLiteral("30"));
    pressEnter(screen_->countBox(1));
    pressEnter(screen_->countBox(2));
    QCOMPARE(screen_->lines(), 1);
    Query row(QStringLiteral("SELECT color, bed, s1, s2, s3, s4, amount FROM work WHERE makeid='SH01'"));
    row.exec();
    QVERIFY(row.next());
    QCOMPARE(row.value(0).toString(), QStringLiteral("红"));
    QCOMPARE(row.value(1).toInt(), 1);
    QCOMPARE(row.value(2).toInt(), 30);
    QCOMPARE(row.value(3).toInt(), 60);  // count 30 × factor 2
    QCOMPARE(row.value(4).toInt(), 30);
    QVERIFY(row.value(5).isNull());
    QCOMPARE(row.value(6).toInt(), 120);
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：120件"));
    // Counts cleared, focus back on the colour; the grid shows the line and the footer.
    QVERIFY(screen_->countBox(0)->text().isEmpty());
    QCOMPARE(screen_->focusWidget(), screen_->colorBox());
    QCOMPARE(screen_->grid()->item(0, 2)->text(), QStringLiteral("60"));
    QCOMPARE(screen_->grid()->item(1, 0)->text(), QStringLiteral("合计："));
    QCOMPARE(screen_->grid()->item(1, 9)->text(), QStringLiteral("120.00"));
}

void TestLayRecords::badFactorStoresNothing()
{
    startLot(QStringLiteral("SH01"), 1, 100, {QStringLiteral("S"), QStringLiteral("M")});
    screen_->factorBox(1)->clear();
    FakeMessages boxes;
    typeLine(QStringLiteral("白"), {QStringLiteral("10"), QStringLiteral("10")});
    QCOMPARE(boxes.last(), QStringLiteral("你输入的不是一个有效的数字"));
    QCOMPARE(screen_->lines(), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work")), 0);
    QCOMPARE(screen_->countBox(0)->text(), QStringLiteral("10"));  // kept for correction
}

void TestLayRecords::moreThanTheLotWarns()
{
    startLot(QStringLiteral("SH01"), 1, 50, {QStringLiteral("M")});
    FakeMessages boxes;
    typeLine(QStringLiteral("红"), {QStringLiteral("30")});
    QVERIFY(boxes.shown.isEmpty());
    typeLine(QStringLiteral("白"), {QStringLiteral("30")});
    QCOMPARE(boxes.last(), QStringLiteral("你输入记录的超出件数"));
    QCOMPARE(screen_->lines(), 2);  // a warning: the line stays
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：60件"));
}

void TestLayRecords::editAndDeleteALine()
{
    startLot(QStringLiteral("SH01"), 1, 100, {QStringLiteral("S"), QStringLiteral("M")});
    typeLine(QStringLiteral("红"), {QStringLiteral("10"), QStringLiteral("10")});
    typeLine(QStringLiteral("白"), {QStringLiteral("20"), QStringLiteral("20")});
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：60件"));
    QVERIFY(!screen_->editRow(2));  // the footer is not a line

    Tchangelabujilufrm* dialog = screen_->editRow(0);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("修改拉布记录"));
    QCOMPARE(dialog->field(0)->text(), QStringLiteral("10"));
    QCOMPARE(dialog->field(1)->text(), QStringLiteral("10"));
    dialog->field(1)->setText(QStringLiteral("15"));
    dialog->show();
    dialog->field(0)->setFocus();
    pressEnter(dialog->field(0));  // to the next field
    pressEnter(dialog->field(1));  // the last field confirms
    QCOMPARE(count(QStringLiteral("SELECT amount FROM work WHERE color='红'")), 25);
    QCOMPARE(count(QStringLiteral("SELECT s2 FROM work WHERE color='红'")), 15);
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：65件"));
    QCOMPARE(screen_->grid()->item(0, 9)->text(), QStringLiteral("25"));

    screen_->grid()->setCurrentCell(1, 0);
    screen_->btndeleteClick();
    QCOMPARE(screen_->lines(), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE color='白'")), 0);
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：25件"));
}

void TestLayRecords::generateNeedsTheRightTotal()
{
    startLot(QStringLiteral("SH01"), 1, 100, {QStringLiteral("M")});
    typeLine(QStringLiteral("红"), {QStringLiteral("60")});
    FakeMessages boxes;
    screen_->btngenerateClick();
    QCOMPARE(boxes.last(), QStringLiteral("你录入的总件数不对,请检查"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printmakeid")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work")), 1);
    QVERIFY(screen_->isVisible());
}

void TestLayRecords::generateWritesTheLot()
{
    generatedLot(QStringLiteral("SH01"), 1, QStringLiteral("黑"), 10);  // bundle 1
    startLot(QStringLiteral("SH01"), 2, 90, {QStringLiteral("S"), QStringLiteral("M")});
    QCOMPARE(screen_->startText(), QStringLiteral("当前录入开始扎号是：2扎"));
    typeLine(QStringLiteral("红"), {QStringLiteral("20"), QStringLiteral("25")});
    typeLine(QStringLiteral("白"), {QStringLiteral("15"), QString()});
    typeLine(QStringLiteral("红"), {QStringLiteral("15"), QStringLiteral("15")});
    QCOMPARE(screen_->enteredText(), QStringLiteral("当前录入的总件数是：90件"));
    FakeMessages boxes;
    screen_->btngenerateClick();
    QCOMPARE(boxes.last(), QStringLiteral("生成工票成功"));
    QVERIFY(!screen_->isVisible());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work")), 0);

    // Per colour and size the bundles hold exactly what was laid.
    struct Expect {
        const char* colour;
        const char* size;
        int pieces;
    };
    for (const Expect& e : {Expect{"红", "S", 35}, Expect{"红", "M", 40}, Expect{"白", "S", 15}, Expect{"白", "M", 0}}) {
        Query q(QStringLiteral("SELECT COALESCE(SUM(amount), 0) FROM printmakeid WHERE makeid='SH01' AND bed=2 AND color=:c AND sizename=:s"));
        q.bind(QStringLiteral(":c"), QString::fromUtf8(e.colour)).bind(QStringLiteral(":s"), QString::fromUtf8(e.size));
        QCOMPARE(q.scalar().toInt(), e.pieces);
    }
    // Consecutive bundles from 2 on, one coupon per bundle and process, each with a barcode.
    const int bundles = count(QStringLiteral("SELECT count(*) FROM printmakeid WHERE makeid='SH01' AND bed=2"));
    QCOMPARE(count(QStringLiteral("SELECT min(zhahao) FROM printmakeid WHERE bed=2")), 2);
    QCOMPARE(count(QStringLiteral("SELECT max(zhahao) FROM printmakeid WHERE bed=2")), bundles + 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='SH01' AND bed=2")), bundles * 3);
    QCOMPARE(count(QStringLiteral("SELECT count(DISTINCT barcode) FROM printout WHERE bed=2")), bundles * 3);
}

void TestLayRecords::generateWithoutProcessesKeepsTheLines()
{
    startLot(QStringLiteral("NP01"), 1, 10, {QStringLiteral("M")});
    typeLine(QStringLiteral("红"), {QStringLiteral("10")});
    FakeMessages boxes;
    screen_->btngenerateClick();
    QVERIFY(boxes.last().startsWith(QStringLiteral("没有数据不能生成工票")));
    QVERIFY(boxes.last().contains(QStringLiteral("没有工序")));
    QVERIFY(!boxes.contains(QStringLiteral("生成工票成功")));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM printmakeid")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='NP01'")), 1);
    QVERIFY(screen_->isVisible());
}

void TestLayRecords::closingDiscardsExactlyThisLot()
{
    // Lay records this screen does not own: another order's, and a lot a crashed workstation left.
    Query(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, amount, sysid) VALUES('XK01', 1, '蓝', 5, 5, 7)")).exec();
    startLot(QStringLiteral("SH01"), 3, 100, {QStringLiteral("M")});
    typeLine(QStringLiteral("红"), {QStringLiteral("40")});
    typeLine(QStringLiteral("白"), {QStringLiteral("40")});
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='SH01' AND bed=3")), 2);
    screen_->close();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='SH01'")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='XK01'")), 1);
    // The order is free again.
    Tchafrm next;
    FakeMessages boxes;
    next.makeidBox()->setText(QStringLiteral("SH01"));
    next.acceptOrder();
    QVERIFY(next.orderAccepted());
}

void TestLayRecords::secondWorkstationLosesTheRace()
{
    // Both workstations accepted SH01 while it was free; the other one saved its first line first.
    startLot(QStringLiteral("SH01"), 1, 40, {QStringLiteral("M")});
    Connection other(QStringLiteral("other"));
    QString error;
    QVERIFY2(other.open(*db::parseConnectionString(connection_, QString()).settings, &error), qPrintable(error));
    const int otherOwner = procs::newLayRecordOwner();
    procs::addLayRecord(other, QStringLiteral("SH01"), 2, {QStringLiteral("蓝"), {20}}, otherOwner);
    FakeMessages boxes;
    typeLine(QStringLiteral("红"), {QStringLiteral("40")});
    QCOMPARE(boxes.last(), QStringLiteral("其他用户正在录入此制单号,请选择另一制单号"));
    QCOMPARE(screen_->lines(), 0);
    QTRY_VERIFY(!screen_->isVisible());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM work WHERE makeid='SH01'")), 1);  // the winner's line only
    other.close();
}

QTEST_MAIN(TestLayRecords)
#include "tst_chafrm.moc"
