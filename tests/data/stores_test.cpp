// A store as the IT person meets it: damaged or missing pieces, a database
// held by another program or workstation, two handhelds adding to the same
// working line, a clerk without rights. Each runs on both engines where the
// engine has the situation.
#include "data/ddl.h"
#include "data/recordset.h"
#include "data/table.h"
#include "data/table_model.h"
#include "other_workstation.h"
#include "test_store.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QThread>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using data::Engine;
using data::Error;
using testing_support::addRow;
using testing_support::OtherWorkstation;
using testing_support::TestStore;

namespace {

const QString kStore = QStringLiteral("t:\\marbo\\dati.mdb");

data::Database makeStore(TestStore& store) {
    data::Database db = store.create(kStore, data::schema::StoreDb);
    addRow(db, "codean", {"eanare", "8001234567890", "codare", 123, "desart", "PASTA"});
    addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
    addRow(db, "inventario", {"codcasa", 123, "oper", 1, "eanrig", "8001234567890", "quantita", 123});
    return db;
}

QString sqliteFile(const TestStore& store) {
    return store.root() + QStringLiteral("/t/marbo/dati.mdb");
}

// No connection stays on the file: the log goes with the last one.
void closeEverything(TestStore& store, data::Database& db) {
    db = data::Database();
    store.dbs().closeAll();
}

// Statements the IT person runs on the store's server schema.
void runAsAdmin(TestStore& store, const QStringList& statements) {
    const data::Location loc = store.dbs().mapping().resolve(kStore);
    const QString name = QStringLiteral("admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(loc.server.host);
        db.setPort(loc.server.port);
        db.setDatabaseName(loc.server.database);
        db.setUserName(loc.server.user);
        db.setPassword(loc.server.password);
        if (!db.open())
            qFatal("admin connection: %s", qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        for (const QString& s : statements)
            if (!q.exec(s))
                qFatal("admin: %s", qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The entry screens' store of a scan: find the operator's line of the
// article, add to it or insert it, under the line's key lock.
Error addToLine(const data::Database& db, int oper, int code, int quantity) {
    data::WriteScope w(db);
    if (!w.ok())
        return w.error();
    if (Error e = w.lockKey(QStringLiteral("inventario"), {oper, code}))
        return e;
    data::Recordset lines = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper =%1").arg(oper));
    if (!lines.findFirst(QStringLiteral("codcasa = %1 and oper = %2").arg(code).arg(oper)))
        return lines.ok() ? Error::make(Error::Kind::NoCurrentRow, QStringLiteral("inventario"))
                          : lines.error();
    if (!lines.edit() || !lines.addTo(QStringLiteral("quantita"), data::Decimal::fromInt(quantity)) ||
        !lines.update())
        return lines.error();
    return w.commit();
}

double lineQuantity(TestStore& store, int oper, int code) {
    data::Recordset rs = store.open(kStore).query(
        QStringLiteral("SELECT * FROM inventario WHERE oper = %1 and codcasa = %2").arg(oper).arg(code));
    return rs.eof() ? -1 : rs.value(QStringLiteral("quantita")).toDouble();
}

// What the operator's message must never hold: statement text or an engine's
// own words.
void expectOperatorMessage(const Error& e, const QStringList& mustName) {
    const QString m = e.message();
    EXPECT_FALSE(m.isEmpty());
    for (const QString& name : mustName)
        EXPECT_TRUE(m.contains(name)) << qPrintable(m) << " lacks " << qPrintable(name);
    for (const char* foreign :
         {"SELECT", "INSERT", "UPDATE ", "DELETE", "sqlite", "ERROR", "no such", "does not", "locked",
          "constraint", "relation", "readonly", "read-only", "permission"})
        EXPECT_FALSE(m.contains(QLatin1String(foreign), Qt::CaseInsensitive)) << qPrintable(m);
}

class Stores : public testing_support::OnEachEngine {
protected:
    bool sqlite() const { return GetParam() == Engine::Sqlite; }
    // Runs the helper process; returns its output lines.
    QStringList worker(const QStringList& args, int* exitCode = nullptr) {
        QProcess p;
        p.start(QStringLiteral(MARBO_DATA_WORKER), args);
        p.waitForFinished(120000);
        if (exitCode)
            *exitCode = p.exitCode();
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

MARBO_ON_EACH_ENGINE(Stores);

TEST_P(Stores, EachDamageOfAStoreHasItsOwnMessageAndWritesNothing) {
    using Act = std::function<Error(const data::Database&)>;
    const Act seekEan = [](const data::Database& db) {
        data::Table codean = db.table(QStringLiteral("codean"));
        codean.setIndex(QStringLiteral("keyean"));
        codean.seek(QStringLiteral("8001234567890"));
        return codean.error();
    };
    const Act lastNumber = [](const data::Database& db) {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM numeri"));
        rs.findFirst(QStringLiteral("codutente = 1 and tipo= 'IN' and anno= 2026"));
        return rs.error();
    };
    const Act storeLine = [](const data::Database& db) { return addToLine(db, 1, 123, 1); };
    struct Case {
        const char* name;
        bool onSqlite, onPostgres;
        std::function<void(TestStore&, data::Database&)> damage;
        Act act;
        Error::Kind kind;
        QStringList named;
    } cases[] = {
        {"missing file",
         true,
         true,
         [](TestStore& s, data::Database& db) {
             if (s.engine() == Engine::Sqlite) {
                 closeEverything(s, db);
                 QFile::remove(sqliteFile(s));
             } else {
                 db.executeNative(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(db.location().schema));
                 s.dbs().closeAll();
             }
         },
         seekEan,
         Error::Kind::MissingFile,
         {}},
        {"not a database",
         true,
         false,
         [](TestStore& s, data::Database& db) {
             closeEverything(s, db);
             QFile f(sqliteFile(s));
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write(QByteArray(8192, 'x'));
         },
         seekEan,
         Error::Kind::NotADatabase,
         {}},
        {"damaged file",
         true,
         false,
         [](TestStore& s, data::Database& db) {
             closeEverything(s, db);
             QFile f(sqliteFile(s));
             f.open(QIODevice::ReadWrite);
             f.seek(4096); // every page after the first
             f.write(QByteArray(f.size() - 4096, '\xA5'));
         },
         seekEan,
         Error::Kind::Damaged,
         {}},
        {"missing table",
         true,
         true,
         [](TestStore& s, data::Database& db) {
             db.executeNative(QStringLiteral("DROP TABLE codean"));
             s.dbs().closeAll();
         },
         seekEan,
         Error::Kind::MissingTable,
         {QStringLiteral("codean")}},
        {"codean without codare",
         true,
         true,
         [](TestStore& s, data::Database& db) {
             if (s.engine() == Engine::Sqlite)
                 db.executeNative(QStringLiteral("DROP INDEX codean_codare"));
             db.executeNative(QStringLiteral("ALTER TABLE codean DROP COLUMN codare"));
             s.dbs().closeAll();
         },
         seekEan,
         Error::Kind::MissingField,
         {QStringLiteral("codean.codare")}},
        {"numeri without ultnum",
         true,
         true,
         [](TestStore& s, data::Database& db) {
             db.executeNative(QStringLiteral("ALTER TABLE numeri DROP COLUMN ultnum"));
             s.dbs().closeAll();
         },
         lastNumber,
         Error::Kind::MissingField,
         {QStringLiteral("numeri.ultnum")}},
        {"server in read-only mode",
         false,
         true,
         [](TestStore&, data::Database& db) {
             db.executeNative(QStringLiteral("SET default_transaction_read_only = on"));
         },
         storeLine,
         Error::Kind::ReadOnly,
         {}},
    };
    for (const Case& c : cases) {
        if (!(sqlite() ? c.onSqlite : c.onPostgres))
            continue;
        SCOPED_TRACE(c.name);
        TestStore s(GetParam());
        data::Database db = makeStore(s);
        c.damage(s, db);
        const Error e = c.act(s.open(kStore));
        EXPECT_EQ(e.kind, c.kind) << qPrintable(e.message()) << " | " << qPrintable(e.detail);
        expectOperatorMessage(e, QStringList{kStore} + c.named);
        if (c.kind == Error::Kind::ReadOnly) {
            s.open(kStore).executeNative(QStringLiteral("SET default_transaction_read_only = off"));
            EXPECT_EQ(lineQuantity(s, 1, 123), 123.0); // nothing written
        }
    }
}

TEST_P(Stores, AClerkWithoutRightsIsToldSoAndWritesNothing) {
    if (sqlite()) {
        // File rights: a process of a user other than the owner.
        data::Database db = makeStore(*store);
        closeEverything(*store, db);
        const QString dir = store->root() + QStringLiteral("/t/marbo");
        for (const QString& d : {store->root(), store->root() + QStringLiteral("/t")})
            chmod(d.toUtf8().constData(), 0755);
        struct Case {
            const char* name;
            mode_t folder, file;
            int readKind, writeKind;
        } cases[] = {
            {"read-only file", 0777, 0444, int(Error::Kind::None), int(Error::Kind::ReadOnly)},
            {"folder without write rights", 0555, 0666, int(Error::Kind::NoRights),
             int(Error::Kind::NoRights)},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            for (const char* journal : {"-wal", "-shm"}) // as a store no program has open
                QFile::remove(sqliteFile(*store) + QLatin1String(journal));
            chmod(dir.toUtf8().constData(), c.folder);
            chmod(sqliteFile(*store).toUtf8().constData(), c.file);
            const QStringList out =
                worker({QStringLiteral("probe"), store->root(), kStore, QStringLiteral("--as-nobody")});
            ASSERT_EQ(out.size(), 2) << qPrintable(out.join('\n'));
            EXPECT_EQ(out.at(0).section('\t', 0, 0).toInt(), c.readKind) << qPrintable(out.at(0));
            EXPECT_EQ(out.at(1).section('\t', 0, 0).toInt(), c.writeKind) << qPrintable(out.at(1));
            expectOperatorMessage(Error::make(Error::Kind(c.writeKind), {}).in(kStore), {kStore});
            EXPECT_TRUE(out.at(1).contains(kStore)) << qPrintable(out.at(1));
        }
        chmod(dir.toUtf8().constData(), 0755);
        chmod(sqliteFile(*store).toUtf8().constData(), 0644);
        EXPECT_EQ(store->open(kStore).query("SELECT * FROM inventario WHERE oper = 9").recordCount(), 0);
        return;
    }
    // A server role that may read the store but not write it.
    makeStore(*store);
    const data::Location loc = store->dbs().mapping().resolve(kStore);
    const QString role = loc.server.schemaPrefix + QStringLiteral("clerk");
    runAsAdmin(
        *store,
        {QStringLiteral("CREATE ROLE \"%1\" LOGIN").arg(role),
         QStringLiteral("GRANT USAGE ON SCHEMA \"%1\" TO \"%2\"").arg(loc.schema, role),
         QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA \"%1\" TO \"%2\"").arg(loc.schema, role)});
    {
        data::PgServer clerk = loc.server;
        clerk.user = role;
        data::DriveMapping mapping(store->root());
        mapping.mapToPostgres(QLatin1Char('t'), clerk);
        data::Databases dbs(mapping);
        const data::Database asClerk = dbs.open(kStore);
        data::Table codean = asClerk.table(QStringLiteral("codean"));
        codean.setIndex(QStringLiteral("keyean"));
        EXPECT_TRUE(codean.seek(QStringLiteral("8001234567890"))) << qPrintable(codean.error().detail);
        const Error e = addToLine(asClerk, 1, 123, 1);
        EXPECT_EQ(e.kind, Error::Kind::NoRights) << qPrintable(e.detail);
        expectOperatorMessage(e, {kStore});
        EXPECT_EQ(asClerk.execute("DELETE FROM inventario WHERE oper = 1").kind, Error::Kind::NoRights);
    }
    EXPECT_EQ(lineQuantity(*store, 1, 123), 123.0);
    runAsAdmin(*store, {QStringLiteral("DROP OWNED BY \"%1\"").arg(role),
                        QStringLiteral("DROP ROLE \"%1\"").arg(role)});
}

TEST_P(Stores, ABusyArchiveIsWaitedForOnceThenReported) {
    makeStore(*store);
    store->dbs().setWaitLimits({300, 8000, 1000});
    store->dbs().closeAll(); // the other program opens the file first
    OtherWorkstation other(*store, kStore,
                           sqlite() ? QStringList{"PRAGMA locking_mode = EXCLUSIVE", "BEGIN EXCLUSIVE"}
                                    : QStringList{"BEGIN", "LOCK TABLE inventario IN ACCESS EXCLUSIVE MODE"});
    // The action waits a moment, then tells the operator the archive is busy.
    const Error first = addToLine(store->open(kStore), 1, 123, 1);
    EXPECT_EQ(first.kind, Error::Kind::Locked) << qPrintable(first.detail);
    expectOperatorMessage(first, {kStore, QStringLiteral("occupato")});
    // The rest of the same action is told at once, without a wait of its own.
    const data::Database db = store->open(kStore);
    data::Table inv = db.table(QStringLiteral("inventario"));
    inv.setIndex(QStringLiteral("oper_code"));
    inv.seek({1, 123});
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper = 1"));
    rs.eof();
    for (const Error& e :
         {inv.error(), rs.error(), db.execute(QStringLiteral("DELETE FROM inventario WHERE oper = 9"))}) {
        EXPECT_EQ(e.kind, Error::Kind::Locked);
        EXPECT_TRUE(e.detail.contains(QLatin1String("non ritentato"))) << qPrintable(e.detail);
    }
    other.release();
    QThread::msleep(1100); // the operator reads the message and presses again
    // The same connection works again, and the action that failed left nothing.
    EXPECT_TRUE(addToLine(store->open(kStore), 1, 123, 1).ok());
    EXPECT_EQ(lineQuantity(*store, 1, 123), 124.0);
}

TEST_P(Stores, AWriteWaitsItsTurnBehindAnotherWorkstationsWrite) {
    makeStore(*store);
    const QString update =
        QStringLiteral("UPDATE inventario SET quantita = quantita + 1 WHERE oper = 1 AND codcasa = 123");
    {
        OtherWorkstation other(
            *store, kStore, {sqlite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"), update},
            300);
        const Error e = addToLine(store->open(kStore), 1, 123, 1);
        EXPECT_TRUE(e.ok()) << qPrintable(e.message()) << " | " << qPrintable(e.detail);
    }
    EXPECT_EQ(lineQuantity(*store, 1, 123), 125.0); // both counts arrived
}

TEST_P(Stores, AListLeftOpenDoesNotStopTheNextStore) {
    data::Database db = makeStore(*store);
    {
        data::WriteScope w(db);
        for (int i = 0; i < 600; ++i)
            ASSERT_TRUE(db.executeNative("INSERT INTO inventario (oper, codcasa, quantita) VALUES (?, ?, ?)",
                                         {2, 1000 + i, 1})
                            .ok());
        ASSERT_TRUE(w.commit().ok());
    }
    // A long list, of which the grid has read the first rows only.
    data::TableModel grid;
    ASSERT_TRUE(grid.setDesktopQuery(db, "SELECT * FROM inventario WHERE oper = 2").ok());
    if (sqlite())
        ASSERT_TRUE(grid.canFetchMore()); // the server sends every row at once
    // Another handheld stores a scan, then this one does.
    data::Databases other(store->dbs().mapping());
    ASSERT_TRUE(addToLine(other.open(kStore), 1, 123, 1).ok());
    const Error e = addToLine(db, 1, 123, 1);
    EXPECT_TRUE(e.ok()) << qPrintable(e.message()) << " | " << qPrintable(e.detail);
    EXPECT_EQ(lineQuantity(*store, 1, 123), 125.0);
    while (grid.canFetchMore())
        grid.fetchMore();
    EXPECT_EQ(grid.rowCount(), 600);
}

TEST_P(Stores, TwoHandheldsStoringIntoTheSameLinesLoseNothing) {
    makeStore(*store);
    // Two processes, one operator number: each stores 0,1 into fifty articles
    // in turn and 1 into one article every time.
    const QString prefix =
        sqlite() ? QStringLiteral("-") : store->dbs().mapping().resolve(kStore).server.schemaPrefix;
    const QStringList args{QStringLiteral("scan"), store->root(),        prefix, kStore,
                           QStringLiteral("4"),    QStringLiteral("200")};
    QProcess a, b;
    a.start(QStringLiteral(MARBO_DATA_WORKER), args);
    b.start(QStringLiteral(MARBO_DATA_WORKER), args);
    ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
    EXPECT_EQ(QString::fromUtf8(a.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    EXPECT_EQ(QString::fromUtf8(b.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    const data::Database db = store->open(kStore);
    EXPECT_EQ(db.scalarNative(QStringLiteral("SELECT count(*) FROM inventario WHERE oper = ?"), {4}).toInt(),
              51);
    EXPECT_EQ(
        db.scalarNative(QStringLiteral("SELECT count(DISTINCT codcasa) FROM inventario WHERE oper = ?"), {4})
            .toInt(),
        51);
    data::Recordset lines = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper = 4"));
    for (lines.moveFirst(); !lines.eof(); lines.moveNext()) {
        const int code = lines.value(QStringLiteral("codcasa")).toInt();
        EXPECT_EQ(lines.value(QStringLiteral("quantita")).toDouble(), code == 77 ? 400.0 : 0.8) << code;
        EXPECT_EQ(lines.value(QStringLiteral("colli")).toDouble(), code == 77 ? 400.0 : 0.8) << code;
    }
}

} // namespace
