#include "common/db.h"
#include "common/output.h"
#include "cutting/lasersheet.h"
#include "cutting/lianxuprint.h"
#include "cutting/printchuangci.h"
#include "cutting/printchuangciafrm.h"
#include "cutting/printzhahao.h"
#include "cutting/printzhahaoa.h"
#include "cutting/ticketrun.h"
#include "server/cuttingprocs.h"
#include "server/ticketprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

// Keeps the pages a run writes instead of printing them.
class Capture : public report::PageStream {
public:
    QList<report::Page> pages;
    bool add(const report::Page& page) override
    {
        pages << page;
        return true;
    }
    bool finish() override { return true; }

    // Every barcode printed, fillers ("0") left out.
    QStringList barcodes() const
    {
        QStringList list;
        for (const report::Page& p : pages)
            for (const report::Item& item : p.items)
                if (item.kind == report::Item::Barcode && item.text != tickets::kFiller)
                    list << item.text;
        return list;
    }
};

// A stream factory for a screen whose pages should land in capture.
std::function<std::unique_ptr<report::PageStream>()> forwardTo(Capture* capture)
{
    struct Forward : report::PageStream {
        Capture* to = nullptr;
        bool add(const report::Page& p) override { return to->add(p); }
        bool finish() override { return true; }
    };
    return [capture] {
        auto f = std::make_unique<Forward>();
        f->to = capture;
        return std::unique_ptr<report::PageStream>(std::move(f));
    };
}

QStringList tableColumn(const QString& table, const QString& column)
{
    Query q(QStringLiteral("SELECT %1 FROM %2 ORDER BY zhahao, workid").arg(column, table));
    q.exec();
    QStringList values;
    while (q.next())
        values << q.value(0).toString().trimmed();
    return values;
}

QString bundles(const QString& table)
{
    Query q(QStringLiteral("SELECT DISTINCT zhahao FROM %1 ORDER BY zhahao").arg(table));
    q.exec();
    QStringList list;
    while (q.next())
        list << q.value(0).toString();
    return list.join(QLatin1Char(','));
}

}  // namespace

class TestTicketPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void liningHalvesByBundleNumber();
    void shellAlternatesWithinEveryBundle();
    void middleProcess_data();
    void middleProcess();
    void continuousScreenSplitsByProcess();
    void exclusionsLeaveThePreview();
    void everyCouponOnceOnThePages_data();
    void everyCouponOnceOnThePages();
    void flagRefusesASecondRun();
    void lotScreenMessages();
    void segmentNamesOnTheTickets();
    void bundleLabelReplacesTheNumber();
    void laserSheetPairsOneProcess();
    void printToPdfDirGetsOneFilePerPage();

private:
    void lot(const QString& makeid, int bed, const QList<QPair<QString, QList<int>>>& lines, const QStringList& sizes);
    int allCoupons(const QString& makeid, const QString& where = QString());
    std::unique_ptr<UnexpectedMessages> unexpected_;
};

void TestTicketPrint::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    testdb::openFresh();
    // T1: 6 processes (a bundle needs two pages), T2: 3 processes (an odd count).
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidtotal) VALUES('T1', 5000), ('T2', 5000)")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('T1', 1, 6), ('T2', 1, 3)")).exec();
    for (int p = 1; p <= 6; ++p)
        Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price) VALUES('T1', :p, 'x', 0.1)"))
            .bind(QStringLiteral(":p"), p)
            .exec();
    for (int p = 1; p <= 3; ++p)
        Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price) VALUES('T2', :p, 'y', 0.1)"))
            .bind(QStringLiteral(":p"), p)
            .exec();
    // T1 lot 1: bundles 1 … 9 (3 colours × 3 sizes); lot 2: bundles 10 and 11. T2 lot 1: bundles 1 … 4.
    const QStringList sml{QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L")};
    lot(QStringLiteral("T1"), 1, {{QStringLiteral("红"), {10, 11, 12}}, {QStringLiteral("白"), {20, 21, 22}}, {QStringLiteral("黑"), {30, 31, 32}}}, sml);
    lot(QStringLiteral("T1"), 2, {{QStringLiteral("蓝"), {5, 6}}}, {QStringLiteral("S"), QStringLiteral("M")});
    lot(QStringLiteral("T2"), 1, {{QStringLiteral("灰"), {1, 2}}, {QStringLiteral("绿"), {3, 4}}}, {QStringLiteral("S"), QStringLiteral("M")});
}

