// Inside of the data layer: what differs between the engines, in one place per
// engine (sqlite_engine.cpp, postgres_engine.cpp). Nothing above the data layer
// names an engine: it asks the Database for the text-key comparison, the key
// lock and the exact addition, and the translator asks the same functions.
#pragma once

#include "data/decimal.h"
#include "data/error.h"
#include "data/location.h"
#include "data/schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace data::detail {

struct Connection;

class EngineQuirks {
public:
    virtual ~EngineQuirks() = default;

    // Opens the connection's database and sets it up (functions, timeouts,
    // search path); on failure the error says what the operator must know.
    virtual Error open(Connection& c) const = 0;
    // The engine's error as this program's error. `table` names the table of
    // the statement when the caller knows it; `sql` goes to the detail only.
    virtual Error classify(const QSqlError& e, const Connection& c, const QString& table,
                           const QString& sql) const = 0;
    // The connection a grid reads through: its rows are fetched as the grid
    // scrolls, so on an engine where an open read keeps a snapshot it must
    // not share the connection the program writes through.
    virtual QSqlDatabase gridConnection(Connection& c) const = 0;
    // Sets the longest wait for another workstation's lock.
    virtual void setLockWait(Connection& c, int milliseconds) const = 0;
    // The columns a table has, lower case; empty when there is no such table.
    virtual QStringList columns(Connection& c, const QString& table, Error* error) const = 0;

    // Starts a transaction that will write: it takes what it needs up front so
    // it never fails halfway for a lock it could have waited for.
    virtual QString beginWrite() const = 0;
    // A statement with one bound 64-bit key that serializes the writers of that
    // key until the transaction ends; empty when the write lock already does.
    virtual QString keyLock() const = 0;

    // `column` plus one bound amount, exact and rounded to `decimals` places,
    // Null counting as 0.
    virtual QString addition(const QString& column, int decimals) const = 0;
    // An exact amount as this engine binds it.
    virtual QVariant amount(Decimal d) const = 0;
    // An expression compared as a text key: no case, no trailing blanks.
    virtual QString textKey(const QString& expression) const = 0;
    // A function's text result keeping the text-key rule (trim() = 'abc').
    virtual QString textResult(const QString& expression) const = 0;
    // LIKE that ignores case.
    virtual QString like() const = 0;
    // What follows an ORDER BY item so Nulls come first going up and last
    // going down, as on the desktop engine.
    virtual QString nullsOrder(bool descending) const = 0;

    // Column types for the tools and tests that create databases.
    virtual QString rowIdColumn() const = 0;
    virtual QString columnType(const schema::Field& f) const = 0;
};

const EngineQuirks& quirks(Engine engine);

} // namespace data::detail
