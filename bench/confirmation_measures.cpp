// The confirmations of the supplier documents on the large store: a goods
// receipt of 10000 lines (document lines and the stock counters of the price
// list and the EANs), a supplier order of 10000 lines, and a return note of
// 5000 lines added to the supplier's open note. Each beside the same reads
// and writes done through the engine's C interface, and each checked
// afterwards (untimed): the document lines written and the counters moved.
//
// The confirmations take the working lines: before each run the lines are
// put back from a copy kept at the first run, and after the last one, so the
// store is left as it was found.
#include "data/database.h"
#include "documents/receipt_transfer.h"
#include "documents/returns_transfer.h"
#include "documents/supplier_order_transfer.h"
#include "harness.h"
#include "measures.h"
#include "raw.h"

#include <QDateTime>

#include <cmath>
#include <set>

namespace bench {

namespace {

constexpr int kRuns = 3;
constexpr int kNoteLines = 50; // the open note's own lines (storegen)

// Untimed statements around the runs, on whichever connection measures.
struct Sql {
    std::function<void(const QByteArray&)> exec;
    std::function<double(const QByteArray&)> number;
};

Sql programSql(const data::Database& db) {
    return {[db](const QByteArray& sql) {
                if (data::Error e = db.executeNative(QString::fromUtf8(sql)))
                    fail(e.message() + QLatin1Char(' ') + e.detail);
            },
            [db](const QByteArray& sql) {
                data::Error e;
                const QVariant v = db.scalarNative(QString::fromUtf8(sql), {}, &e);
                if (e)
                    fail(e.message() + QLatin1Char(' ') + e.detail);
                return v.toDouble();
            }};
}

Sql sqliteSql(RawSqlite& raw) {
    return {[&raw](const QByteArray& sql) { raw.exec(sql.constData()); },
            [&raw](const QByteArray& sql) {
                sqlite3_stmt* s = nullptr;
                if (sqlite3_prepare_v2(raw.db, sql.constData(), -1, &s, nullptr) != SQLITE_OK)
                    fail(QString::fromUtf8(sqlite3_errmsg(raw.db)));
                const double v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_double(s, 0) : 0;
                sqlite3_finalize(s);
                return v;
            }};
}

Sql pgSql(RawPg& raw) {
    return {[&raw](const QByteArray& sql) { raw.exec(sql.constData()); },
            [&raw](const QByteArray& sql) {
                PgResult r(PQexec(raw.conn, sql.constData()));
                if (PQresultStatus(r.get()) != PGRES_TUPLES_OK)
                    fail(QString::fromUtf8(PQresultErrorMessage(r.get())));
                return QByteArray(PQgetvalue(r.get(), 0, 0)).toDouble();
            }};
}

// Puts the working lines of `table` back as the store had them.
void restoreLines(const Sql& sql, const char* table) {
    const QByteArray t(table);
    static std::set<QByteArray> kept; // by the first measure of this process that takes them
    if (kept.insert(t).second)
        sql.exec("CREATE TABLE IF NOT EXISTS bench_kept_" + t + " AS SELECT * FROM " + t);
    sql.exec("DELETE FROM " + t);
    sql.exec("INSERT INTO " + t + " SELECT * FROM bench_kept_" + t);
}

void expect(double got, double wanted, const char* what) {
    if (std::abs(got - wanted) > 0.001)
        fail(QStringLiteral("%1: %2 instead of %3").arg(QLatin1String(what)).arg(got).arg(wanted));
}

// Document numbers of the runs: a measure run again, in this process or
// another one on the same store, writes new documents, never under a number
// taken before.
int gFirstNumber = 0;
int number(int run) {
    return gFirstNumber + run;
}

QByteArray dateText(int run) {
    return QDate(2097, 1, run).toString(Qt::ISODate).toUtf8();
}

// Runs `work` kRuns times, each after the lines are restored, and checks each
// run before the next one starts; the lines are put back at the end.
Samples confirmRuns(const Sql& sql, const char* table, const std::function<void(int)>& before,
                    const std::function<void(int)>& work, const std::function<void(int)>& check) {
    // Seeded by the clock: another process on the same store starts elsewhere.
    gFirstNumber =
        gFirstNumber == 0 ? int(QDateTime::currentSecsSinceEpoch() % 1000000) * 100 : gFirstNumber + 100;
    Samples us = timeRuns(
        kRuns,
        [&](int run) {
            if (run > 1)
                check(run - 1);
            restoreLines(sql, table);
            before(run);
        },
        work);
    check(kRuns);
    restoreLines(sql, table);
    return us;
}

// ---- Goods receipt ---------------------------------------------------------------

// The counters the receipt moves, before a run.
struct StockSums {
    double qacq = 0, eacq = 0, pieces = 0;
};

StockSums stockSums(const Sql& sql) {
    return {sql.number("SELECT sum(qacq) FROM listi01"), sql.number("SELECT sum(eacq) FROM codean"),
            sql.number("SELECT sum(quantita) FROM carico")};
}

std::function<void(int)> receiptCheck(const Sql& sql, StockSums& before, int year) {
    return [&sql, &before, year](int run) {
        expect(sql.number(QStringLiteral("SELECT count(*) FROM ordinif WHERE bannoc = %1 AND bnumer = %2")
                              .arg(year)
                              .arg(number(run))
                              .toUtf8()),
               10000, "receipt lines");
        expect(sql.number("SELECT count(*) FROM carico"), 0, "working lines left");
        expect(sql.number("SELECT sum(qacq) FROM listi01") - before.qacq, before.pieces, "qacq moved");
        expect(sql.number("SELECT sum(eacq) FROM codean") - before.eacq, before.pieces, "eacq moved");
    };
}

Samples receipt10000(Context& c) {
    auto p = c.program();
    p->state.supplierCode = 101;
    p->state.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    p->state.documentYear = 2097;
    const data::Database db = p->store();
    const Sql sql = programSql(db);
    StockSums before;
    return confirmRuns(
        sql, "carico",
        [&](int run) {
            p->state.documentNumber = number(run);
            before = stockSums(sql);
        },
        [&](int run) {
            const auto r =
                documents::confirmReceipt(db, p->state, QDate(2097, 1, run), QDate(2097, 1, run), true);
            if (!r.ok())
                fail(r.error.message() + r.refusal);
            if (r.linesWritten != 10000)
                fail(QStringLiteral("%1 lines written").arg(r.linesWritten));
        },
        receiptCheck(sql, before, 2097));
}

// The lines with their article, then per line the document line and the two
// counters, all in SQL as the transfer computes them.
const char* const kReceiptLines =
    "SELECT k.codcasa, k.eanrig, k.colli, k.quantita, a.desart, a.umart, a.imbart, a.przart, a.ivart, "
    "a.desgru FROM carico k LEFT JOIN listi01 a ON a.codart = k.codcasa ORDER BY k.marbo_rid";

Samples receipt10000RawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    const Sql sql = sqliteSql(raw);
    restoreLines(sql, "carico");
    sqlite3_stmt* lines = raw.prepare(kReceiptLines);
    sqlite3_stmt* take = raw.prepare("DELETE FROM carico");
    sqlite3_stmt* head = raw.prepare(
        "INSERT INTO testaof (codutente, anno, numero, dataor, dscfornitore, codfor, fl1ts, fl3ts, fl2ts, "
        "dataco, "
        "tipodoc) VALUES (1, 2096, ?1, ?2, 'ALIMENTARI ROSSI SPA', 101, 'E', 'F', '', ?2, 'FATTACQIMM')");
    sqlite3_stmt* ins =
        raw.prepare("INSERT INTO ordinif (codutente, bannoc, bnumer, bns, bdator, articoli, unitam, imballo, "
                    "costob, costof, "
                    "quantita, quanci, collic, colli, descrizione, iva, desgru, eanrig, tipmov, totrig) "
                    "VALUES (1, 2096, ?1, "
                    "?2, ?3, ?4, ?5, ?6, ?7, ?7, ?8, ?8, ?9, ?9, ?10, ?11, ?12, ?13, 'AR', ?14)");
    sqlite3_stmt* art = raw.prepare(
        "UPDATE listi01 SET qultcar = ?1, dultcar = ?2, qacq = coalesce(qacq, 0) + ?3, qgia = coalesce(qinv, "
        "0) + "
        "coalesce(qacq, 0) + ?3 - coalesce(qres, 0) - coalesce(qven, 0), valgia = round((coalesce(qinv, 0) + "
        "coalesce(qacq, 0) + ?3 - coalesce(qres, 0) - coalesce(qven, 0)) * coalesce(cosmp, 0), 2) WHERE "
        "codart = ?4");
    sqlite3_stmt* ean = raw.prepare("UPDATE codean SET eacq = coalesce(eacq, 0) + ?1, egia = coalesce(eacq, "
                                    "0) + ?1 + coalesce(einv, 0) - "
                                    "coalesce(eres, 0) - coalesce(even, 0) WHERE eanare = ?2");
    StockSums before;
    return confirmRuns(
        sql, "carico", [&](int) { before = stockSums(sql); },
        [&](int run) {
            const QByteArray date = dateText(run);
            raw.exec("BEGIN IMMEDIATE");
            sqlite3_bind_int(head, 1, number(run));
            bindText(head, 2, date);
            sqlite3_step(head);
            sqlite3_reset(head);
            int bns = 0;
            while (sqlite3_step(lines) == SQLITE_ROW) {
                const double packs = sqlite3_column_double(lines, 2),
                             pieces = sqlite3_column_double(lines, 3);
                const double total = std::round(sqlite3_column_double(lines, 6) * packs *
                                                sqlite3_column_double(lines, 7) * 100) /
                                     100;
                sqlite3_bind_int(ins, 1, number(run));
                sqlite3_bind_int(ins, 2, ++bns);
                bindText(ins, 3, date);
                sqlite3_bind_value(ins, 4, sqlite3_column_value(lines, 0));
                sqlite3_bind_value(ins, 5, sqlite3_column_value(lines, 5));
                sqlite3_bind_value(ins, 6, sqlite3_column_value(lines, 6));
                sqlite3_bind_value(ins, 7, sqlite3_column_value(lines, 7));
                sqlite3_bind_double(ins, 8, pieces);
                sqlite3_bind_double(ins, 9, packs);
                sqlite3_bind_value(ins, 10, sqlite3_column_value(lines, 4));
                sqlite3_bind_int(ins, 11, sqlite3_column_int(lines, 8));
                sqlite3_bind_value(ins, 12, sqlite3_column_value(lines, 9));
                sqlite3_bind_value(ins, 13, sqlite3_column_value(lines, 1));
                sqlite3_bind_double(ins, 14, total);
                sqlite3_step(ins);
                sqlite3_reset(ins);
                sqlite3_bind_double(art, 1, packs);
                bindText(art, 2, date);
                sqlite3_bind_double(art, 3, pieces);
                sqlite3_bind_value(art, 4, sqlite3_column_value(lines, 0));
                sqlite3_step(art);
                sqlite3_reset(art);
                sqlite3_bind_double(ean, 1, pieces);
                sqlite3_bind_value(ean, 2, sqlite3_column_value(lines, 1));
                sqlite3_step(ean);
                sqlite3_reset(ean);
            }
            sqlite3_reset(lines);
            sqlite3_step(take);
            sqlite3_reset(take);
            raw.exec("COMMIT");
        },
        receiptCheck(sql, before, 2096));
}

Samples receipt10000RawPg(Context& c) {
    RawPg& raw = c.pg();
    const Sql sql = pgSql(raw);
    restoreLines(sql, "carico");
    raw.prepare("receipt_lines", kReceiptLines);
    raw.prepare("receipt_take", "DELETE FROM carico");
    raw.prepare(
        "receipt_head",
        "INSERT INTO testaof (codutente, anno, numero, dataor, dscfornitore, codfor, fl1ts, fl3ts, fl2ts, "
        "dataco, tipodoc) VALUES (1, 2096, $1, $2, 'ALIMENTARI ROSSI SPA', 101, 'E', 'F', '', $2, "
        "'FATTACQIMM')");
    raw.prepare(
        "receipt_line",
        "INSERT INTO ordinif (codutente, bannoc, bnumer, bns, bdator, articoli, unitam, imballo, costob, "
        "costof, quantita, quanci, collic, colli, descrizione, iva, desgru, eanrig, tipmov, totrig) VALUES "
        "(1, 2096, $1, $2, $3, $4, $5, $6, $7, $7, $8, $8, $9, $9, $10, $11, $12, $13, 'AR', $14)");
    raw.prepare(
        "receipt_article",
        "UPDATE listi01 SET qultcar = $1, dultcar = $2, qacq = coalesce(qacq, 0) + $3, qgia = "
        "coalesce(qinv, 0) + coalesce(qacq, 0) + $3 - coalesce(qres, 0) - coalesce(qven, 0), valgia = "
        "round((coalesce(qinv, 0) + coalesce(qacq, 0) + $3 - coalesce(qres, 0) - coalesce(qven, 0)) * "
        "coalesce(cosmp, 0), 2) WHERE codart = $4");
    raw.prepare("receipt_ean",
                "UPDATE codean SET eacq = coalesce(eacq, 0) + $1, egia = coalesce(eacq, 0) + $1 + "
                "coalesce(einv, 0) - coalesce(eres, 0) - coalesce(even, 0) WHERE eanare = $2");
    StockSums before;
    return confirmRuns(
        sql, "carico", [&](int) { before = stockSums(sql); },
        [&](int run) {
            const QByteArray date = dateText(run), n = QByteArray::number(number(run));
            raw.exec("BEGIN");
            raw.run("receipt_head", {n, date});
            const PgResult lines = raw.run("receipt_lines", {});
            const PGresult* l = lines.get();
            const int count = PQntuples(l);
            // A thousand lines (three statements each) to a round trip.
            for (int from = 0; from < count; from += 1000) {
                raw.beginPipeline();
                for (int r = from; r < std::min(count, from + 1000); ++r) {
                    const QByteArray packs = cell(l, r, 2), pieces = cell(l, r, 3), pack = cell(l, r, 6),
                                     price = cell(l, r, 7);
                    const double total =
                        std::round(pack.toDouble() * packs.toDouble() * price.toDouble() * 100) / 100;
                    raw.queue("receipt_line",
                              {n, QByteArray::number(r + 1), date, cell(l, r, 0), cell(l, r, 5), pack, price,
                               pieces, packs, cell(l, r, 4), QByteArray::number(cell(l, r, 8).toInt()),
                               cell(l, r, 9), cell(l, r, 1), QByteArray::number(total, 'f', 2)});
                    raw.queue("receipt_article", {packs, date, pieces, cell(l, r, 0)});
                    raw.queue("receipt_ean", {pieces, cell(l, r, 1)});
                }
                raw.sync();
            }
            raw.run("receipt_take", {});
            raw.exec("COMMIT");
        },
        receiptCheck(sql, before, 2096));
}

// ---- Supplier order -----------------------------------------------------------------

std::function<void(int)> orderCheck(const Sql& sql, int year) {
    return [&sql, year](int run) {
        expect(sql.number(QStringLiteral("SELECT count(*) FROM ordini WHERE bannoc = %1 AND bnumer = %2")
                              .arg(year)
                              .arg(number(run))
                              .toUtf8()),
               10000, "order lines");
        expect(sql.number("SELECT count(*) FROM ordine"), 0, "working lines left");
        expect(sql.number("SELECT count(*) FROM listi01 WHERE datauo = '" + dateText(run) + "'"), 10000,
               "last orders recorded");
    };
}

Samples order10000(Context& c) {
    auto p = c.program();
    // Supplier 103: the orders written stay out of supplier 101's open orders,
    // which the supplier orders list measures count.
    p->state.supplierCode = 103;
    p->state.supplierName = QStringLiteral("CASEIFICIO VALPADANA SCARL");
    p->state.documentYear = 2097;
    const data::Database db = p->store();
    const Sql sql = programSql(db);
    return confirmRuns(
        sql, "ordine", [&](int run) { p->state.documentNumber = number(run); },
        [&](int run) {
            const auto r =
                documents::confirmSupplierOrder(db, p->state, QDate(2097, 1, run), QDate(2097, 1, run), true);
            if (!r.ok())
                fail(r.error.message() + r.refusal);
            if (r.linesWritten != 10000)
                fail(QStringLiteral("%1 lines written").arg(r.linesWritten));
        },
        orderCheck(sql, 2097));
}

const char* const kOrderLines =
    "SELECT k.codcasa, k.eanrig, k.colli, a.desart, a.umart, a.imbart, a.przart, a.ivart, a.desgru "
    "FROM ordine k LEFT JOIN listi01 a ON a.codart = k.codcasa WHERE coalesce(trim(k.tipord), '') = '' "
    "ORDER BY k.marbo_rid";

Samples order10000RawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    const Sql sql = sqliteSql(raw);
    restoreLines(sql, "ordine");
    sqlite3_stmt* lines = raw.prepare(kOrderLines);
    sqlite3_stmt* take = raw.prepare("DELETE FROM ordine WHERE coalesce(trim(tipord), '') = ''");
    sqlite3_stmt* head =
        raw.prepare("INSERT INTO testao (codutente, anno, numero, dataor, dscfornitore, "
                    "codfor, codlis, fl1ts, fl3ts, fl2ts, "
                    "dataco, tipodoc) VALUES (1, 2096, ?1, ?2, 'CASEIFICIO VALPADANA SCARL', 103, "
                    "'', ' ', 'N', 'O', ?2, 'ORDFOR')");
    sqlite3_stmt* ins =
        raw.prepare("INSERT INTO ordini (codutente, bannoc, bnumer, bns, bdator, articoli, unitam, imballo, "
                    "costob, costof, "
                    "quantita, quanci, collic, colli, descrizione, iva, desgru, eanrig, tipmov, totrig) "
                    "VALUES (1, 2096, ?1, "
                    "?2, ?3, ?4, ?5, ?6, ?7, ?7, ?8, 0, 0, ?8, ?9, ?10, ?11, ?12, 'AR', ?13)");
    sqlite3_stmt* art = raw.prepare("UPDATE listi01 SET colliuo = ?1, datauo = ?2 WHERE codart = ?3");
    return confirmRuns(
        sql, "ordine", [](int) {},
        [&](int run) {
            const QByteArray date = dateText(run);
            raw.exec("BEGIN IMMEDIATE");
            sqlite3_bind_int(head, 1, number(run));
            bindText(head, 2, date);
            sqlite3_step(head);
            sqlite3_reset(head);
            int bns = 0;
            while (sqlite3_step(lines) == SQLITE_ROW) {
                const double packs = sqlite3_column_double(lines, 2), pack = sqlite3_column_double(lines, 5),
                             price = sqlite3_column_double(lines, 6);
                sqlite3_bind_double(art, 1, packs);
                bindText(art, 2, date);
                sqlite3_bind_value(art, 3, sqlite3_column_value(lines, 0));
                sqlite3_step(art);
                sqlite3_reset(art);
                sqlite3_bind_int(ins, 1, number(run));
                sqlite3_bind_int(ins, 2, ++bns);
                bindText(ins, 3, date);
                sqlite3_bind_value(ins, 4, sqlite3_column_value(lines, 0));
                sqlite3_bind_value(ins, 5, sqlite3_column_value(lines, 4));
                sqlite3_bind_double(ins, 6, pack);
                sqlite3_bind_double(ins, 7, price);
                sqlite3_bind_double(ins, 8, std::round(pack * packs * 1000) / 1000);
                sqlite3_bind_value(ins, 9, sqlite3_column_value(lines, 3));
                sqlite3_bind_int(ins, 10, sqlite3_column_int(lines, 7));
                sqlite3_bind_value(ins, 11, sqlite3_column_value(lines, 8));
                sqlite3_bind_value(ins, 12, sqlite3_column_value(lines, 1));
                sqlite3_bind_double(ins, 13, std::round(pack * packs * price * 100) / 100);
                sqlite3_step(ins);
                sqlite3_reset(ins);
            }
            sqlite3_reset(lines);
            sqlite3_step(take);
            sqlite3_reset(take);
            raw.exec("COMMIT");
        },
        orderCheck(sql, 2096));
}

