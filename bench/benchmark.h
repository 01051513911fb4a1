#pragma once
// The benchmark program's frame: named figures, each measured several times and reported as
// the median, one line "name value unit". Figures measured on a database run once per engine
// and are named "sqlite.NAME" / "postgresql.NAME".

#include <QString>
#include <functional>
#include <vector>

namespace bench {

struct Context {
    QString engine;            // "sqlite" or "postgresql"; empty for engine-free figures
    QString connectionString;  // a demo database of that engine, created for the run
    QString scratchDir;        // a directory for files of the run
};

struct Figure {
    QString name;
    QString unit;
    bool perEngine;
    int runs;
    // Returns one measurement.
    std::function<double(const Context&)> measure;
};

// Each subsystem adds its figures here.
void addFigure(Figure figure);
const std::vector<Figure>& figures();

// Milliseconds elapsed while fn runs.
double timeMs(const std::function<void()>& fn);

void registerShellFigures();
void registerOrderFigures();
void registerCuttingFigures();
void registerTicketFigures();
void registerPieceworkFigures();
void registerPersonnelFigures();

// The database of 10 million coupons (built once and kept), as a connection string.
QString couponFixture(const Context& c);

}  // namespace bench
