#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "personnel/pricejibie.h"
#include "personnel/room.h"
#include "personnel/zhiwei.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

RecordScreen* makeScreen(const QString& table)
{
    if (table == QLatin1String("zhiwei"))
        return new Tzhiweifrm;
    if (table == QLatin1String("room"))
        return new Troomfrm;
    return new Tpricejiibiefrm;
}

}  // namespace

// Positions, rooms and wage grades: each keeps one value unique.
class TestOrganisation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void uniqueValueRefused_data();
    void uniqueValueRefused();
    void renamedToAFreeValue_data();
    void renamedToAFreeValue();
    void positionStoresItsFlags();
    void roomFooterCountsTheBeds();
    void gradeNeedsItsRate();
    void deleteDoesNothingOnAnEmptyList_data();
    void deleteDoesNothingOnAnEmptyList();

private:
    void open(const QString& table)
    {
        screen_.reset(makeScreen(table));
        screen_->show();
    }
    int count(const QString& sql, const QString& value = {})
    {
        Query q(sql);
        if (!value.isNull())
            q.bind(QStringLiteral(":v"), value);
        return q.scalar().toInt();
    }
    std::unique_ptr<FakeMessages> unexpected_;
    std::unique_ptr<RecordScreen> screen_;
};

void TestOrganisation::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<FakeMessages>();
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    Query(QStringLiteral("INSERT INTO zhiwei(zhiwei, jiawage, rebanwage) VALUES('组长', 1, 0), ('车工', 0, 0)")).exec();
    Query(QStringLiteral("INSERT INTO room(roomid, amount) VALUES('101', 8), ('102', 6)")).exec();
    Query(QStringLiteral("INSERT INTO jibie(jibie, price) VALUES('A', 1.25), ('B', 1)")).exec();
}

void TestOrganisation::cleanup()
{
    screen_.reset();
    Connection::main().close();
    if (unexpected_)
        QVERIFY2(unexpected_->shown.isEmpty(), qPrintable(unexpected_->texts().join(QLatin1Char('|'))));
    unexpected_.reset();
}

void TestOrganisation::uniqueValueRefused_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("other");  // the second column, typed for a new row
    QTest::addColumn<QString>("otherValue");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("message");
    QTest::newRow("new position") << "zhiwei" << "zhiwei" << "" << "" << true << "车工" << "职位已重复，请重新输入";
    QTest::newRow("position renamed") << "zhiwei" << "zhiwei" << "" << "" << false << "车工" << "职位已重复，请重新输入";
    QTest::newRow("new room") << "room" << "roomid" << "amount" << "4" << true << "102" << "该房号已重复，请重新输入";
    QTest::newRow("room renumbered") << "room" << "roomid" << "amount" << "" << false << "102" << "该房号已重复，请重新输入";
    QTest::newRow("new grade") << "jibie" << "jibie" << "price" << "2" << true << "B" << "该级别已经重复，请重新输入";
    QTest::newRow("grade renamed") << "jibie" << "jibie" << "price" << "" << false << "B" << "该级别已经重复，请重新输入";
}

void TestOrganisation::uniqueValueRefused()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, other);
    QFETCH(QString, otherValue);
    QFETCH(bool, isNew);
    QFETCH(QString, taken);
    QFETCH(QString, message);
    open(table);
    FakeMessages boxes;
    screen_->editor()->setCurrentRow(0);  // the first row, not the one holding taken
    QVERIFY(screen_->records()->text(0, column) != taken);
    screen_->button(isNew ? QStringLiteral("新  增") : QStringLiteral("修  改"))->click();
    screen_->box(column)->setText(taken);
    if (!other.isEmpty() && isNew)
        screen_->box(other)->setText(otherValue);
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(boxes.texts(), QStringList{message});
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1").arg(table)), 2);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1 WHERE %2=:v").arg(table, column), taken), 1);
}

void TestOrganisation::renamedToAFreeValue_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("position") << "zhiwei" << "zhiwei" << "组长" << "O'Neil 组长";
    QTest::newRow("room") << "room" << "roomid" << "101" << "1'01";
    QTest::newRow("grade") << "jibie" << "jibie" << "A" << "A'";
}

