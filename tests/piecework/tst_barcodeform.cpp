#include "common/connectionstring.h"
#include "common/db.h"
#include "common/page.h"
#include "piecework/barcodeform.h"
#include "server/cuttingprocs.h"
#include "server/pieceprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

using db::Connection;
using db::Query;

// Barcode entry the way the collection desk works it: an employee number, then coupons
// scanned one after the other.
class TestBarcodeEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void scannerTypesAndPressesEnter();
    void sameCouponTwice_data();
    void sameCouponTwice();
    void notACoupon_data();
    void notACoupon();
    void noEmployeeNumberStillWrites();
    void buttonsTakeTheSamePath();
    void deleteRemovesTheRecord();
    void saveAllEndsTheEmployeesBatch();
    void printShowsMoneyUnderSubtotal();
    void periodIncludesItsEndDay();
    void fourDesksScanTheSameCoupons();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    QString barcodeOf(int zhahao, int workid);
    void scan(Tbarcodefrm& screen, const QString& text)
    {
        screen.barcodeBox()->setText(text);
        screen.barcodeEnter();
    }
    std::unique_ptr<UnexpectedMessages> unexpected_;
    std::unique_ptr<Tbarcodefrm> screen_;
    QString connection_;
};

void TestBarcodeEntry::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    connection_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connection_, QString()));
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, deptname, type) VALUES "
                         "('1001', '王芳', '车缝一组', '计件'), ('1002', '李强', '车缝二组', '计件')"))
        .exec();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal) VALUES('P1', '女衬衫', 800)")).exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('P1', 1, 20)")).exec();
    for (int w = 1; w <= 20; ++w)
        Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price) VALUES('P1', :w, :n, :p)"))
            .bind(QStringLiteral(":w"), w)
            .bind(QStringLiteral(":n"), QStringLiteral("工序%1").arg(w))
            .bind(QStringLiteral(":p"), Money::fromString(QStringLiteral("0.125")) * w)
            .exec();
    // 25 colour lines × 4 sizes: bundles 1 … 100, 20 coupons each (2,000), 10 pieces a bundle.
    for (int line = 0; line < 25; ++line)
        procs::addLayRecord(Connection::main(), QStringLiteral("P1"), 1,
                            {QStringLiteral("色%1").arg(line), {10, 10, 10, 10}}, 1);
    procs::generateLot(Connection::main(), QStringLiteral("P1"),
                       {QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L"), QStringLiteral("XL")}, 1);
    screen_ = std::make_unique<Tbarcodefrm>();
    screen_->show();
}

void TestBarcodeEntry::cleanup()
{
    screen_.reset();
    Connection::main().close();
    unexpected_.reset();
}

QString TestBarcodeEntry::barcodeOf(int zhahao, int workid)
{
    Query q(QStringLiteral("SELECT barcode FROM printout WHERE makeid='P1' AND zhahao=:z AND workid=:w"));
    q.bind(QStringLiteral(":z"), zhahao).bind(QStringLiteral(":w"), workid);
    return q.scalar().toString();
}

void TestBarcodeEntry::scannerTypesAndPressesEnter()
{
    // The screen starts with the focus in 员工号.
    QTRY_COMPARE(screen_->focusWidget(), screen_->personnelidBox());
    QTest::keyClicks(screen_->personnelidBox(), QStringLiteral("1001"));
    QTest::keyClick(screen_->personnelidBox(), Qt::Key_Return);
    QCOMPARE(screen_->nameText(), QStringLiteral("王芳"));
    QCOMPARE(screen_->focusWidget(), screen_->barcodeBox());
    FakeMessages boxes;
    for (int workid : {3, 4}) {
        QTest::keyClicks(screen_->barcodeBox(), barcodeOf(7, workid));
        QTest::keyClick(screen_->barcodeBox(), Qt::Key_Return);
        QVERIFY(screen_->barcodeBox()->text().isEmpty());  // ready for the next code
    }
    QVERIFY(boxes.shown.isEmpty());
    Query r(QStringLiteral("SELECT personnelid, personnelname, deptname, makeid, workid, workname, price, amount, makedate "
                           "FROM countmakeid ORDER BY workid"));
    r.exec();
    QVERIFY(r.next());
    QCOMPARE(r.value(0).toString(), QStringLiteral("1001"));
    QCOMPARE(r.value(1).toString(), QStringLiteral("王芳"));
    QCOMPARE(r.value(2).toString(), QStringLiteral("车缝一组"));
    QCOMPARE(r.value(3).toString(), QStringLiteral("P1"));
    QCOMPARE(r.value(4).toInt(), 3);
    QCOMPARE(r.value(5).toString(), QStringLiteral("工序3"));
    QCOMPARE(Money::fromVariant(r.value(6)), Money::fromString(QStringLiteral("0.375")));
    QCOMPARE(r.value(7).toInt(), 10);
    QCOMPARE(db::toDate(r.value(8)), QDate::currentDate());
    QCOMPARE(screen_->grid()->rowCount(), 2);
    QCOMPARE(screen_->makeidText(), QStringLiteral("P1"));
    // 10 × 0.375 + 10 × 0.5, to the tenth of a fen.
    QCOMPARE(screen_->moneyText(), QStringLiteral("8.750"));
    QCOMPARE(screen_->piecesText(), QStringLiteral("20"));
}

void TestBarcodeEntry::sameCouponTwice_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("on the same screen") << "same";
    QTest::newRow("after reopening the screen") << "reopened";
    QTest::newRow("from another workstation") << "other";
    QTest::newRow("padded with blanks") << "padded";
}

