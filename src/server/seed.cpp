#include "server/seed.h"

#include "common/db.h"
#include "common/menucatalog.h"
#include "common/password.h"

namespace seed {

void syncMenuCatalogue(db::Connection& c)
{
    db::Transaction tx(c);
    db::Query(QStringLiteral("DELETE FROM caidanname"), c).exec();
    for (const CatalogueRow& row : menuCatalogue())
        db::Query(QStringLiteral("INSERT INTO caidanname(modelid, viewname) VALUES(:m, :v)"), c)
            .bind(QStringLiteral(":m"), row.modelid)
            .bind(QStringLiteral(":v"), row.viewname)
            .exec();
    tx.commit();
}

void addUser(db::Connection& c, const QString& name, const QString& password, bool allRights)
{
    db::Transaction tx(c);
    db::Query(QStringLiteral("INSERT INTO \"user\"(username, password) VALUES(:a, :b)"), c)
        .bind(QStringLiteral(":a"), name)
        .bind(QStringLiteral(":b"), hashPassword(password))
        .exec();
    db::Query(QStringLiteral("INSERT INTO setright(username, viewname, wetheruse) "
                             "SELECT :u, viewname, :w FROM caidanname ORDER BY modelid"),
              c)
        .bind(QStringLiteral(":u"), name)
        .bind(QStringLiteral(":w"), allRights)
        .exec();
    tx.commit();
}

void baseData(db::Connection& c)
{
    db::Transaction tx(c);
    syncMenuCatalogue(c);
    addUser(c, QStringLiteral("admin"), QStringLiteral("admin"), true);
    db::Query(QStringLiteral("INSERT INTO sysInfo(company, setdate, huobin) VALUES(:c, 25, :h)"), c)
        .bind(QStringLiteral(":c"), QStringLiteral("Ventrel制衣厂"))
        .bind(QStringLiteral(":h"), QStringLiteral("人民币"))
        .exec();
    tx.commit();
}

}  // namespace seed
