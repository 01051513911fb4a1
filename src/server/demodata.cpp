#include "server/demodata.h"

#include "common/db.h"
#include "server/cuttingprocs.h"
#include "server/pieceprocs.h"
#include "server/processprocs.h"
#include "server/seed.h"

#include <QDate>

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

void exec(db::Connection& c, const QString& sql)
{
    db::Query(sql, c).exec();
}

int scalar(db::Connection& c, const QString& sql, const QString& name = {}, const QVariant& value = {})
{
    db::Query q(sql, c);
    if (!name.isEmpty())
        q.bind(name, value);
    return q.scalar().toInt();
}

// Colours, sizes and two colour/size sets.
void coloursAndSizes(db::Connection& c)
{
    const char* colours[][2] = {{"01", "白色"}, {"02", "黑色"}, {"03", "藏青"}, {"04", "浅蓝"}, {"05", "卡其"},
                                {"06", "酒红"}, {"07", "灰色"}, {"08", "米白"}};
    for (const auto& col : colours)
        db::Query(QStringLiteral("INSERT INTO color(color, colorname) VALUES(:a, :b)"), c)
            .bind(QStringLiteral(":a"), col[0])
            .bind(QStringLiteral(":b"), col[1])
            .exec();
    for (const char* size : {"S", "M", "L", "XL", "XXL", "28", "29", "30", "31", "32", "33", "34", "均码"})
        db::Query(QStringLiteral("INSERT INTO ma(ma) VALUES(:a)"), c).bind(QStringLiteral(":a"), size).exec();
    struct Set {
        const char* name;
        QStringList colours;
        QStringList sizes;
    };
    const Set sets[] = {
        {"衬衫五色", {"白色", "浅蓝", "藏青", "黑色", "米白"}, {"S", "M", "L", "XL", "XXL"}},
        {"西裤三色", {"黑色", "藏青", "卡其"}, {"28", "29", "30", "31", "32", "33", "34"}},
    };
    for (const Set& set : sets) {
        db::Query(QStringLiteral("INSERT INTO colortitle(kuangname, beizhu) VALUES(:a, :b)"), c)
            .bind(QStringLiteral(":a"), set.name)
            .bind(QStringLiteral(":b"), QStringLiteral("演示"))
            .exec();
        const int kid = scalar(c, QStringLiteral("SELECT kid FROM colortitle WHERE kuangname=:a"), QStringLiteral(":a"),
                               QString::fromUtf8(set.name));
        for (const QString& colour : set.colours)
            db::Query(QStringLiteral("INSERT INTO colorzu(kid, sysid) SELECT :k, sysid FROM color WHERE colorname=:n"), c)
                .bind(QStringLiteral(":k"), kid)
                .bind(QStringLiteral(":n"), colour)
                .exec();
        for (const QString& size : set.sizes)
            db::Query(QStringLiteral("INSERT INTO mazu(kid, id) SELECT :k, id FROM ma WHERE ma=:n"), c)
                .bind(QStringLiteral(":k"), kid)
                .bind(QStringLiteral(":n"), size)
                .exec();
    }
}

void customers(db::Connection& c)
{
    exec(c, QStringLiteral(
                "INSERT INTO customer(customer, telphone, Fax, mobile, email, address, man) VALUES "
                "('华联服饰贸易有限公司', '020-8765 4321', '020-8765 4322', '13902211234', 'order@hualian.example', "
                "'广州市越秀区环市东路 88 号', '林小姐'), "
                "('远东制衣进出口公司', '0755-2233 4455', '0755-2233 4456', '13823345566', 'buy@yuandong.example', "
                "'深圳市罗湖区人民南路 12 号', '陈先生'), "
                "('晨光校服有限公司', '0769-2288 1100', NULL, '13712340987', NULL, '东莞市南城区鸿福路 5 号', '王经理')"));
}

// The processes of one style: name, base price in yuan, allowance in percent, main process.
struct Process {
    const char* name;
    double price;
    double allowance;
    bool main;
};