void TestTicketPrint::cleanup()
{
    Connection::main().close();
    unexpected_.reset();
}

void TestTicketPrint::lot(const QString& makeid, int bed, const QList<QPair<QString, QList<int>>>& lines,
                          const QStringList& sizes)
{
    for (const auto& line : lines) {
        QList<int> pieces = line.second;
        pieces.resize(8, -1);
        procs::addLayRecord(Connection::main(), makeid, bed, {line.first, pieces}, 1);
    }
    procs::generateLot(Connection::main(), makeid, sizes, bed);
}

int TestTicketPrint::allCoupons(const QString& makeid, const QString& where)
{
    return Query(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='%1' %2").arg(makeid, where)).scalar().toInt();
}

void TestTicketPrint::liningHalvesByBundleNumber()
{
    Connection& c = Connection::main();
    const procs::PrintTables t = procs::ticketTables();
    procs::createPrintTables(c, t);
    // Bundles 1 … 9: the left half has the extra bundle of an odd count.
    QCOMPARE(procs::fillLining(c, t, {QStringLiteral("T1"), 1, 9, false}), 9 * 6);
    QCOMPARE(bundles(t.left), QStringLiteral("1,2,3,4,5"));
    QCOMPARE(bundles(t.right), QStringLiteral("6,7,8,9"));
    // By lot, every lot halves on its own: lot 1 as above, lot 2 (10, 11) one each.
    procs::fillLining(c, t, {QStringLiteral("T1"), 1, 2, true});
    QCOMPARE(bundles(t.left), QStringLiteral("1,2,3,4,5,10"));
    QCOMPARE(bundles(t.right), QStringLiteral("6,7,8,9,11"));
    // A range beyond the bundles takes the real lowest and highest.
    procs::fillLining(c, t, {QStringLiteral("T1"), 8, 99, false});
    QCOMPARE(bundles(t.left), QStringLiteral("8,9"));
    QCOMPARE(bundles(t.right), QStringLiteral("10,11"));
    Query(QStringLiteral("DELETE FROM %1 WHERE zhahao=11 AND workid > 2").arg(t.right)).exec();
    const procs::PrintCounts counts = procs::SP_countprint(c, t);
    QCOMPARE(counts.wL, 2);
    QCOMPARE(counts.Wlt, 6);
    QCOMPARE(counts.wB, 2);
    QCOMPARE(counts.wbt, 6);
    QCOMPARE(tickets::pagesFor(counts.wL, counts.Wlt), 4);
    procs::dropPrintTables(c, t);
}

void TestTicketPrint::shellAlternatesWithinEveryBundle()
{
    Connection& c = Connection::main();
    const procs::PrintTables t = procs::ticketTables();
    procs::createPrintTables(c, t);
    // Three processes: 1 and 3 left, 2 right, for every bundle (the count restarts per bundle).
    QCOMPARE(procs::fillShell(c, t, {QStringLiteral("T2"), 1, 1, true}), 12);
    QCOMPARE(tableColumn(t.left, QStringLiteral("workid")).join(QLatin1Char(',')), QStringLiteral("1,3,1,3,1,3,1,3"));
    QCOMPARE(tableColumn(t.right, QStringLiteral("workid")).join(QLatin1Char(',')), QStringLiteral("2,2,2,2"));
    // The quantity travels as text.
    QCOMPARE(tableColumn(t.left, QStringLiteral("amount")).first(), QStringLiteral("1"));
    procs::dropPrintTables(c, t);
}

void TestTicketPrint::middleProcess_data()
{
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("middle");
    QTest::newRow("from 1, even") << 1 << 6 << 3;
    QTest::newRow("from 1, odd") << 1 << 7 << 3;
    QTest::newRow("from 0") << 0 << 9 << 4;
    QTest::newRow("from 3, odd difference") << 3 << 8 << 6;
    QTest::newRow("from 3, even difference") << 3 << 9 << 6;
}

void TestTicketPrint::middleProcess()
{
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, middle);
    QCOMPARE(procs::middleProcess(lowest, highest), middle);
}

