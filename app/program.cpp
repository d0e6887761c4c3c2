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

ui::Screen* Program::start(std::function<void()> ended) {
    registry.setOnScreenGone([this, ended = std::move(ended)] {
        if (!registry.anyOpen() && ended)
            ended();
    });
    return registry.open(QStringLiteral("tarvom"));
}

Program::~Program() {
    registry.setOnScreenGone({});
    registry.closeAll();
}

} // namespace app
