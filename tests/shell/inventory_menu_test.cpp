// The inventory menu's confirmation panel on the inventory store.
#include "inventory_screens.h"
#include "shell/inventory_menu.h"
#include "shell/register_menus.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Transfer : public InventoryScreens {
protected:
    void SetUp() override {
        InventoryScreens::SetUp();
        shell::registerMenus(f.registry);
    }
};

TEST_F(Transfer, WithoutANumberNothingIsWritten) {
    lines(3, {{"8001234567890", 3}});
    ui::Screen* menu = f.registry.open("tarvo04");
    // The menu opened: number taken. Pretend the series was missing then.
    db.execute("DELETE FROM invte");
    auto* inv = static_cast<shell::InventoryMenu*>(menu);
    f.child<QLineEdit>(menu, "operw")->clear();
    f.click(menu, "Command2");
    f.click(menu, "Command10"); // empty operator: no message, the button is gone
    EXPECT_TRUE(f.messages.shown().empty());
    EXPECT_FALSE(f.child<QPushButton>(menu, "Command10")->isVisible());
    EXPECT_EQ(db.query("SELECT * FROM invte").recordCount(), 0);
    EXPECT_TRUE(inv->numberTaken());
}

} // namespace
