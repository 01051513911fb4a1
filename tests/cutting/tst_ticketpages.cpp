// Ticket strips end to end, without a database: the page assembly from the two print tables,
// where the four layouts put their fields when a page is drawn, and the printed barcodes read
// back with a real decoder (zxing-cpp) from pages rendered at thermal printer resolutions.

#define ZX_USE_UTF8  // Result::text() as UTF-8
#include <ZXing/ReadBarcode.h>

#include "common/barcode.h"
#include "common/output.h"
#include "common/page.h"
#include "cutting/ticketassembly.h"
#include "cutting/lasersheet.h"
#include "cutting/ticketlayout.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>

using tickets::Column;
using tickets::Coupon;
using tickets::Layout;
using tickets::Mode;
using tickets::TicketPage;

using Table = QList<Coupon>;

Q_DECLARE_METATYPE(tickets::Layout)
Q_DECLARE_METATYPE(tickets::Mode)
Q_DECLARE_METATYPE(tickets::Coupon)

namespace {

// ---------------------------------------------------------------------------------------------
// Print tables

// Barcodes are unique over the whole program, like the coupons' barcodes in the database.
int barcodeSerial = 1000;

Coupon makeCoupon(const QString& makeid, int bed, int zhahao, int workid, const QString& barcode = {})
{
    Coupon c;
    c.makeid = makeid;
    c.bed = bed;
    c.zhahao = zhahao;
    c.workid = workid;
    c.barcode = barcode.isEmpty() ? QStringLiteral("%1").arg(++barcodeSerial, 7, 10, QLatin1Char('0')) : barcode;
    c.sizename = QStringLiteral("XL");
    c.amount = QStringLiteral("25");
    c.color = QStringLiteral("藏青");
    return c;
}

// The coupons of one bundle, processes 1..count, in print order.
Table bundle(int zhahao, int count, const QString& makeid = QStringLiteral("A2301"))
{
    Table t;
    for (int p = 1; p <= count; ++p)
        t << makeCoupon(makeid, 3, zhahao, p);
    return t;
}

struct Tables {
    Table left, right;
};

// Lining mode: the bundles split into halves by bundle number, the left half with the extra one.
Tables lining(const QList<Table>& bundles)
{
    Tables t;
    if (bundles.isEmpty())
        return t;
    int lo = INT_MAX, hi = INT_MIN;
    for (const Table& b : bundles) {
        lo = std::min(lo, b.first().zhahao);
        hi = std::max(hi, b.first().zhahao);
    }
    const int mid = lo + (hi - lo) / 2;
    for (const Table& b : bundles)
        (b.first().zhahao <= mid ? t.left : t.right) << b;
    return t;
}

// Shell mode: within each bundle the 1st, 3rd, 5th … coupon on the left, the others on the right.
Tables shell(const QList<Table>& bundles)
{
    Tables t;
    for (const Table& b : bundles)
        for (int i = 0; i < b.size(); ++i)
            (i % 2 == 0 ? t.left : t.right) << b[i];
    return t;
}

// Bundles numbered from `first`, with these coupon counts.
QList<Table> bundles(const QList<int>& counts, int first = 1)
{
    QList<Table> list;
    for (int i = 0; i < counts.size(); ++i)
        list << bundle(first + i, counts[i]);
    return list;
}

// A coupon as one line of all its fields, to compare coupons and tables.
QString contents(const Coupon& c)
{
    return QStringList{c.makeid, QString::number(c.bed), QString::number(c.zhahao), c.barcode, c.sizename,
                       c.amount, c.color, QString::number(c.workid), c.chbed}
        .join(QLatin1Char('/'));
}

QStringList contents(const Table& t)
{
    QStringList list;
    for (const Coupon& c : t)
        list << contents(c);
    return list;
}

QList<TicketPage> runAll(tickets::Assembler& assembler)
{
    QList<TicketPage> pages;
    TicketPage page;
    while (assembler.next(&page)) {
        pages << page;
        if (pages.size() > 1000)  // a run that never ends
            break;
    }
    return pages;
}

QList<TicketPage> run(const Table& left, const Table& right, int limit, Mode mode = Mode::Lining,
                      tickets::SegmentLookup lookup = {})
{
    tickets::Assembler assembler(left, right, limit, mode, std::move(lookup));
    return runAll(assembler);
}

// The page count a print screen asks for: per column bundles × ⌈largest bundle / 4⌉, the larger.
int screenPageCount(const Table& left, const Table& right)
{
    auto forColumn = [](const Table& t) {
        std::map<std::pair<QString, int>, int> perBundle;
        for (const Coupon& c : t)
            ++perBundle[{c.makeid, c.zhahao}];
        int largest = 0;
        for (const auto& [key, n] : perBundle)
            largest = std::max(largest, n);
        return tickets::pagesFor(int(perBundle.size()), largest);
    };
    return std::max(forColumn(left), forColumn(right));
}

// "12: 1 2 - -": the stub's bundle and the process of each coupon row, "-" for a filler;
// "none" when the column has no stub.
QString describe(const Column& c)
{
    QString s = c.stub ? c.stub->bundleText() : QStringLiteral("none");
    s += QLatin1Char(':');
    for (const auto& row : c.rows)
        s += QLatin1Char(' ') + (row ? QString::number(row->workid) : QStringLiteral("-"));
    return s;
}

QString describe(const QList<TicketPage>& pages)
{
    QStringList list;
    for (const TicketPage& p : pages)
        list << describe(p.left) + QStringLiteral(" | ") + describe(p.right);
    return list.join(QStringLiteral(" / "));
}

// A full page with distinct values in every field, so that a drawn text names its field.
TicketPage samplePage(const QString& segment = QStringLiteral("前段"))
{
    TicketPage page;
    for (int r = 0; r < tickets::kCouponRows; ++r) {
        Coupon l = makeCoupon(QStringLiteral("A1001"), 6, 12, 21 + r, QStringLiteral("000122%1").arg(r + 1));
        l.sizename = QStringLiteral("XL");
        l.amount = QStringLiteral("25");
        l.color = QStringLiteral("红色");
        Coupon rt = makeCoupon(QStringLiteral("B2002"), 7, 47, 31 + r, QStringLiteral("999993%1").arg(r + 1));
        rt.sizename = QStringLiteral("M");
        rt.amount = QStringLiteral("30");
        rt.color = QStringLiteral("蓝色");
        page.left.rows[r] = l;
        page.right.rows[r] = rt;
    }
    page.left.stub = page.left.rows[0];
    page.right.stub = page.right.rows[0];
    page.segment = segment;
    return page;
}

// ---------------------------------------------------------------------------------------------
// What a page really draws: a paint device whose engine records every text item (the top-left
// corner of its text box, from the baseline QPainter chose minus the ascent the layouts are designed
// for, 宋体's 0.859 em, whatever font was found) and every filled rectangle (the barcode bars), both in millimetres. This measures the
// drawing itself rather than the item rects, and needs no glyph side bearings or ink guesses.

struct DrawnText {
    QPointF topLeft;  // mm
    QString text;
    QFont font;
};

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(double dotsPerMm) : QPaintEngine(QPaintEngine::AllFeatures), dotsPerMm_(dotsPerMm) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const double em = item.font().pointSizeF() * dotsPerMm_ * 25.4 / 72;
        texts.append({QPointF(p.x(), p.y() - 0.859 * em) / dotsPerMm_, item.text(), item.font()});
    }
    void drawRects(const QRectF* drawn, int count) override
    {
        for (int i = 0; i < count; ++i)
            rects.append(QRectF(drawn[i].topLeft() / dotsPerMm_, drawn[i].size() / dotsPerMm_));
    }
    void drawRects(const QRect* drawn, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r(drawn[i]);
            drawRects(&r, 1);
        }
    }

    QList<DrawnText> texts;
    QList<QRectF> rects;

