#include "common/db.h"
#include "common/menucatalog.h"
#include "common/password.h"
#include "server/seed.h"
#include "shell/login.h"
#include "shell/mainform.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using db::Connection;
using db::Query;

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void listsEveryUserOnce();
    void refusals_data();
    void refusals();
    void typedNameNotInListLogsIn();
    void userWithoutRightsRowsGetsEverything();
    void userWithAllRowsFalseGetsNothingGoverned();
    void laterRowWinsAndUnknownCaptionsAreIgnored();
    void plainTextPasswordIsUpgradedOnce();
    void emptyPasswordMatchesEmptyStored();
    void statusBarShowsTheNewUserAlone();
    void cancelAsksBeforeEnding();
    void enterMovesThenLogsIn();

private:
    bool login(const QString& name, const QString& password);
    void addPlainUser(const QString& name, const QString& password);

    std::unique_ptr<Tmainfrm> main_;
    std::unique_ptr<Tloginfrm> dialog_;
};

void TestLogin::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    main_ = std::make_unique<Tmainfrm>();
    dialog_ = std::make_unique<Tloginfrm>(main_.get());
}

void TestLogin::cleanup()
{
    dialog_.reset();
    main_.reset();
    Connection::main().close();
}

bool TestLogin::login(const QString& name, const QString& password)
{
    dialog_->show();
    dialog_->userBox()->setEditText(name);
    dialog_->passwordEdit()->setText(password);
    dialog_->btnokClick();
    return dialog_->result() == QDialog::Accepted;
}

void TestLogin::addPlainUser(const QString& name, const QString& password)
{
    Query(QStringLiteral("INSERT INTO \"user\"(username, password) VALUES(:a, :b)"))
        .bind(QStringLiteral(":a"), name)
        .bind(QStringLiteral(":b"), password)
        .exec();
}

void TestLogin::listsEveryUserOnce()
{
    seed::addUser(Connection::main(), QStringLiteral("王芳"), QStringLiteral("1"), false);
    dialog_->show();
    QStringList names;
    for (int i = 0; i < dialog_->userBox()->count(); ++i)
        names << dialog_->userBox()->itemText(i);
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("admin"), QStringLiteral("王芳")}));
}

void TestLogin::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no name") << "" << "admin" << "请选择登陆用户" << "提示信息";
    QTest::newRow("unknown name") << "nobody" << "admin" << "此用户名不存在请重新选择登陆名称！" << "提示信息";
    QTest::newRow("wrong password") << "admin" << "wrong" << "密码不正确请重新输入！" << "错误提示";
    QTest::newRow("letter case") << "admin" << "ADMIN" << "密码不正确请重新输入！" << "错误提示";
    QTest::newRow("name case") << "Admin" << "admin" << "此用户名不存在请重新选择登陆名称！" << "提示信息";
}

void TestLogin::refusals()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    FakeMessages boxes;
    QVERIFY(!login(name, password));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.last(), message);
    QCOMPARE(boxes.shown[0].caption, caption);
    QVERIFY(dialog_->isVisible());  // stays open with its contents
    QCOMPARE(dialog_->userBox()->currentText(), name);
    QCOMPARE(dialog_->passwordEdit()->text(), password);
    QVERIFY(!main_->isVisible());
    // ... and the user may try again.
    boxes.clear();
    QVERIFY(login(QStringLiteral("admin"), QStringLiteral("admin")));
    QVERIFY(boxes.shown.isEmpty());
}

void TestLogin::typedNameNotInListLogsIn()
{
    dialog_->show();  // the list is filled now
    seed::addUser(Connection::main(), QStringLiteral("late"), QStringLiteral("pw"), true);
    FakeMessages boxes;
    QVERIFY(login(QStringLiteral("late"), QStringLiteral("pw")));
    QVERIFY(main_->isVisible());
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->userName(), QStringLiteral("late"));
}

void TestLogin::userWithoutRightsRowsGetsEverything()
{
    seed::addUser(Connection::main(), QStringLiteral("free"), QStringLiteral("pw"), false);
    Query(QStringLiteral("DELETE FROM setright WHERE username='free'")).exec();
    QVERIFY(login(QStringLiteral("free"), QStringLiteral("pw")));
    for (const MenuEntry& e : menuEntries())
        QVERIFY2(main_->isEntryUsable(e.caption), qPrintable(e.caption));
}

void TestLogin::userWithAllRowsFalseGetsNothingGoverned()
{
    seed::addUser(Connection::main(), QStringLiteral("a"), QStringLiteral("pw"), false);
    QVERIFY(login(QStringLiteral("a"), QStringLiteral("pw")));
    for (const MenuEntry& e : menuEntries())
        QVERIFY2(!main_->isEntryUsable(e.caption), qPrintable(e.caption));  // third level included
    for (QAction* top : main_->menuBar()->actions())
        QVERIFY2(top->isEnabled(), qPrintable(top->text()));  // top level and 关闭系统(&Z)
}

