#include "app/application.h"
#include "common/db.h"
#include "common/screenregistry.h"
#include "cutting/workid.h"
#include "server/seed.h"
#include "shell/login.h"
#include "shell/maincai.h"
#include "shell/mainform.h"
#include "shell/sysinfo.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using db::Connection;
using db::Query;

namespace {

int instances(const QString& formName)
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == formName)
            ++n;
    return n;
}

// Modal screens block until closed: this closes one from inside its loop and tells whether it
// was seen open.
void closeWhenShown(QObject* context, const QString& formName, bool* seen)
{
    *seen = false;
    QTimer::singleShot(0, context, [formName, seen] {
        if (QWidget* w = screens::findForm(formName)) {
            *seen = true;
            w->close();
        }
    });
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup();

    void openingTwiceKeepsOneInstance();
    void siblingScreensStaySeparate();
    void entryWithoutScreenOpensNothing();
    void modalScreenBlocksTheMainWindow();
    void screenClosingItselfTakesItsFrame();
    void navigationFollowsMenuRights();
    void navigationCategories();
    void navigationCloseOnlyMinimises();
    void exitQuestion();
    void exitReleasesAnUnfinishedLot();
    void openFormAfterLogin();
    void sysInfoRefusesBadClosingDay_data();
    void sysInfoRefusesBadClosingDay();
    void sysInfoSavesAndSaysSo();
    void sysInfoKeepsAnotherWorkstationsChange();

private:
    void loginAs(const QString& user, const QString& password);
    std::unique_ptr<Tmainfrm> main_;
    std::unique_ptr<Tloginfrm> login_;
};

// Stand-ins for screens that later subsystems bring.
class StubScreen : public QWidget {
public:
    StubScreen() { resize(200, 100); }
};

void TestMainWindow::initTestCase()
{
    app::registerAllScreens();
    for (const char* form : {"Tyansezufrm", "Tchimafrm", "Tbumenfrm"})
        if (!screens::isRegistered(QString::fromLatin1(form)))
            screens::registerScreen(QString::fromLatin1(form), [] { return new StubScreen; });
}

void TestMainWindow::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    testdb::openFresh();
    main_ = std::make_unique<Tmainfrm>();
    login_ = std::make_unique<Tloginfrm>(main_.get());
}

void TestMainWindow::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main_.get() && w != login_.get() && w->objectName() != QLatin1String("maincaifrm"))
            w->close();
    login_.reset();
    main_.reset();
    settle();
    Connection::main().close();
}

void TestMainWindow::loginAs(const QString& user, const QString& password)
{
    login_->show();
    login_->userBox()->setEditText(user);
    login_->passwordEdit()->setText(password);
    login_->btnokClick();
    QCOMPARE(login_->result(), int(QDialog::Accepted));
}

void TestMainWindow::openingTwiceKeepsOneInstance()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    QVERIFY(!FormExists(QStringLiteral("sysInfo")));
    main_->entryAction(QStringLiteral("系统信息"))->trigger();
    QVERIFY(FormExists(QStringLiteral("sysInfo")));
    QWidget* first = screens::findForm(QStringLiteral("sysInfo"));
    // Another window in front, then the entry again.
    main_->entryAction(QStringLiteral("版本说明"))->trigger();
    QVERIFY(main_->mdiArea()->activeSubWindow()->widget() != first);
    main_->entryAction(QStringLiteral("系统信息"))->trigger();
    QCOMPARE(instances(QStringLiteral("sysInfo")), 1);
    QCOMPARE(main_->mdiArea()->activeSubWindow()->widget(), first);
    // Closed, it can be opened again.
    main_->mdiArea()->activeSubWindow()->close();
    settle();
    QVERIFY(!FormExists(QStringLiteral("sysInfo")));
    main_->openEntry(QStringLiteral("系统信息"));
    QCOMPARE(instances(QStringLiteral("sysInfo")), 1);
}