void TestTicketPrint::continuousScreenSplitsByProcess()
{
    Tprintchuangciallfrm screen;
    screen.show();
    screen.shellButton()->setChecked(true);
    screen.orderBox()->setText(QStringLiteral("T1"));
    screen.fromBox()->setText(QStringLiteral("1"));
    screen.toBox()->setText(QStringLiteral("2"));
    screen.toEnter();
    const procs::PrintTables t = procs::continuousTables();
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM %1 WHERE workid > 3").arg(t.left)).scalar().toInt(), 0);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM %1 WHERE workid <= 3").arg(t.right)).scalar().toInt(), 0);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM %1").arg(t.left)).scalar().toInt() +
                 Query(QStringLiteral("SELECT count(*) FROM %1").arg(t.right)).scalar().toInt(),
             allCoupons(QStringLiteral("T1")));
    QCOMPARE(screen.previewGrid()->rowCount(), allCoupons(QStringLiteral("T1")));
}

void TestTicketPrint::exclusionsLeaveThePreview()
{
    Tprintzhahaofrm screen;
    screen.show();
    screen.liningButton()->setChecked(true);
    screen.orderList()->setCurrentText(QStringLiteral("T1"));
    screen.fromBox()->setText(QStringLiteral("1"));
    screen.toBox()->setText(QStringLiteral("9"));
    screen.toEnter();
    QCOMPARE(screen.previewGrid()->rowCount(), 54);
    FakeMessages boxes;
    screen.btnexcludeClick();
    QVERIFY(!screen.exclusionGroup()->isHidden());
    QVERIFY(!screen.addExclusion(QStringLiteral("5"), QStringLiteral("x")));
    QCOMPARE(boxes.last(), QStringLiteral("请输入数值类型"));
    QVERIFY(screen.addExclusion(QStringLiteral("5"), QStringLiteral("8")));
    screen.runExclusions();
    QVERIFY(screen.exclusionGroup()->isHidden());
    const procs::PrintTables t = procs::ticketTables();
    for (const QString& table : {t.left, t.right}) {
        QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM %1 WHERE workid >= 5").arg(table)).scalar().toInt(), 0);
        QVERIFY(Query(QStringLiteral("SELECT count(*) FROM %1").arg(table)).scalar().toInt() > 0);
    }
    QCOMPARE(screen.previewGrid()->rowCount(), 54);  // the preview is not refreshed
    // Printed: processes 1 … 4 only, each coupon once.
    Capture pages;
    screen.setPageStreamFactory(forwardTo(&pages));
    screen.btnprintClick();
    QCOMPARE(pages.barcodes().size(), 9 * 4);
    QCOMPARE(pages.pages.size(), 5);  // five bundles on the left, one page each
}

void TestTicketPrint::everyCouponOnceOnThePages_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("shell");
    QTest::addColumn<QString>("makeid");
    for (const char* screen : {"bundle", "bundle barcode", "lot", "lot barcode", "continuous"})
        for (bool shell : {false, true})
            for (const char* makeid : {"T1", "T2"})
                QTest::addRow("%s %s %s", screen, shell ? "shell" : "lining", makeid)
                    << QString::fromLatin1(screen) << shell << QString::fromLatin1(makeid);
}