QList<Process> shirtProcesses()
{
    return {{"裁片", 0.08, 0, false},   {"粘领衬", 0.05, 0, false}, {"做领", 0.45, 7, true},   {"翻领", 0.12, 0, false},
            {"压领线", 0.15, 0, false}, {"做袖衩", 0.22, 7, false}, {"做克夫", 0.30, 7, false}, {"做门襟", 0.25, 0, false},
            {"做口袋", 0.18, 0, false}, {"上口袋", 0.20, 0, false}, {"合肩缝", 0.10, 0, false}, {"上领", 0.55, 7, true},
            {"上袖", 0.48, 7, true},    {"合侧缝", 0.35, 0, false}, {"上克夫", 0.32, 7, false}, {"卷底边", 0.16, 0, false},
            {"锁眼", 0.06, 0, false},   {"钉扣", 0.06, 0, false},   {"剪线头", 0.05, 0, false}, {"查衫", 0.10, 0, false},
            {"整烫", 0.35, 0, false},   {"折衫", 0.12, 0, false},   {"包装", 0.08, 0, false},   {"装箱", 0.03, 0, false}};
}

QList<Process> trouserProcesses()
{
    return {{"裁片", 0.10, 0, false},   {"锁边", 0.15, 0, false},   {"做后袋", 0.65, 7, true},  {"开后袋", 0.40, 7, false},
            {"做侧袋", 0.45, 7, false}, {"上侧袋", 0.30, 0, false}, {"做门襟", 0.38, 7, true},  {"上拉链", 0.28, 0, false},
            {"合前浪", 0.18, 0, false}, {"合后浪", 0.18, 0, false}, {"合侧缝", 0.32, 0, false}, {"合内长", 0.30, 0, false},
            {"做腰头", 0.42, 7, false}, {"上腰头", 0.58, 7, true},  {"做裤袢", 0.12, 0, false}, {"钉裤袢", 0.15, 0, false},
            {"卷脚口", 0.20, 0, false}, {"打枣", 0.10, 0, false},   {"锁眼", 0.05, 0, false},   {"钉扣", 0.05, 0, false},
            {"剪线头", 0.06, 0, false}, {"查裤", 0.12, 0, false},   {"整烫", 0.40, 0, false},   {"挂吊牌", 0.04, 0, false},
            {"折裤", 0.08, 0, false},   {"包装", 0.06, 0, false}};
}

QList<Process> jacketProcesses()
{
    QList<Process> list = {
        {"裁面布", 0.20, 0, false},  {"裁里布", 0.15, 0, false}, {"粘衬", 0.18, 0, false},    {"做前片", 0.60, 7, true},
        {"做后片", 0.45, 7, false},  {"拼肩", 0.20, 0, false},   {"做领", 0.85, 7, true},     {"上领", 0.95, 7, true},
        {"做袖", 0.70, 7, false},    {"上袖", 1.10, 7, true},    {"做袖口", 0.35, 0, false},  {"做胸袋", 0.55, 7, false},
        {"做插袋", 0.65, 7, false},  {"上拉链", 0.75, 7, true},  {"做帽", 1.20, 7, false},    {"上帽", 0.90, 7, false},
        {"做里布", 0.80, 0, false},  {"合里布", 0.60, 0, false}, {"做下摆", 0.40, 0, false},  {"压明线", 0.45, 0, false},
        {"打枣", 0.12, 0, false},    {"锁眼", 0.08, 0, false},   {"钉扣", 0.10, 0, false},    {"钉商标", 0.05, 0, false},
        {"剪线头", 0.10, 0, false},  {"查衣", 0.25, 0, false},   {"整烫", 0.80, 0, false},    {"挂吊牌", 0.05, 0, false},
        {"套胶袋", 0.06, 0, false},  {"装箱", 0.05, 0, false},
    };
    return list;
}

QList<Process> tshirtProcesses()
{
    return {{"裁片", 0.05, 0, false},   {"合肩", 0.06, 0, false},   {"上领", 0.18, 7, true},   {"压领", 0.10, 0, false},
            {"上袖", 0.15, 7, true},    {"合侧缝", 0.14, 0, false}, {"卷袖口", 0.08, 0, false}, {"卷下摆", 0.08, 0, false},
            {"钉商标", 0.03, 0, false}, {"印花", 0.30, 7, false},   {"剪线头", 0.04, 0, false}, {"查衫", 0.06, 0, false},
            {"整烫", 0.15, 0, false},   {"折衫", 0.05, 0, false},   {"套胶袋", 0.03, 0, false}, {"装箱", 0.02, 0, false},
            {"打标", 0.03, 0, false},   {"过针", 0.02, 0, false},   {"配码", 0.03, 0, false},   {"挂吊牌", 0.03, 0, false}};
}

