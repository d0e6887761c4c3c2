// Databases named by the program's own paths, with their connections cached
// per location: an operation asks for its database by the current path, so a
// changed path takes effect at the next operation and nothing is reopened per
// scan.
//
// Every wait is bounded: a database held by another workstation is waited
// for a few seconds (WaitLimits), then the operation fails with Locked
// ("archivio occupato") and the connection stays usable; for a moment after,
// the same archive is reported busy at once, so one action waits once.
#pragma once

#include "data/decimal.h"
#include "data/error.h"
#include "data/location.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QSqlDatabase;

namespace data {

class Table;
class Recordset;
namespace detail {
struct Connection;
}

struct WaitLimits {
    // Longest wait for a lock held by another workstation or program (SQLite
    // busy timeout, PostgreSQL lock_timeout).
    int lockMs = 3000;
    // Longest statement on the server (PostgreSQL statement_timeout).
    int statementMs = 8000;
    // After a wait ended in "busy", how long the archive is reported busy at
    // once without a new wait: the rest of the same action.
    int quietMs = 2000;
};

class Database {
public:
    Database() = default;

    bool ok() const { return conn_ != nullptr && error_.ok(); }
    const Error& error() const { return error_; }
    Engine engine() const;
    const Location& location() const;

    // A table for indexed access.
    Table table(const QString& name) const;
    // Runs a query text in the desktop dialect and returns its rows.
    Recordset query(const QString& desktopSql) const;
    // Runs a statement (INSERT, UPDATE, DELETE) in the desktop dialect.
    Error execute(const QString& desktopSql) const;
    // Runs a statement written for this engine, with values bound in order.
    Error executeNative(const QString& sql, const QVariantList& values = {}) const;
    // The first row of a native query, or nullopt (and the error) when none.
    std::optional<QVariantList> rowNative(const QString& sql, const QVariantList& values,
                                          Error* error = nullptr) const;
    // Every row of a native query, read forward once (bulk work: a confirmation).
    std::vector<QVariantList> rowsNative(const QString& sql, const QVariantList& values,
                                         Error* error = nullptr) const;
    // First column of the first row of a native query (aggregates: totals, maxima).
    QVariant scalarNative(const QString& sql, const QVariantList& values, Error* error = nullptr) const;

    // For native SQL: an expression compared as a text key, as text columns
    // compare (no case, no trailing blanks): write
    //   "c.eanare = " + db.textKey("trim(substr(i.eanrig, 1, 13))")
    // so no code above the data layer names an engine.
    QString textKey(const QString& sqlExpression) const;

    // A write transaction (prefer WriteScope): on SQLite the write lock is
    // taken at once, waiting for another workstation's write for a few
    // seconds; any failure rolls it back, leaving the database as it was.
    Error begin() const;
    Error commit() const;
    Error rollback() const;
    bool inTransaction() const;

    QSqlDatabase sql() const;
    std::shared_ptr<detail::Connection> connection() const { return conn_; }

private:
    friend class Databases;
    std::shared_ptr<detail::Connection> conn_;
    Error error_;
};

// Reads of one operation under one read transaction (SQLite): the seeks of a
// scan take the file's lock once instead of once per statement. Nothing is
// done when a transaction is already open or on PostgreSQL.
class ReadScope {
public:
    explicit ReadScope(const Database& db);
    ~ReadScope();
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

private:
    Database db_;
    quint64 serial_ = 0;
};

// Rows written to one table many to a statement: the document lines and the
// stock counters of a confirmation of thousands of lines, inside its write
// transaction, in a few round trips instead of one per row. Each value is
// converted for its column as Table::setValue converts it, and a value the
// column cannot hold is refused by add() with the same error. Without
// `byRowId` the rows are added in the order given; with it, the first value
// of each row is the row id of a row read in this transaction and the other
// values replace its fields (as Table::edit and update do). The rows are sent
// when enough of them wait and at flush(); after an error the transaction must
// be abandoned.
class RowBatch {
public:
    RowBatch(const Database& db, const QString& table, const QStringList& fields, bool byRowId = false);
    // The values bound as given, as executeNative binds them (no rounding to
    // the column's places).
    void bindAsGiven() { asGiven_ = true; }
    Error add(const QVariantList& values);
    Error flush();

private:
    Database db_;
    QString table_;
    bool asGiven_ = false;
    QString head_, tail_;
    std::vector<int> kinds_, widths_;
    QStringList columns_;
    int perStatement_ = 1;
    int rows_ = 0;
    QVariantList pending_;
    Error error_;
};

// Every write of several rows, or a find-or-insert, in one transaction that
// begins here and is rolled back when the scope ends without commit():
//
//   data::WriteScope w(db);
//   if (data::Error e = w.lockKey("inventario", {oper, code})) return e;
//   ... find the line, add to it or insert it ...
//   return w.commit();
//
// SQLite takes the write lock up front (waiting for another workstation for a
// few seconds); PostgreSQL locks per key with lockKey(). A scope opened inside
// another one is a savepoint of it. After a failed statement the rest of the
// scope is refused with the same error and commit() rolls back.
class WriteScope {
public:
    explicit WriteScope(const Database& db);
    ~WriteScope();
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;

    // Whether the transaction began; error() says why not.
    bool ok() const { return open_; }
    const Error& error() const { return error_; }

    // Serializes the writers of one key of a table (the working line of one
    // article and operator) until the scope ends, on every engine: two
    // workstations never both find no line and both insert one. Waits a few
    // seconds at most, then Locked.
    Error lockKey(const QString& table, const QVariantList& key);

    Error commit();
    void rollback();

private:
    Database db_;
    Error error_;
    bool open_ = false;
    bool nested_ = false;
    quint64 serial_ = 0;
};

class Databases {
public:
    explicit Databases(DriveMapping mapping);
    ~Databases();
    Databases(const Databases&) = delete;
    Databases& operator=(const Databases&) = delete;

    // The database that a path such as "c:\marbo\dati.mdb" names. A missing
    // file gives a Database whose error() names it.
    Database open(const QString& programPath);
    Database openLocation(const Location& location);

    const DriveMapping& mapping() const { return mapping_; }
    DriveMapping& mapping() {
        resolved_.clear(); // the mapping may change: resolve paths again
        return mapping_;
    }
    // Drops every cached connection (after files were replaced under the program).
    void closeAll();

    // The bounds of every wait. Open connections take the new lock wait and
    // quiet time at once, the statement limit when they are opened anew.
    void setWaitLimits(const WaitLimits& limits);
    const WaitLimits& waitLimits() const { return limits_; }

private:
    DriveMapping mapping_;
    WaitLimits limits_;
    std::map<QString, std::shared_ptr<detail::Connection>> cache_;
    QHash<QString, Location> resolved_; // program path -> location, resolved once
};

} // namespace data
