#include "common/db.h"
#include "common/recordset.h"
#include "personnel/checkyuangong.h"
#include "personnel/lizhi.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <memory>

using db::Connection;
using db::Query;

// The screen of employees who have left, driven the way the personnel clerk uses it.
class TestLeaving : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void listsOnlyThoseWhoLeft();
    void showsTheRecordReadOnly();
    void lookUp_data();
    void lookUp();
    void markOrCancel_data();
    void markOrCancel();
    void leavingAndComingBackShowInTheRegisterQuery();
    void unknownNumberIsRefused_data();
    void unknownNumberIsRefused();
    void printedListShowsTheDateOfLeaving();

private:
    QStringList listed() const;
    void typeChinese(QWidget* w, const QString& text);
    std::unique_ptr<UnexpectedMessages> unexpected_;
    std::unique_ptr<Tlizhifrm> screen_;
};

void TestLeaving::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    unexpected_ = std::make_unique<UnexpectedMessages>();
    testdb::openFresh();
    Query(QStringLiteral("INSERT INTO zhiwei(zhiwei) VALUES('车工')")).exec();
    const int position = Query(QStringLiteral("SELECT zhiweiid FROM zhiwei")).scalar().toInt();
    Query(QStringLiteral("INSERT INTO personnel(personnelid, personnelname, kardNO, deptid, deptname, type, zhiweiid, "
                         "worktime, telphone, address, hunyin, zaizhi, lizhidate) VALUES "
                         "('E01', '张三', 'K01', 'D1', '车缝部', '计件', :p, '2024-01-10', '555-1', '东街1号', '1', 0, NULL), "
                         "('E02', '李四', 'K02', 'D2', '裁床部', '计时', :p, '2023-05-02', '555-2', '西街2号', '2', 1, '2024-03-01'), "
                         "('E''03', 'O''Brien', 'K03', 'D1', '车缝部', '计件', NULL, '2024-01-12', NULL, NULL, NULL, 0, NULL)"))
        .bind(QStringLiteral(":p"), position)
        .exec();
    const int li = Query(QStringLiteral("SELECT id FROM personnel WHERE personnelid='E02'")).scalar().toInt();
    Query(QStringLiteral("INSERT INTO personlabel(personid, mobile, bood, guanxi, pepo, chinalan, beizhu) "
                         "VALUES(:a, '13800000000', 'AB', '2', '王芳', 1, '曾任组长')"))
        .bind(QStringLiteral(":a"), li)
        .exec();
    Query(QStringLiteral("INSERT INTO xueli(personnelid, yeardate, type) VALUES('E02', '2010', '高中'), ('E01', '2012', '大学')")).exec();
    Query(QStringLiteral("INSERT INTO job(personnelid, yeardate, type) VALUES('E02', '2015', '制衣厂')")).exec();
    Query(QStringLiteral("INSERT INTO diaodong(personid, dtime, bwork, hwork, season, shehe) "
                         "VALUES('E02', '2023-09-01', '车工', '组长', '升职', '刘经理')"))
        .exec();
    screen_ = std::make_unique<Tlizhifrm>();
    screen_->show();
}

void TestLeaving::cleanup()
{
    screen_.reset();
    Connection::main().close();
    unexpected_.reset();
}

QStringList TestLeaving::listed() const
{
    QStringList ids;
    for (int i = 0; i < screen_->list()->size(); ++i)
        ids << screen_->list()->text(i, QStringLiteral("personnelid"));
    ids.sort();  // the order of the list depends on the engine's collation
    return ids;
}