private:
    double dotsPerMm_;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(QSizeF paperMm, double dpi) : engine_(dpi / 25.4), paperMm_(paperMm), dpi_(dpi) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    RecordingEngine& engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return int(std::ceil(paperMm_.width() * dpi_ / 25.4));
        case PdmHeight:
            return int(std::ceil(paperMm_.height() * dpi_ / 25.4));
        case PdmWidthMM:
            return int(paperMm_.width());
        case PdmHeightMM:
            return int(paperMm_.height());
        case PdmNumColors:
            return 256;
        case PdmDepth:
            return 8;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return int(dpi_);
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine engine_;
    QSizeF paperMm_;
    double dpi_;
};

struct Drawn {
    QList<DrawnText> texts;
    QList<QRectF> rects;
};

constexpr double kRecordDpi = 300;

Drawn record(const report::Page& page, Layout layout)
{
    RecordingDevice device(tickets::paperFor(layout), kRecordDpi);
    {
        QPainter painter(&device);
        report::renderPage(page, painter, kRecordDpi / 25.4, kRecordDpi / 25.4);
    }
    return {device.engine().texts, device.engine().rects};
}

// A drawn barcode: its bars grouped back into one symbol.
struct DrawnSymbol {
    QRectF bars;        // from the first bar's left to the last bar's right, mm
    double moduleMm = 0;
    QList<barcode::Bar> pattern;  // in modules from the first bar
};

QList<DrawnSymbol> symbols(QList<QRectF> rects)
{
    std::sort(rects.begin(), rects.end(), [](const QRectF& a, const QRectF& b) {
        return std::abs(a.top() - b.top()) > 1e-6 ? a.top() < b.top() : a.left() < b.left();
    });
    QList<QList<QRectF>> groups;
    for (const QRectF& r : rects) {
        // A symbol's bars share their top and lie at most a few modules apart.
        if (!groups.isEmpty() && std::abs(groups.last().last().top() - r.top()) < 1e-6 &&
            r.left() - groups.last().last().right() < 2.0)
            groups.last() << r;
        else
            groups << QList<QRectF>{r};
    }
    QList<DrawnSymbol> result;
    for (const QList<QRectF>& g : groups) {
        DrawnSymbol s;
        s.bars = QRectF(QPointF(g.first().left(), g.first().top()), QPointF(g.last().right(), g.first().bottom()));
        s.moduleMm = g.first().width();
        for (const QRectF& r : g)
            s.moduleMm = std::min(s.moduleMm, r.width());
        for (const QRectF& r : g)
            s.pattern.append({int(std::lround((r.left() - g.first().left()) / s.moduleMm)),
                              int(std::lround(r.width() / s.moduleMm))});
        result << s;
    }
    return result;
}

bool sameBars(const QList<barcode::Bar>& a, const QList<barcode::Bar>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const barcode::Bar& x, const barcode::Bar& y) { return x.start == y.start && x.width == y.width; });
}

// ---------------------------------------------------------------------------------------------
// Rendering and decoding

QImage rasterise(const report::Page& page, QSizeF paperMm, double dpi)
{
    const double dotsPerMm = dpi / 25.4;
    QImage image(int(std::ceil(paperMm.width() * dotsPerMm)), int(std::ceil(paperMm.height() * dotsPerMm)),
                 QImage::Format_Grayscale8);
    // The image's resolution is the printer's, so point sizes of fonts come out as printed.
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    report::renderPage(page, painter, dotsPerMm, dotsPerMm);
    return image;
}

report::Page withItems(const report::Page& page, const std::function<bool(const report::Item&)>& keep)
{
    report::Page result;
    for (const report::Item& item : page.items)
        if (keep(item))
            result.items << item;
    return result;
}

constexpr int kInk = 160;  // darker than this is ink (anti-aliased glyph edges included)

QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (line[x] < kInk)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

bool blank(const QImage& image, const QRect& area)
{
    const QRect a = area & image.rect();
    for (int y = a.top(); y <= a.bottom(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = a.left(); x <= a.right(); ++x)
            if (line[x] < kInk)
                return false;
    }
    return true;
}

// Lengths of the alternating bar and space runs along one scan line, from the first bar to the last.
QList<int> runs(const QImage& image, int y, int from, int to)
{
    QList<int> list;
    const uchar* line = image.constScanLine(y);
    bool dark = true;
    int length = 0;
    for (int x = from; x <= to; ++x) {
        if ((line[x] < kInk) == dark) {
            ++length;
        } else {
            list << length;
            dark = !dark;
            length = 1;
        }
    }
    list << length;
    return list;
}

QStringList decode(const QImage& image, const QRect& area = {})
{
    const QRect a = area.isNull() ? image.rect() : area & image.rect();
    const ZXing::ImageView view(image.constScanLine(a.top()) + a.left(), a.width(), a.height(),
                                ZXing::ImageFormat::Lum, int(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128);
    hints.setTryRotate(false);
    // One resolution only: results of a downscaled copy would be compared with those of the
    // full image, which this zxing build asserts against.
    hints.setTryDownscale(false);
    QStringList texts;
    for (const ZXing::Result& r : ZXing::ReadBarcodes(view, hints))
        if (r.isValid())
            texts << QString::fromStdString(r.text());
    return texts;
}

// Coupon rows of a drawn page: left column when x < 105 mm; row 1..4 by the field's y (the rows
// are 12.5 mm or more apart and every field lies within 7 mm of its row's top).
int sideOf(const report::Item& item)
{
    return item.rect.x() < 105 ? 0 : 1;
}
int rowOf(const report::Item& item)
{
    return int(item.rect.y() / 12.5);
}

QString expectedBarcode(const TicketPage& page, int side, int row)
{
    const auto& c = (side == 0 ? page.left : page.right).rows[row];
    return c ? c->barcode : tickets::kFiller;
}

QString layoutName(Layout layout)
{
    switch (layout) {
    case Layout::Plain:
        return QStringLiteral("plain");
    case Layout::Barcode:
        return QStringLiteral("barcode");
    case Layout::LotBarcode:
        return QStringLiteral("lot barcode");
    case Layout::Continuous:
        break;
    }
    return QStringLiteral("continuous");
}

const QList<Layout> kLayouts = {Layout::Plain, Layout::Barcode, Layout::LotBarcode, Layout::Continuous};

}  // namespace

// =============================================================================================

class TestTicketPages : public QObject {
    Q_OBJECT
private slots:
    // Page assembly (tickets::Assembler)
    void assembly_data();
    void assembly();
    void everyCouponOnce_data();
    void everyCouponOnce();
    void segmentFollowsTheModesColumn_data();
    void segmentFollowsTheModesColumn();
    void fillersShowZeroEverywhere_data();
    void fillersShowZeroEverywhere();
    void bundleLabelReplacesTheNumber_data();
    void bundleLabelReplacesTheNumber();

    // Drawn field positions
    void paper_data();
    void paper();
    void fieldPositions_data();
    void fieldPositions();
    void drawnFieldsOnly_data();
    void drawnFieldsOnly();

    // Printed barcodes read back
    void barcodesReadBack_data();
    void barcodesReadBack();
    void barcodesStandClear_data() { barcodesReadBack_data(); }
    void laserSheetReadsBack_data();
    void laserSheetReadsBack();
    void barcodesStandClear();
    void plainLayoutHasNoVisibleBarcode_data();
    void plainLayoutHasNoVisibleBarcode();
};

