#pragma once
// The ticket strip layouts: where each field of a page's stubs, coupon rows and segment names
// is printed, in millimetres from the paper's top-left corner.

#include "common/page.h"
#include "cutting/ticketassembly.h"

namespace tickets {

enum class Layout {
    Plain,       // 扎号打印 and 床次打印: no visible barcode
    Barcode,     // 扎号条码打印
    LotBarcode,  // 床次条码打印: the barcode layout with 9 pt stubs
    Continuous,  // 连续床次打印
};

QSizeF paperFor(Layout layout);
report::Page drawPage(const TicketPage& page, Layout layout);

}  // namespace tickets