// QTest::keyClicks cannot type Chinese characters; each one goes as a key event of its own.
void TestLeaving::typeChinese(QWidget* w, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void TestLeaving::listsOnlyThoseWhoLeft()
{
    QCOMPARE(screen_->windowTitle(), QStringLiteral("离职员工档案"));
    QCOMPARE(listed(), QStringList{QStringLiteral("E02")});
    QCOMPARE(screen_->dateBox()->date(), QDate::currentDate());
    for (const char* caption : {"增加离职", "取消离职", "离职员工打印"})
        QVERIFY2(screen_->button(QString::fromUtf8(caption)), caption);
}

void TestLeaving::showsTheRecordReadOnly()
{
    QCOMPARE(screen_->grid()->currentIndex().row(), 0);
    QCOMPARE(screen_->field(QStringLiteral("personnelname"))->text(), QStringLiteral("李四"));
    QCOMPARE(screen_->field(QStringLiteral("kardNO"))->text(), QStringLiteral("K02"));
    QCOMPARE(screen_->field(QStringLiteral("deptname"))->text(), QStringLiteral("裁床部"));
    QCOMPARE(screen_->field(QStringLiteral("zhiweiname"))->text(), QStringLiteral("车工"));
    QCOMPARE(screen_->field(QStringLiteral("hunyinname"))->text(), QStringLiteral("已婚"));
    QCOMPARE(screen_->field(QStringLiteral("worktime"))->text(), QStringLiteral("2023-05-02"));
    QCOMPARE(screen_->field(QStringLiteral("lizhidate"))->text(), QStringLiteral("2024-03-01"));
    QVERIFY(screen_->checkBox(QStringLiteral("zaizhi"))->isChecked());
    QVERIFY(screen_->field(QStringLiteral("personnelname"))->isReadOnly());
    // Personal details, with the dictionary names of the stored codes.
    QCOMPARE(screen_->field(QStringLiteral("mobile"))->text(), QStringLiteral("13800000000"));
    QCOMPARE(screen_->field(QStringLiteral("boodname"))->text(), QStringLiteral("AB型"));
    QCOMPARE(screen_->field(QStringLiteral("guanxiname"))->text(), QStringLiteral("配偶"));
    QCOMPARE(screen_->field(QStringLiteral("pepo"))->text(), QStringLiteral("王芳"));
    QVERIFY(screen_->checkBox(QStringLiteral("chinalan"))->isChecked());
    QVERIFY(!screen_->checkBox(QStringLiteral("Englishlan"))->isChecked());
    QVERIFY(!screen_->checkBox(QStringLiteral("chinalan"))->isEnabled());
    QCOMPARE(screen_->remarksBox()->toPlainText(), QStringLiteral("曾任组长"));
    // Only this employee's education, work history and transfers.
    QCOMPARE(screen_->educationGrid()->rowCount(), 1);
    QCOMPARE(screen_->educationGrid()->item(0, 1)->text(), QStringLiteral("高中"));
    QCOMPARE(screen_->historyGrid()->rowCount(), 1);
    QCOMPARE(screen_->historyGrid()->item(0, 1)->text(), QStringLiteral("制衣厂"));
    QCOMPARE(screen_->transferGrid()->rowCount(), 1);
    QCOMPARE(screen_->transferGrid()->item(0, 0)->text(), QStringLiteral("2023-09-01"));
    QCOMPARE(screen_->transferGrid()->item(0, 2)->text(), QStringLiteral("组长"));

    // An employee without a personal-details row shows empty fields, not the last one's.
    Query(QStringLiteral("UPDATE personnel SET zaizhi=1 WHERE personnelid='E01'")).exec();
    screen_->FormShow();
    QCOMPARE(listed(), (QStringList{QStringLiteral("E01"), QStringLiteral("E02")}));
    QCOMPARE(screen_->field(QStringLiteral("personnelname"))->text(), QStringLiteral("张三"));
    QCOMPARE(screen_->field(QStringLiteral("mobile"))->text(), QString());
    QVERIFY(!screen_->checkBox(QStringLiteral("chinalan"))->isChecked());
    QCOMPARE(screen_->remarksBox()->toPlainText(), QString());
    QCOMPARE(screen_->educationGrid()->rowCount(), 1);
    QCOMPARE(screen_->educationGrid()->item(0, 1)->text(), QStringLiteral("大学"));
    QCOMPARE(screen_->transferGrid()->rowCount(), 0);
    screen_->grid()->selectRow(1);
    QCOMPARE(screen_->field(QStringLiteral("personnelname"))->text(), QStringLiteral("李四"));
}

void TestLeaving::lookUp_data()
{
    QTest::addColumn<QString>("number");  // typed into 员工编号
    QTest::addColumn<QString>("name");    // typed into 员工姓名
    QTest::addColumn<bool>("enterInName");
    QTest::addColumn<QString>("foundNumber");
    QTest::addColumn<QString>("foundName");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("message");
    QTest::newRow("number") << "E01" << "" << false << "E01" << "张三" << "K01" << "";
    QTest::newRow("number trimmed") << " E02 " << "" << false << "E02" << "李四" << "K02" << "";
    QTest::newRow("number with a quote") << "E'03" << "" << false << "E'03" << "O'Brien" << "K03" << "";
    QTest::newRow("name with the number empty") << "" << "张三" << true << "E01" << "张三" << "K01" << "";
    QTest::newRow("name with a quote") << "" << "O'Brien" << true << "E'03" << "O'Brien" << "K03" << "";
    QTest::newRow("unknown number") << "X9" << "" << false << "X9" << "" << "" << "没有员工号为 X9 的员工";
    QTest::newRow("unknown name") << "" << "某某" << true << "" << "某某" << "" << "没有姓名为 某某 的员工";
}

void TestLeaving::lookUp()
{
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(bool, enterInName);
    QFETCH(QString, foundNumber);
    QFETCH(QString, foundName);
    QFETCH(QString, card);
    QFETCH(QString, message);
    FakeMessages boxes;
    QTest::keyClicks(screen_->numberBox(), number);
    typeChinese(screen_->nameBox(), name);
    QCOMPARE(screen_->nameBox()->text(), name);
    QTest::keyClick(enterInName ? screen_->nameBox() : screen_->numberBox(), Qt::Key_Return);
    QCOMPARE(boxes.last(), message);
    QCOMPARE(screen_->numberBox()->text().trimmed(), foundNumber);
    QCOMPARE(screen_->nameBox()->text(), foundName);
    QCOMPARE(screen_->cardBox()->text(), card);
}

void TestLeaving::markOrCancel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("zaizhi");
    QTest::addColumn<QString>("lizhidate");  // as stored afterwards, date part
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("mark, yes") << "增加离职" << "E01" << true << "是否要增加离职" << 1 << "2024-05-20"
                               << QStringList{"E01", "E02"};
    QTest::newRow("mark, no") << "增加离职" << "E01" << false << "是否要增加离职" << 0 << "" << QStringList{"E02"};
    QTest::newRow("mark a number with a quote") << "增加离职" << "E'03" << true << "是否要增加离职" << 1 << "2024-05-20"
                                                << QStringList{"E'03", "E02"};
    QTest::newRow("cancel, yes") << "取消离职" << "E02" << true << "是否要取消离职" << 0 << "" << QStringList{};
    QTest::newRow("cancel, no") << "取消离职" << "E02" << false << "是否要取消离职" << 1 << "2024-03-01"
                                << QStringList{"E02"};
}

