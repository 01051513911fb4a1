#include "common/db.h"
#include "common/output.h"
#include "common/page.h"
#include "cutting/gongpiaoview.h"
#include "server/cuttingprocs.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using db::Connection;
using db::Query;
using report::Document;
using report::Item;
using report::Page;

// 工票预览: the coupon list of one order.
//
// Order K1 (processes 1 and 2) is cut in lot 2 first (bundles 1: 红 S 10, 2: 红 M 6) and then
// in lot 1 (bundle 3: 白 S 4), so bundle order and lot order disagree. Order K2 has one coupon
// of its own. Order K3's coupons are written out of order, as rows of another workstation may be.
class TestCouponPreview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void enterShowsTheOrderName_data();
    void enterShowsTheOrderName();
    void refusedWithoutAnOrder_data();
    void refusedWithoutAnOrder();
    void rowsFollowBundleSizeProcessAndLot_data();
    void rowsFollowBundleSizeProcessAndLot();
    void titleAndLetterLandscapePage();
    void longListRunsOverPages();
    void savedAsPdfOnLetterLandscape();
    void okPreviewsTheOrder();

private:
    void layLot(const QString& makeid, int bed, const QString& colour, const QList<int>& sizes);
    static const QStringList& captions();
    // The table cells of every page, one "制单号|颜色|床次|扎号|码数|数量|工序" line per coupon.
    static QStringList rowsOf(const Document& doc);
    static QStringList rowsOf(const Page& page);

    std::unique_ptr<FakeMessages> boxes_;
    std::unique_ptr<Tgongpiaoviewfrm> screen_;
};

void TestCouponPreview::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname) VALUES('K1', '男式衬衫'), ('K2', '裤子'), ('K3', '外套'), "
                         "('K5', '夹克')"))
        .exec();
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('K1', 1, 2), ('K2', 1, 1), ('K5', 1, 3)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname) VALUES ('K1', 2, '上领'), ('K1', 1, '裁片'), "
                         "('K2', 1, '合缝'), ('K5', 1, 'a'), ('K5', 2, 'b'), ('K5', 3, 'c')"))
        .exec();
    layLot(QStringLiteral("K1"), 2, QStringLiteral("红"), {10, 6});
    layLot(QStringLiteral("K1"), 1, QStringLiteral("白"), {4});
    layLot(QStringLiteral("K2"), 1, QStringLiteral("红"), {7});
    // K3: bundle 2 of lot 1 (M), bundle 1 of lot 1 (S) and bundle 3 of lot 2 (S), rows mixed up.
    const char* k3[][5] = {{"1", "2", "M", "2", "9100001"}, {"2", "3", "S", "1", "9100002"},
                           {"1", "1", "S", "2", "9100003"}, {"1", "2", "M", "1", "9100004"},
                           {"1", "1", "S", "1", "9100005"}, {"2", "3", "S", "2", "9100006"}};
    for (const auto& c : k3)
        Query(QStringLiteral("INSERT INTO printout(makeid, bed, zhahao, sizename, workid, barcode, amount, color, chbed) "
                             "VALUES('K3', :b, :z, :s, :w, :c, 5, '灰', '')"))
            .bind(QStringLiteral(":b"), QString::fromLatin1(c[0]).toInt())
            .bind(QStringLiteral(":z"), QString::fromLatin1(c[1]).toInt())
            .bind(QStringLiteral(":s"), QString::fromLatin1(c[2]))
            .bind(QStringLiteral(":w"), QString::fromLatin1(c[3]).toInt())
            .bind(QStringLiteral(":c"), QString::fromLatin1(c[4]))
            .exec();
    boxes_ = std::make_unique<FakeMessages>();
    screen_ = std::make_unique<Tgongpiaoviewfrm>();
    screen_->show();
}

void TestCouponPreview::cleanup()
{
    screen_.reset();
    boxes_.reset();
    Connection::main().close();
}

void TestCouponPreview::layLot(const QString& makeid, int bed, const QString& colour, const QList<int>& sizes)
{
    QStringList columns;
    QStringList values;
    QStringList names;
    int amount = 0;
    for (int k = 0; k < sizes.size(); ++k) {
        columns << QStringLiteral("s%1").arg(k + 1);
        values << QString::number(sizes[k]);
        names << (QStringList{"S", "M", "L", "XL", "2XL", "3XL", "4XL", "5XL"}).at(k);
        amount += sizes[k];
    }
    Query(QStringLiteral("INSERT INTO work(makeid, bed, color, %1, amount) VALUES(:m, :b, :c, %2, :a)")
              .arg(columns.join(u','), values.join(u',')))
        .bind(QStringLiteral(":m"), makeid)
        .bind(QStringLiteral(":b"), bed)
        .bind(QStringLiteral(":c"), colour)
        .bind(QStringLiteral(":a"), amount)
        .exec();
    procs::generateLot(Connection::main(), makeid, names, bed);
}

