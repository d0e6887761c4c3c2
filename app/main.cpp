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
#include "ui/printer.h"
#include "ui/screen.h"
#include "ui/screen_registry.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

namespace {
void runProbe(const QByteArray& probe, ui::ScreenRegistry& registry) {
    if (probe == "rss") {
        ui::Screen* menu = registry.find(QStringLiteral("tarvom"));
        if (auto* accedi = menu->findChild<QAbstractButton*>(QStringLiteral("Command3")))
            accedi->click();
        if (auto* inventory = registry.open(QStringLiteral("tarvo04"))) {
            inventory->findChild<QLineEdit*>(QStringLiteral("operw"))->setText(QStringLiteral("1"));
            inventory->findChild<QAbstractButton*>(QStringLiteral("Command12"))->click();
        }
        if (ui::Screen* entry = registry.find(QStringLiteral("tarvo05"))) {
            auto* ean = entry->findChild<QLineEdit*>(QStringLiteral("eanw"));
            ean->setText(QStringLiteral("1234"));
            emit ean->returnPressed();
        }
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS"))
                    fprintf(stdout, "%s\n", line.constData());
    }
    QCoreApplication::quit();
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marbo-wifi"));
    QApplication::setApplicationDisplayName(QStringLiteral("GESTIONE WI-FI"));

    shell::SharedState state;
    data::Databases databases(data::DriveMapping::fromEnvironment());
    ui::QtMessages messages;
    ui::ScreenRegistry registry;
    ui::Clock clock;
    // Labels go to the first printer of the workstation's CUPS printer list.
    ui::CupsPrinter printer;
    ui::Services services{state, databases, messages, registry, clock, printer};
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
    // Diagnostics for the benchmarks: MARBO_PROBE=startup quits once the main
    // menu is on screen; MARBO_PROBE=rss opens the store, scans one code and
    // prints the resident memory.
    const QByteArray probe = qgetenv("MARBO_PROBE");
    if (!probe.isEmpty())
        QTimer::singleShot(0, &app, [&] { runProbe(probe, registry); });
    const int rc = app.exec();
    registry.closeAll();
    return rc;
}
