#include "data/database.h"

#include "data/connection.h"
#include "data/dialect.h"
#include "data/recordset.h"
#include "data/sqlite_functions.h"
#include "data/table.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QTime>
#include <atomic>
#include <cmath>
#include <sqlite3.h>

namespace data {

namespace detail {

int TableInfo::indexOf(const QString& field) const {
    const QString f = field.trimmed().toLower();
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i) == f)
            return i;
    return -1;
}

Connection::~Connection() {
    statements.clear();
    if (db.isValid()) {
        if (inTransaction)
            db.rollback();
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

Error Connection::classify(const QSqlError& e, const QString& subject) const {
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    const QString code = e.nativeErrorCode();
    const QString low = text.toLower();
    auto after = [&](const QString& marker) {
        const qsizetype at = low.indexOf(marker);
        if (at < 0)
            return subject;
        QString rest = text.mid(at + marker.size()).trimmed();
        rest.remove(QLatin1Char('"'));
        static const QRegularExpression nameEnd(QStringLiteral("[\\s,]"));
        const qsizetype end = rest.indexOf(nameEnd);
        return end < 0 ? rest : rest.left(end);
    };
    using K = Error::Kind;
    if (location.engine == Engine::Sqlite) {
        if (low.contains(QLatin1String("no such table")))
            return Error::make(K::MissingTable, after(QStringLiteral("no such table:")), text);
        if (low.contains(QLatin1String("no such column")))
            return Error::make(K::MissingField, after(QStringLiteral("no such column:")), text);
        if (low.contains(QLatin1String("has no column named")))
            return Error::make(K::MissingField, after(QStringLiteral("has no column named")), text);
        if (code == QLatin1String("5") || code == QLatin1String("6") ||
            low.contains(QLatin1String("locked")) || low.contains(QLatin1String("busy")))
            return Error::make(K::Locked, location.path, text);
        if (code == QLatin1String("19") || code == QLatin1String("20") ||
            low.contains(QLatin1String("constraint")) || low.contains(QLatin1String("datatype mismatch")))
            return Error::make(K::BadValue, subject, text);
        if (low.contains(QLatin1String("syntax error")))
            return Error::make(K::BadQuery, subject, text);
    } else {
        if (code == QLatin1String("42P01"))
            return Error::make(K::MissingTable, after(QStringLiteral("relation")), text);
        if (code == QLatin1String("42703"))
            return Error::make(K::MissingField, after(QStringLiteral("column")), text);
        if (code.startsWith(QLatin1String("22")) || code.startsWith(QLatin1String("23")) ||
            code == QLatin1String("42804"))
            return Error::make(K::BadValue, subject, text);
        if (code == QLatin1String("55P03") || code == QLatin1String("40P01") ||
            code == QLatin1String("40001"))
            return Error::make(K::Locked, location.path, text);
        if (code.startsWith(QLatin1String("42")))
            return Error::make(K::BadQuery, subject, text);
        if (code.startsWith(QLatin1String("08")) || low.contains(QLatin1String("connection")))
            return Error::make(K::MissingFile, location.path, text);
    }
    return Error::make(K::Engine, text.left(200), text);
}

QSqlQuery* Connection::prepared(const QString& sql, Error* error) {
    auto it = statements.find(sql);
    if (it != statements.end())
        return &it.value();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.prepare(sql)) {
        // A failed prepare must be reported here: later it would only show as a
        // misleading parameter count mismatch.
        if (error)
            *error = classify(q.lastError(), sql.left(120));
        return nullptr;
    }
    if (statements.size() > 500)
        statements.clear();
    return &statements.insert(sql, q).value();
}

bool Connection::run(QSqlQuery& q, const QVariantList& values, Error* error) {
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec()) {
        if (error)
            *error = classify(q.lastError(), q.lastQuery().left(120));
        q.finish();
        return false;
    }
    return true;
}

std::shared_ptr<TableInfo> Connection::tableInfo(const QString& name, Error* error) {
    const QString key = name.trimmed().toLower();
    if (auto it = tables.find(key); it != tables.end())
        return it.value();
    auto info = std::make_shared<TableInfo>();
    info->name = key;
    info->layout = schema::table(key);
    QStringList cols;
    if (location.engine == Engine::Sqlite) {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(ident(key)))) {
            while (q.next())
                cols << q.value(1).toString().toLower();
        }
    } else {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                 "WHERE table_schema = current_schema() AND table_name = ? "
                                 "ORDER BY ordinal_position"));
        q.addBindValue(key);
        if (q.exec()) {
            while (q.next())
                cols << q.value(0).toString().toLower();
        }
    }
    if (cols.isEmpty()) {
        if (error)
            *error = Error::make(Error::Kind::MissingTable, name.trimmed());
        return nullptr;
    }
    for (const QString& c : cols) {
        if (c == QLatin1String(schema::kRowId))
            continue;
        info->columns << c;
        const schema::Field* f = info->layout ? info->layout->field(c) : nullptr;
        info->kinds.push_back(f ? f->kind : schema::Kind::Text);
        info->widths.push_back(f ? f->width : 0);
    }
    tables.insert(key, info);
    return info;
}

