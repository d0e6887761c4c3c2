// The goods receipt on the large store: the scan path of the receipt entry
// (the article by any of its codes, its price-list row, the pieces already on
// the operator's line), beside the same reads through the engine's C
// interface.
#include "data/dialect.h"
#include "harness.h"
#include "measures.h"
#include "raw.h"
#include "state/shared_state.h"

namespace bench {

namespace {

// The goods receipt menu's state: the store and work databases of drive c:,
// the supplier chosen and operator 4 (whose lines no other measure writes).
void receiptOfSupplier(Program& p) {
    state::setupDotMode(p.state, QStringLiteral("c:"));
    p.state.supplierCode = 101;
    p.state.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    p.state.operatorNumber = 4;
}

Samples scanReceiptEntry(Context& c) {
    return scanIntoScreen(c, QStringLiteral("tarvo05b"), receiptOfSupplier);
}

// The seeks a scan needs, each once: the weighed article by its in-store
// prefix, an internal code as typed and shortened, the EAN (store); then the
// price-list row (store) and the operator's line of the article (work).
Samples scanReceiptEntryRawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    sqlite3_stmt* byEan = raw.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* byCode =
        raw.prepare("SELECT eanare FROM codean WHERE codare = ? ORDER BY codare, marbo_rid LIMIT 1");
    sqlite3_stmt* byPrefix =
        raw.prepare("SELECT codare FROM codean WHERE eanare >= ? AND eanare < ? LIMIT 1");
    sqlite3_stmt* article = raw.prepare("SELECT * FROM listi01 WHERE codart = ?");
    sqlite3_stmt* line =
        c.workSqlite().prepare("SELECT quantita FROM carico WHERE oper = 4 AND codcasa = ? LIMIT 1");
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
        if (code != 0) {
            sqlite3_bind_int64(article, 1, code);
            step(article);
            sqlite3_bind_int64(line, 1, code);
            step(line);
        }
    }
    return us;
}

// On the server the work database's connection reads the store's tables by
// their schema: the price-list row and the line go in one round trip.
Samples scanReceiptEntryRawPg(Context& c) {
    RawPg& raw = c.workPg();
    const QByteArray store = data::ident(c.storeLocation().schema).toUtf8();
    raw.prepare("receipt_ean", ("SELECT codare FROM " + store + ".codean WHERE eanare = $1").constData());
    raw.prepare("receipt_code", ("SELECT eanare FROM " + store +
                                 ".codean WHERE codare = $1 ORDER BY codare, marbo_rid LIMIT 1")
                                    .constData());
    raw.prepare(
        "receipt_prefix",
        ("SELECT codare FROM " + store + ".codean WHERE eanare >= $1 AND eanare < $2 LIMIT 1").constData());
    raw.prepare("receipt_article", ("SELECT * FROM " + store + ".listi01 WHERE codart = $1").constData());
    raw.prepare("receipt_line", "SELECT quantita FROM carico WHERE oper = 4 AND codcasa = $1 LIMIT 1");
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
            first(raw.run("receipt_prefix", {k.text.left(7), k.text.left(7) + "\xef\xbf\xbf"}), &code);
        for (size_t n = 0; code == 0 && n < k.tries.size(); ++n)
            if (first(raw.run("receipt_code", {QByteArray::number(k.tries[n])}), nullptr))
                code = k.tries[n];
        if (code == 0)
            first(raw.run("receipt_ean", {k.text}), &code);
        if (code != 0) {
            raw.beginPipeline();
            raw.queue("receipt_article", {QByteArray::number(code)});
            raw.queue("receipt_line", {QByteArray::number(code)});
            raw.sync();
        }
    }
    return us;
}

} // namespace

void registerReceiptMeasures() {
    add({QStringLiteral("Scan path, goods receipt entry"),
         Figure::Latency,
         scanReceiptEntry,
         scanReceiptEntryRawSqlite,
         scanReceiptEntryRawPg,
         {1, 2, 2}});
}

} // namespace bench
