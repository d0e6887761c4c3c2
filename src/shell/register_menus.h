// Registers the main menu and the section menus with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace shell {

void registerMenus(ui::ScreenRegistry& registry);

} // namespace shell
