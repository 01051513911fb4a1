#include "common/db.h"
#include "common/editcontroller.h"
#include "common/money.h"
#include "common/recordset.h"
#include "orders/strock.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using db::Connection;
using db::Query;

class TestStrock : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void newGoodThroughTheDetailDialog();
    void editOpensTheExactGood();
    void closingWithoutSavingWritesNothing();
    void numberBoxesTakeNumbersOnly_data();
    void numberBoxesTakeNumbersOnly();
    void previousAndNextStopAtTheEnds();
    void deleteAsksFirst();

private:
    // The detail dialog the screen opened, once it has closed and gone.
    bool detailClosed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !screen_->openedDetail();
    }
    int goods(const QString& where = QStringLiteral("1=1"))
    {
        return Query(QStringLiteral("SELECT count(*) FROM strock WHERE ") + where).scalar().toInt();
    }
    QString current(const QString& field) const
    {
        return screen_->records()->text(screen_->editor()->currentRow(), field);
    }

    std::unique_ptr<TStrockfrm> screen_;
};

void TestStrock::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    QVERIFY(db::TryConnect(testdb::freshDatabase(), QString()));
    // A10 comes first, so a search for the first number starting with "A1" finds it, not A1.
    Query(QStringLiteral("INSERT INTO strock(strockid, strockname, saleprice, stock) "
                         "VALUES('A10', '衬衫', 59.9, 120), ('A1', '短裤', 35, 40)"))
        .exec();
    screen_ = std::make_unique<TStrockfrm>();
    screen_->show();
}

void TestStrock::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestStrock::newGoodThroughTheDetailDialog()
{
    FakeMessages boxes;
    screen_->button(QStringLiteral("新 增"))->click();
    Tstrockdetailfrm* detail = screen_->openedDetail();
    QVERIFY(detail);
    QCOMPARE(detail->windowModality(), Qt::ApplicationModal);
    QVERIFY(!detail->button(QStringLiteral("增加"))->isHidden());
    QCOMPARE(detail->box(QStringLiteral("strockid"))->text(), QString());
    detail->box(QStringLiteral("strockid"))->setText(QStringLiteral("B7"));
    detail->box(QStringLiteral("strockname"))->setText(QStringLiteral("夹克 O'Neil"));
    detail->box(QStringLiteral("saleprice"))->setText(QStringLiteral("128.5"));
    detail->box(QStringLiteral("stock"))->setText(QStringLiteral("30"));
    // The new good is still being inserted: 增加 adds no second row.
    detail->button(QStringLiteral("增加"))->click();
    QCOMPARE(detail->records()->size(), 1);
    QCOMPARE(detail->box(QStringLiteral("strockid"))->text(), QStringLiteral("B7"));
    detail->button(QStringLiteral("保存"))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QVERIFY(detailClosed());

    Query saved(QStringLiteral(
        "SELECT strockname, saleprice, stock, inprice, color FROM strock WHERE strockid='B7'"));
    QVERIFY(saved.exec().next());
    QCOMPARE(saved.text(QStringLiteral("strockname")), QStringLiteral("夹克 O'Neil"));
    QCOMPARE(saved.money(QStringLiteral("saleprice")), Money::fromCents(12850));
    QCOMPARE(saved.money(QStringLiteral("stock")), Money::fromCents(3000));
    QVERIFY(saved.value(QStringLiteral("inprice")).isNull());
    QVERIFY(saved.value(QStringLiteral("color")).isNull());
    // The list is read again and shows the new good.
    QCOMPARE(screen_->records()->size(), 3);
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("B7"));
}

