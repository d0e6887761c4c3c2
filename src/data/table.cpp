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
}

bool Table::setIndex(const QString& indexName) {
    if (!info_)
        return false;
    error_ = {};
    const schema::Index* index = info_->layout ? info_->layout->index(indexName.trimmed()) : nullptr;
    if (!index)
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
    QSqlQuery* q = conn->prepared(info_->seekSql.value(indexName_), &error_);
    if (!q)
        return false;
    if (!conn->run(*q, values, &error_))
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
            Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + field);
        return {};
    }
    if (col >= row_.size())
        return {};
    return row_.at(col);
}

bool Table::edit() {
    if (!info_)
        return false;
    if (rowId_ < 0)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    mode_ = Mode::Edit;
    dirty_.assign(info_->columns.size(), false);
    return true;
}

bool Table::addNew() {
    if (!info_)
        return false;
    mode_ = Mode::Add;
    row_.clear();
    for (int i = 0; i < info_->columns.size(); ++i)
        row_ << QVariant();
    dirty_.assign(info_->columns.size(), false);
    return true;
}

bool Table::setValue(const QString& field, const QVariant& value) {
    if (!info_)
        return false;
    const int col = info_->indexOf(field);
    if (col < 0)
        return fail(Error::make(Error::Kind::MissingField, name_ + QLatin1Char('.') + field)).ok();
    if (mode_ == Mode::None)
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    const auto v = detail::toDb(value, info_->kinds[col], info_->widths[col]);
    if (!v)
        return fail(Error::make(Error::Kind::BadValue, name_ + QLatin1Char('.') + info_->columns.at(col),
                                value.toString().left(60)))
            .ok();
    row_[col] = detail::fromDb(*v, info_->kinds[col]);
    dirty_[col] = true;
    return true;
}

bool Table::update() {
    if (!info_)
        return false;
    error_ = {};
    QStringList cols;
    QVariantList values;
    for (int i = 0; i < info_->columns.size(); ++i) {
        if (!dirty_.empty() && dirty_[i]) {
            cols << ident(info_->columns.at(i));
            const auto v = detail::toDb(row_.at(i), info_->kinds[i], info_->widths[i]);
            values << (v ? *v : QVariant());
        }
    }
    auto* conn = db_.connection().get();
    QString sql;
    if (mode_ == Mode::Add) {
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(ident(name_));
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(ident(name_), cols.join(QStringLiteral(", ")),
                           QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else if (mode_ == Mode::Edit) {
        if (cols.isEmpty()) {
            mode_ = Mode::None;
            return true;
        }
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                  .arg(ident(name_), cols.join(QStringLiteral(" = ?, ")), QLatin1String(schema::kRowId));
        values << rowId_;
    } else {
        return fail(Error::make(Error::Kind::NoCurrentRow, name_)).ok();
    }
    QSqlQuery* q = conn->prepared(sql, &error_);
    if (!q)
        return false;
    const bool done = conn->run(*q, values, &error_);
    q->finish();
    if (!done)
        return false;
    if (mode_ == Mode::Add) {
        // After an addition no row is current, as after a new seek.
        row_.clear();
        rowId_ = -1;
    }
    mode_ = Mode::None;
    dirty_.clear();
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
    QSqlQuery* q = conn->prepared(sql, &error_);
    if (!q)
        return false;
    const bool done = conn->run(*q, {rowId_}, &error_);
    q->finish();
    if (done) {
        rowId_ = -1;
        row_.clear();
        mode_ = Mode::None;
    }
    return done;
}

} // namespace data
