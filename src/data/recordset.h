// The rows of a query text: walk them, find the first row matching a
// criterion, and edit, update or delete the current row (when the query reads
// one table).
#pragma once

#include "data/database.h"
#include "data/dialect.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

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

    QVariant value(const QString& field);
    QVariant value(int column);

    // Finds the first row matching a criterion such as
    // "codcasa = 12 and oper = 1" or "eanrig = '8001234567890' and oper = 1".
    // The found row becomes current; noMatch() tells a miss.
    bool findFirst(const QString& criterion);
    bool noMatch() const { return noMatch_; }

    bool edit();
    bool setValue(const QString& field, const QVariant& value);
    bool update();
    bool remove();

    // Runs the query again.
    void requery();

private:
    bool load();
    bool fail(Error e);
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
    bool noMatch_ = false;
    Error error_;
};

} // namespace data
