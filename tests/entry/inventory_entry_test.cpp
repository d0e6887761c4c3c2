// The inventory entry on its own: the quantity checks of its two keys, the
// keypad, operators' own lines and totals, "Elimina".
#include "entry/register_entries.h"
#include "inventory_screens.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Inventory : public InventoryScreens {
protected:
    void SetUp() override {
        InventoryScreens::SetUp();
        entry::registerEntryScreens(f.registry);
        f.standIn("tarvo06");
    }
};

TEST_F(Inventory, QuantityChecks) {
    struct Case {
        const char* typed;
        bool byButton;
        double stored; // -1: nothing stored
        bool message;
    } cases[] = {
        {"1001", false, -1, true},       {"1001", true, 1001, false}, {"999999", false, -1, true},
        {"999999", true, 999999, false}, {"0", false, -1, false},     {"", false, -1, false},
        {"abc", false, -1, false},       {"1,5", false, 1.5, false},  {"1000", false, 1000, false},
    };
    f.state.operatorNumber = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.byButton ? " Conferma" : " Enter"));
        db.execute("DELETE FROM inventario");
        f.messages.clear();
        f.registry.open("tarvo05");
        scan("8001234567890", QString::fromLatin1(c.typed), c.byButton);
        EXPECT_DOUBLE_EQ(quantityOf(3, 123), c.stored);
        EXPECT_EQ(!f.messages.shown().empty(), c.message);
        if (c.message)
            EXPECT_EQ(f.messages.texts().at(0), QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"));
        if (c.stored < 0)
            EXPECT_TRUE(f.field(entryScreen(), "quanw")->text().isEmpty());
    }
}

TEST_F(Inventory, KeypadAndTwoOperators) {
    f.state.operatorNumber = 1;
    f.registry.open("tarvo05");
    auto* e = entryScreen();
    QTest::keyClicks(f.field(e, "eanw"), "8001234567890");
    QTest::keyClick(f.field(e, "eanw"), Qt::Key_Return);
    for (const char* key : {"Command4", "Command16", "Command9"}) // "1", ",", "5"
        f.click(e, key);
    EXPECT_EQ(f.field(e, "quanw")->text(), QStringLiteral("1,5"));
    QTest::keyClick(f.field(e, "quanw"), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
    e->close();

    f.state.operatorNumber = 2;
    f.registry.open("tarvo05");
    scan("8001234567890", "4");
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), 4.0);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(),
              QStringLiteral("4")); // each operator sees only their own total

    // The quantity already counted is shown when the article is scanned again.
    QTest::keyClicks(f.field(entryScreen(), "eanw"), "8001234567890");
    QTest::keyClick(f.field(entryScreen(), "eanw"), Qt::Key_Return);
    EXPECT_EQ(f.field(entryScreen(), "qinvw")->text(), QStringLiteral("4"));

    // "Elimina" answered No still clears, closes and opens the list.
    f.messages.answer(ui::Message::Answer::No);
    f.click(entryScreen(), "Command12");
    EXPECT_TRUE(f.isOpen("tarvo06"));
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), 4.0);
    f.registry.open("tarvo05");
    QTest::keyClicks(f.field(entryScreen(), "eanw"), "8001234567890");
    f.messages.answer(ui::Message::Answer::Yes);
    f.click(entryScreen(), "Command12");
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), -1);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
}

} // namespace
