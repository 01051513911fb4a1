#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "orders/gongxuchack.h"
#include "orders/kuanname.h"
#include "orders/setwork.h"
#include "orders/workprice.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using db::Connection;
using db::Query;

// The screens around an order's saved processes: department assignment, the price query, the
// process lookup, and the style templates.
class TestProcessLookups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { Connection::main().close(); }

    void departmentGoesToTheClickedProcesses();
    void departmentNeedsAChoiceAndCancelForgets();
    void priceQueryFillsTheOrderAndListsByNumber();
    void priceQueryOfAnUnknownOrderIsEmpty();
    void priceReportListsTheProcesses();
    void lookupListsTheClickedOrdersProcesses();
    void lookupPositionsOnTheTypedNumber_data();
    void lookupPositionsOnTheTypedNumber();
    void templateIsSaved();
    void incompleteTemplateIsRefused_data();
    void incompleteTemplateIsRefused();
    void templateDeleteAsksFirst();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    static QStringList column(const RecordSet* records, const QString& field);
};

void TestProcessLookups::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal, makedate) VALUES "
                         "('D001', '男装衬衫', 500, '2024-03-05 09:15:00'), ('D002', '女装', 200, '2024-04-01')"))
        .exec();
    // Numbers 2 and 10 tell a numeric order from a text order; process 12 has no price yet.
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, maketotal, priceone, pricetie, price, lbiao) VALUES "
                         "('D001', 10, '锁眼', 480, 1.2, 0, 1.2, 0), ('D001', 2, '上袖', 500, 0.5, 7, 0.535, 1), "
                         "('D001', 12, '包装', 500, NULL, NULL, NULL, 0), ('D001', 1, '上领', 500, 0.3, 10, 0.33, 0), "
                         "('D002', 1, '上领', 200, 0.4, 0, 0.4, 0)"))
        .exec();
}

QStringList TestProcessLookups::column(const RecordSet* records, const QString& field)
{
    QStringList values;
    for (int i = 0; i < records->size(); ++i)
        values << records->text(i, field);
    return values;
}

