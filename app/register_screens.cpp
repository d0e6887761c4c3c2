#include "app/register_screens.h"

#include "confirm/register_confirmations.h"
#include "entry/register_entries.h"
#include "labels/register_labels.h"
#include "lists/register_lists.h"
#include "shell/register_menus.h"
#include "supplier_orders/register_supplier_orders.h"

namespace app {

void registerScreens(ui::ScreenRegistry& registry) {
    shell::registerMenus(registry);
    entry::registerEntryScreens(registry);
    lists::registerLists(registry);
    confirm::registerConfirmations(registry);
    labels::registerLabelScreens(registry);
    supplier_orders::registerSupplierOrders(registry);
}

} // namespace app
