// Databases named by the program's own paths, with their connections cached
// per location: an operation asks for its database by the current path, so a
// changed path takes effect at the next operation and nothing is reopened per
// scan.
#pragma once

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

    // A confirmation that writes several rows runs between begin and commit;
    // any failure rolls it back, leaving the database as it was.
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
    bool began_ = false;
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

private:
    DriveMapping mapping_;
    std::map<QString, std::shared_ptr<detail::Connection>> cache_;
    QHash<QString, Location> resolved_; // program path -> location, resolved once
};

} // namespace data
