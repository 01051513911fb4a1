#include "common/db.h"
#include "common/money.h"
#include "piecework/countfrm.h"
#include "piecework/printjifei.h"
#include "piecework/yuangongcheck.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

const QString kOverProcess = QStringLiteral("＝＝＝《您录入的数据已经超过此工序的总数》＝＝＝\n\n总件数是：%1件\n\n"
                                            "当前录入件数是：%2件\n\n超出件数为：%3件");
const QString kOverWithList = QStringLiteral("＝＝＝《您录入的数据已经超过此工序的总数＝＝＝》\n\n总件数是：%1件\n\n"
                                             "当前录入件数是：%2件.以前录入：%3件\n\n超出件数为：%4件");
const QString kOverWithCollected = QStringLiteral("＝＝＝＝《您录入的数据已经超过此工序的总数》＝＝＝＝\n\n总件数是：%1件。"
                                                  "以前录入：%2件\n\n当前录入件数是：%3件\n\n超出件数为：%4件");

}  // namespace

// The manual piece-work screen, its employee lookup and its piece-work list print, driven the
// way the piece-work clerk uses them.
class TestManualEntry : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void lookupsShowWhatTheyFind();
    void unknownEntriesAreRefused_data();
    void unknownEntriesAreRefused();
    void quantityCheckWarnsAndStillAdds_data();
    void quantityCheckWarnsAndStillAdds();
    void enterInQuantityAddsTheLine();
    void decimalQuantitiesAreRoundedAndSaid_data();
    void decimalQuantitiesAreRoundedAndSaid();
    void totalsFollowTheEmployeesLines();
    void editingALineChangesWhatIsSaved();
    void saveStoresWhatPayNeeds();
    void savingTwiceStoresNothingTwice();
    void newClearsTheEntry();
    void closeQuestion_data();
    void closeQuestion();
    void employeeLookupFindsByLeadingText_data();
    void employeeLookupFindsByLeadingText();
    void printChoosesTheEmployeeByDepartmentAndName();
    void printPeriodIncludesItsEndDay_data();
    void printPeriodIncludesItsEndDay();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    // Types a line as the clerk does and presses Enter in 件  数.
    void addLine(const QString& personnelid, const QString& makeid, int workid, const QString& amount);
    void collected(const QString& personnelid, const QString& makeid, int workid, int amount, const QDate& date);
    std::unique_ptr<FakeMessages> unexpected_;  // boxes a test did not ask for: recorded, never blocking
    std::unique_ptr<Tcountfrm> screen_;
};

void TestManualEntry::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<FakeMessages>();
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    Query(QStringLiteral("INSERT INTO dept(deptid, deptname) VALUES('01', '缝纫车间'), ('02', '后整车间')")).exec();
    Query(QStringLiteral("INSERT INTO twodept(sysid, twodept) VALUES(1, '一组')")).exec();
    const int group = count(QStringLiteral("SELECT twoid FROM twodept WHERE twodept='一组'"));
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, type, deptname, twodept) VALUES "
                         "('E01', '张三', '计件', '缝纫车间', :g), ('E02', '李四', '计件', '缝纫车间', NULL), "
                         "('F10', '王五', '计时', '后整车间', NULL)"))
        .bind(QStringLiteral(":g"), group)
        .exec();
    Query(QStringLiteral("INSERT INTO zhdan(makeid, makeidname, makeidtotal) VALUES('SH01', '男式衬衫', 100), "
                         "('XK01', '休闲裤', 50)")).exec();
    Query(QStringLiteral("INSERT INTO workname(makeid, workid, workname, price, maketotal) VALUES "
                         "('SH01', 1, '上领', 0.5, 100), ('SH01', 2, '上袖', 0.35, 100), ('XK01', 1, '合缝', 0.2, 50), "
                         "('XK01', 2, '锁边', 0.1, NULL)")).exec();
    screen_ = std::make_unique<Tcountfrm>();
    screen_->dateBox()->setDate(QDate(2024, 3, 15));
    screen_->show();
}

void TestManualEntry::cleanup()
{
    screen_.reset();
    Connection::main().close();
    if (unexpected_ && !unexpected_->shown.isEmpty())
        qWarning() << "unexpected messages:" << unexpected_->texts();
    unexpected_.reset();
}