Samples order10000RawPg(Context& c) {
    RawPg& raw = c.pg();
    const Sql sql = pgSql(raw);
    restoreLines(sql, "ordine");
    raw.prepare("order_lines", kOrderLines);
    raw.prepare("order_take", "DELETE FROM ordine WHERE coalesce(trim(tipord), '') = ''");
    raw.prepare(
        "order_head",
        "INSERT INTO testao (codutente, anno, numero, dataor, dscfornitore, codfor, codlis, fl1ts, fl3ts, "
        "fl2ts, dataco, tipodoc) VALUES (1, 2096, $1, $2, 'CASEIFICIO VALPADANA SCARL', 103, '', ' ', 'N', "
        "'O', "
        "$2, 'ORDFOR')");
    raw.prepare(
        "order_line",
        "INSERT INTO ordini (codutente, bannoc, bnumer, bns, bdator, articoli, unitam, imballo, costob, "
        "costof, quantita, quanci, collic, colli, descrizione, iva, desgru, eanrig, tipmov, totrig) VALUES "
        "(1, 2096, $1, $2, $3, $4, $5, $6, $7, $7, $8, 0, 0, $8, $9, $10, $11, $12, 'AR', $13)");
    raw.prepare("order_article", "UPDATE listi01 SET colliuo = $1, datauo = $2 WHERE codart = $3");
    return confirmRuns(
        sql, "ordine", [](int) {},
        [&](int run) {
            const QByteArray date = dateText(run), n = QByteArray::number(number(run));
            raw.exec("BEGIN");
            raw.run("order_head", {n, date});
            const PgResult lines = raw.run("order_lines", {});
            const PGresult* l = lines.get();
            const int count = PQntuples(l);
            for (int from = 0; from < count; from += 1000) {
                raw.beginPipeline();
                for (int r = from; r < std::min(count, from + 1000); ++r) {
                    const QByteArray packs = cell(l, r, 2), pack = cell(l, r, 5), price = cell(l, r, 6);
                    const double pieces = pack.toDouble() * packs.toDouble();
                    raw.queue("order_article", {packs, date, cell(l, r, 0)});
                    raw.queue("order_line",
                              {n, QByteArray::number(r + 1), date, cell(l, r, 0), cell(l, r, 4), pack, price,
                               QByteArray::number(pieces, 'f', 3), cell(l, r, 3),
                               QByteArray::number(cell(l, r, 7).toInt()), cell(l, r, 8), cell(l, r, 1),
                               QByteArray::number(pieces * price.toDouble(), 'f', 2)});
                }
                raw.sync();
            }
            raw.run("order_take", {});
            raw.exec("COMMIT");
        },
        orderCheck(sql, 2096));
}

