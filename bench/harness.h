// The measurement harness: each measurement is one function that does the
// work and returns its timings, registered with the same work done directly
// through the engine's C interface (raw SQLite for SQLite, raw libpq for
// PostgreSQL) so that the ratio says what the program's layers cost. One run
// measures one store on one engine and prints one table.
//
// To add a measurement: write `Samples ours(Context&)` (through the program:
// its screens or its documents functions; measures.h has the shapes the
// workflows share: a scan entry, a list opened and scrolled, whole runs of a
// confirmation) and one raw function per engine, then register them in a
// register...Measures() function called from main.cpp:
//
//   bench::add({"Scan path, order entry", bench::Figure::Latency, scanOrderEntry,
//               scanOrderEntryRawSqlite, scanOrderEntryRawPg, {1, 2, 2}});
#pragma once

#include "app/program.h"
#include "ui/messages.h"
#include "ui/printer.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

class RawSqlite;
class RawPg;

// Microseconds: one per operation (Latency) or one per whole run (Run);
// megabytes (Memory); bytes per second of each run (Rate).
using Samples = std::vector<double>;

enum class Figure {
    Latency, // p50 / p99 of the operations, in ms; ratio and limit on the p99
    Run,     // median of the runs, in ms; ratio and limit on the median
    Memory,  // median, in MB; limit on it
    Rate,    // median, in KB/s; ratio raw over ours (times slower), limit a minimum
};

// What a measure must meet; 0 where there is no such limit.
struct Target {
    double sqliteMs = 0;   // or MB, or KB/s at least
    double postgresMs = 0; // or MB, or KB/s at least
    double maxRatio = 0;   // how many times the raw baseline's time
};

class Context;
using Work = std::function<Samples(Context&)>;

struct Measure {
    Measure(QString label, Figure figure, Work ours, Work rawSqlite, Work rawPostgres, Target target = {},
            QString baseline = {})
        : label(std::move(label))
        , figure(figure)
        , ours(std::move(ours))
        , rawSqlite(std::move(rawSqlite))
        , rawPostgres(std::move(rawPostgres))
        , target(target)
        , baseline(std::move(baseline)) {}
    QString label;
    Figure figure;
    Work ours;
    Work rawSqlite;   // empty: no baseline
    Work rawPostgres; // empty: no baseline
    Target target;
    QString baseline; // what the raw baseline is when it is not the engine's C interface
};

// Registration order is table order.
void add(Measure m);
const std::vector<Measure>& measures();

// The program wired on the store, as the screens see it; operator 1 counting
// in the store database.
struct Program {
    explicit Program(const data::DriveMapping& mapping);
    ui::ScriptedMessages messages;
    ui::Clock clock;
    ui::CupsPrinter printer;
    app::Program run;
    state::SharedState& state;
    data::Databases& dbs;
    ui::ScreenRegistry& registry;
    data::Database store() { return dbs.open(QStringLiteral("c:\\marbo\\dati.mdb")); }
};

// The store under measurement: a data root whose drive c: holds the SQLite
// files, or maps (drives.ini) to the PostgreSQL server holding them.
class Context {
public:
    explicit Context(const QString& root);
    ~Context();

    const QString& root() const { return root_; }
    data::Engine engine() const { return engine_; }
    QString engineName() const;
    const data::DriveMapping& mapping() const { return mapping_; }
    // The store database (c:\marbo\dati.mdb) as the engine names it.
    const data::Location& storeLocation() const { return store_; }

    std::unique_ptr<Program> program() const { return std::make_unique<Program>(mapping_); }
    // One raw connection per engine for the whole run.
    RawSqlite& sqlite();
    RawPg& pg();
    // The work database (c:\marbo\bancacodean.mdb, where the order and the
    // goods receipt lines are kept): its location and raw connections.
    const data::Location& workLocation() const { return work_; }
    RawSqlite& workSqlite();
    RawPg& workPg();

    // The mix of codes a handheld scans (fixed seed): EANs, internal codes on
    // the first and second try, weighed in-store codes carrying a price,
    // unknown codes.
    const std::vector<QString>& codeMix();

    // The folder of this program (the probe is beside it).
    QString programDir() const;

private:
    QString root_;
    data::DriveMapping mapping_;
    data::Engine engine_;
    data::Location store_;
    data::Location work_;
    std::unique_ptr<RawSqlite> sqlite_;
    std::unique_ptr<RawPg> pg_;
    std::unique_ptr<RawSqlite> workSqlite_;
    std::unique_ptr<RawPg> workPg_;
    std::vector<QString> codes_;
};

// Times one operation, appending its microseconds.
class Stopwatch {
public:
    explicit Stopwatch(Samples& into)
        : into_(into)
        , t0_(std::chrono::steady_clock::now()) {}
    ~Stopwatch() {
        into_.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0_).count());
    }

private:
    Samples& into_;
    std::chrono::steady_clock::time_point t0_;
};

double percentile(Samples s, double p);

// Runs every registered measure (or those whose label contains `only`) and
// prints the table; returns the number of measures that failed to run.
int runMeasures(Context& c, const QString& only = {});

// Stops the measure with a message (the table shows it instead of figures).
[[noreturn]] void fail(const QString& why);

} // namespace bench