void TestProcessLookups::departmentGoesToTheClickedProcesses()
{
    Tsetworkfrm screen;
    screen.show();
    QCOMPARE(screen.objectName(), QStringLiteral("setworkfrm"));
    QCOMPARE(screen.windowTitle(), QStringLiteral("设置主工序"));
    QVERIFY(screen.deptBox()->findText(QStringLiteral("车缝")) >= 0);
    screen.makeidBox()->setText(QStringLiteral(" D001 "));
    screen.button(QStringLiteral("查   询"))->click();
    QCOMPARE(column(screen.records(), QStringLiteral("workid")),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("12")}));

    screen.deptBox()->setCurrentIndex(screen.deptBox()->findText(QStringLiteral("车缝")));
    QTableView* grid = screen.grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(screen.records()->index(0, 1)).center());
    screen.deptBox()->setCurrentIndex(screen.deptBox()->findText(QStringLiteral("包装")));
    screen.assignDepartment(3);
    QCOMPARE(screen.records()->text(0, QStringLiteral("deptname")), QStringLiteral("车缝"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE deptname IS NOT NULL")), 0);  // until saved

    FakeMessages boxes;
    screen.button(QStringLiteral(" 保  存 "))->click();
    QVERIFY(boxes.shown.isEmpty());
    Query q(QStringLiteral("SELECT makeid, workid, deptname FROM workname WHERE deptname IS NOT NULL ORDER BY workid"));
    q.exec();
    QStringList stored;
    while (q.next())
        stored << q.text(QStringLiteral("makeid")) + QLatin1Char(' ') + q.text(QStringLiteral("workid")) + QLatin1Char(' ') +
                      q.text(QStringLiteral("deptname"));
    QCOMPARE(stored, (QStringList{QStringLiteral("D001 1 车缝"), QStringLiteral("D001 12 包装")}));
}

void TestProcessLookups::departmentNeedsAChoiceAndCancelForgets()
{
    Tsetworkfrm screen;
    screen.button(QStringLiteral("查   询"))->click();  // no order typed: nothing listed
    QCOMPARE(screen.records()->size(), 0);
    screen.showOrder(QStringLiteral("D001"));
    QCOMPARE(screen.deptBox()->currentIndex(), -1);
    screen.assignDepartment(0);
    QVERIFY(!screen.records()->hasPendingChanges());
    screen.deptBox()->setCurrentIndex(0);
    screen.assignDepartment(1);
    QVERIFY(screen.records()->hasPendingChanges());
    screen.button(QStringLiteral("取  消"))->click();
    QVERIFY(!screen.records()->hasPendingChanges());
    screen.button(QStringLiteral(" 保  存 "))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname WHERE deptname IS NOT NULL")), 0);
}

void TestProcessLookups::priceQueryFillsTheOrderAndListsByNumber()
{
    Tworkpricefrm screen;
    QCOMPARE(screen.objectName(), QStringLiteral("workpricefrm"));
    QCOMPARE(screen.windowTitle(), QStringLiteral("工序工价查询"));
    screen.makeidBox()->setText(QStringLiteral("D001"));
    QTest::keyClick(screen.makeidBox(), Qt::Key_Return);
    QCOMPARE(screen.nameBox()->text(), QStringLiteral("男装衬衫"));
    QCOMPARE(screen.quantityBox()->text(), QStringLiteral("500"));
    QCOMPARE(screen.dateBox()->text(), QStringLiteral("2024-03-05"));
    QCOMPARE(screen.records()->size(), 0);  // the processes wait for 查找

    screen.button(QStringLiteral("  查  找 "))->click();
    const RecordSet* r = screen.records();
    QCOMPARE(column(r, QStringLiteral("workid")),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("12")}));
    QStringList captions;
    int allowance = -1;
    for (int c = 0; c < r->columnCount(); ++c) {
        captions << r->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (captions.last() == QStringLiteral("津贴"))
            allowance = c;
    }
    QCOMPARE(captions, (QStringList{QStringLiteral("工序"), QStringLiteral("工序名称"), QStringLiteral("数量"),
                                    QStringLiteral("价格"), QStringLiteral("津贴"), QStringLiteral("工价"),
                                    QStringLiteral("总额"), QStringLiteral("主工序")}));
    QCOMPARE(r->headerData(allowance, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("津贴为百分比：工价 = 单价 × (1 + 津贴 ÷ 100)"));
    // Row of process 2: the stored prices as they are, 总额 = 0.535 × 500.
    const auto shown = [&](int row, int col) { return r->data(r->index(row, col), Qt::DisplayRole).toString(); };
    QCOMPARE(shown(1, 3), QStringLiteral("0.5000"));
    QCOMPARE(shown(1, 4), QStringLiteral("7.00"));
    QCOMPARE(shown(1, 5), QStringLiteral("0.5350"));
    QCOMPARE(shown(1, 6), QStringLiteral("267.500"));
    QCOMPARE(r->data(r->index(1, 7), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(shown(2, 6), QStringLiteral("576.000"));
    QCOMPARE(shown(3, 6), QString());  // no piece price yet
    QCOMPARE(r->data(r->index(0, 7), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

void TestProcessLookups::priceQueryOfAnUnknownOrderIsEmpty()
{
    Tworkpricefrm screen;
    screen.makeidBox()->setText(QStringLiteral("D001"));
    screen.showOrder();
    screen.findProcesses();
    QCOMPARE(screen.records()->size(), 4);
    screen.makeidBox()->setText(QStringLiteral("D404"));
    QTest::keyClick(screen.makeidBox(), Qt::Key_Enter);
    screen.button(QStringLiteral("  查  找 "))->click();
    QCOMPARE(screen.nameBox()->text(), QString());
    QCOMPARE(screen.quantityBox()->text(), QString());
    QCOMPARE(screen.dateBox()->text(), QString());
    QCOMPARE(screen.records()->size(), 0);
}

void TestProcessLookups::priceReportListsTheProcesses()
{
    Tworkpricefrm screen;
    screen.makeidBox()->setText(QStringLiteral("D001"));
    screen.showOrder();
    screen.findProcesses();
    const report::ListReport r = screen.priceReport();
    QCOMPARE(r.title, QStringLiteral("工序工价表"));
    QCOMPARE(r.headerLines, (QStringList{QStringLiteral("制单号：D001\t制单名称：男装衬衫"), QStringLiteral("时间：2024-03-05")}));
    QStringList captions;
    for (const report::ListColumn& c : r.columns)
        captions << c.caption;
    QCOMPARE(captions, (QStringList{QStringLiteral("工序"), QStringLiteral("工序名称"), QStringLiteral("数量"),
                                    QStringLiteral("单价"), QStringLiteral("津贴"), QStringLiteral("工价"),
                                    QStringLiteral("总额"), QStringLiteral("主工序")}));
    QCOMPARE(r.rows.size(), 4);
    QCOMPARE(r.rows.at(1), (QStringList{QStringLiteral("2"), QStringLiteral("上袖"), QStringLiteral("500"),
                                        QStringLiteral("0.5000"), QStringLiteral("7.00"), QStringLiteral("0.5350"),
                                        QStringLiteral("267.500"), QStringLiteral("√")}));
    QCOMPARE(r.rows.at(3).at(6), QString());
    QCOMPARE(r.summary, QStringLiteral("合计：1008.500"));  // 165 + 267.5 + 576
    QCOMPARE(r.footerLines, QStringList{QStringLiteral("制单人：\t审核：")});
    QVERIFY(!report::layout(r).pages.isEmpty());
}

void TestProcessLookups::lookupListsTheClickedOrdersProcesses()
{
    Tgongxuchackfrm lookup;
    QCOMPARE(lookup.objectName(), QStringLiteral("gongxuchackfrm"));
    QCOMPARE(lookup.windowTitle(), QStringLiteral("工序查询"));
    QCOMPARE(column(lookup.orders(), QStringLiteral("makeid")), (QStringList{QStringLiteral("D001"), QStringLiteral("D002")}));
    QCOMPARE(column(lookup.orders(), QStringLiteral("makeidname")), (QStringList{QStringLiteral("男装衬衫"), QStringLiteral("女装")}));
    QVERIFY(!lookup.hasChoice());

    lookup.orderClicked(0);
    const RecordSet* p = lookup.processes();
    QCOMPARE(column(p, QStringLiteral("workid")),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("12")}));
    QCOMPARE(column(p, QStringLiteral("makeid")), QStringList(4, QStringLiteral("D001")));
    QCOMPARE(p->data(p->index(1, 3), Qt::DisplayRole).toString(), QStringLiteral("0.54"));  // piece price, two decimals
    lookup.orderClicked(1);
    QCOMPARE(column(p, QStringLiteral("makeid")), QStringList{QStringLiteral("D002")});
    // The lookup changes nothing.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM workname")), 5);
}

void TestProcessLookups::lookupPositionsOnTheTypedNumber_data()
{
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("chosen");  // 0: none
    QTest::newRow("first number starting with 1") << "D001" << "1" << 4 << 1;
    QTest::newRow("exact number") << "D001" << "12" << 4 << 12;
    QTest::newRow("single digit") << "D001" << "2" << 4 << 2;
    QTest::newRow("no such number") << "D001" << "3" << 4 << 0;
    QTest::newRow("order only") << " D001 " << "" << 4 << 0;
    QTest::newRow("no such order") << "D404" << "1" << 0 << 0;
}

void TestProcessLookups::lookupPositionsOnTheTypedNumber()
{
    QFETCH(QString, makeid);
    QFETCH(QString, number);
    QFETCH(int, listed);
    QFETCH(int, chosen);
    Tgongxuchackfrm lookup;
    QVERIFY(lookup.makeidBox()->isReadOnly());
    QVERIFY(lookup.workidBox()->isReadOnly());
    lookup.button(QStringLiteral("制单号"))->click();
    lookup.button(QStringLiteral("工序"))->click();
    QVERIFY(!lookup.makeidBox()->isReadOnly());
    QVERIFY(!lookup.workidBox()->isReadOnly());
    lookup.makeidBox()->setText(makeid);
    lookup.workidBox()->setText(number);
    QTest::keyClick(lookup.workidBox(), Qt::Key_Return);
    QCOMPARE(lookup.processes()->size(), listed);
    QCOMPARE(lookup.hasChoice(), chosen != 0);
    QCOMPARE(lookup.chosenWorkid(), chosen);
    QCOMPARE(lookup.chosenMakeid(), chosen ? QStringLiteral("D001") : QString());
}

void TestProcessLookups::templateIsSaved()
{
    TkuanNameFrm screen;
    QCOMPARE(screen.objectName(), QStringLiteral("kuanNameFrm"));
    QCOMPARE(screen.windowTitle(), QStringLiteral("款式-工序模板定义"));
    FakeMessages boxes;
    screen.button(QStringLiteral(" 新  增 "))->click();
    QCOMPARE(screen.editor()->mode(), EditController::Mode::Entry);
    screen.box(QStringLiteral("kuanhao"))->setText(QStringLiteral("K-01"));
    screen.box(QStringLiteral("kuanName"))->setText(QStringLiteral("衬衫"));
    screen.box(QStringLiteral("biaokuanName"))->setText(QStringLiteral("男式长袖衬衫"));
    screen.unitBox()->setCurrentIndex(screen.unitBox()->findText(QStringLiteral("件")));
    screen.box(QStringLiteral("startwork"))->setText(QStringLiteral("1"));
    screen.box(QStringLiteral("endwork"))->setText(QStringLiteral("12"));
    screen.box(QStringLiteral("gongshi"))->setText(QStringLiteral("2.5"));
    screen.button(QStringLiteral(" 保  存 "))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QCOMPARE(screen.editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName WHERE kuanhao='K-01' AND Unit='件' AND startwork='1' "
                                  "AND endwork='12' AND gongshi='2.5' AND Customer IS NULL")),
             1);
    // Edited again, the same row changes.
    screen.button(QStringLiteral(" 修  改 "))->click();
    screen.box(QStringLiteral("Customer"))->setText(QStringLiteral("华联"));
    screen.button(QStringLiteral(" 保  存 "))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName WHERE Customer='华联'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName")), 1);
}

void TestProcessLookups::incompleteTemplateIsRefused_data()
{
    QTest::addColumn<QString>("empty");
    for (const char* field : {"kuanhao", "kuanName", "biaokuanName", "startwork", "endwork"})
        QTest::newRow(field) << QString::fromLatin1(field);
}

void TestProcessLookups::incompleteTemplateIsRefused()
{
    QFETCH(QString, empty);
    TkuanNameFrm screen;
    FakeMessages boxes;
    screen.button(QStringLiteral(" 新  增 "))->click();
    for (const char* field : {"kuanhao", "kuanName", "biaokuanName", "startwork", "endwork"})
        screen.box(QString::fromLatin1(field))->setText(QStringLiteral("1"));
    screen.box(empty)->setText(QStringLiteral("  "));
    QVERIFY(!screen.editor()->save());
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("请输入基本资料")});
    QCOMPARE(screen.editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName")), 0);
    screen.button(QStringLiteral(" 取  消 "))->click();
    QCOMPARE(screen.records()->size(), 0);
}

void TestProcessLookups::templateDeleteAsksFirst()
{
    Query(QStringLiteral("INSERT INTO kuanName(kuanhao, kuanName, biaokuanName, startwork, endwork) VALUES "
                         "('K-01', '衬衫', '衬衫', '1', '9'), ('K-02', '西裤', '西裤', '1', '7')"))
        .exec();
    TkuanNameFrm screen;
    QCOMPARE(screen.records()->size(), 2);
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen.button(QStringLiteral(" 删  除 "))->click();
    QVERIFY(boxes.shown.last().question);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName")), 2);
    screen.button(QStringLiteral(" 删  除 "))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName WHERE kuanhao='K-02'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM kuanName")), 1);
}

QTEST_MAIN(TestProcessLookups)
#include "tst_processlookups.moc"
