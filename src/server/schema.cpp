#include "server/schema.h"

#include "common/db.h"
#include "server/schemasteps.h"

#include <vector>

namespace schema {

using db::Connection;

namespace steps {

void run(Connection& c, const QString& portableDdl)
{
    c.execute(c.dialect().ddl(portableDdl));
}

void insertCodes(Connection& c, const char* label,
                 std::initializer_list<std::pair<const char*, const char*>> codes)
{
    for (const auto& [typeId, typeName] : codes)
        db::Query(QStringLiteral("INSERT INTO ObjectType(typeid, type, label) VALUES(:i, :t, :l)"),
                  c)
            .bind(QStringLiteral(":i"), typeId)
            .bind(QStringLiteral(":t"), typeName)
            .bind(QStringLiteral(":l"), label)
            .exec();
}

}  // namespace steps

namespace {

struct Step {
    int version;
    void (*apply)(Connection&);
};

}  // namespace

namespace steps {

// Users, menu rights and the catalogue of governed menu entries.
void v1(Connection& c)
{
    run(c, QStringLiteral("CREATE TABLE dbversion (version INTEGER NOT NULL)"));
    run(c, QStringLiteral("CREATE TABLE \"user\" (username VARCHAR(50) NOT NULL, "
                          "password VARCHAR(200))"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_user_username ON \"user\"(username)"));
    run(c, QStringLiteral("CREATE TABLE setright (username VARCHAR(50) NOT NULL, "
                          "viewname VARCHAR(50) NOT NULL, wetheruse {BIT} NOT NULL DEFAULT 0)"));
    run(c, QStringLiteral("CREATE INDEX ix_setright_username ON setright(username)"));
    run(c, QStringLiteral("CREATE TABLE caidanname (modelid INTEGER NOT NULL, "
                          "viewname VARCHAR(50) NOT NULL)"));
}

// Company particulars with the closing day, and the shared code lists.
void v2(Connection& c)
{
    run(c, QStringLiteral(
               "CREATE TABLE sysInfo (company VARCHAR(100), faren VARCHAR(50), setdate INTEGER, "
               "Telphone VARCHAR(50), huobin VARCHAR(20), bank VARCHAR(100), "
               "zhanghao VARCHAR(50), shuihao VARCHAR(50), address VARCHAR(200), "
               "caiwuqi VARCHAR(50))"));
    run(c, QStringLiteral("CREATE TABLE ObjectType (typeid VARCHAR(10) NOT NULL, "
                          "type VARCHAR(50) NOT NULL, label VARCHAR(20) NOT NULL)"));
    run(c, QStringLiteral("CREATE UNIQUE INDEX ux_objecttype ON ObjectType(label, typeid)"));
    insertCodes(c, "hunyin", {{"1", "未婚"}, {"2", "已婚"}, {"3", "离异"}, {"4", "丧偶"}});
    insertCodes(c, "xuexing", {{"A", "A型"}, {"B", "B型"}, {"AB", "AB型"}, {"O", "O型"},
                               {"X", "其他"}});
    insertCodes(c, "guanxi", {{"1", "父母"}, {"2", "配偶"}, {"3", "子女"}, {"4", "兄弟姐妹"},
                              {"5", "亲戚"}, {"6", "朋友"}, {"7", "其他"}});
    insertCodes(c, "ACOM", {{"1", "COM1"}, {"2", "COM2"}, {"3", "COM3"}, {"4", "COM4"},
                            {"5", "COM5"}, {"6", "COM6"}, {"7", "COM7"}, {"8", "COM8"}});
    insertCodes(c, "shougong", {{"1", "上班"}, {"2", "下班"}, {"3", "加班上班"},
                                {"4", "加班下班"}, {"5", "忘记打卡"}});
    insertCodes(c, "waiqin", {{"9", "出差"}, {"10", "加班"}, {"11", "外勤"}, {"12", "请假"}});
    insertCodes(c, "gongxiu", {{"13", "公休"}, {"15", "停工"}});
    insertCodes(c, "gongzi", {{"1", "应发项目"}, {"2", "扣款项目"}, {"3", "补贴项目"}});
    insertCodes(c, "jiangfa", {{"1", "奖励"}, {"2", "罚款"}, {"3", "补贴"}});
    insertCodes(c, "dept", {{"1", "裁床"}, {"2", "车缝"}, {"3", "后整"}, {"4", "包装"},
                            {"5", "外发"}});
}

}  // namespace steps

namespace {

const std::vector<Step>& allSteps()
{
    static const std::vector<Step> list = {
        {1, steps::v1},
        {2, steps::v2},
        {3, steps::v3},
        {4, steps::v4},
        {5, steps::v5},
        {6, steps::v6},
    };
    return list;
}

}  // namespace

int currentVersion()
{
    return allSteps().back().version;
}

int storedVersion(Connection& c)
{
    if (c.tableExists(QStringLiteral("dbversion"))) {
        const QVariant v = db::Query(QStringLiteral("SELECT max(version) FROM dbversion"), c).scalar();
        return v.isNull() ? kNotOurs : v.toInt();
    }
    const QString anyTable =
        c.dialect().isSQLite()
            ? QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                             "AND name NOT LIKE 'sqlite_%'")
            : QStringLiteral("SELECT count(*) FROM information_schema.tables "
                             "WHERE table_schema=current_schema()");
    return db::Query(anyTable, c).scalar().toInt() == 0 ? 0 : kNotOurs;
}

void upgrade(Connection& c, int target, const std::function<void(int)>& stepDone)
{
    if (target < 0)
        target = currentVersion();
    const int from = storedVersion(c);
    if (from == kNotOurs)
        throw db::DbError(QStringLiteral("这不是本系统的数据库（缺少版本记录），不能升级。"));
    if (from > currentVersion())
        throw db::DbError(QStringLiteral("数据库版本 %1 比本程序支持的版本 %2 新，请先升级程序。")
                              .arg(from)
                              .arg(currentVersion()));
    for (const Step& step : allSteps()) {
        if (step.version <= from || step.version > target)
            continue;
        db::Transaction tx(c);
        step.apply(c);
        db::Query(QStringLiteral("DELETE FROM dbversion"), c).exec();
        db::Query(QStringLiteral("INSERT INTO dbversion(version) VALUES(:v)"), c)
            .bind(QStringLiteral(":v"), step.version)
            .exec();
        tx.commit();
        if (stepDone)
            stepDone(step.version);
    }
}

}  // namespace schema
