#pragma once
// Ticket page assembly, without widgets or database: the coupons of the left and right print
// tables become pages of two columns, each column a bundle's stub and four coupon rows.
//
// A column keeps a cursor on its table. Every page shows, per column, the bundle under the
// cursor in its stub and fills the four coupon rows with that bundle's next coupons; a row
// whose coupon belongs to another bundle, or that comes after the end of the table, is a
// filler showing "0". A bundle never shares a column of a page with another bundle, and a
// bundle with more than four coupons goes on over the next pages with its stub repeated. A
// column whose table is used up repeats its last stub with fillers until the other column ends.

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace tickets {

constexpr int kCouponRows = 4;
const QString kFiller = QStringLiteral("0");

// One row of a print work table (one coupon).
struct Coupon {
    QString makeid;
    int bed = 0;
    int zhahao = 0;
    QString barcode;
    QString sizename;
    QString amount;
    QString color;
    int workid = 0;
    QString chbed;  // bundle label; replaces the bundle number when not empty

    QString bundleText() const;  // the label, or the bundle number when there is none
};

struct Column {
    std::optional<Coupon> stub;                            // none when the table is empty
    std::array<std::optional<Coupon>, kCouponRows> rows;  // none: a filler showing "0"
};

struct TicketPage {
    Column left;
    Column right;
    QString segment;  // the process segment's name; empty: the segment fields are hidden
};

enum class Mode {
    Lining,  // 里布: halves by bundle number, the segment follows the left column
    Shell,   // 面布: coupons of a bundle alternate between the columns, the segment follows the right
};

// Pages one column needs: bundles × ⌈largest coupon count of a bundle / 4⌉.
int pagesFor(int bundles, int largestBundleCoupons);

// The segment name of a process number, empty when none.
using SegmentLookup = std::function<QString(int workid)>;

class Assembler {
public:
    // left and right in print order (order, lot, bundle, process). pageLimit: the run's page
    // count; the run also ends when both columns are used up.
    Assembler(QList<Coupon> left, QList<Coupon> right, int pageLimit, Mode mode, SegmentLookup segments = {});

    // The next page, or false when the run is over.
    bool next(TicketPage* page);
    int pagesDone() const { return pages_; }

private:
    struct Cursor {
        QList<Coupon> rows;
        int at = 0;
        bool finished = false;
    };
    static void fill(Cursor& cursor, Column* column);
    QString segmentOf(const TicketPage& page) const;

    Cursor left_;
    Cursor right_;
    int limit_;
    Mode mode_;
    SegmentLookup segments_;
    int pages_ = 0;
};

}  // namespace tickets
