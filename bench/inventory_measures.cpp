// The inventory workflow on the large store: the scan path (the lookup's
// procedures, and the entry screen driven by its keys), the store of a count
// with the screen's total, the confirmation of 10000 lines, the operator's
// list of 50000 lines, start-up and memory. Each beside the same work done
// through the engine's C interface.
#include "articles/lookup.h"
#include "data/recordset.h"
#include "documents/inventory_transfer.h"
#include "harness.h"
#include "measures.h"
#include "raw.h"
#include "ui/screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <cmath>

namespace bench {

namespace {

// ---- Scan path ------------------------------------------------------------

Samples scanProcedures(Context& c) {
    auto p = c.program();
    articles::ArticleLookup lookup(p->dbs, p->state, {});
    const auto& codes = c.codeMix();
    for (const QString& code : codes) { // warm the caches: the store is in use all day
        articles::EntryFields f;
        f.eanw = code;
        lookup.resolveCode(f);
    }
    Samples us;
    for (int i = 0; i < 4000; ++i) {
        articles::EntryFields f;
        f.eanw = codes[size_t(i) % codes.size()];
        Stopwatch t(us);
        lookup.resolveCode(f);
    }
    return us;
}

Samples scanScreen(Context& c) {
    return scanIntoScreen(c, QStringLiteral("tarvo05"));
}

Samples scanRawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    sqlite3_stmt* byEan = raw.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* byCode =
        raw.prepare("SELECT eanare FROM codean WHERE codare = ? ORDER BY codare, marbo_rid LIMIT 1");
    sqlite3_stmt* byPrefix =
        raw.prepare("SELECT codare FROM codean WHERE eanare >= ? AND eanare < ? LIMIT 1");
    sqlite3_stmt* article = raw.prepare("SELECT * FROM listi01 WHERE codart = ?");
    sqlite3_stmt* line = raw.prepare("SELECT quantita FROM inventario WHERE oper = 1 AND eanrig = ? LIMIT 1");
    auto step = [](sqlite3_stmt* s, long long* first = nullptr) {
        const bool row = sqlite3_step(s) == SQLITE_ROW;
        if (row && first)
            *first = sqlite3_column_int64(s, 0);
        sqlite3_reset(s);
        return row;
    };
    const auto codes = scanCodes(c);
    Samples us;
    for (int i = 0; i < 6000; ++i) {
        const ScanCode& k = codes[size_t(i) % codes.size()];
        Samples ignored;
        Stopwatch t(i < 2000 ? ignored : us);
        long long code = 0;
        if (k.weighed) {
            bindText(byPrefix, 1, k.text.left(7));
            bindText(byPrefix, 2, k.text.left(7) + "\xef\xbf\xbf");
            step(byPrefix, &code);
        }
        for (size_t n = 0; code == 0 && n < k.tries.size(); ++n) {
            sqlite3_bind_int64(byCode, 1, k.tries[n]);
            if (step(byCode))
                code = k.tries[n];
        }
        if (code == 0) {
            bindText(byEan, 1, k.text);
            step(byEan, &code);
        }
        bindText(line, 1, k.text);
        step(line);
        if (code != 0) {
            sqlite3_bind_int64(article, 1, code);
            step(article);
        }
    }
    return us;
}

Samples scanRawPg(Context& c) {
    RawPg& raw = c.pg();
    raw.prepare("scan_ean", "SELECT codare FROM codean WHERE eanare = $1");
    raw.prepare("scan_code",
                "SELECT eanare FROM codean WHERE codare = $1 ORDER BY codare, marbo_rid LIMIT 1");
    raw.prepare("scan_prefix", "SELECT codare FROM codean WHERE eanare >= $1 AND eanare < $2 LIMIT 1");
    raw.prepare("scan_article", "SELECT * FROM listi01 WHERE codart = $1");
    raw.prepare("scan_line", "SELECT quantita FROM inventario WHERE oper = 1 AND eanrig = $1 LIMIT 1");
    auto first = [](const PgResult& r, long long* code) {
        if (PQntuples(r.get()) == 0)
            return false;
        if (code)
            *code = QByteArray(PQgetvalue(r.get(), 0, 0)).toLongLong();
        return true;
    };
    const auto codes = scanCodes(c);
    Samples us;
    for (int i = 0; i < 6000; ++i) {
        const ScanCode& k = codes[size_t(i) % codes.size()];
        Samples ignored;
        Stopwatch t(i < 2000 ? ignored : us);
        long long code = 0;
        if (k.weighed)
            first(raw.run("scan_prefix", {k.text.left(7), k.text.left(7) + "\xef\xbf\xbf"}), &code);
        for (size_t n = 0; code == 0 && n < k.tries.size(); ++n)
            if (first(raw.run("scan_code", {QByteArray::number(k.tries[n])}), nullptr))
                code = k.tries[n];
        // The line and the EAN seek need nothing from each other: one round trip.
        raw.beginPipeline();
        raw.queue("scan_line", {k.text});
        if (code == 0)
            raw.queue("scan_ean", {k.text});
        auto results = raw.sync();
        if (code == 0 && results.size() > 1)
            first(results[1], &code);
        if (code != 0)
            raw.run("scan_article", {QByteArray::number(code)});
    }
    return us;
}

// ---- Store with total -----------------------------------------------------

// EANs of operator 1's lines: each store adds to a line that exists.
std::vector<QString> operatorOneEans(Program& p) {
    data::Error e;
    const auto rows = p.store().rowsNative(
        QStringLiteral("SELECT eanrig FROM inventario WHERE oper = 1 ORDER BY marbo_rid LIMIT 500"), {}, &e);
    if (e || rows.empty())
        fail(QStringLiteral("operator 1 has no lines"));
    std::vector<QString> out;
    for (const auto& r : rows)
        out.push_back(r.at(0).toString());
    return out;
}

Samples storeWithTotal(Context& c) {
    auto p = c.program();
    ui::Screen* entry = p->registry.open(QStringLiteral("tarvo05"));
    auto* eanw = control<QLineEdit>(entry, "eanw");
    auto* quanw = control<QLineEdit>(entry, "quanw");
    if (!eanw || !quanw)
        fail(QStringLiteral("no inventory entry"));
    const auto eans = operatorOneEans(*p);
    Samples us;
    for (int i = 0; i < 1200; ++i) {
        eanw->setText(eans[size_t(i) % eans.size()]);
        QTest::keyClick(eanw, Qt::Key_Return);
        quanw->setText(QStringLiteral("1"));
        Samples ignored;
        Stopwatch t(i < 200 ? ignored : us);
        QTest::keyClick(quanw, Qt::Key_Return);
    }
    return us;
}

std::vector<QByteArray> bytes(const std::vector<QString>& texts) {
    std::vector<QByteArray> out;
    for (const QString& t : texts)
        out.push_back(t.toUtf8());
    return out;
}

// The article and the line are read, the quantity is added to the line in
// one statement (atomic on its own), and the total moves by it, as on the
// screen.
Samples storeWithTotalRawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    sqlite3_stmt* find =
        raw.prepare("SELECT marbo_rid FROM inventario WHERE oper = 1 AND eanrig = ? LIMIT 1");
    sqlite3_stmt* art =
        raw.prepare("SELECT * FROM listi01 WHERE codart = (SELECT codare FROM codean WHERE eanare = ?)");
    sqlite3_stmt* upd = raw.prepare("UPDATE inventario SET colli = marbo_add(colli, 1, 3), "
                                    "quantita = marbo_add(quantita, 1, 3) WHERE marbo_rid = ?");
    auto p = c.program();
    const auto eans = bytes(operatorOneEans(*p));
    p.reset();
    Samples us;
    double total = 0;
    for (int i = 0; i < 1200; ++i) {
        const QByteArray& ean = eans[size_t(i) % eans.size()];
        Samples ignored;
        Stopwatch t(i < 200 ? ignored : us);
        bindText(art, 1, ean);
        sqlite3_step(art);
        sqlite3_reset(art);
        bindText(find, 1, ean);
        if (sqlite3_step(find) == SQLITE_ROW) {
            sqlite3_bind_int64(upd, 1, sqlite3_column_int64(find, 0));
            if (sqlite3_step(upd) == SQLITE_DONE)
                total += 1;
            sqlite3_reset(upd);
        }
        sqlite3_reset(find);
    }
    if (total == 0)
        fail(QStringLiteral("nothing stored"));
    return us;
}

