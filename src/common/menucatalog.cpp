#include "common/menucatalog.h"

namespace {

MenuEntry screen(int top, const char* caption, const char* formClass, OpenMode mode,
                 bool hidden = false)
{
    return {top, QString::fromUtf8(caption), {}, MenuAction::Screen, QString::fromUtf8(formClass),
            mode, hidden};
}

MenuEntry sub(int top, const char* parent, const char* caption, const char* formClass)
{
    return {top, QString::fromUtf8(caption), QString::fromUtf8(parent), MenuAction::Screen,
            QString::fromUtf8(formClass), OpenMode::Child, false};
}

MenuEntry special(int top, const char* caption, MenuAction action, const char* parent = "",
                  bool hidden = false)
{
    return {top, QString::fromUtf8(caption), QString::fromUtf8(parent), action, {},
            OpenMode::Child, hidden};
}

MenuEntry nothing(int top, const char* caption, bool hidden = false)
{
    return special(top, caption, MenuAction::None, "", hidden);
}

constexpr OpenMode C = OpenMode::Child;
constexpr OpenMode M = OpenMode::Modal;
constexpr OpenMode W = OpenMode::Window;
constexpr bool Hidden = true;

std::vector<MenuEntry> buildEntries()
{
    return {
        // 基本资料(&A)
        screen(0, "系统信息", "TsysInfo", C),
        screen(0, "部门设定", "Tbumenfrm", M),
        screen(0, "职位管理", "Tzhiweifrm", M),
        screen(0, "类型设置", "Tworktypefrm", M),
        screen(0, "住宿登记", "Tzhushufrm", C),
        screen(0, "员工管理", "Tworkerfrm", C),
        screen(0, "调动、离职", "Tlizhifrm", C),
        screen(0, "住房查询", "Tzhufangfrm", C),
        screen(0, "客户资料", "Tcustomerfrm", M),
        screen(0, "计件工资标准", "Tpricejiibiefrm", C),
        special(0, "货品资料", MenuAction::Submenu),
        sub(0, "货品资料", "货品档案", "TStrockfrm"),
        sub(0, "货品资料", "颜色资料", "Tcolorfrm"),
        sub(0, "货品资料", "颜色组资料", "Tyansezufrm"),
        sub(0, "货品资料", "尺码资料", "Tmafrm"),
        sub(0, "货品资料", "尺码组资料", "Tchimafrm"),
        screen(0, "饭餐设置", "Tshoufanfrm", C),
        nothing(0, "字典定义", Hidden),
        screen(0, "权限管理", "Tsetrightfrm", C),
        screen(0, "用户管理", "Tuserfrm", C),
        // 日常操作(&B)
        screen(1, "订单录入", "Tinsertzhidanfrm", C),
        screen(1, "总工序录入", "Tinserttotalgongxufrm", C),
        screen(1, "款式-工序模板定义", "TkuanNameFrm", C, Hidden),
        screen(1, "录入拉布记录", "Tchafrm", C),
        screen(1, "床次打印", "Tprintchuangcifrm", M),
        screen(1, "扎号打印", "Tprintzhahaofrm", M),
        screen(1, "床次条码打印", "Tprintchuangcia", M),
        screen(1, "扎号条码打印", "Tprintzhahaoafrm", M),
        screen(1, "订单外发", "Tdingdanwffrm", C),
        screen(1, "订单外发回收", "Tdingdanwfhfrm", C),
        screen(1, "订单入库管理", "Tstorefrm", C),
        screen(1, "月走货订单录入", "Tsaleclothfrm", C),
        screen(1, "订单跟踪控制", "Tdingdangenzongfrm", C),
        screen(1, "工菲数据清理", "Tclearticketfrm", C),
        // 生产计划(&C)
        nothing(2, "物料订单"),
        nothing(2, "仓库物料"),
        nothing(2, "采购计划"),
        nothing(2, "采购进货"),
        // 生产处理(&D)
        screen(3, "生产进程", "Tproductcrtlfrm", C),
        nothing(3, "定单进度表", Hidden),
        screen(3, "生产监控", "Tfrmwatch", C),
        screen(3, "预览工票", "Tgongpiaoviewfrm", C),
        screen(3, "色码统计", "Tsematj", M),
        screen(3, "月走货量统计", "TzuohuotgFrm", C),
        screen(3, "订单提省", "Tdingdantishengfrm", C),
        screen(3, "月走货量分析", "Tzuohuofenxifrm", C),
        screen(3, "裁床分析报表", "Tcaichuangfxfrm", C),
        screen(3, "日生产报表", "Tdayreportfrm", C),
        screen(3, "月生产报表", "Tmonthreportfrm", C),
        screen(3, "订单分析", "Tdingdanfxfrm", C),
        screen(3, "客户订单分析", "Tcustomexffrm", C),
        // 计件工资(&E)
        screen(4, "工序明细录入", "Tworkidfrm", C),
        screen(4, "工序工价查询", "Tworkpricefrm", C),
        screen(4, "菲票手工录入", "Tcountfrm", C),
        screen(4, "条形码菲票录入", "Tbarcodefrm", C),
        screen(4, "菲票查询", "Tfeipiaocxfrm", C),
        screen(4, "计件工资单修改", "Tgoziseefrm", C),
        screen(4, "板房录入", "Tbanfang", C),
        screen(4, "裁床录入", "Tcaichuangd", C),
        screen(4, "裁床板房计分", "Tcaichuang", C),
        screen(4, "时工工资录入", "Tworkertime", C),
        screen(4, "基本工资设定", "Tfylgongzihuizongfrm", C, Hidden),
        screen(4, "工资单查询", "Tworkfindfrm", C, Hidden),
        screen(4, "订单成本", "Tdingdancbfrm", C),
        // 考勤设置(&F)
        screen(5, "排班项目设置", "TpaibanFrm", C),
        screen(5, "排班管理", "Tdeptbanfrm", C),
        screen(5, "排班查询", "Tpaibancxfrm", C),
        screen(5, "考勤设置二", "Tkaoqinerfrm", C),
        screen(5, "公休停工设定", "TtinggongFrm", C),
        screen(5, "手工输入刷卡记录", "Trengongkafrm", C),
        screen(5, "出差、外勤、加班", "Twaiqinfrm", C),
        screen(5, "考勤数据日处理", "Tdatereportfrm", C),
        screen(5, "考勤数据月处理", "TkaoqinclFrm", C),
        screen(5, "IC卡数据查询", "TkaoqinjiluFrm", M),
        screen(5, "员工考勤原始记录", "Tkaoqinrecoderfrm", C),
        special(5, "考勤报表", MenuAction::Submenu),
        sub(5, "考勤报表", "个人出勤报表查询", "Tkaoqindatefrm"),
        sub(5, "考勤报表", "个人出勤月报表", "Tpersonnelkqfrm"),
        sub(5, "考勤报表", "考勤综合报表", "Tkaoqincxfrm"),
        screen(5, "考勤机设置", "TkaoqinsezhiFrm", C),
        screen(5, "考勤数据清理", "Tcleardatefrm", C),
        // 工资报表
        screen(6, "工资项目设置", "Tgongzilabelfrm", C),
        nothing(6, "工资标准设置", Hidden),
        screen(6, "职务工资提成设置", "Tzhiwutcfrm", C),
        screen(6, "员工奖罚补帖录入", "Tjiangfafrm", C),
        screen(6, "水电费录入", "Tygshuidianfrm", C),
        screen(6, "售饭管理查询", "Tfanmanagefrm", C),
        screen(6, "员工工资报表", "Tgongzireprotfrm", C),
        screen(6, "日薪统计", "Tdatewagefrm", C),
        screen(6, "工资汇总", "Tgongzihz", C, Hidden),
        screen(6, "工资数据清理", "Tclearcountmakeidfrm", C),
        // 数据处理(&G)
        screen(7, "备份/还原数据", "Tbackupdate", C, Hidden),
        screen(7, "数据库备份", "Tbeifendate", W),
        nothing(7, "系统日志"),
        // 帮助(&H)
        special(8, "辅助工具", MenuAction::Submenu),
        special(8, "计算器", MenuAction::Calculator, "辅助工具"),
        screen(8, "版本说明", "Taboutsoftfrm", C),
        special(8, "帮助文档", MenuAction::HelpFile),
        special(8, "网上更新", MenuAction::WebPage),
    };
}

}  // namespace

const std::vector<QString>& topMenuCaptions()
{
    static const std::vector<QString> captions = {
        QStringLiteral("基本资料(&A)"), QStringLiteral("日常操作(&B)"), QStringLiteral("生产计划(&C)"),
        QStringLiteral("生产处理(&D)"), QStringLiteral("计件工资(&E)"), QStringLiteral("考勤设置(&F)"),
        QStringLiteral("工资报表"),     QStringLiteral("数据处理(&G)"), QStringLiteral("帮助(&H)"),
        QStringLiteral("关闭系统(&Z)"),
    };
    return captions;
}

int closeSystemMenuIndex()
{
    return static_cast<int>(topMenuCaptions().size()) - 1;
}

const std::vector<MenuEntry>& menuEntries()
{
    static const std::vector<MenuEntry> entries = buildEntries();
    return entries;
}

std::vector<CatalogueRow> menuCatalogue()
{
    std::vector<CatalogueRow> rows;
    for (const MenuEntry& e : menuEntries())
        if (e.parent.isEmpty())
            rows.push_back({e.top, e.caption});
    return rows;
}

QString formNameOf(const QString& formClass)
{
    return formClass.startsWith(QLatin1Char('T')) ? formClass.mid(1) : formClass;
}
