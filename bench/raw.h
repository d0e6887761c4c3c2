// The baselines' connections: the engines' own C interfaces, with prepared
// statements, on the same store as the program and with the same connection
// settings.
#pragma once

#include "data/location.h"

#include <QByteArray>
#include <QString>
#include <libpq-fe.h>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <vector>

namespace bench {

class RawSqlite {
public:
    explicit RawSqlite(const QString& file);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // Prepared once; finalized with the connection.
    sqlite3_stmt* prepare(const char* sql);
    void exec(const char* sql);
    sqlite3* db = nullptr;

private:
    std::vector<sqlite3_stmt*> statements_;
};

// Binds a text to a statement for the step that follows.
inline void bindText(sqlite3_stmt* s, int i, const QByteArray& text) {
    sqlite3_bind_text(s, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

struct PgResultFree {
    void operator()(PGresult* r) const { PQclear(r); }
};
using PgResult = std::unique_ptr<PGresult, PgResultFree>;

class RawPg {
public:
    // Connects to the server of the location and works in its schema.
    explicit RawPg(const data::Location& store);
    ~RawPg();
    RawPg(const RawPg&) = delete;
    RawPg& operator=(const RawPg&) = delete;

    // Prepares a named statement (parameters $1, $2, ...; their types inferred)
    // once per connection.
    void prepare(const char* name, const char* sql);
    // One round trip: runs a prepared statement with text parameters (a null
    // QByteArray is Null).
    PgResult run(const char* name, const std::vector<QByteArray>& params);
    void exec(const char* sql);

    // Pipeline mode: queue prepared statements, then one sync collects them all
    // (a thousand or so at a time: the results wait in the socket buffers).
    void beginPipeline();
    void queue(const char* name, const std::vector<QByteArray>& params);
    // The results of the queued statements, in order; leaves pipeline mode.
    std::vector<PgResult> sync();

    PGconn* conn = nullptr;

private:
    int queued_ = 0;
    std::set<QByteArray> prepared_;
};

// A text of a result cell; null for Null.
inline QByteArray cell(const PGresult* r, int row, int col) {
    if (PQgetisnull(r, row, col))
        return {};
    return QByteArray(PQgetvalue(r, row, col), PQgetlength(r, row, col));
}

} // namespace bench
