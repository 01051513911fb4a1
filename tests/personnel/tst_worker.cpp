#include "common/connectionstring.h"
#include "common/db.h"
#include "personnel/worker.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// The employee register: one employee with details, education, history and transfers.
class TestEmployeeRegister : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void registersAnEmployeeWithEverything();
    void requiredFields_data();
    void requiredFields();
    void duplicatesRefusedAtSave_data();
    void duplicatesRefusedAtSave();
    void ownValuesGiveNoWarning();
    void databaseHoldsACardOnce();
    void failedSaveStoresNothing();
    void changeMovesTheListsWithTheNumber();
    void deleteLeavesTheDetails();
    void printListsTheEmployees();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    void fillNew(const QString& number, const QString& card);
    void choose(const QString& column, const QString& shown);
    void setCell(const QString& table, int row, int column, const QString& text);
    std::unique_ptr<UnexpectedMessages> unexpected_;
    std::unique_ptr<Tworkerfrm> screen_;
    QString connection_;
};

void TestEmployeeRegister::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    connection_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connection_, QString()));
    Query(QStringLiteral("INSERT INTO dept(deptid, deptname) VALUES('01', '车缝部'), ('02', '后整部')")).exec();
    Query(QStringLiteral("INSERT INTO worktype(typename) VALUES('计件'), ('计时')")).exec();
    Query(QStringLiteral("INSERT INTO zhiwei(zhiwei) VALUES('车工'), ('组长')")).exec();
    Query(QStringLiteral("INSERT INTO minzhu(minzhuname) VALUES('汉族')")).exec();
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, kardNO, type, deptid, deptname, worktime) "
                         "VALUES('0001', '王芳', 'C-1', '计件', '01', '车缝部', '2025-03-01')"))
        .exec();
    screen_ = std::make_unique<Tworkerfrm>();
    screen_->show();
}

void TestEmployeeRegister::cleanup()
{
    screen_.reset();
    Connection::main().close();
    unexpected_.reset();
}

void TestEmployeeRegister::choose(const QString& column, const QString& shown)
{
    QComboBox* combo = screen_->comboField(column);
    QVERIFY2(combo, qPrintable(column));
    combo->setCurrentIndex(combo->findText(shown));
    QVERIFY2(combo->currentIndex() >= 0, qPrintable(shown));
}

void TestEmployeeRegister::setCell(const QString& table, int row, int column, const QString& text)
{
    screen_->subList(table)->setItem(row, column, new QTableWidgetItem(text));
}

void TestEmployeeRegister::fillNew(const QString& number, const QString& card)
{
    screen_->btnaddClick();
    screen_->textField(QStringLiteral("personnel.personnelid"))->setText(number);
    screen_->textField(QStringLiteral("personnel.personnelname"))->setText(QStringLiteral("李娟"));
    screen_->textField(QStringLiteral("personnel.kardNO"))->setText(card);
    choose(QStringLiteral("personnel.type"), QStringLiteral("计件"));
    choose(QStringLiteral("personnel.deptid"), QStringLiteral("后整部"));
    choose(QStringLiteral("personnel.zhiweiid"), QStringLiteral("组长"));
}

