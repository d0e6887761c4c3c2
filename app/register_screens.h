// Every screen of the program into the registry, by its screen name: the one
// place that knows all the screen modules. The program, the screen-picture
// tool and the benchmarks register through it.
#pragma once

namespace ui {
class ScreenRegistry;
}

namespace app {

void registerScreens(ui::ScreenRegistry& registry);

} // namespace app
