// One run of the program wired together: the shared state, the databases of a
// drive mapping, the registry holding every screen, and the services handed to
// the screens. The message service, the clock and the printer come from the
// caller, so the program shows real boxes and prints on the real printer while
// the tools and benchmarks script them.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"
#include "ui/screen_registry.h"
#include "ui/services.h"

#include <functional>

namespace app {

class Program {
public:
    Program(data::DriveMapping mapping, ui::Messages& messages, const ui::Clock& clock, ui::Printer& printer);
    // Closes every screen still open.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the main menu. The run ends (`ended` is called) when the main
    // menu has been closed and no other screen is open: "USCITA" closes the
    // main menu only, so a screen still open (an entry with a count typed)
    // stays, and the run ends when the last one is closed.
    ui::Screen* start(std::function<void()> ended);

    state::SharedState state;
    data::Databases dbs;
    ui::ScreenRegistry registry;
    ui::Services services;
};

} // namespace app
