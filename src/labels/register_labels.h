// Registers the shelf label screens with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace labels {

void registerLabelScreens(ui::ScreenRegistry& registry);

} // namespace labels
