// The embedded engine's quirks: opening a file and telling what kind of file it
// is, its result codes, the write lock taken up front, and the collation and
// functions that keep text keys and exact decimals.
#include "data/connection.h"
#include "data/dialect.h"
#include "data/sqlite_functions.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <sqlite3.h>

namespace data::detail {

QString statementTable(const QString& sql);

namespace {

using K = Error::Kind;

// The word after a marker in an engine text ("no such table: codean").
QString nameAfter(const QString& text, const QString& marker) {
    const qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QString rest = text.mid(at + marker.size()).trimmed();
    rest.remove(QLatin1Char('"'));
    static const QRegularExpression nameEnd(QStringLiteral("[\\s,]"));
    const qsizetype end = rest.indexOf(nameEnd);
    return end < 0 ? rest : rest.left(end);
}

class Sqlite final : public EngineQuirks {
public:
    Error open(Connection& c) const override {
        Error e = openFile(c, c.db, c.name);
        if (e)
            return e;
        const QVariant h = c.db.driver()->handle();
        c.handle = *static_cast<sqlite3* const*>(h.data());
        setLockWait(c, c.limits.lockMs);
        // The file must really be a database: reading its table list tells,
        // after waiting for a program that holds it locked.
        if (!c.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"), &e))
            return e;
        return {};
    }

    QSqlDatabase gridConnection(Connection& c) const override {
        // A grid fetches as it scrolls and so keeps a read snapshot open: on the
        // connection the program writes through, every write would then be
        // refused once another workstation wrote. It reads through its own.
        if (!c.reader.isValid()) {
            const QString name = c.name + QStringLiteral("-grid");
            QSqlDatabase reader;
            if (openFile(c, reader, name)) {
                reader = QSqlDatabase();
                QSqlDatabase::removeDatabase(name);
                return c.db;
            }
            const QVariant h = reader.driver()->handle();
            sqlite3_busy_timeout(*static_cast<sqlite3* const*>(h.data()), c.limits.lockMs);
            c.reader = reader;
        }
        return c.reader;
    }

private:
    // Opens the file on a Qt connection with the collation, the functions and
    // the settings of every connection of this program.
    Error openFile(Connection& c, QSqlDatabase& db, const QString& name) const {
        const QFileInfo file(c.location.file);
        if (!file.isFile())
            return c.error(K::MissingFile, c.location.path, c.location.file);
        // An empty file would open as an empty database: it is none of ours.
        if (file.size() == 0)
            return c.error(K::NotADatabase, c.location.path, QStringLiteral("file vuoto"));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(c.location.file);
        if (!db.open())
            return classify(db.lastError(), c, {}, {}).in(c.location.path);
        const QVariant h = db.driver()->handle();
        auto* handle = h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0
                           ? *static_cast<sqlite3* const*>(h.data())
                           : nullptr;
        if (!handle || registerSqliteFunctions(handle) != SQLITE_OK)
            return c.error(K::Engine, {}, QStringLiteral("sqlite functions"));
        // A larger page cache and memory-mapped reads: a scan seeks a few pages
        // of a large master file without a system call per page.
        QSqlQuery tune(db);
        tune.exec(QStringLiteral("PRAGMA cache_size = -16000"));
        tune.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        // In WAL mode a commit then waits for no disk flush: a program killed
        // or failing loses nothing committed and the file stays consistent;
        // only a power cut may take back the last commits before a checkpoint.
        tune.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        return {};
    }

public:
    Error classify(const QSqlError& err, const Connection& c, const QString& table,
                   const QString& sql) const override {
        const QString text = err.databaseText().isEmpty() ? err.text() : err.databaseText();
        const int code = err.nativeErrorCode().toInt() & 0xff;
        const QString subject = table.isEmpty() ? statementTable(sql) : table;
        const QString detail = sql.isEmpty() ? text : text + QStringLiteral(" | ") + sql;
        auto make = [&](K k, const QString& s) { return Error::make(k, s, detail); };
        const QString low = text.toLower();
        if (low.contains(QLatin1String("no such table")))
            return make(K::MissingTable, nameAfter(text, QStringLiteral("no such table:")));
        if (low.contains(QLatin1String("no such column")))
            return make(K::MissingField,
                        qualified(subject, nameAfter(text, QStringLiteral("no such column:"))));
        if (low.contains(QLatin1String("has no column named")))
            return make(K::MissingField, nameAfter(text, QStringLiteral("table")) + QLatin1Char('.') +
                                             nameAfter(text, QStringLiteral("has no column named")));
        if (low.contains(QLatin1String(kOutOfRange)))
            return make(K::BadValue, subject);
        switch (code) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return make(K::Locked, subject);
        case SQLITE_CONSTRAINT:
            if (low.contains(QLatin1String("unique")) || low.contains(QLatin1String("primary key"))) {
                const QString t = nameAfter(text, QStringLiteral("failed:")).section(QLatin1Char('.'), 0, 0);
                return make(K::Duplicate, t.isEmpty() ? subject : t);
            }
            return make(K::BadValue, subject);
        case SQLITE_MISMATCH:
        case SQLITE_TOOBIG:
        case SQLITE_RANGE:
            return make(K::BadValue, subject);
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH: {
            // Whose rights are missing: the folder's (the journal cannot be
            // made beside the file) or the file's own.
            const QFileInfo file(c.location.file);
            if (!file.exists())
                return make(K::MissingFile, c.location.path);
            if (!QFileInfo(file.absolutePath()).isWritable())
                return make(K::NoRights, subject);
            if (!file.isWritable() || code == SQLITE_READONLY)
                return make(K::ReadOnly, subject);
            return make(K::NoRights, subject);
        }
        case SQLITE_NOTADB:
            return make(K::NotADatabase, subject);
        case SQLITE_CORRUPT:
        case SQLITE_IOERR:
        case SQLITE_FORMAT:
            return make(K::Damaged, subject);
        default:
            break;
        }
        if (low.contains(QLatin1String("syntax error")) || low.contains(QLatin1String("parameter count")))
            return make(K::BadQuery, subject);
        return make(K::Engine, subject);
    }