// ---------------------------------------------------------------------------------------------
// Page assembly

void TestTicketPages::assembly_data()
{
    QTest::addColumn<Table>("left");
    QTest::addColumn<Table>("right");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("expected");

    const Tables lining1to9 = lining(bundles({3, 3, 3, 3, 3, 3, 3, 3, 3}));
    const QString lining1to9Pages = QStringLiteral(
        "1: 1 2 3 - | 6: 1 2 3 - / 2: 1 2 3 - | 7: 1 2 3 - / 3: 1 2 3 - | 8: 1 2 3 - / "
        "4: 1 2 3 - | 9: 1 2 3 - / 5: 1 2 3 - | 9: - - - -");

    QTest::newRow("bundle of 6: four coupons, then two and two fillers")
        << bundle(12, 6) << Table() << Mode::Lining << 10
        << QStringLiteral("12: 1 2 3 4 | none: - - - - / 12: 5 6 - - | none: - - - -");
    QTest::newRow("lining 1..9: the right column repeats bundle 9 with fillers")
        << lining1to9.left << lining1to9.right << Mode::Lining << 100 << lining1to9Pages;
    QTest::newRow("the page limit stops the run")
        << lining1to9.left << lining1to9.right << Mode::Lining << 2
        << QStringLiteral("1: 1 2 3 - | 6: 1 2 3 - / 2: 1 2 3 - | 7: 1 2 3 -");
    QTest::newRow("a limit of 0 prints nothing") << lining1to9.left << lining1to9.right << Mode::Lining << 0 << QString();
    {
        const Tables t = shell(bundles({3}, 7));
        QTest::newRow("shell, bundle of 3: processes 1 and 3 left, 2 right, one page")
            << t.left << t.right << Mode::Shell << 10 << QStringLiteral("7: 1 3 - - | 7: 2 - - -");
    }
    {
        const Tables t = shell(bundles({5, 5}));
        QTest::newRow("shell, odd process count: nothing lost at the columns' ends")
            << t.left << t.right << Mode::Shell << 10
            << QStringLiteral("1: 1 3 5 - | 1: 2 4 - - / 2: 1 3 5 - | 2: 2 4 - -");
    }
    {
        const Tables t = shell(bundles({9}));
        QTest::newRow("shell, bundle of 9: the left column needs a second page")
            << t.left << t.right << Mode::Shell << 10
            << QStringLiteral("1: 1 3 5 7 | 1: 2 4 6 8 / 1: 9 - - - | 1: - - - -");
    }
    QTest::newRow("both columns finished end the run before the limit")
        << bundle(1, 2) << bundle(2, 5) << Mode::Lining << 50
        << QStringLiteral("1: 1 2 - - | 2: 1 2 3 4 / 1: - - - - | 2: 5 - - -");
    QTest::newRow("empty left table") << Table() << bundle(4, 3) << Mode::Lining << 10
                                      << QStringLiteral("none: - - - - | 4: 1 2 3 -");
    QTest::newRow("both tables empty") << Table() << Table() << Mode::Lining << 10 << QString();
    QTest::newRow("a column never mixes bundles")
        << (bundle(3, 2) + bundle(4, 5)) << Table() << Mode::Lining << 10
        << QStringLiteral("3: 1 2 - - | none: - - - - / 4: 1 2 3 4 | none: - - - - / 4: 5 - - - | none: - - - -");
    QTest::newRow("the same bundle number of another order is another bundle")
        << (bundle(1, 2, QStringLiteral("A2301")) + bundle(1, 2, QStringLiteral("A2302"))) << Table()
        << Mode::Lining << 10 << QStringLiteral("1: 1 2 - - | none: - - - - / 1: 1 2 - - | none: - - - -");
    {
        // A label is written to every coupon of one bundle; two bundles with the same label
        // are still two bundles and never share a column.
        Table t = bundle(1, 2) + bundle(2, 2);
        for (Coupon& c : t)
            c.chbed = QStringLiteral("甲");
        QTest::newRow("two bundles with the same label print apart")
            << t << Table() << Mode::Lining << 10 << QStringLiteral("甲: 1 2 - - | none: - - - - / 甲: 1 2 - - | none: - - - -");
    }
}

void TestTicketPages::assembly()
{
    QFETCH(Table, left);
    QFETCH(Table, right);
    QFETCH(Mode, mode);
    QFETCH(int, limit);
    QFETCH(QString, expected);

    tickets::Assembler assembler(left, right, limit, mode);
    const QList<TicketPage> pages = runAll(assembler);
    QCOMPARE(describe(pages), expected);
    QCOMPARE(assembler.pagesDone(), int(pages.size()));
    TicketPage page;
    QVERIFY2(!assembler.next(&page), "a finished run stays finished");
    QCOMPARE(assembler.pagesDone(), int(pages.size()));

    // The coupons shown are the tables' own rows, not just rows with the right process number.
    const QStringList all = contents(left) + contents(right);
    for (const TicketPage& p : pages)
        for (const Column* c : {&p.left, &p.right})
            for (const auto& row : c->rows)
                if (row)
                    QVERIFY2(all.contains(contents(*row)), qPrintable(contents(*row)));
}

void TestTicketPages::everyCouponOnce_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QList<int>>("counts");  // coupons of each bundle, bundles numbered from 1

    QTest::newRow("lining, 9 bundles of 3") << Mode::Lining << QList<int>{3, 3, 3, 3, 3, 3, 3, 3, 3};
    QTest::newRow("lining, one bundle of 6") << Mode::Lining << QList<int>{6};
    QTest::newRow("lining, 2 bundles of 13") << Mode::Lining << QList<int>{13, 13};
    QTest::newRow("lining, 10 bundles of 4") << Mode::Lining << QList<int>(10, 4);
    QTest::newRow("lining, bundles of different sizes") << Mode::Lining << QList<int>{5, 2, 8, 1, 4, 9, 3};
    QTest::newRow("shell, 5 bundles of 7 (odd)") << Mode::Shell << QList<int>{7, 7, 7, 7, 7};
    QTest::newRow("shell, bundles of 1: the right table is empty") << Mode::Shell << QList<int>{1, 1, 1, 1};
    QTest::newRow("shell, 3 bundles of 9") << Mode::Shell << QList<int>{9, 9, 9};
    QTest::newRow("shell, bundles of different sizes") << Mode::Shell << QList<int>{3, 6, 1, 11, 2};
}