void TestStrock::editOpensTheExactGood()
{
    FakeMessages boxes;
    screen_->editor()->setCurrentRow(
        screen_->records()->findRow(QStringLiteral("strockid"), QStringLiteral("A1")));
    screen_->button(QStringLiteral("修 改"))->click();
    Tstrockdetailfrm* detail = screen_->openedDetail();
    QVERIFY(detail);
    QVERIFY(detail->button(QStringLiteral("增加"))->isHidden());
    QCOMPARE(detail->box(QStringLiteral("strockid"))->text(), QStringLiteral("A1"));
    QCOMPARE(detail->box(QStringLiteral("strockname"))->text(), QStringLiteral("短裤"));
    QCOMPARE(detail->box(QStringLiteral("saleprice"))->text(), QStringLiteral("35"));
    detail->box(QStringLiteral("strockname"))->setText(QStringLiteral("短裤(夏)"));
    QVERIFY(detail->saveGoods());
    QVERIFY(boxes.shown.isEmpty());
    QVERIFY(detailClosed());
    QCOMPARE(goods(QStringLiteral(
                 "strockid='A1' AND strockname='短裤(夏)' AND saleprice=35 AND stock=40")),
             1);
    QCOMPARE(goods(QStringLiteral("strockid='A10' AND strockname='衬衫'")), 1);
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A1"));
}

void TestStrock::closingWithoutSavingWritesNothing()
{
    screen_->editor()->setCurrentRow(1);
    screen_->button(QStringLiteral("新 增"))->click();
    Tstrockdetailfrm* detail = screen_->openedDetail();
    detail->box(QStringLiteral("strockid"))->setText(QStringLiteral("C1"));
    detail->reject();
    QVERIFY(detailClosed());
    QCOMPARE(goods(), 2);
    QCOMPARE(screen_->records()->size(), 2);
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A1"));  // where it was
}

void TestStrock::numberBoxesTakeNumbersOnly_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");  // key by key
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");  // empty: NULL
    QTest::newRow("price") << "outprice"
                           << "45.5"
                           << "45.5"
                           << "45.5000";
    QTest::newRow("letters refused") << "inprice"
                                     << "abc"
                                     << ""
                                     << "";
    QTest::newRow("letters among digits") << "lowstock"
                                          << "1x2"
                                          << "12"
                                          << "12.0000";
    QTest::newRow("negative stock") << "stock"
                                    << "-3"
                                    << "-3"
                                    << "-3.0000";
    QTest::newRow("five decimals cut to four") << "highstock"
                                               << "1.23456"
                                               << "1.2345"
                                               << "1.2345";
    QTest::newRow("minus alone") << "ordermade"
                                 << "-"
                                 << "-"
                                 << "";
    QTest::newRow("trailing point") << "saleprice"
                                    << "7."
                                    << "7."
                                    << "7.0000";
}

void TestStrock::numberBoxesTakeNumbersOnly()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    FakeMessages boxes;
    screen_->button(QStringLiteral("新 增"))->click();
    Tstrockdetailfrm* detail = screen_->openedDetail();
    detail->box(QStringLiteral("strockid"))->setText(QStringLiteral("N1"));
    QTest::keyClicks(detail->box(field), typed);
    QCOMPARE(detail->box(field)->text(), shown);
    QVERIFY(detail->saveGoods());
    QVERIFY(boxes.shown.isEmpty());
    Query q(QStringLiteral("SELECT %1 FROM strock WHERE strockid='N1'").arg(field));
    QVERIFY(q.exec().next());
    if (stored.isEmpty())
        QVERIFY(q.value(0).isNull());
    else
        QCOMPARE(Money::fromVariant(q.value(0)).storageText(), stored);
}

void TestStrock::previousAndNextStopAtTheEnds()
{
    QPushButton* previous = screen_->button(QStringLiteral("上一条"));
    QPushButton* next = screen_->button(QStringLiteral("下一条"));
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A10"));
    previous->click();
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A10"));
    next->click();
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A1"));
    next->click();
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A1"));
    previous->click();
    QCOMPARE(current(QStringLiteral("strockid")), QStringLiteral("A10"));
}

void TestStrock::deleteAsksFirst()
{
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->editor()->setCurrentRow(1);
    screen_->button(QStringLiteral(" 删 除 "))->click();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录"));
    QCOMPARE(goods(), 2);
    screen_->button(QStringLiteral(" 删 除 "))->click();
    QCOMPARE(goods(), 1);
    QCOMPARE(goods(QStringLiteral("strockid='A10'")), 1);
    QCOMPARE(screen_->records()->size(), 1);
}

QTEST_MAIN(TestStrock)
#include "tst_strock.moc"