// ---- Return lines added to the open note -----------------------------------------------

// The note as storegen wrote it: its own lines, none appended.
void reopenNote(const Sql& sql) {
    sql.exec("DELETE FROM resmo WHERE bannoc = 2097 AND bnumer = 1 AND bns > " +
             QByteArray::number(kNoteLines));
}

std::function<void(int)> returnCheck(const Sql& sql) {
    return [&sql](int run) {
        expect(sql.number("SELECT count(*) FROM resmo WHERE bannoc = 2097 AND bnumer = 1"), kNoteLines + 5000,
               "note lines");
        expect(sql.number("SELECT count(*) FROM resi"), 0, "working lines left");
        expect(sql.number("SELECT count(*) FROM listi01 WHERE datauo = '" + dateText(run + 10) + "'"), 5000,
               "last returns recorded");
    };
}

Samples returns5000(Context& c) {
    auto p = c.program();
    p->state.supplierCode = 101;
    p->state.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    p->state.documentYear = 2097;
    p->state.documentNumber = 1;
    const data::Database db = p->store();
    const Sql sql = programSql(db);
    return confirmRuns(
        sql, "resi", [&](int) { reopenNote(sql); },
        [&](int run) {
            const auto r = documents::appendToReturnNote(db, p->state, QDate(2097, 1, run + 10));
            if (!r.ok())
                fail(r.error.message() + r.refusal);
            if (r.linesWritten != 5000)
                fail(QStringLiteral("%1 lines written, %2 merged").arg(r.linesWritten).arg(r.linesMerged));
        },
        returnCheck(sql));
}

