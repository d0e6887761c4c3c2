// Real screens on a small store: the shared state, a scripted message service,
// the registry with the menus and stand-ins for the screens not under test, a
// clock stopped on one day, the store's databases on drive c: of a temporary
// data root, and the real CUPS printer on the private server of the test run
// (cups_server.h; cups_queue.h gives a queue whose jobs the test reads back).
#pragma once

#include "cups_server.h"
#include "state/shared_state.h"
#include "test_store.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"
#include "ui/screen_registry.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testing_support {

// A screen that only says it was opened.
class StandIn : public ui::Screen {
public:
    StandIn(const QString& name, ui::Services& s)
        : Screen(name, s) {}
    void Form_Load() override { ++loads; }
    int loads = 0;
};

// The engine of the test in hand: its parameter in a TEST_P over both engines
// (MARBO_ON_EACH_ENGINE), SQLite in a TEST_F, and SQLite too for a PostgreSQL
// run without a server, which the fixture's SetUp() skips (skipIfNoServer).
inline data::Engine engineOfTest(const ::testing::TestWithParam<data::Engine>& test) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info || !info->value_param())
        return data::Engine::Sqlite;
    const data::Engine e = test.GetParam();
    return e == data::Engine::Postgres && !pgAvailable() ? data::Engine::Sqlite : e;
}

// True when the test in hand is the PostgreSQL run of a TEST_P and no server is given.
inline bool noServerForTest(const ::testing::TestWithParam<data::Engine>& test) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info && info->value_param() && test.GetParam() == data::Engine::Postgres && !pgAvailable();
}

class ScreenFixture {
public:
    explicit ScreenFixture(QDate today = QDate(2026, 12, 10), data::Engine engine = data::Engine::Sqlite)
        : ScreenFixture(engine, today) {}
    // The store's databases on that engine (PostgreSQL: the server of MARBO_TEST_PG).
    explicit ScreenFixture(data::Engine engine, QDate today = QDate(2026, 12, 10))
        : store(engine)
        , clock(today)
        , printer(testCupsServer())
        , services{state, store.dbs(), messages, registry, clock, printer} {
        registry.setServices(&services);
    }
    ~ScreenFixture() {
        registry.closeAll();
        QApplication::processEvents();
    }

    void standIn(const QString& name) {
        registry.add(name, [name](ui::Services& s) { return new StandIn(name, s); });
    }
    template <typename T = QWidget> T* child(ui::Screen* screen, const char* name) {
        return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    // The operator's next action begins: what the program does when it waits
    // for the operator again (a message shown in the last action may be shown
    // again). click() and clickLabel() begin one.
    void nextAction() { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); }
    void click(ui::Screen* screen, const char* name) {
        auto* b = child<QAbstractButton>(screen, name);
        if (!b)
            qFatal("no button %s", name);
        nextAction();
        b->click();
    }
    // A control the screen must have, by its name.
    template <typename T> T* control(ui::Screen* screen, const char* name) {
        T* c = child<T>(screen, name);
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    QLineEdit* field(ui::Screen* screen, const char* name) { return control<QLineEdit>(screen, name); }
    ui::DataGrid* grid(ui::Screen* screen, const char* name) { return control<ui::DataGrid>(screen, name); }
    // A button the screen may or may not have.
    QPushButton* button(ui::Screen* screen, const char* name) { return child<QPushButton>(screen, name); }
    // Clicks a label that answers clicks (the choices of the pop-ups).
    void clickLabel(ui::Screen* screen, const char* name) {
        nextAction();
        QTest::mouseClick(control<QLabel>(screen, name), Qt::LeftButton);
    }
    bool isOpen(const QString& name) const { return registry.find(name) != nullptr; }

    TestStore store;
    state::SharedState state;
    ui::ScriptedMessages messages;
    ui::ScreenRegistry registry;
    ui::FixedClock clock;
    ui::CupsPrinter printer;
    ui::Services services;
};

} // namespace testing_support
