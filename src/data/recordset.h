// The rows of a query text: walk them, find the first row matching a
// criterion, and edit, update or delete the current row (when the query reads
// one table).
#pragma once

#include "data/database.h"
#include "data/dialect.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;

namespace data {

namespace detail {
struct TableInfo;
}

class Recordset {
public:
    Recordset() = default;
    Recordset(const Database& db, const QString& desktopSql);

    bool ok() const { return error_.ok(); }
    const Error& error() const { return error_; }
    const QString& text() const { return desktop_; }
    QStringList fields();

    // Walking. The first row is current after opening; eof() is true past the last.
    bool eof();
    bool bof();
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    int recordCount();

    // A field of the current row; a field the rows do not have is an error
    // (MissingField), never a Null.
    QVariant value(const QString& field);
    QVariant value(int column);
    // A number field as an exact decimal; nullopt when it is Null or missing.
    std::optional<Decimal> decimal(const QString& field);

    // Finds the first row matching a criterion such as
    // "codcasa = 12 and oper = 1" or "eanrig = '8001234567890' and oper = 1";
    // the criterion names the rows' fields (an alias stands for its column).
    // The found row becomes current, always; noMatch() tells a miss.
    bool findFirst(const QString& criterion);
    bool noMatch() const { return noMatch_; }

    bool edit();
    // A value the column cannot hold is refused and spoils the edit: update()
    // then writes nothing and reports it.
    bool setValue(const QString& field, const QVariant& value);
    // Adds an exact amount to a number field of the current row, written by
    // update() as one statement on the stored value (see Table::addTo).
    bool addTo(const QString& field, Decimal amount);
    bool update();
    bool remove();

    // Runs the query again.
    void requery();

private:
    bool load();
    bool fail(Error e);
    void readRow(const QSqlQuery& q, QVariantList* row, qlonglong* rid, QStringList* names,
                 std::vector<int>* cols) const;
    bool current(int* row);
    int fieldIndex(const QString& field) const;

    Database db_;
    QString desktop_;
    Translated t_;
    std::shared_ptr<detail::TableInfo> info_;
    QStringList fields_;
    std::vector<int> columnOf_; // recordset field -> column of the base table, or -1
    int ridColumn_ = -1;        // in the query result
    bool described_ = false;

    bool loaded_ = false;
    std::vector<QVariantList> rows_;
    std::vector<qlonglong> rids_;
    std::vector<bool> deleted_;
    qsizetype pos_ = 0;
    qsizetype live_ = 0;

    // A row found before the rows were walked: it is current on its own.
    bool detached_ = false;
    QVariantList detachedRow_;
    qlonglong detachedRid_ = -1;

    bool editing_ = false;
    QVariantList editRow_;
    std::vector<bool> dirty_;
    std::vector<std::optional<Decimal>> added_;
    Error editError_;
    bool noMatch_ = false;
    Error error_;
};

} // namespace data
