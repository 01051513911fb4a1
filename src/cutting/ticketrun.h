#pragma once
// One ticket print run: the two print tables read in print order, the page count from
// SP_countprint, the pages assembled, drawn in the layout and written one at a time.

#include "cutting/ticketassembly.h"
#include "cutting/ticketlayout.h"
#include "server/ticketprocs.h"

#include <functional>

namespace db {
class Connection;
}
namespace report {
class PageStream;
}

namespace tickets {

// The rows of a print table in print order: order, lot, bundle, process.
QList<Coupon> readPrintTable(db::Connection& c, const QString& table);

struct RunOptions {
    Layout layout = Layout::Plain;
    Mode mode = Mode::Lining;
    bool segments = false;  // look segment names up in gongxuming
    std::function<void(int page, int pages)> progress;
};

// Returns the number of pages written. Throws db::DbError on a database failure; a stream that
// fails stops the run and its error is put into *error (then the return value is the pages
// written before).
int printRun(db::Connection& c, const procs::PrintTables& tables, report::PageStream& out, const RunOptions& options,
             QString* error = nullptr);

}  // namespace tickets
