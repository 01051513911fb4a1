#include "common/recordset.h"
#include "support/testdb.h"

#include <QTest>

using db::Connection;
using db::Query;

class TestRecordSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void writesInsertsUpdatesAndDeletes();
    void duplicateWritesNothing();
    void sameFieldChangedElsewhereIsAConflict();
    void otherFieldChangedElsewhereIsKept();
    void rowDeletedElsewhereIsAConflict();
    void revertRestoresWhatWasRead();

private:
    int count(const QString& where = QStringLiteral("1=1"));
    QString name(int custid, Connection& c = Connection::main());
    RecordSet* records_ = nullptr;
    Connection other_{QStringLiteral("other-workstation")};
};

void TestRecordSet::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    const QString text = testdb::freshDatabase();
    QVERIFY(db::TryConnect(text, QString()));
    QString error;
    QVERIFY(other_.open(*db::parseConnectionString(text, QString()).settings, &error));
    Query(QStringLiteral("INSERT INTO customer(customer, telphone, man) VALUES('甲', '1', 'a'), ('乙', '2', 'b')")).exec();
    records_ = new RecordSet;
    records_->setTable(QStringLiteral("customer"), {QStringLiteral("custid")}, QStringLiteral("custid"));
    records_->load(QStringLiteral("SELECT * FROM customer ORDER BY custid"));
}

void TestRecordSet::cleanup()
{
    delete records_;
    records_ = nullptr;
    other_.close();
    Connection::main().close();
}

int TestRecordSet::count(const QString& where)
{
    return Query(QStringLiteral("SELECT count(*) FROM customer WHERE ") + where).scalar().toInt();
}

QString TestRecordSet::name(int custid, Connection& c)
{
    return Query(QStringLiteral("SELECT customer FROM customer WHERE custid=:i"), c).bind(QStringLiteral(":i"), custid).scalar().toString();
}

void TestRecordSet::writesInsertsUpdatesAndDeletes()
{
    QCOMPARE(records_->size(), 2);
    const int row = records_->appendRow();
    records_->setValue(row, QStringLiteral("customer"), QStringLiteral("丙 O'Hara"));
    records_->setValue(0, QStringLiteral("man"), QStringLiteral("张三"));
    records_->removeRow(1);
    QVERIFY(records_->hasPendingChanges());
    records_->applyUpdates();
    QVERIFY(!records_->hasPendingChanges());
    QCOMPARE(count(), 2);
    // The new row got its key from the database.
    const int id = records_->value(1, QStringLiteral("custid")).toInt();
    QVERIFY(id > 0);
    QCOMPARE(name(id), QStringLiteral("丙 O'Hara"));
    QCOMPARE(Query(QStringLiteral("SELECT man FROM customer WHERE customer='甲'")).scalar().toString(), QStringLiteral("张三"));
    QCOMPARE(count(QStringLiteral("customer='乙'")), 0);
    // Saved rows are ordinary rows now: a further edit updates.
    records_->setValue(1, QStringLiteral("telphone"), QStringLiteral("99"));
    records_->applyUpdates();
    QCOMPARE(Query(QStringLiteral("SELECT telphone FROM customer WHERE custid=:i")).bind(QStringLiteral(":i"), id).scalar().toString(), QStringLiteral("99"));
}

void TestRecordSet::duplicateWritesNothing()
{
    const int a = records_->appendRow();
    records_->setValue(a, QStringLiteral("customer"), QStringLiteral("丁"));
    records_->setValue(0, QStringLiteral("man"), QStringLiteral("changed"));
    const int b = records_->appendRow();
    records_->setValue(b, QStringLiteral("customer"), QStringLiteral("乙"));  // taken
    try {
        records_->applyUpdates();
        QFAIL("the duplicate must be refused");
    } catch (const db::DbError& e) {
        QVERIFY(e.isUniqueViolation());
    }
    QCOMPARE(count(), 2);
    QCOMPARE(count(QStringLiteral("man='changed'")), 0);
    QVERIFY(records_->hasPendingChanges());  // nothing lost on the client either
    QVERIFY(records_->isNew(a));
}

void TestRecordSet::sameFieldChangedElsewhereIsAConflict()
{
    const int id = records_->value(0, QStringLiteral("custid")).toInt();
    Query(QStringLiteral("UPDATE customer SET man='other' WHERE custid=:i"), other_).bind(QStringLiteral(":i"), id).exec();
    records_->setValue(0, QStringLiteral("man"), QStringLiteral("mine"));
    const int row = records_->appendRow();
    records_->setValue(row, QStringLiteral("customer"), QStringLiteral("戊"));
    QVERIFY_THROWS_EXCEPTION(ConflictError, records_->applyUpdates());
    QCOMPARE(Query(QStringLiteral("SELECT man FROM customer WHERE custid=:i")).bind(QStringLiteral(":i"), id).scalar().toString(), QStringLiteral("other"));
    QCOMPARE(count(QStringLiteral("customer='戊'")), 0);  // the whole save was refused
}

void TestRecordSet::otherFieldChangedElsewhereIsKept()
{
    const int id = records_->value(0, QStringLiteral("custid")).toInt();
    Query(QStringLiteral("UPDATE customer SET telphone='777' WHERE custid=:i"), other_).bind(QStringLiteral(":i"), id).exec();
    records_->setValue(0, QStringLiteral("man"), QStringLiteral("mine"));
    records_->applyUpdates();
    Query q(QStringLiteral("SELECT man, telphone FROM customer WHERE custid=:i"));
    q.bind(QStringLiteral(":i"), id).exec();
    QVERIFY(q.next());
    QCOMPARE(q.text(QStringLiteral("man")), QStringLiteral("mine"));
    QCOMPARE(q.text(QStringLiteral("telphone")), QStringLiteral("777"));
}

void TestRecordSet::rowDeletedElsewhereIsAConflict()
{
    const int id = records_->value(1, QStringLiteral("custid")).toInt();
    Query(QStringLiteral("DELETE FROM customer WHERE custid=:i"), other_).bind(QStringLiteral(":i"), id).exec();
    records_->setValue(1, QStringLiteral("man"), QStringLiteral("mine"));
    QVERIFY_THROWS_EXCEPTION(ConflictError, records_->applyUpdates());
    QCOMPARE(count(), 1);
}

void TestRecordSet::revertRestoresWhatWasRead()
{
    records_->setValue(0, QStringLiteral("man"), QStringLiteral("x"));
    records_->removeRow(1);
    records_->appendRow();
    records_->revertAll();
    QCOMPARE(records_->size(), 2);
    QVERIFY(!records_->hasPendingChanges());
    QCOMPARE(records_->text(0, QStringLiteral("man")), QStringLiteral("a"));
    // A row deleted and brought back returns to its place.
    records_->removeRow(0);
    records_->revertAll();
    QCOMPARE(records_->text(0, QStringLiteral("customer")), QStringLiteral("甲"));
}

QTEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
