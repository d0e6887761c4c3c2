#include "data/database.h"

#include "data/connection.h"
#include "data/dialect.h"
#include "data/recordset.h"
#include "data/table.h"

#include <QFileInfo>
#include <QSqlRecord>
#include <atomic>

namespace data {

using detail::Connection;

Engine Database::engine() const {
    return conn_ ? conn_->location.engine : Engine::Sqlite;
}

const Location& Database::location() const {
    static const Location none;
    return conn_ ? conn_->location : none;
}

QSqlDatabase Database::sql() const {
    return conn_ ? conn_->db : QSqlDatabase();
}

Table Database::table(const QString& name) const {
    return Table(*this, name);
}

Recordset Database::query(const QString& desktopSql) const {
    return Recordset(*this, desktopSql);
}

QString Database::textKey(const QString& sqlExpression) const {
    return detail::quirks(engine()).textKey(sqlExpression);
}

Error Database::execute(const QString& desktopSql) const {
    if (!ok())
        return error_;
    Translated t = translate(desktopSql, engine());
    if (t.error)
        return t.error.in(location().path);
    return executeNative(t.sql, t.values);
}

Error Database::executeNative(const QString& sql, const QVariantList& values) const {
    if (!ok())
        return error_;
    Error e;
    if (values.isEmpty()) {
        // Nothing to bind: run it as it is (PostgreSQL cannot prepare DDL).
        conn_->exec(sql, &e);
        return e;
    }
    QSqlQuery* q = conn_->prepared(sql, &e);
    if (!q)
        return e;
    conn_->run(*q, values, &e);
    q->finish();
    return e;
}

namespace {

// The current row of a native query; a Null of any type reads as the plain Null.
QVariantList currentRow(const QSqlQuery& q, int columns) {
    QVariantList row;
    row.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        const QVariant v = q.value(i);
        row << (v.isNull() ? QVariant() : v);
    }
    return row;
}

} // namespace

std::optional<QVariantList> Database::rowNative(const QString& sql, const QVariantList& values,
                                                Error* error) const {
    Error e = error_;
    std::optional<QVariantList> out;
    if (ok()) {
        if (QSqlQuery* q = conn_->prepared(sql, &e)) {
            if (conn_->run(*q, values, &e) && q->next()) {
                auto count = conn_->columnCounts.constFind(sql);
                if (count == conn_->columnCounts.constEnd())
                    count = conn_->columnCounts.insert(sql, q->record().count());
                out = currentRow(*q, *count);
            }
            q->finish();
        }
    }
    if (error)
        *error = e;
    return out;
}

std::vector<QVariantList> Database::rowsNative(const QString& sql, const QVariantList& values,
                                               Error* error) const {
    Error e = error_;
    std::vector<QVariantList> out;
    if (ok()) {
        if (QSqlQuery* q = conn_->prepared(sql, &e)) {
            if (conn_->run(*q, values, &e)) {
                const int n = q->record().count();
                while (q->next())
                    out.push_back(currentRow(*q, n));
                if (q->lastError().isValid())
                    e = conn_->failure(q->lastError(), {}, sql);
            }
            q->finish();
        }
    }
    if (error)
        *error = e;
    return out;
}

QVariant Database::scalarNative(const QString& sql, const QVariantList& values, Error* error) const {
    Error e = error_;
    QVariant out;
    if (ok()) {
        if (QSqlQuery* q = conn_->prepared(sql, &e)) {
            if (conn_->run(*q, values, &e) && q->next())
                out = q->value(0);
            q->finish();
        }
    }
    if (error)
        *error = e;
    return out.isNull() ? QVariant() : out;
}

Error Database::begin() const {
    if (!ok())
        return error_;
    if (conn_->tx == Connection::Tx::Write)
        return conn_->error(Error::Kind::Engine, {}, QStringLiteral("transazione già aperta"));
    if (conn_->tx == Connection::Tx::Read)
        conn_->commit(); // the reads so far end here
    return conn_->begin(Connection::Tx::Write);
}

Error Database::commit() const {
    if (!ok())
        return error_;
    if (conn_->tx != Connection::Tx::Write)
        return {};
    return conn_->commit();
}

Error Database::rollback() const {
    if (!ok())
        return error_;
    if (conn_->tx != Connection::Tx::Write)
        return {};
    return conn_->rollback();
}

bool Database::inTransaction() const {
    return conn_ && conn_->inTransaction();
}

// ---------------------------------------------------------------------------

Databases::Databases(DriveMapping mapping)
    : mapping_(std::move(mapping)) {}

Databases::~Databases() {
    closeAll();
}

void Databases::closeAll() {
    cache_.clear();
}

void Databases::setWaitLimits(const WaitLimits& limits) {
    limits_ = limits;
    for (auto& [key, c] : cache_) {
        c->limits = limits;
        c->setLockWait(limits.lockMs);
    }
}

