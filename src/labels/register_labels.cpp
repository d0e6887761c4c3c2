#include "labels/register_labels.h"

#include "labels/label_menu.h"
#include "labels/label_request_entry.h"
#include "labels/sale_price_change.h"
#include "ui/screen_registry.h"

namespace labels {

void registerLabelScreens(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("tarvo07"), [](ui::Services& s) { return new LabelMenu(s); });
    r.add(QStringLiteral("tarvo08"), [](ui::Services& s) { return new LabelRequestEntry(s); });
    r.add(QStringLiteral("tarvo08b"), [](ui::Services& s) { return new SalePriceChange(s); });
}

} // namespace labels
