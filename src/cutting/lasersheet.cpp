#include "cutting/lasersheet.h"

#include <cmath>

namespace tickets {

namespace {

void text(report::Page* page, double x, double y, const QString& value)
{
    report::TextStyle style;
    style.pointSize = 10;
    style.align = Qt::AlignLeft | Qt::AlignTop;
    page->text(QRectF(x, y, 30, 5), value, style);
}

// One coupon of a line; side 0 left, 1 right.
void coupon(report::Page* page, double top, int side, const procs::LaserLine& l)
{
    const bool left = side == 0;
    const QString zhahao = left ? l.zhahao : l.zhahaob;
    if (zhahao.isEmpty())
        return;  // the last coupon of an odd count stands alone
    const QString process = QString::number(l.workid);
    text(page, left ? 20.1 : 134.7, top + 4.0, process);
    text(page, left ? 90.0 : 201.9, top + 4.0, process);
    text(page, left ? 37.0 : 151.6, top + 4.0, left ? l.sema : l.semab);
    text(page, left ? 46.8 : 161.7, top + 4.0, l.makeid);
    text(page, left ? 64.3 : 178.1, top + 4.0, QString::number(l.bed));
    text(page, left ? 70.6 : 183.9, top + 4.0, zhahao);
    text(page, left ? 79.6 : 193.7, top + 4.0, left ? l.amount : l.amountb);
    text(page, left ? 5.0 : 119.3, top + 6.6, left ? l.bak : l.bakb);
    text(page, left ? 36.0 : 151.6, top + 8.5, left ? l.color : l.colorb);
    page->barcode(QRectF(left ? 54.0 : 166.7, top + 8.2, 40.2, 4.0), left ? l.barcodea : l.barcodeb, 0.254);
}

}  // namespace

int laserLinesPerPage(double paperLengthMm)
{
    return qMax(1, int(std::floor((paperLengthMm - kLaserFooterMm) / kLaserLineMm + 1e-9)));
}

report::Document laserSheet(const QList<procs::LaserLine>& lines, double paperLengthMm)
{
    report::Document doc;
    doc.title = QStringLiteral("激光工票");
    doc.paperMm = QSizeF(210, paperLengthMm);
    const int perPage = laserLinesPerPage(paperLengthMm);
    const int pages = int((lines.size() + perPage - 1) / perPage);
    for (int p = 0; p < pages; ++p) {
        report::Page page;
        for (int i = 0; i < perPage && p * perPage + i < lines.size(); ++i) {
            const procs::LaserLine& l = lines[p * perPage + i];
            coupon(&page, i * kLaserLineMm, 0, l);
            coupon(&page, i * kLaserLineMm, 1, l);
        }
        report::TextStyle footer;
        footer.pointSize = 9;
        footer.align = Qt::AlignHCenter | Qt::AlignVCenter;
        page.text(QRectF(0, perPage * kLaserLineMm, 210, kLaserFooterMm),
                  QStringLiteral("第 %1 页，共 %2 页").arg(p + 1).arg(pages), footer);
        doc.pages << page;
    }
    return doc;
}

}  // namespace tickets
