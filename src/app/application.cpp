#include "app/application.h"

#include "common/appfont.h"
#include "common/db.h"
#include "common/output.h"
#include "server/dbadmin.h"
#include "shell/connectiondialog.h"
#include "shell/login.h"
#include "shell/mainform.h"
#include "cutting/cuttingscreens.h"
#include "orders/orderscreens.h"
#include "personnel/personnelscreens.h"
#include "piecework/pieceworkscreens.h"
#include "shell/shellscreens.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace app {

namespace {

// The program's icon: a needle and thread on the factory's blue.
QIcon programIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 70, 140));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 50), QPointF(46, 12));
    p.setPen(QPen(QColor(255, 200, 0), 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath thread(QPointF(44, 16));
    thread.cubicTo(60, 30, 10, 40, 50, 54);
    p.drawPath(thread);
    return QIcon(pixmap);
}

void setIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("ventrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTREL_VERSION));
}

struct Options {
    QString createDatabase;
    QString upgradeDatabase;
    bool demo = false;
    QString openForm;
    QString printToPdf;
    bool help = false;
    QString error;
};

const QStringList kQtOptionsWithValue = {
    QStringLiteral("-platform"),   QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
    QStringLiteral("-plugin"),     QStringLiteral("-qwindowgeometry"),    QStringLiteral("-qwindowicon"),
    QStringLiteral("-qwindowtitle"), QStringLiteral("-style"),            QStringLiteral("-stylesheet"),
    QStringLiteral("-display"),    QStringLiteral("-geometry"),           QStringLiteral("-session"),
    QStringLiteral("-title"),      QStringLiteral("-name"),               QStringLiteral("-qmljsdebugger"),
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        auto next = [&](QString* target) {
            if (i + 1 >= argc)
                o.error = QStringLiteral("%1 后面缺少参数").arg(arg);
            else
                *target = QString::fromLocal8Bit(argv[++i]);
        };
        if (arg == QLatin1String("--create-database"))
            next(&o.createDatabase);
        else if (arg == QLatin1String("--upgrade-database"))
            next(&o.upgradeDatabase);
        else if (arg == QLatin1String("--demo"))
            o.demo = true;
        else if (arg == QLatin1String("--open"))
            next(&o.openForm);
        else if (arg == QLatin1String("--print-to-pdf"))
            next(&o.printToPdf);
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            o.help = true;
        else if (arg.startsWith(QLatin1String("--")))
            o.error = QStringLiteral("未知参数：%1").arg(arg);
        else if (kQtOptionsWithValue.contains(arg))
            ++i;  // Qt's own option and its value, taken by QApplication
        // other single-dash options are Qt's too
    }
    return o;
}

const char* kUsage =
    "用法：ventrel [--open 窗体名] [--print-to-pdf 目录]\n"
    "      ventrel --create-database \"连接字符串\" [--demo]\n"
    "      ventrel --upgrade-database \"连接字符串\"\n"
    "连接字符串例：Provider=SQLite;Data Source=ventrel.db\n"
    "              Provider=PostgreSQL;Data Source=127.0.0.1:5432;Initial Catalog=ventrel;"
    "User ID=ventrel;Password=secret\n";

int runAdmin(int argc, char** argv, const Options& o)
{
    QCoreApplication core(argc, argv);
    setIdentity();
    QTextStream err(stderr);
    QString error;
    if (!o.createDatabase.isEmpty()) {
        if (!dbadmin::createDatabase(o.createDatabase, o.demo, &error)) {
            err << "新建数据库失败：" << error << '\n';
            return 1;
        }
        QTextStream(stdout) << "数据库已建立" << (o.demo ? "（含演示数据）" : "") << "。\n";
        return 0;
    }
    if (!dbadmin::upgradeDatabase(o.upgradeDatabase, &error)) {
        err << "升级数据库失败：" << error << '\n';
        return 1;
    }
    QTextStream(stdout) << "数据库已是最新版本。\n";
    return 0;
}

// For the start-up benchmark: once the login dialog has been painted, print the wall-clock time
// in milliseconds since the epoch and end.
void exitWhenPainted(QDialog* login)
{
    class PaintWatch : public QObject {
    public:
        explicit PaintWatch(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !done_) {
                done_ = true;
                QTimer::singleShot(0, dialog_, [this] {
                    std::printf("login-shown %lld\n",
                                static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                    std::fflush(stdout);
                    dialog_->done(QDialog::Rejected);
                });
            }
            return false;
        }

    private:
        QDialog* dialog_;
        bool done_ = false;
    };
    login->installEventFilter(new PaintWatch(login));
}

}  // namespace

void registerAllScreens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    shell::registerScreens();
    orders::registerScreens();
    cutting::registerScreens();
    piecework::registerScreens();
    personnel::registerScreens();
}

int run(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    if (o.help || !o.error.isEmpty()) {
        if (!o.error.isEmpty())
            std::fprintf(stderr, "%s\n", o.error.toLocal8Bit().constData());
        std::fputs(kUsage, o.help ? stdout : stderr);
        return o.help ? 0 : 2;
    }
    if (!o.createDatabase.isEmpty() || !o.upgradeDatabase.isEmpty())
        return runAdmin(argc, argv, o);

    QApplication application(argc, argv);
    setIdentity();
    QApplication::setWindowIcon(programIcon());
    installAppFont();
    registerAllScreens();
    if (!o.printToPdf.isEmpty())
        report::setPrintToPdfDir(QDir(o.printToPdf).absolutePath());

    int code = 0;
    {
        if (!startup::connectDatabase(
                [](const QString& initial) { return ConnectionDialog::edit(initial); }))
            return 0;
        Tmainfrm mainWindow;
        Tloginfrm login(&mainWindow);
        if (qEnvironmentVariableIsSet("VENTREL_EXIT_WHEN_LOGIN_SHOWN"))
            exitWhenPainted(&login);
        if (login.exec() != QDialog::Accepted) {
            db::Connection::main().close();
            return 0;
        }
        if (!o.openForm.isEmpty())
            mainWindow.openForm(o.openForm);
        code = application.exec();
    }
    db::Connection::main().close();
    return code;
}

}  // namespace app