    void setLockWait(Connection& c, int milliseconds) const override {
        if (c.handle)
            sqlite3_busy_timeout(static_cast<sqlite3*>(c.handle), milliseconds);
    }

    QStringList columns(Connection& c, const QString& table, Error* error) const override {
        QStringList cols;
        QSqlQuery q(c.db);
        if (const auto no = c.refusal()) {
            *error = *no;
            return cols;
        }
        if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(ident(table)))) {
            *error = c.failure(q.lastError(), table, {});
            return cols;
        }
        while (q.next())
            cols << q.value(1).toString().toLower();
        return cols;
    }

    QString beginWrite() const override {
        // The write lock from the start: a transaction that read first and
        // wrote later would be refused at once when another workstation wrote
        // in between, instead of waiting its turn.
        return QStringLiteral("BEGIN IMMEDIATE");
    }
    QString keyLock() const override { return {}; }

    QString addition(const QString& column, int decimals) const override {
        return QStringLiteral("marbo_add(%1, ?, %2)").arg(column).arg(decimals);
    }
    QVariant amount(Decimal d) const override { return QVariant(d.toDouble()); }
    QString textKey(const QString& expression) const override {
        return QStringLiteral("(%1) COLLATE %2").arg(expression, QLatin1String(kTextCollation));
    }
    QString textResult(const QString& expression) const override {
        return QStringLiteral("%1 COLLATE %2").arg(expression, QLatin1String(kTextCollation));
    }
    QString like() const override { return QStringLiteral("LIKE"); }
    QString nullsOrder(bool) const override { return {}; } // Null is the smallest value here

    QString rowIdColumn() const override { return QStringLiteral("INTEGER PRIMARY KEY"); }
    QString columnType(const schema::Field& f) const override {
        using schema::Kind;
        switch (f.kind) {
        case Kind::Text:
            return QStringLiteral("TEXT COLLATE ") + QLatin1String(kTextCollation);
        case Kind::Int16:
        case Kind::Int32:
            return QStringLiteral("INTEGER");
        case Kind::Number:
        case Kind::Decimal:
        case Kind::Money:
            return QStringLiteral("REAL");
        case Kind::Date:
            return QStringLiteral("DATE");
        case Kind::Time:
            return QStringLiteral("TEXT");
        }
        return QStringLiteral("TEXT");
    }

private:
    static QString qualified(const QString& table, const QString& field) {
        return table.isEmpty() || field.contains(QLatin1Char('.')) ? field : table + QLatin1Char('.') + field;
    }
};

} // namespace

const EngineQuirks& sqliteQuirks() {
    static const Sqlite quirks;
    return quirks;
}

} // namespace data::detail