Samples storeWithTotalRawPg(Context& c) {
    RawPg& raw = c.pg();
    raw.prepare("store_find", "SELECT marbo_rid FROM inventario WHERE oper = 1 AND eanrig = $1 LIMIT 1");
    raw.prepare("store_article",
                "SELECT * FROM listi01 WHERE codart = (SELECT codare FROM codean WHERE eanare = $1)");
    raw.prepare("store_add", "UPDATE inventario SET colli = round(coalesce(colli, 0) + 1, 3), "
                             "quantita = round(coalesce(quantita, 0) + 1, 3) WHERE marbo_rid = $1");
    auto p = c.program();
    const auto eans = bytes(operatorOneEans(*p));
    p.reset();
    Samples us;
    double total = 0;
    for (int i = 0; i < 1200; ++i) {
        const QByteArray& ean = eans[size_t(i) % eans.size()];
        Samples ignored;
        Stopwatch t(i < 200 ? ignored : us);
        // Two round trips: the article and the line together, then the addition.
        raw.beginPipeline();
        raw.queue("store_article", {ean});
        raw.queue("store_find", {ean});
        const auto found = raw.sync();
        if (PQntuples(found[1].get()) > 0) {
            raw.run("store_add", {cell(found[1].get(), 0, 0)});
            total += 1;
        }
    }
    if (total == 0)
        fail(QStringLiteral("nothing stored"));
    return us;
}

