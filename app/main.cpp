// The store handheld back-office: starts on the main menu with the shared
// state empty and ends when the main menu is closed with "USCITA".
#include "app/program.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marbo-wifi"));
    QApplication::setApplicationDisplayName(QStringLiteral("GESTIONE WI-FI"));

    ui::QtMessages messages;
    const ui::Clock clock;
    // Labels go to the first printer of the workstation's CUPS printer list.
    ui::CupsPrinter printer;
    app::Program program(data::DriveMapping::fromEnvironment(), messages, clock, printer);
    ui::Screen* menu = program.registry.open(QStringLiteral("tarvom"));
    // The run ends with the main menu: the other screens close with it.
    QObject::connect(menu, &QObject::destroyed, &application, [&program] { program.registry.closeAll(); });
    return application.exec();
}
