// A run of the program: when it ends.
#include "app/program.h"
#include "inventory_store.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class NoPrinter : public ui::Printer {
public:
    ui::PrintResult print(const QString&, const QByteArray&) override { return {}; }
};

void letClosedScreensGo() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Program, UscitaLeavesAnEntryWithACountOpenAndTheRunEndsWithTheLastScreen) {
    TestStore store;
    makeInventoryStore(store);
    ui::ScriptedMessages messages;
    const ui::FixedClock clock(QDate(2026, 12, 10));
    NoPrinter printer;
    app::Program program(store.dbs().mapping(), messages, clock, printer);
    bool ended = false;
    ui::Screen* menu = program.start([&] { ended = true; });
    ASSERT_NE(menu, nullptr);
    program.state.storeDbPath = kInventoryStore;
    program.state.operatorNumber = 3;
    ui::Screen* entry = program.registry.open("tarvo05");
    ASSERT_NE(entry, nullptr);
    entry->findChild<QLineEdit*>("quanw")->setText("12");

    menu->findChild<QPushButton*>("Command5")->click(); // USCITA
    letClosedScreensGo();
    EXPECT_EQ(program.registry.find("tarvom"), nullptr);
    EXPECT_FALSE(ended);
    ASSERT_NE(program.registry.find("tarvo05"), nullptr);
    EXPECT_EQ(entry->findChild<QLineEdit*>("quanw")->text(), QStringLiteral("12"));

    entry->findChild<QPushButton*>("Command1")->click(); // the entry's Uscita
    letClosedScreensGo();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(messages.shown().empty()) << qPrintable(messages.texts().join('|'));
}

} // namespace
