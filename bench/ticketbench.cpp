// Ticket printing at lot scale: the tickets of a lot of 400 bundles × 60 processes (24,000
// coupons, 3,000 strip pages in lining mode) rendered to one PDF in the barcode layout, pages
// streamed as they are assembled. Also reports pages per second and how much the process grew
// between the first tenth of the pages and the end (it should not grow with the pages).

#include "benchmark.h"

#include "common/db.h"
#include "common/output.h"
#include "cutting/ticketrun.h"
#include "server/cuttingprocs.h"
#include "server/ticketprocs.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <unistd.h>

namespace bench {

namespace {

constexpr int kProcesses = 60;

std::vector<double> pagesPerSecond;
std::vector<double> growthMb;

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void ensureLot()
{
    if (db::Query(QStringLiteral("SELECT count(*) FROM printout WHERE makeid='TKT'")).scalar().toInt() > 0)
        return;
    db::Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidtotal) VALUES('TKT', 40000)")).exec();
    db::Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('TKT', 1, %1)").arg(kProcesses)).exec();
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                             "INSERT INTO workname(makeid, workid, workname, price) SELECT 'TKT', i, '工序', 0.3 FROM n")
                  .arg(kProcesses))
        .exec();
    // 50 colour lines × 8 sizes: 400 bundles.
    db::Query(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                             "INSERT INTO work(makeid, bed, color, s1, s2, s3, s4, s5, s6, s7, s8, amount) "
                             "SELECT 'TKT', 1, '色' || i, 10, 10, 10, 10, 10, 10, 10, 10, 80 FROM n"))
        .exec();
    QStringList sizes;
    for (int k = 1; k <= 8; ++k)
        sizes << QStringLiteral("Z%1").arg(k);
    procs::generateLot(db::Connection::main(), QStringLiteral("TKT"), sizes, 1);
}

double ticketPdf(const Context& c)
{
    if (!db::TryConnect(c.connectionString, QString()))
        qFatal("cannot open %s", qPrintable(c.connectionString));
    db::Connection& conn = db::Connection::main();
    ensureLot();
    const procs::PrintTables tables = procs::ticketTables();
    procs::createPrintTables(conn, tables);
    const QString path = QDir(c.scratchDir).filePath(QStringLiteral("tickets.pdf"));
    int pages = 0;
    double early = 0;
    const double ms = timeMs([&] {
        procs::fillLining(conn, tables, {QStringLiteral("TKT"), 1, 400, false});
        std::unique_ptr<report::PageStream> out =
            report::pdfStream(path, QStringLiteral("tickets"), tickets::paperFor(tickets::Layout::Barcode));
        tickets::RunOptions options;
        options.layout = tickets::Layout::Barcode;
        options.progress = [&early](int page, int total) {
            if (page == total / 10)
                early = residentMb();
        };
        QString error;
        pages = tickets::printRun(conn, tables, *out, options, &error);
        if (!error.isEmpty())
            qFatal("ticket run: %s", qPrintable(error));
    });
    if (pages != 3000)
        qFatal("printed %d pages, expected 3000", pages);
    pagesPerSecond.push_back(pages / (ms / 1000.0));
    growthMb.push_back(residentMb() - early);
    procs::dropPrintTables(conn, tables);
    conn.close();
    return ms;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

void registerTicketFigures()
{
    addFigure({QStringLiteral("ticket_pdf_24000"), QStringLiteral("ms"), true, 3, ticketPdf});
    // Taken from the runs above; measured nothing of their own.
    addFigure({QStringLiteral("ticket_pages_per_s"), QStringLiteral("pages/s"), true, 1, [](const Context&) {
                   const double v = median(pagesPerSecond);
                   pagesPerSecond.clear();
                   return v;
               }});
    addFigure({QStringLiteral("ticket_pdf_rss_growth"), QStringLiteral("MB"), true, 1, [](const Context&) {
                   const double v = median(growthMb);
                   growthMb.clear();
                   return v;
               }});
}

}  // namespace bench