void TestMainWindow::siblingScreensStaySeparate()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    main_->openEntry(QStringLiteral("尺码组资料"));
    main_->openEntry(QStringLiteral("颜色组资料"));
    main_->openEntry(QStringLiteral("尺码组资料"));
    main_->openEntry(QStringLiteral("颜色组资料"));
    QCOMPARE(instances(QStringLiteral("chimafrm")), 1);
    QCOMPARE(instances(QStringLiteral("yansezufrm")), 1);
    QCOMPARE(main_->mdiArea()->activeSubWindow()->widget()->objectName(), QStringLiteral("yansezufrm"));
}

void TestMainWindow::entryWithoutScreenOpensNothing()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    FakeMessages boxes;
    const int before = int(main_->mdiArea()->subWindowList().size());
    for (const char* caption : {"物料订单", "系统日志", "字典定义"})
        main_->openEntry(QString::fromUtf8(caption));
    QCOMPARE(int(main_->mdiArea()->subWindowList().size()), before);
    QVERIFY(boxes.shown.isEmpty());
    QVERIFY(!main_->entryAction(QStringLiteral("字典定义"))->isVisible());  // hidden but present
}

void TestMainWindow::modalScreenBlocksTheMainWindow()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    // Looked at and closed from inside the modal loop; openEntry returns only after that.
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        QWidget* screen = screens::findForm(QStringLiteral("bumenfrm"));
        seen = screen && screen->isWindow() && screen->windowModality() == Qt::ApplicationModal &&
               screen->parentWidget() == main_.get();
        if (screen)
            screen->close();
    });
    main_->openEntry(QStringLiteral("部门设定"));
    QVERIFY(seen);
    QVERIFY(!FormExists(QStringLiteral("bumenfrm")));
}

void TestMainWindow::screenClosingItselfTakesItsFrame()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    const int before = int(main_->mdiArea()->subWindowList().size());
    main_->openEntry(QStringLiteral("系统信息"));
    QWidget* screen = screens::findForm(QStringLiteral("sysInfo"));
    QCOMPARE(int(main_->mdiArea()->subWindowList().size()), before + 1);
    // Minimised, it still exists.
    auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget());
    frame->showMinimized();
    QVERIFY(FormExists(QStringLiteral("sysInfo")));
    main_->openEntry(QStringLiteral("系统信息"));
    QCOMPARE(instances(QStringLiteral("sysInfo")), 1);
    QVERIFY(!frame->isMinimized());
    // Its own 取消 closes it, frame and all; FormExists forgets it at once.
    screen->close();
    QVERIFY(!FormExists(QStringLiteral("sysInfo")));
    settle();
    settle();
    QCOMPARE(int(main_->mdiArea()->subWindowList().size()), before);
}

void TestMainWindow::navigationFollowsMenuRights()
{
    seed::addUser(Connection::main(), QStringLiteral("c"), QStringLiteral("pw"), true);
    Query(QStringLiteral("UPDATE setright SET wetheruse=0 WHERE username='c' AND viewname=:v"))
        .bind(QStringLiteral(":v"), QStringLiteral("部门设定"))
        .exec();
    loginAs(QStringLiteral("c"), QStringLiteral("pw"));
    Tmaincaifrm* nav = main_->navigation();
    nav->selectCategory(0);  // 裁单管理
    FakeMessages boxes;
    bool seen = false;
    closeWhenShown(this, QStringLiteral("bumenfrm"), &seen);
    nav->clickIcon(QStringLiteral("部门管理"));
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QVERIFY(boxes.shown.isEmpty());  // nothing happens, nothing is said
    nav->selectCategory(6);  // 系统维护
    nav->clickIcon(QStringLiteral("用户管理"));  // allowed, no screen registered yet: nothing
    QVERIFY(boxes.shown.isEmpty());

    // The same icon for a user who may use it.
    seed::addUser(Connection::main(), QStringLiteral("d"), QStringLiteral("pw"), true);
    login_ = std::make_unique<Tloginfrm>(main_.get());
    loginAs(QStringLiteral("d"), QStringLiteral("pw"));
    nav->selectCategory(0);
    closeWhenShown(this, QStringLiteral("bumenfrm"), &seen);
    nav->clickIcon(QStringLiteral("部门管理"));
    QVERIFY(seen);
}

