#pragma once
// The process-list procedures: the per-connection working list on which an order's processes
// are built (tempworkname), and the copy of that list into the order's saved processes.
//
// Piece price: 津贴 (pricetie) is a percentage allowance on the base price 单价 (priceone):
//     price = priceone × (1 + pricetie ÷ 100), rounded to 4 decimals.
// A process without a base price has no piece price.

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

namespace db {
class Connection;
}

namespace procs {

struct WorkRow {
    int id = 0;
    QVariant workid;     // null for a row not numbered yet
    QString workname;
    int jianshu = 0;     // pieces
    QVariant priceone;   // base price (null: none)
    QVariant pricetie;   // allowance in percent (null: none)
    QVariant price;      // piece price, computed
    QVariant maketotal;  // jianshu × price, computed
    bool lbiao = false;  // main process
    QVariant origworkid; // the saved process this row was loaded from (null: a new row)
};

// The SQL expression of the piece price over columns priceone and pricetie.
QString piecePriceExpression();

void createTempWorkname(db::Connection& c);
void dropTempWorkname(db::Connection& c);

enum class WorknameOp { Remove = 0, Add = 1, List = 2 };

// sp_insertworkname: Remove deletes the row numbered gh; Add appends a row from the other
// values (a second row with the same number, or a second unnumbered row, is refused by the
// unique index); List changes nothing. Then recomputes prices and returns the list ordered by
// number (unnumbered rows last). Throws db::DbError.
QList<WorkRow> sp_insertworkname(db::Connection& c, WorknameOp flat, int gh = 0,
                                 const QVariant& gx = {}, const QString& gxm = {}, int jianshu = 0,
                                 const QVariant& priceone = {}, const QVariant& pricetie = {},
                                 bool lbiao = false, const QVariant& origworkid = {});

// Numbers first..last as unnamed, unpriced processes of pieces each, in one statement.
// Refuses a range of more than kMaxProcesses numbers.
constexpr int kMaxProcesses = 999;
void numberRange(db::Connection& c, int first, int last, int pieces);

// Loads the order's saved processes into the (emptied) working list, remembering each row's
// saved number.
void loadSavedList(db::Connection& c, const QString& makeid);

// SP_insertmakeid: copies the working list into workname for the order, dated makedate.
// Refuses a list with an unnumbered process. Runs in the caller's transaction.
void SP_insertmakeid(db::Connection& c, const QString& makeid, const QDate& makedate);

// Process numbers of the order that have coupons and would not stay the same process if the
// working list were saved: dropped, renumbered, or their number given to another row. Saving
// would leave those coupons pointing at the wrong process.
QList<int> processesWithCouponsMissingFromList(db::Connection& c, const QString& makeid);

}  // namespace procs
