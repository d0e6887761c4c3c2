// The store handheld back-office: starts on the main menu with the shared
// state empty and ends when the main menu is closed with "USCITA".
#include "data/database.h"
#include "entry/inventory_entry.h"
#include "shell/section_menus.h"
#ifdef MARBO_HAVE_LISTS
#include "lists/register_lists.h"
#endif
#include "shell/state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen.h"
#include "ui/screen_registry.h"
#include "ui/services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marbo-wifi"));
    QApplication::setApplicationDisplayName(QStringLiteral("GESTIONE WI-FI"));

    shell::SharedState state;
    data::Databases databases(data::DriveMapping::fromEnvironment());
    ui::QtMessages messages;
    ui::ScreenRegistry registry;
    ui::Clock clock;
    ui::Services services{state, databases, messages, registry, clock};
    registry.setServices(&services);
    // Screens first, menus last: a menu enables the buttons of the screens it finds.
    entry::registerInventoryEntry(registry);
#ifdef MARBO_HAVE_LISTS
    lists::registerLists(registry);
#endif
    shell::registerMenus(registry);

    ui::Screen* menu = registry.open(QStringLiteral("tarvom"));
    // The run ends with the main menu: the other screens close with it.
    QObject::connect(menu, &QObject::destroyed, &app, [&registry] { registry.closeAll(); });
    const int rc = app.exec();
    registry.closeAll();
    return rc;
}
