// A damaged or busy store met through the real screens, on both engines: each
// damage gives its own Italian message (never SQL or the engine's English),
// one per action at most, writes nothing, and the screens stay open and
// usable; where the damage can be put right, the same presses then work.
#include "app/register_screens.h"
#include "inventory_store.h"
#include "other_workstation.h"
#include "screen_fixture.h"
#include "shell/inventory_menu.h"

#include <QFile>
#include <QLabel>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;
using data::Engine;

namespace {

const QString kWork = QStringLiteral("c:\\marbo\\bancacodean.mdb");

// The store's clerk, who may read the store's files but not write them. Root
// may write any file: as root, the file checks of this thread are made as
// nobody while the scope lasts.
class AsClerk {
public:
    AsClerk() {
        if (geteuid() == 0) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    ~AsClerk() {
        if (geteuid() == 0) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    AsClerk(const AsClerk&) = delete;
    AsClerk& operator=(const AsClerk&) = delete;
};

// One workstation on a fresh inventory store with its settings and work
// databases: the inventory menu open with operator 3, the entry open on it.
struct Workstation {
    explicit Workstation(Engine engine)
        : f(engine) {
        makeInventoryStore(f.store);
        const data::Database settings = f.store.create("c:\\vesk\\marbo.mdb", data::schema::Settings);
        addRow(settings, "società", {"database", ""});
        const data::Database work = f.store.create(kWork, data::schema::WorkDb);
        addRow(work, "utenti", {"codutente", 1, "dscutente", "SUPERMERCATO DEMO"});
        app::registerScreens(f.registry);
        f.store.dbs().setWaitLimits({300, 8000, 1000});
        f.state.storeDbPath = kInventoryStore;
        f.state.workDbPath = kWork;
        f.state.userCode = 1;
        menu = static_cast<shell::InventoryMenu*>(f.registry.open("tarvo04"));
        f.field(menu, "operw")->setText("3");
        f.click(menu, "Command12");
    }
    ~Workstation() {
        clerk.reset();
        other.reset();
    }
    bool sqlite() const { return f.store.engine() == Engine::Sqlite; }
    QString file(const QString& path = kInventoryStore) { return f.store.dbs().mapping().resolve(path).file; }
    QByteArray bytes() {
        QFile in(file());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // Statements the IT person runs on a database, then every connection
    // dropped, so that the screens open it anew.
    void alter(const QString& path, QStringList statements) {
        const data::Database db = f.store.open(path);
        for (const QString& s : statements)
            if (const data::Error e = db.executeNative(s))
                qFatal("%s: %s", qPrintable(s), qPrintable(e.detail));
        f.store.dbs().closeAll();
    }
    int countedLines() {
        return f.store.open(kInventoryStore)
            .scalarNative("SELECT count(*) FROM inventario WHERE oper = ?", {3})
            .toInt();
    }
    ui::Screen* entry() { return f.registry.find("tarvo05"); }

    // The operator's presses, each an action of its own.
    void scan() {
        f.nextAction();
        f.field(entry(), "eanw")->clear();
        QTest::keyClicks(f.field(entry(), "eanw"), "8001234567890");
        QTest::keyClick(f.field(entry(), "eanw"), Qt::Key_Return);
    }
    void enterQuantity() {
        f.nextAction();
        f.field(entry(), "quanw")->setText("2");
        QTest::keyClick(f.field(entry(), "quanw"), Qt::Key_Return);
    }
    void confirm() {
        f.click(menu, "Command2");
        f.click(menu, "Command10");
    }
    void reopenMenu() {
        menu->close();
        f.nextAction();
        menu = static_cast<shell::InventoryMenu*>(f.registry.open("tarvo04"));
    }
    void accedi() { f.click(f.registry.open("tarvom"), "Command3"); }

    ScreenFixture f;
    shell::InventoryMenu* menu = nullptr;
    std::optional<OtherWorkstation> other;
    std::optional<AsClerk> clerk;
};

// What the operator's message must never hold: statement text or an engine's
// own words.
void expectOperatorMessage(const QString& m, const QStringList& mustName) {
    for (const QString& name : mustName)
        EXPECT_TRUE(m.contains(name)) << qPrintable(m) << " lacks " << qPrintable(name);
    for (const char* foreign :
         {"SELECT", "INSERT", "UPDATE ", "DELETE", "sqlite", "ERROR", "no such", "does not", "locked",
          "constraint", "relation", "readonly", "read-only", "permission"})
        EXPECT_FALSE(m.contains(QLatin1String(foreign), Qt::CaseInsensitive)) << qPrintable(m);
}

class DamagedStores : public OnEachEngine {};

TEST_P(DamagedStores, EachGivesItsMessageWritesNothingAndTheScreensGoOn) {
    using Step = std::function<void(Workstation&)>;
    using Check = std::function<bool(Workstation&)>;
    // Each step is one action of the operator.
    using Presses = std::vector<Step>;
    const Presses storeACount{[](Workstation& w) { w.scan(); }, [](Workstation& w) { w.enterQuantity(); }};
    struct Case {
        const char* name;
        bool onSqlite, onPostgres;
        Step damage;
        Presses presses;
        QStringList told; // what the message names, besides the archive
        Check untouched;  // nothing was written
        Step repair = {}; // none: the damage stays
        QString archive = kInventoryStore;
    } cases[] = {
        {"missing file",
         true,
         true,
         [](Workstation& w) {
             if (w.sqlite()) {
                 w.f.store.dbs().closeAll();
                 QFile::remove(w.file());
             } else {
                 const data::Database db = w.f.store.open(kInventoryStore);
                 db.executeNative(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(db.location().schema));
                 w.f.store.dbs().closeAll();
             }
         },
         storeACount,
         {"Archivio non trovato"},
         [](Workstation& w) {
             return w.f.store.open(kInventoryStore).error().kind == data::Error::Kind::MissingFile;
         }},
        {"not a database",
         true,
         false,
         [](Workstation& w) {
             w.f.store.dbs().closeAll();
             QFile out(w.file());
             out.open(QIODevice::WriteOnly | QIODevice::Truncate);
             out.write(QByteArray(8192, 'x'));
         },
         storeACount,
         {"non è un archivio dati"},
         [](Workstation& w) { return w.bytes() == QByteArray(8192, 'x'); }},
        {"read-only",
         true,
         true,
         [](Workstation& w) {
             if (w.sqlite()) {
                 w.f.store.dbs().closeAll();
                 const QString root = w.f.store.root();
                 for (const QString& d : {root, root + "/c"})
                     chmod(d.toUtf8().constData(), 0755);
                 chmod((root + "/c/marbo").toUtf8().constData(), 0777);
                 chmod(w.file().toUtf8().constData(), 0444);
                 w.clerk.emplace();
             } else {
                 w.f.store.open(kInventoryStore).executeNative("SET default_transaction_read_only = on");
             }
         },
         storeACount,
         {"sola lettura"},
         [](Workstation& w) { return w.countedLines() == 0; },
         [](Workstation& w) {
             if (w.sqlite()) {
                 w.clerk.reset();
                 w.f.store.dbs().closeAll();
                 chmod(w.file().toUtf8().constData(), 0644);
             } else {
                 w.f.store.open(kInventoryStore).executeNative("SET default_transaction_read_only = off");
             }
         }},
        {"missing table",
         true,
         true,
         [](Workstation& w) { w.alter(kInventoryStore, {"DROP TABLE inventario"}); },
         storeACount,
         {"Tabella non trovata", "inventario"},
         [](Workstation& w) {
             return w.f.store.open(kInventoryStore).table("inventario").error().kind ==
                    data::Error::Kind::MissingTable;
         }},
        {"codean without codare",
         true,
         true,
         [](Workstation& w) {
             QStringList drop{"ALTER TABLE codean DROP COLUMN codare"};
             if (w.sqlite())
                 drop.prepend("DROP INDEX codean_codare");
             w.alter(kInventoryStore, drop);
         },
         storeACount,
         {"Campo non trovato", "codean.codare"},
         [](Workstation& w) { return w.countedLines() == 0; }},
        {"numeri without ultnum",
         true,
         true,
         [](Workstation& w) { w.alter(kInventoryStore, {"ALTER TABLE numeri DROP COLUMN ultnum"}); },
         {[](Workstation& w) {
             w.reopenMenu();
             EXPECT_FALSE(w.menu->numberTaken()); // no number on a guess
         }},
         {"Campo non trovato", "numeri.ultnum"},
         [](Workstation& w) {
             return w.f.store.open(kInventoryStore).query("SELECT * FROM invte").recordCount() == 0;
         }},
        {"utenti without dscutente",
         true,
         true,
         [](Workstation& w) { w.alter(kWork, {"ALTER TABLE utenti DROP COLUMN dscutente"}); },
         {[](Workstation& w) {
             w.accedi();
             EXPECT_TRUE(w.f.state.userName.blankPrefix(35)); // no name on a guess
         }},
         {"Campo non trovato", "utenti.dscutente"},
         [](Workstation&) { return true; },
         {},
         kWork},
        {"held by another workstation",
         true,
         true,
         [](Workstation& w) {
             w.f.store.dbs().closeAll(); // the other program opens the file first
             w.other.emplace(w.f.store, kInventoryStore,
                             w.sqlite()
                                 ? QStringList{"PRAGMA locking_mode = EXCLUSIVE", "BEGIN EXCLUSIVE"}
                                 : QStringList{"BEGIN", "LOCK TABLE inventario IN ACCESS EXCLUSIVE MODE"});
         },
         {storeACount[0], storeACount[1],
          [](Workstation& w) {
              w.confirm();
              // Nothing was done: the button stays for another press.
              EXPECT_TRUE(w.f.child<QPushButton>(w.menu, "Command10")->isVisible());
          }},
         {"occupato", "Riprovare"},
         [](Workstation& w) { return w.countedLines() == 0; },
         [](Workstation& w) {
             w.other.reset();
             QThread::msleep(1100); // the operator reads the message and presses again
         }},
    };
    for (const Case& c : cases) {
        if (!(GetParam() == Engine::Sqlite ? c.onSqlite : c.onPostgres))
            continue;
        SCOPED_TRACE(c.name);
        Workstation w(GetParam());
        ASSERT_NE(w.entry(), nullptr);
        ASSERT_TRUE(w.f.messages.shown().empty());
        c.damage(w);

        // Each action shows one message at most: the action stops at its
        // first error, and an error met again in the same action is not
        // shown again.
        w.f.messages.clear();
        for (size_t i = 0; i < c.presses.size(); ++i) {
            const size_t shown = w.f.messages.shown().size();
            c.presses[i](w);
            EXPECT_LE(w.f.messages.shown().size(), shown + 1) << "action " << i + 1;
        }
        ASSERT_FALSE(w.f.messages.shown().empty());
        const QString told = w.f.messages.texts().at(0);
        for (const QString& m : w.f.messages.texts())
            EXPECT_EQ(m, told);
        expectOperatorMessage(told, QStringList{c.archive} + c.told);
        // The screens are there and no pop-up came on a guess.
        EXPECT_NE(w.entry(), nullptr);
        EXPECT_NE(w.f.registry.find("tarvo04"), nullptr);
        EXPECT_FALSE(w.f.isOpen("tarvo05er"));
        if (c.repair)
            c.repair(w);
        EXPECT_TRUE(c.untouched(w));
        if (!c.repair)
            continue;
        // Put right, the same presses work: the count is stored, the inventory
        // confirmed under the number the menu took.
        w.f.messages.clear();
        w.enterQuantity();
        EXPECT_EQ(w.countedLines(), 1);
        w.confirm();
        EXPECT_EQ(w.f.child<QLabel>(w.menu, "Label2")->text(), QStringLiteral("INVENTARIO CARICATO NR. 42"));
        EXPECT_TRUE(w.f.messages.shown().empty()) << qPrintable(w.f.messages.texts().join('|'));
    }
}

MARBO_ON_EACH_ENGINE(DamagedStores);

} // namespace