const QStringList& TestCouponPreview::captions()
{
    static const QStringList list{"制单号", "颜色", "床次", "扎号", "码数", "数量", "工序"};
    return list;
}

QStringList TestCouponPreview::rowsOf(const Page& page)
{
    // Table cells are the plain 9 pt texts; captions are bold, the title and page number larger
    // or smaller.
    QStringList cells;
    for (const Item& item : page.items)
        if (item.kind == Item::Text && item.style.pointSize == 9 && !item.style.bold)
            cells << item.text;
    QStringList rows;
    for (int i = 0; i + int(captions().size()) <= cells.size(); i += int(captions().size()))
        rows << cells.mid(i, captions().size()).join(u'|');
    return rows;
}

QStringList TestCouponPreview::rowsOf(const Document& doc)
{
    QStringList rows;
    for (const Page& page : doc.pages)
        rows << rowsOf(page);
    return rows;
}

void TestCouponPreview::enterShowsTheOrderName_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QString>("name");
    QTest::newRow("an order") << "K1" << "男式衬衫";
    QTest::newRow("blanks around the number") << " K2 " << "裤子";
    QTest::newRow("no such order") << "K9" << "";
}

void TestCouponPreview::enterShowsTheOrderName()
{
    QFETCH(QString, makeid);
    QFETCH(QString, name);
    screen_->nameBox()->setText(QStringLiteral("上一个"));
    screen_->makeidBox()->setText(makeid);
    QTest::keyClick(screen_->makeidBox(), Qt::Key_Return);
    QCOMPARE(screen_->nameBox()->text(), name);
    QCOMPARE(boxes_->texts(), QStringList());
}

void TestCouponPreview::refusedWithoutAnOrder_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
}