struct DemoOrder {
    const char* makeid;
    const char* name;
    const char* customer;
    const char* set;  // colour/size set, or nullptr
    int daysAgo;
    int shipInDays;
    const char* price;
    QList<Process> processes;
};

// A lot of pieces per colour and size, the middle sizes larger, always the same numbers.
int cellPieces(int colour, int size, int sizes)
{
    const int middle = sizes / 2;
    const int distance = size > middle ? size - middle : middle - size;
    return (60 - distance * 15 + colour * 10) / 10 * 10 + 10;
}

void orders(db::Connection& c)
{
    const QDate today = QDate::currentDate();
    const DemoOrder list[] = {
        {"SH2601", "男装长袖衬衫", "华联服饰贸易有限公司", "衬衫五色", 20, 25, "38.50", shirtProcesses()},
        {"XK2601", "男装西裤", "远东制衣进出口公司", "西裤三色", 15, 30, "52.00", trouserProcesses()},
        {"JK2601", "连帽夹克", "远东制衣进出口公司", "衬衫五色", 10, 40, "128.00", jacketProcesses()},
        {"TX2601", "校服T恤", "晨光校服有限公司", "衬衫五色", 6, 20, "18.80", tshirtProcesses()},
        {"SH2602", "女装短袖衬衫", "华联服饰贸易有限公司", "衬衫五色", 2, 35, "35.00", shirtProcesses().mid(0, 22)},
    };
    for (const DemoOrder& o : list) {
        const QString makeid = QString::fromUtf8(o.makeid);
        const int kid = scalar(c, QStringLiteral("SELECT kid FROM colortitle WHERE kuangname=:a"), QStringLiteral(":a"),
                               QString::fromUtf8(o.set));
        // The breakdown first: its sum is the order's quantity.
        QStringList colours;
        QStringList sizes;
        db::Query cq(QStringLiteral("SELECT colorname FROM vm_colorzu WHERE kid=:k ORDER BY sysid"), c);
        cq.bind(QStringLiteral(":k"), kid).exec();
        while (cq.next())
            colours << cq.value(0).toString();
        db::Query sq(QStringLiteral("SELECT ma FROM vm_mazu WHERE kid=:k ORDER BY id"), c);
        sq.bind(QStringLiteral(":k"), kid).exec();
        while (sq.next())
            sizes << sq.value(0).toString();
        const int colourCount = makeid == QLatin1String("TX2601") ? 2 : int(colours.size());
        int total = 0;
        for (int i = 0; i < colourCount; ++i)
            for (int j = 0; j < sizes.size(); ++j) {
                const int pieces = cellPieces(i, j, int(sizes.size()));
                total += pieces;
                db::Query(QStringLiteral("INSERT INTO zhdanmx(makeid, color, ma, acount, price, guige) "
                                         "VALUES(:m, :c, :s, :a, :p, :g)"),
                          c)
                    .bind(QStringLiteral(":m"), makeid)
                    .bind(QStringLiteral(":c"), colours[i])
                    .bind(QStringLiteral(":s"), sizes[j])
                    .bind(QStringLiteral(":a"), pieces)
                    .bind(QStringLiteral(":p"), QString::fromLatin1(o.price))
                    .bind(QStringLiteral(":g"), QStringLiteral("标准"))
                    .exec();
            }
        const Money price = Money::fromString(QString::fromLatin1(o.price));
        db::Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal, makedate, custid, saledate, "
                                 "price, kid, totalmoney) SELECT :m, :n, :t, :d, custid, :s, :p, :k, :v "
                                 "FROM customer WHERE customer=:c"),
                  c)
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":n"), QString::fromUtf8(o.name))
            .bind(QStringLiteral(":t"), total)
            .bind(QStringLiteral(":d"), today.addDays(-o.daysAgo))
            .bind(QStringLiteral(":s"), today.addDays(o.shipInDays))
            .bind(QStringLiteral(":p"), price)
            .bind(QStringLiteral(":k"), kid)
            .bind(QStringLiteral(":v"), price * total)
            .bind(QStringLiteral(":c"), QString::fromUtf8(o.customer))
            .exec();
        // The process list: header and processes with piece prices.
        db::Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork, workdate) VALUES(:m, 1, :e, :d)"), c)
            .bind(QStringLiteral(":m"), makeid)
            .bind(QStringLiteral(":e"), int(o.processes.size()))
            .bind(QStringLiteral(":d"), today.addDays(-o.daysAgo + 1))
            .exec();
        for (int i = 0; i < o.processes.size(); ++i) {
            const Process& p = o.processes[i];
            db::Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, maketotal, makedate, priceone, "
                                     "pricetie, lbiao, deptname) VALUES(:m, :w, :n, :t, :d, :p1, :pt, :l, :dp)"),
                      c)
                .bind(QStringLiteral(":m"), makeid)
                .bind(QStringLiteral(":w"), i + 1)
                .bind(QStringLiteral(":n"), QString::fromUtf8(p.name))
                .bind(QStringLiteral(":t"), total)
                .bind(QStringLiteral(":d"), today.addDays(-o.daysAgo + 1))
                .bind(QStringLiteral(":p1"), QVariant(p.price))
                .bind(QStringLiteral(":pt"), QVariant(p.allowance))
                .bind(QStringLiteral(":l"), p.main)
                .bind(QStringLiteral(":dp"), i == 0 ? QStringLiteral("裁床") : i + 3 >= o.processes.size()
                                                                              ? QStringLiteral("包装")
                                                                              : QStringLiteral("车缝"))
                .exec();
        }
    }
    // Piece prices follow the same rule as the process-list screen.
    exec(c, QStringLiteral("UPDATE workname SET price=%1").arg(procs::piecePriceExpression()));
}