void TestManualEntry::addLine(const QString& personnelid, const QString& makeid, int workid, const QString& amount)
{
    screen_->personnelidBox()->setText(personnelid);
    screen_->makeidBox()->setText(makeid);
    screen_->workidBox()->setText(QString::number(workid));
    screen_->amountBox()->setText(amount);
    screen_->amountEnter();
}

void TestManualEntry::collected(const QString& personnelid, const QString& makeid, int workid, int amount, const QDate& date)
{
    Query(QStringLiteral("INSERT INTO countmakeid(personnelid, personnelname, makeid, workid, price, amount, makedate) "
                         "VALUES(:p, 'x', :m, :w, 0.5, :a, :d)"))
        .bind(QStringLiteral(":p"), personnelid)
        .bind(QStringLiteral(":m"), makeid)
        .bind(QStringLiteral(":w"), workid)
        .bind(QStringLiteral(":a"), amount)
        .bind(QStringLiteral(":d"), date)
        .exec();
}

void TestManualEntry::lookupsShowWhatTheyFind()
{
    FakeMessages boxes;
    screen_->personnelidBox()->setText(QStringLiteral("E01"));
    screen_->acceptEmployee();
    QCOMPARE(screen_->nameText(), QStringLiteral("张三"));
    QCOMPARE(screen_->deptText(), QStringLiteral("缝纫车间"));
    QCOMPARE(screen_->typeText(), QStringLiteral("计件"));
    screen_->makeidBox()->setText(QStringLiteral("SH01"));
    screen_->acceptOrder();
    QCOMPARE(screen_->makeidnameText(), QStringLiteral("男式衬衫"));
    screen_->workidBox()->setText(QStringLiteral("2"));
    screen_->acceptProcess();
    QCOMPARE(screen_->worknameText(), QStringLiteral("上袖"));
    QCOMPARE(screen_->priceText(), QStringLiteral("0.35"));
    QVERIFY(boxes.shown.isEmpty());
    // Typing another number clears what was shown for the previous one.
    screen_->personnelidBox()->setText(QStringLiteral("E0"));
    QCOMPARE(screen_->nameText(), QString());
}

void TestManualEntry::unknownEntriesAreRefused_data()
{
    QTest::addColumn<QString>("personnelid");
    QTest::addColumn<QString>("makeid");
    QTest::addColumn<int>("workid");
    QTest::addColumn<bool>("whenAdding");  // else when leaving the box
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("makeidAfter");
    QTest::addColumn<QString>("workidAfter");
    for (bool adding : {false, true}) {
        const char* when = adding ? "when adding" : "when leaving";
        QTest::addRow("employee %s", when) << "E99" << "SH01" << 1 << adding << "无此员工号" << "SH01" << "1";
        QTest::addRow("employee with a quote %s", when) << "E'01" << "SH01" << 1 << adding << "无此员工号" << "SH01" << "1";
        QTest::addRow("order %s", when) << "E01" << "ZZ01" << 1 << adding << "无此制单号" << "" << "1";
        QTest::addRow("order with a quote %s", when) << "E01" << "SH01' OR '1'='1" << 1 << adding << "无此制单号" << "" << "1";
        QTest::addRow("process %s", when) << "E01" << "SH01" << 9 << adding << "无此工序号" << "SH01" << "";
        QTest::addRow("process of another order %s", when) << "E01" << "XK01" << 3 << adding << "无此工序号" << "XK01" << "";
    }
}