// Over all pages of a run as long as the screen asks for, every coupon of both tables appears
// exactly once, in its column, in table order; a column's coupons always belong to its stub's
// bundle and fill the rows from the top; the run stops as soon as both columns are done.
void TestTicketPages::everyCouponOnce()
{
    QFETCH(Mode, mode);
    QFETCH(QList<int>, counts);
    const Tables t = mode == Mode::Lining ? lining(bundles(counts)) : shell(bundles(counts));
    const int limit = screenPageCount(t.left, t.right);

    for (const int pageLimit : {limit, limit + 50}) {
        const QList<TicketPage> pages = run(t.left, t.right, pageLimit, mode);
        for (int side = 0; side < 2; ++side) {
            const Table& table = side == 0 ? t.left : t.right;
            QStringList printed;
            int pagesWithCoupons = 0;
            for (const TicketPage& p : pages) {
                const Column& c = side == 0 ? p.left : p.right;
                QCOMPARE(c.stub.has_value(), !table.isEmpty());
                bool filler = false;
                for (const auto& row : c.rows) {
                    if (!row) {
                        filler = true;
                        continue;
                    }
                    QVERIFY2(!filler, "a coupon after a filler");
                    QCOMPARE(row->zhahao, c.stub->zhahao);
                    QCOMPARE(row->makeid, c.stub->makeid);
                    printed << contents(*row);
                }
                if (c.rows[0])
                    ++pagesWithCoupons;
            }
            QCOMPARE(printed, contents(table));  // each exactly once and in order

            // Pages the column needs: ⌈coupons / 4⌉ per bundle.
            std::map<std::pair<QString, int>, int> perBundle;
            for (const Coupon& c : table)
                ++perBundle[{c.makeid, c.zhahao}];
            int needed = 0;
            for (const auto& [key, n] : perBundle)
                needed += (n + tickets::kCouponRows - 1) / tickets::kCouponRows;
            QCOMPARE(pagesWithCoupons, needed);
        }
        int needed = 0;
        for (const TicketPage& p : pages)
            if (p.left.rows[0] || p.right.rows[0])
                ++needed;
        QCOMPARE(int(pages.size()), needed);  // no page of fillers only
    }
}

void TestTicketPages::segmentFollowsTheModesColumn_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<int>("leftProcess");
    QTest::addColumn<int>("rightProcess");
    QTest::addColumn<bool>("withLookup");
    QTest::addColumn<QString>("expected");

    // The lookup names processes 1..4 "裁前段" and 5..8 "车缝段"; nothing beyond.
    QTest::newRow("lining follows the left") << Mode::Lining << 2 << 6 << true << QStringLiteral("裁前段");
    QTest::newRow("shell follows the right") << Mode::Shell << 2 << 6 << true << QStringLiteral("车缝段");
    QTest::newRow("lining, no segment for the left's process") << Mode::Lining << 11 << 6 << true << QString();
    QTest::newRow("shell, no segment for the right's process") << Mode::Shell << 2 << 11 << true << QString();
    QTest::newRow("no lookup") << Mode::Lining << 2 << 6 << false << QString();
    // rightProcess 0: the right column holds fillers only; the page's own coupons still name it.
    QTest::newRow("shell, right column of fillers") << Mode::Shell << 2 << 0 << true << QStringLiteral("裁前段");
}

void TestTicketPages::segmentFollowsTheModesColumn()
{
    QFETCH(Mode, mode);
    QFETCH(int, leftProcess);
    QFETCH(int, rightProcess);
    QFETCH(bool, withLookup);
    QFETCH(QString, expected);

    tickets::SegmentLookup lookup;
    if (withLookup)
        lookup = [](int workid) {
            if (workid >= 1 && workid <= 4)
                return QStringLiteral("裁前段");
            if (workid >= 5 && workid <= 8)
                return QStringLiteral("车缝段");
            return QString();
        };
    const Table left = {makeCoupon(QStringLiteral("A2301"), 3, 1, leftProcess)};
    const Table right = rightProcess > 0 ? Table{makeCoupon(QStringLiteral("A2301"), 3, 2, rightProcess)} : Table{};
    const QList<TicketPage> pages = run(left, right, 5, mode, lookup);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0].segment, expected);

    // Drawn: both segment fields show the name, or neither is drawn; the continuous layout has none.
    for (const Layout layout : kLayouts) {
        const Drawn drawn = record(tickets::drawPage(pages[0], layout), layout);
        int shown = 0;
        for (const DrawnText& t : drawn.texts)
            if (t.text == QStringLiteral("裁前段") || t.text == QStringLiteral("车缝段")) {
                QCOMPARE(t.text, expected);
                ++shown;
            }
        const int fields = layout == Layout::Continuous ? 0 : 2;
        QVERIFY2(shown == (expected.isEmpty() ? 0 : fields), qPrintable(layoutName(layout)));
    }
}

void TestTicketPages::fillersShowZeroEverywhere_data()
{
    QTest::addColumn<Layout>("layout");
    for (const Layout layout : kLayouts)
        QTest::newRow(qPrintable(layoutName(layout))) << layout;
}

// The second page of a bundle of 6 coupons, with an empty right table: every field of a filler
// row shows "0", its barcode item included; the coupon rows show their own coupons.
void TestTicketPages::fillersShowZeroEverywhere()
{
    QFETCH(Layout, layout);
    Table six = bundle(12, 6);
    for (Coupon& c : six) {
        c.amount = QStringLiteral("33");
        c.bed = 5;
    }
    const QList<TicketPage> pages = run(six, {}, 10);
    QCOMPARE(pages.size(), 2);
    const report::Page page = tickets::drawPage(pages[1], layout);

    QMap<std::pair<int, int>, QStringList> cellTexts;  // (side, row) → texts of its coupon fields
    QMap<std::pair<int, int>, QStringList> cellBarcodes;
    for (const report::Item& item : page.items) {
        // Stub fields lie left of 12 mm (left column) or between 105 and 122 mm (right column);
        // the segment names are not filled here.
        const bool stub = item.rect.x() < 12 || (item.rect.x() > 105 && item.rect.x() < 122);
        if (stub)
            continue;
        const std::pair<int, int> cell{sideOf(item), rowOf(item)};
        (item.kind == report::Item::Barcode ? cellBarcodes : cellTexts)[cell] << item.text;
    }
    QCOMPARE(cellTexts.size(), 8);
    for (int side = 0; side < 2; ++side)
        for (int row = 0; row < tickets::kCouponRows; ++row) {
            const std::pair<int, int> cell{side, row};
            QCOMPARE(cellBarcodes[cell], QStringList{expectedBarcode(pages[1], side, row)});
            const bool filler = side == 1 || row >= 2;
            if (filler) {
                QCOMPARE(cellTexts[cell], QStringList(cellTexts[cell].size(), tickets::kFiller));
            } else {
                const Coupon& c = *pages[1].left.rows[row];
                QVERIFY(cellTexts[cell].contains(QString::number(c.workid)));
                QVERIFY(cellTexts[cell].contains(QStringLiteral("33")));
                QVERIFY(cellTexts[cell].contains(QStringLiteral("12")));
                QVERIFY(!cellTexts[cell].contains(tickets::kFiller));
            }
        }
    // The filler barcodes are printed too (not in the plain layout, where no barcode is drawn).
    const Drawn drawn = record(page, layout);
    QCOMPARE(symbols(drawn.rects).size(), layout == Layout::Plain ? 0 : 8);
}

void TestTicketPages::bundleLabelReplacesTheNumber_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("chbed");
    QTest::addColumn<QString>("shown");
    for (const Layout layout : kLayouts) {
        const QString name = layoutName(layout);
        QTest::newRow(qPrintable(name + QStringLiteral(": label"))) << layout << QStringLiteral("十二扎") << QStringLiteral("十二扎");
        QTest::newRow(qPrintable(name + QStringLiteral(": label with blanks")))
            << layout << QStringLiteral(" B-12 ") << QStringLiteral("B-12");
        QTest::newRow(qPrintable(name + QStringLiteral(": blank label"))) << layout << QStringLiteral("   ") << QStringLiteral("812");
        QTest::newRow(qPrintable(name + QStringLiteral(": no label"))) << layout << QString() << QStringLiteral("812");
    }
}

