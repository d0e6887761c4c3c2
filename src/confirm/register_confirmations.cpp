#include "confirm/register_confirmations.h"

#include "confirm/order_confirmation.h"
#include "ui/screen_registry.h"

namespace confirm {

void registerConfirmations(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("cnford"), [](ui::Services& s) { return new OrderConfirmation(s); });
}

} // namespace confirm