Database Databases::open(const QString& programPath) {
    const Location loc = mapping_.resolve(programPath);
    if (!loc.valid()) {
        Database d;
        const bool none = programPath.trimmed().isEmpty();
        d.error_ =
            Error::make(Error::Kind::MissingFile, none ? QStringLiteral("(nessun percorso)") : programPath);
        if (!none)
            d.error_.archive = programPath;
        return d;
    }
    return openLocation(loc);
}

Database Databases::openLocation(const Location& loc) {
    static std::atomic<int> serial{0};
    Database d;
    const QString key = loc.key();
    if (loc.engine == Engine::Sqlite && !QFileInfo(loc.file).isFile()) {
        // SQLite would create an empty file: a missing store file is an error.
        cache_.erase(key);
        d.error_ = Error::make(Error::Kind::MissingFile, loc.path, loc.file).in(loc.path);
        return d;
    }
    if (auto it = cache_.find(key); it != cache_.end()) {
        if (it->second->db.isOpen() && !it->second->broken) {
            d.conn_ = it->second;
            d.conn_->location.path = loc.path;
            return d;
        }
        cache_.erase(it); // the server went away: connect anew
    }
    auto c = std::make_shared<Connection>();
    c->name = QStringLiteral("marbo-%1").arg(++serial);
    c->location = loc;
    c->engine = &detail::quirks(loc.engine);
    c->limits = limits_;
    const Error e = c->engine->open(*c);
    if (e && !(e.kind == Error::Kind::Locked && c->db.isOpen())) {
        d.error_ = e;
        return d;
    }
    // A file held locked by another program at the moment is still ours to
    // use: the connection stays, and the archive is busy for the moment.
    cache_[key] = c;
    d.conn_ = c;
    d.error_ = e;
    return d;
}

RowBatch::RowBatch(const Database& db, const QString& table, const QStringList& fields, bool byRowId)
    : db_(db)
    , table_(table) {
    if (!db.ok()) {
        error_ = db.error();
        return;
    }
    const auto info = db.connection()->tableInfo(table, &error_);
    if (!info)
        return;
    QStringList cols;
    if (byRowId)
        cols << QLatin1String(schema::kRowId);
    for (const QString& f : fields) {
        const int col = info->indexOf(f);
        if (col < 0) {
            error_ = Error::make(Error::Kind::MissingField, table + QLatin1Char('.') + f.trimmed())
                         .in(db.location().path);
            return;
        }
        kinds_.push_back(int(info->kinds[size_t(col)]));
        widths_.push_back(info->widths[size_t(col)]);
        columns_ << info->columns.at(col);
        cols << ident(info->columns.at(col));
    }
    head_ = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(ident(table), cols.join(QStringLiteral(", ")));
    if (byRowId) {
        // Every row named exists: the insert always meets its row and revises it.
        QStringList sets;
        for (int i = 1; i < cols.size(); ++i)
            sets << cols.at(i) + QStringLiteral(" = excluded.") + cols.at(i);
        tail_ = QStringLiteral(" ON CONFLICT (%1) DO UPDATE SET %2")
                    .arg(QLatin1String(schema::kRowId), sets.join(QStringLiteral(", ")));
    }
    // Values to a statement: on SQLite binding them costs more per value as a
    // statement holds more (2000 take twice the time of 200), so a statement
    // there holds a few rows; on a server each statement is a round trip, so a
    // statement holds a hundred rows or so.
    const int values = db.engine() == Engine::Sqlite ? 200 : 2000;
    perStatement_ = std::max<int>(1, values / std::max<int>(1, int(cols.size())));
}

Error RowBatch::add(const QVariantList& values) {
    if (error_)
        return error_;
    const int offset = int(values.size()) - int(kinds_.size());
    if (offset != 0 && offset != 1)
        return error_ = Error::make(Error::Kind::BadValue, table_).in(db_.location().path);
    if (offset == 1)
        pending_ << values.at(0);
    for (size_t i = 0; i < kinds_.size(); ++i) {
        const QVariant& v = values.at(int(i) + offset);
        if (asGiven_) {
            pending_ << v;
            continue;
        }
        const auto converted = detail::toDb(v, schema::Kind(kinds_[i]), widths_[i]);
        if (!converted)
            return error_ =
                       Error::make(Error::Kind::BadValue, table_ + QLatin1Char('.') + columns_.at(int(i)),
                                   v.toString().left(60))
                           .in(db_.location().path);
        pending_ << *converted;
    }
    if (++rows_ == perStatement_)
        return flush();
    return {};
}

Error RowBatch::flush() {
    if (rows_ > 0 && !error_) {
        const int perRow = int(pending_.size()) / rows_;
        const QString row = QLatin1Char('(') +
                            QStringList(perRow, QStringLiteral("?")).join(QStringLiteral(", ")) +
                            QLatin1Char(')');
        QString sql = head_ + row;
        for (int r = 1; r < rows_; ++r)
            sql += QStringLiteral(", ") + row;
        error_ = db_.executeNative(sql + tail_, pending_);
    }
    pending_.clear();
    rows_ = 0;
    return error_;
}

} // namespace data
