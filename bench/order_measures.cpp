// The department order on the large store: the scan path of the order entry
// (the order's line, the article with its last order, the price display) and
// the department's order list opened and scrolled, each beside the same reads
// done through the engine's C interface.
#include "data/dialect.h"
#include "harness.h"
#include "measures.h"
#include "raw.h"
#include "state/shared_state.h"

namespace bench {

namespace {

// The order menu's state: the store and work databases of drive c:, the
// department "T" (the store made by make-large has its 5000 lines).
void departmentT(Program& p) {
    state::setupDotMode(p.state, QStringLiteral("c:"));
    p.state.department = QStringLiteral("T");
}

// ---- Scan path ------------------------------------------------------------

Samples scanOrderEntry(Context& c) {
    return scanIntoScreen(c, QStringLiteral("tarvo02"), departmentT);
}

// What the order entry needs of a code: an internal code is tried as typed
// and shortened among the work database's EANs, anything else is an EAN of 13
// digits (weighed codes included: the order takes them whole).
struct OrderCode {
    QByteArray ean;               // the EAN when the code is one
    std::vector<long long> tries; // internal codes to try, in order
};

std::vector<OrderCode> orderCodes(Context& c) {
    std::vector<OrderCode> out;
    for (const ScanCode& k : scanCodes(c)) {
        OrderCode o;
        o.tries = k.tries;
        if (k.tries.empty())
            o.ean = QByteArray(13 - std::min<qsizetype>(13, k.text.size()), '0') + k.text;
        out.push_back(o);
    }
    return out;
}

// The supplier's article code inside a supplier's barcode.
QByteArray supplierCode(const QByteArray& ean) {
    return ean.mid(3, 9);
}

// The same reads, each once: the EAN of an internal code (work database);
// the order's line by EAN; the article's code by EAN and its price-list row
// (store); a supplier's barcode looked up by the supplier's code when the EAN
// is not the store's; the work database's article row with its last order,
// or its article by code when there is none.
Samples scanOrderEntryRawSqlite(Context& c) {
    RawSqlite& work = c.workSqlite();
    RawSqlite& store = c.sqlite();
    sqlite3_stmt* eanOfCode =
        work.prepare("SELECT eanare FROM codean WHERE codare = ? ORDER BY codare, marbo_rid LIMIT 1");
    sqlite3_stmt* line = work.prepare("SELECT colli FROM ordine WHERE eanrig = ? LIMIT 1");
    sqlite3_stmt* storeCode = store.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* prices = store.prepare("SELECT * FROM listi01 WHERE codart = ?");
    sqlite3_stmt* bySupplier =
        store.prepare("SELECT codart FROM listi01 WHERE trim(codafo) COLLATE MARBO = ?");
    sqlite3_stmt* articoli = work.prepare("SELECT * FROM articoli WHERE codean = ?");
    sqlite3_stmt* workCode = work.prepare("SELECT codare FROM codean WHERE eanare = ?");
    sqlite3_stmt* articolo = work.prepare("SELECT * FROM articolo WHERE codart = ?");
    auto step = [](sqlite3_stmt* s, long long* first = nullptr, QByteArray* text = nullptr) {
        const bool row = sqlite3_step(s) == SQLITE_ROW;
        if (row && first)
            *first = sqlite3_column_int64(s, 0);
        if (row && text)
            *text = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_reset(s);
        return row;
    };
    const auto codes = orderCodes(c);
    Samples us;
    for (int i = 0; i < 6000; ++i) {
        const OrderCode& k = codes[size_t(i) % codes.size()];
        Samples ignored;
        Stopwatch t(i < 2000 ? ignored : us);
        QByteArray ean = k.ean;
        for (size_t n = 0; ean.isEmpty() && n < k.tries.size(); ++n) {
            sqlite3_bind_int64(eanOfCode, 1, k.tries[n]);
            step(eanOfCode, nullptr, &ean);
        }
        if (ean.isEmpty())
            continue;
        bindText(line, 1, ean);
        step(line);
        long long code = 0;
        bindText(storeCode, 1, ean);
        if (step(storeCode, &code)) {
            sqlite3_bind_int64(prices, 1, code);
            step(prices);
        } else {
            bindText(bySupplier, 1, supplierCode(ean));
            step(bySupplier);
        }
        bindText(articoli, 1, ean);
        if (!step(articoli)) {
            bindText(workCode, 1, ean);
            if (step(workCode, &code)) {
                sqlite3_bind_int64(articolo, 1, code);
                step(articolo);
            }
        }
    }
    return us;
}

// On the server the work database's connection reads the store's tables by
// their schema; the reads that need nothing from each other share a round trip.
Samples scanOrderEntryRawPg(Context& c) {
    RawPg& raw = c.workPg();
    const QByteArray store = data::ident(c.storeLocation().schema).toUtf8();
    raw.prepare("order_ean_of_code",
                "SELECT eanare FROM codean WHERE codare = $1 ORDER BY codare, marbo_rid LIMIT 1");
    raw.prepare("order_line", "SELECT colli FROM ordine WHERE eanrig = $1 LIMIT 1");
    raw.prepare("order_prices", ("SELECT a.* FROM " + store + ".codean c JOIN " + store +
                                 ".listi01 a ON a.codart = c.codare WHERE c.eanare = $1")
                                    .constData());
    raw.prepare(
        "order_by_supplier",
        ("SELECT codart FROM " + store + ".listi01 WHERE CAST(trim(codafo) AS citext) = $1").constData());
    raw.prepare("order_articoli", "SELECT * FROM articoli WHERE codean = $1");
    raw.prepare("order_articolo", "SELECT a.* FROM codean c JOIN articolo a ON a.codart = c.codare "
                                  "WHERE c.eanare = $1");
    const auto codes = orderCodes(c);
    Samples us;
    for (int i = 0; i < 6000; ++i) {
        const OrderCode& k = codes[size_t(i) % codes.size()];
        Samples ignored;
        Stopwatch t(i < 2000 ? ignored : us);
        QByteArray ean = k.ean;
        for (size_t n = 0; ean.isEmpty() && n < k.tries.size(); ++n) {
            const PgResult r = raw.run("order_ean_of_code", {QByteArray::number(k.tries[n])});
            if (PQntuples(r.get()) > 0)
                ean = cell(r.get(), 0, 0);
        }
        if (ean.isEmpty())
            continue;
        raw.beginPipeline();
        raw.queue("order_line", {ean});
        raw.queue("order_prices", {ean});
        raw.queue("order_articoli", {ean});
        const auto found = raw.sync();
        if (PQntuples(found[1].get()) == 0)
            raw.run("order_by_supplier", {supplierCode(ean)});
        if (PQntuples(found[2].get()) == 0)
            raw.run("order_articolo", {ean});
    }
    return us;
}

// ---- The department's order list ------------------------------------------

Samples orderListFirstRows(Context& c) {
    return openList(c, QStringLiteral("tarvo03"), "ord", departmentT, 5000, false, 10);
}

Samples orderListToTheEnd(Context& c) {
    return openList(c, QStringLiteral("tarvo03"), "ord", departmentT, 5000, true, 5);
}

const char* const kOrderListQuery = "SELECT eanrig, descrizione, colli FROM ordine WHERE tipord = 'T'";

Samples orderListRawSqlite(Context& c) {
    return readAllRawSqlite(c.workSqlite(), kOrderListQuery, 5000, 5);
}

Samples orderListRawPg(Context& c) {
    return readAllRawPg(c.workPg(), "order_list", kOrderListQuery, 5000, 5);
}

} // namespace

void registerOrderMeasures() {
    add({QStringLiteral("Scan path, order entry"),
         Figure::Latency,
         scanOrderEntry,
         scanOrderEntryRawSqlite,
         scanOrderEntryRawPg,
         {1, 2, 2}});
    add({QStringLiteral("Order list of 5000 lines: first rows"),
         Figure::Run,
         orderListFirstRows,
         {},
         {},
         {100, 100, 0}});
    add({QStringLiteral("Order list of 5000 lines: to the end"),
         Figure::Run,
         orderListToTheEnd,
         orderListRawSqlite,
         orderListRawPg,
         {0, 0, 3}});
}

} // namespace bench
