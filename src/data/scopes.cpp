// Transactions as objects: the reads of one scan under one read transaction,
// and every multi-row write or find-or-insert under one write transaction that
// no path can leave open.
#include "data/connection.h"
#include "data/database.h"

namespace data {

using detail::Connection;

namespace {

// A stable 64-bit key of (table, key values), with text keys folded as they
// compare: no case, no trailing blanks, no control characters.
qint64 keyHash(const QString& table, const QVariantList& key) {
    QString text = table.trimmed().toLower();
    for (const QVariant& v : key) {
        text += QChar(0x1F);
        if (!v.isValid() || v.isNull()) {
            text += QStringLiteral("\\N");
            continue;
        }
        if (v.typeId() != QMetaType::QString) {
            if (const auto d = Decimal::fromVariant(v)) {
                text += d->toText();
                continue;
            }
        }
        QString s = detail::withoutControls(v.toString()).toCaseFolded();
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        text += s;
    }
    // FNV-1a over the UTF-8 bytes.
    quint64 h = 14695981039346656037ull;
    for (const char c : text.toUtf8()) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return static_cast<qint64>(h);
}

} // namespace

ReadScope::ReadScope(const Database& db)
    : db_(db) {
    if (!db.ok() || db.engine() != Engine::Sqlite || db.inTransaction())
        return;
    Connection* c = db.connection().get();
    if (c->begin(Connection::Tx::Read).ok())
        serial_ = c->txSerial;
}

ReadScope::~ReadScope() {
    if (serial_ == 0)
        return;
    Connection* c = db_.connection().get();
    // Only the read transaction this scope began: a write begun meanwhile ended it.
    if (c->tx == Connection::Tx::Read && c->txSerial == serial_)
        c->commit();
}

WriteScope::WriteScope(const Database& db)
    : db_(db) {
    if (!db.ok()) {
        error_ = db.error();
        return;
    }
    Connection* c = db.connection().get();
    if (c->tx == Connection::Tx::Write) {
        error_ = c->savepoint();
        nested_ = open_ = error_.ok();
        serial_ = c->txSerial;
        return;
    }
    if (c->tx == Connection::Tx::Read)
        c->commit(); // the reads of this action so far end here
    error_ = c->begin(Connection::Tx::Write);
    open_ = error_.ok();
    serial_ = c->txSerial;
}

WriteScope::~WriteScope() {
    rollback();
}

Error WriteScope::lockKey(const QString& table, const QVariantList& key) {
    if (!open_)
        return error_ ? error_
                      : Error::make(Error::Kind::Engine, table, QStringLiteral("lockKey fuori transazione"))
                            .in(db_.location().path);
    Connection* c = db_.connection().get();
    const QString sql = c->engine->keyLock();
    if (sql.isEmpty())
        return {}; // the write lock of the transaction covers every key
    Error e;
    if (QSqlQuery* q = c->prepared(sql, &e, table)) {
        c->run(*q, {keyHash(table, key)}, &e, table);
        q->finish();
    }
    return e;
}

Error WriteScope::commit() {
    if (!open_)
        return error_ ? error_
                      : Error::make(Error::Kind::Engine, {}, QStringLiteral("transazione già chiusa"))
                            .in(db_.location().path);
    open_ = false;
    Connection* c = db_.connection().get();
    if (c->tx != Connection::Tx::Write || c->txSerial != serial_)
        return error_ = Error::make(Error::Kind::Engine, {}, QStringLiteral("transazione chiusa altrove"))
                            .in(db_.location().path);
    if (nested_) {
        if (c->failed) {
            error_ = *c->failed;
            c->rollbackToSavepoint();
            return error_;
        }
        return error_ = c->releaseSavepoint();
    }
    return error_ = c->commit();
}

void WriteScope::rollback() {
    if (!open_)
        return;
    open_ = false;
    Connection* c = db_.connection().get();
    if (c->tx != Connection::Tx::Write || c->txSerial != serial_)
        return;
    if (nested_)
        c->rollbackToSavepoint();
    else
        c->rollback();
}

} // namespace data
