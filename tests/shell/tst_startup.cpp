#include "common/db.h"
#include "server/dbadmin.h"
#include "server/schema.h"
#include "shell/startup.h"
#include "support/fakemessages.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QUuid>

using db::Connection;

namespace {

const QString kQuestion = QStringLiteral("连接数据库失败！是否要重新配制？");

QString readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeFile(const QString& path, const QString& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

// A connection dialog that records its initial texts and returns scripted strings.
struct FakeDialog {
    QStringList initials;
    QStringList results;
    startup::ConnectionDialogFn fn()
    {
        return [this](const QString& initial) {
            initials << initial;
            return results.isEmpty() ? initial : results.takeFirst();
        };
    }
};

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { testdb::addEngineRows(); }
    void init();
    void cleanup() { Connection::main().close(); }

    void missingFileAsksThenCreatesIt();
    void workingStringIsRewrittenWithoutQuestion();
    void failingStringAndNoEndsTheProgram();
    void cancelledDialogFailsAgain();
    void fileBesideTheProgramFromAnotherDirectory();
    void unwritableFolderWarnsAndGoesOn();
    void newerDatabaseIsRefused();
    void olderDatabaseIsUpgradedOnConsent();

private:
    QString dir_;
};

void TestStartup::init()
{
    QString why;
    if (!testdb::available(&why))
        QSKIP(qPrintable(why));
    dir_ = testdb::scratchDir();
}

void TestStartup::missingFileAsksThenCreatesIt()
{
    const QString good = testdb::freshDatabase();
    FakeMessages boxes;
    boxes.answers = {true};
    FakeDialog dialog;
    dialog.results = {good};
    QVERIFY(startup::connectDatabase(dialog.fn(), dir_));
    QVERIFY(Connection::main().isOpen());
    QCOMPARE(dialog.initials, QStringList{QStringLiteral("sf")});
    // First the provider's message for the empty string, then the question.
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].caption, QStringLiteral("错误"));
    QCOMPARE(boxes.shown[1].text, kQuestion);
    QCOMPARE(boxes.shown[1].caption, QStringLiteral("询问"));
    QCOMPARE(readFile(startup::configFilePath(dir_)), good + QLatin1Char('\n'));
}

void TestStartup::workingStringIsRewrittenWithoutQuestion()
{
    const QString good = testdb::freshDatabase();
    writeFile(startup::configFilePath(dir_), good + QStringLiteral("\n\n"));
    FakeMessages boxes;
    FakeDialog dialog;
    QVERIFY(startup::connectDatabase(dialog.fn(), dir_));
    QVERIFY(boxes.shown.isEmpty());
    QVERIFY(dialog.initials.isEmpty());
    QCOMPARE(readFile(startup::configFilePath(dir_)), good + QLatin1Char('\n'));
}

void TestStartup::failingStringAndNoEndsTheProgram()
{
    const QString bad = testdb::currentEngine() == QLatin1String("sqlite")
                            ? QStringLiteral("Provider=SQLite;Data Source=missing.db")
                            : QStringLiteral("Provider=PostgreSQL;Data Source=127.0.0.1:1;Initial Catalog=x");
    writeFile(startup::configFilePath(dir_), bad);
    FakeMessages boxes;
    boxes.answers = {false};
    FakeDialog dialog;
    QVERIFY(!startup::connectDatabase(dialog.fn(), dir_));
    QVERIFY(!Connection::main().isOpen());
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(boxes.shown[0].caption, QStringLiteral("错误"));
    QCOMPARE(boxes.shown[1].text, kQuestion);
    QVERIFY(dialog.initials.isEmpty());
    QCOMPARE(readFile(startup::configFilePath(dir_)), bad);  // untouched
}

void TestStartup::cancelledDialogFailsAgain()
{
    FakeMessages boxes;
    boxes.answers = {true, true, false};
    FakeDialog dialog;  // returns its initial text: a cancel
    QVERIFY(!startup::connectDatabase(dialog.fn(), dir_));
    QCOMPARE(dialog.initials, (QStringList{QStringLiteral("sf"), QStringLiteral("sf")}));
    QCOMPARE(boxes.count(kQuestion), 3);
    QVERIFY(!QFile::exists(startup::configFilePath(dir_)));
}

