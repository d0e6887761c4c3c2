#include "lists/register_lists.h"

#include "lists/line_list.h"
#include "ui/screen_registry.h"

namespace lists {

void registerLists(ui::ScreenRegistry& registry) {
    // The descriptions live for the whole run.
    for (const LineListKind& kind : lineListKinds())
        registry.add(kind.name, [&kind](ui::Services& s) { return new LineList(kind, s); });
}

} // namespace lists