void TestLogin::laterRowWinsAndUnknownCaptionsAreIgnored()
{
    seed::addUser(Connection::main(), QStringLiteral("b"), QStringLiteral("pw"), true);
    Query(QStringLiteral("UPDATE setright SET wetheruse=0 WHERE username='b' AND viewname=:v"))
        .bind(QStringLiteral(":v"), QStringLiteral("货品资料"))
        .exec();
    Query(QStringLiteral("INSERT INTO setright VALUES('b', 'no such entry', 0)")).exec();
    // Two rows for one entry: the one read later decides. Which one that is depends on the
    // order the rows come back in, so this checks only that one of them wins whole.
    Query(QStringLiteral("UPDATE setright SET wetheruse=0 WHERE username='b' AND viewname=:v"))
        .bind(QStringLiteral(":v"), QStringLiteral("订单录入"))
        .exec();
    Query(QStringLiteral("INSERT INTO setright VALUES('b', :v, 1)")).bind(QStringLiteral(":v"), QStringLiteral("订单录入")).exec();
    QVERIFY(login(QStringLiteral("b"), QStringLiteral("pw")));
    QVERIFY(!main_->isEntryUsable(QStringLiteral("货品资料")));
    QVERIFY(!main_->isEntryUsable(QStringLiteral("颜色资料")));
    QVERIFY(main_->isEntryUsable(QStringLiteral("总工序录入")));
    Query last(QStringLiteral("SELECT wetheruse FROM setright WHERE username='b' AND viewname=:v"));
    last.bind(QStringLiteral(":v"), QStringLiteral("订单录入")).exec();
    int lastValue = -1;
    while (last.next())
        lastValue = last.value(0).toInt();
    QCOMPARE(main_->isEntryUsable(QStringLiteral("订单录入")), lastValue == 1);
}

void TestLogin::plainTextPasswordIsUpgradedOnce()
{
    addPlainUser(QStringLiteral("old"), QStringLiteral("Secret"));
    {
        FakeMessages boxes;
        QVERIFY(!login(QStringLiteral("old"), QStringLiteral("secret")));
        QCOMPARE(boxes.last(), QStringLiteral("密码不正确请重新输入！"));
    }
    QVERIFY(login(QStringLiteral("old"), QStringLiteral("Secret")));
    const QString stored =
        Query(QStringLiteral("SELECT password FROM \"user\" WHERE username='old'")).scalar().toString();
    QVERIFY(isPasswordHash(stored));
    QVERIFY(!stored.contains(QStringLiteral("Secret")));
    // The hash now decides.
    dialog_ = std::make_unique<Tloginfrm>(main_.get());
    QVERIFY(login(QStringLiteral("old"), QStringLiteral("Secret")));
    dialog_ = std::make_unique<Tloginfrm>(main_.get());
    FakeMessages boxes;
    QVERIFY(!login(QStringLiteral("old"), QStringLiteral("SECRET")));
}

void TestLogin::emptyPasswordMatchesEmptyStored()
{
    addPlainUser(QStringLiteral("blank"), QString());
    {
        FakeMessages boxes;
        QVERIFY(!login(QStringLiteral("blank"), QStringLiteral("x")));
    }
    QVERIFY(login(QStringLiteral("blank"), QString()));
    dialog_ = std::make_unique<Tloginfrm>(main_.get());
    QVERIFY(login(QStringLiteral("blank"), QString()));  // again, against the hash of ""
}

void TestLogin::statusBarShowsTheNewUserAlone()
{
    seed::addUser(Connection::main(), QStringLiteral("李四"), QStringLiteral("pw"), true);
    QVERIFY(login(QStringLiteral("admin"), QStringLiteral("admin")));
    QCOMPARE(main_->statusText(4), QStringLiteral("USER:admin"));
    QCOMPARE(main_->windowTitle(), QStringLiteral("Ventrel制衣厂"));
    dialog_ = std::make_unique<Tloginfrm>(main_.get());
    QVERIFY(login(QStringLiteral("李四"), QStringLiteral("pw")));
    QCOMPARE(main_->statusText(4), QStringLiteral("USER:李四"));
    QVERIFY(main_->statusText(3).startsWith(QStringLiteral("当前日期:")));
}

void TestLogin::cancelAsksBeforeEnding()
{
    dialog_->show();
    FakeMessages boxes;
    boxes.answers = {false, true};
    dialog_->btncancelClick();
    QVERIFY(dialog_->isVisible());
    QCOMPARE(boxes.last(), QStringLiteral("确实要退出Osmira系统吗"));
    QCOMPARE(boxes.shown.last().caption, QStringLiteral("询问"));
    QVERIFY(!boxes.shown.last().defaultYes);
    dialog_->btncancelClick();
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    QVERIFY(!main_->isVisible());
}

void TestLogin::enterMovesThenLogsIn()
{
    dialog_->show();
    dialog_->activateWindow();
    dialog_->userBox()->setFocus();
    dialog_->userBox()->setEditText(QStringLiteral("admin"));
    QTest::keyClick(dialog_->userBox(), Qt::Key_Return);
    QCOMPARE(dialog_->focusWidget(), dialog_->passwordEdit());
    QTest::keyClicks(dialog_->passwordEdit(), QStringLiteral("admin"));
    QTest::keyClick(dialog_->passwordEdit(), Qt::Key_Return);
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QVERIFY(main_->isVisible());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
