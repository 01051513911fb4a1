#include "common/db.h"
#include "common/editcontroller.h"
#include "common/recordset.h"
#include "orders/customer.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using db::Connection;
using db::Query;

class TestCustomer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void addsACustomer();
    void refusals_data();
    void refusals();
    void leavingTheNameWarnsOnlyForNewCustomers();
    void editKeepsAnotherWorkstationsChange();
    void deleteAsksFirst();
    void cancelDiscards();
    void reportListsEveryCustomer();

private:
    void type(const QString& field, const QString& text) { screen_->box(field)->setText(text); }
    int customers(const QString& where = QStringLiteral("1=1"))
    {
        return Query(QStringLiteral("SELECT count(*) FROM customer WHERE ") + where).scalar().toInt();
    }
    std::unique_ptr<Tcustomerfrm> screen_;
    QString connection_;
};

void TestCustomer::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    connection_ = testdb::freshDatabase();
    QVERIFY(db::TryConnect(connection_, QString()));
    Query(QStringLiteral("INSERT INTO customer(customer, telphone, man) VALUES('华联商贸', '0769-1', '李')")).exec();
    screen_ = std::make_unique<Tcustomerfrm>();
    screen_->show();
}

void TestCustomer::cleanup()
{
    screen_.reset();
    Connection::main().close();
}

void TestCustomer::addsACustomer()
{
    FakeMessages boxes;
    EditController* edit = screen_->editor();
    QVERIFY(!screen_->button(QStringLiteral("保   存"))->isEnabled());
    screen_->button(QStringLiteral("新  增"))->click();
    QCOMPARE(edit->mode(), EditController::Mode::Entry);
    QVERIFY(screen_->button(QStringLiteral("保   存"))->isEnabled());
    QVERIFY(!screen_->button(QStringLiteral("删   除"))->isEnabled());
    type(QStringLiteral("customer"), QStringLiteral("盛达 O'Neil 100%"));
    type(QStringLiteral("telphone"), QStringLiteral("13800000000"));
    type(QStringLiteral("address"), QStringLiteral("东莞"));
    screen_->button(QStringLiteral("保   存"))->click();
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QCOMPARE(edit->mode(), EditController::Mode::Browse);
    QCOMPARE(customers(QStringLiteral("customer='盛达 O''Neil 100%' AND address='东莞' AND man IS NULL")), 1);
    QCOMPARE(screen_->records()->size(), 2);
}

void TestCustomer::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("message");
    QTest::newRow("name typed twice") << "华联商贸" << "1" << "客户名称已重复，请重新输入";
    QTest::newRow("name typed twice, no telephone") << "华联商贸" << "" << "客户名称已重复，请重新输入";
    QTest::newRow("no telephone") << "新客户" << "" << "请输入客户名称和电话号码";
    QTest::newRow("no name") << "" << "1" << "请输入客户名称和电话号码";
}

void TestCustomer::refusals()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    QFETCH(QString, message);
    FakeMessages boxes;
    screen_->editor()->add();
    type(QStringLiteral("customer"), name);
    type(QStringLiteral("telphone"), phone);
    QVERIFY(!screen_->editor()->save());
    QCOMPARE(boxes.last(), message);
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Entry);  // typed values stay
    QCOMPARE(screen_->box(QStringLiteral("customer"))->text(), name);
    QCOMPARE(customers(), 1);
}

void TestCustomer::leavingTheNameWarnsOnlyForNewCustomers()
{
    FakeMessages boxes;
    screen_->editor()->edit();  // the existing customer
    screen_->customerExit();
    QVERIFY(boxes.shown.isEmpty());
    screen_->editor()->cancel();
    screen_->editor()->add();
    type(QStringLiteral("customer"), QStringLiteral("华联商贸"));
    screen_->customerExit();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("客户名称已重复，请重新输入")});
}

void TestCustomer::editKeepsAnotherWorkstationsChange()
{
    Connection other(QStringLiteral("other"));
    QString error;
    QVERIFY(other.open(*db::parseConnectionString(connection_, QString()).settings, &error));
    Query(QStringLiteral("UPDATE customer SET telphone='from elsewhere'"), other).exec();
    FakeMessages boxes;
    screen_->editor()->edit();
    type(QStringLiteral("telphone"), QStringLiteral("mine"));
    QVERIFY(!screen_->editor()->save());
    QCOMPARE(boxes.last(), RecordSet::conflictMessage());
    QCOMPARE(Query(QStringLiteral("SELECT telphone FROM customer")).scalar().toString(), QStringLiteral("from elsewhere"));
}

void TestCustomer::deleteAsksFirst()
{
    FakeMessages boxes;
    boxes.answers = {false, true};
    screen_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(boxes.last(), QStringLiteral("是否要删除该记录，将会影响员工的数据"));
    QCOMPARE(customers(), 1);
    screen_->button(QStringLiteral("删   除"))->click();
    QCOMPARE(customers(), 0);
    QCOMPARE(boxes.last(), QStringLiteral("删除成功"));
}

void TestCustomer::cancelDiscards()
{
    screen_->editor()->edit();
    type(QStringLiteral("man"), QStringLiteral("变了"));
    screen_->button(QStringLiteral("取   消"))->click();
    QCOMPARE(screen_->editor()->mode(), EditController::Mode::Browse);
    QCOMPARE(screen_->box(QStringLiteral("man"))->text(), QStringLiteral("李"));
    QCOMPARE(customers(QStringLiteral("man='李'")), 1);
}

void TestCustomer::reportListsEveryCustomer()
{
    const report::ListReport r = screen_->customerReport();
    QCOMPARE(r.title, QStringLiteral("客户资料报表"));
    QVERIFY(r.headerLines.first().startsWith(QStringLiteral("制表单位：Ventrel制衣厂\t时间：")));
    QCOMPARE(r.rows.size(), 1);
    QCOMPARE(r.rows.first().first(), QStringLiteral("华联商贸"));
    QCOMPARE(r.columns.last().caption, QStringLiteral("地      址"));
}

QTEST_MAIN(TestCustomer)
#include "tst_customer.moc"
