// Indexed access to one table: choose an index by name, seek "=" a key, read
// and write the fields of the row found, add and delete rows.
#pragma once

#include "data/database.h"

#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>

namespace data {

namespace detail {
struct TableInfo;
}

class Table {
public:
    Table() = default;
    Table(const Database& db, const QString& name);

    bool ok() const { return error_.ok(); }
    // The error of the last operation (None after a success).
    const Error& error() const { return error_; }
    const QString& name() const { return name_; }

    // Chooses the index by its name ("primary", "keyean", "codare", ...).
    bool setIndex(const QString& indexName);
    // Seeks "=" the key (one value per column of the index). A hit leaves the
    // first matching row current; a miss sets noMatch() and leaves no row.
    bool seek(const QVariantList& key);
    bool seek(const QVariant& key) { return seek(QVariantList{key}); }
    bool noMatch() const { return noMatch_; }
    bool hasRow() const { return rowId_ >= 0; }

    // Field of the current row (or of the row being edited or added). A Null
    // field gives a null QVariant, distinct from 0 and from "".
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }

    // A number field of the current row as an exact decimal; nullopt when it
    // is Null (or missing: see error()).
    std::optional<Decimal> decimal(const QString& field) const;

    // Starts editing the current row / a new row (fields not set stay Null).
    bool edit();
    bool addNew();
    // A value the column cannot hold is refused here and spoils the edit:
    // update() then writes nothing and reports it.
    bool setValue(const QString& field, const QVariant& value);
    // Adds an exact amount to a number field of the row being edited (or
    // added): update() writes it as one statement on the stored value
    // (f = f + amount, Null counting as 0), so two workstations adding to the
    // same row at once never lose a count. Rounded to the field's decimals.
    bool addTo(const QString& field, Decimal amount);
    // Writes the row edited or added; nothing at all when a value was refused.
    bool update();
    // Deletes the current row.
    bool remove();

private:
    Error fail(Error e) {
        error_ = e.in(db_.location().path);
        return error_;
    }
    void cancelEdit();

    Database db_;
    QString name_;
    std::shared_ptr<detail::TableInfo> info_;
    QStringList indexColumns_;
    QString indexName_;
    std::vector<int> keyColumns_; // column of each key part
    QVariantList row_;            // values of the current row, one per column
    qlonglong rowId_ = -1;
    enum class Mode { None, Edit, Add } mode_ = Mode::None;
    std::vector<bool> dirty_;
    std::vector<std::optional<Decimal>> added_; // per column, amounts added in this edit
    QVariantList saved_;                        // the row as it was before the edit
    Error editError_;                           // a value refused during this edit
    bool noMatch_ = true;
    Error error_;
};

} // namespace data
