#include "server/demodata.h"

#include "common/db.h"
#include "server/seed.h"

namespace demo {

namespace {

void company(db::Connection& c)
{
    db::Query(QStringLiteral(
                  "UPDATE sysInfo SET company=:c, faren=:f, Telphone=:t, bank=:b, zhanghao=:z, "
                  "shuihao=:s, address=:a, caiwuqi=:q"),
              c)
        .bind(QStringLiteral(":c"), QStringLiteral("Ventrel演示制衣厂"))
        .bind(QStringLiteral(":f"), QStringLiteral("陈立明"))
        .bind(QStringLiteral(":t"), QStringLiteral("0769-8512 3366"))
        .bind(QStringLiteral(":b"), QStringLiteral("中国工商银行东莞虎门支行"))
        .bind(QStringLiteral(":z"), QStringLiteral("6222 0210 0401 2233 445"))
        .bind(QStringLiteral(":s"), QStringLiteral("441900123456789"))
        .bind(QStringLiteral(":a"), QStringLiteral("广东省东莞市虎门镇龙眼工业区 8 号"))
        .bind(QStringLiteral(":q"), QStringLiteral("每月25日"))
        .exec();
}

// The clerk may do the daily work but not administration, backups or clearing data.
void clerk(db::Connection& c)
{
    seed::addUser(c, QStringLiteral("clerk"), QStringLiteral("clerk"), true);
    const QStringList denied = {
        QStringLiteral("系统信息"),   QStringLiteral("权限管理"),     QStringLiteral("用户管理"),
        QStringLiteral("工菲数据清理"), QStringLiteral("工资数据清理"), QStringLiteral("考勤数据清理"),
        QStringLiteral("数据库备份"), QStringLiteral("备份/还原数据"),
        QStringLiteral("员工工资报表")};
    for (const QString& entry : denied)
        db::Query(QStringLiteral("UPDATE setright SET wetheruse=0 WHERE username=:u AND viewname=:v"),
                  c)
            .bind(QStringLiteral(":u"), QStringLiteral("clerk"))
            .bind(QStringLiteral(":v"), entry)
            .exec();
}

}  // namespace

void fill(db::Connection& c)
{
    db::Transaction tx(c);
    company(c);
    clerk(c);
    tx.commit();
}

}  // namespace demo
