#include "data/schema.h"

#include "data/ddl.h"
#include "data/dialect.h"
#include "data/engine.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace data::schema {

const Field* Table::field(const QString& n) const {
    for (const Field& f : fields)
        if (f.name.compare(n, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const Index* Table::index(const QString& n) const {
    for (const Index& i : indexes)
        if (i.name.compare(n, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

const Table* table(const QString& name) {
    static const QHash<QString, const Table*> byName = [] {
        QHash<QString, const Table*> h;
        for (const Table& t : tables())
            h.insert(t.name.toLower(), &t);
        return h;
    }();
    return byName.value(name.trimmed().toLower(), nullptr);
}

} // namespace data::schema

namespace data {

QStringList tableDdl(const schema::Table& t, Engine e) {
    const detail::EngineQuirks& engine = detail::quirks(e);
    QStringList cols;
    cols << ident(QLatin1String(schema::kRowId)) + QLatin1Char(' ') + engine.rowIdColumn();
    for (const schema::Field& f : t.fields)
        cols << ident(f.name) + QLatin1Char(' ') + engine.columnType(f);
    QStringList out;
    out << QStringLiteral("CREATE TABLE %1 (%2)").arg(ident(t.name), cols.join(QStringLiteral(", ")));
    for (const schema::Index& i : t.indexes) {
        QStringList c;
        for (const QString& col : i.columns) {
            if (!i.trimmed) {
                c << ident(col);
                continue;
            }
            // The very expression the translated queries compare, so that
            // the engine finds the index for them.
            const QString key = engine.textResult(QStringLiteral("trim(%1)").arg(ident(col)));
            c << (e == Engine::Postgres ? QLatin1Char('(') + key + QLatin1Char(')') : key);
        }
        out << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                   .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(),
                        ident(t.name + QLatin1Char('_') + i.name), ident(t.name),
                        c.join(QStringLiteral(", ")));
    }
    return out;
}

Database createDatabase(Databases& dbs, const QString& programPath, unsigned files, Error* error) {
    Error e;
    const Location loc = dbs.mapping().resolve(programPath);
    auto fail = [&](Error err) {
        if (error)
            *error = err;
        return Database();
    };
    if (!loc.valid())
        return fail(Error::make(Error::Kind::MissingFile, programPath));
    // No connection may stay on a file that is about to be replaced.
    dbs.closeAll();
    if (loc.engine == Engine::Sqlite) {
        QDir().mkpath(QFileInfo(loc.file).absolutePath());
        QFile::remove(loc.file);
        const QString name = QStringLiteral("marbo-create");
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            raw.setDatabaseName(loc.file);
            if (!raw.open()) {
                const QString why = raw.lastError().text();
                raw = QSqlDatabase();
                QSqlDatabase::removeDatabase(name);
                return fail(Error::make(Error::Kind::MissingFile, programPath, why));
            }
            // Readers never wait on file locks and a commit writes the log once.
            QSqlQuery(raw).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
            QSqlQuery(raw).exec(QStringLiteral("PRAGMA user_version = 1"));
            raw.close();
        }
        QSqlDatabase::removeDatabase(name);
    } else {
        // The schema that stands for the file on the server.
        const QString name = QStringLiteral("marbo-create-pg");
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            raw.setHostName(loc.server.host);
            raw.setPort(loc.server.port);
            raw.setDatabaseName(loc.server.database);
            raw.setUserName(loc.server.user);
            raw.setPassword(loc.server.password);
            QString why;
            if (!raw.open()) {
                why = raw.lastError().text();
            } else {
                QSqlQuery q(raw);
                for (const QString& s :
                     {QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"),
                      QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(ident(loc.schema)),
                      QStringLiteral("CREATE SCHEMA %1").arg(ident(loc.schema))}) {
                    if (!q.exec(s)) {
                        why = q.lastError().text();
                        break;
                    }
                }
                raw.close();
            }
            raw = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            if (!why.isEmpty())
                return fail(Error::make(Error::Kind::MissingFile, programPath, why));
        }
    }
    Database db = dbs.openLocation(loc);
    if (!db.ok())
        return fail(db.error());
    if (Error te = createTables(db, files); te)
        return fail(te);
    if (error)
        *error = {};
    return db;
}

Error createTables(const Database& db, unsigned files) {
    WriteScope w(db);
    if (!w.ok())
        return w.error();
    for (const schema::Table& t : schema::tables()) {
        if (!(t.files & files))
            continue;
        for (const QString& stmt : tableDdl(t, db.engine()))
            if (Error e = db.executeNative(stmt); e)
                return e;
    }
    return w.commit();
}

Error createTable(const Database& db, const schema::Table& t) {
    WriteScope w(db);
    if (!w.ok())
        return w.error();
    for (const QString& stmt : tableDdl(t, db.engine()))
        if (Error e = db.executeNative(stmt); e)
            return e;
    return w.commit();
}

} // namespace data
