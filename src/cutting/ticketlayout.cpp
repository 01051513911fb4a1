#include "cutting/ticketlayout.h"

namespace tickets {

namespace {

enum class What { Order, Size, TrimmedSize, Colour, Bundle, Lot, Quantity, Process, Barcode };

struct Field {
    What what;
    double x;
    double y;
    double points = 10;  // for Barcode: the field's width in mm
    bool bold = true;
    bool hidden = false;
};

struct Geometry {
    QList<Field> leftStub, rightStub, leftCoupon, rightCoupon;
    std::array<double, kCouponRows> rowOffsets;
    double barcodeHeight;
    double barcodeModule;
    bool segments;
    QPointF leftSegment, rightSegment;
    double segmentPoints;
};

constexpr double kMmPerPoint = 25.4 / 72;

Geometry plain()
{
    Geometry g;
    g.leftStub = {{What::Order, 0.5, 2.6, 9},  {What::Size, 0.0, 12.7, 10}, {What::Colour, 6.6, 12.7, 10},
                  {What::Bundle, 0.3, 33.3, 9}, {What::Lot, 7.1, 33.3, 9},   {What::Quantity, 0.5, 42.3, 10}};
    g.rightStub = {{What::Order, 111.7, 3.4, 10},   {What::Size, 111.4, 13.2, 10}, {What::Colour, 119.1, 13.2, 10},
                   {What::Bundle, 111.7, 32.8, 10}, {What::Lot, 118.8, 32.8, 10},  {What::Quantity, 111.4, 42.3, 10}};
    const double left[] = {13.2, 29.6, 38.6, 52.7, 63.0, 73.8, 83.9, 35.5};
    const double right[] = {127.8, 145.0, 154.3, 167.7, 180.4, 189.4, 199.2, 148.7};
    for (int side = 0; side < 2; ++side) {
        const double* x = side == 0 ? left : right;
        QList<Field>& c = side == 0 ? g.leftCoupon : g.rightCoupon;
        c = {{What::Process, x[0], 2.4, 12}, {What::TrimmedSize, x[1], 2.1, 12}, {What::Order, x[2], 2.1, 11},
             {What::Lot, x[3], 2.4, 12},     {What::Bundle, x[4], 2.4, 12},      {What::Quantity, x[5], 2.4, 12},
             {What::Process, x[6], 2.4, 12}, {What::Barcode, x[7], 6.6, 36.0, false, true}};
    }
    g.rowOffsets = {0, 13.0, 26.0, 38.5};
    g.barcodeHeight = 4.0;
    g.barcodeModule = 0.35;
    g.segments = true;
    g.leftSegment = {7.9, 22.2};
    g.rightSegment = {120.7, 22.2};
    g.segmentPoints = 11;
    return g;
}

Geometry barcodeLayout(double stubPoints)
{
    Geometry g;
    g.leftStub = {{What::Order, 2.6, 0.5, stubPoints}, {What::Size, 6.3, 3.7, stubPoints},
                  {What::Bundle, 6.6, 38.4, stubPoints}, {What::Quantity, 6.6, 41.8, stubPoints}};
    g.rightStub = {{What::Order, 105.3, 0.8, stubPoints}, {What::Size, 109.5, 4.2, stubPoints},
                   {What::Bundle, 110.3, 38.6, stubPoints}, {What::Quantity, 110.3, 42.1, stubPoints}};
    // order, bundle, size, quantity, process, process (second line), barcode, lot (hidden)
    const double left[] = {26.5, 55.6, 68.0, 83.6, 93.4, 19.1, 29.6, 46.8};
    const double right[] = {136.3, 165.1, 178.6, 190.8, 199.0, 128.3, 138.6, 156.4};
    for (int side = 0; side < 2; ++side) {
        const double* x = side == 0 ? left : right;
        QList<Field>& c = side == 0 ? g.leftCoupon : g.rightCoupon;
        c = {{What::Order, x[0], 0.8},   {What::Bundle, x[1], 0.8},  {What::Size, x[2], 0.8},
             {What::Quantity, x[3], 0.8}, {What::Process, x[4], 0.8}, {What::Process, x[5], 4.2},
             {What::Barcode, x[6], 4.2, 25.4}, {What::Lot, x[7], 0.8, 10, true, true}};
    }
    g.rowOffsets = {0, 13.0, 25.7, 37.6};
    g.barcodeHeight = 3.7;
    g.barcodeModule = 0.35;
    g.segments = true;
    g.leftSegment = {3.2, 27.5};
    g.rightSegment = {106.9, 28.8};
    g.segmentPoints = 12;
    return g;
}

Geometry continuous()
{
    Geometry g = barcodeLayout(10);
    const double stubY[] = {2.4, 5.6, 40.2, 43.7};
    for (QList<Field>* stub : {&g.leftStub, &g.rightStub})
        for (int i = 0; i < stub->size(); ++i) {
            (*stub)[i].y = stubY[i];
            (*stub)[i].bold = false;
        }
    for (int side = 0; side < 2; ++side) {
        QList<Field>& c = side == 0 ? g.leftCoupon : g.rightCoupon;
        c.removeLast();  // no lot field
        for (Field& f : c) {
            f.bold = false;
            f.y = f.y > 2 ? 6.1 : 2.6;
        }
        c[1].x = side == 0 ? 53.4 : 161.1;  // the bundle
    }
    g.segments = false;
    return g;
}

const Geometry& geometry(Layout layout)
{
    static const Geometry plainLayout = plain();
    static const Geometry barcode11 = barcodeLayout(11);
    static const Geometry barcode9 = barcodeLayout(9);
    static const Geometry continuousLayout = continuous();
    switch (layout) {
    case Layout::Plain:
        return plainLayout;
    case Layout::Barcode:
        return barcode11;
    case Layout::LotBarcode:
        return barcode9;
    case Layout::Continuous:
        break;
    }
    return continuousLayout;
}

QString valueOf(What what, const Coupon& c)
{
    switch (what) {
    case What::Order:
        return c.makeid;
    case What::Size:
        return c.sizename;
    case What::TrimmedSize:
        return c.sizename.trimmed();
    case What::Colour:
        return c.color;
    case What::Bundle:
        return c.bundleText();
    case What::Lot:
        return QString::number(c.bed);
    case What::Quantity:
        return c.amount;
    case What::Process:
        return QString::number(c.workid);
    case What::Barcode:
        return c.barcode;
    }
    return {};
}

// A filler coupon shows "0" in every field, the barcode included.
void place(report::Page* page, const Geometry& g, const Field& f, double dy, const std::optional<Coupon>& coupon)
{
    const QString value = coupon ? valueOf(f.what, *coupon) : kFiller;
    if (f.what == What::Barcode) {
        page->barcode(QRectF(f.x, f.y + dy, f.points, g.barcodeHeight), value, g.barcodeModule, f.hidden);
        return;
    }
    report::TextStyle style;
    style.pointSize = f.points;
    style.bold = f.bold;
    style.align = Qt::AlignLeft | Qt::AlignTop;
    page->text(QRectF(f.x, f.y + dy, 40, f.points * kMmPerPoint * 1.6), value, style);
    page->items.last().hidden = f.hidden;
}

void placeStub(report::Page* page, const QList<Field>& fields, const std::optional<Coupon>& stub)
{
    for (const Field& f : fields) {
        report::TextStyle style;
        style.pointSize = f.points;
        style.bold = f.bold;
        style.align = Qt::AlignLeft | Qt::AlignTop;
        page->text(QRectF(f.x, f.y, 40, f.points * kMmPerPoint * 1.6), stub ? valueOf(f.what, *stub) : QString(), style);
    }
}

}  // namespace

QSizeF paperFor(Layout layout)
{
    return layout == Layout::Continuous ? QSizeF(210, 51.0) : QSizeF(210, 50.8);
}

report::Page drawPage(const TicketPage& ticket, Layout layout)
{
    const Geometry& g = geometry(layout);
    report::Page page;
    placeStub(&page, g.leftStub, ticket.left.stub);
    placeStub(&page, g.rightStub, ticket.right.stub);
    for (int r = 0; r < kCouponRows; ++r) {
        for (const Field& f : g.leftCoupon)
            place(&page, g, f, g.rowOffsets[r], ticket.left.rows[r]);
        for (const Field& f : g.rightCoupon)
            place(&page, g, f, g.rowOffsets[r], ticket.right.rows[r]);
    }
    if (g.segments) {
        report::TextStyle style;
        style.pointSize = g.segmentPoints;
        style.bold = true;
        style.align = Qt::AlignLeft | Qt::AlignTop;
        const double h = g.segmentPoints * kMmPerPoint * 1.6;
        for (const QPointF& at : {g.leftSegment, g.rightSegment}) {
            page.text(QRectF(at, QSizeF(40, h)), ticket.segment, style);
            page.items.last().hidden = ticket.segment.isEmpty();
        }
    }
    return page;
}

}  // namespace tickets
