#include "app/program.h"

#include "app/register_screens.h"
#include "ui/screen.h"

namespace app {

Program::Program(data::DriveMapping mapping, ui::Messages& messages, const ui::Clock& clock,
                 ui::Printer& printer)
    : dbs(std::move(mapping))
    , services{state, dbs, messages, registry, clock, printer} {
    registry.setServices(&services);
    registerScreens(registry);
}

Program::~Program() {
    registry.closeAll();
}

} // namespace app