void TestTicketPrint::everyCouponOnceOnThePages()
{
    QFETCH(QString, screen);
    QFETCH(bool, shell);
    QFETCH(QString, makeid);
    std::unique_ptr<TicketPrintScreen> s;
    if (screen == QLatin1String("bundle"))
        s = std::make_unique<Tprintzhahaofrm>();
    else if (screen == QLatin1String("bundle barcode"))
        s = std::make_unique<Tprintzhahaoafrm>();
    else if (screen == QLatin1String("lot"))
        s = std::make_unique<Tprintchuangcifrm>();
    else if (screen == QLatin1String("lot barcode"))
        s = std::make_unique<Tprintchuangcia>();
    else
        s = std::make_unique<Tprintchuangciallfrm>();
    s->show();
    (shell ? s->shellButton() : s->liningButton())->setChecked(true);
    if (s->orderList())
        s->orderList()->setCurrentText(makeid);
    else
        s->orderBox()->setText(makeid);
    s->fromBox()->setText(QStringLiteral("1"));
    s->toBox()->setText(screen.startsWith(QLatin1String("bundle")) ? QStringLiteral("99") : QStringLiteral("1"));
    s->toEnter();
    // Enter on the last field twice fills once more, never twice over.
    s->toEnter();
    const QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tickets.pdf"));
    Capture pages;
    s->setPageStreamFactory(forwardTo(&pages));
    s->btnprintClick();
    QStringList printed = pages.barcodes();
    QStringList expected;
    // The bundle screens select bundles 1 … 99 (every lot), the others lot 1.
    Query q(QStringLiteral("SELECT barcode FROM printout WHERE makeid=:m AND (bed=1 OR :all=1) ORDER BY barcode"));
    q.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":all"), screen.startsWith(QLatin1String("bundle"))).exec();
    while (q.next())
        expected << q.value(0).toString();
    printed.sort();
    QCOMPARE(printed, expected);
    // The PDF of the same selection has the same pages.
    QVERIFY(s->savePdf(pdf));
    QVERIFY(QFileInfo(pdf).size() > 1000);
}

