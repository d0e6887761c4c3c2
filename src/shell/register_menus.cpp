#include "shell/register_menus.h"

#include "shell/department_menu.h"
#include "shell/goods_receipt_menu.h"
#include "shell/inventory_menu.h"
#include "shell/main_menu.h"
#include "shell/order_menu.h"
#include "shell/supplier_documents_menu.h"
#include "shell/supplier_lines_menu.h"
#include "ui/screen_registry.h"

namespace shell {

void registerMenus(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("tarvom"), [](ui::Services& s) { return new MainMenu(s); });
    r.add(QStringLiteral("MainOrd"), [](ui::Services& s) { return new DepartmentMenu(s); });
    r.add(QStringLiteral("tarvo01"), [](ui::Services& s) { return new OrderMenu(s); });
    r.add(QStringLiteral("tarvo04"), [](ui::Services& s) { return new InventoryMenu(s); });
    r.add(QStringLiteral("tarvof"), [](ui::Services& s) { return new SupplierDocumentsMenu(s); });
    r.add(QStringLiteral("tarvo01b"), [](ui::Services& s) { return new GoodsReceiptMenu(s); });
    for (const SupplierLinesMenu::Kind& kind :
         {SupplierLinesMenu::returns(), SupplierLinesMenu::supplierOrder()})
        r.add(kind.name, [kind](ui::Services& s) { return new SupplierLinesMenu(kind, s); });
}

} // namespace shell