void TestLeaving::markOrCancel()
{
    QFETCH(QString, button);
    QFETCH(QString, number);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(int, zaizhi);
    QFETCH(QString, lizhidate);
    QFETCH(QStringList, listed);
    screen_->numberBox()->setText(number);
    screen_->numberEnter();
    screen_->dateBox()->setDate(QDate(2024, 5, 20));
    FakeMessages boxes;
    boxes.answers = {yes};
    QTest::mouseClick(screen_->button(button), Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, question);
    QVERIFY(boxes.shown[0].question);
    Query q(QStringLiteral("SELECT zaizhi, lizhidate FROM personnel WHERE personnelid=:a"));
    q.bind(QStringLiteral(":a"), number).exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), zaizhi);
    QCOMPARE(q.value(1).isNull(), lizhidate.isEmpty());
    QCOMPARE(db::toDate(q.value(1)), QDate::fromString(lizhidate, QStringLiteral("yyyy-MM-dd")));
    QCOMPARE(this->listed(), listed);
    // Done: the top fields are cleared; answered No: they stay.
    QCOMPARE(screen_->numberBox()->text().isEmpty(), yes);
    QCOMPARE(screen_->cardBox()->text().isEmpty(), yes);
    QCOMPARE(screen_->nameBox()->text().isEmpty(), yes);
}

