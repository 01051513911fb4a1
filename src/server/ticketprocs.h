#pragma once
// The print work tables of the ticket screens and the procedures that read them.
//
// Each ticket screen fills a left and a right table of its own connection (temporary tables,
// invisible to other workstations) with the coupons to print, one row per coupon, and the page
// assembly reads them back in print order.

#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace procs {

struct PrintTables {
    QString left;
    QString right;
};

// The bundle and lot screens' tables, and the continuous screen's.
PrintTables ticketTables();
PrintTables continuousTables();

void createPrintTables(db::Connection& c, const PrintTables& t);
void dropPrintTables(db::Connection& c, const PrintTables& t);
// Process ranges not to print (gongxuduan), and the segment names printed on tickets (gongxuming).
void createExclusionTable(db::Connection& c);
void dropExclusionTable(db::Connection& c);
void createSegmentTable(db::Connection& c);
void dropSegmentTable(db::Connection& c);

// What a screen selects: a range of bundle numbers of an order, or a range of its lots.
struct TicketSelection {
    QString makeid;
    int from = 0;
    int to = 0;
    bool lots = false;
};

// Each fill empties both tables first and returns the number of coupons it put in them.
// Lining: bundles split into halves by bundle number, the left half with the extra bundle of an
// odd count; by lot, every lot is halved on its own.
int fillLining(db::Connection& c, const PrintTables& t, const TicketSelection& s);
// Shell: within every bundle, the 1st, 3rd, 5th … coupon (by process) left, the others right.
int fillShell(db::Connection& c, const PrintTables& t, const TicketSelection& s);
// Shell on the continuous screen: processes up to the order's middle process left, the rest right.
int fillProcessSplit(db::Connection& c, const PrintTables& t, const TicketSelection& s);
int middleProcess(int lowest, int highest);

// Removes the coupons of every range in gongxuduan from both tables; returns how many went.
int excludeProcesses(db::Connection& c, const PrintTables& t);

// SP_countprint: bundles and the largest coupon count of one bundle, per table.
struct PrintCounts {
    int wL = 0;   // bundles in the left table
    int Wlt = 0;  // largest number of coupons of one bundle there
    int wB = 0;   // the same for the right table
    int wbt = 0;
};
PrintCounts SP_countprint(db::Connection& c, const PrintTables& t = ticketTables());

// The segment name for a process number from gongxuming, empty when none.
QString segmentName(db::Connection& c, int workid);

// SP_caiprint: the laser sheet's lines. Coupons of one process are paired side by side in bundle
// order (the last one of an odd count alone). sema is the size name, bak the bundle label.
struct LaserLine {
    int workid = 0;
    QString makeid;
    int bed = 0;
    QString sema, semab;
    QString zhahao, zhahaob;
    QString amount, amountb;
    QString bak, bakb;
    QString color, colorb;
    QString barcodea, barcodeb;
};
// flat 1: lot `bed` of the order; flat 2: bundles `bed` … `endbed`.
QList<LaserLine> SP_caiprint(db::Connection& c, int flat, const QString& makeid, int bed, int endbed = 0);

}  // namespace procs
