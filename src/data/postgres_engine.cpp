// The server engine's quirks: a database file is a schema of the server
// database; every wait is bounded by the session's lock and statement
// timeouts; text columns are citext; a key is locked with a transaction-scoped
// advisory lock; errors are told by their SQLSTATE.
#include "data/connection.h"
#include "data/dialect.h"

#include <QRegularExpression>
#include <QSqlDriver>

namespace data::detail {

QString statementTable(const QString& sql);

namespace {

using K = Error::Kind;

// The first double-quoted name after a marker ("relation \"codean\" does not exist").
QString quotedAfter(const QString& text, const QString& marker) {
    const qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const qsizetype open = text.indexOf(QLatin1Char('"'), at + marker.size());
    const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return {};
    return text.mid(open + 1, close - open - 1);
}

class Postgres final : public EngineQuirks {
public:
    Error open(Connection& c) const override {
        const Location& loc = c.location;
        c.db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), c.name);
        c.db.setHostName(loc.server.host);
        c.db.setPort(loc.server.port);
        c.db.setDatabaseName(loc.server.database);
        c.db.setUserName(loc.server.user);
        c.db.setPassword(loc.server.password);
        c.db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!c.db.open()) {
            const QString why = c.db.lastError().text();
            const QString low = why.toLower();
            if (low.contains(QLatin1String("does not exist")))
                return c.error(K::MissingFile, loc.path, why);
            if (low.contains(QLatin1String("authentication")) || low.contains(QLatin1String("password")) ||
                low.contains(QLatin1String("permission denied")) || low.contains(QLatin1String("pg_hba")))
                return c.error(K::NoRights, {}, why);
            return c.error(K::Unreachable, {}, why);
        }
        Error e;
        QSqlQuery q(c.db);
        q.prepare(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?"));
        q.addBindValue(loc.schema);
        if (!q.exec())
            return c.failure(q.lastError(), {}, q.lastQuery());
        if (!q.next())
            return c.error(K::MissingFile, loc.path, loc.schema);
        q.finish();
        // Every wait for another workstation's lock, and every statement, ends
        // after a few seconds with "busy" instead of hanging the handheld.
        const QStringList settings{QStringLiteral("SET search_path TO %1, public").arg(ident(loc.schema)),
                                   QStringLiteral("SET lock_timeout = %1").arg(c.limits.lockMs),
                                   QStringLiteral("SET statement_timeout = %1").arg(c.limits.statementMs),
                                   QStringLiteral("SET application_name = 'marbo-wifi'")};
        for (const QString& s : settings)
            if (!c.exec(s, &e))
                return e;
        return {};
    }

    Error classify(const QSqlError& err, const Connection& c, const QString& table,
                   const QString& sql) const override {
        const QString text = err.databaseText().isEmpty() ? err.text() : err.databaseText();
        const QString code = err.nativeErrorCode();
        const QString subject = table.isEmpty() ? statementTable(sql) : table;
        const QString detail = sql.isEmpty() ? text : text + QStringLiteral(" | ") + sql;
        auto make = [&](K k, const QString& s) { return Error::make(k, s, detail); };
        auto is = [&](const char* c) { return code == QLatin1String(c); };
        auto classOf = [&](const char* c) { return code.startsWith(QLatin1String(c)); };
        if (is("42P01"))
            return make(K::MissingTable, quotedAfter(text, QStringLiteral("relation")));
        if (is("42703")) {
            const QString field = quotedAfter(text, QStringLiteral("column"));
            const QString of = quotedAfter(text, QStringLiteral("of relation"));
            const QString t = of.isEmpty() ? subject : of;
            return make(K::MissingField, t.isEmpty() || field.contains(QLatin1Char('.'))
                                             ? field
                                             : t + QLatin1Char('.') + field);
        }
        if (is("23505"))
            return make(K::Duplicate, subject);
        if (classOf("22") || classOf("23") || is("42804"))
            return make(K::BadValue, subject);
        // Lock wait or statement timeout, deadlock, serialization failure.
        if (is("55P03") || is("57014") || is("40P01") || is("40001"))
            return make(K::Locked, subject);
        if (is("25006"))
            return make(K::ReadOnly, subject);
        if (is("42501"))
            return make(K::NoRights, subject);
        if (classOf("XX"))
            return make(K::Damaged, subject);
        if (classOf("08") || is("57P01") || is("57P02") || is("57P03"))
            return make(K::Unreachable, subject);
        if (classOf("42"))
            return make(K::BadQuery, subject);
        if (code.isEmpty()) {
            const QString low = text.toLower();
            if (low.contains(QLatin1String("connection")) || low.contains(QLatin1String("server closed")))
                return make(K::Unreachable, subject);
        }
        return make(K::Engine, subject);
    }

    QSqlDatabase gridConnection(Connection& c) const override {
        return c.db; // a query's rows come whole: no read stays open
    }

    void setLockWait(Connection& c, int milliseconds) const override {
        if (c.db.isOpen())
            QSqlQuery(c.db).exec(QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
    }

    QStringList columns(Connection& c, const QString& table, Error* error) const override {
        QStringList cols;
        const QString sql = QStringLiteral("SELECT column_name FROM information_schema.columns "
                                           "WHERE table_schema = current_schema() AND table_name = ? "
                                           "ORDER BY ordinal_position");
        QSqlQuery* q = c.prepared(sql, error);
        if (!q || !c.run(*q, {table}, error))
            return cols;
        while (q->next())
            cols << q->value(0).toString().toLower();
        q->finish();
        return cols;
    }

    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    QString keyLock() const override {
        // Held until the transaction ends, waited for no longer than lock_timeout.
        return QStringLiteral("SELECT pg_advisory_xact_lock(?)");
    }

    QString addition(const QString& column, int decimals) const override {
        // Through numeric whatever the column's type, so a store whose
        // quantities are floating columns adds exactly too.
        return QStringLiteral("round(CAST(coalesce(%1, 0) AS numeric) + CAST(? AS numeric), %2)")
            .arg(column)
            .arg(decimals);
    }
    QVariant amount(Decimal d) const override { return QVariant(d.toText()); }
    QString textKey(const QString& expression) const override {
        return QStringLiteral("CAST(rtrim(%1) AS citext)").arg(expression);
    }
    QString textResult(const QString& expression) const override {
        return QStringLiteral("CAST(%1 AS citext)").arg(expression);
    }
    QString like() const override { return QStringLiteral("ILIKE"); }
    QString nullsOrder(bool descending) const override {
        return descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
    }

    QString rowIdColumn() const override { return QStringLiteral("bigserial PRIMARY KEY"); }
    QString columnType(const schema::Field& f) const override {
        using schema::Kind;
        switch (f.kind) {
        case Kind::Text:
            return QStringLiteral("citext");
        case Kind::Int16:
            return QStringLiteral("smallint");
        case Kind::Int32:
            return QStringLiteral("integer");
        case Kind::Number:
            return QStringLiteral("numeric(18,3)");
        case Kind::Decimal:
        case Kind::Money:
            return QStringLiteral("numeric(19,4)");
        case Kind::Date:
            return QStringLiteral("date");
        case Kind::Time:
            return QStringLiteral("time");
        }
        return QStringLiteral("text");
    }
};

} // namespace

const EngineQuirks& postgresQuirks() {
    static const Postgres quirks;
    return quirks;
}

} // namespace data::detail