void TestManualEntry::unknownEntriesAreRefused()
{
    QFETCH(QString, personnelid);
    QFETCH(QString, makeid);
    QFETCH(int, workid);
    QFETCH(bool, whenAdding);
    QFETCH(QString, message);
    QFETCH(QString, makeidAfter);
    QFETCH(QString, workidAfter);
    FakeMessages boxes;
    if (whenAdding) {
        addLine(personnelid, makeid, workid, QStringLiteral("5"));
    } else {
        screen_->personnelidBox()->setText(personnelid);
        screen_->acceptEmployee();
        screen_->makeidBox()->setText(makeid);
        screen_->acceptOrder();
        screen_->workidBox()->setText(QString::number(workid));
        screen_->acceptProcess();
    }
    QCOMPARE(boxes.texts(), QStringList{message});
    QCOMPARE(screen_->lines(), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tempcountmakeid")), 0);
    QCOMPARE(screen_->makeidBox()->text(), makeidAfter);
    QCOMPARE(screen_->workidBox()->text(), workidAfter);
}

void TestManualEntry::quantityCheckWarnsAndStillAdds_data()
{
    QTest::addColumn<QString>("inList");     // already in the list for SH01 process 1 (of 100)
    QTest::addColumn<int>("collected");      // already stored for it
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::newRow("over the process") << "" << 0 << "120" << kOverProcess.arg(100).arg(120).arg(20);
    QTest::newRow("over the process by a fraction") << "" << 0 << "100.5" << kOverProcess.arg(100).arg(QStringLiteral("100.5")).arg(QStringLiteral("0.5"));
    QTest::newRow("over with the list") << "60" << 0 << "50" << kOverWithList.arg(100).arg(50).arg(60).arg(10);
    QTest::newRow("over the process comes first") << "60" << 30 << "101" << kOverProcess.arg(100).arg(101).arg(1);
    QTest::newRow("over with collected records") << "" << 70 << "40" << kOverWithCollected.arg(100).arg(70).arg(40).arg(10);
    QTest::newRow("over with list and collected") << "30" << 50 << "30" << kOverWithCollected.arg(100).arg(50).arg(30).arg(10);
    QTest::newRow("within the process") << "20" << 30 << "50" << "";
    QTest::newRow("exactly the process") << "" << 0 << "100" << "";
}

void TestManualEntry::quantityCheckWarnsAndStillAdds()
{
    QFETCH(QString, inList);
    QFETCH(int, collected);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    if (collected > 0)
        this->collected(QStringLiteral("E02"), QStringLiteral("SH01"), 1, collected, QDate(2024, 3, 1));
    // Other processes and orders do not count.
    this->collected(QStringLiteral("E02"), QStringLiteral("SH01"), 2, 90, QDate(2024, 3, 1));
    addLine(QStringLiteral("E02"), QStringLiteral("SH01"), 2, QStringLiteral("10"));
    addLine(QStringLiteral("E02"), QStringLiteral("XK01"), 1, QStringLiteral("40"));
    if (!inList.isEmpty())
        addLine(QStringLiteral("E02"), QStringLiteral("SH01"), 1, inList);
    const int before = screen_->lines();

    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, typed);
    QStringList expected;
    if (!warning.isEmpty())
        expected << warning;
    if (typed.contains(QLatin1Char('.')))
        expected << QStringLiteral("件数 %1 不是整数，保存时按四舍五入计为 %2 件").arg(typed).arg(qRound(typed.toDouble()));
    QCOMPARE(boxes.texts(), expected);
    QCOMPARE(screen_->lines(), before + 1);
    QCOMPARE(screen_->grid()->item(before, Tcountfrm::AmountCol)->text(), typed);
    // The entry is ready for the next line of the same employee.
    QCOMPARE(screen_->makeidBox()->text(), QString());
    QCOMPARE(screen_->workidBox()->text(), QString());
    QCOMPARE(screen_->amountBox()->text(), QString());
    QCOMPARE(screen_->personnelidBox()->text(), QStringLiteral("E01"));
}

void TestManualEntry::enterInQuantityAddsTheLine()
{
    FakeMessages boxes;
    screen_->personnelidBox()->setText(QStringLiteral("E01"));
    QTest::keyClick(screen_->personnelidBox(), Qt::Key_Return);
    QCOMPARE(screen_->nameText(), QStringLiteral("张三"));
    screen_->makeidBox()->setText(QStringLiteral("XK01"));
    screen_->workidBox()->setText(QStringLiteral("2"));  // a process without a quantity: nothing to check
    screen_->amountBox()->setText(QStringLiteral("500"));
    QTest::keyClick(screen_->amountBox(), Qt::Key_Return);
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(screen_->lines(), 1);
    QTableWidget* grid = screen_->grid();
    const QStringList row{grid->item(0, 0)->text(), grid->item(0, 1)->text(), grid->item(0, 2)->text(),
                          grid->item(0, 3)->text(), grid->item(0, 4)->text(), grid->item(0, 5)->text()};
    QCOMPARE(row, (QStringList{"XK01", "2", "锁边", "0.10", "500", "2024-03-15"}));
    // Enter with the quantity missing adds nothing.
    screen_->makeidBox()->setText(QStringLiteral("XK01"));
    screen_->workidBox()->setText(QStringLiteral("1"));
    QTest::keyClick(screen_->amountBox(), Qt::Key_Return);
    QCOMPARE(screen_->lines(), 1);
    QVERIFY(boxes.shown.isEmpty());
}

