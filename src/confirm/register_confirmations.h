// Registers the confirmation dialogs with the screen registry.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace confirm {

void registerConfirmations(ui::ScreenRegistry& registry);

} // namespace confirm