void TestTicketPrint::flagRefusesASecondRun()
{
    QTemporaryDir dir;
    report::setPrintToPdfDir(dir.path());
    Tprintchuangcifrm screen;
    screen.show();
    screen.liningButton()->setChecked(true);
    screen.orderBox()->setText(QStringLiteral("T2"));
    screen.toBox()->setText(QStringLiteral("1"));
    screen.toEnter();
    FakeMessages boxes;
    screen.btnprintClick();
    QVERIFY(boxes.shown.isEmpty());
    QVERIFY(screen.printing());
    screen.btnprintClick();
    QCOMPARE(boxes.last(), QStringLiteral("系统正在进行打印请稍后再执行此操作"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("出错提示"));
    // Accepting a lot again lets it be printed once more.
    screen.toEnter();
    QVERIFY(!screen.printing());
    report::setPrintToPdfDir(QString());
}

void TestTicketPrint::lotScreenMessages()
{
    Tprintchuangcia screen;
    screen.show();
    FakeMessages boxes;
    screen.orderBox()->setText(QStringLiteral("T1"));
    screen.orderEnter();
    QCOMPARE(boxes.last(), QStringLiteral("请先选择打印方式"));
    screen.liningButton()->setChecked(true);
    screen.orderBox()->setText(QStringLiteral("NONE"));
    screen.orderEnter();
    QCOMPARE(boxes.last(), QStringLiteral("此单号不存在请从新输入"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("信息提示"));
    screen.orderBox()->setText(QStringLiteral("T1"));
    screen.orderEnter();
    screen.toBox()->setText(QStringLiteral("7"));
    screen.toEnter();
    QCOMPARE(boxes.last(), QStringLiteral("此床次不存在请从新输入"));
    QCOMPARE(screen.previewGrid()->rowCount(), 0);
    screen.btnprintClick();
    QCOMPARE(boxes.last(), QStringLiteral("当前记录为空，没有可以打印的数据"));
    screen.toBox()->setText(QStringLiteral("2"));
    screen.toEnter();
    QCOMPARE(screen.previewGrid()->rowCount(), 12);
}

void TestTicketPrint::segmentNamesOnTheTickets()
{
    Tprintchuangcifrm screen;
    screen.show();
    screen.liningButton()->setChecked(true);
    screen.orderBox()->setText(QStringLiteral("T1"));
    screen.toBox()->setText(QStringLiteral("2"));
    screen.toEnter();
    Capture pages;
    screen.setPageStreamFactory(forwardTo(&pages));
    screen.segmentCheck()->setChecked(true);
    screen.btnprintClick();
    QVERIFY(!screen.segmentGroup()->isHidden());
    FakeMessages boxes;
    QVERIFY(!screen.addSegment(QStringLiteral("a"), QStringLiteral("4"), QStringLiteral("前道")));
    QCOMPARE(boxes.last(), QStringLiteral("请输入数值类型"));
    QVERIFY(screen.addSegment(QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("前道")));
    screen.segmentPrintClick();
    QVERIFY(screen.segmentGroup()->isHidden());
    // Bundle 10 on the left: page 1 holds processes 1 … 4 (前道), page 2 processes 5 and 6 (none).
    QCOMPARE(pages.pages.size(), 2);
    auto segments = [](const report::Page& p) {
        QStringList shown;
        for (const report::Item& item : p.items)
            if (item.kind == report::Item::Text && item.text == QStringLiteral("前道") && !item.hidden)
                shown << item.text;
        return shown.size();
    };
    QCOMPARE(segments(pages.pages[0]), 2);  // both segment fields
    QCOMPARE(segments(pages.pages[1]), 0);
}

void TestTicketPrint::bundleLabelReplacesTheNumber()
{
    Query(QStringLiteral("UPDATE printout SET chbed='A-7' WHERE makeid='T2' AND zhahao=2")).exec();
    Tprintchuangcifrm screen;
    screen.show();
    screen.shellButton()->setChecked(true);
    screen.orderBox()->setText(QStringLiteral("T2"));
    screen.toBox()->setText(QStringLiteral("1"));
    screen.toEnter();
    Capture pages;
    screen.setPageStreamFactory(forwardTo(&pages));
    screen.btnprintClick();
    QCOMPARE(pages.pages.size(), 4);  // one bundle a page in shell mode
    const QStringList second = pages.pages[1].texts();
    // Two stubs and three coupons carry the label (a filler shows "0").
    QCOMPARE(second.count(QStringLiteral("A-7")), 2 + 3);
}

void TestTicketPrint::laserSheetPairsOneProcess()
{
    Connection& c = Connection::main();
    // Lot 1 of T2: four bundles, three processes: two lines per process.
    const QList<procs::LaserLine> lines = procs::SP_caiprint(c, 1, QStringLiteral("T2"), 1);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0].workid, 1);
    QCOMPARE(lines[0].zhahao, QStringLiteral("1"));
    QCOMPARE(lines[0].zhahaob, QStringLiteral("2"));
    QCOMPARE(lines[1].zhahao, QStringLiteral("3"));
    QCOMPARE(lines[1].zhahaob, QStringLiteral("4"));
    // Bundles 1 … 3 of T2 (flat 2): an odd count leaves the last coupon of a process alone.
    const QList<procs::LaserLine> odd = procs::SP_caiprint(c, 2, QStringLiteral("T2"), 1, 3);
    QCOMPARE(odd.size(), 6);
    QVERIFY(odd[1].zhahaob.isEmpty() && odd[1].barcodeb.isEmpty());
    int barcodes = 0;
    const report::Document doc = tickets::laserSheet(odd, tickets::kLaserLengths[0]);
    for (const report::Page& p : doc.pages)
        for (const report::Item& item : p.items)
            barcodes += item.kind == report::Item::Barcode;
    QCOMPARE(barcodes, 9);
    QCOMPARE(tickets::laserLinesPerPage(210), 15);
    QCOMPARE(tickets::laserLinesPerPage(262), 20);
    QCOMPARE(tickets::laserLinesPerPage(312), 24);
    QCOMPARE(doc.paperMm, QSizeF(210, 210));
}

void TestTicketPrint::printToPdfDirGetsOneFilePerPage()
{
    QTemporaryDir dir;
    report::setPrintToPdfDir(dir.path());
    Tprintzhahaoafrm screen;
    screen.show();
    {
        // Choosing an order before a mode is a mistake the screen points out.
        FakeMessages boxes;
        screen.orderList()->setCurrentText(QStringLiteral("T1"));
        QCOMPARE(boxes.last(), QStringLiteral("请选择打印方式"));
        QCOMPARE(boxes.shown.last().caption, QStringLiteral("出错提示"));
    }
    screen.liningButton()->setChecked(true);
    screen.orderList()->setCurrentText(QStringLiteral("T2"));
    screen.fromBox()->setText(QStringLiteral("1"));
    screen.toBox()->setText(QStringLiteral("4"));
    screen.toEnter();
    screen.btnprintClick();
    report::setPrintToPdfDir(QString());
    // Bundles 1, 2 left and 3, 4 right, three coupons each: two pages, two print jobs.
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 2);
}

QTEST_MAIN(TestTicketPrint)
#include "tst_ticketprint.moc"