// The drawn page shows the bundle's label (or its number) in the stub and on every coupon.
void TestTicketPages::bundleLabelReplacesTheNumber()
{
    QFETCH(Layout, layout);
    QFETCH(QString, chbed);
    QFETCH(QString, shown);
    Table t = bundle(812, 3);
    for (Coupon& c : t)
        c.chbed = chbed;
    const QList<TicketPage> pages = run(t, {}, 10);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0].left.stub->bundleText(), shown);

    const Drawn drawn = record(tickets::drawPage(pages[0], layout), layout);
    int count = 0;
    for (const DrawnText& d : drawn.texts) {
        QVERIFY2(d.text != QStringLiteral("812") || shown == QStringLiteral("812"), "the number instead of the label");
        if (d.text == shown)
            ++count;
    }
    QCOMPARE(count, 1 + 3);  // the stub and each of the three coupons
}

// ---------------------------------------------------------------------------------------------
// Drawn field positions

void TestTicketPages::paper_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QSizeF>("paper");
    QTest::newRow("plain") << Layout::Plain << QSizeF(210, 50.8);
    QTest::newRow("barcode") << Layout::Barcode << QSizeF(210, 50.8);
    QTest::newRow("lot barcode") << Layout::LotBarcode << QSizeF(210, 50.8);
    QTest::newRow("continuous") << Layout::Continuous << QSizeF(210, 51.0);
}

// The paper, and every drawn text and bar on it.
void TestTicketPages::paper()
{
    QFETCH(Layout, layout);
    QFETCH(QSizeF, paper);
    QCOMPARE(tickets::paperFor(layout), paper);
    const Drawn drawn = record(tickets::drawPage(samplePage(), layout), layout);
    for (const DrawnText& t : drawn.texts) {
        QVERIFY2(t.topLeft.x() >= -0.01 && t.topLeft.y() >= -0.01, qPrintable(t.text));
        const double bottom = t.topLeft.y() + t.font.pointSizeF() * 25.4 / 72;
        QVERIFY2(bottom <= paper.height(), qPrintable(t.text));
        QVERIFY2(t.topLeft.x() < paper.width() - 3, qPrintable(t.text));
    }
    for (const QRectF& r : drawn.rects)
        QVERIFY(QRectF(QPointF(0, 0), paper).contains(r));
}

namespace {

enum class Expect { Text, Barcode, NotDrawn };

struct FieldRow {
    const char* name;
    Expect expect;
    QString text;
    double x, y;
    double points;  // for a barcode: the field's height in mm
    bool bold;
};

}  // namespace

Q_DECLARE_METATYPE(Expect)

