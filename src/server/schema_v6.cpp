// Version 6: a time-clock card belongs to one employee, since punches are paid to the card's
// owner; two workstations registering the same card cannot both store it. Also the hourly-work
// records, which the hourly-work query of the personnel screens reads.

#include "common/db.h"
#include "server/schemasteps.h"

namespace schema::steps {

void v6(db::Connection& c)
{
    run(c, QStringLiteral("DROP INDEX ix_personnel_kardno"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_personnel_kardno ON personnel(kardNO) "
                          "WHERE kardNO IS NOT NULL AND kardNO <> ''"));
    run(c, QStringLiteral("CREATE TABLE workertime (id {ID}, personnelid VARCHAR(30), personnelname VARCHAR(30), "
                          "deptname VARCHAR(30), worktime {DECIMAL}, price {MONEY}, total {MONEY}, sintime {DATETIME}, "
                          "servertime {DATETIME}, beizhu VARCHAR(50))"));
    run(c, QStringLiteral("CREATE INDEX ix_workertime_sintime ON workertime(sintime)"));
}

}  // namespace schema::steps
