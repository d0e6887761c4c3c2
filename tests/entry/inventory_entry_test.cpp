// The inventory entry on its own, on both engines: the quantity checks of its
// two keys, exact counts, the keypad, operators' own lines and totals,
// "Elimina", the pop-up's "     NO".
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

TEST_P(Inventory, QuantityChecks) {
    struct Case {
        const char* typed;
        bool byButton;
        double stored; // -1: nothing stored
        bool message;
    } cases[] = {
        {"1001", false, -1, true},
        {"1001", true, 1001, false},
        {"999999", false, -1, true},
        {"0", false, -1, false},
        {"", false, -1, false},
        {"abc", false, -1, false},
        {"1,5", false, 1.5, false},
        {"1000", false, 1000, false},
        // A barcode read into the quantity field is never a count, by either key.
        {"999999", true, -1, true},
        {"8010000100008", true, -1, true},
        {"-8010000100008", true, -1, true},
        {"99999999999999999999", true, -1, true},
        {"99999999999999999999", false, -1, true},
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

TEST_P(Inventory, CountsAreExactDecimals) {
    f.state.operatorNumber = 3;
    f.registry.open("tarvo05");
    // Ten counts of 0,1 and a correction of -1: exactly nothing, shown as 0.
    for (int i = 0; i < 10; ++i)
        scan("8001234567890", "0,1");
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("1"));
    scan("8001234567890", "-1");
    data::Recordset rs = db.query("SELECT * FROM inventario WHERE oper = 3");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.decimal("quantita"), data::Decimal());
    EXPECT_EQ(rs.decimal("colli"), data::Decimal());
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("0"));
    // 0,3 three times is 0,9, on the line, in the total and when counted again.
    for (int i = 0; i < 3; ++i)
        scan("77", "0,3"); // the article code typed
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("0,9"));
    entryScreen()->close();
    f.registry.open("tarvo05");
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("0,9"));
    QTest::keyClicks(f.field(entryScreen(), "eanw"), "77");
    QTest::keyClick(f.field(entryScreen(), "eanw"), Qt::Key_Return);
    EXPECT_EQ(f.field(entryScreen(), "qinvw")->text(), QStringLiteral("0,9"));
    EXPECT_TRUE(f.messages.shown().empty()) << qPrintable(f.messages.texts().join('|'));
}

TEST_P(Inventory, KeypadAndTwoOperators) {
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

TEST_P(Inventory, NoOnThePopupStoresNothing) {
    f.state.operatorNumber = 3;
    f.registry.open("tarvo05");
    scan("8000000000888", "5"); // EAN rows but no price-list row: the pop-up at the scan
    ASSERT_TRUE(f.isOpen("tarvo05er"));
    f.clickLabel(f.registry.find("tarvo05er"), "Label3");
    ASSERT_NE(entryScreen(), nullptr);
    EXPECT_EQ(db.query("SELECT * FROM inventario").recordCount(), 0);
}

MARBO_ON_EACH_ENGINE(Inventory);

} // namespace
