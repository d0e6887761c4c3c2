#include "data/connection.h"

#include "data/dialect.h"

#include <QRegularExpression>
#include <QSqlDriver>

namespace data::detail {

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
        if (tx != Tx::None)
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    if (reader.isValid()) {
        const QString readerName = reader.connectionName();
        reader.close();
        reader = QSqlDatabase();
        if (readerName != name)
            QSqlDatabase::removeDatabase(readerName);
    }
}

Error Connection::error(Error::Kind k, const QString& subject, const QString& detail) const {
    return Error::make(k, subject, detail).in(location.path);
}

Error Connection::failure(const QSqlError& e, const QString& table, const QString& sql) {
    Error out = engine->classify(e, *this, table, sql).in(location.path);
    if (out.kind == Error::Kind::Locked && limits.quietMs > 0)
        quietUntil = QDeadlineTimer(limits.quietMs);
    if (out.kind == Error::Kind::Unreachable)
        broken = true;
    if (tx == Tx::Write && !failed)
        failed = out;
    return out;
}

std::optional<Error> Connection::refusal() const {
    if (failed)
        return failed;
    if (!quietUntil.isForever() && !quietUntil.hasExpired())
        return error(Error::Kind::Locked, {},
                     QStringLiteral("non ritentato: l'archivio era occupato pochi istanti fa"));
    return std::nullopt;
}

QSqlQuery* Connection::prepared(const QString& sql, Error* error, const QString& table) {
    auto it = statements.find(sql);
    if (it != statements.end())
        return &it.value();
    if (const auto no = refusal()) {
        if (error)
            *error = *no;
        return nullptr;
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.prepare(sql)) {
        // A failed prepare must be reported here: later it would only show as a
        // misleading parameter count mismatch.
        const Error e = failure(q.lastError(), table, sql);
        if (error)
            *error = e;
        return nullptr;
    }
    if (statements.size() > 500)
        statements.clear();
    return &statements.insert(sql, q).value();
}

bool Connection::run(QSqlQuery& q, const QVariantList& values, Error* error, const QString& table) {
    if (const auto no = refusal()) {
        if (error)
            *error = *no;
        return false;
    }
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, bindable(values.at(i), *engine));
    if (!q.exec()) {
        const Error e = failure(q.lastError(), table, q.lastQuery());
        if (error)
            *error = e;
        q.finish();
        return false;
    }
    return true;
}

bool Connection::runOwn(QSqlQuery& q, const QString& sql, const QVariantList& values, Error* error) {
    if (const auto no = refusal()) {
        if (error)
            *error = *no;
        return false;
    }
    if (!q.prepare(sql)) {
        const Error e = failure(q.lastError(), {}, sql);
        if (error)
            *error = e;
        return false;
    }
    return run(q, values, error);
}

bool Connection::exec(const QString& sql, Error* error, const QString& table) {
    if (const auto no = refusal()) {
        if (error)
            *error = *no;
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        const Error e = failure(q.lastError(), table, sql);
        if (error)
            *error = e;
        return false;
    }
    return true;
}

bool Connection::control(const QString& sql, Error* error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    const Error e = engine->classify(q.lastError(), *this, {}, sql).in(location.path);
    if (e.kind == Error::Kind::Locked && limits.quietMs > 0)
        quietUntil = QDeadlineTimer(limits.quietMs);
    if (error)
        *error = e;
    return false;
}

Error Connection::begin(Tx kind) {
    if (const auto no = refusal())
        return *no;
    // Statements prepared before stay usable; none may be halfway through a walk.
    Error e;
    if (!control(kind == Tx::Write ? engine->beginWrite() : QStringLiteral("BEGIN"), &e))
        return e;
    tx = kind;
    ++txSerial;
    savepoints = 0;
    failed.reset();
    return {};
}

Error Connection::commit() {
    if (tx == Tx::None)
        return {};
    if (failed) {
        // A transaction with a failed statement is never committed halfway.
        const Error e = *failed;
        rollback();
        return e;
    }
    Error e;
    if (!control(QStringLiteral("COMMIT"), &e)) {
        control(QStringLiteral("ROLLBACK"), nullptr);
        tx = Tx::None;
        savepoints = 0;
        failed.reset();
        return e;
    }
    tx = Tx::None;
    savepoints = 0;
    return {};
}

Error Connection::rollback() {
    if (tx == Tx::None)
        return {};
    tx = Tx::None;
    savepoints = 0;
    failed.reset();
    Error e;
    if (!control(QStringLiteral("ROLLBACK"), &e))
        return e;
    return {};
}

Error Connection::savepoint() {
    if (failed)
        return *failed;
    Error e;
    if (!control(QStringLiteral("SAVEPOINT marbo_%1").arg(savepoints + 1), &e))
        return e;
    ++savepoints;
    return {};
}

Error Connection::releaseSavepoint() {
    if (savepoints == 0)
        return {};
    if (failed)
        return *failed;
    Error e;
    control(QStringLiteral("RELEASE SAVEPOINT marbo_%1").arg(savepoints), &e);
    --savepoints;
    return e;
}

Error Connection::rollbackToSavepoint() {
    if (savepoints == 0)
        return {};
    Error e;
    const QString name = QStringLiteral("marbo_%1").arg(savepoints);
    --savepoints;
    if (control(QStringLiteral("ROLLBACK TO SAVEPOINT ") + name, &e) &&
        control(QStringLiteral("RELEASE SAVEPOINT ") + name, &e)) {
        // What failed inside the nested scope is undone with it.
        failed.reset();
        return {};
    }
    return e;
}

void Connection::setLockWait(int milliseconds) {
    engine->setLockWait(*this, milliseconds);
}

std::shared_ptr<TableInfo> Connection::tableInfo(const QString& name, Error* error) {
    const QString key = name.trimmed().toLower();
    if (auto it = tables.find(key); it != tables.end())
        return it.value();
    Error e;
    const QStringList cols = engine->columns(*this, key, &e);
    if (e) {
        if (error)
            *error = e;
        return nullptr;
    }
    if (cols.isEmpty()) {
        if (error)
            *error = this->error(Error::Kind::MissingTable, name.trimmed());
        return nullptr;
    }
    auto info = std::make_shared<TableInfo>();
    info->name = key;
    info->layout = schema::table(key);
    for (const QString& c : cols) {
        if (c == QLatin1String(schema::kRowId))
            continue;
        info->columns << c;
        const schema::Field* f = info->layout ? info->layout->field(c) : nullptr;
        info->kinds.push_back(f ? f->kind : schema::Kind::Text);
        info->widths.push_back(f ? f->width : 0);
    }
    if (info->layout) {
        // A table without a field the program reads is a damaged store: it is
        // reported, never read as Null.
        for (const schema::Field& f : info->layout->fields) {
            if (!cols.contains(f.name.toLower())) {
                info->missingField = key + QLatin1Char('.') + f.name;
                break;
            }
        }
    }
    tables.insert(key, info);
    return info;
}

} // namespace data::detail

namespace data::detail {

const EngineQuirks& sqliteQuirks();
const EngineQuirks& postgresQuirks();

const EngineQuirks& quirks(Engine engine) {
    return engine == Engine::Sqlite ? sqliteQuirks() : postgresQuirks();
}

// The table a statement writes or reads first, for the operator's message.
QString statementTable(const QString& sql) {
    static const QRegularExpression table(
        QStringLiteral("\\b(?:into|update|from)\\s+\"?([\\w\\x{00C0}-\\x{024F}]+)\"?"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const auto m = table.match(sql);
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

} // namespace data::detail
