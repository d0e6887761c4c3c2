#include "raw.h"

#include "data/dialect.h"
#include "data/sqlite_functions.h"
#include "harness.h"

namespace bench {

RawSqlite::RawSqlite(const QString& file) {
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail(QStringLiteral("raw SQLite: cannot open ") + file);
    data::registerSqliteFunctions(db);
    // The same cache, mapping, durability and lock wait as the program's connections.
    exec("PRAGMA cache_size = -16000; PRAGMA mmap_size = 268435456; PRAGMA synchronous = NORMAL");
    sqlite3_busy_timeout(db, 3000);
}

RawSqlite::~RawSqlite() {
    for (auto* s : statements_)
        sqlite3_finalize(s);
    sqlite3_close(db);
}

sqlite3_stmt* RawSqlite::prepare(const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
        fail(QStringLiteral("raw SQLite: %1: %2")
                 .arg(QString::fromUtf8(sql), QString::fromUtf8(sqlite3_errmsg(db))));
    statements_.push_back(s);
    return s;
}

void RawSqlite::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString why = QString::fromUtf8(message ? message : "?");
        sqlite3_free(message);
        fail(QStringLiteral("raw SQLite: %1: %2").arg(QString::fromUtf8(sql), why));
    }
}

RawPg::RawPg(const data::Location& store) {
    const data::PgServer& s = store.server;
    const QString info =
        QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5 connect_timeout=5")
            .arg(s.host)
            .arg(s.port)
            .arg(s.database, s.user, s.password.isEmpty() ? QStringLiteral("''") : s.password);
    conn = PQconnectdb(info.toUtf8().constData());
    if (PQstatus(conn) != CONNECTION_OK)
        fail(QStringLiteral("raw libpq: ") + QString::fromUtf8(PQerrorMessage(conn)));
    // The same schema and waits as the program's connections.
    exec(
        QStringLiteral("SET search_path TO %1, public; SET lock_timeout = 3000; SET statement_timeout = 8000")
            .arg(data::ident(store.schema))
            .toUtf8()
            .constData());
}

RawPg::~RawPg() {
    PQfinish(conn);
}

void RawPg::prepare(const char* name, const char* sql) {
    if (!prepared_.insert(QByteArray(name)).second)
        return; // prepared by an earlier measure
    PgResult r(PQprepare(conn, name, sql, 0, nullptr));
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
        fail(QStringLiteral("raw libpq: %1: %2")
                 .arg(QString::fromUtf8(sql), QString::fromUtf8(PQresultErrorMessage(r.get()))));
}

namespace {
std::vector<const char*> pointers(const std::vector<QByteArray>& params) {
    std::vector<const char*> p;
    p.reserve(params.size());
    for (const QByteArray& b : params)
        p.push_back(b.isNull() ? nullptr : b.constData());
    return p;
}
} // namespace

PgResult RawPg::run(const char* name, const std::vector<QByteArray>& params) {
    const auto p = pointers(params);
    PgResult r(PQexecPrepared(conn, name, int(p.size()), p.data(), nullptr, nullptr, 0));
    const auto st = PQresultStatus(r.get());
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        fail(QStringLiteral("raw libpq: %1: %2")
                 .arg(QString::fromUtf8(name), QString::fromUtf8(PQresultErrorMessage(r.get()))));
    return r;
}

void RawPg::exec(const char* sql) {
    PgResult r(PQexec(conn, sql));
    const auto st = PQresultStatus(r.get());
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        fail(QStringLiteral("raw libpq: %1: %2")
                 .arg(QString::fromUtf8(sql), QString::fromUtf8(PQresultErrorMessage(r.get()))));
}

void RawPg::beginPipeline() {
    if (PQenterPipelineMode(conn) != 1)
        fail(QStringLiteral("raw libpq: no pipeline mode"));
    queued_ = 0;
}

void RawPg::queue(const char* name, const std::vector<QByteArray>& params) {
    const auto p = pointers(params);
    if (PQsendQueryPrepared(conn, name, int(p.size()), p.data(), nullptr, nullptr, 0) != 1)
        fail(QStringLiteral("raw libpq: ") + QString::fromUtf8(PQerrorMessage(conn)));
    ++queued_;
}

std::vector<PgResult> RawPg::sync() {
    if (PQpipelineSync(conn) != 1)
        fail(QStringLiteral("raw libpq: ") + QString::fromUtf8(PQerrorMessage(conn)));
    std::vector<PgResult> out;
    out.reserve(size_t(queued_));
    QString error;
    for (;;) {
        PGresult* r = PQgetResult(conn);
        if (!r)
            continue; // the end of one statement's results
        const auto st = PQresultStatus(r);
        if (st == PGRES_PIPELINE_SYNC) {
            PQclear(r);
            break;
        }
        if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && error.isEmpty())
            error = QString::fromUtf8(PQresultErrorMessage(r));
        out.emplace_back(r);
    }
    PQexitPipelineMode(conn);
    queued_ = 0;
    if (!error.isEmpty())
        fail(QStringLiteral("raw libpq (pipeline): ") + error);
    return out;
}

} // namespace bench
