#include "common/listreport.h"

#include <QDate>

namespace report {

namespace {

constexpr double kRowHeight = 7;
constexpr double kLineHeight = 6;
constexpr double kTitleHeight = 12;
constexpr double kPageNumberHeight = 6;

void splitLine(Page& page, double left, double width, double y, const QString& line,
               const TextStyle& style)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0) {
        page.text(QRectF(left, y, width, kLineHeight), line, style);
        return;
    }
    page.text(QRectF(left, y, width / 2, kLineHeight), line.left(tab), style);
    TextStyle right = style;
    right.align = Qt::AlignRight | Qt::AlignVCenter;
    page.text(QRectF(left + width / 2, y, width / 2, kLineHeight), line.mid(tab + 1), right);
}

}  // namespace

QStringList Page::texts() const
{
    QStringList list;
    for (const Item& item : items)
        if (item.kind == Item::Text)
            list << item.text;
    return list;
}

QString ListReport::companyLine(const QString& company)
{
    return QStringLiteral("制表单位：") + company;
}

QString ListReport::dateLine(const QDate& date)
{
    return QStringLiteral("时间：") + date.toString(QStringLiteral("yyyy-MM-dd"));
}

Document layout(const ListReport& r)
{
    Document doc;
    doc.title = r.title;
    const QSizeF portrait = r.paperMm.isEmpty() ? QSizeF(210, 297) : r.paperMm;
    doc.paperMm = r.landscape ? portrait.transposed() : portrait;
    const double margin = r.marginMm;
    const double left = margin;
    const double width = doc.paperMm.width() - 2 * margin;
    const double bottom = doc.paperMm.height() - margin - kPageNumberHeight;

    double totalWeight = 0;
    for (const ListColumn& c : r.columns)
        totalWeight += c.width;
    QList<double> xs{left};
    for (const ListColumn& c : r.columns)
        xs.append(xs.last() + (totalWeight > 0 ? width * c.width / totalWeight : 0));

    const TextStyle cell{9, false, Qt::AlignLeft | Qt::AlignVCenter};
    const TextStyle caption{9, true, Qt::AlignCenter};
    const double endHeight = (r.summary.isEmpty() ? 0 : kLineHeight + 2) +
                             (r.footerLines.isEmpty() ? 0 : 2 + kLineHeight * r.footerLines.size());

    auto drawRow = [&](Page& page, double y, const QStringList& values, const TextStyle& style,
                       bool isCaption) {
        page.line(left, y + kRowHeight, left + width, y + kRowHeight);
        for (int i = 0; i < r.columns.size(); ++i) {
            TextStyle s = style;
            if (!isCaption)
                s.align = r.columns[i].align;
            page.text(QRectF(xs[i] + 1, y, xs[i + 1] - xs[i] - 2, kRowHeight), values.value(i), s);
        }
    };

    int next = 0;
    do {
        Page page;
        double y = margin;
        if (doc.pages.isEmpty()) {
            page.text(QRectF(left, y, width, kTitleHeight), r.title, TextStyle{r.titlePointSize, true, Qt::AlignCenter});
            y += kTitleHeight + 2;
            for (const QString& line : r.headerLines) {
                splitLine(page, left, width, y, line, TextStyle{10, false, Qt::AlignLeft | Qt::AlignVCenter});
                y += kLineHeight;
            }
            y += 2;
        } else {
            page.text(QRectF(left, y, width, kLineHeight), r.title, TextStyle{10, true, Qt::AlignCenter});
            y += kLineHeight + 2;
        }
        const double tableTop = y;
        QStringList captions;
        for (const ListColumn& c : r.columns)
            captions << c.caption;
        drawRow(page, y, captions, caption, true);
        y += kRowHeight;
        const int firstRow = next;
        // Rows while they fit; the last page also keeps room for the summary and footer.
        while (next < r.rows.size()) {
            const bool last = next == r.rows.size() - 1;
            const double need = kRowHeight + (last ? endHeight : 0);
            if (y + need > bottom && y > tableTop + kRowHeight)
                break;
            drawRow(page, y, r.rows[next], cell, false);
            y += kRowHeight;
            ++next;
        }
        // The box and its column lines.
        page.box(QRectF(left, tableTop, width, y - tableTop), 0.3);
        for (int i = 1; i < r.columns.size(); ++i)
            page.line(xs[i], tableTop, xs[i], y);
        if (next >= r.rows.size() && (y + endHeight <= bottom || next == firstRow)) {
            y += 2;
            if (!r.summary.isEmpty()) {
                splitLine(page, left, width, y, r.summary, TextStyle{10, true, Qt::AlignLeft | Qt::AlignVCenter});
                y += kLineHeight + 2;
            }
            for (const QString& line : r.footerLines) {
                splitLine(page, left, width, y, line, TextStyle{10, false, Qt::AlignLeft | Qt::AlignVCenter});
                y += kLineHeight;
            }
            doc.pages.append(page);
            break;
        }
        doc.pages.append(page);
    } while (true);

    const int count = int(doc.pages.size());
    for (int i = 0; i < count; ++i)
        doc.pages[i].text(QRectF(left, doc.paperMm.height() - margin - kPageNumberHeight, width, kPageNumberHeight),
                          QStringLiteral("第 %1 页 / 共 %2 页").arg(i + 1).arg(count),
                          TextStyle{8, false, Qt::AlignCenter});
    return doc;
}

}  // namespace report
