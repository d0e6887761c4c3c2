#include "entry/register_entries.h"

#include "entry/inventory_entry.h"
#include "entry/order_entry.h"
#include "entry/quantity_first_entry.h"
#include "entry/receipt_entry.h"
#include "ui/screen_registry.h"

namespace entry {

void registerEntryScreens(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("tarvo05"), [](ui::Services& s) { return new InventoryEntry(s); });
    r.add(QStringLiteral("tarvo05er"), [](ui::Services& s) { return new MissingArticlePopup(s); });
    r.add(QStringLiteral("tarvo02"), [](ui::Services& s) { return new OrderEntry(s); });
    r.add(QStringLiteral("tarvo05b"), [](ui::Services& s) { return new ReceiptEntry(s); });
    for (const QuantityFirstEntry::Kind& kind :
         {QuantityFirstEntry::returns(), QuantityFirstEntry::supplierOrder()})
        r.add(kind.name, [kind](ui::Services& s) { return new QuantityFirstEntry(kind, s); });
}

} // namespace entry
