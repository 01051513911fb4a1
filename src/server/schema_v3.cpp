// Version 3: the factory's people and organisation, and what it produces: customers, orders
// with their colour × size breakdown, colours, sizes and their sets, process lists, style
// templates and goods.

#include "common/db.h"
#include "server/schemasteps.h"

namespace schema::steps {

namespace {

void personnel(db::Connection& c)
{
    run(c, QStringLiteral(
               "CREATE TABLE personnel (id {ID}, personnelid VARCHAR(20) NOT NULL, "
               "personnelname VARCHAR(50), sex VARCHAR(4), kardNO VARCHAR(30), type VARCHAR(50), "
               "deptid VARCHAR(50), deptname VARCHAR(50), onedept INTEGER, twodept INTEGER, "
               "zhiweiid INTEGER, worktime {DATETIME}, personnelcard VARCHAR(30), "
               "address VARCHAR(200), telphone VARCHAR(50), hunyin VARCHAR(10), roomid VARCHAR(20), "
               "roomlie VARCHAR(20), zaizhi {BIT} NOT NULL DEFAULT 0, lizhidate {DATETIME})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_personnel_personnelid ON personnel(personnelid)"));
    run(c, QStringLiteral("CREATE INDEX ix_personnel_deptname ON personnel(deptname)"));
    run(c, QStringLiteral("CREATE INDEX ix_personnel_name ON personnel(personnelname)"));
    run(c, QStringLiteral("CREATE INDEX ix_personnel_kardno ON personnel(kardNO)"));

    run(c, QStringLiteral(
               "CREATE TABLE personlabel (personid INTEGER NOT NULL, birthday {DATETIME}, "
               "high VARCHAR(20), heith VARCHAR(20), bood VARCHAR(10), countryid INTEGER, "
               "shengjiid INTEGER, mingzhuid INTEGER, zhongjiaoid INTEGER, zhuzhi VARCHAR(200), "
               "mobile VARCHAR(50), email VARCHAR(100), pepo VARCHAR(50), guanxi VARCHAR(10), "
               "Tel VARCHAR(50), tech VARCHAR(100), technologe VARCHAR(200), aihao VARCHAR(200), "
               "yueyulan {BIT} DEFAULT 0, chinalan {BIT} DEFAULT 0, Englishlan {BIT} DEFAULT 0, "
               "kejialan {BIT} DEFAULT 0, jinpanlan {BIT} DEFAULT 0, otherlan {BIT} DEFAULT 0, "
               "beizhu {TEXT})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_personlabel_personid ON personlabel(personid)"));
    run(c, QStringLiteral("CREATE TABLE xueli (id {ID}, personnelid VARCHAR(20) NOT NULL, "
                          "yeardate VARCHAR(30), type VARCHAR(100))"));
    run(c, QStringLiteral("CREATE INDEX ix_xueli_personnelid ON xueli(personnelid)"));
    run(c, QStringLiteral("CREATE TABLE job (id {ID}, personnelid VARCHAR(20) NOT NULL, "
                          "yeardate VARCHAR(30), type VARCHAR(200))"));
    run(c, QStringLiteral("CREATE INDEX ix_job_personnelid ON job(personnelid)"));
    run(c, QStringLiteral("CREATE TABLE diaodong (id {ID}, personid VARCHAR(20) NOT NULL, "
                          "dtime {DATETIME}, bwork VARCHAR(50), hwork VARCHAR(50), "
                          "season VARCHAR(200), shehe VARCHAR(50))"));
    run(c, QStringLiteral("CREATE INDEX ix_diaodong_personid ON diaodong(personid)"));
}

void organisation(db::Connection& c)
{
    run(c, QStringLiteral("CREATE TABLE dept (deptid VARCHAR(50) NOT NULL, deptname VARCHAR(50), "
                          "id {ID})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_dept_deptid ON dept(deptid)"));
    run(c, QStringLiteral("CREATE TABLE onedept (sysid {ID}, deptid VARCHAR(50), onedept VARCHAR(50))"));
    run(c, QStringLiteral("CREATE INDEX ix_onedept_deptid ON onedept(deptid)"));
    run(c, QStringLiteral("CREATE TABLE twodept (twoid {ID}, sysid INTEGER, twodept VARCHAR(50))"));
    run(c, QStringLiteral("CREATE INDEX ix_twodept_sysid ON twodept(sysid)"));
    run(c, QStringLiteral("CREATE TABLE zhiwei (zhiweiid {ID}, zhiwei VARCHAR(50) NOT NULL, "
                          "jiawage {BIT} DEFAULT 0, rebanwage {BIT} DEFAULT 0)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_zhiwei_zhiwei ON zhiwei(zhiwei)"));
    run(c, QStringLiteral("CREATE TABLE worktype (id {ID}, typename VARCHAR(50) NOT NULL)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_worktype_typename ON worktype(typename)"));
    run(c, QStringLiteral("CREATE TABLE room (roomid VARCHAR(20) NOT NULL, amount INTEGER)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_room_roomid ON room(roomid)"));
    run(c, QStringLiteral("CREATE TABLE zhusu (id {ID}, personnelid VARCHAR(50), "
                          "begtime {DATETIME}, endtime {DATETIME}, biao {BIT} DEFAULT 0)"));
    run(c, QStringLiteral("CREATE INDEX ix_zhusu_personnelid ON zhusu(personnelid)"));
    const char* dictionaries[][3] = {{"country", "countryid", "country"},
                                     {"shengji", "shengjiid", "shengjiname"},
                                     {"minzhu", "minzhuid", "minzhuname"},
                                     {"zhongjiao", "zhongjiaoid", "zhongjiaoname"}};
    for (const auto& d : dictionaries) {
        run(c, QStringLiteral("CREATE TABLE %1 (%2 {ID}, %3 VARCHAR(50) NOT NULL)")
                   .arg(QLatin1String(d[0]), QLatin1String(d[1]), QLatin1String(d[2])));
        run(c, QStringLiteral("CREATE UNIQUE INDEX ux_%1_name ON %1(%2)")
                   .arg(QLatin1String(d[0]), QLatin1String(d[2])));
    }
    run(c, QStringLiteral("CREATE TABLE jibie (jibie VARCHAR(20) NOT NULL, price {MONEY})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_jibie_jibie ON jibie(jibie)"));
}

void orders(db::Connection& c)
{
    run(c, QStringLiteral(
               "CREATE TABLE customer (customer VARCHAR(50) NOT NULL, custid {ID}, "
               "telphone VARCHAR(50), Fax VARCHAR(50), mobile VARCHAR(50), email VARCHAR(100), "
               "address VARCHAR(200), bank VARCHAR(100), man VARCHAR(50))"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_customer_customer ON customer(customer)"));
    run(c, QStringLiteral(
               "CREATE TABLE zhdan (makeid VARCHAR(50) NOT NULL, makeidname VARCHAR(50), "
               "makeidtotal INTEGER, makedate {DATETIME}, custid INTEGER, saledate {DATETIME}, "
               "shenhe {BIT} DEFAULT 0, sysid INTEGER, price {MONEY}, kid INTEGER, "
               "totalmoney {MONEY})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_zhdan_makeid ON zhdan(makeid)"));
    run(c, QStringLiteral("CREATE INDEX ix_zhdan_makedate ON zhdan(makedate)"));
    run(c, QStringLiteral("CREATE INDEX ix_zhdan_custid ON zhdan(custid)"));
    run(c, QStringLiteral(
               "CREATE TABLE zhdanmx (makeid VARCHAR(50) NOT NULL, color VARCHAR(50), ma VARCHAR(50), "
               "acount INTEGER, price {MONEY}, guige VARCHAR(50), zhelv {DECIMAL})"));
    // One cell per colour and size: two saves of one breakdown cannot both land.
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_zhdanmx ON zhdanmx(makeid, color, ma)"));

    run(c, QStringLiteral("CREATE TABLE color (color VARCHAR(50), colorname VARCHAR(50) NOT NULL, "
                          "sysid {ID})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_color_colorname ON color(colorname)"));
    run(c, QStringLiteral("CREATE TABLE ma (ma VARCHAR(50) NOT NULL, id {ID})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_ma_ma ON ma(ma)"));
    run(c, QStringLiteral("CREATE TABLE colortitle (kid {ID}, kuangname VARCHAR(50) NOT NULL, "
                          "beizhu VARCHAR(200))"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_colortitle_kuangname ON colortitle(kuangname)"));
    run(c, QStringLiteral("CREATE TABLE colorzu (kid INTEGER NOT NULL, sysid INTEGER NOT NULL)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_colorzu ON colorzu(kid, sysid)"));
    run(c, QStringLiteral("CREATE TABLE mazu (id INTEGER NOT NULL, kid INTEGER NOT NULL)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_mazu ON mazu(kid, id)"));
    run(c, QStringLiteral("CREATE VIEW vm_colorzu AS SELECT z.kid, z.sysid, c.color, c.colorname "
                          "FROM colorzu z JOIN color c ON c.sysid = z.sysid"));
    run(c, QStringLiteral("CREATE VIEW vm_mazu AS SELECT z.kid, z.id, m.ma "
                          "FROM mazu z JOIN ma m ON m.id = z.id"));

    run(c, QStringLiteral("CREATE TABLE worktotal (makeid VARCHAR(50) NOT NULL, starwork INTEGER, "
                          "endwork INTEGER, workdate {DATETIME}, sysid {ID})"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_worktotal_makeid ON worktotal(makeid)"));
    run(c, QStringLiteral("CREATE INDEX ix_worktotal_workdate ON worktotal(workdate)"));
    run(c, QStringLiteral(
               "CREATE TABLE workname (makeid VARCHAR(50) NOT NULL, workid INTEGER, "
               "workname VARCHAR(50), price {MONEY}, maketotal INTEGER, makedate {DATETIME}, "
               "priceone {FLOAT}, pricetie {FLOAT}, lbiao {BIT} DEFAULT 0, deptname VARCHAR(50))"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_workname ON workname(makeid, workid)"));

    run(c, QStringLiteral(
               "CREATE TABLE kuanName (id {ID}, kuanhao VARCHAR(50), kuanName VARCHAR(50), "
               "biaokuanName VARCHAR(50), Unit VARCHAR(10), gongshi VARCHAR(20), Money VARCHAR(20), "
               "Customer VARCHAR(50), beizhu VARCHAR(200), startwork VARCHAR(10), endwork VARCHAR(10))"));
    run(c, QStringLiteral(
               "CREATE TABLE strock (id {ID}, strockid VARCHAR(50), strockname VARCHAR(100), "
               "color VARCHAR(50), unit VARCHAR(20), strocklei VARCHAR(50), saleprice {MONEY}, "
               "inprice {MONEY}, outprice {MONEY}, highstock {DECIMAL}, lowstock {DECIMAL}, "
               "stock {DECIMAL}, pinpai VARCHAR(50), madempy VARCHAR(100), ordermade {DECIMAL}, "
               "madecountry VARCHAR(50), guigeunit VARCHAR(20), guige VARCHAR(50), "
               "barcode VARCHAR(50), beizhu VARCHAR(200))"));
    run(c, QStringLiteral("CREATE INDEX ix_strock_strockid ON strock(strockid)"));
}

}  // namespace

void v3(db::Connection& c)
{
    personnel(c);
    organisation(c);
    orders(c);
}

}  // namespace schema::steps
