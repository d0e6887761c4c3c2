#include "app/register_screens.h"

#include "entry/inventory_entry.h"
#include "lists/register_lists.h"
#include "shell/section_menus.h"

namespace app {

void registerScreens(ui::ScreenRegistry& registry) {
    shell::registerMenus(registry);
    entry::registerInventoryEntry(registry);
    lists::registerLists(registry);
}

} // namespace app
