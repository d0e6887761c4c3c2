// The inventory's hot paths on a large store, each beside the same work done
// directly with SQLite's C interface on the same file. Latencies are kept per
// operation and reported as p50 and p99 (microseconds) in the counters.
//
// MARBO_BENCH_ROOT names the data root of a store made by make-large.
#include "app/program.h"
#include "articles/lookup.h"
#include "data/recordset.h"
#include "data/sqlite_functions.h"
#include "documents/inventory_transfer.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;
const QString kStore = QStringLiteral("c:\\marbo\\dati.mdb");

QString root() {
    return qEnvironmentVariable("MARBO_BENCH_ROOT");
}
QString storeFile() {
    return root() + QStringLiteral("/c/marbo/dati.mdb");
}

void percentiles(benchmark::State& state, std::vector<double>& us) {
    if (us.empty())
        return;
    std::sort(us.begin(), us.end());
    state.counters["p50_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[std::min(us.size() - 1, size_t(double(us.size()) * 0.99))];
    state.counters["n"] = double(us.size());
}

// The mix of codes a handheld sees: EANs, internal codes found on the first and
// the second try, weighed in-store codes carrying a price, unknown codes.
std::vector<QString> codeMix(int n) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(storeFile().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    data::registerSqliteFunctions(db);
    std::vector<QString> eans, weighed;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT eanare FROM codean ORDER BY marbo_rid", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        (e.startsWith(QLatin1Char('2')) ? weighed : eans).push_back(e);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    std::mt19937 rng(7);
    std::vector<QString> out;
    for (int i = 0; i < n; ++i) {
        const int kind = int(rng() % 20);
        if (kind < 9)
            out.push_back(eans[rng() % eans.size()]);
        else if (kind < 12)
            out.push_back(QString::number(1000 + rng() % 150000)); // internal code, first try
        else if (kind < 14)
            out.push_back(QString::number((1000 + rng() % 150000) * 10 + 7)); // second try
        else if (kind < 17) {
            const QString w = weighed[rng() % weighed.size()];
            out.push_back(w.left(7) + QStringLiteral("01234") + QLatin1Char('0'));
        } else
            out.push_back(QStringLiteral("8099") + QString::number(100000000 + rng() % 899999999)); // unknown
    }
    return out;
}

// The program on the large store, with operator 1 counting in the store database.
struct Program {
    Program() {
        run.state.storeDbPath = kStore;
        run.state.operatorNumber = 1;
        run.state.userCode = 1;
    }
    ui::ScriptedMessages messages;
    ui::Clock clock;
    ui::CupsPrinter printer;
    app::Program run{data::DriveMapping(root()), messages, clock, printer};
    state::SharedState& state = run.state;
    data::Databases& dbs = run.dbs;
    ui::ScreenRegistry& registry = run.registry;
};

template <typename T> T* control(ui::Screen* screen, const char* name) {
    return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void BM_ScanProcedures(benchmark::State& state) {
    Program p;
    articles::ArticleLookup lookup(p.dbs, p.state, {});
    const auto codes = codeMix(2000);
    for (const QString& c : codes) { // warm the page cache: the handheld's store is in use all day
        articles::EntryFields f;
        f.eanw = c;
        lookup.resolveCode(f);
    }
    std::vector<double> us;
    size_t i = 0;
    for (auto _ : state) {
        articles::EntryFields f;
        f.eanw = codes[i++ % codes.size()];
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(lookup.resolveCode(f));
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    percentiles(state, us);
}
BENCHMARK(BM_ScanProcedures)->Iterations(4000)->Unit(benchmark::kMicrosecond);

void BM_ScanScreen(benchmark::State& state) {
    Program p;
    auto* eanw = control<QLineEdit>(p.registry.open(QStringLiteral("tarvo05")), "eanw");
    const auto codes = codeMix(2000);
    std::vector<double> us;
    size_t i = 0;
    for (auto _ : state) {
        eanw->setText(codes[i++ % codes.size()]);
        const auto t0 = Clock::now();
        QTest::keyClick(eanw, Qt::Key_Return);
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        if (!p.registry.find(QStringLiteral("tarvo05"))) // the pop-up took over: back to the entry
            eanw = control<QLineEdit>(p.registry.open(QStringLiteral("tarvo05")), "eanw");
    }
    percentiles(state, us);
}
BENCHMARK(BM_ScanScreen)->Iterations(4000)->Unit(benchmark::kMicrosecond);

// The same seeks as prepared sqlite3 statements.
struct Raw {
    Raw() {
        sqlite3_open_v2(storeFile().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        data::registerSqliteFunctions(db);
        // The same cache and mapping settings as the program's connections.
        sqlite3_exec(db, "PRAGMA cache_size = -16000; PRAGMA mmap_size = 268435456", nullptr, nullptr,
                     nullptr);
    }
    ~Raw() {
        for (auto* s : statements)
            sqlite3_finalize(s);
        sqlite3_close(db);
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
            fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        statements.push_back(s);
        return s;
    }
    sqlite3* db = nullptr;
    std::vector<sqlite3_stmt*> statements;
};

void BM_ScanRawSqlite(benchmark::State& state) {
    Raw raw;
    sqlite3_stmt* byEan = raw.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* byCode =
        raw.prepare("SELECT eanare FROM codean WHERE codare = ? ORDER BY codare, marbo_rid LIMIT 1");
    sqlite3_stmt* byPrefix =
        raw.prepare("SELECT codare FROM codean WHERE eanare >= ? AND eanare < ? ORDER BY marbo_rid LIMIT 1");
    sqlite3_stmt* article = raw.prepare("SELECT * FROM listi01 WHERE codart = ?");
    sqlite3_stmt* line = raw.prepare("SELECT quantita FROM inventario WHERE oper = 1 AND eanrig = ? LIMIT 1");
    auto run = [](sqlite3_stmt* s) {
        int rc = sqlite3_step(s);
        sqlite3_reset(s);
        return rc == SQLITE_ROW;
    };
    const auto codes = codeMix(2000);
    std::vector<QByteArray> bytes;
    for (const QString& c : codes)
        bytes.push_back(c.toUtf8());
    std::vector<double> us;
    size_t i = 0;
    for (auto _ : state) {
        const QByteArray& c = bytes[i++ % bytes.size()];
        const auto t0 = Clock::now();
        long long code = 0;
        if (c.size() == 13 && c[0] == '2') {
            const QByteArray lo = c.left(7), hi = c.left(7) + "\xef\xbf\xbf";
            sqlite3_bind_text(byPrefix, 1, lo.constData(), int(lo.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(byPrefix, 2, hi.constData(), int(hi.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(byPrefix) == SQLITE_ROW)
                code = sqlite3_column_int64(byPrefix, 0);
            sqlite3_reset(byPrefix);
        }
        if (code == 0 && c.size() < 9) {
            for (long long x = c.toLongLong(); x > 0 && code == 0; x /= 10) {
                sqlite3_bind_int64(byCode, 1, x);
                if (sqlite3_step(byCode) == SQLITE_ROW)
                    code = x;
                sqlite3_reset(byCode);
                if (x < c.toLongLong() / 100)
                    break;
            }
        }
        if (code == 0) {
            sqlite3_bind_text(byEan, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(byEan) == SQLITE_ROW)
                code = sqlite3_column_int64(byEan, 0);
            sqlite3_reset(byEan);
        }
        sqlite3_bind_text(line, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
        run(line);
        if (code != 0) {
            sqlite3_bind_int64(article, 1, code);
            run(article);
        }
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    percentiles(state, us);
}
BENCHMARK(BM_ScanRawSqlite)->Iterations(4000)->Unit(benchmark::kMicrosecond);

// Store of a counted quantity on operator 1's 20000 lines, with the total.
void BM_StoreWithTotal(benchmark::State& state) {
    Program p;
    ui::Screen* entry = p.registry.open(QStringLiteral("tarvo05"));
    auto* eanw = control<QLineEdit>(entry, "eanw");
    auto* quanw = control<QLineEdit>(entry, "quanw");
    data::Recordset some =
        p.dbs.open(kStore).query(QStringLiteral("SELECT eanrig FROM inventario WHERE oper = 1"));
    std::vector<QString> eans;
    for (int k = 0; k < 500 && !some.eof(); ++k, some.moveNext())
        eans.push_back(some.value(0).toString());
    std::vector<double> us;
    size_t i = 0;
    for (auto _ : state) {
        eanw->setText(eans[i++ % eans.size()]);
        QTest::keyClick(eanw, Qt::Key_Return);
        quanw->setText(QStringLiteral("1"));
        const auto t0 = Clock::now();
        QTest::keyClick(quanw, Qt::Key_Return);
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    percentiles(state, us);
}
BENCHMARK(BM_StoreWithTotal)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_StoreWithTotalRawSqlite(benchmark::State& state) {
    Raw raw;
    sqlite3_stmt* find =
        raw.prepare("SELECT marbo_rid FROM inventario WHERE oper = 1 AND eanrig = ? LIMIT 1");
    sqlite3_stmt* art =
        raw.prepare("SELECT * FROM listi01 WHERE codart = (SELECT codare FROM codean WHERE eanare = ?)");
    sqlite3_stmt* upd =
        raw.prepare("UPDATE inventario SET colli = colli + 1, quantita = quantita + 1 WHERE marbo_rid = ?");
    sqlite3_stmt* total = raw.prepare("SELECT sum(colli) FROM inventario WHERE oper = 1");
    std::vector<QByteArray> eans;
    sqlite3_stmt* some = raw.prepare("SELECT eanrig FROM inventario WHERE oper = 1 LIMIT 500");
    while (sqlite3_step(some) == SQLITE_ROW)
        eans.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(some, 0)));
    std::vector<double> us;
    size_t i = 0;
    for (auto _ : state) {
        const QByteArray& ean = eans[i++ % eans.size()];
        const auto t0 = Clock::now();
        sqlite3_bind_text(art, 1, ean.constData(), int(ean.size()), SQLITE_TRANSIENT);
        sqlite3_step(art);
        sqlite3_reset(art);
        sqlite3_bind_text(find, 1, ean.constData(), int(ean.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(find) == SQLITE_ROW) {
            sqlite3_bind_int64(upd, 1, sqlite3_column_int64(find, 0));
            sqlite3_step(upd);
            sqlite3_reset(upd);
        }
        sqlite3_reset(find);
        sqlite3_step(total);
        sqlite3_reset(total);
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    percentiles(state, us);
}
BENCHMARK(BM_StoreWithTotalRawSqlite)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Confirmation of operator 3's 10000 lines.
void BM_Confirm10000(benchmark::State& state) {
    Program p;
    p.state.operatorNumber = 3;
    p.state.documentType = QStringLiteral("INVENTARIO");
    p.state.numberingCode = QStringLiteral("IN");
    p.state.documentYear = 2099;
    const data::Database db = p.dbs.open(kStore);
    int number = 1000;
    for (auto _ : state) {
        p.state.documentNumber = ++number;
        const auto r = documents::transferInventory(db, p.state, QDate(2099, 1, 1));
        if (!r.error.ok())
            state.SkipWithError(r.error.message().toUtf8().constData());
        state.counters["lines"] = r.linesWritten;
    }
}
BENCHMARK(BM_Confirm10000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Confirm10000RawSqlite(benchmark::State& state) {
    Raw raw;
    sqlite3_stmt* lines =
        raw.prepare("SELECT eanrig, quantita FROM inventario WHERE oper = 3 ORDER BY marbo_rid");
    sqlite3_stmt* ean = raw.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* art = raw.prepare(
        "SELECT desart, cofart, ivart, umart, cosmp, desfor, desgru FROM listi01 WHERE codart = ?");
    sqlite3_stmt* head =
        raw.prepare("INSERT INTO invte (anno, numero, codutente, tipodoc) VALUES (2098, ?, 1, 'INVENTARIO')");
    sqlite3_stmt* ins = raw.prepare(
        "INSERT INTO invmo (bns, bannoc, bnumer, articoli, quantita, unitam, colli, tipmov, totrig, "
        "descrizione, iva, "
        "codute, eanrig, costof, prezzo, cosmp, dsccolore, taglia, desfor, desgru, tipodoc) "
        "VALUES (?, 2098, ?, ?, ?, ?, ?, 'AR', ?, ?, ?, 1, ?, ?, ?, ?, 'colore', 'UNI', ?, ?, 'INVENTARIO')");
    int number = 0, bns = 0;
    for (auto _ : state) {
        ++number;
        sqlite3_exec(raw.db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_int(head, 1, number);
        sqlite3_step(head);
        sqlite3_reset(head);
        while (sqlite3_step(lines) == SQLITE_ROW) {
            sqlite3_bind_value(ean, 1, sqlite3_column_value(lines, 0));
            if (sqlite3_step(ean) != SQLITE_ROW) {
                sqlite3_reset(ean);
                continue;
            }
            sqlite3_bind_int64(art, 1, sqlite3_column_int64(ean, 0));
            if (sqlite3_step(art) == SQLITE_ROW) {
                const double q = sqlite3_column_double(lines, 1), cost = sqlite3_column_double(art, 1);
                sqlite3_bind_int(ins, 1, ++bns);
                sqlite3_bind_int(ins, 2, number);
                sqlite3_bind_int64(ins, 3, sqlite3_column_int64(ean, 0));
                sqlite3_bind_double(ins, 4, q);
                sqlite3_bind_value(ins, 5, sqlite3_column_value(art, 3));
                sqlite3_bind_double(ins, 6, q);
                sqlite3_bind_double(ins, 7, std::round(q * cost * 100) / 100);
                sqlite3_bind_value(ins, 8, sqlite3_column_value(art, 0));
                sqlite3_bind_value(ins, 9, sqlite3_column_value(art, 2));
                sqlite3_bind_value(ins, 10, sqlite3_column_value(lines, 0));
                sqlite3_bind_double(ins, 11, cost);
                sqlite3_bind_double(ins, 12, cost);
                sqlite3_bind_value(ins, 13, sqlite3_column_value(art, 4));
                sqlite3_bind_value(ins, 14, sqlite3_column_value(art, 5));
                sqlite3_bind_value(ins, 15, sqlite3_column_value(art, 6));
                sqlite3_step(ins);
                sqlite3_reset(ins);
            }
            sqlite3_reset(art);
            sqlite3_reset(ean);
        }
        sqlite3_reset(lines);
        sqlite3_exec(raw.db, "COMMIT", nullptr, nullptr, nullptr);
    }
}
BENCHMARK(BM_Confirm10000RawSqlite)->Iterations(3)->Unit(benchmark::kMillisecond);

// Opening the real list screen (tarvo06) on operator 2's 50000 lines: time
// until the first rows are shown, then scrolling the grid to the last line.
ui::DataGrid* openLongList(Program& p) {
    p.state.operatorNumber = 2;
    auto* grid = control<ui::DataGrid>(p.registry.open(QStringLiteral("tarvo06")), "ord");
    QApplication::processEvents(); // the first rows painted
    return grid;
}

void BM_LongListFirstRows(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        ui::DataGrid* grid = openLongList(p);
        if (!grid || grid->textMatrix(1, 1).isEmpty())
            state.SkipWithError("the list shows no lines");
        state.PauseTiming();
        p.registry.closeAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LongListFirstRows)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_LongListToTheEnd(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        ui::DataGrid* grid = openLongList(p);
        if (!grid) {
            state.SkipWithError("no list screen");
            break;
        }
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); // to the last line
        QApplication::processEvents();
        const int rows = grid->rows();
        benchmark::DoNotOptimize(grid->textMatrix(rows - 1, 1));
        state.counters["rows"] = rows - 1;
        state.PauseTiming();
        p.registry.closeAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LongListToTheEnd)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_LongListRawSqlite(benchmark::State& state) {
    Raw raw;
    sqlite3_stmt* q =
        raw.prepare("SELECT eanrig, descrizione, colli FROM inventario WHERE oper = 2 ORDER BY marbo_rid");
    for (auto _ : state) {
        int rows = 0;
        while (sqlite3_step(q) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(q, 1));
            ++rows;
        }
        sqlite3_reset(q);
        state.counters["rows"] = rows;
    }
}
BENCHMARK(BM_LongListRawSqlite)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (root().isEmpty()) {
        fprintf(stderr, "MARBO_BENCH_ROOT must name a store made by make-large\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