void TestEmployeeRegister::registersAnEmployeeWithEverything()
{
    fillNew(QStringLiteral("0002"), QStringLiteral("C-2"));
    screen_->textField(QStringLiteral("personlabel.mobile"))->setText(QStringLiteral("13800000000"));
    choose(QStringLiteral("personlabel.mingzhuid"), QStringLiteral("汉族"));
    screen_->addSubRow(QStringLiteral("xueli"));
    setCell(QStringLiteral("xueli"), 0, 0, QStringLiteral("2010"));
    setCell(QStringLiteral("xueli"), 0, 1, QStringLiteral("高中"));
    screen_->addSubRow(QStringLiteral("job"));
    setCell(QStringLiteral("job"), 0, 1, QStringLiteral("某制衣厂车工"));
    screen_->addSubRow(QStringLiteral("diaodong"));
    setCell(QStringLiteral("diaodong"), 0, 0, QStringLiteral("2026-06-01"));
    setCell(QStringLiteral("diaodong"), 0, 2, QStringLiteral("组长"));
    QVERIFY(screen_->btnsaveClick());
    QVERIFY(!screen_->editing());
    Query p(QStringLiteral("SELECT id, deptid, deptname, type, zhiweiid, worktime, zaizhi FROM personnel WHERE personnelid='0002'"));
    p.exec();
    QVERIFY(p.next());
    const int id = p.value(0).toInt();
    QCOMPARE(p.value(1).toString(), QStringLiteral("02"));
    QCOMPARE(p.value(2).toString(), QStringLiteral("后整部"));  // the department's name, copied
    QCOMPARE(p.value(3).toString(), QStringLiteral("计件"));
    QCOMPARE(db::toDate(p.value(5)), QDate::currentDate());
    QCOMPARE(p.value(6).toInt(), 0);
    // The details under the new employee's id, the lists under the number.
    QCOMPARE(Query(QStringLiteral("SELECT mobile FROM personlabel WHERE personid=%1").arg(id)).scalar().toString(),
             QStringLiteral("13800000000"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personlabel WHERE personid=%1 AND mingzhuid IS NOT NULL").arg(id)), 1);
    QCOMPARE(Query(QStringLiteral("SELECT type FROM xueli WHERE personnelid='0002'")).scalar().toString(), QStringLiteral("高中"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM job WHERE personnelid='0002'")), 1);
    QCOMPARE(Query(QStringLiteral("SELECT hwork FROM diaodong WHERE personid='0002'")).scalar().toString(), QStringLiteral("组长"));
    // Shown again as stored.
    QCOMPARE(screen_->list()->rowCount(), 2);
    QCOMPARE(screen_->textField(QStringLiteral("personlabel.mobile"))->text(), QStringLiteral("13800000000"));
    QCOMPARE(screen_->subList(QStringLiteral("diaodong"))->item(0, 0)->text(), QStringLiteral("2026-06-01"));
}

void TestEmployeeRegister::requiredFields_data()
{
    QTest::addColumn<QString>("cleared");
    for (const char* column : {"personnel.personnelid", "personnel.personnelname", "personnel.kardNO"})
        QTest::newRow(column) << QString::fromLatin1(column);
    QTest::newRow("personnel.type") << "personnel.type";
    QTest::newRow("personnel.deptid") << "personnel.deptid";
    QTest::newRow("personnel.zhiweiid") << "personnel.zhiweiid";
    QTest::newRow("personnel.worktime") << "personnel.worktime";
}

void TestEmployeeRegister::requiredFields()
{
    QFETCH(QString, cleared);
    fillNew(QStringLiteral("0003"), QStringLiteral("C-3"));
    QWidget* editor = screen_->field(cleared);
    if (auto* box = qobject_cast<QLineEdit*>(editor))
        box->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(-1);
    else if (auto* date = qobject_cast<QDateEdit*>(editor))
        date->setDate(date->minimumDate());
    FakeMessages boxes;
    QVERIFY(!screen_->btnsaveClick());
    QCOMPARE(boxes.last(), QStringLiteral("请输入完整资料"));
    QVERIFY(screen_->editing());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel")), 1);
}

void TestEmployeeRegister::duplicatesRefusedAtSave_data()
{
    QTest::addColumn<bool>("change");  // changing the existing employee instead of adding one
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("message");
    QTest::newRow("new, number in use") << false << "0001" << "C-9" << "该员工号已经存在，请重新输入";
    QTest::newRow("new, card in use") << false << "0004" << "C-1" << "该卡号已经录入,请重新录入";
    QTest::newRow("changed, card of another") << true << "0005" << "C-1" << "该卡号已经录入,请重新录入";
}

void TestEmployeeRegister::duplicatesRefusedAtSave()
{
    QFETCH(bool, change);
    QFETCH(QString, number);
    QFETCH(QString, card);
    QFETCH(QString, message);
    if (change) {
        Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, kardNO, type, deptid, deptname, worktime, zhiweiid) "
                             "VALUES('0005', '赵敏', 'C-5', '计件', '01', '车缝部', '2025-05-01', 1)"))
            .exec();
        screen_->loadList();
        screen_->list()->setCurrentCell(1, 0);
        screen_->btneditClick();
        screen_->textField(QStringLiteral("personnel.kardNO"))->setText(card);
    } else {
        fillNew(number, card);
    }
    FakeMessages boxes;
    QVERIFY(!screen_->btnsaveClick());
    QCOMPARE(boxes.last(), message);
    QVERIFY(screen_->editing());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel WHERE kardNO='C-1'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel WHERE personnelid='0001'")), 1);
}

void TestEmployeeRegister::ownValuesGiveNoWarning()
{
    screen_->list()->setCurrentCell(0, 0);
    screen_->btneditClick();
    FakeMessages boxes;
    screen_->personnelidLeft();
    screen_->kardNoLeft();
    QVERIFY(boxes.shown.isEmpty());
    // A new employee typing a card in use is warned on leaving the field.
    screen_->btncancelClick();
    fillNew(QStringLiteral("0006"), QStringLiteral("C-1"));
    screen_->kardNoLeft();
    QCOMPARE(boxes.last(), QStringLiteral("该卡号已经录入,请重新录入"));
}

void TestEmployeeRegister::databaseHoldsACardOnce()
{
    // Two workstations that both passed the screen's check: the second insert fails.
    Connection other(QStringLiteral("other"));
    QString error;
    QVERIFY2(other.open(*db::parseConnectionString(connection_, QString()).settings, &error), qPrintable(error));
    bool refused = false;
    try {
        db::Query(QStringLiteral("INSERT INTO personnel(personnelid, kardNO) VALUES('0099', 'C-1')"), other).exec();
    } catch (const db::DbError& e) {
        refused = e.isUniqueViolation();
    }
    QVERIFY(refused);
    // Employees without a card are many.
    db::Query(QStringLiteral("INSERT INTO personnel(personnelid, kardNO) VALUES('0097', ''), ('0098', '')"), other).exec();
    other.close();
}

void TestEmployeeRegister::failedSaveStoresNothing()
{
    fillNew(QStringLiteral("0007"), QStringLiteral("C-7"));
    screen_->addSubRow(QStringLiteral("xueli"));
    setCell(QStringLiteral("xueli"), 0, 1, QStringLiteral("大专"));
    screen_->addSubRow(QStringLiteral("diaodong"));
    setCell(QStringLiteral("diaodong"), 0, 0, QStringLiteral("上个月"));  // not a date
    FakeMessages boxes;
    QVERIFY(!screen_->btnsaveClick());
    QVERIFY(boxes.last().contains(QStringLiteral("上个月")));
    QVERIFY(screen_->editing());  // what was typed stays
    for (const char* table : {"personnel WHERE personnelid='0007'", "xueli", "diaodong", "personlabel"})
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))), 0);
}

