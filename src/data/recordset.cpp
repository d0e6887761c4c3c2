#include "data/recordset.h"

#include "data/connection.h"

#include <QSqlRecord>

namespace data {

namespace {

// Length of the leading "SELECT " of a translated query, 0 when it has none.
qsizetype selectHead(const QString& sql) {
    qsizetype i = 0;
    while (i < sql.size() && sql.at(i).isSpace())
        ++i;
    if (sql.mid(i, 6).compare(QLatin1String("select"), Qt::CaseInsensitive) != 0)
        return 0;
    i += 6;
    const qsizetype start = i;
    while (i < sql.size() && sql.at(i).isSpace())
        ++i;
    return i > start ? i : 0;
}

bool selectsAll(const QString& sql) {
    const qsizetype head = selectHead(sql);
    return head > 0 && sql.at(head) == QLatin1Char('*');
}

// Puts the row identity into a query that reads one table, so that a row found
// or walked can be edited or deleted exactly.
QString withRowId(const QString& sql) {
    const qsizetype head = selectHead(sql);
    if (head == 0 || sql.at(head) == QLatin1Char('*'))
        return sql; // SELECT * has it already
    return sql.left(head) + ident(QLatin1String(schema::kRowId)) + QStringLiteral(", ") + sql.mid(head);
}

} // namespace

Recordset::Recordset(const Database& db, const QString& desktopSql)
    : db_(db)
    , desktop_(desktopSql) {
    if (!db.ok()) {
        error_ = db.error();
        return;
    }
    t_ = translate(desktopSql, db.engine());
    if (t_.error) {
        error_ = t_.error.in(db.location().path);
        return;
    }
    if (t_.simpleSelect) {
        info_ = db.connection()->tableInfo(t_.table, &error_);
        if (!info_)
            return;
        if (!info_->missingField.isEmpty() && selectsAll(t_.sql)) {
            // Every field is read: one the program needs is not there.
            error_ = Error::make(Error::Kind::MissingField, info_->missingField).in(db.location().path);
            return;
        }
        t_.sql = withRowId(t_.sql);
    }
}

bool Recordset::fail(Error e) {
    error_ = e.in(db_.location().path);
    return false;
}

int Recordset::fieldIndex(const QString& field) const {
    const QString f = field.trimmed();
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_.at(i).compare(f, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Recordset::readRow(const QSqlQuery& q, QVariantList* row, qlonglong* rid, QStringList* names,
                        std::vector<int>* cols) const {
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        const QString name = rec.fieldName(i);
        if (name.compare(QLatin1String(schema::kRowId), Qt::CaseInsensitive) == 0) {
            if (*rid < 0)
                *rid = q.value(i).toLongLong();
            continue;
        }
        const int col = info_ ? info_->indexOf(name) : -1;
        if (names) {
            *names << name;
            cols->push_back(col);
        }
        const QVariant v = q.value(i);
        *row << (col >= 0 ? detail::fromDb(v, info_->kinds[col]) : (v.isNull() ? QVariant() : v));
    }
}

bool Recordset::load() {
    if (loaded_)
        return error_.ok();
    if (!error_.ok() || !db_.ok())
        return false;
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(t_.sql, &error_, t_.table);
    if (!q || !conn->run(*q, t_.values, &error_, t_.table))
        return false;
    const QSqlRecord rec = q->record();
    fields_.clear();
    columnOf_.clear();
    std::vector<int> resultColumn;
    ridColumn_ = -1;
    for (int i = 0; i < rec.count(); ++i) {
        const QString name = rec.fieldName(i);
        if (name.compare(QLatin1String(schema::kRowId), Qt::CaseInsensitive) == 0) {
            if (ridColumn_ < 0)
                ridColumn_ = i;
            continue;
        }
        fields_ << name;
        resultColumn.push_back(i);
        columnOf_.push_back(info_ ? info_->indexOf(name) : -1);
    }
    described_ = true;
    rows_.clear();
    rids_.clear();
    while (q->next()) {
        QVariantList row;
        row.reserve(fields_.size());
        for (size_t f = 0; f < resultColumn.size(); ++f) {
            const int col = columnOf_[f];
            const QVariant v = q->value(resultColumn[f]);
            row << (col >= 0 ? detail::fromDb(v, info_->kinds[col]) : (v.isNull() ? QVariant() : v));
        }
        rows_.push_back(std::move(row));
        rids_.push_back(ridColumn_ >= 0 ? q->value(ridColumn_).toLongLong() : -1);
    }
    q->finish();
    deleted_.assign(rows_.size(), false);
    live_ = qsizetype(rows_.size());
    loaded_ = true;
    pos_ = 0;
    if (detached_) {
        // Walking goes on from the row found.
        for (size_t i = 0; i < rids_.size(); ++i)
            if (rids_[i] == detachedRid_)
                pos_ = qsizetype(i);
        detached_ = false;
    }
    return true;
}

QStringList Recordset::fields() {
    if (!described_)
        load();
    return fields_;
}

bool Recordset::eof() {
    if (detached_)
        return false;
    if (!load())
        return true;
    while (pos_ < qsizetype(rows_.size()) && deleted_[pos_])
        ++pos_;
    return pos_ >= qsizetype(rows_.size());
}

bool Recordset::bof() {
    if (!load())
        return true;
    return pos_ < 0 || live_ == 0;
}

void Recordset::moveFirst() {
    detached_ = false;
    editing_ = false;
    if (!load())
        return;
    pos_ = 0;
    while (pos_ < qsizetype(rows_.size()) && deleted_[pos_])
        ++pos_;
}

void Recordset::moveNext() {
    editing_ = false;
    if (!load())
        return;
    if (pos_ < qsizetype(rows_.size()))
        ++pos_;
    while (pos_ < qsizetype(rows_.size()) && deleted_[pos_])
        ++pos_;
}

void Recordset::movePrevious() {
    editing_ = false;
    if (!load())
        return;
    --pos_;
    while (pos_ >= 0 && deleted_[pos_])
        --pos_;
}

void Recordset::moveLast() {
    detached_ = false;
    editing_ = false;
    if (!load())
        return;
    pos_ = qsizetype(rows_.size()) - 1;
    while (pos_ >= 0 && deleted_[pos_])
        --pos_;
    if (pos_ < 0)
        pos_ = qsizetype(rows_.size());
}

int Recordset::recordCount() {
    if (!load())
        return 0;
    return int(live_);
}

bool Recordset::current(int* row) {
    if (detached_) {
        *row = -1;
        return true;
    }
    if (!load())
        return false;
    if (pos_ < 0 || pos_ >= qsizetype(rows_.size()) || deleted_[pos_])
        return fail(Error::make(Error::Kind::NoCurrentRow, t_.table));
    *row = int(pos_);
    return true;
}

QVariant Recordset::value(int column) {
    int r = 0;
    if (!current(&r))
        return {};
    if (editing_)
        return column >= 0 && column < editRow_.size() ? editRow_.at(column) : QVariant();
    const QVariantList& row = r < 0 ? detachedRow_ : rows_[r];
    if (column < 0 || column >= row.size())
        return {};
    return row.at(column);
}

QVariant Recordset::value(const QString& field) {
    if (!described_)
        load();
    const int i = fieldIndex(field);
    if (i < 0) {
        fail(Error::make(Error::Kind::MissingField, t_.table.isEmpty()
                                                        ? field.trimmed()
                                                        : t_.table + QLatin1Char('.') + field.trimmed()));
        return {};
    }
    return value(i);
}

std::optional<Decimal> Recordset::decimal(const QString& field) {
    const QVariant v = value(field);
    if (v.isNull())
        return std::nullopt;
    const int i = fieldIndex(field);
    const int col = i >= 0 ? columnOf_[i] : -1;
    return Decimal::fromVariant(v, col >= 0 ? schema::decimals(info_->kinds[col]) : Decimal::kDecimals);
}

bool Recordset::findFirst(const QString& criterion) {
    noMatch_ = true;
    editing_ = false;
    if (!error_.ok() && error_.kind != Error::Kind::NoCurrentRow)
        return false;
    error_ = {};
    if (!db_.ok())
        return fail(db_.error());
    if (!t_.simpleSelect)
        return fail(Error::make(Error::Kind::BadQuery, t_.table, QStringLiteral("find needs one table")));
    // The criterion names the fields of these rows: an alias ("num" for
    // "[Numero] as Num") stands for its output column.
    const Translated c = translate(criterion, db_.engine(), t_.aliases, t_.table);
    if (c.error)
        return fail(c.error);
    // The first matching row, in the query's own order, found by the engine
    // (an indexed seek where an index fits) rather than by walking the rows.
    const QString sql = QStringLiteral("SELECT * FROM (%1) marbo_q WHERE %2 LIMIT 1").arg(t_.sql, c.sql);
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(sql, &error_, t_.table);
    if (!q || !conn->run(*q, t_.values + c.values, &error_, t_.table))
        return false;
    if (q->next()) {
        QVariantList row;
        qlonglong rid = -1;
        QStringList names;
        std::vector<int> cols;
        readRow(*q, &row, &rid, &names, &cols);
        if (!described_) {
            fields_ = names;
            columnOf_ = cols;
            described_ = true;
        }
        noMatch_ = false;
        bool walked = false;
        if (loaded_) {
            for (size_t i = 0; i < rids_.size(); ++i) {
                if (rids_[i] == rid && !deleted_[i]) {
                    pos_ = qsizetype(i);
                    walked = true;
                    break;
                }
            }
        }
        if (!walked) {
            // Not among the rows read so far (none yet, or added since): the
            // found row is current on its own, and walking on reads the rows
            // again from it.
            detached_ = true;
            detachedRow_ = row;
            detachedRid_ = rid;
            loaded_ = false;
        }
    }
    q->finish();
    return !noMatch_;
}

bool Recordset::edit() {
    int r = 0;
    if (!current(&r))
        return false;
    if (!info_)
        return fail(Error::make(Error::Kind::BadQuery, t_.table, QStringLiteral("not one table")));
    editRow_ = r < 0 ? detachedRow_ : rows_[r];
    dirty_.assign(editRow_.size(), false);
    added_.assign(editRow_.size(), std::nullopt);
    editError_ = {};
    editing_ = true;
    return true;
}

bool Recordset::setValue(const QString& field, const QVariant& value) {
    if (!editing_)
        return fail(Error::make(Error::Kind::NoCurrentRow, t_.table));
    const int i = fieldIndex(field);
    if (i < 0 || columnOf_[i] < 0) {
        fail(Error::make(Error::Kind::MissingField, t_.table + QLatin1Char('.') + field.trimmed()));
        editError_ = error_;
        return false;
    }
    const int col = columnOf_[i];
    const auto v = detail::toDb(value, info_->kinds[col], info_->widths[col]);
    if (!v) {
        fail(Error::make(Error::Kind::BadValue, t_.table + QLatin1Char('.') + info_->columns.at(col),
                         value.toString().left(60)));
        editError_ = error_;
        return false;
    }
    editRow_[i] = detail::fromDb(*v, info_->kinds[col]);
    dirty_[i] = true;
    added_[i].reset();
    return true;
}

bool Recordset::addTo(const QString& field, Decimal amount) {
    if (!editing_)
        return fail(Error::make(Error::Kind::NoCurrentRow, t_.table));
    const int i = fieldIndex(field);
    if (i < 0 || columnOf_[i] < 0) {
        fail(Error::make(Error::Kind::MissingField, t_.table + QLatin1Char('.') + field.trimmed()));
        editError_ = error_;
        return false;
    }
    const int col = columnOf_[i];
    const int places = schema::decimals(info_->kinds[col]);
    const QString subject = t_.table + QLatin1Char('.') + info_->columns.at(col);
    if (places == 0) {
        fail(Error::make(Error::Kind::BadValue, subject, QStringLiteral("non è un numero")));
        editError_ = error_;
        return false;
    }
    amount = amount.rounded(places);
    const auto shown = Decimal::fromVariant(editRow_.at(i), places).value_or(Decimal()) + amount;
    const auto sum = dirty_[i] ? std::optional<Decimal>(amount) : added_[i].value_or(Decimal()) + amount;
    if (!shown || !sum) {
        fail(Error::make(Error::Kind::BadValue, subject, amount.toText()));
        editError_ = error_;
        return false;
    }
    editRow_[i] = shown->toVariant();
    if (dirty_[i])
        return true; // a value set in this edit: the sum is the value written
    added_[i] = *sum;
    return true;
}

bool Recordset::update() {
    if (!editing_)
        return fail(Error::make(Error::Kind::NoCurrentRow, t_.table));
    int r = 0;
    if (!current(&r))
        return false;
    editing_ = false;
    if (editError_)
        return fail(editError_); // a value was refused: nothing is written
    const qlonglong rid = r < 0 ? detachedRid_ : rids_[r];
    const auto& engine = *db_.connection()->engine;
    QStringList sets, returned;
    QVariantList values;
    std::vector<int> returnedFields;
    for (int i = 0; i < editRow_.size(); ++i) {
        const int col = columnOf_[i];
        const QString c = col >= 0 ? ident(info_->columns.at(col)) : QString();
        if (added_[i]) {
            sets << c + QStringLiteral(" = ") + engine.addition(c, schema::decimals(info_->kinds[col]));
            values << QVariant::fromValue(*added_[i]);
            returned << c;
            returnedFields.push_back(i);
        } else if (dirty_[i]) {
            sets << c + QStringLiteral(" = ?");
            const auto v = detail::toDb(editRow_.at(i), info_->kinds[col], info_->widths[col]);
            values << (v ? *v : QVariant());
        }
    }
    if (sets.isEmpty())
        return true;
    values << rid;
    QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                      .arg(ident(t_.table), sets.join(QStringLiteral(", ")), QLatin1String(schema::kRowId));
    if (!returned.isEmpty())
        sql += QStringLiteral(" RETURNING ") + returned.join(QStringLiteral(", "));
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(sql, &error_, t_.table);
    if (!q)
        return false;
    bool done = conn->run(*q, values, &error_, t_.table);
    if (done && !returnedFields.empty()) {
        // The sums as the engine stored them.
        if (q->next()) {
            for (size_t k = 0; k < returnedFields.size(); ++k) {
                const int i = returnedFields[k];
                editRow_[i] = detail::fromDb(q->value(int(k)), info_->kinds[columnOf_[i]]);
            }
        } else {
            done = false; // the row is gone: another workstation deleted it
            fail(Error::make(Error::Kind::NoCurrentRow, t_.table));
        }
    }
    q->finish();
    if (done) {
        if (r < 0)
            detachedRow_ = editRow_;
        else
            rows_[r] = editRow_;
    }
    return done;
}

bool Recordset::remove() {
    editing_ = false;
    int r = 0;
    if (!current(&r))
        return false;
    if (!info_)
        return fail(Error::make(Error::Kind::BadQuery, t_.table, QStringLiteral("not one table")));
    const qlonglong rid = r < 0 ? detachedRid_ : rids_[r];
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(ident(t_.table), QLatin1String(schema::kRowId));
    auto* conn = db_.connection().get();
    QSqlQuery* q = conn->prepared(sql, &error_, t_.table);
    if (!q)
        return false;
    const bool done = conn->run(*q, {rid}, &error_, t_.table);
    q->finish();
    if (done) {
        if (r < 0) {
            detached_ = false;
            detachedRid_ = -1;
            // Nothing is current until the next move.
            loaded_ = false;
        } else {
            deleted_[r] = true;
            --live_;
        }
    }
    return done;
}

void Recordset::requery() {
    loaded_ = false;
    detached_ = false;
    editing_ = false;
    if (error_.kind == Error::Kind::NoCurrentRow)
        error_ = {};
    load();
}

} // namespace data