// ---- Confirmation of 10000 lines --------------------------------------------

Samples confirm10000(Context& c) {
    auto p = c.program();
    p->state.operatorNumber = 3;
    p->state.documentType = QStringLiteral("INVENTARIO");
    p->state.numberingCode = QStringLiteral("IN");
    p->state.documentYear = 2099;
    const data::Database db = p->store();
    // The transfer keeps the working lines: each run confirms the same 10000.
    return timeRuns(
        3, [&](int run) { p->state.documentNumber = 1000 + run; },
        [&](int) {
            const auto r = documents::transferInventory(db, p->state, QDate(2099, 1, 1));
            if (!r.error.ok())
                fail(r.error.message());
            if (r.linesWritten != 10000)
                fail(QStringLiteral("%1 lines written").arg(r.linesWritten));
        });
}

Samples confirm10000RawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    sqlite3_stmt* lines =
        raw.prepare("SELECT eanrig, quantita FROM inventario WHERE oper = 3 ORDER BY marbo_rid");
    sqlite3_stmt* ean = raw.prepare("SELECT codare FROM codean WHERE eanare = ? ORDER BY marbo_rid LIMIT 1");
    sqlite3_stmt* art = raw.prepare(
        "SELECT desart, cofart, ivart, umart, cosmp, desfor, desgru FROM listi01 WHERE codart = ?");
    sqlite3_stmt* head =
        raw.prepare("INSERT INTO invte (anno, numero, codutente, tipodoc) VALUES (2098, ?, 1, 'INVENTARIO')");
    sqlite3_stmt* ins = raw.prepare(
        "INSERT INTO invmo (bns, bannoc, bnumer, articoli, quantita, unitam, colli, tipmov, totrig, "
        "descrizione, "
        "iva, codute, eanrig, costof, prezzo, cosmp, dsccolore, taglia, desfor, desgru, tipodoc) "
        "VALUES (?, 2098, ?, ?, ?, ?, ?, 'AR', ?, ?, ?, 1, ?, ?, ?, ?, 'colore', 'UNI', ?, ?, 'INVENTARIO')");
    Samples us;
    int bns = 0;
    for (int number = 1; number <= 3; ++number) {
        Stopwatch t(us);
        raw.exec("BEGIN IMMEDIATE");
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
        raw.exec("COMMIT");
    }
    return us;
}

