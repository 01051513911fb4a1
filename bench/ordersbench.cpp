// Order figures on a factory's history: 100,000 orders and 5,000,000 processes. How long the
// order screen and the process-list screen take to open.

#include "benchmark.h"

#include "common/db.h"
#include "orders/insertzhidan.h"
#include "orders/worknamelist.h"

#include <QCoreApplication>
#include <QSet>

namespace bench {

namespace {

constexpr int kOrders = 100000;
constexpr int kProcessesPerOrder = 50;

void open(const Context& c)
{
    if (!db::TryConnect(c.connectionString, QString()))
        qFatal("cannot open the benchmark database");
}

// Adds the history once per database, set-based.
void ensureHistory(const Context& c)
{
    static QSet<QString> done;
    if (done.contains(c.connectionString))
        return;
    done.insert(c.connectionString);
    open(c);
    db::Connection& conn = db::Connection::main();
    const QString numbers = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ");
    db::Transaction tx;
    db::Query(numbers.arg(kOrders) +
              QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal, makedate, custid, price, totalmoney) "
                             "SELECT 'H' || i, '历史款式 ' || i, 1000 + i % 500, %1, 1, 20, 20 * (1000 + i % 500) FROM n")
                  .arg(conn.dialect().addDays(QStringLiteral("'2020-01-01'"), QStringLiteral("i / 60"))))
        .exec();
    db::Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork, workdate) "
                             "SELECT makeid, 1, %1, makedate FROM zhdan WHERE makeid LIKE 'H%'")
                  .arg(kProcessesPerOrder))
        .exec();
    db::Query(numbers.arg(kProcessesPerOrder) +
              QStringLiteral("INSERT INTO workname(makeid, workid, workname, price, maketotal, priceone, pricetie, lbiao) "
                             "SELECT z.makeid, n.i, '工序 ' || n.i, 0.3210, z.makeidtotal, 0.3, 7, 0 "
                             "FROM zhdan z CROSS JOIN n WHERE z.makeid LIKE 'H%'"))
        .exec();
    tx.commit();
    if (!conn.dialect().isSQLite())
        conn.execute(QStringLiteral("ANALYZE"));
    conn.close();
}

template <typename Screen>
double openScreen(const Context& c)
{
    ensureHistory(c);
    open(c);
    double ms = timeMs([] {
        auto* screen = new Screen;
        screen->show();
        QCoreApplication::processEvents();
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->hide();
        delete screen;
    });
    db::Connection::main().close();
    return ms;
}

}  // namespace

void registerOrderFigures()
{
    addFigure({QStringLiteral("open_order_screen_100k_orders"), QStringLiteral("ms"), true, 7,
               openScreen<Tinsertzhidanfrm>});
    addFigure({QStringLiteral("open_process_list_screen_5m_processes"), QStringLiteral("ms"), true, 7,
               openScreen<Tworkidfrm>});
}

}  // namespace bench
