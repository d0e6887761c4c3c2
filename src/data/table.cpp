#include "data/table.h"

#include "data/connection.h"
#include "data/dialect.h"

#include <QSqlRecord>

namespace data {

using detail::TableInfo;

Table::Table(const Database& db, const QString& name)
    : db_(db)
    , name_(name.trimmed()) {
    if (!db.ok()) {
        error_ = db.error();
        return;
    }
    info_ = db.connection()->tableInfo(name_, &error_);
    if (info_ && !info_->missingField.isEmpty()) {
        // A field the program reads is not there: nothing is read or written
        // on a guess.
        error_ = Error::make(Error::Kind::MissingField, info_->missingField).in(db.location().path);
        info_.reset();
    }
}

bool Table::setIndex(const QString& indexName) {
    if (!info_)
        return false;
    error_ = {};
    const schema::Index* index = info_->layout ? info_->layout->index(indexName.trimmed()) : nullptr;
    if (!index || index->trimmed)
        return fail(Error::make(Error::Kind::MissingIndex, name_ + QLatin1Char('.') + indexName.trimmed()))
            .ok();
    keyColumns_.clear();
    for (const QString& c : index->columns) {
        const int col = info_->indexOf(c);
        if (col < 0)
            return fail(Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + c)).ok();
        keyColumns_.push_back(col);
    }
    indexColumns_ = index->columns;
    indexName_ = index->name;
    if (!info_->seekSql.contains(indexName_)) {
        // The first row of the key, in the index's order, as a seek leaves it.
        QString where, order, columns;
        for (const QString& c : indexColumns_) {
            if (!where.isEmpty())
                where += QStringLiteral(" AND ");
            where += ident(c) + QStringLiteral(" = ?");
            order += ident(c) + QStringLiteral(", ");
        }
        for (const QString& c : info_->columns)
            columns += ident(c) + QStringLiteral(", ");
        info_->seekSql.insert(indexName_,
                              QStringLiteral("SELECT %1%2 FROM %3 WHERE %4 ORDER BY %5%2 LIMIT 1")
                                  .arg(columns, QLatin1String(schema::kRowId), ident(name_), where, order));
    }
    return true;
}

bool Table::seek(const QVariantList& key) {
    noMatch_ = true;
    rowId_ = -1;
    mode_ = Mode::None;
    row_.clear();
    if (!info_)
        return false;
    error_ = {};
    if (indexColumns_.isEmpty())
        return fail(Error::make(Error::Kind::MissingIndex, name_)).ok();
    if (key.size() != indexColumns_.size())
        return fail(Error::make(Error::Kind::BadValue, name_, QStringLiteral("chiave"))).ok();

    QVariantList values;
    values.reserve(key.size());
    for (int i = 0; i < key.size(); ++i) {
        // A key the column cannot hold (letters sought as a number, a text longer
        // than the field) matches no row.
        const auto v = detail::toDb(key.at(i), info_->kinds[keyColumns_[i]], 0);
        if (!v || v->isNull())
            return false;
        values << *v;
    }
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(info_->seekSql.value(indexName_), &error_, name_);
    if (!q)
        return false;
    if (!conn->run(*q, values, &error_, name_))
        return false;
    if (q->next()) {
        const int n = int(info_->columns.size());
        row_.reserve(n);
        for (int i = 0; i < n; ++i)
            row_ << detail::fromDb(q->value(i), info_->kinds[i]);
        rowId_ = q->value(n).toLongLong();
        noMatch_ = false;
    }
    q->finish();
    return !noMatch_;
}

QVariant Table::value(const QString& field) const {
    if (!info_)
        return {};
    const int col = info_->indexOf(field);
    if (col < 0) {
        const_cast<Table*>(this)->error_ =
            Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + field.trimmed())
                .in(db_.location().path);
        return {};
    }
    if (col >= row_.size())
        return {};
    return row_.at(col);
}

std::optional<Decimal> Table::decimal(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return std::nullopt;
    return Decimal::fromVariant(v, schema::decimals(info_->kinds[info_->indexOf(field)]));
}

bool Table::edit() {
    if (!info_)
        return false;
    if (rowId_ < 0)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    mode_ = Mode::Edit;
    saved_ = row_;
    dirty_.assign(info_->columns.size(), false);
    added_.assign(info_->columns.size(), std::nullopt);
    editError_ = {};
    return true;
}

bool Table::addNew() {
    if (!info_)
        return false;
    mode_ = Mode::Add;
    row_.clear();
    for (int i = 0; i < info_->columns.size(); ++i)
        row_ << QVariant();
    saved_.clear();
    dirty_.assign(info_->columns.size(), false);
    added_.assign(info_->columns.size(), std::nullopt);
    editError_ = {};
    return true;
}

void Table::cancelEdit() {
    if (mode_ == Mode::Edit)
        row_ = saved_;
    else if (mode_ == Mode::Add)
        row_.clear();
    mode_ = Mode::None;
    dirty_.clear();
    added_.clear();
    editError_ = {};
}

