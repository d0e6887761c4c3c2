// Inside of the data layer: one open connection with its prepared statements,
// what it learnt of the tables, its transaction and its waits. Not for the
// screens.
#pragma once

#include "data/database.h"
#include "data/engine.h"
#include "data/error.h"
#include "data/location.h"
#include "data/schema.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <optional>

namespace data::detail {

struct TableInfo {
    QString name;
    QStringList columns;             // as the database has them, lower case, row id excluded
    std::vector<schema::Kind> kinds; // per column (Text where the layout does not say)
    std::vector<int> widths;         // text widths, 0 for none
    const schema::Table* layout = nullptr;
    QString missingField;            // "table.field" of the layout the database lacks, if any
    QHash<QString, QString> seekSql; // per index name, built once
    int indexOf(const QString& field) const;
};

struct Connection {
    QString name; // QSqlDatabase connection name
    Location location;
    const EngineQuirks* engine = nullptr;
    QSqlDatabase db;
    void* handle = nullptr; // sqlite3* on SQLite
    QSqlDatabase reader;    // the grids' own connection, where the engine needs one
    WaitLimits limits;
    QHash<QString, QSqlQuery> statements;
    QHash<QString, int> columnCounts; // of the prepared queries, learnt at their first run
    QHash<QString, std::shared_ptr<TableInfo>> tables;

    // The transaction in progress: a read scope's (SQLite), or one that writes.
    enum class Tx { None, Read, Write };
    Tx tx = Tx::None;
    quint64 txSerial = 0; // counts the transactions begun, so a scope ends only its own
    int savepoints = 0;   // write scopes nested in the transaction
    // The first statement that failed inside the write transaction: the rest of
    // it is refused with the same error until it is rolled back.
    std::optional<Error> failed;
    // After a wait for another workstation ended in "busy", the archive is
    // reported busy at once until then: one wait per action at most.
    QDeadlineTimer quietUntil;
    bool broken = false; // the server went away: open anew at the next operation

    ~Connection();

    bool inTransaction() const { return tx != Tx::None; }

    // A prepared statement for this SQL text, prepared once per connection.
    QSqlQuery* prepared(const QString& sql, Error* error, const QString& table = {});
    // Binds the values and runs it. On failure the statement is reset.
    bool run(QSqlQuery& q, const QVariantList& values, Error* error, const QString& table = {});
    // Prepares, binds and runs a query that stays with its caller (a grid's).
    bool runOwn(QSqlQuery& q, const QString& sql, const QVariantList& values, Error* error);
    // Runs a statement that has nothing to bind (DDL, session settings).
    bool exec(const QString& sql, Error* error, const QString& table = {});
    // What the database holds of a table; null with MissingTable when absent.
    std::shared_ptr<TableInfo> tableInfo(const QString& name, Error* error);

    // The engine's error as ours, noting what it means for the connection.
    Error failure(const QSqlError& e, const QString& table, const QString& sql);
    // Why the next statement must not reach the engine, if it must not.
    std::optional<Error> refusal() const;
    // An error of this data layer, naming this archive.
    Error error(Error::Kind k, const QString& subject, const QString& detail = {}) const;

    // Transaction control; these always reach the engine.
    Error begin(Tx kind);
    Error commit();
    Error rollback();
    Error savepoint();
    Error releaseSavepoint();
    Error rollbackToSavepoint();

    void setLockWait(int milliseconds);

private:
    bool control(const QString& sql, Error* error);
};

// A value read from the database, in the form the screens expect for its kind:
// numbers as the double nearest to their exact decimal.
QVariant fromDb(const QVariant& v, schema::Kind kind);
// A value for a column of that kind and width; nullopt when it cannot be held.
std::optional<QVariant> toDb(const QVariant& v, schema::Kind kind, int width);
// A value as it is bound to a statement: a text loses its control characters
// and is never Null, an exact amount takes the engine's form.
QVariant bindable(const QVariant& v, const EngineQuirks& engine);
// The text without control characters (NUL, CR, LF, TAB, the group separator
// of GS1 barcodes, ...).
QString withoutControls(const QString& text);

} // namespace data::detail
