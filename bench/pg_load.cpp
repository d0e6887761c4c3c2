// pg-load ROOT CONNINFO: copies the large store made by make-large under ROOT
// (SQLite files) onto a PostgreSQL server, each database file into the schema
// the program maps it to, row for row and in the same row order (the row ids
// are kept), so both engines are measured on the same data. Tables are filled
// with COPY before their indexes are built: the whole store loads in seconds.
#include "data/ddl.h"
#include "data/dialect.h"
#include "data/location.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

struct File {
    const char* path;
    unsigned tables;
};
const File kFiles[] = {
    {"c:\\vesk\\marbo.mdb", data::schema::Settings},
    {"c:\\marbo\\dati.mdb", data::schema::StoreDb | data::schema::WorkDb | data::schema::PriceCmpDb},
    {"c:\\marbo\\bancacodean.mdb", data::schema::StoreDb | data::schema::WorkDb | data::schema::PriceCmpDb},
};

QTextStream err(stderr);

bool run(PGconn* pg, const QString& sql) {
    PGresult* r = PQexec(pg, sql.toUtf8().constData());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
    if (!ok)
        err << "pg-load: " << PQresultErrorMessage(r) << "  in: " << sql.left(200) << "\n";
    PQclear(r);
    return ok;
}

// One value in COPY's text format.
void appendCopyValue(QByteArray& out, sqlite3_stmt* st, int column) {
    if (sqlite3_column_type(st, column) == SQLITE_NULL) {
        out += "\\N";
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    const int n = sqlite3_column_bytes(st, column);
    for (int i = 0; i < n; ++i) {
        const char c = text[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

bool copyTable(sqlite3* lite, PGconn* pg, const data::schema::Table& t, qint64* rows) {
    QStringList cols{QString::fromLatin1(data::schema::kRowId)};
    for (const auto& f : t.fields)
        cols << data::ident(f.name);
    const QString list = cols.join(QStringLiteral(", "));
    sqlite3_stmt* st = nullptr;
    const QByteArray select = QStringLiteral("SELECT %1 FROM %2").arg(list, data::ident(t.name)).toUtf8();
    if (sqlite3_prepare_v2(lite, select.constData(), -1, &st, nullptr) != SQLITE_OK) {
        err << "pg-load: " << sqlite3_errmsg(lite) << "  in: " << select << "\n";
        return false;
    }
    const QByteArray copy = QStringLiteral("COPY %1 (%2) FROM STDIN").arg(data::ident(t.name), list).toUtf8();
    PGresult* r = PQexec(pg, copy.constData());
    if (PQresultStatus(r) != PGRES_COPY_IN) {
        err << "pg-load: " << PQresultErrorMessage(r) << "\n";
        PQclear(r);
        sqlite3_finalize(st);
        return false;
    }
    PQclear(r);
    QByteArray buffer;
    bool ok = true;
    while (ok && sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < int(cols.size()); ++c) {
            if (c)
                buffer += '\t';
            appendCopyValue(buffer, st, c);
        }
        buffer += '\n';
        ++*rows;
        if (buffer.size() > (1 << 20)) {
            ok = PQputCopyData(pg, buffer.constData(), int(buffer.size())) == 1;
            buffer.clear();
        }
    }
    sqlite3_finalize(st);
    if (ok && !buffer.isEmpty())
        ok = PQputCopyData(pg, buffer.constData(), int(buffer.size())) == 1;
    PQputCopyEnd(pg, ok ? nullptr : "aborted");
    while ((r = PQgetResult(pg)) != nullptr) {
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            err << "pg-load: " << t.name << ": " << PQresultErrorMessage(r) << "\n";
            ok = false;
        }
        PQclear(r);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: pg-load ROOT CONNINFO\n";
        return 2;
    }
    const QString root = args.at(1);
    PGconn* pg = PQconnectdb(args.at(2).toUtf8().constData());
    if (PQstatus(pg) != CONNECTION_OK) {
        err << "pg-load: " << PQerrorMessage(pg) << "\n";
        return 1;
    }
    PQsetNoticeProcessor(
        pg, [](void*, const char*) {}, nullptr);
    // The schema names the program gives the files when drive c: is a server.
    data::DriveMapping mapping(root);
    mapping.mapToPostgres(QLatin1Char('c'), data::PgServer{});
    QElapsedTimer clock;
    clock.start();
    qint64 rows = 0;
    bool ok = run(pg, QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
    for (const File& file : kFiles) {
        const QString schema = mapping.resolve(QString::fromLatin1(file.path)).schema;
        const QString sqliteFile = data::DriveMapping(root).resolve(QString::fromLatin1(file.path)).file;
        sqlite3* lite = nullptr;
        if (sqlite3_open_v2(sqliteFile.toUtf8().constData(), &lite, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            err << "pg-load: cannot open " << sqliteFile << "\n";
            return 1;
        }
        ok = ok && run(pg, QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(data::ident(schema))) &&
             run(pg, QStringLiteral("CREATE SCHEMA %1").arg(data::ident(schema))) &&
             run(pg, QStringLiteral("SET search_path TO %1, public").arg(data::ident(schema))) &&
             run(pg, QStringLiteral("BEGIN"));
        for (const data::schema::Table& t : data::schema::tables()) {
            if (!ok || !(t.files & file.tables))
                continue;
            const QStringList ddl = data::tableDdl(t, data::Engine::Postgres);
            ok = run(pg, ddl.first()) && copyTable(lite, pg, t, &rows);
            for (qsizetype i = 1; ok && i < ddl.size(); ++i)
                ok = run(pg, ddl.at(i));
            // The next row id after the copied ones, as if the rows had been inserted.
            ok = ok && run(pg, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                              "coalesce((SELECT max(%2) FROM %1), 0) + 1, false)")
                                   .arg(data::ident(t.name), QLatin1String(data::schema::kRowId)));
        }
        ok = ok && run(pg, QStringLiteral("COMMIT"));
        sqlite3_close(lite);
    }
    ok = ok && run(pg, QStringLiteral("ANALYZE"));
    PQfinish(pg);
    if (!ok)
        return 1;
    QTextStream(stdout) << "pg-load: " << rows << " rows in " << clock.elapsed() << " ms\n";
    return 0;
}