void TestBarcodeEntry::sameCouponTwice()
{
    QFETCH(QString, where);
    const QString code = barcodeOf(1, 1);
    screen_->personnelidBox()->setText(QStringLiteral("1001"));
    screen_->personnelidEnter();
    if (where == QLatin1String("other")) {
        Connection other(QStringLiteral("other-desk"));
        QString error;
        QVERIFY2(other.open(*db::parseConnectionString(connection_, QString()).settings, &error), qPrintable(error));
        procs::createEntryList(other, false);
        procs::Employee li{QStringLiteral("1002"), QStringLiteral("李强"), QStringLiteral("车缝二组"), {}, true};
        QCOMPARE(procs::scanCoupon(other, li, code, QDate(2026, 12, 9)).outcome, procs::Scan::Written);
        other.close();
    } else {
        scan(*screen_, where == QLatin1String("padded") ? QStringLiteral("  %1 ").arg(code) : code);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 1);
        QCOMPARE(Query(QStringLiteral("SELECT barcode FROM countmakeid")).scalar().toString(), code);  // stored trimmed
    }
    if (where == QLatin1String("reopened")) {
        screen_ = std::make_unique<Tbarcodefrm>();
        screen_->show();
        screen_->personnelidBox()->setText(QStringLiteral("1001"));
        screen_->personnelidEnter();
    }
    FakeMessages boxes;
    const int rows = screen_->grid()->rowCount();
    scan(*screen_, where == QLatin1String("padded") ? code : QStringLiteral(" %1").arg(code));
    QCOMPARE(boxes.last(), QStringLiteral("此条形已输入过"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 1);
    QCOMPARE(screen_->grid()->rowCount(), rows);
    // The coupon panel says who has it.
    if (where == QLatin1String("other"))
        QCOMPARE(screen_->collectedText(), QStringLiteral("条形码 %1 已由 1002 李强 于 2026-12-09 录入").arg(code));
    else
        QVERIFY(screen_->collectedText().contains(QStringLiteral("1001 王芳")));
}

void TestBarcodeEntry::notACoupon_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("useFiller");
    QTest::newRow("process removed") << "DELETE FROM workname WHERE makeid='P1' AND workid=2" << false;
    QTest::newRow("order removed") << "DELETE FROM zhdan WHERE makeid='P1'" << false;
    QTest::newRow("a filler's barcode") << "" << true;
}

void TestBarcodeEntry::notACoupon()
{
    QFETCH(QString, change);
    QFETCH(bool, useFiller);
    if (!change.isEmpty())
        Query(change).exec();
    FakeMessages boxes;
    scan(*screen_, useFiller ? QStringLiteral("0") : barcodeOf(3, 2));
    QCOMPARE(boxes.last(), QStringLiteral("无此条形码"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 0);
    QCOMPARE(screen_->grid()->rowCount(), 0);
}

void TestBarcodeEntry::noEmployeeNumberStillWrites()
{
    FakeMessages boxes;
    scan(*screen_, barcodeOf(2, 5));
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid WHERE personnelid=''")), 1);
}

void TestBarcodeEntry::buttonsTakeTheSamePath()
{
    FakeMessages boxes;
    screen_->btnsaveClick();
    QCOMPARE(boxes.last(), QStringLiteral("条形码不能为空"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("警告"));
    // 保  存 and 新  增 write the coupon as a scan does, and cannot write it twice.
    screen_->barcodeBox()->setText(barcodeOf(4, 1));
    screen_->btnsaveClick();
    screen_->barcodeBox()->setText(barcodeOf(4, 1));
    screen_->btnsaveClick();
    QCOMPARE(boxes.last(), QStringLiteral("此条形已输入过"));
    screen_->barcodeBox()->setText(barcodeOf(4, 2));
    screen_->button(QStringLiteral("新  增"))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2);
}

void TestBarcodeEntry::deleteRemovesTheRecord()
{
    screen_->personnelidBox()->setText(QStringLiteral("1001"));
    screen_->personnelidEnter();
    scan(*screen_, barcodeOf(5, 1));
    scan(*screen_, barcodeOf(5, 2));
    screen_->grid()->setCurrentCell(0, 0);
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->btndeleteClick();
    QCOMPARE(boxes.last(), QStringLiteral("确认要删除此记录吗？"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2);
    screen_->btndeleteClick();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 1);
    QCOMPARE(screen_->grid()->rowCount(), 1);
    QCOMPARE(screen_->piecesText(), QStringLiteral("10"));
    // The coupon may be scanned again now.
    scan(*screen_, barcodeOf(5, 1));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2);
}