bool Table::setValue(const QString& field, const QVariant& value) {
    if (!info_)
        return false;
    const int col = info_->indexOf(field);
    if (col < 0) {
        editError_ = fail(Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + field.trimmed()));
        return false;
    }
    if (mode_ == Mode::None)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    const auto v = detail::toDb(value, info_->kinds[col], info_->widths[col]);
    if (!v) {
        editError_ =
            fail(Error::make(Error::Kind::BadValue, name_ + QLatin1Char('.') + info_->columns.at(col),
                             value.toString().left(60)));
        return false;
    }
    row_[col] = detail::fromDb(*v, info_->kinds[col]);
    dirty_[col] = true;
    added_[col].reset(); // a value set replaces what was added before
    return true;
}

bool Table::addTo(const QString& field, Decimal amount) {
    if (!info_)
        return false;
    const int col = info_->indexOf(field);
    if (col < 0) {
        editError_ = fail(Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + field.trimmed()));
        return false;
    }
    if (mode_ == Mode::None)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    const schema::Kind kind = info_->kinds[col];
    const QString subject = name_ + QLatin1Char('.') + info_->columns.at(col);
    const int places = schema::decimals(kind);
    if (places == 0) {
        editError_ = fail(Error::make(Error::Kind::BadValue, subject, QStringLiteral("non è un numero")));
        return false;
    }
    amount = amount.rounded(places);
    const auto shown = Decimal::fromVariant(row_.at(col), places).value_or(Decimal());
    const auto total = shown + amount;
    if (!total) {
        editError_ = fail(Error::make(Error::Kind::BadValue, subject, amount.toText()));
        return false;
    }
    if (mode_ == Mode::Add || dirty_[col]) {
        // A new row, or a value set in this edit: the sum is the value written.
        row_[col] = total->toVariant();
        dirty_[col] = true;
        return true;
    }
    const auto sum = added_[col].value_or(Decimal()) + amount;
    if (!sum) {
        editError_ = fail(Error::make(Error::Kind::BadValue, subject, amount.toText()));
        return false;
    }
    added_[col] = *sum;
    row_[col] = total->toVariant(); // what the row shows until it is read back
    return true;
}

bool Table::update() {
    if (!info_)
        return false;
    error_ = {};
    if (mode_ == Mode::None)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    if (editError_) {
        // A value was refused: the row is written with none of the others.
        const Error refused = editError_;
        cancelEdit();
        return fail(refused).ok();
    }
    const auto& engine = *db_.connection()->engine;
    QStringList cols, sets, returned;
    QVariantList values;
    std::vector<int> returnedCols;
    for (int i = 0; i < info_->columns.size(); ++i) {
        const QString c = ident(info_->columns.at(i));
        if (mode_ == Mode::Edit && i < int(added_.size()) && added_[i]) {
            sets << c + QStringLiteral(" = ") + engine.addition(c, schema::decimals(info_->kinds[i]));
            values << QVariant::fromValue(*added_[i]);
            returned << c;
            returnedCols.push_back(i);
        } else if (!dirty_.empty() && dirty_[i]) {
            cols << c;
            sets << c + QStringLiteral(" = ?");
            const auto v = detail::toDb(row_.at(i), info_->kinds[i], info_->widths[i]);
            values << (v ? *v : QVariant());
        }
    }
    QString sql;
    if (mode_ == Mode::Add) {
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(ident(name_));
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(ident(name_), cols.join(QStringLiteral(", ")),
                           QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else {
        if (sets.isEmpty()) {
            cancelEdit();
            return true;
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                  .arg(ident(name_), sets.join(QStringLiteral(", ")), QLatin1String(schema::kRowId));
        // The sums as the engine stored them.
        if (!returned.isEmpty())
            sql += QStringLiteral(" RETURNING ") + returned.join(QStringLiteral(", "));
        values << rowId_;
    }
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(sql, &error_, name_);
    bool done = q && conn->run(*q, values, &error_, name_);
    if (done && !returnedCols.empty()) {
        if (q->next()) {
            for (size_t k = 0; k < returnedCols.size(); ++k)
                row_[returnedCols[k]] = detail::fromDb(q->value(int(k)), info_->kinds[returnedCols[k]]);
        } else {
            done = false; // the row is gone: another workstation deleted it
            error_ = Error::make(Error::Kind::NoCurrentRow, name_).in(db_.location().path);
        }
    }
    if (q)
        q->finish();
    if (!done) {
        cancelEdit();
        return false;
    }
    if (mode_ == Mode::Add) {
        // After an addition no row is current, as after a new seek.
        row_.clear();
        rowId_ = -1;
    }
    mode_ = Mode::None;
    dirty_.clear();
    added_.clear();
    return true;
}

bool Table::remove() {
    if (!info_)
        return false;
    error_ = {};
    if (rowId_ < 0)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    auto* conn = db_.connection().get();
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(ident(name_), QLatin1String(schema::kRowId));
    QSqlQuery* q = conn->prepared(sql, &error_, name_);
    if (!q)
        return false;
    const bool done = conn->run(*q, {rowId_}, &error_, name_);
    q->finish();
    if (done) {
        rowId_ = -1;
        row_.clear();
        mode_ = Mode::None;
    }
    return done;
}

} // namespace data