// The note checked open and its lines read (their EANs, for the merge); the
// lines taken with their article; per line the last return on the article
// and the line added.
const char* const kOpenNote =
    "SELECT count(*) FROM reste WHERE anno = 2097 AND numero = 1 AND cliente = 101 AND regis <> 'R'";
const char* const kLastLine = "SELECT max(bns) FROM resmo WHERE bannoc = 2097 AND bnumer = 1";
const char* const kNoteRead = "SELECT marbo_rid, quantita, colli, eanrig, articoli FROM resmo WHERE bannoc "
                              "= 2097 AND bnumer = 1 ORDER BY bns";
const char* const kReturnLines =
    "SELECT k.codcasa, k.eanrig, k.colli, a.desart, a.umart, a.imbart, a.cofart, a.ivart, a.desgru "
    "FROM resi k LEFT JOIN listi01 a ON a.codart = k.codcasa ORDER BY k.marbo_rid";

Samples returns5000RawSqlite(Context& c) {
    RawSqlite& raw = c.sqlite();
    const Sql sql = sqliteSql(raw);
    restoreLines(sql, "resi");
    sqlite3_stmt* open = raw.prepare(kOpenNote);
    sqlite3_stmt* last = raw.prepare(kLastLine);
    sqlite3_stmt* lines = raw.prepare(kReturnLines);
    sqlite3_stmt* take = raw.prepare("DELETE FROM resi");
    sqlite3_stmt* art = raw.prepare("UPDATE listi01 SET colliuo = ?1, datauo = ?2 WHERE codart = ?3");
    sqlite3_stmt* note = raw.prepare(kNoteRead);
    sqlite3_stmt* ins = raw.prepare("INSERT INTO resmo (bannoc, bnumer, bns, codtipdoc, codutente, bdator, "
                                    "articoli, unitam, imballo, costof, "
                                    "prezzo, colli, quantita, descrizione, iva, desgru, eanrig, totrig) "
                                    "VALUES (2097, 1, ?1, 'RF', 1, ?2, ?3, "
                                    "?4, ?5, ?6, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    return confirmRuns(
        sql, "resi", [&](int) { reopenNote(sql); },
        [&](int run) {
            const QByteArray date = dateText(run + 10);
            raw.exec("BEGIN IMMEDIATE");
            sqlite3_step(open);
            sqlite3_reset(open);
            sqlite3_step(last);
            int bns = sqlite3_column_int(last, 0);
            sqlite3_reset(last);
            std::set<QByteArray> eans;
            while (sqlite3_step(note) == SQLITE_ROW)
                eans.insert(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(note, 3))));
            sqlite3_reset(note);
            while (sqlite3_step(lines) == SQLITE_ROW) {
                const double packs = sqlite3_column_double(lines, 2), pack = sqlite3_column_double(lines, 5),
                             price = sqlite3_column_double(lines, 6);
                sqlite3_bind_double(art, 1, packs);
                bindText(art, 2, date);
                sqlite3_bind_value(art, 3, sqlite3_column_value(lines, 0));
                sqlite3_step(art);
                sqlite3_reset(art);
                if (eans.count(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(lines, 1)))))
                    fail(QStringLiteral("a return merged"));
                sqlite3_bind_int(ins, 1, ++bns);
                bindText(ins, 2, date);
                sqlite3_bind_value(ins, 3, sqlite3_column_value(lines, 0));
                sqlite3_bind_value(ins, 4, sqlite3_column_value(lines, 4));
                sqlite3_bind_double(ins, 5, pack);
                sqlite3_bind_double(ins, 6, price);
                sqlite3_bind_double(ins, 7, packs);
                sqlite3_bind_double(ins, 8, std::round(pack * packs * 1000) / 1000);
                sqlite3_bind_value(ins, 9, sqlite3_column_value(lines, 3));
                sqlite3_bind_int(ins, 10, sqlite3_column_int(lines, 7));
                sqlite3_bind_value(ins, 11, sqlite3_column_value(lines, 8));
                sqlite3_bind_value(ins, 12, sqlite3_column_value(lines, 1));
                sqlite3_bind_double(ins, 13, std::round(pack * packs * price * 100) / 100);
                sqlite3_step(ins);
                sqlite3_reset(ins);
            }
            sqlite3_reset(lines);
            sqlite3_step(take);
            sqlite3_reset(take);
            raw.exec("COMMIT");
        },
        returnCheck(sql));
}