void TestBarcodeEntry::saveAllEndsTheEmployeesBatch()
{
    FakeMessages boxes;
    screen_->btnsaveallClick();
    QCOMPARE(boxes.last(), QStringLiteral("员工号不能位空"));
    screen_->personnelidBox()->setText(QStringLiteral("1001"));
    screen_->personnelidEnter();
    screen_->btnsaveallClick();
    QCOMPARE(boxes.last(), QStringLiteral("没有操作的数据对象请先录入数据，再执行此操作"));
    scan(*screen_, barcodeOf(6, 1));
    scan(*screen_, barcodeOf(6, 2));
    screen_->btnsaveallClick();
    QCOMPARE(boxes.last(), QStringLiteral("保存完毕"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("信息提示"));
    QCOMPARE(screen_->grid()->rowCount(), 0);
    QCOMPARE(screen_->piecesText(), QStringLiteral("0"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2);  // written at scan time
}

void TestBarcodeEntry::printShowsMoneyUnderSubtotal()
{
    screen_->personnelidBox()->setText(QStringLiteral("1001"));
    screen_->personnelidEnter();
    scan(*screen_, barcodeOf(8, 3));   // 10 × 0.375
    scan(*screen_, barcodeOf(8, 20));  // 10 × 2.5
    const report::Document doc = screen_->listDocument();
    QVERIFY(!doc.pages.isEmpty());
    QCOMPARE(doc.paperMm.width() > doc.paperMm.height(), true);  // Letter, landscape
    const QStringList texts = doc.pages.first().texts();
    QVERIFY(texts.contains(QStringLiteral("Osmira统计报表")));
    QVERIFY(texts.contains(QStringLiteral("3.75")));
    QVERIFY(texts.contains(QStringLiteral("25.00")));
    QVERIFY(texts.contains(QStringLiteral("合计（金额单位为‘元’）    数量：20    小计：28.75")));
}

void TestBarcodeEntry::periodIncludesItsEndDay()
{
    screen_->dateBox()->setDate(QDate(2026, 12, 31));
    scan(*screen_, barcodeOf(9, 1));
    screen_->dateBox()->setDate(QDate(2027, 1, 1));
    scan(*screen_, barcodeOf(9, 2));
    Query q(QStringLiteral("SELECT count(*) FROM countmakeid WHERE makedate>=:a AND makedate<=:b"));
    q.bind(QStringLiteral(":a"), QDate(2026, 12, 1)).bind(QStringLiteral(":b"), QDate(2026, 12, 31));
    QCOMPARE(q.scalar().toInt(), 1);
}

void TestBarcodeEntry::fourDesksScanTheSameCoupons()
{
    screen_.reset();
    QStringList codes;
    Query all(QStringLiteral("SELECT barcode FROM printout WHERE makeid='P1'"));
    all.exec();
    while (all.next())
        codes << all.value(0).toString();
    QCOMPARE(codes.size(), 2000);
    Connection::main().close();
    const auto settings = *db::parseConnectionString(connection_, QString()).settings;
    QStringList errors;
    std::mutex guard;
    int written = 0;
    auto desk = [&](int n) {
        Connection c(QStringLiteral("desk-%1").arg(n));
        QString error;
        if (!c.open(settings, &error)) {
            std::lock_guard lock(guard);
            errors << error;
            return;
        }
        QStringList mine = codes;
        std::mt19937 shuffle(n + 1);
        std::shuffle(mine.begin(), mine.end(), shuffle);
        procs::createEntryList(c, false);
        const procs::Employee who{QStringLiteral("10%1").arg(n), QString(), QString(), QString(), false};
        int mineWritten = 0;
        for (const QString& code : mine) {
            try {
                mineWritten += procs::scanCoupon(c, who, code, QDate(2026, 12, 11)).outcome == procs::Scan::Written;
            } catch (const db::DbError& e) {
                std::lock_guard lock(guard);
                errors << e.message();
            }
        }
        std::lock_guard lock(guard);
        written += mineWritten;
    };
    std::vector<std::thread> desks;
    for (int n = 0; n < 4; ++n)
        desks.emplace_back(desk, n);
    for (std::thread& t : desks)
        t.join();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.mid(0, 3).join(QLatin1Char('|'))));
    QCOMPARE(written, 2000);
    QVERIFY(db::TryConnect(connection_, QString()));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2000);
    QCOMPARE(count(QStringLiteral("SELECT count(DISTINCT barcode) FROM countmakeid")), 2000);
}

QTEST_MAIN(TestBarcodeEntry)
#include "tst_barcodeform.moc"
