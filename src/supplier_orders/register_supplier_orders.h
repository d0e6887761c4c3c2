// Registers the supplier order screens with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace supplier_orders {

void registerSupplierOrders(ui::ScreenRegistry& registry);

} // namespace supplier_orders
