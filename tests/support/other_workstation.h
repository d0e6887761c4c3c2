// Another program or workstation holding a store's database, for the tests
// of busy archives.
#pragma once

#include "test_store.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sqlite3.h>
#include <thread>

namespace testing_support {

// Another program or workstation holding the store from a thread of its own:
// it runs its statements, then keeps what they took until release() or for
// `holdMs`, then commits and goes away.
class OtherWorkstation {
public:
    OtherWorkstation(TestStore& store, const QString& path, QStringList statements, int holdMs = -1)
        : holdMs_(holdMs) {
        const data::Location loc = store.dbs().mapping().resolve(path);
        const bool sqlite = store.engine() == data::Engine::Sqlite;
        const QString file = loc.file;
        thread_ = std::thread([=, this] {
            if (sqlite) {
                sqlite3* h = nullptr;
                sqlite3_open(file.toUtf8().constData(), &h);
                for (const QString& s : statements)
                    if (sqlite3_exec(h, s.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                        qFatal("other workstation: %s", sqlite3_errmsg(h));
                held();
                sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
                sqlite3_close(h);
            } else {
                const QString name = QStringLiteral("other-workstation");
                {
                    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
                    db.setHostName(loc.server.host);
                    db.setPort(loc.server.port);
                    db.setDatabaseName(loc.server.database);
                    db.setUserName(loc.server.user);
                    db.setPassword(loc.server.password);
                    db.open();
                    QSqlQuery q(db);
                    q.exec(QStringLiteral("SET search_path TO \"%1\", public").arg(loc.schema));
                    for (const QString& s : statements)
                        if (!q.exec(s))
                            qFatal("other workstation: %s", qPrintable(q.lastError().text()));
                    held();
                    q.exec(QStringLiteral("COMMIT"));
                    db.close();
                }
                QSqlDatabase::removeDatabase(name);
            }
        });
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return holding_; });
    }
    ~OtherWorkstation() {
        release();
        thread_.join();
    }
    void release() {
        std::lock_guard lock(m_);
        released_ = true;
        cv_.notify_all();
    }

private:
    void held() {
        std::unique_lock lock(m_);
        holding_ = true;
        cv_.notify_all();
        if (holdMs_ < 0)
            cv_.wait(lock, [this] { return released_; });
        else
            cv_.wait_for(lock, std::chrono::milliseconds(holdMs_), [this] { return released_; });
    }

    int holdMs_;
    std::mutex m_;
    std::condition_variable cv_;
    bool holding_ = false;
    bool released_ = false;
    std::thread thread_;
};

} // namespace testing_support