// Lay records of a lot: colour and pieces per size.
void lot(db::Connection& c, const QString& makeid, int bed, const QStringList& sizes,
         const QList<QPair<QString, QList<int>>>& lines)
{
    for (const auto& [colour, pieces] : lines) {
        QList<int> cells = pieces;
        cells.resize(8);
        int amount = 0;
        for (int p : cells)
            amount += p;
        db::Query q(QStringLiteral("INSERT INTO work(makeid, bed, color, s1, s2, s3, s4, s5, s6, s7, s8, amount) "
                                   "VALUES(:m, :b, :c, :s1, :s2, :s3, :s4, :s5, :s6, :s7, :s8, :a)"),
                    c);
        q.bind(QStringLiteral(":m"), makeid).bind(QStringLiteral(":b"), bed).bind(QStringLiteral(":c"), colour);
        for (int k = 0; k < 8; ++k)
            q.bind(QStringLiteral(":s%1").arg(k + 1), k < sizes.size() ? QVariant(cells[k]) : QVariant());
        q.bind(QStringLiteral(":a"), amount).exec();
    }
    procs::generateLot(c, makeid, sizes, bed);
}

// Two orders cut: several colours and sizes, a lot of one size, a lot of 8 sizes.
void lots(db::Connection& c)
{
    const QStringList shirt = {QStringLiteral("S"), QStringLiteral("M"), QStringLiteral("L"), QStringLiteral("XL"),
                               QStringLiteral("XXL")};
    lot(c, QStringLiteral("SH2601"), 1, shirt,
        {{QStringLiteral("白色"), {40, 50, 70, 50, 40}},
         {QStringLiteral("浅蓝"), {70, 80, 100, 80, 70}},
         {QStringLiteral("藏青"), {60, 70, 90, 70, 60}}});
    lot(c, QStringLiteral("SH2601"), 2, {QStringLiteral("M")}, {{QStringLiteral("黑色"), {60}}, {QStringLiteral("米白"), {90}}});
    lot(c, QStringLiteral("XK2601"), 1,
        {QStringLiteral("27"), QStringLiteral("28"), QStringLiteral("29"), QStringLiteral("30"), QStringLiteral("31"),
         QStringLiteral("32"), QStringLiteral("33"), QStringLiteral("34")},
        {{QStringLiteral("黑色"), {10, 20, 30, 40, 40, 30, 20, 10}}, {QStringLiteral("卡其"), {5, 15, 25, 30, 30, 25, 15, 5}}});
}

