#include "supplier_orders/register_supplier_orders.h"

#include "supplier_orders/supplier_order_line.h"
#include "supplier_orders/supplier_order_view.h"
#include "supplier_orders/supplier_orders_list.h"
#include "supplier_orders/supplier_orders_menu.h"
#include "ui/screen_registry.h"

namespace supplier_orders {

void registerSupplierOrders(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("lumo07"), [](ui::Services& s) { return new SupplierOrdersMenu(s); });
    r.add(QStringLiteral("lumo08"), [](ui::Services& s) { return new SupplierOrdersList(s); });
    r.add(QStringLiteral("lumo10"), [](ui::Services& s) { return new SupplierOrderView(s); });
    r.add(QStringLiteral("lumo09"), [](ui::Services& s) { return new SupplierOrderLine(s); });
}

} // namespace supplier_orders