void TestLeaving::leavingAndComingBackShowInTheRegisterQuery()
{
    EmployeeFilter inService;
    inService.from = QDate(2024, 1, 1);
    inService.to = QDate(2024, 1, 31);
    inService.personnelid = QStringLiteral("E01");
    EmployeeFilter left = inService;
    left.inService = false;
    QVERIFY(employeeQuery(inService).next());
    QVERIFY(!employeeQuery(left).next());

    FakeMessages boxes;
    boxes.defaultAnswer = true;
    screen_->numberBox()->setText(QStringLiteral("E01"));
    screen_->btnaddClick();
    QVERIFY(!employeeQuery(inService).next());
    Query found = employeeQuery(left);
    QVERIFY(found.next());
    QCOMPARE(found.text(QStringLiteral("personnelname")), QStringLiteral("张三"));
    QCOMPARE(db::toDate(found.value(QStringLiteral("lizhidate"))), QDate::currentDate());

    screen_->numberBox()->setText(QStringLiteral("E01"));
    screen_->btncancelClick();
    QVERIFY(employeeQuery(inService).next());
    QVERIFY(!employeeQuery(left).next());
    QCOMPARE(boxes.texts(), (QStringList{QStringLiteral("是否要增加离职"), QStringLiteral("是否要取消离职")}));
}

void TestLeaving::unknownNumberIsRefused_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("mark") << "增加离职";
    QTest::newRow("cancel") << "取消离职";
}

void TestLeaving::unknownNumberIsRefused()
{
    QFETCH(QString, button);
    const QString before = Query(QStringLiteral("SELECT count(*) FROM personnel WHERE zaizhi=1")).scalar().toString();
    FakeMessages boxes;
    boxes.defaultAnswer = true;
    screen_->numberBox()->setText(QStringLiteral("X'9"));
    QTest::mouseClick(screen_->button(button), Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QStringLiteral("没有员工号为 X'9 的员工"));
    QVERIFY(!boxes.shown[0].question);
    QCOMPARE(screen_->numberBox()->text(), QStringLiteral("X'9"));  // left for correcting
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM personnel WHERE zaizhi=1")).scalar().toString(), before);

    // Nothing typed: nothing asked, nothing changed.
    boxes.clear();
    screen_->numberBox()->clear();
    QTest::mouseClick(screen_->button(button), Qt::LeftButton);
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("请输入员工编号")});
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM personnel WHERE zaizhi=1")).scalar().toString(), before);
}

void TestLeaving::printedListShowsTheDateOfLeaving()
{
    Query(QStringLiteral("UPDATE personnel SET zaizhi=1, lizhidate='2024-04-02' WHERE personnelid='E01'")).exec();
    screen_->FormShow();
    const report::ListReport r = screen_->leavingReport();
    QCOMPARE(r.title, QStringLiteral("员工资料表"));
    QCOMPARE(r.titlePointSize, 18.0);
    QCOMPARE(r.marginMm, 6.35);
    QStringList captions;
    for (const report::ListColumn& c : r.columns)
        captions << c.caption;
    QCOMPARE(captions, (QStringList{QStringLiteral("员工ID"), QStringLiteral("员工名称"), QStringLiteral("所属部门"),
                                    QStringLiteral("所属类型"), QStringLiteral("离职时间"), QStringLiteral("联系电话"),
                                    QStringLiteral("地址"), QStringLiteral("是否离职")}));
    QCOMPARE(r.rows.size(), 2);
    QCOMPARE(r.rows[0], (QStringList{QStringLiteral("E01"), QStringLiteral("张三"), QStringLiteral("车缝部"),
                                     QStringLiteral("计件"), QStringLiteral("2024-04-02"), QStringLiteral("555-1"),
                                     QStringLiteral("东街1号"), QStringLiteral("True")}));
    QCOMPARE(r.rows[1][4], QStringLiteral("2024-03-01"));

    const report::Document doc = screen_->leavingDocument();
    QCOMPARE(doc.paperMm, QSizeF(215.9, 279.4));
    QVERIFY(!doc.pages.isEmpty());
    const QStringList texts = doc.pages[0].texts();
    QVERIFY(texts.contains(QStringLiteral("员工资料表")));
    QVERIFY(texts.contains(QStringLiteral("离职时间")));
    QVERIFY(!texts.contains(QStringLiteral("入厂时间")));
    QVERIFY(texts.contains(QStringLiteral("2024-04-02")));
    QVERIFY(!texts.contains(QStringLiteral("2024-01-10")));  // the joining date is not printed
    for (const report::Item& item : doc.pages[0].items)
        if (item.kind == report::Item::Text && item.text == QStringLiteral("员工资料表")) {
            QCOMPARE(item.style.pointSize, 18.0);
            QVERIFY(item.style.bold);
            QVERIFY(item.rect.left() >= 6.35);
        }
}

QTEST_MAIN(TestLeaving)
#include "tst_lizhi.moc"