void TestManualEntry::decimalQuantitiesAreRoundedAndSaid_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");  // -1: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("half rounds up") << "12.5" << 13 << "件数 12.5 不是整数，保存时按四舍五入计为 13 件";
    QTest::newRow("below half rounds down") << "12.4999" << 12 << "件数 12.4999 不是整数，保存时按四舍五入计为 12 件";
    QTest::newRow("above half rounds up") << "7.75" << 8 << "件数 7.75 不是整数，保存时按四舍五入计为 8 件";
    QTest::newRow("half a piece is one") << "0.5" << 1 << "件数 0.5 不是整数，保存时按四舍五入计为 1 件";
    QTest::newRow("whole pieces are said nothing") << "12" << 12 << "";
    QTest::newRow("trailing zeros are whole") << "12.00" << 12 << "";
    QTest::newRow("less than half a piece is refused") << "0.4" << -1 << "件数 0.4 按四舍五入计为 0 件，不能录入";
    QTest::newRow("zero is refused") << "0" << -1 << "你输入的不是一个有效的数字";
}

void TestManualEntry::decimalQuantitiesAreRoundedAndSaid()
{
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, message);
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("XK01"), 2, typed);
    QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(screen_->lines(), stored < 0 ? 0 : 1);
    if (stored < 0) {
        QCOMPARE(screen_->amountBox()->text(), typed);  // left for correcting
        return;
    }
    // The screen says it, and keeps saying it, until the list is saved.
    if (message.isEmpty())
        QCOMPARE(screen_->roundingNote(), QString());
    else
        QVERIFY2(screen_->roundingNote().contains(message), qPrintable(screen_->roundingNote()));
    // The list keeps the quantity as typed; the record has whole pieces.
    QCOMPARE(Money::fromVariant(Query(QStringLiteral("SELECT amount FROM tempcountmakeid")).scalar()).units(),
             Money::fromString(typed).units());
    QVERIFY(screen_->btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT amount FROM countmakeid")), stored);
    QCOMPARE(Tcountfrm::wholePieces(typed), qint64(stored));
    QCOMPARE(screen_->roundingNote(), QString());
}

void TestManualEntry::totalsFollowTheEmployeesLines()
{
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, QStringLiteral("12"));   // 6.000
    addLine(QStringLiteral("E02"), QStringLiteral("SH01"), 1, QStringLiteral("30"));   // another employee
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 2, QStringLiteral("7.5"));  // 2.625
    QCOMPARE(screen_->moneyTotalText(), QStringLiteral("8.625"));
    QCOMPARE(screen_->amountTotalText(), QStringLiteral("19.5"));
    screen_->grid()->setCurrentCell(0, 0);
    screen_->btndeleteClick();
    QCOMPARE(screen_->lines(), 2);
    QCOMPARE(screen_->moneyTotalText(), QStringLiteral("2.625"));
    QCOMPARE(screen_->amountTotalText(), QStringLiteral("7.5"));
    // The other employee's line is still there; the deleted one is gone from the list.
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tempcountmakeid WHERE personnelid='E02'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tempcountmakeid WHERE workid=1 AND personnelid='E01'")), 0);
    // Switching employee shows that employee's totals.
    screen_->personnelidBox()->setText(QStringLiteral("E02"));
    screen_->acceptEmployee();
    QCOMPARE(screen_->moneyTotalText(), QStringLiteral("15.000"));
    QCOMPARE(screen_->amountTotalText(), QStringLiteral("30"));
}