QVariant fromDb(const QVariant& v, schema::Kind kind) {
    if (v.isNull() || !v.isValid())
        return QVariant();
    using schema::Kind;
    switch (kind) {
    case Kind::Int16:
    case Kind::Int32:
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const qlonglong n = v.toString().toLongLong(&ok);
            return ok ? QVariant(n) : v;
        }
        return QVariant(v.toLongLong());
    case Kind::Money: {
        const double d = v.toDouble();
        return QVariant(std::round(d * 10000.0) / 10000.0);
    }
    case Kind::Number:
    case Kind::Decimal:
        return QVariant(v.toDouble());
    case Kind::Date:
        if (v.typeId() == QMetaType::QDate)
            return v;
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        {
            const QString s = v.toString();
            QDate d = QDate::fromString(s.left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : v;
        }
    case Kind::Time:
        if (v.typeId() == QMetaType::QTime)
            return v;
        {
            QTime t = QTime::fromString(v.toString(), Qt::ISODate);
            return t.isValid() ? QVariant(t) : v;
        }
    case Kind::Text:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toString());
    }
    return v;
}

std::optional<QVariant> toDb(const QVariant& v, schema::Kind kind, int width) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    using schema::Kind;
    auto number = [&](bool* ok) -> double {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            return s.toDouble(ok);
        }
        return v.toDouble(ok);
    };
    switch (kind) {
    case Kind::Int16:
    case Kind::Int32: {
        bool ok = false;
        const double d = number(&ok);
        if (!ok || !std::isfinite(d))
            return std::nullopt;
        const double r = std::nearbyint(d);
        const double lim = kind == Kind::Int16 ? 32767.0 : 2147483647.0;
        if (r > lim || r < -lim - 1)
            return std::nullopt;
        return QVariant(static_cast<qlonglong>(r));
    }
    case Kind::Number:
    case Kind::Decimal:
    case Kind::Money: {
        bool ok = false;
        double d = number(&ok);
        if (!ok || !std::isfinite(d) || std::fabs(d) > 922337203685477.0)
            return std::nullopt;
        if (kind == Kind::Money)
            d = std::round(d * 10000.0) / 10000.0;
        return QVariant(d);
    }
    case Kind::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? std::optional<QVariant>(v) : std::nullopt;
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(v.toDateTime().date());
        const QDate d = QDate::fromString(v.toString().trimmed(), Qt::ISODate);
        if (!d.isValid())
            return std::nullopt;
        return QVariant(d);
    }
    case Kind::Time: {
        if (v.typeId() == QMetaType::QTime)
            return QVariant(v.toTime().toString(Qt::ISODate));
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(v.toDateTime().time().toString(Qt::ISODate));
        const QTime t = QTime::fromString(v.toString().trimmed(), Qt::ISODate);
        if (!t.isValid())
            return std::nullopt;
        return QVariant(t.toString(Qt::ISODate));
    }
    case Kind::Text: {
        QString s = v.typeId() == QMetaType::QString ? v.toString() : v.toString();
        // Trailing blanks carry nothing: keys compare without them.
        qsizetype end = s.size();
        while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
            --end;
        s.truncate(end);
        if (width > 0 && s.size() > width)
            return std::nullopt;
        return QVariant(s);
    }
    }
    return v;
}

} // namespace detail

// ---------------------------------------------------------------------------

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

Error Database::execute(const QString& desktopSql) const {
    if (!ok())
        return error_;
    Translated t = translate(desktopSql, engine());
    if (t.error)
        return t.error;
    return executeNative(t.sql, t.values);
}