// Renaming a row to a value nobody holds saves, and keeping its own value is no duplicate.
void TestOrganisation::renamedToAFreeValue()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, before);
    QFETCH(QString, after);
    open(table);
    screen_->editor()->setCurrentRow(screen_->records()->findRow(column, before));
    screen_->button(QStringLiteral("修  改"))->click();
    screen_->button(QStringLiteral("保  存"))->click();  // unchanged
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    screen_->button(QStringLiteral("修  改"))->click();
    screen_->box(column)->setText(after);
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1 WHERE %2=:v").arg(table, column), after), 1);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1 WHERE %2=:v").arg(table, column), before), 0);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM %1").arg(table)), 2);
}

void TestOrganisation::positionStoresItsFlags()
{
    open(QStringLiteral("zhiwei"));
    screen_->button(QStringLiteral("新  增"))->click();
    screen_->box(QStringLiteral("zhiwei"))->setText(QStringLiteral("烫工"));
    qobject_cast<QCheckBox*>(screen_->field(QStringLiteral("rebanwage")))->setChecked(true);
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhiwei WHERE zhiwei='烫工' AND jiawage=0 AND rebanwage=1")), 1);
    const RecordSet* rows = screen_->records();
    const int row = rows->findRow(QStringLiteral("zhiwei"), QStringLiteral("烫工"));
    QCOMPARE(rows->data(rows->index(row, 2), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QCOMPARE(rows->data(rows->index(row, 3), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(rows->data(rows->index(row, 0)).toInt() > 0);  // 职位编号 the database assigned
}

void TestOrganisation::roomFooterCountsTheBeds()
{
    open(QStringLiteral("room"));
    auto* rooms = static_cast<Troomfrm*>(screen_.get());
    QCOMPARE(rooms->footerText(), QStringLiteral("合计: 14"));
    rooms->button(QStringLiteral("新  增"))->click();
    rooms->box(QStringLiteral("roomid"))->setText(QStringLiteral("201"));
    rooms->box(QStringLiteral("amount"))->setText(QStringLiteral("4"));
    rooms->button(QStringLiteral("保  存"))->click();
    QCOMPARE(count(QStringLiteral("SELECT amount FROM room WHERE roomid='201'")), 4);
    QCOMPARE(rooms->footerText(), QStringLiteral("合计: 18"));
    FakeMessages boxes;
    boxes.answers = {true};
    rooms->editor()->setCurrentRow(rooms->records()->findRow(QStringLiteral("roomid"), QStringLiteral("101")));
    rooms->button(QStringLiteral("删  除"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("是否要删除该记录，将会影响员工的数据")});
    QCOMPARE(rooms->footerText(), QStringLiteral("合计: 10"));
}

void TestOrganisation::gradeNeedsItsRate()
{
    open(QStringLiteral("jibie"));
    FakeMessages boxes;
    screen_->button(QStringLiteral("新  增"))->click();
    screen_->box(QStringLiteral("jibie"))->setText(QStringLiteral("C"));
    screen_->button(QStringLiteral("保  存"))->click();
    QVERIFY(boxes.shown.isEmpty());  // refused without a word
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);
    screen_->box(QStringLiteral("price"))->setText(QStringLiteral("0.0325"));
    screen_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(Query(QStringLiteral("SELECT price FROM jibie WHERE jibie='C'")).scalar().toDouble(), 0.0325);
    const RecordSet* rows = screen_->records();
    QCOMPARE(rows->data(rows->index(rows->findRow(QStringLiteral("jibie"), QStringLiteral("A")), 1)).toString(),
             QStringLiteral("1.2500"));
}

void TestOrganisation::deleteDoesNothingOnAnEmptyList_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("position") << "zhiwei";
    QTest::newRow("room") << "room";
}

void TestOrganisation::deleteDoesNothingOnAnEmptyList()
{
    QFETCH(QString, table);
    Query(QStringLiteral("DELETE FROM ") + table).exec();
    open(table);
    screen_->button(QStringLiteral("删  除"))->click();  // no question: unexpected_ would hold it
    screen_->button(QStringLiteral("修  改"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
}

QTEST_MAIN(TestOrganisation)
#include "tst_organisation.moc"