void TestManualEntry::editingALineChangesWhatIsSaved()
{
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, QStringLiteral("12"));
    QTableWidget* grid = screen_->grid();
    QVERIFY(grid->item(0, Tcountfrm::AmountCol)->flags() & Qt::ItemIsEditable);
    QVERIFY(!(grid->item(0, Tcountfrm::WorkidCol)->flags() & Qt::ItemIsEditable));
    grid->item(0, Tcountfrm::AmountCol)->setText(QStringLiteral("abc"));
    QCOMPARE(boxes.last(), QStringLiteral("你输入的不是一个有效的数字"));
    QCOMPARE(grid->item(0, Tcountfrm::AmountCol)->text(), QStringLiteral("12"));
    grid->item(0, Tcountfrm::DateCol)->setText(QStringLiteral("2024-02-30"));
    QCOMPARE(grid->item(0, Tcountfrm::DateCol)->text(), QStringLiteral("2024-03-15"));
    boxes.clear();
    grid->item(0, Tcountfrm::AmountCol)->setText(QStringLiteral("8.5"));
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("件数 8.5 不是整数，保存时按四舍五入计为 9 件")});
    QCOMPARE(screen_->amountTotalText(), QStringLiteral("8.5"));
    QCOMPARE(screen_->moneyTotalText(), QStringLiteral("4.250"));
    grid->item(0, Tcountfrm::DateCol)->setText(QStringLiteral("2024-03-14"));
    QVERIFY(screen_->btnsaveClick());
    Query q(QStringLiteral("SELECT amount, makedate FROM countmakeid"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 9);
    QCOMPARE(db::toDate(q.value(1)), QDate(2024, 3, 14));
}

void TestManualEntry::saveStoresWhatPayNeeds()
{
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 2, QStringLiteral("12"));
    screen_->dateBox()->setDate(QDate(2024, 3, 31));
    addLine(QStringLiteral("F10"), QStringLiteral("XK01"), 1, QStringLiteral("20"));
    boxes.clear();
    QVERIFY(screen_->btnsaveClick());
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("保存成功")});

    Query q(QStringLiteral("SELECT personnelid, personnelname, deptname, makeid, workid, workname, price, amount, "
                           "makedate, barcode FROM countmakeid ORDER BY personnelid"));
    q.exec();
    QList<QStringList> rows;
    while (q.next())
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                            Money::fromVariant(q.value(6)).plainText(), q.value(7).toString(),
                            db::toDate(q.value(8)).toString(Qt::ISODate), q.value(9).toString()};
    QCOMPARE(rows, (QList<QStringList>{
                       {"E01", "张三", "缝纫车间", "SH01", "2", "上袖", "0.35", "12", "2024-03-15", ""},
                       {"F10", "王五", "后整车间", "XK01", "1", "合缝", "0.2", "20", "2024-03-31", ""}}));
    // The wage views see the earnings.
    QCOMPARE(Money::fromVariant(Query(QStringLiteral("SELECT sum(zonge) FROM countmakeidd")).scalar()).plainText(),
             QStringLiteral("8.2"));

    // The list is empty and the entry cleared.
    QCOMPARE(screen_->lines(), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tempcountmakeid")), 0);
    QCOMPARE(screen_->personnelidBox()->text(), QString());
    QCOMPARE(screen_->nameText(), QString());
    QCOMPARE(screen_->moneyTotalText(), QString());
    QCOMPARE(screen_->amountTotalText(), QString());
}

void TestManualEntry::savingTwiceStoresNothingTwice()
{
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, QStringLiteral("10"));
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 2, QStringLiteral("10"));
    QVERIFY(screen_->btnsaveClick());
    QVERIFY(screen_->btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 2);
    // Lines added after a save are stored once, next to the earlier ones.
    addLine(QStringLiteral("E02"), QStringLiteral("SH01"), 1, QStringLiteral("5"));
    QVERIFY(screen_->btnsaveClick());
    QVERIFY(screen_->btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), 3);
    QCOMPARE(count(QStringLiteral("SELECT sum(amount) FROM countmakeid")), 25);
}

void TestManualEntry::newClearsTheEntry()
{
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, QStringLiteral("10"));
    screen_->makeidBox()->setText(QStringLiteral("SH01"));
    screen_->acceptOrder();
    screen_->workidBox()->setText(QStringLiteral("1"));
    screen_->amountBox()->setText(QStringLiteral("3"));
    screen_->btnaddClick();
    for (QLineEdit* box : {screen_->personnelidBox(), screen_->makeidBox(), screen_->workidBox(), screen_->amountBox()})
        QCOMPARE(box->text(), QString());
    QCOMPARE(screen_->nameText(), QString());
    QCOMPARE(screen_->makeidnameText(), QString());
    QCOMPARE(screen_->lines(), 1);  // the list is kept
}