Error Database::executeNative(const QString& sql, const QVariantList& values) const {
    if (!ok())
        return error_;
    Error e;
    if (values.isEmpty()) {
        // Nothing to bind: run it as it is (PostgreSQL cannot prepare DDL).
        QSqlQuery q(conn_->db);
        if (!q.exec(sql))
            e = conn_->classify(q.lastError(), sql.left(120));
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
                    e = conn_->classify(q->lastError(), sql.left(120));
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
    if (conn_->inTransaction)
        return Error::make(Error::Kind::Engine, QStringLiteral("transazione già aperta"));
    if (!conn_->db.transaction())
        return conn_->classify(conn_->db.lastError(), location().path);
    conn_->inTransaction = true;
    return {};
}

Error Database::commit() const {
    if (!ok())
        return error_;
    if (!conn_->inTransaction)
        return {};
    if (!conn_->db.commit()) {
        Error e = conn_->classify(conn_->db.lastError(), location().path);
        conn_->db.rollback();
        conn_->inTransaction = false;
        return e;
    }
    conn_->inTransaction = false;
    return {};
}

Error Database::rollback() const {
    if (!ok())
        return error_;
    if (!conn_->inTransaction)
        return {};
    conn_->inTransaction = false;
    if (!conn_->db.rollback())
        return conn_->classify(conn_->db.lastError(), location().path);
    return {};
}

bool Database::inTransaction() const {
    return conn_ && conn_->inTransaction;
}

ReadScope::ReadScope(const Database& db)
    : db_(db) {
    if (db.ok() && db.engine() == Engine::Sqlite && !db.inTransaction())
        began_ = db.begin().ok();
}

ReadScope::~ReadScope() {
    if (began_)
        db_.commit();
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

Database Databases::open(const QString& programPath) {
    const Location loc = mapping_.resolve(programPath);
    if (!loc.valid()) {
        Database d;
        d.error_ =
            Error::make(Error::Kind::MissingFile,
                        programPath.trimmed().isEmpty() ? QStringLiteral("(nessun percorso)") : programPath);
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
        d.error_ = Error::make(Error::Kind::MissingFile, loc.path, loc.file);
        return d;
    }
    if (auto it = cache_.find(key); it != cache_.end() && it->second->db.isOpen()) {
        d.conn_ = it->second;
        d.conn_->location.path = loc.path;
        return d;
    }
    auto c = std::make_shared<detail::Connection>();
    c->name = QStringLiteral("marbo-%1").arg(++serial);
    c->location = loc;
    if (loc.engine == Engine::Sqlite) {
        c->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->name);
        c->db.setDatabaseName(loc.file);
        c->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!c->db.open()) {
            d.error_ = Error::make(Error::Kind::MissingFile, loc.path, c->db.lastError().text());
            return d;
        }
        const QVariant h = c->db.driver()->handle();
        auto* handle = h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0
                           ? *static_cast<sqlite3* const*>(h.data())
                           : nullptr;
        if (!handle || registerSqliteFunctions(handle) != SQLITE_OK) {
            d.error_ = Error::make(Error::Kind::Engine, loc.path, QStringLiteral("sqlite functions"));
            return d;
        }
        // A larger page cache and memory-mapped reads: a scan seeks a few pages
        // of a large master file without a system call per page.
        QSqlQuery tune(c->db);
        tune.exec(QStringLiteral("PRAGMA cache_size = -16000"));
        tune.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        // In WAL mode a commit then waits for no disk flush: a program killed
        // or failing loses nothing committed and the file stays consistent;
        // only a power cut may take back the last commits before a checkpoint.
        tune.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        // The file must really be a database: reading its table list tells.
        QSqlQuery probe(c->db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            d.error_ = Error::make(Error::Kind::MissingFile, loc.path, probe.lastError().text());
            return d;
        }
    } else {
        c->db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), c->name);
        c->db.setHostName(loc.server.host);
        c->db.setPort(loc.server.port);
        c->db.setDatabaseName(loc.server.database);
        c->db.setUserName(loc.server.user);
        c->db.setPassword(loc.server.password);
        c->db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!c->db.open()) {
            d.error_ = Error::make(Error::Kind::MissingFile, loc.path, c->db.lastError().text());
            return d;
        }
        QSqlQuery q(c->db);
        q.prepare(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?"));
        q.addBindValue(loc.schema);
        if (!q.exec() || !q.next()) {
            d.error_ = Error::make(Error::Kind::MissingFile, loc.path, loc.schema);
            return d;
        }
        q.finish();
        if (!q.exec(QStringLiteral("SET search_path TO %1, public").arg(ident(loc.schema)))) {
            d.error_ = Error::make(Error::Kind::Engine, loc.path, q.lastError().text());
            return d;
        }
    }
    cache_[key] = c;
    d.conn_ = c;
    return d;
}

} // namespace data
