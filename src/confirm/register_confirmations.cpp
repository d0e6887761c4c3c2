#include "confirm/register_confirmations.h"

#include "confirm/receipt_confirmation.h"
#include "confirm/returns_confirmation.h"
#include "confirm/supplier_order_confirmation.h"
#include "ui/screen_registry.h"

namespace confirm {

void registerConfirmations(ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("cnfordc"), [](ui::Services& s) { return new ReceiptConfirmation(s); });
    registry.add(QStringLiteral("cnfordf"), [](ui::Services& s) { return new SupplierOrderConfirmation(s); });
    registry.add(QStringLiteral("cnfordr"), [](ui::Services& s) { return new ReturnsConfirmation(s); });
}

} // namespace confirm