void TestMainWindow::navigationCategories()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    Tmaincaifrm* nav = main_->navigation();
    QVERIFY(nav->isVisible());
    QCOMPARE(nav->currentPage(), 6);
    nav->selectCategory(1);  // 菲票管理
    QCOMPARE(nav->currentPage(), 2);
    QVERIFY(nav->categoryButton(1)->styleSheet().contains(QColor(0, 102, 151).name()));
    QVERIFY(nav->categoryButton(1)->styleSheet().contains(QStringLiteral("color: white")));
    QVERIFY(nav->categoryButton(0)->styleSheet().contains(Tmaincaifrm::kDefaultButtonColour.name()));
    nav->selectCategory(5);  // 售饭管理: highlighted, page unchanged
    QCOMPARE(nav->currentPage(), 2);
    QVERIFY(nav->categoryButton(5)->styleSheet().contains(QColor(64, 0, 128).name()));
    QVERIFY(nav->categoryButton(1)->styleSheet().contains(Tmaincaifrm::kDefaultButtonColour.name()));
    // Every icon names a menu entry that exists (or none).
    for (const NavIconSpec& icon : navIcons())
        QVERIFY2(icon.menuEntry.isEmpty() || main_->entryAction(icon.menuEntry), qPrintable(icon.caption));
}

void TestMainWindow::navigationCloseOnlyMinimises()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    Tmaincaifrm* nav = main_->navigation();
    auto* frame = qobject_cast<QMdiSubWindow*>(nav->parentWidget());
    QVERIFY(frame);
    frame->close();
    settle();
    QVERIFY(main_->navigation() == nav);
    QVERIFY(frame->isMinimized());
}

void TestMainWindow::exitQuestion()
{
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    main_->openEntry(QStringLiteral("系统信息"));
    FakeMessages boxes;
    boxes.answers = {false, true};
    QVERIFY(!main_->close());
    QCOMPARE(boxes.last(), QStringLiteral("确实要退出Osmira系统吗"));
    QVERIFY(!boxes.shown.last().defaultYes);
    QVERIFY(main_->isVisible());
    QVERIFY(FormExists(QStringLiteral("sysInfo")));
    QVERIFY(main_->close());
}

void TestMainWindow::exitReleasesAnUnfinishedLot()
{
    Query(QStringLiteral("INSERT INTO worktotal(makeid, starwork, endwork) VALUES('E1', 1, 1)")).exec();
    loginAs(QStringLiteral("admin"), QStringLiteral("admin"));
    main_->openEntry(QStringLiteral("录入拉布记录"));
    auto* lay = qobject_cast<Tchafrm*>(screens::findForm(QStringLiteral("chafrm")));
    QVERIFY(lay);
    FakeMessages boxes;
    lay->makeidBox()->setText(QStringLiteral("E1"));
    lay->acceptOrder();
    lay->bedBox()->setText(QStringLiteral("1"));
    lay->totalBox()->setText(QStringLiteral("10"));
    lay->sizesBox()->setText(QStringLiteral("1"));
    lay->sizeNameBox(0)->setText(QStringLiteral("M"));
    lay->btnbuildClick();
    lay->colorBox()->setText(QStringLiteral("红"));
    lay->countBox(0)->setText(QStringLiteral("10"));
    lay->countEnter(0);
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM work")).scalar().toInt(), 1);
    boxes.answers = {true};
    QVERIFY(main_->close());
    // The order is free again for the other workstations.
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM work")).scalar().toInt(), 0);
}

