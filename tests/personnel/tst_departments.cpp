#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "personnel/bumen.h"
#include "personnel/onedept.h"
#include "personnel/twodept.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// The grid's text in row, column by column.
QStringList gridRow(const RecordSet* rows, int row)
{
    QStringList list;
    for (int c = 0; c < rows->columnCount(); ++c)
        list << rows->data(rows->index(row, c)).toString();
    return list;
}

void choose(QComboBox* box, const QString& text)
{
    const int i = box->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    box->setCurrentIndex(i);
}

}  // namespace

// The three department levels: 部门资料录入, 二级部门 and 三级部门.
class TestDepartments : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void addsADepartment();
    void departmentRefusals_data();
    void departmentRefusals();
    void changingKeepsItsOwnNumber();
    void leavingTheNumberWarnsOnlyForNewDepartments();
    void deleteAsksFirst();

    void secondLevelStoresItsParent();
    void thirdLevelFirstLevelNarrowsTheSecond();
    void thirdLevelStoresItsParentAndShowsTheNames();
    void thirdLevelNeedsItsName();
    void deleteDoesNothingOnAnEmptyList();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    int sysidOf(const QString& name)
    {
        return Query(QStringLiteral("SELECT sysid FROM onedept WHERE onedept=:a")).bind(QStringLiteral(":a"), name).scalar().toInt();
    }
    std::unique_ptr<FakeMessages> unexpected_;
    std::unique_ptr<RecordScreen> screen_;
};

void TestDepartments::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<FakeMessages>();
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    Query(QStringLiteral("INSERT INTO dept(deptid, deptname) VALUES('01', '裁床'), ('02', '车缝')")).exec();
    Query(QStringLiteral("INSERT INTO onedept(deptid, onedept) VALUES('01', 'A组'), ('02', 'C组'), ('01', 'B组')")).exec();
    Query(QStringLiteral("INSERT INTO twodept(sysid, twodept) SELECT sysid, '一线' FROM onedept WHERE onedept='A组'")).exec();
}

void TestDepartments::cleanup()
{
    screen_.reset();
    Connection::main().close();
    if (unexpected_)
        QVERIFY2(unexpected_->shown.isEmpty(), qPrintable(unexpected_->texts().join(QLatin1Char('|'))));
    unexpected_.reset();
}

void TestDepartments::addsADepartment()
{
    screen_ = std::make_unique<Tbumenfrm>();
    screen_->show();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QVERIFY(!screen_->box(QStringLiteral("deptid"))->isEnabled());
    screen_->button(QStringLiteral("新  增"))->click();
    QVERIFY(screen_->box(QStringLiteral("deptid"))->isEnabled());
    screen_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
    screen_->box(QStringLiteral("deptid"))->setFocus();
    QTest::keyClicks(screen_->box(QStringLiteral("deptid")), QStringLiteral("03"));
    // Enter in 部门编号 moves to 部门名称.
    QTest::keyClick(screen_->box(QStringLiteral("deptid")), Qt::Key_Return);
    QVERIFY(screen_->box(QStringLiteral("deptname"))->hasFocus());
    screen_->box(QStringLiteral("deptname"))->setText(QStringLiteral("包装 O'K"));
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept WHERE deptid='03' AND deptname='包装 O''K'")), 1);
    QCOMPARE(screen_->records()->size(), 3);
}

void TestDepartments::departmentRefusals_data()
{
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");  // empty: refused without a word
    QTest::newRow("new with a taken number") << true << "01" << "后整" << "该部门 ID已经重复，请重新输入";
    QTest::newRow("renumbered to a taken number") << false << "02" << "裁床" << "该部门 ID已经重复，请重新输入";
    QTest::newRow("no number") << true << "" << "后整" << "";
    QTest::newRow("no name") << true << "05" << "" << "";
    QTest::newRow("name cleared") << false << "01" << "  " << "";
}

void TestDepartments::departmentRefusals()
{
    QFETCH(bool, isNew);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, message);
    screen_ = std::make_unique<Tbumenfrm>();
    screen_->show();
    FakeMessages boxes;
    screen_->editor()->setCurrentRow(0);  // 01 裁床
    screen_->button(isNew ? QStringLiteral("新  增") : QStringLiteral("修  改"))->click();
    screen_->box(QStringLiteral("deptid"))->setText(number);
    screen_->box(QStringLiteral("deptname"))->setText(name);
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept")), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept WHERE deptid='01' AND deptname='裁床'")), 1);
}

void TestDepartments::changingKeepsItsOwnNumber()
{
    screen_ = std::make_unique<Tbumenfrm>();
    screen_->show();
    screen_->editor()->setCurrentRow(1);  // 02 车缝
    screen_->button(QStringLiteral("修  改"))->click();
    screen_->box(QStringLiteral("deptname"))->setText(QStringLiteral("车缝一部"));
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept WHERE deptid='02' AND deptname='车缝一部'")), 1);
}

