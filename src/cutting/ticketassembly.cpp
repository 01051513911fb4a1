#include "cutting/ticketassembly.h"

namespace tickets {

QString Coupon::bundleText() const
{
    const QString label = chbed.trimmed();
    return label.isEmpty() ? QString::number(zhahao) : label;
}

int pagesFor(int bundles, int largestBundleCoupons)
{
    if (bundles <= 0 || largestBundleCoupons <= 0)
        return 0;
    return bundles * ((largestBundleCoupons + kCouponRows - 1) / kCouponRows);
}

Assembler::Assembler(QList<Coupon> left, QList<Coupon> right, int pageLimit, Mode mode, SegmentLookup segments)
    : limit_(pageLimit), mode_(mode), segments_(std::move(segments))
{
    left_.rows = std::move(left);
    left_.finished = left_.rows.isEmpty();
    right_.rows = std::move(right);
    right_.finished = right_.rows.isEmpty();
}

void Assembler::fill(Cursor& cursor, Column* column)
{
    *column = Column();
    if (cursor.rows.isEmpty())
        return;
    const Coupon stub = cursor.rows[qMin(cursor.at, int(cursor.rows.size()) - 1)];
    column->stub = stub;
    for (int r = 0; r < kCouponRows; ++r) {
        if (cursor.finished)
            break;
        const Coupon& next = cursor.rows[cursor.at];
        // Bundle numbers are unique within an order; a label is per bundle, so two bundles that
        // carry the same label still print apart.
        if (next.zhahao != stub.zhahao || next.makeid != stub.makeid)
            break;
        column->rows[r] = next;
        if (++cursor.at == cursor.rows.size())
            cursor.finished = true;
    }
}

QString Assembler::segmentOf(const TicketPage& page) const
{
    // The segment of the page's own coupons: the first coupon of the column the mode follows, or
    // of the other column when that one holds only fillers.
    const Column& followed = mode_ == Mode::Lining ? page.left : page.right;
    const Column& other = mode_ == Mode::Lining ? page.right : page.left;
    for (const Column* column : {&followed, &other})
        for (const auto& row : column->rows)
            if (row)
                return segments_(row->workid);
    return {};
}

bool Assembler::next(TicketPage* page)
{
    if (pages_ >= limit_ || (left_.finished && right_.finished))
        return false;
    fill(left_, &page->left);
    fill(right_, &page->right);
    page->segment = segments_ ? segmentOf(*page) : QString();
    ++pages_;
    return true;
}

}  // namespace tickets
