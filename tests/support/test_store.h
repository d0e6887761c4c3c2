// A throwaway store for tests: the drive "t:" maps to a temporary folder
// (SQLite) or, for the PostgreSQL runs, to the server named by MARBO_TEST_PG
// ("host=... port=... dbname=... user=... password=..."), where each database
// file becomes a schema of its own.
#pragma once

#include "data/ddl.h"
#include "data/recordset.h"
#include "data/table.h"
#include "qt_print.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace testing_support {

inline data::PgServer pgServerFromEnv() {
    data::PgServer s;
    const QString spec = qEnvironmentVariable("MARBO_TEST_PG");
    for (const QString& part : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0);
        const QString value = part.section(QLatin1Char('='), 1);
        if (key == QLatin1String("host"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            s.database = value;
        else if (key == QLatin1String("user"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
    }
    return s;
}

inline bool pgAvailable() {
    return !qEnvironmentVariableIsEmpty("MARBO_TEST_PG");
}

class TestStore {
public:
    explicit TestStore(data::Engine engine = data::Engine::Sqlite)
        : dir_(std::make_unique<QTemporaryDir>())
        , engine_(engine) {
        data::DriveMapping mapping(dir_->path());
        if (engine == data::Engine::Postgres) {
            // Tests run side by side: each store has schemas of its own.
            pg_ = pgServerFromEnv();
            pg_.schemaPrefix = QStringLiteral("t%1_").arg(QRandomGenerator::global()->generate64(), 0, 36);
            mapping.mapToPostgres(QLatin1Char('t'), pg_);
            mapping.mapToPostgres(QLatin1Char('c'), pg_);
            // A second drive of the same server: its files are schemas of their own.
            data::PgServer d = pg_;
            d.schemaPrefix += QStringLiteral("d_");
            mapping.mapToPostgres(QLatin1Char('d'), d);
        }
        dbs_ = std::make_unique<data::Databases>(mapping);
    }
    ~TestStore() {
        dbs_.reset();
        if (engine_ != data::Engine::Postgres)
            return;
        {
            QSqlDatabase raw =
                QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-cleanup"));
            raw.setHostName(pg_.host);
            raw.setPort(pg_.port);
            raw.setDatabaseName(pg_.database);
            raw.setUserName(pg_.user);
            raw.setPassword(pg_.password);
            if (raw.open()) {
                QSqlQuery q(raw);
                QStringList names;
                q.exec(QStringLiteral("SELECT nspname FROM pg_namespace WHERE nspname LIKE '%1%%'")
                           .arg(pg_.schemaPrefix));
                while (q.next())
                    names << q.value(0).toString();
                for (const QString& n : names)
                    q.exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(n));
                raw.close();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-cleanup"));
    }

    data::Databases& dbs() { return *dbs_; }
    data::Engine engine() const { return engine_; }
    QString root() const { return dir_->path(); }

    // Creates the database that a path names with the tables of the given files.
    data::Database create(const QString& path, unsigned files) {
        data::Error e;
        data::Database db = data::createDatabase(*dbs_, path, files, &e);
        if (e)
            qFatal("cannot create %s: %s %s", qPrintable(path), qPrintable(e.message()),
                   qPrintable(e.detail));
        return db;
    }
    data::Database open(const QString& path) { return dbs_->open(path); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    data::Engine engine_;
    std::unique_ptr<data::Databases> dbs_;
    data::PgServer pg_;
};

// Adds one row: field names and values in pairs.
inline void addRow(const data::Database& db, const QString& table, const QVariantList& pairs) {
    data::Table t = db.table(table);
    t.addNew();
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        t.setValue(pairs.at(i).toString(), pairs.at(i + 1));
    if (!t.update())
        qFatal("addRow %s: %s %s", qPrintable(table), qPrintable(t.error().message()),
               qPrintable(t.error().detail));
}

// A fixture that runs once on SQLite and once on PostgreSQL, with a fresh store
// on that engine; the PostgreSQL run is skipped when no server is given. A
// derived SetUp calls this one first and returns when IsSkipped().
class OnEachEngine : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        store = std::make_unique<TestStore>(GetParam());
    }
    std::unique_ptr<TestStore> store;
};

inline std::string engineName(const ::testing::TestParamInfo<data::Engine>& info) {
    return info.param == data::Engine::Sqlite ? "Sqlite" : "Postgres";
}

} // namespace testing_support

// Runs every TEST_P of an OnEachEngine suite on both engines.
#define MARBO_ON_EACH_ENGINE(Suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Both, Suite, ::testing::Values(data::Engine::Sqlite, data::Engine::Postgres),   \
                             testing_support::engineName)