void TestManualEntry::closeQuestion_data()
{
    QTest::addColumn<int>("linesBefore");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("stored");
    QTest::newRow("unsaved, Yes saves") << 2 << false << true << true << 2;
    QTest::newRow("unsaved, No discards") << 2 << false << false << true << 0;
    QTest::newRow("empty list") << 0 << false << true << false << 0;
    QTest::newRow("saved list") << 2 << true << true << false << 2;
}

void TestManualEntry::closeQuestion()
{
    QFETCH(int, linesBefore);
    QFETCH(bool, saveFirst);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(int, stored);
    FakeMessages boxes;
    for (int i = 0; i < linesBefore; ++i)
        addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 1, QStringLiteral("10"));
    if (saveFirst)
        QVERIFY(screen_->btnsaveClick());
    boxes.clear();
    boxes.answers = {answer};
    QVERIFY(screen_->close());
    QList<FakeMessages::Shown> questions;
    for (const auto& s : boxes.shown)
        if (s.question)
            questions << s;
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(questions[0].text, QStringLiteral("您输入的数据尚未保存，是否现在存档？"));
        QVERIFY(!questions[0].defaultYes);
    }
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM countmakeid")), stored);
    // The list table went with the screen.
    QVERIFY_THROWS_EXCEPTION(db::DbError, Query(QStringLiteral("SELECT count(*) FROM tempcountmakeid")).exec());
}

void TestManualEntry::employeeLookupFindsByLeadingText_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");  // empty: no match, the cursor stays
    QTest::newRow("number") << false << "F1" << "F10";
    QTest::newRow("number ignores case") << false << "e02" << "E02";
    QTest::newRow("number, first of several") << false << "E" << "E01";
    QTest::newRow("number is not searched in the middle") << false << "10" << "";
    QTest::newRow("name") << true << "李" << "E02";
    QTest::newRow("name is not searched as a number") << true << "E02" << "";
}

void TestManualEntry::employeeLookupFindsByLeadingText()
{
    QFETCH(bool, byName);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    Tyuangongcheckfrm lookup;
    lookup.show();
    QTableWidget* grid = lookup.grid();
    QCOMPARE(grid->rowCount(), 3);
    // 组别 is the second-level department.
    QCOMPARE(grid->item(0, Tyuangongcheckfrm::GroupCol)->text(), QStringLiteral("一组"));
    QCOMPARE(grid->item(2, Tyuangongcheckfrm::DeptCol)->text(), QStringLiteral("后整车间"));
    QCOMPARE(grid->item(2, Tyuangongcheckfrm::TypeCol)->text(), QStringLiteral("计时"));
    grid->setCurrentCell(1, 0);
    (byName ? lookup.byNameOption() : lookup.byIdOption())->setChecked(true);
    lookup.searchBox()->setText(typed);
    QTest::keyClick(lookup.searchBox(), Qt::Key_Return);
    QVERIFY(lookup.isVisible());  // Enter in the search box searches; it does not close
    // No match leaves the cursor where it was.
    QCOMPARE(lookup.chosenPersonnelid(), found.isEmpty() ? QStringLiteral("E02") : found);
    QCOMPARE(lookup.find(), !found.isEmpty());
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(lookup.result(), int(QDialog::Accepted));
}

void TestManualEntry::printChoosesTheEmployeeByDepartmentAndName()
{
    Tprintjifeifrm print;
    QCOMPARE(print.toBox()->date(), QDate::currentDate());
    QCOMPARE(print.fromBox()->date(), QDate::currentDate().addDays(-30));
    QComboBox* dept = print.deptBox();
    QCOMPARE(dept->count(), 2);
    dept->setCurrentIndex(dept->findText(QStringLiteral("缝纫车间")));
    print.deptChosen();
    QCOMPARE(print.nameBox()->count(), 2);
    print.nameBox()->setCurrentIndex(print.nameBox()->findText(QStringLiteral("李四")));
    print.nameChosen();
    QCOMPARE(print.personnelidBox()->text(), QStringLiteral("E02"));
    // Another department lists its own people.
    dept->setCurrentIndex(dept->findText(QStringLiteral("后整车间")));
    print.deptChosen();
    QCOMPARE(print.nameBox()->count(), 1);
    QCOMPARE(print.personnelidBox()->text(), QString());
    // Opened for an employee, it shows that employee.
    QVERIFY(print.setEmployee(QStringLiteral("E01")));
    QCOMPARE(dept->currentText(), QStringLiteral("缝纫车间"));
    QCOMPARE(print.nameBox()->currentText(), QStringLiteral("张三"));
    QCOMPARE(print.personnelidBox()->text(), QStringLiteral("E01"));
}

