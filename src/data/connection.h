// Inside of the data layer: one open connection with its prepared statements
// and what it learnt of the tables. Not for the screens.
#pragma once

#include "data/error.h"
#include "data/location.h"
#include "data/schema.h"

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
    QHash<QString, QString> seekSql; // per index name, built once
    int indexOf(const QString& field) const;
};

struct Connection {
    QString name; // QSqlDatabase connection name
    Location location;
    QSqlDatabase db;
    QHash<QString, QSqlQuery> statements;
    QHash<QString, int> columnCounts; // of the prepared queries, learnt at their first run
    QHash<QString, std::shared_ptr<TableInfo>> tables;
    bool inTransaction = false;

    ~Connection();

    // A prepared statement for this SQL text, prepared once per connection.
    QSqlQuery* prepared(const QString& sql, Error* error);
    // Binds the values and runs it. On failure the statement is reset.
    bool run(QSqlQuery& q, const QVariantList& values, Error* error);
    // What the database holds of a table; null with MissingTable when absent.
    std::shared_ptr<TableInfo> tableInfo(const QString& name, Error* error);

    Error classify(const QSqlError& e, const QString& subject) const;
};

// A value read from the database, in the form the screens expect for its kind.
QVariant fromDb(const QVariant& v, schema::Kind kind);
// A value for a column of that kind and width; BadValue when it cannot be held.
std::optional<QVariant> toDb(const QVariant& v, schema::Kind kind, int width);

} // namespace data::detail
