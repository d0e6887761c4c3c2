// The store handheld back-office: starts on the main menu with the shared
// state empty and ends when the main menu is closed with "USCITA" and no
// other screen is open (or, after it, when the last one is closed).
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
    // The program decides when the run ends, not the last window: a message
    // box closing after the screens must not end it early.
    QApplication::setQuitOnLastWindowClosed(false);
    program.start([] { QApplication::quit(); });
    return application.exec();
}