// Three departments with 60 employees in all, each with a time-clock card.
void workforce(db::Connection& c)
{
    const QStringList depts = {QStringLiteral("裁床部"), QStringLiteral("车缝部"), QStringLiteral("后整部")};
    for (int d = 0; d < depts.size(); ++d)
        db::Query(QStringLiteral("INSERT INTO dept(deptid, deptname) VALUES(:i, :n)"), c)
            .bind(QStringLiteral(":i"), QStringLiteral("0%1").arg(d + 1))
            .bind(QStringLiteral(":n"), depts[d])
            .exec();
    const QStringList family = {QStringLiteral("王"), QStringLiteral("李"), QStringLiteral("张"), QStringLiteral("刘"),
                                QStringLiteral("陈"), QStringLiteral("杨"), QStringLiteral("黄"), QStringLiteral("赵"),
                                QStringLiteral("吴"), QStringLiteral("周")};
    const QStringList given = {QStringLiteral("芳"), QStringLiteral("丽"), QStringLiteral("敏"), QStringLiteral("静"),
                               QStringLiteral("秀英"), QStringLiteral("娟"), QStringLiteral("霞"), QStringLiteral("强")};
    for (const char* type : {"计件", "计时"})
        db::Query(QStringLiteral("INSERT INTO worktype(typename) VALUES(:t)"), c).bind(QStringLiteral(":t"), type).exec();
    // Positions by department: 1 cutter, 2 sewer, 3 finisher; 4 group leader.
    for (const char* position : {"裁剪工", "车工", "后整工", "组长"})
        db::Query(QStringLiteral("INSERT INTO zhiwei(zhiwei) VALUES(:z)"), c).bind(QStringLiteral(":z"), position).exec();
    for (int i = 0; i < 60; ++i) {
        // 8 in cutting, 40 sewing, 12 finishing.
        const int d = i < 8 ? 0 : (i < 48 ? 1 : 2);
        db::Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, sex, kardNO, type, deptid, deptname, "
                                 "worktime, zhiweiid, zaizhi) VALUES(:p, :n, :s, :k, :t, :di, :dn, :w, "
                                 "(SELECT zhiweiid FROM zhiwei WHERE zhiwei=:z), 0)"),
                  c)
            .bind(QStringLiteral(":p"), QString::number(1001 + i))
            .bind(QStringLiteral(":n"), family[i % family.size()] + given[(i * 3) % given.size()])
            .bind(QStringLiteral(":s"), i % 7 == 0 ? QStringLiteral("男") : QStringLiteral("女"))
            .bind(QStringLiteral(":k"), QStringLiteral("%1").arg(20260001 + i))
            .bind(QStringLiteral(":t"), QStringLiteral("计件"))
            .bind(QStringLiteral(":di"), QStringLiteral("0%1").arg(d + 1))
            .bind(QStringLiteral(":dn"), depts[d])
            .bind(QStringLiteral(":w"), QDate(2024, 3, 1).addDays(i * 11))
            .bind(QStringLiteral(":z"), QString::fromUtf8(i % 10 == 0 ? "组长" : (d == 0 ? "裁剪工" : (d == 1 ? "车工" : "后整工"))))
            .exec();
    }
}

// A few days of collected coupons of SH2601's first lot: the sewing workers hand in the coupons
// of the first 8 processes, bundle by bundle.
void collectedCoupons(db::Connection& c)
{
    procs::createEntryList(c, false);
    db::Query q(QStringLiteral("SELECT barcode, zhahao, workid FROM printout WHERE makeid='SH2601' AND bed=1 AND workid<=8 "
                               "ORDER BY zhahao, workid"),
                c);
    q.exec();
    QList<QPair<QString, int>> coupons;
    while (q.next())
        coupons.append({q.value(0).toString(), q.value(1).toInt() * 8 + q.value(2).toInt()});
    const QDate first(2026, 12, 7);
    for (const auto& [barcode, n] : coupons) {
        procs::Employee who = procs::employee(c, QString::number(1009 + n % 40));
        procs::scanCoupon(c, who, barcode, first.addDays(n % 4));
    }
    procs::dropEntryList(c);
}

}  // namespace

void fill(db::Connection& c)
{
    db::Transaction tx(c);
    company(c);
    clerk(c);
    coloursAndSizes(c);
    customers(c);
    orders(c);
    lots(c);
    workforce(c);
    collectedCoupons(c);
    tx.commit();
}

}  // namespace demo
