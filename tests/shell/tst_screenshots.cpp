// Renders the login dialog and the main window with its navigation window to PNG files
// (build/screenshots) and checks that Chinese captions are drawn with a font that has them.

#include "app/application.h"
#include "common/appfont.h"
#include "common/db.h"
#include "shell/login.h"
#include "shell/maincai.h"
#include "shell/mainform.h"
#include "shell/connectiondialog.h"
#include "shell/sysinfo.h"
#include "common/output.h"
#include "cutting/printchuangciafrm.h"
#include "cutting/ticketrun.h"
#include "cutting/workid.h"
#include "orders/colorgroups.h"
#include "personnel/worker.h"
#include "piecework/barcodeform.h"
#include "piecework/countfrm.h"
#include "orders/insertzhidan.h"
#include "orders/worknamelist.h"
#include "orders/zhdanmingxi.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

class TestScreenshots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void chineseHasGlyphs();
    void loginAndMainWindow();
    void orderScreens();
    void cuttingScreens();
    void peopleAndPieceworkScreens();

private:
    QString outDir_;
};

void TestScreenshots::initTestCase()
{
    installAppFont();
    app::registerAllScreens();
    outDir_ = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../screenshots"));
    QDir().mkpath(outDir_);
}

void TestScreenshots::chineseHasGlyphs()
{
    // 宋体 itself, or a substitute that is a Chinese font (not a Latin font with fallbacks).
    const QString family = QFontInfo(songti(9)).family();
    QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese), qPrintable(family));
    // And a glyph differs from the missing-glyph box: two different characters draw differently.
    auto draw = [](QChar c) {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(songti(16));
        p.drawText(image.rect(), Qt::AlignCenter, QString(c));
        return image;
    };
    QVERIFY(draw(QChar(0x7528)) != draw(QChar(0x6237)));  // 用, 户
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    for (const QChar c : QStringLiteral("用户登陆系统导航裁单管理菲票"))
        QVERIFY2(metrics.inFont(c), qPrintable(QStringLiteral("no glyph for %1 in %2").arg(c).arg(QFontInfo(font).family())));
}

namespace {

// Distinct colours in the image: a blank or glyph-less rendering has very few.
int colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

}  // namespace

