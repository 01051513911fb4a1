// Start-up figures: how long until the login dialog is on screen, and from 确定 to the main
// window.

#include "benchmark.h"

#include "common/db.h"
#include "shell/login.h"
#include "shell/mainform.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>

namespace bench {

namespace {

// Starts a copy of the client beside its own configdata.txt and times it until the login
// dialog has been shown (the client ends there when VENTREL_EXIT_WHEN_LOGIN_SHOWN is set).
double startToLogin(const Context& c)
{
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ventrel"));
    const QString dir = QDir(c.scratchDir).filePath(QStringLiteral("client-") + c.engine);
    QDir().mkpath(dir);
    const QString copy = QDir(dir).filePath(QStringLiteral("ventrel"));
    if (!QFile::exists(copy) && !QFile::copy(program, copy))
        qFatal("cannot copy %s", qPrintable(program));
    QFile config(QDir(dir).filePath(QStringLiteral("configdata.txt")));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write configdata.txt");
    config.write(c.connectionString.toUtf8() + '\n');
    config.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VENTREL_EXIT_WHEN_LOGIN_SHOWN"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    process.start(copy, {});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("the client did not reach its login dialog: %s", process.readAllStandardError().constData());
    // The client prints the moment its login dialog was painted; its own exit is not counted.
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = out.indexOf(QLatin1String("login-shown "));
    if (at < 0)
        qFatal("the client did not report its login dialog");
    const qint64 shown = out.mid(at + 12).section(QLatin1Char('\n'), 0, 0).trimmed().toLongLong();
    return double(shown - started);
}

// In this process: log in as admin and time until the main window is shown and painted.
double loginToMainWindow(const Context& c)
{
    if (!db::TryConnect(c.connectionString, QString()))
        qFatal("cannot open the benchmark database");
    double ms = 0;
    {
        Tmainfrm main;
        Tloginfrm login(&main);
        login.show();
        QCoreApplication::processEvents();
        login.userBox()->setEditText(QStringLiteral("admin"));
        login.passwordEdit()->setText(QStringLiteral("admin"));
        ms = timeMs([&] {
            login.btnokClick();
            QCoreApplication::processEvents();
        });
        if (!main.isVisible())
            qFatal("login failed in the benchmark");
    }
    db::Connection::main().close();
    return ms;
}

}  // namespace

void registerShellFigures()
{
    addFigure({QStringLiteral("start_to_login"), QStringLiteral("ms"), true, 7, startToLogin});
    addFigure({QStringLiteral("login_to_main_window"), QStringLiteral("ms"), true, 7, loginToMainWindow});
}

}  // namespace bench
