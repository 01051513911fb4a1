#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "personnel/zhufang.h"
#include "personnel/zhushu.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

namespace {

QStringList gridRow(const RecordSet* rows, int row)
{
    QStringList list;
    for (int c = 0; c < rows->columnCount(); ++c)
        list << rows->data(rows->index(row, c)).toString();
    return list;
}

}  // namespace

// 住宿登记 and 住房查询.
class TestDormitory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void stayIsStored_data();
    void stayIsStored();
    void stayNeedsANumberOrADate();
    void stayShowsTheEmployee();
    void stayDeleteAsksFirst();
    void occupancyListsOnlyHousedEmployeesInService();

private:
    int count(const QString& sql) { return Query(sql).scalar().toInt(); }
    std::unique_ptr<FakeMessages> unexpected_;
    std::unique_ptr<Tzhushufrm> stays_;
};

void TestDormitory::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<FakeMessages>();
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    Query(QStringLiteral(
              "INSERT INTO personnel(personnelid, personnelname, deptname, zaizhi, roomid, roomlie) VALUES "
              "('E01', '张三', '车缝', 0, '101', '1'), ('E02', '李四', '裁床', 0, '101', NULL), "
              "('E03', '王五', '车缝', 1, '102', '2'), ('E04', '赵六', '包装', 0, NULL, '3'), "
              "('E05', '钱七', '包装', 0, '102', '1')"))
        .exec();
    Query(QStringLiteral("INSERT INTO zhusu(personnelid, begtime, biao) VALUES('E02', '2024-03-01', 1)")).exec();
}

void TestDormitory::cleanup()
{
    stays_.reset();
    Connection::main().close();
    if (unexpected_)
        QVERIFY2(unexpected_->shown.isEmpty(), qPrintable(unexpected_->texts().join(QLatin1Char('|'))));
    unexpected_.reset();
}

void TestDormitory::stayIsStored_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("in");
    QTest::addColumn<QString>("where");
    QTest::newRow("number, no dates") << "E01" << QDate() << "personnelid='E01' AND begtime IS NULL AND endtime IS NULL";
    QTest::newRow("number and moving-in date") << "E01" << QDate(2024, 5, 6)
                                               << "personnelid='E01' AND begtime IS NOT NULL AND endtime IS NULL";
    QTest::newRow("date, no number") << "" << QDate(2024, 5, 6) << "personnelid IS NULL AND begtime IS NOT NULL";
}

void TestDormitory::stayIsStored()
{
    QFETCH(QString, number);
    QFETCH(QDate, in);
    QFETCH(QString, where);
    stays_ = std::make_unique<Tzhushufrm>();
    stays_->show();
    stays_->button(QStringLiteral("增加登记"))->click();
    stays_->numberBox()->setText(number);
    if (in.isValid())
        stays_->inBox()->setDate(in);
    stays_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(stays_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhusu WHERE ") + where), 1);
    if (in.isValid())
        QCOMPARE(db::toDate(Query(QStringLiteral("SELECT begtime FROM zhusu WHERE ") + where).scalar()), in);
    QCOMPARE(stays_->records()->size(), 2);
}

void TestDormitory::stayNeedsANumberOrADate()
{
    stays_ = std::make_unique<Tzhushufrm>();
    stays_->show();
    FakeMessages boxes;
    stays_->button(QStringLiteral("增加登记"))->click();
    stays_->outBox()->setDate(QDate(2024, 6, 1));  // a moving-out date alone is not enough
    stays_->button(QStringLiteral("保  存"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("请输入资料")});
    QCOMPARE(stays_->editor()->mode(), EditController::Mode::Entry);
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhusu")), 1);
}

void TestDormitory::stayShowsTheEmployee()
{
    stays_ = std::make_unique<Tzhushufrm>();
    stays_->show();
    QCOMPARE(gridRow(stays_->records(), 0),
             (QStringList{QStringLiteral("E02"), QStringLiteral("李四"), QStringLiteral("2024-03-01"), QString(), QString()}));
    QCOMPARE(stays_->nameBox()->text(), QStringLiteral("李四"));
    QCOMPARE(stays_->deptBox()->text(), QStringLiteral("裁床"));
    stays_->button(QStringLiteral("增加登记"))->click();
    QVERIFY(stays_->nameBox()->text().isEmpty());
    stays_->numberBox()->setText(QStringLiteral("E05"));
    QCOMPARE(stays_->nameBox()->text(), QStringLiteral("钱七"));
    QCOMPARE(stays_->deptBox()->text(), QStringLiteral("包装"));
    stays_->numberBox()->setText(QStringLiteral("E99"));
    QVERIFY(stays_->nameBox()->text().isEmpty());
}

void TestDormitory::stayDeleteAsksFirst()
{
    stays_ = std::make_unique<Tzhushufrm>();
    stays_->show();
    FakeMessages boxes;
    boxes.answers = {false, true};
    stays_->button(QStringLiteral("删除记录"))->click();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("是否要删除该记录")});
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhusu")), 1);
    stays_->button(QStringLiteral("删除记录"))->click();
    QCOMPARE(count(QStringLiteral("SELECT count(*) FROM zhusu")), 0);
    QCOMPARE(stays_->records()->size(), 0);
    boxes.clear();
    stays_->button(QStringLiteral("删除记录"))->click();  // an empty list asks nothing
    QVERIFY(boxes.shown.isEmpty());
}

void TestDormitory::occupancyListsOnlyHousedEmployeesInService()
{
    Tzhufangfrm screen;
    screen.show();
    QCOMPARE(screen.records()->size(), 0);  // nothing before 查询
    screen.button(QStringLiteral("查  询"))->click();
    QCOMPARE(screen.records()->size(), 2);
    QCOMPARE(gridRow(screen.records(), 0),
             (QStringList{QStringLiteral("101"), QStringLiteral("1"), QStringLiteral("E01"), QStringLiteral("张三")}));
    QCOMPARE(gridRow(screen.records(), 1),
             (QStringList{QStringLiteral("102"), QStringLiteral("1"), QStringLiteral("E05"), QStringLiteral("钱七")}));
}

QTEST_MAIN(TestDormitory)
#include "tst_dormitory.moc"
