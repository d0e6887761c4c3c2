// Registers the line list screens with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace lists {

void registerLists(ui::ScreenRegistry& registry);

} // namespace lists