Samples confirm10000RawPg(Context& c) {
    RawPg& raw = c.pg();
    // The lines with their article in one statement, as the program reads them.
    raw.prepare(
        "confirm_lines",
        "SELECT i.eanrig, i.quantita, c.codare, a.desart, a.cofart, a.ivart, a.umart, a.cosmp, a.desfor, "
        "a.desgru FROM inventario i "
        "JOIN codean c ON c.marbo_rid = (SELECT c2.marbo_rid FROM codean c2 "
        "WHERE c2.eanare = CAST(trim(substr(i.eanrig, 1, 13)) AS citext) ORDER BY c2.marbo_rid "
        "LIMIT 1) JOIN listi01 a ON a.codart = c.codare WHERE i.oper = 3 ORDER BY i.marbo_rid");
    raw.prepare("confirm_head",
                "INSERT INTO invte (anno, numero, codutente, tipodoc) VALUES (2098, $1, 1, 'INVENTARIO')");
    raw.prepare(
        "confirm_line",
        "INSERT INTO invmo (bns, bannoc, bnumer, articoli, quantita, unitam, colli, tipmov, totrig, "
        "descrizione, iva, codute, eanrig, costof, prezzo, cosmp, dsccolore, taglia, desfor, desgru, "
        "tipodoc) VALUES ($1, 2098, $2, $3, $4, $5, $4, 'AR', $6, $7, $8, 1, $9, $10, $10, $11, 'colore', "
        "'UNI', $12, $13, 'INVENTARIO')");
    Samples us;
    int bns = 0;
    for (int number = 1; number <= 3; ++number) {
        Stopwatch t(us);
        raw.exec("BEGIN");
        const QByteArray n = QByteArray::number(number);
        raw.run("confirm_head", {n});
        const PgResult lines = raw.run("confirm_lines", {});
        const PGresult* l = lines.get();
        const int count = PQntuples(l);
        // Pipelined inserts, a thousand to a round trip.
        for (int from = 0; from < count; from += 1000) {
            raw.beginPipeline();
            for (int r = from; r < std::min(count, from + 1000); ++r) {
                const QByteArray q = cell(l, r, 1), cost = cell(l, r, 4);
                const double total = std::round(q.toDouble() * cost.toDouble() * 100) / 100;
                raw.queue("confirm_line",
                          {QByteArray::number(++bns % 30000), n, cell(l, r, 2), q, cell(l, r, 6),
                           QByteArray::number(total, 'f', 2), cell(l, r, 3), cell(l, r, 5), cell(l, r, 0),
                           cost, cell(l, r, 7), cell(l, r, 8), cell(l, r, 9)});
            }
            raw.sync();
        }
        raw.exec("COMMIT");
    }
    return us;
}

// ---- The operator's list of 50000 lines ---------------------------------------

// The real list screen (tarvo06) on operator 2's 50000 lines, its total of
// every line included.
void operatorTwo(Program& p) {
    p.state.operatorNumber = 2;
}

Samples listFirstRows(Context& c) {
    return openList(c, QStringLiteral("tarvo06"), "ord", operatorTwo, 50000, false, 10);
}

Samples listToTheEnd(Context& c) {
    return openList(c, QStringLiteral("tarvo06"), "ord", operatorTwo, 50000, true, 5);
}