void TestManualEntry::printPeriodIncludesItsEndDay_data()
{
    QTest::addColumn<int>("extraRecords");  // in the period, beyond the fixed ones
    QTest::addColumn<int>("tableLines");
    QTest::newRow("padded to 120 lines") << 0 << 120;
    QTest::newRow("more records than 120 lines") << 125 << 129;
}

void TestManualEntry::printPeriodIncludesItsEndDay()
{
    QFETCH(int, extraRecords);
    QFETCH(int, tableLines);
    // A manual line saved by the screen, so its name and price come with it.
    FakeMessages boxes;
    addLine(QStringLiteral("E01"), QStringLiteral("SH01"), 2, QStringLiteral("10"));  // 2024-03-15, 3.50
    QVERIFY(screen_->btnsaveClick());
    collected(QStringLiteral("E01"), QStringLiteral("SH01"), 1, 4, QDate(2024, 3, 1));    // first day: 2.00
    collected(QStringLiteral("E01"), QStringLiteral("SH01"), 1, 6, QDate(2024, 3, 31));   // last day: 3.00
    collected(QStringLiteral("E01"), QStringLiteral("GONE"), 1, 2, QDate(2024, 3, 20));   // its order removed: 1.00
    collected(QStringLiteral("E01"), QStringLiteral("SH01"), 1, 100, QDate(2024, 2, 29)); // before
    collected(QStringLiteral("E01"), QStringLiteral("SH01"), 1, 100, QDate(2024, 4, 1));  // after
    collected(QStringLiteral("E02"), QStringLiteral("SH01"), 1, 100, QDate(2024, 3, 15)); // someone else
    for (int i = 0; i < extraRecords; ++i)
        collected(QStringLiteral("E01"), QStringLiteral("XK01"), 1, 1, QDate(2024, 3, 10));

    Tprintjifeifrm print;
    QVERIFY(print.setEmployee(QStringLiteral("E01")));
    print.fromBox()->setDate(QDate(2024, 3, 1));
    print.toBox()->setDate(QDate(2024, 3, 31));
    const report::ListReport r = print.pieceReport();
    QCOMPARE(r.title, QStringLiteral("Osmira统计报表"));
    QVERIFY(r.landscape);
    QCOMPARE(r.paperMm, QSizeF(215.9, 279.4));
    QCOMPARE(r.headerLines.size(), 1);
    for (const char* part : {"部门：缝纫车间", "姓名：张三", "工号：E01", "统计时间：2024-03-01 至 2024-03-31"})
        QVERIFY2(r.headerLines[0].contains(QString::fromUtf8(part)), part);
    QStringList captions;
    for (const auto& c : r.columns)
        captions << c.caption;
    QCOMPARE(captions, (QStringList{"制单号", "制单名称", "工序号", "工序名称", "单价", "数量", "小计", "日期"}));
    QCOMPARE(r.rows.size(), tableLines);
    int filled = 0;
    for (const QStringList& row : r.rows)
        filled += row.join(QString()).isEmpty() ? 0 : 1;
    QCOMPARE(filled, 4 + extraRecords);
    QCOMPARE(r.rows[0], (QStringList{"SH01", "男式衬衫", "1", "", "0.50", "4", "2.00", "2024-03-01"}));
    QCOMPARE(r.rows[filled - 1], (QStringList{"SH01", "男式衬衫", "1", "", "0.50", "6", "3.00", "2024-03-31"}));
    QVERIFY(r.rows.contains(QStringList{"SH01", "男式衬衫", "2", "上袖", "0.35", "10", "3.50", "2024-03-15"}));
    QVERIFY(r.rows.contains(QStringList{"GONE", "", "1", "", "0.50", "2", "1.00", "2024-03-20"}));
    const int pieces = 22 + extraRecords;
    const Money money = Money::fromString(QStringLiteral("9.5")) + Money::fromString(QStringLiteral("0.5")) * extraRecords;
    QCOMPARE(r.summary, QStringLiteral("合计(金额单位为‘元’)    数量：%1    金额：%2").arg(pieces).arg(money.toString(2)));
}

QTEST_MAIN(TestManualEntry)
#include "tst_countfrm.moc"