void TestDepartments::leavingTheNumberWarnsOnlyForNewDepartments()
{
    auto* screen = new Tbumenfrm;
    screen_.reset(screen);
    screen->show();
    FakeMessages boxes;
    screen->button(QStringLiteral("修  改"))->click();
    screen->deptidExit();
    QVERIFY(boxes.shown.isEmpty());
    screen->button(QStringLiteral("取  消"))->click();
    screen->button(QStringLiteral("新  增"))->click();
    screen->box(QStringLiteral("deptid"))->setText(QStringLiteral("04"));
    screen->deptidExit();
    QVERIFY(boxes.shown.isEmpty());
    screen->box(QStringLiteral("deptid"))->setText(QStringLiteral("02"));
    screen->deptidExit();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("该部门 ID已经重复，请重新输入")});
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Entry);  // a warning only
}

void TestDepartments::deleteAsksFirst()
{
    screen_ = std::make_unique<Tbumenfrm>();
    screen_->show();
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->button(QStringLiteral("删  除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("删除该部门，将会令到后面的数据的统计出现问题?"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept")), 2);
    screen_->button(QStringLiteral("删  除"))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM dept WHERE deptid='01'")), 0);
    QCOMPARE(screen_->records()->size(), 1);
}

void TestDepartments::secondLevelStoresItsParent()
{
    auto* screen = new Tonedeptfrm;
    screen_.reset(screen);
    screen->show();
    QCOMPARE(gridRow(screen->records(), 0), (QStringList{QStringLiteral("裁床"), QStringLiteral("A组")}));
    screen->button(QStringLiteral("新  增"))->click();
    choose(screen->parentBox(), QStringLiteral("车缝"));
    screen->box(QStringLiteral("onedept"))->setText(QStringLiteral("D组"));
    screen->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM onedept WHERE deptid='02' AND onedept='D组'")), 1);
    const int row = screen->records()->findRow(QStringLiteral("onedept"), QStringLiteral("D组"));
    QCOMPARE(gridRow(screen->records(), row), (QStringList{QStringLiteral("车缝"), QStringLiteral("D组")}));
}

void TestDepartments::thirdLevelFirstLevelNarrowsTheSecond()
{
    auto* screen = new Ttwodeptfrm;
    screen_.reset(screen);
    screen->show();
    // Browsing shows the current row's parents.
    QCOMPARE(screen->firstLevelBox()->currentText(), QStringLiteral("裁床"));
    QCOMPARE(screen->secondLevelBox()->currentText(), QStringLiteral("A组"));
    screen->button(QStringLiteral("新  增"))->click();
    choose(screen->firstLevelBox(), QStringLiteral("车缝"));
    QCOMPARE(items(screen->secondLevelBox()), QStringList{QStringLiteral("C组")});
    choose(screen->firstLevelBox(), QStringLiteral("裁床"));
    QCOMPARE(items(screen->secondLevelBox()), (QStringList{QStringLiteral("A组"), QStringLiteral("B组")}));
}

void TestDepartments::thirdLevelStoresItsParentAndShowsTheNames()
{
    auto* screen = new Ttwodeptfrm;
    screen_.reset(screen);
    screen->show();
    screen->button(QStringLiteral("新  增"))->click();
    choose(screen->firstLevelBox(), QStringLiteral("车缝"));
    choose(screen->secondLevelBox(), QStringLiteral("C组"));
    screen->box(QStringLiteral("twodept"))->setText(QStringLiteral("二线"));
    screen->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM twodept WHERE twodept='二线' AND sysid=%1")
                       .arg(sysidOf(QStringLiteral("C组")))),
             1);
    const int row = screen->records()->findRow(QStringLiteral("twodept"), QStringLiteral("二线"));
    QCOMPARE(gridRow(screen->records(), row),
             (QStringList{QStringLiteral("车缝"), QStringLiteral("C组"), QStringLiteral("二线")}));

    // Changing the existing row keeps its parent unless another is chosen.
    screen->editor()->setCurrentRow(screen->records()->findRow(QStringLiteral("twodept"), QStringLiteral("一线")));
    QCOMPARE(screen->secondLevelBox()->currentText(), QStringLiteral("A组"));
    screen->button(QStringLiteral("修  改"))->click();
    choose(screen->secondLevelBox(), QStringLiteral("B组"));
    screen->button(QStringLiteral("保  存"))->click();
    QCOMPARE(count(QStringLiteral("SELECT sysid FROM twodept WHERE twodept='一线'")), sysidOf(QStringLiteral("B组")));
}

void TestDepartments::thirdLevelNeedsItsName()
{
    auto* screen = new Ttwodeptfrm;
    screen_.reset(screen);
    screen->show();
    FakeMessages boxes;
    screen->button(QStringLiteral("新  增"))->click();
    choose(screen->firstLevelBox(), QStringLiteral("裁床"));
    choose(screen->secondLevelBox(), QStringLiteral("B组"));
    screen->button(QStringLiteral("保  存"))->click();
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(screen->editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM twodept")), 1);
}

void TestDepartments::deleteDoesNothingOnAnEmptyList()
{
    Query(QStringLiteral("DELETE FROM twodept")).exec();
    Query(QStringLiteral("DELETE FROM onedept")).exec();
    for (int level = 2; level <= 3; ++level) {
        if (level == 2)
            screen_ = std::make_unique<Tonedeptfrm>();
        else
            screen_ = std::make_unique<Ttwodeptfrm>();
        screen_->show();
        screen_->button(QStringLiteral("删  除"))->click();  // no question: unexpected_ would hold it
        screen_->button(QStringLiteral("修  改"))->click();
        QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    }
}

QTEST_MAIN(TestDepartments)
#include "tst_departments.moc"