Samples listRawSqlite(Context& c) {
    sqlite3_stmt* q = c.sqlite().prepare(
        "SELECT eanrig, descrizione, colli FROM inventario WHERE oper = 2 ORDER BY marbo_rid");
    Samples us;
    for (int i = 0; i < 5; ++i) {
        Stopwatch t(us);
        int rows = 0;
        while (sqlite3_step(q) == SQLITE_ROW)
            rows += sqlite3_column_bytes(q, 1) >= 0;
        sqlite3_reset(q);
        if (rows != 50000)
            fail(QStringLiteral("%1 lines read").arg(rows));
    }
    return us;
}

Samples listRawPg(Context& c) {
    RawPg& raw = c.pg();
    raw.prepare("list_lines",
                "SELECT eanrig, descrizione, colli FROM inventario WHERE oper = 2 ORDER BY marbo_rid");
    Samples us;
    for (int i = 0; i < 5; ++i) {
        Stopwatch t(us);
        const PgResult r = raw.run("list_lines", {});
        int rows = 0;
        for (int k = 0; k < PQntuples(r.get()); ++k)
            rows += PQgetlength(r.get(), k, 1) >= 0;
        if (rows != 50000)
            fail(QStringLiteral("%1 lines read").arg(rows));
    }
    return us;
}

// ---- Start-up and memory --------------------------------------------------------

// Runs the probe beside this program on the store; its output.
QByteArray probe(Context& c, const QString& what, Samples* us = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MARBO_DATA_ROOT"), c.root());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const auto t0 = std::chrono::steady_clock::now();
    process.start(c.programDir() + QStringLiteral("/probe"), {what});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        fail(
            QStringLiteral("probe %1: %2").arg(what, QString::fromLocal8Bit(process.readAllStandardError())));
    if (us)
        us->push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    return process.readAllStandardOutput();
}

Samples startup(Context& c) {
    Samples us;
    probe(c, QStringLiteral("startup")); // the program's files in the page cache
    for (int i = 0; i < 7; ++i)
        probe(c, QStringLiteral("startup"), &us);
    return us;
}

Samples residentMemory(Context& c) {
    for (const QByteArray& line : probe(c, QStringLiteral("rss")).split('\n'))
        if (line.startsWith("VmRSS"))
            return {line.simplified().split(' ').value(1).toDouble() / 1024.0};
    fail(QStringLiteral("the probe gave no resident memory"));
}

} // namespace

void registerInventoryMeasures() {
    add({QStringLiteral("Scan path, procedures"),
         Figure::Latency,
         scanProcedures,
         scanRawSqlite,
         scanRawPg,
         {1, 2, 2}});
    add({QStringLiteral("Scan path, screen offscreen"),
         Figure::Latency,
         scanScreen,
         scanRawSqlite,
         scanRawPg,
         {1, 2, 2}});
    add({QStringLiteral("Store with total, 20000 lines"),
         Figure::Latency,
         storeWithTotal,
         storeWithTotalRawSqlite,
         storeWithTotalRawPg,
         {}});
    add({QStringLiteral("Confirmation of 10000 lines"),
         Figure::Run,
         confirm10000,
         confirm10000RawSqlite,
         confirm10000RawPg,
         {2000, 4000, 2}});
    add({QStringLiteral("List of 50000 lines: first rows"),
         Figure::Run,
         listFirstRows,
         {},
         {},
         {100, 100, 0}});
    add({QStringLiteral("List of 50000 lines: to the end"),
         Figure::Run,
         listToTheEnd,
         listRawSqlite,
         listRawPg,
         {0, 0, 3}});
    add({QStringLiteral("Start-up to main menu shown"), Figure::Run, startup, {}, {}, {300, 300, 0}});
    add({QStringLiteral("Resident memory, large store open"),
         Figure::Memory,
         residentMemory,
         {},
         {},
         {120, 120, 0}});
}

} // namespace bench