void TestCouponPreview::refusedWithoutAnOrder()
{
    QFETCH(QString, makeid);
    screen_->makeidBox()->setText(makeid);
    screen_->button(QStringLiteral("确定"))->click();
    QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("请填写需要预览的制单号")});
    QCOMPARE(boxes_->shown.first().caption, QStringLiteral("信息提示"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCouponPreview::rowsFollowBundleSizeProcessAndLot_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("bundle order, not lot order") << "K1"
                                                 << QStringList{"K1|红|2|1|S|10|1", "K1|红|2|1|S|10|2",
                                                                "K1|红|2|2|M|6|1",  "K1|红|2|2|M|6|2",
                                                                "K1|白|1|3|S|4|1",  "K1|白|1|3|S|4|2"};
    QTest::newRow("rows written out of order") << "K3"
                                               << QStringList{"K3|灰|1|1|S|5|1", "K3|灰|1|1|S|5|2",
                                                              "K3|灰|1|2|M|5|1", "K3|灰|1|2|M|5|2",
                                                              "K3|灰|2|3|S|5|1", "K3|灰|2|3|S|5|2"};
    QTest::newRow("only the order's own coupons") << "K2" << QStringList{"K2|红|1|1|S|7|1"};
    QTest::newRow("an order without coupons") << "K9" << QStringList{};
}

void TestCouponPreview::rowsFollowBundleSizeProcessAndLot()
{
    QFETCH(QString, makeid);
    QFETCH(QStringList, rows);
    screen_->makeidBox()->setText(makeid);
    const Document doc = screen_->couponDocument();
    QCOMPARE(rowsOf(doc), rows);
    QCOMPARE(doc.pages.size(), 1);
    // The captions head the table, and the table is boxed.
    QStringList heads;
    for (const Item& item : doc.pages[0].items)
        if (item.kind == Item::Text && item.style.bold && item.style.pointSize == 9)
            heads << item.text;
    QCOMPARE(heads, captions());
    int boxes = 0;
    for (const Item& item : doc.pages[0].items)
        boxes += item.kind == Item::Box ? 1 : 0;
    QCOMPARE(boxes, 1);
}

void TestCouponPreview::titleAndLetterLandscapePage()
{
    screen_->makeidBox()->setText(QStringLiteral("K1"));
    const Document doc = screen_->couponDocument();
    QCOMPARE(doc.title, QStringLiteral("工票预览"));
    QCOMPARE(doc.paperMm, QSizeF(279.4, 215.9));
    const Page& page = doc.pages.first();
    const Item* title = nullptr;
    for (const Item& item : page.items)
        if (item.kind == Item::Text && item.text == QStringLiteral("工票预览"))
            title = &item;
    QVERIFY(title);
    QCOMPARE(title->style.pointSize, 20.0);
    // Everything stays within 6.35 mm of the paper's edges; the box spans the width between them.
    for (const Item& item : page.items) {
        const QRectF r = item.rect.normalized();
        QVERIFY2(r.left() >= 6.35 - 1e-6 && r.right() <= 279.4 - 6.35 + 1e-6, qPrintable(item.text));
        QVERIFY2(r.top() >= 6.35 - 1e-6 && r.bottom() <= 215.9 - 6.35 + 1e-6, qPrintable(item.text));
    }
    for (const Item& item : page.items)
        if (item.kind == Item::Box) {
            QCOMPARE(item.rect.left(), 6.35);
            QCOMPARE(item.rect.right(), 279.4 - 6.35);
        }
    QCOMPARE(title->rect.top(), 6.35);
}

void TestCouponPreview::longListRunsOverPages()
{
    // 24 bundles of 3 processes: more coupons than one page holds.
    for (int bed = 1; bed <= 3; ++bed)
        layLot(QStringLiteral("K5"), bed, QStringLiteral("色%1").arg(bed), {1, 2, 3, 4, 5, 6, 7, 8});
    screen_->makeidBox()->setText(QStringLiteral("K5"));
    const Document doc = screen_->couponDocument();
    QVERIFY(doc.pages.size() > 1);
    QStringList expected;
    for (int bundle = 1; bundle <= 24; ++bundle)
        for (int process = 1; process <= 3; ++process)
            expected << QStringLiteral("%1|%2").arg(bundle).arg(process);
    QStringList bundleAndProcess;
    for (const QString& row : rowsOf(doc)) {
        const QStringList cells = row.split(u'|');
        bundleAndProcess << cells[3] + u'|' + cells[6];
    }
    QCOMPARE(bundleAndProcess, expected);
    // Every page repeats the captions and boxes its own rows.
    for (const Page& page : doc.pages) {
        QStringList heads;
        int boxes = 0;
        for (const Item& item : page.items) {
            if (item.kind == Item::Text && item.style.bold && item.style.pointSize == 9)
                heads << item.text;
            boxes += item.kind == Item::Box ? 1 : 0;
        }
        QCOMPARE(heads, captions());
        QCOMPARE(boxes, 1);
        QVERIFY(!rowsOf(page).isEmpty());
    }
}

void TestCouponPreview::savedAsPdfOnLetterLandscape()
{
    screen_->makeidBox()->setText(QStringLiteral("K1"));
    const QString path = QDir(testdb::scratchDir()).filePath(QStringLiteral("coupons-%1.pdf").arg(testdb::currentEngine()));
    QString error;
    QVERIFY2(report::writePdf(screen_->couponDocument(), path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    // Letter in landscape: 11 × 8.5 inches, 792 × 612 points.
    const qsizetype box = pdf.indexOf("/MediaBox");
    QVERIFY(box >= 0);
    const qsizetype open = pdf.indexOf('[', box);
    const QList<QByteArray> corners = pdf.mid(open + 1, pdf.indexOf(']', open) - open - 1).simplified().split(' ');
    QCOMPARE(corners.size(), 4);
    QVERIFY(qAbs(corners[2].toDouble() - 792) < 0.5);
    QVERIFY(qAbs(corners[3].toDouble() - 612) < 0.5);
}

void TestCouponPreview::okPreviewsTheOrder()
{
    screen_->makeidBox()->setText(QStringLiteral("K1"));
    // The preview is modal: note what it shows, then close it.
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
        if (QWidget* preview = QApplication::activeModalWidget()) {
            shown = preview->windowTitle();
            preview->close();
        }
    });
    screen_->btnokClick();
    QCOMPARE(shown, QStringLiteral("工票预览"));
    QCOMPARE(boxes_->texts(), QStringList());
}

QTEST_MAIN(TestCouponPreview)
#include "tst_gongpiaoview.moc"