void TestMainWindow::openFormAfterLogin()
{
    seed::addUser(Connection::main(), QStringLiteral("e"), QStringLiteral("pw"), true);
    Query(QStringLiteral("UPDATE setright SET wetheruse=0 WHERE username='e' AND viewname=:v"))
        .bind(QStringLiteral(":v"), QStringLiteral("版本说明"))
        .exec();
    loginAs(QStringLiteral("e"), QStringLiteral("pw"));
    FakeMessages boxes;
    QVERIFY(main_->openForm(QStringLiteral("sysInfo")));
    QVERIFY(FormExists(QStringLiteral("sysInfo")));
    QVERIFY(!main_->openForm(QStringLiteral("aboutsoftfrm")));
    QCOMPARE(boxes.last(), QStringLiteral("你没有使用该功能的权限！"));
    QVERIFY(!main_->openForm(QStringLiteral("nosuchfrm")));
    QVERIFY(!FormExists(QStringLiteral("aboutsoftfrm")));
}

void TestMainWindow::sysInfoRefusesBadClosingDay_data()
{
    QTest::addColumn<QString>("day");
    QTest::newRow("31") << "31";
    QTest::newRow("0") << "0";
    QTest::newRow("letters") << "abc";
}

void TestMainWindow::sysInfoRefusesBadClosingDay()
{
    QFETCH(QString, day);
    TsysInfo screen;
    screen.show();
    FakeMessages boxes;
    screen.field(QStringLiteral("setdate"))->setText(day);
    screen.setdateExit();
    QCOMPARE(boxes.last(), QStringLiteral("输入的结帐日有误"));
    screen.field(QStringLiteral("company"))->setText(QStringLiteral("新名字"));
    boxes.clear();
    screen.btnokClick();
    QVERIFY(!boxes.contains(QStringLiteral("保存成功")));
    QVERIFY(boxes.last().startsWith(QStringLiteral("输入的结帐日有误")));
    QCOMPARE(Query(QStringLiteral("SELECT setdate FROM sysInfo")).scalar().toInt(), 25);
    QCOMPARE(Query(QStringLiteral("SELECT company FROM sysInfo")).scalar().toString(), QStringLiteral("Ventrel制衣厂"));
}

void TestMainWindow::sysInfoSavesAndSaysSo()
{
    TsysInfo screen;
    FakeMessages boxes;
    screen.btnokClick();  // nothing changed
    QVERIFY(boxes.shown.isEmpty());
    screen.field(QStringLiteral("setdate"))->setText(QStringLiteral("30"));
    screen.field(QStringLiteral("company"))->setText(QStringLiteral("华南制衣 O'Neil"));
    screen.btnokClick();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("保存成功")});
    QCOMPARE(Query(QStringLiteral("SELECT setdate FROM sysInfo")).scalar().toInt(), 30);
    QCOMPARE(Query(QStringLiteral("SELECT company FROM sysInfo")).scalar().toString(), QStringLiteral("华南制衣 O'Neil"));
    QCOMPARE(Query(QStringLiteral("SELECT count(*) FROM sysInfo")).scalar().toInt(), 1);

    // An empty table: the first save creates the row.
    Query(QStringLiteral("DELETE FROM sysInfo")).exec();
    TsysInfo empty;
    empty.field(QStringLiteral("company"))->setText(QStringLiteral("新厂"));
    empty.field(QStringLiteral("setdate"))->setText(QStringLiteral("26"));
    boxes.clear();
    empty.btnokClick();
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("保存成功")});
    QCOMPARE(Query(QStringLiteral("SELECT setdate FROM sysInfo")).scalar().toInt(), 26);
}

void TestMainWindow::sysInfoKeepsAnotherWorkstationsChange()
{
    TsysInfo screen;
    Query(QStringLiteral("UPDATE sysInfo SET company='elsewhere'")).exec();
    FakeMessages boxes;
    screen.field(QStringLiteral("faren"))->setText(QStringLiteral("张三"));
    screen.btnokClick();
    QVERIFY(!boxes.contains(QStringLiteral("保存成功")));
    QVERIFY(boxes.last().contains(QStringLiteral("其他工作站")));
    QCOMPARE(Query(QStringLiteral("SELECT company FROM sysInfo")).scalar().toString(), QStringLiteral("elsewhere"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
