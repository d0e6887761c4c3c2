// Registers the entry screens and their pop-ups with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace entry {

void registerEntryScreens(ui::ScreenRegistry& registry);

} // namespace entry
