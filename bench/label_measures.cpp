// Shelf-label requests: a run of 2000 codes asked one after the other, as a
// handheld walking the shelves does (each request marks the article's first
// code row and the scanned EAN row under the next label sequence number, in
// one transaction holding the counter's lock), beside the same marks made with
// the engine's C interface.
#include "data/decimal.h"
#include "documents/label_requests.h"
#include "harness.h"
#include "measures.h"
#include "raw.h"

namespace bench {

namespace {

struct Ask {
    std::int32_t code;
    QString ean;
};

// 2000 articles with the EAN scanned: their last EAN row, so an article with
// several marks two rows.
std::vector<Ask> requests(Context& c) {
    auto p = c.program();
    data::Error e;
    const auto rows = p->store().rowsNative(
        QStringLiteral(
            "SELECT codare, eanare FROM codean WHERE codare >= 5000 AND codare < 7000 ORDER BY marbo_rid"),
        {}, &e);
    if (e)
        fail(e.message());
    std::vector<Ask> out;
    for (const auto& r : rows) {
        const auto code = std::int32_t(r.at(0).toLongLong());
        if (!out.empty() && out.back().code == code)
            out.back().ean = r.at(1).toString();
        else
            out.push_back({code, r.at(1).toString()});
    }
    if (out.size() != 2000)
        fail(QStringLiteral("%1 articles").arg(out.size()));
    return out;
}

Samples labelRequests(Context& c) {
    const auto asks = requests(c);
    auto p = c.program();
    const data::Database store = p->store();
    return timeRuns(3, {}, [&](int) {
        std::int32_t counter = 0;
        for (const Ask& a : asks) {
            const auto r = documents::requestLabels(store, a.code, a.ean, data::Decimal::fromInt(1), counter);
            if (r.error)
                fail(r.error.message());
            counter = r.sequence;
        }
    });
}

Samples labelRequestsRawSqlite(Context& c) {
    const auto asks = requests(c);
    RawSqlite& raw = c.sqlite();
    sqlite3_stmt* highest = raw.prepare("SELECT max(taglia) FROM codean");
    sqlite3_stmt* byCode =
        raw.prepare("UPDATE codean SET flagean = 'S', sta_eti = 'S', neti = 1, taglia = ? WHERE marbo_rid = "
                    "(SELECT marbo_rid FROM codean WHERE codare = ? ORDER BY codare, marbo_rid LIMIT 1)");
    sqlite3_stmt* byEan =
        raw.prepare("UPDATE codean SET flagean = 'S', sta_eti = 'S', neti = 1, taglia = ? WHERE eanare = ?");
    return timeRuns(3, {}, [&](int) {
        for (const Ask& a : asks) {
            raw.exec("BEGIN IMMEDIATE");
            sqlite3_step(highest);
            long long next = sqlite3_column_int64(highest, 0);
            sqlite3_reset(highest);
            sqlite3_bind_int64(byCode, 1, ++next);
            sqlite3_bind_int(byCode, 2, a.code);
            sqlite3_step(byCode);
            sqlite3_reset(byCode);
            sqlite3_bind_int64(byEan, 1, ++next);
            bindText(byEan, 2, a.ean.toUtf8());
            sqlite3_step(byEan);
            sqlite3_reset(byEan);
            raw.exec("COMMIT");
        }
    });
}

Samples labelRequestsRawPg(Context& c) {
    const auto asks = requests(c);
    RawPg& raw = c.pg();
    raw.prepare("label_lock", "SELECT pg_advisory_xact_lock(4711)");
    // The next number read inside the same statement: the whole request is
    // one round trip.
    raw.prepare("label_code",
                "UPDATE codean SET flagean = 'S', sta_eti = 'S', neti = 1, "
                "taglia = coalesce((SELECT max(taglia) FROM codean), 0) + 1 WHERE marbo_rid = "
                "(SELECT marbo_rid FROM codean WHERE codare = $1 ORDER BY codare, marbo_rid LIMIT 1)");
    raw.prepare("label_ean", "UPDATE codean SET flagean = 'S', sta_eti = 'S', neti = 1, "
                             "taglia = coalesce((SELECT max(taglia) FROM codean), 0) + 1 WHERE eanare = $1");
    raw.prepare("label_begin", "BEGIN");
    raw.prepare("label_commit", "COMMIT");
    return timeRuns(3, {}, [&](int) {
        for (const Ask& a : asks) {
            raw.beginPipeline();
            raw.queue("label_begin", {});
            raw.queue("label_lock", {});
            raw.queue("label_code", {QByteArray::number(a.code)});
            raw.queue("label_ean", {a.ean.toUtf8()});
            raw.queue("label_commit", {});
            raw.sync();
        }
    });
}

} // namespace

void registerLabelMeasures() {
    add({QStringLiteral("Label requests, a run of 2000 codes"),
         Figure::Run,
         labelRequests,
         labelRequestsRawSqlite,
         labelRequestsRawPg,
         {}});
}

} // namespace bench
