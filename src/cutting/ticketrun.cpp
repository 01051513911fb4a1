#include "cutting/ticketrun.h"

#include "common/db.h"
#include "common/output.h"

#include <QHash>

namespace tickets {

QList<Coupon> readPrintTable(db::Connection& c, const QString& table)
{
    db::Query q(QStringLiteral("SELECT makeid, bed, zhahao, barcode, sizename, amount, color, workid, chbed FROM %1 "
                               "ORDER BY makeid, bed, zhahao, workid")
                    .arg(table),
                c);
    q.exec();
    QList<Coupon> rows;
    while (q.next()) {
        Coupon coupon;
        coupon.makeid = q.value(0).toString().trimmed();
        coupon.bed = q.value(1).toInt();
        coupon.zhahao = q.value(2).toInt();
        coupon.barcode = q.value(3).toString().trimmed();
        coupon.sizename = q.value(4).toString();
        coupon.amount = q.value(5).toString().trimmed();
        coupon.color = q.value(6).toString().trimmed();
        coupon.workid = q.value(7).toInt();
        coupon.chbed = q.value(8).toString();
        rows << coupon;
    }
    return rows;
}

int printRun(db::Connection& c, const procs::PrintTables& tables, report::PageStream& out, const RunOptions& options,
             QString* error)
{
    const procs::PrintCounts counts = procs::SP_countprint(c, tables);
    const int pages = qMax(pagesFor(counts.wL, counts.Wlt), pagesFor(counts.wB, counts.wbt));
    SegmentLookup segments;
    if (options.segments) {
        auto known = std::make_shared<QHash<int, QString>>();
        segments = [&c, known](int workid) {
            auto it = known->constFind(workid);
            if (it == known->constEnd())
                it = known->insert(workid, procs::segmentName(c, workid));
            return *it;
        };
    }
    Assembler assembler(readPrintTable(c, tables.left), readPrintTable(c, tables.right), pages, options.mode,
                        segments);
    TicketPage page;
    while (assembler.next(&page)) {
        if (!out.add(drawPage(page, options.layout))) {
            if (error)
                *error = out.error();
            return assembler.pagesDone() - 1;
        }
        if (options.progress)
            options.progress(assembler.pagesDone(), pages);
    }
    if (!out.finish() && error)
        *error = out.error();
    return assembler.pagesDone();
}

}  // namespace tickets
