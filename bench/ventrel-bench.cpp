// ventrel-bench [--engine sqlite|postgresql|both] [--pg "connection string"] [--filter TEXT]
// Prints one line per figure: "name value unit", the median of several runs.

#include "benchmark.h"

#include "app/application.h"
#include "common/appfont.h"
#include "common/db.h"
#include "server/dbadmin.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A fresh demo database for the run: a SQLite file, or a new database on the given server.
QString demoDatabase(const QString& engine, const QString& pg, const QString& dir, QString* dropName)
{
    QString text;
    if (engine == QLatin1String("sqlite")) {
        text = QStringLiteral("Provider=SQLite;Data Source=%1/bench.db").arg(dir);
    } else {
        db::ParsedConnection parsed = db::parseConnectionString(pg, dir);
        if (!parsed.settings)
            qFatal("--pg: %s", qPrintable(parsed.error));
        parsed.settings->database = QStringLiteral("ventrel_bench_%1").arg(QCoreApplication::applicationPid());
        *dropName = parsed.settings->database;
        text = db::buildConnectionString(*parsed.settings);
    }
    QString error;
    if (!dbadmin::createDatabase(text, true, &error, dir))
        qFatal("cannot create the benchmark database: %s", qPrintable(error));
    return text;
}

void dropDatabase(const QString& pg, const QString& name)
{
    db::Connection admin(QStringLiteral("bench-admin"));
    QString error;
    if (admin.open(*db::parseConnectionString(pg, QString()).settings, &error))
        admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    installAppFont();
    app::registerAllScreens();

    QString engineChoice;
    QString pg;
    QString filter;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--engine") && i + 1 < args.size())
            engineChoice = args[++i];
        else if (a == QLatin1String("--pg") && i + 1 < args.size())
            pg = args[++i];
        else if (a == QLatin1String("--filter") && i + 1 < args.size())
            filter = args[++i];
        else {
            std::fprintf(stderr,
                         "usage: ventrel-bench [--engine sqlite|postgresql|both] [--pg STRING] [--filter TEXT]\n");
            return 2;
        }
    }
    if (engineChoice.isEmpty())
        engineChoice = pg.isEmpty() ? QStringLiteral("sqlite") : QStringLiteral("both");
    QStringList engines;
    if (engineChoice == QLatin1String("sqlite") || engineChoice == QLatin1String("both"))
        engines << QStringLiteral("sqlite");
    if (engineChoice == QLatin1String("postgresql") || engineChoice == QLatin1String("both")) {
        if (pg.isEmpty()) {
            std::fprintf(stderr, "--engine %s needs --pg \"Provider=PostgreSQL;...\"\n", qPrintable(engineChoice));
            return 2;
        }
        engines << QStringLiteral("postgresql");
    }
    if (engines.isEmpty()) {
        std::fprintf(stderr, "unknown engine: %s\n", qPrintable(engineChoice));
        return 2;
    }

    bench::registerShellFigures();
    bench::registerOrderFigures();
    bench::registerCuttingFigures();
    bench::registerTicketFigures();
    bench::registerPieceworkFigures();
    bench::registerPersonnelFigures();

    QTemporaryDir scratch;
    QTextStream out(stdout);
    for (const QString& engine : engines) {
        bool any = false;
        for (const bench::Figure& f : bench::figures())
            any = any || (f.perEngine && (engine + QLatin1Char('.') + f.name).contains(filter));
        if (!any)
            continue;
        const QString dir = scratch.filePath(engine);
        QDir().mkpath(dir);
        QString dropName;
        bench::Context context{engine, demoDatabase(engine, pg, dir, &dropName), dir};
        QHash<QString, double> results;
        for (const bench::Figure& f : bench::figures()) {
            const QString name = f.perEngine ? engine + QLatin1Char('.') + f.name : f.name;
            if (!f.perEngine || !name.contains(filter))
                continue;
            std::vector<double> values;
            for (int i = 0; i < f.runs; ++i)
                values.push_back(f.measure(context));
            results.insert(f.name, median(values));
            out << name << ' ' << QString::number(median(values), 'f', 1) << ' ' << f.unit << Qt::endl;
        }
        // Generation against the plain insert of the same rows.
        if (results.contains(QStringLiteral("generate_lot_24000")) && results.contains(QStringLiteral("bulk_insert_24000")))
            out << engine << ".generate_lot_24000_ratio "
                << QString::number(results.value(QStringLiteral("generate_lot_24000")) /
                                       results.value(QStringLiteral("bulk_insert_24000")),
                                   'f', 2)
                << " x" << Qt::endl;
        if (!dropName.isEmpty())
            dropDatabase(pg, dropName);
    }
    for (const bench::Figure& f : bench::figures()) {
        if (f.perEngine || !f.name.contains(filter))
            continue;
        std::vector<double> values;
        for (int i = 0; i < f.runs; ++i)
            values.push_back(f.measure(bench::Context{{}, {}, scratch.path()}));
        out << f.name << ' ' << QString::number(median(values), 'f', 1) << ' ' << f.unit << Qt::endl;
    }
    return 0;
}