Samples returns5000RawPg(Context& c) {
    RawPg& raw = c.pg();
    const Sql sql = pgSql(raw);
    restoreLines(sql, "resi");
    raw.prepare("return_open", kOpenNote);
    raw.prepare("return_last", kLastLine);
    raw.prepare("return_lines", kReturnLines);
    raw.prepare("return_take", "DELETE FROM resi");
    raw.prepare("return_article", "UPDATE listi01 SET colliuo = $1, datauo = $2 WHERE codart = $3");
    raw.prepare("return_note", kNoteRead);
    raw.prepare(
        "return_line",
        "INSERT INTO resmo (bannoc, bnumer, bns, codtipdoc, codutente, bdator, articoli, unitam, imballo, "
        "costof, prezzo, colli, quantita, descrizione, iva, desgru, eanrig, totrig) VALUES (2097, 1, $1, "
        "'RF', 1, $2, $3, $4, $5, $6, $6, $7, $8, $9, $10, $11, $12, $13)");
    return confirmRuns(
        sql, "resi", [&](int) { reopenNote(sql); },
        [&](int run) {
            const QByteArray date = dateText(run + 10);
            raw.exec("BEGIN");
            raw.run("return_open", {});
            int bns = QByteArray(PQgetvalue(raw.run("return_last", {}).get(), 0, 0)).toInt();
            std::set<QByteArray> eans;
            const PgResult note = raw.run("return_note", {});
            for (int r = 0; r < PQntuples(note.get()); ++r)
                eans.insert(cell(note.get(), r, 3));
            const PgResult lines = raw.run("return_lines", {});
            const PGresult* l = lines.get();
            const int count = PQntuples(l);
            // A thousand lines (two statements each) to a round trip.
            for (int from = 0; from < count; from += 1000) {
                const int to = std::min(count, from + 1000);
                for (int r = from; r < to; ++r)
                    if (eans.count(cell(l, r, 1)))
                        fail(QStringLiteral("a return merged"));
                raw.beginPipeline();
                for (int r = from; r < to; ++r) {
                    const QByteArray packs = cell(l, r, 2), pack = cell(l, r, 5), price = cell(l, r, 6);
                    const double pieces = pack.toDouble() * packs.toDouble();
                    raw.queue("return_article", {packs, date, cell(l, r, 0)});
                    raw.queue("return_line",
                              {QByteArray::number(++bns), date, cell(l, r, 0), cell(l, r, 4), pack, price,
                               packs, QByteArray::number(pieces, 'f', 3), cell(l, r, 3),
                               QByteArray::number(cell(l, r, 7).toInt()), cell(l, r, 8), cell(l, r, 1),
                               QByteArray::number(pieces * price.toDouble(), 'f', 2)});
                }
                raw.sync();
            }
            raw.run("return_take", {});
            raw.exec("COMMIT");
        },
        returnCheck(sql));
}

} // namespace

void registerConfirmationMeasures() {
    add({QStringLiteral("Receipt confirmation, 10000 lines"),
         Figure::Run,
         receipt10000,
         receipt10000RawSqlite,
         receipt10000RawPg,
         {2000, 4000, 2}});
    add({QStringLiteral("Supplier order confirmation, 10000 lines"),
         Figure::Run,
         order10000,
         order10000RawSqlite,
         order10000RawPg,
         {2000, 4000, 2}});
    add({QStringLiteral("Return note, 5000 lines added"),
         Figure::Run,
         returns5000,
         returns5000RawSqlite,
         returns5000RawPg,
         {2000, 4000, 2}});
}

} // namespace bench