void TestScreenshots::loginAndMainWindow()
{
    testdb::openFresh(true);
    Tmainfrm main;
    Tloginfrm login(&main);
    login.show();
    login.userBox()->setEditText(QStringLiteral("admin"));
    login.passwordEdit()->setText(QStringLiteral("admin"));
    QVERIFY(QTest::qWaitForWindowExposed(&login));
    const QImage loginImage = login.grab().toImage();
    QVERIFY(loginImage.save(QDir(outDir_).filePath(QStringLiteral("login.png"))));
    QVERIFY(colourCount(loginImage) > 20);

    login.btnokClick();
    main.resize(1100, 720);
    main.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.navigation()->selectCategory(0);
    QCoreApplication::processEvents();
    const QImage mainImage = main.grab().toImage();
    QVERIFY(mainImage.save(QDir(outDir_).filePath(QStringLiteral("mainwindow.png"))));
    QVERIFY(colourCount(mainImage) > 50);

    TsysInfo info;
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QVERIFY(info.grab().toImage().save(QDir(outDir_).filePath(QStringLiteral("sysinfo.png"))));
    db::Connection::main().close();

    ConnectionDialog dialog(QStringLiteral("Provider=PostgreSQL;Data Source=192.0.2.10:5432;Initial Catalog=ventrel;User ID=ventrel"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().toImage().save(QDir(outDir_).filePath(QStringLiteral("connection.png"))));
    QCOMPARE(dialog.connectionString(),
             QStringLiteral("Provider=PostgreSQL;Data Source=192.0.2.10:5432;Initial Catalog=ventrel;User ID=ventrel"));
}

void TestScreenshots::orderScreens()
{
    testdb::openFresh(true);
    auto save = [this](QWidget& w, const char* name) {
        w.resize(w.size().expandedTo(QSize(900, 520)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage image = w.grab().toImage();
        QVERIFY(image.save(QDir(outDir_).filePath(QString::fromLatin1(name))));
        QVERIFY(colourCount(image) > 20);
    };
    {
        Tinsertzhidanfrm orders;
        save(orders, "orders.png");
        // The printed order list, as a PDF page to look at.
        QVERIFY(report::writePdf(report::layout(orders.orderReport()), QDir(outDir_).filePath(QStringLiteral("orders.pdf"))));
    }
    {
        const QVariant kid = db::Query(QStringLiteral("SELECT kid FROM zhdan WHERE makeid='SH2601'")).scalar();
        Tzhdanmingxifrm breakdown(QStringLiteral("SH2601"), kid, QStringLiteral("衬衫五色"));
        save(breakdown, "breakdown.png");
    }
    {
        Tworkidfrm processes;
        processes.makeidBox()->setText(QStringLiteral("SH2601"));
        processes.makeidEnter();
        processes.chooseCopyFrom(QStringLiteral("XK2601"));
        save(processes, "processlist.png");
        processes.clearAll();
    }
    {
        Tyansezufrm groups;
        save(groups, "colourgroups.png");
    }
    db::Connection::main().close();
}

void TestScreenshots::cuttingScreens()
{
    testdb::openFresh(true);
    auto save = [this](QWidget& w, const char* name) {
        w.resize(w.size().expandedTo(QSize(900, 520)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.grab().toImage().save(QDir(outDir_).filePath(QString::fromLatin1(name))));
    };
    {
        Tchafrm lay;
        lay.makeidBox()->setText(QStringLiteral("JK2601"));
        lay.acceptOrder();
        save(lay, "layrecords.png");
    }
    {
        // The tickets of a demo lot: the screen, a PDF, and the first strip at 203 dpi.
        Tprintchuangcia tickets;
        tickets.liningButton()->setChecked(true);
        tickets.orderBox()->setText(QStringLiteral("SH2601"));
        tickets.toBox()->setText(QStringLiteral("1"));
        tickets.toEnter();
        save(tickets, "ticketscreen.png");
        QVERIFY(tickets.savePdf(QDir(outDir_).filePath(QStringLiteral("tickets.pdf"))));
        const QList<tickets::Coupon> left = tickets::readPrintTable(db::Connection::main(), QStringLiteral("tempprintmakeid"));
        const QList<tickets::Coupon> right = tickets::readPrintTable(db::Connection::main(), QStringLiteral("tempprintmakeid1"));
        tickets::Assembler pages(left, right, 1, tickets::Mode::Lining);
        tickets::TicketPage page;
        QVERIFY(pages.next(&page));
        const double dotsPerMm = 203 / 25.4;
        const QSizeF paper = tickets::paperFor(tickets::Layout::LotBarcode);
        QImage strip(QSize(int(paper.width() * dotsPerMm), int(paper.height() * dotsPerMm)), QImage::Format_RGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        report::renderPage(tickets::drawPage(page, tickets::Layout::LotBarcode), painter, dotsPerMm, dotsPerMm);
        painter.end();
        QVERIFY(strip.save(QDir(outDir_).filePath(QStringLiteral("ticketstrip.png"))));
    }
    db::Connection::main().close();
}

void TestScreenshots::peopleAndPieceworkScreens()
{
    testdb::openFresh(true);
    auto save = [this](QWidget& w, const char* name) {
        w.resize(w.size().expandedTo(QSize(980, 640)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.grab().toImage().save(QDir(outDir_).filePath(QString::fromLatin1(name))));
    };
    {
        Tworkerfrm register_;
        save(register_, "employees.png");
    }
    {
        // A desk after two scans of the demo coupons.
        Tbarcodefrm desk;
        desk.personnelidBox()->setText(QStringLiteral("1012"));
        desk.personnelidEnter();
        const QString code = db::Query(QStringLiteral("SELECT barcode FROM printout WHERE makeid='XK2601' ORDER BY barcode LIMIT 1")).scalar().toString();
        desk.barcodeBox()->setText(code);
        desk.barcodeEnter();
        save(desk, "barcodeentry.png");
        QVERIFY(report::writePdf(desk.listDocument(), QDir(outDir_).filePath(QStringLiteral("piecework.pdf"))));
    }
    {
        Tcountfrm manual;
        save(manual, "manualentry.png");
    }
    db::Connection::main().close();
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