void TestStartup::fileBesideTheProgramFromAnotherDirectory()
{
    if (testdb::currentEngine() != QLatin1String("sqlite"))
        QSKIP("about files, not engines");
    // A relative SQLite path and configdata.txt both belong beside the program file.
    const QString programDir = db::programDir();
    const QString dbName = QStringLiteral("startup-%1.db").arg(QUuid::createUuid().toString(QUuid::Id128));
    const QString text = QStringLiteral("Provider=SQLite;Data Source=%1").arg(dbName);
    QString error;
    QVERIFY2(dbadmin::createDatabase(text, false, &error, programDir), qPrintable(error));
    const QString config = startup::configFilePath();
    QCOMPARE(config, QDir(programDir).filePath(QStringLiteral("configdata.txt")));
    writeFile(config, text);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir_);
    FakeMessages boxes;
    FakeDialog dialog;
    const bool connected = startup::connectDatabase(dialog.fn());
    QDir::setCurrent(previous);
    const QString rewritten = readFile(config);
    Connection::main().close();
    QFile::remove(config);
    QFile::remove(QDir(programDir).filePath(dbName));
    QFile::remove(QDir(programDir).filePath(dbName + QStringLiteral("-wal")));
    QFile::remove(QDir(programDir).filePath(dbName + QStringLiteral("-shm")));
    QVERIFY(connected);
    QVERIFY2(boxes.shown.isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('|'))));
    QCOMPARE(rewritten, text + QLatin1Char('\n'));
    QVERIFY(!QFile::exists(QDir(dir_).filePath(QStringLiteral("configdata.txt"))));
}

void TestStartup::unwritableFolderWarnsAndGoesOn()
{
    // A read-only install folder: a string from the dialog cannot be kept, but the work goes
    // on with it; the file's own string needs no word.
    const QString good = testdb::freshDatabase();
    writeFile(startup::configFilePath(dir_), QStringLiteral("Provider=SQLite;Data Source=gone.db"));
    // Root ignores permission bits; an immutable folder (and file) stops root too.
    const bool root = qEnvironmentVariable("USER") == QLatin1String("root") ||
                      QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("[ $(id -u) -eq 0 ]")}) == 0;
    const QString file = startup::configFilePath(dir_);
    auto lock = [&](bool on) {
        if (root)
            return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), dir_, file}) == 0;
        const auto ro = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        return QFile::setPermissions(file, on ? QFileDevice::ReadOwner : QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
               QFile::setPermissions(dir_, on ? ro : ro | QFileDevice::WriteOwner);
    };
    if (!lock(true))
        QSKIP("cannot make a read-only folder here");
    FakeMessages boxes;
    boxes.answers = {true};
    FakeDialog dialog;
    dialog.results = {good};
    const bool connected = startup::connectDatabase(dialog.fn(), dir_);
    Connection::main().close();
    // Now the file holds a working string: starting again says nothing.
    lock(false);
    writeFile(file, good);
    lock(true);
    FakeMessages quiet;
    const bool again = startup::connectDatabase(dialog.fn(), dir_);
    lock(false);
    QVERIFY(connected);
    QCOMPARE(boxes.shown.size(), 3);  // the old string's error, the question, the warning
    QVERIFY(boxes.shown[2].text.contains(QStringLiteral("无法保存连接配置文件")));
    QVERIFY(!boxes.shown[2].question);
    QVERIFY(again);
    QVERIFY2(quiet.shown.isEmpty(), qPrintable(quiet.texts().join(QLatin1Char('|'))));
}

void TestStartup::newerDatabaseIsRefused()
{
    const QString good = testdb::freshDatabase();
    QVERIFY(db::TryConnect(good, QString()));
    db::Query(QStringLiteral("UPDATE dbversion SET version=version+1")).exec();
    Connection::main().close();
    writeFile(startup::configFilePath(dir_), good);
    FakeMessages boxes;
    boxes.answers = {false};
    FakeDialog dialog;
    QVERIFY(!startup::connectDatabase(dialog.fn(), dir_));
    QCOMPARE(boxes.shown.size(), 2);
    QVERIFY(boxes.shown[0].text.contains(QStringLiteral("比本程序支持的版本")));
    QCOMPARE(boxes.shown[1].text, kQuestion);
    QVERIFY(!Connection::main().isOpen());
}

void TestStartup::olderDatabaseIsUpgradedOnConsent()
{
    const QString text = testdb::freshEmptyDatabase();
    {
        const auto parsed = db::parseConnectionString(text, QString());
        Connection c(QStringLiteral("old"));
        QString error;
        QVERIFY(c.open(*parsed.settings, &error, true));
        schema::upgrade(c, 1);
    }
    writeFile(startup::configFilePath(dir_), text);
    FakeMessages boxes;
    boxes.answers = {true};
    FakeDialog dialog;
    QVERIFY(startup::connectDatabase(dialog.fn(), dir_));
    QCOMPARE(schema::storedVersion(Connection::main()), schema::currentVersion());
    QVERIFY(boxes.shown[0].question);
    QVERIFY(boxes.shown[0].text.contains(QStringLiteral("是否现在升级数据库")));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
