// Probes of the program for bench/run, on the store that MARBO_DATA_ROOT names:
//   probe startup  starts as the program does and quits once the main menu is
//                  on screen (bench/run times the whole process);
//   probe rss      then opens the store ("ACCEDI"), the inventory entry of
//                  operator 1, scans one code and prints the resident memory.
#include "app/program.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

namespace {

void click(ui::Screen* screen, const char* name) {
    if (auto* b = screen ? screen->findChild<QAbstractButton*>(QString::fromLatin1(name)) : nullptr)
        b->click();
}

QLineEdit* field(ui::Screen* screen, const char* name) {
    return screen ? screen->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
}

void printResidentMemory(ui::ScreenRegistry& registry) {
    click(registry.find(QStringLiteral("tarvom")), "Command3");
    if (QLineEdit* operw = field(registry.open(QStringLiteral("tarvo04")), "operw")) {
        operw->setText(QStringLiteral("1"));
        click(registry.find(QStringLiteral("tarvo04")), "Command12");
    }
    if (QLineEdit* ean = field(registry.find(QStringLiteral("tarvo05")), "eanw")) {
        ean->setText(QStringLiteral("1234"));
        emit ean->returnPressed();
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS"))
                std::fprintf(stdout, "%s\n", line.constData());
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marbo-wifi"));
    QApplication::setApplicationDisplayName(QStringLiteral("GESTIONE WI-FI"));
    const QStringList args = QApplication::arguments();
    const QString probe = args.size() > 1 ? args.at(1) : QString();
    if (probe != QLatin1String("startup") && probe != QLatin1String("rss")) {
        std::fprintf(stderr, "usage: probe startup|rss\n");
        return 2;
    }

    ui::QtMessages messages;
    const ui::Clock clock;
    ui::CupsPrinter printer;
    app::Program program(data::DriveMapping::fromEnvironment(), messages, clock, printer);
    program.registry.open(QStringLiteral("tarvom"));
    QTimer::singleShot(0, &application, [&] {
        if (probe == QLatin1String("rss"))
            printResidentMemory(program.registry);
        QCoreApplication::quit();
    });
    return application.exec();
}