void TestTicketPages::fieldPositions_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<Expect>("expect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");

    // The sample page: left bundle 12 of order A1001, lot 6, size XL, 25 pieces, 红色, processes
    // 21..24 with barcodes 0001221..0001224; right bundle 47 of B2002, lot 7, size M, 30 pieces,
    // 蓝色, processes 31..34 with barcodes 9999931..9999934; segment 前段.
    // The rows below row 1 may lie within ±0.5 mm of the nominal offsets.
    auto add = [](Layout layout, const FieldRow& f, double dy = 0, const char* suffix = "") {
        QTest::addRow("%s: %s%s", qPrintable(layoutName(layout)), f.name, suffix)
            << layout << f.expect << f.text << f.x << f.y + dy << (dy == 0 ? 0.3 : 0.5) << f.points << f.bold;
    };
    const Expect T = Expect::Text;

    // Plain layout
    const QList<FieldRow> plain = {
        {"left stub order", T, "A1001", 0.5, 2.6, 9, true},
        {"left stub size", T, "XL", 0.0, 12.7, 10, true},
        {"left stub colour", T, "红色", 6.6, 12.7, 10, true},
        {"left stub bundle", T, "12", 0.3, 33.3, 9, true},
        {"left stub lot", T, "6", 7.1, 33.3, 9, true},
        {"left stub quantity", T, "25", 0.5, 42.3, 10, true},
        {"right stub order", T, "B2002", 111.7, 3.4, 10, true},
        {"right stub size", T, "M", 111.4, 13.2, 10, true},
        {"right stub colour", T, "蓝色", 119.1, 13.2, 10, true},
        {"right stub bundle", T, "47", 111.7, 32.8, 10, true},
        {"right stub lot", T, "7", 118.8, 32.8, 10, true},
        {"right stub quantity", T, "30", 111.4, 42.3, 10, true},
        {"left coupon process", T, "21", 13.2, 2.4, 12, true},
        {"left coupon size", T, "XL", 29.6, 2.1, 12, true},
        {"left coupon order", T, "A1001", 38.6, 2.1, 11, true},
        {"left coupon lot", T, "6", 52.7, 2.4, 12, true},
        {"left coupon bundle", T, "12", 63.0, 2.4, 12, true},
        {"left coupon quantity", T, "25", 73.8, 2.4, 12, true},
        {"left coupon process, second copy", T, "21", 83.9, 2.4, 12, true},
        {"right coupon process", T, "31", 127.8, 2.4, 12, true},
        {"right coupon size", T, "M", 145.0, 2.1, 12, true},
        {"right coupon order", T, "B2002", 154.3, 2.1, 11, true},
        {"right coupon lot", T, "7", 167.7, 2.4, 12, true},
        {"right coupon bundle", T, "47", 180.4, 2.4, 12, true},
        {"right coupon quantity", T, "30", 189.4, 2.4, 12, true},
        {"right coupon process, second copy", T, "31", 199.2, 2.4, 12, true},
        {"left segment", T, "前段", 7.9, 22.2, 11, true},
        {"right segment", T, "前段", 120.7, 22.2, 11, true},
    };
    for (const FieldRow& f : plain)
        add(Layout::Plain, f);
    add(Layout::Plain, {"left coupon process", T, "22", 13.2, 2.4, 12, true}, 13.0, ", row 2");
    add(Layout::Plain, {"left coupon bundle", T, "12", 63.0, 2.4, 12, true}, 26.0, ", row 3");
    add(Layout::Plain, {"left coupon process", T, "23", 13.2, 2.4, 12, true}, 26.0, ", row 3");
    add(Layout::Plain, {"left coupon process", T, "24", 13.2, 2.4, 12, true}, 38.5, ", row 4");
    add(Layout::Plain, {"left coupon size", T, "XL", 29.6, 2.1, 12, true}, 38.5, ", row 4");
    add(Layout::Plain, {"right coupon process, second copy", T, "33", 199.2, 2.4, 12, true}, 26.0, ", row 3");
    add(Layout::Plain, {"right coupon order", T, "B2002", 154.3, 2.1, 11, true}, 38.5, ", row 4");
    add(Layout::Plain, {"right coupon process", T, "34", 127.8, 2.4, 12, true}, 38.5, ", row 4");

    // Barcode layout; the lot barcode layout is the same with 9 pt stubs.
    for (const Layout layout : {Layout::Barcode, Layout::LotBarcode}) {
        const double stub = layout == Layout::Barcode ? 11 : 9;
        const QList<FieldRow> fields = {
            {"left stub order", T, "A1001", 2.6, 0.5, stub, true},
            {"left stub size", T, "XL", 6.3, 3.7, stub, true},
            {"left stub bundle", T, "12", 6.6, 38.4, stub, true},
            {"left stub quantity", T, "25", 6.6, 41.8, stub, true},
            {"right stub order", T, "B2002", 105.3, 0.8, stub, true},
            {"right stub size", T, "M", 109.5, 4.2, stub, true},
            {"right stub bundle", T, "47", 110.3, 38.6, stub, true},
            {"right stub quantity", T, "30", 110.3, 42.1, stub, true},
            {"left coupon order", T, "A1001", 26.5, 0.8, 10, true},
            {"left coupon bundle", T, "12", 55.6, 0.8, 10, true},
            {"left coupon size", T, "XL", 68.0, 0.8, 10, true},
            {"left coupon quantity", T, "25", 83.6, 0.8, 10, true},
            {"left coupon process", T, "21", 93.4, 0.8, 10, true},
            {"left coupon process, second line", T, "21", 19.1, 4.2, 10, true},
            {"left coupon barcode", Expect::Barcode, "0001221", 29.6, 4.2, 3.7, false},
            {"left coupon lot (hidden)", Expect::NotDrawn, "6", 46.8, 0.8, 10, true},
            {"right coupon process, second line", T, "31", 128.3, 4.2, 10, true},
            {"right coupon order", T, "B2002", 136.3, 0.8, 10, true},
            {"right coupon barcode", Expect::Barcode, "9999931", 138.6, 4.2, 3.7, false},
            {"right coupon lot (hidden)", Expect::NotDrawn, "7", 156.4, 0.8, 10, true},
            {"right coupon bundle", T, "47", 165.1, 0.8, 10, true},
            {"right coupon size", T, "M", 178.6, 0.8, 10, true},
            {"right coupon quantity", T, "30", 190.8, 0.8, 10, true},
            {"right coupon process", T, "31", 199.0, 0.8, 10, true},
            {"left segment", T, "前段", 3.2, 27.5, 12, true},
            {"right segment", T, "前段", 106.9, 28.8, 12, true},
        };
        for (const FieldRow& f : fields)
            add(layout, f);
        add(layout, {"left coupon process", T, "22", 93.4, 0.8, 10, true}, 13.0, ", row 2");
        add(layout, {"left coupon barcode", Expect::Barcode, "0001222", 29.6, 4.2, 3.7, false}, 13.0, ", row 2");
        add(layout, {"left coupon process, second line", T, "23", 19.1, 4.2, 10, true}, 25.7, ", row 3");
        add(layout, {"right coupon barcode", Expect::Barcode, "9999933", 138.6, 4.2, 3.7, false}, 25.7, ", row 3");
        add(layout, {"left coupon barcode", Expect::Barcode, "0001224", 29.6, 4.2, 3.7, false}, 37.6, ", row 4");
        add(layout, {"right coupon bundle", T, "47", 165.1, 0.8, 10, true}, 37.6, ", row 4");
        add(layout, {"right coupon process", T, "34", 199.0, 0.8, 10, true}, 37.6, ", row 4");
    }

    // Continuous layout: the barcode layout's fields, other stub and coupon tops, 10 pt regular.
    const QList<FieldRow> continuous = {
        {"left stub order", T, "A1001", 2.6, 2.4, 10, false},
        {"left stub size", T, "XL", 6.3, 5.6, 10, false},
        {"left stub bundle", T, "12", 6.6, 40.2, 10, false},
        {"left stub quantity", T, "25", 6.6, 43.7, 10, false},
        {"right stub order", T, "B2002", 105.3, 2.4, 10, false},
        {"right stub size", T, "M", 109.5, 5.6, 10, false},
        {"right stub bundle", T, "47", 110.3, 40.2, 10, false},
        {"right stub quantity", T, "30", 110.3, 43.7, 10, false},
        {"left coupon order", T, "A1001", 26.5, 2.6, 10, false},
        {"left coupon bundle", T, "12", 53.4, 2.6, 10, false},
        {"left coupon size", T, "XL", 68.0, 2.6, 10, false},
        {"left coupon quantity", T, "25", 83.6, 2.6, 10, false},
        {"left coupon process", T, "21", 93.4, 2.6, 10, false},
        {"left coupon process, second line", T, "21", 19.1, 6.1, 10, false},
        {"left coupon barcode", Expect::Barcode, "0001221", 29.6, 6.1, 3.7, false},
        {"left coupon lot (none)", Expect::NotDrawn, "6", 46.8, 2.6, 10, false},
        {"right coupon process, second line", T, "31", 128.3, 6.1, 10, false},
        {"right coupon order", T, "B2002", 136.3, 2.6, 10, false},
        {"right coupon barcode", Expect::Barcode, "9999931", 138.6, 6.1, 3.7, false},
        {"right coupon bundle", T, "47", 161.1, 2.6, 10, false},
        {"right coupon size", T, "M", 178.6, 2.6, 10, false},
        {"right coupon quantity", T, "30", 190.8, 2.6, 10, false},
        {"right coupon process", T, "31", 199.0, 2.6, 10, false},
        {"left segment (none)", Expect::NotDrawn, "前段", 3.2, 27.5, 12, true},
        {"right segment (none)", Expect::NotDrawn, "前段", 106.9, 28.8, 12, true},
    };
    for (const FieldRow& f : continuous)
        add(Layout::Continuous, f);
    add(Layout::Continuous, {"left coupon bundle", T, "12", 53.4, 2.6, 10, false}, 13.0, ", row 2");
    add(Layout::Continuous, {"right coupon barcode", Expect::Barcode, "9999932", 138.6, 6.1, 3.7, false}, 13.0, ", row 2");
    add(Layout::Continuous, {"left coupon process", T, "23", 93.4, 2.6, 10, false}, 25.7, ", row 3");
    add(Layout::Continuous, {"left coupon barcode", Expect::Barcode, "0001224", 29.6, 6.1, 3.7, false}, 37.6, ", row 4");
    add(Layout::Continuous, {"right coupon process, second line", T, "34", 128.3, 6.1, 10, false}, 37.6, ", row 4");
}

// Each field is found where the ticket paper has it: a drawn text with the field's value whose
// text box starts within the tolerance of the field's corner, in the field's size and weight;
// a barcode whose quiet zone starts at the field's left and whose bars fill the field's height,
// encoding that coupon's barcode.
void TestTicketPages::fieldPositions()
{
    QFETCH(Layout, layout);
    QFETCH(Expect, expect);
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, tolerance);
    QFETCH(double, points);
    QFETCH(bool, bold);

    const Drawn drawn = record(tickets::drawPage(samplePage(), layout), layout);
    const QPointF corner(x, y);
    auto near = [&](const QPointF& p, double tol) {
        return std::abs(p.x() - corner.x()) <= tol && std::abs(p.y() - corner.y()) <= tol;
    };

    if (expect == Expect::Barcode) {
        const barcode::Symbol expected = barcode::code128(text);
        QVERIFY(expected.valid());
        bool found = false;
        for (const DrawnSymbol& s : symbols(drawn.rects)) {
            const QPointF quietZoneCorner(s.bars.left() - barcode::kQuietZoneModules * s.moduleMm, s.bars.top());
            if (!near(quietZoneCorner, tolerance))
                continue;
            QVERIFY2(!found, "two symbols in one field");
            found = true;
            QVERIFY2(sameBars(s.pattern, expected.bars), "another coupon's barcode in this field");
            QVERIFY2(std::abs(s.bars.height() - points) <= 0.1, qPrintable(QString::number(s.bars.height())));
        }
        QVERIFY2(found, "no barcode drawn at the field");
        return;
    }

    QList<DrawnText> here;
    for (const DrawnText& t : drawn.texts)
        if (t.text == text && near(t.topLeft, expect == Expect::NotDrawn ? 3 : tolerance))
            here << t;
    if (expect == Expect::NotDrawn) {
        QVERIFY2(here.isEmpty(), "a field that is not printed is drawn");
        return;
    }
    if (here.size() != 1) {
        QString seen;
        for (const DrawnText& t : drawn.texts)
            if (t.text == text)
                seen += QStringLiteral(" (%1, %2)").arg(t.topLeft.x(), 0, 'f', 2).arg(t.topLeft.y(), 0, 'f', 2);
        QFAIL(qPrintable(QStringLiteral("\"%1\" drawn %2 times near (%3, %4); drawn at:%5")
                             .arg(text).arg(here.size()).arg(x).arg(y).arg(seen)));
    }
    QCOMPARE(here[0].font.pointSizeF(), points);
    QCOMPARE(here[0].font.bold(), bold);
}