void TestEmployeeRegister::changeMovesTheListsWithTheNumber()
{
    Query(QStringLiteral("INSERT INTO job(personnelid, yeardate, type) VALUES('0001', '2019', '旧厂')")).exec();
    screen_->loadList();
    screen_->list()->setCurrentCell(0, 0);
    screen_->btneditClick();
    choose(QStringLiteral("personnel.zhiweiid"), QStringLiteral("车工"));
    screen_->textField(QStringLiteral("personnel.personnelid"))->setText(QStringLiteral("A001"));
    screen_->addSubRow(QStringLiteral("job"));
    setCell(QStringLiteral("job"), 1, 1, QStringLiteral("新经历"));
    QVERIFY(screen_->btnsaveClick());
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM job WHERE personnelid='A001'")), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM job WHERE personnelid='0001'")), 0);
}

void TestEmployeeRegister::deleteLeavesTheDetails()
{
    Query(QStringLiteral("INSERT INTO personlabel(personid, mobile) SELECT id, '1' FROM personnel")).exec();
    Query(QStringLiteral("INSERT INTO xueli(personnelid, type) VALUES('0001', '初中')")).exec();
    screen_->loadList();
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->btndeleteClick();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录"));
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel")), 1);
    screen_->btndeleteClick();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personnel")), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM personlabel")), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM xueli")), 1);
    QCOMPARE(screen_->list()->rowCount(), 0);
}

void TestEmployeeRegister::printListsTheEmployees()
{
    const report::Document doc = screen_->listDocument();
    QVERIFY(!doc.pages.isEmpty());
    const QStringList texts = doc.pages.first().texts();
    for (const char* expected : {"员工资料表", "员工ID", "入厂时间", "是否离职", "0001", "王芳", "车缝部", "2025-03-01", "False"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(TestEmployeeRegister)
#include "tst_worker.moc"
