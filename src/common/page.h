#pragma once
// A printed document as data: pages of items placed in millimetres. Layouts (list reports,
// ticket strips) build it without any widget or device; output.h draws it on the preview,
// a printer or a PDF file.

#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace report {

struct TextStyle {
    double pointSize = 10;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct Item {
    enum Kind { Text, Line, Box, Barcode } kind = Text;
    QRectF rect;     // mm from the paper's top-left corner; for Line, topLeft→bottomRight
    QString text;    // for Barcode, the data
    TextStyle style;
    double penMm = 0.2;     // for Barcode, the preferred module width
    bool hidden = false;    // kept on the page (the data is there) but not drawn
};

struct Page {
    QList<Item> items;
    void text(const QRectF& rect, const QString& text, const TextStyle& style = {})
    {
        items.append({Item::Text, rect, text, style, 0});
    }
    void line(double x1, double y1, double x2, double y2, double penMm = 0.2)
    {
        items.append({Item::Line, QRectF(QPointF(x1, y1), QPointF(x2, y2)), {}, {}, penMm});
    }
    void box(const QRectF& rect, double penMm = 0.2) { items.append({Item::Box, rect, {}, {}, penMm}); }
    // A Code 128 symbol in the field rect (mm), bars as tall as the field, no text line. The
    // module is moduleMm when the symbol and its quiet zones fit the field, else the widest that
    // fits (see barcode::moduleWidth).
    void barcode(const QRectF& rect, const QString& data, double moduleMm = 0.35, bool hidden = false)
    {
        items.append({Item::Barcode, rect, data, {}, moduleMm, hidden});
    }
    // Every text on the page, in order (for tests and searches).
    QStringList texts() const;
};

struct Document {
    QString title;                 // the print job's name
    QSizeF paperMm{210, 297};      // A4 portrait
    QList<Page> pages;
};

}  // namespace report