void TestTicketPages::drawnFieldsOnly_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("texts");
    QTest::addColumn<int>("barcodes");
    // Plain: 6 + 6 stub fields, 7 texts per coupon, 2 segment names, no visible barcode.
    QTest::newRow("plain") << Layout::Plain << 6 + 6 + 8 * 7 + 2 << 0;
    // Barcode: 4 + 4 stub fields, 6 visible texts (the lot is hidden) and a barcode per coupon,
    // 2 segment names.
    QTest::newRow("barcode") << Layout::Barcode << 4 + 4 + 8 * 6 + 2 << 8;
    QTest::newRow("lot barcode") << Layout::LotBarcode << 4 + 4 + 8 * 6 + 2 << 8;
    // Continuous: as the barcode layout, without segment names.
    QTest::newRow("continuous") << Layout::Continuous << 4 + 4 + 8 * 6 << 8;
}

// Nothing is drawn beyond the fields of the ticket paper (hidden fields stay undrawn).
void TestTicketPages::drawnFieldsOnly()
{
    QFETCH(Layout, layout);
    QFETCH(int, texts);
    QFETCH(int, barcodes);
    const Drawn drawn = record(tickets::drawPage(samplePage(), layout), layout);
    QCOMPARE(int(drawn.texts.size()), texts);
    QCOMPARE(int(symbols(drawn.rects).size()), barcodes);
}

// ---------------------------------------------------------------------------------------------
// Printed barcodes read back

namespace {

// Two pages of real-looking coupons: a bundle of 6 with a Chinese label on the left (four
// coupons, then two and two fillers) and a bundle of 3 on the right (then its stub repeated
// over fillers only).
QList<TicketPage> readBackPages()
{
    Table left;
    const QStringList leftCodes = {"0001234", "9999999", "0000000", "1000001", "0123456", "5550555"};
    for (int i = 0; i < leftCodes.size(); ++i) {
        Coupon c = makeCoupon(QStringLiteral("A2301"), 14, 201, i + 1, leftCodes[i]);
        c.chbed = QStringLiteral("十二扎");
        c.color = QStringLiteral("酒红");
        c.sizename = QStringLiteral("XXL       ");  // char(10), blank-padded
        left << c;
    }
    Table right;
    const QStringList rightCodes = {"7654321", "0000001", "2468024"};
    for (int i = 0; i < rightCodes.size(); ++i) {
        Coupon c = makeCoupon(QStringLiteral("A2301"), 14, 207, i + 1, rightCodes[i]);
        c.color = QStringLiteral("墨绿");
        c.amount = QStringLiteral("120");
        right << c;
    }
    return run(left, right, 10);
}

// A barcode as printed: measured on a rendering of its item alone.
struct PrintedSymbol {
    int item;          // index in the page's items
    QString where;     // for messages
    QRect bars;        // the symbol's ink, dots
    int module;        // the narrowest bar or space of the middle scan line, dots
    QList<int> widths; // bars and spaces of the middle scan line, dots
    QRect withQuietZones() const
    {
        const int quiet = barcode::kQuietZoneModules * module;
        return bars.adjusted(-quiet, 0, quiet, 0);
    }
};

struct PrintedPage {
    report::Page page;
    QImage printed;  // the page as printed
    QImage others;   // the page without its barcodes
    QList<PrintedSymbol> symbols;
};

PrintedPage printPage(const TicketPage& ticket, int number, Layout layout, double dpi)
{
    PrintedPage result;
    result.page = tickets::drawPage(ticket, layout);
    const QSizeF paper = tickets::paperFor(layout);
    result.printed = rasterise(result.page, paper, dpi);
    result.others = rasterise(
        withItems(result.page, [](const report::Item& i) { return i.kind != report::Item::Barcode; }), paper, dpi);
    for (int i = 0; i < result.page.items.size(); ++i) {
        const report::Item& item = result.page.items[i];
        if (item.kind != report::Item::Barcode || item.hidden)
            continue;
        PrintedSymbol s;
        s.item = i;
        s.where = QStringLiteral("page %1, %2 column, row %3, \"%4\"")
                      .arg(number)
                      .arg(sideOf(item) == 0 ? QStringLiteral("left") : QStringLiteral("right"))
                      .arg(rowOf(item) + 1)
                      .arg(item.text);
        const QImage alone = rasterise(withItems(result.page, [&item](const report::Item& x) { return &x == &item; }),
                                       paper, dpi);
        s.bars = inkBounds(alone);
        if (!s.bars.isEmpty()) {
            s.widths = runs(alone, s.bars.center().y(), s.bars.left(), s.bars.right());
            s.module = *std::min_element(s.widths.begin(), s.widths.end());
        } else {
            s.module = 0;
        }
        result.symbols << s;
    }
    return result;
}

}  // namespace

void TestTicketPages::barcodesReadBack_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<double>("dpi");
    for (const Layout layout : {Layout::Barcode, Layout::LotBarcode, Layout::Continuous})
        for (const double dpi : {203.0, 300.0})
            QTest::addRow("%s, %d dpi", qPrintable(layoutName(layout)), int(dpi)) << layout << dpi;
}

// Every barcode printed on a page reads back as its own coupon's barcode ("0" for a filler),
// from its own field; the whole page reads as exactly the page's barcodes. Each symbol uses
// whole-dot modules of at least 0.25 mm (at most the preferred 0.35 mm, and the widest that
// fits the field when one fits), and starts after a 10-module quiet zone at the field's left.
void TestTicketPages::barcodesReadBack()
{
    QFETCH(Layout, layout);
    QFETCH(double, dpi);
    const double dotsPerMm = dpi / 25.4;
    const QList<TicketPage> pages = readBackPages();
    QCOMPARE(pages.size(), 2);

    for (int p = 0; p < pages.size(); ++p) {
        const PrintedPage printed = printPage(pages[p], p + 1, layout, dpi);
        QCOMPARE(printed.symbols.size(), 2 * tickets::kCouponRows);

        for (const PrintedSymbol& s : printed.symbols) {
            const report::Item& item = printed.page.items[s.item];
            const QByteArray whereText = s.where.toUtf8();
            const char* at = whereText.constData();
            QCOMPARE(item.text, expectedBarcode(pages[p], sideOf(item), rowOf(item)));
            QVERIFY2(!s.bars.isEmpty(), at);

            // The bars fill the field's height.
            const QRectF field(item.rect.topLeft() * dotsPerMm, item.rect.size() * dotsPerMm);
            QVERIFY2(std::abs(s.bars.top() - field.top()) <= 1 && std::abs(s.bars.bottom() + 1 - field.bottom()) <= 1,
                     at);

            // Whole-dot modules: every bar and space of the middle scan line is 1 to 4 times the
            // narrowest one, and they add up to the symbol's modules.
            int modules = 0;
            for (const int w : s.widths) {
                QVERIFY2(w % s.module == 0 && w / s.module <= 4, at);
                modules += w / s.module;
            }
            QCOMPARE(modules, barcode::code128(item.text).modules);
            const double moduleMm = s.module / dotsPerMm;
            const int total = modules + 2 * barcode::kQuietZoneModules;
            QVERIFY2(moduleMm >= barcode::kMinModuleMm - 1e-9, qPrintable(s.where + QStringLiteral(": module under 0.25 mm")));
            QVERIFY2(moduleMm <= 0.35 + 1e-9, at);
            if (total * moduleMm <= item.rect.width() + 1e-9) {
                // It fits: one dot more would be over the preferred width or not fit.
                const double wider = (s.module + 1) / dotsPerMm;
                QVERIFY2(wider > 0.35 || total * wider > item.rect.width(),
                         qPrintable(s.where + QStringLiteral(": not the widest module that fits")));
            } else {
                // Wider than the field: the narrowest whole-dot module of at least 0.25 mm.
                QVERIFY2((s.module - 1) / dotsPerMm < barcode::kMinModuleMm,
                         qPrintable(s.where + QStringLiteral(": wider than the field with a module over the minimum")));
            }

            // The quiet zone starts at the field's left; a symbol wider than the field extends
            // to the right, still on the paper.
            const QRect zone = s.withQuietZones();
            QVERIFY2(std::abs(zone.left() - field.left()) <= 1, at);
            QVERIFY2(printed.printed.rect().contains(zone), qPrintable(s.where + QStringLiteral(": off the paper")));

            // Read back from the printed page, cropped round the symbol and its quiet zones with
            // a millimetre's margin at the sides.
            const int margin = int(std::ceil(dotsPerMm));
            const QStringList read = decode(printed.printed, zone.adjusted(-margin, -margin / 3, margin, margin / 3));
            QVERIFY2(read == QStringList{item.text}, qPrintable(s.where + QStringLiteral(" read as [%1]").arg(read.join(", "))));
        }

        // The whole page, cut into one cell per coupon (a column's half of the paper, from halfway
        // to the row above to halfway to the row below), reads as exactly the page's barcodes:
        // one per cell, no others anywhere. (Cells, because this zxing build asserts when one
        // image holds several symbols of the same text, like the fillers' "0".)
        for (int side = 0; side < 2; ++side) {
            QList<QRect> column;
            for (const PrintedSymbol& s : printed.symbols)
                if (sideOf(printed.page.items[s.item]) == side)
                    column << s.bars;
            std::sort(column.begin(), column.end(), [](const QRect& x, const QRect& y) { return x.top() < y.top(); });
            QCOMPARE(column.size(), tickets::kCouponRows);
            const int middle = printed.printed.width() / 2;
            for (int row = 0; row < column.size(); ++row) {
                const int top = row == 0 ? 0 : (column[row - 1].bottom() + column[row].top()) / 2;
                const int bottom = row + 1 == column.size() ? printed.printed.height()
                                                            : (column[row].bottom() + column[row + 1].top()) / 2;
                const QRect cell(QPoint(side == 0 ? 0 : middle, top),
                                 QPoint(side == 0 ? middle - 1 : printed.printed.width() - 1, bottom - 1));
                QCOMPARE(decode(printed.printed, cell), QStringList{expectedBarcode(pages[p], side, row)});
            }
        }
    }
}

// No other ink in a symbol or its quiet zones. A linear symbol is graded on scan lines across
// the middle 80 % of its bar height (ISO/IEC 15416), so the check covers that band: there the
// bars and both 10-module quiet zones must be free of text and of other symbols.
void TestTicketPages::barcodesStandClear()
{
    QFETCH(Layout, layout);
    QFETCH(double, dpi);
    const QList<TicketPage> pages = readBackPages();
    for (int p = 0; p < pages.size(); ++p) {
        const PrintedPage printed = printPage(pages[p], p + 1, layout, dpi);
        QCOMPARE(printed.symbols.size(), 2 * tickets::kCouponRows);
        for (const PrintedSymbol& s : printed.symbols) {
            const QRect zone = s.withQuietZones();
            const int edge = int(std::ceil(zone.height() * 0.1));
            const QRect band = zone.adjusted(0, edge, 0, -edge);
            QVERIFY2(blank(printed.others, band), qPrintable(s.where + QStringLiteral(": other ink in the symbol or its quiet zones")));
            for (const PrintedSymbol& o : printed.symbols)
                if (o.item != s.item)
                    QVERIFY2(!zone.intersects(o.bars), qPrintable(s.where + QStringLiteral(": overlaps ") + o.where));
        }
    }
}

void TestTicketPages::plainLayoutHasNoVisibleBarcode_data()
{
    QTest::addColumn<double>("dpi");
    QTest::newRow("203 dpi") << 203.0;
    QTest::newRow("300 dpi") << 300.0;
}

// The plain layout keeps each coupon's barcode on the page as data but prints none.
void TestTicketPages::plainLayoutHasNoVisibleBarcode()
{
    QFETCH(double, dpi);
    const QList<TicketPage> pages = readBackPages();
    for (const TicketPage& ticket : pages) {
        const report::Page page = tickets::drawPage(ticket, Layout::Plain);
        int kept = 0;
        for (const report::Item& item : page.items)
            if (item.kind == report::Item::Barcode) {
                QVERIFY(item.hidden);
                QCOMPARE(item.text, expectedBarcode(ticket, sideOf(item), rowOf(item)));
                ++kept;
            }
        QCOMPARE(kept, 8);
        QCOMPARE(decode(rasterise(page, tickets::paperFor(Layout::Plain), dpi)), QStringList());
    }
}

void TestTicketPages::laserSheetReadsBack_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("length");
    QTest::newRow("203 dpi, 8 in") << 203.0 << tickets::kLaserLengths[0];
    QTest::newRow("300 dpi, 12 in") << 300.0 << tickets::kLaserLengths[2];
}

void TestTicketPages::laserSheetReadsBack()
{
    QFETCH(double, dpi);
    QFETCH(double, length);
    // 31 lines: more than a page of any length, the last coupon of an odd count alone.
    QList<procs::LaserLine> lines;
    QStringList expected;
    for (int i = 0; i < 31; ++i) {
        procs::LaserLine l;
        l.workid = i + 1;
        l.makeid = QStringLiteral("A2301");
        l.bed = 2;
        l.zhahao = QString::number(2 * i + 1);
        l.barcodea = QStringLiteral("%1").arg(4000000 + 2 * i, 7, 10, QLatin1Char('0'));
        l.color = QStringLiteral("蓝色");
        if (i < 30) {
            l.zhahaob = QString::number(2 * i + 2);
            l.barcodeb = QStringLiteral("%1").arg(4000001 + 2 * i, 7, 10, QLatin1Char('0'));
            l.colorb = QStringLiteral("白色");
            expected << l.barcodeb;
        }
        expected << l.barcodea;
        lines << l;
    }
    const report::Document doc = tickets::laserSheet(lines, length);
    QStringList read;
    const double dotsPerMm = dpi / 25.4;
    for (const report::Page& page : doc.pages) {
        const QImage image = rasterise(page, doc.paperMm, dpi);
        for (const report::Item& item : page.items) {
            if (item.kind != report::Item::Barcode)
                continue;
            // The field with a millimetre around it; the 0.254 mm symbol fits its 40.2 mm field.
            const QRectF mm = item.rect.adjusted(-1, -1, 1, 1);
            const QRect area(int(mm.left() * dotsPerMm), int(mm.top() * dotsPerMm), int(mm.width() * dotsPerMm),
                             int(mm.height() * dotsPerMm));
            const QStringList texts = decode(image, area);
            QCOMPARE(texts, QStringList{item.text});
            read << texts;
        }
    }
    read.sort();
    expected.sort();
    QCOMPARE(read, expected);
}

QTEST_MAIN(TestTicketPages)
#include "tst_ticketpages.moc"
