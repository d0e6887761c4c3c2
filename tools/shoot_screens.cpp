// shoot-screens ROOT OUTDIR: opens the main menu, every section menu and the
// working screens built so far on the store under ROOT and writes a picture of
// each into OUTDIR (for the docs).
#include "app/program.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTextStream>

namespace {
void shoot(QWidget* w, const QString& dir, const QString& name) {
    QApplication::processEvents();
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
void click(QWidget* w, const char* name) {
    if (auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name)))
        b->click();
}
} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: shoot-screens ROOT OUTDIR\n";
        return 2;
    }
    QDir().mkpath(args.at(2));
    ui::ScriptedMessages messages;
    const ui::Clock clock;
    ui::CupsPrinter printer;
    app::Program program(data::DriveMapping(args.at(1)), messages, clock, printer);
    ui::ScreenRegistry& registry = program.registry;
    const QString out = args.at(2);

    ui::Screen* main = registry.open(QStringLiteral("tarvom"));
    shoot(main, out, QStringLiteral("tarvom"));
    click(main, "Command3");
    shoot(main, out, QStringLiteral("tarvom-accedi"));
    ui::Screen* dept = registry.open(QStringLiteral("MainOrd"));
    shoot(dept, out, QStringLiteral("MainOrd"));
    click(dept, "Command13");
    shoot(registry.find(QStringLiteral("tarvo01")), out, QStringLiteral("tarvo01"));
    ui::Screen* inventory = registry.open(QStringLiteral("tarvo04"));
    shoot(inventory, out, QStringLiteral("tarvo04"));
    if (auto* operw = inventory->findChild<QLineEdit*>(QStringLiteral("operw")))
        operw->setText(QStringLiteral("1"));
    click(inventory, "Command12");
    if (ui::Screen* e = registry.find(QStringLiteral("tarvo05"))) {
        auto* eanw = e->findChild<QLineEdit*>(QStringLiteral("eanw"));
        auto* quanw = e->findChild<QLineEdit*>(QStringLiteral("quanw"));
        eanw->setText(QStringLiteral("1006")); // an internal code: the article's EAN replaces it
        emit eanw->returnPressed();
        shoot(e, out, QStringLiteral("tarvo05"));
        // Count a few articles so that the list has lines to show.
        for (const char* code : {"1006", "1012", "1020", "1031"}) {
            eanw->setText(QString::fromLatin1(code));
            emit eanw->returnPressed();
            quanw->setText(QStringLiteral("3"));
            emit quanw->returnPressed();
        }
        e->close();
    }
    click(inventory, "Command13"); // the operator's lines
    if (ui::Screen* list = registry.find(QStringLiteral("tarvo06")))
        shoot(list, out, QStringLiteral("tarvo06"));
    // A department order: an article shown, a few lines, the description
    // search, the confirmation.
    if (ui::Screen* orders = registry.find(QStringLiteral("tarvo01"))) {
        click(orders, "Command12");
        if (ui::Screen* e = registry.find(QStringLiteral("tarvo02"))) {
            auto* eanw = e->findChild<QLineEdit*>(QStringLiteral("eanw"));
            auto* quanw = e->findChild<QLineEdit*>(QStringLiteral("quanw"));
            auto* descrw = e->findChild<QLineEdit*>(QStringLiteral("descrw"));
            for (const char* code : {"1012", "1020", "1031"}) {
                eanw->setText(QString::fromLatin1(code));
                emit eanw->returnPressed();
                quanw->setText(QStringLiteral("2"));
                emit quanw->returnPressed();
            }
            eanw->setText(QStringLiteral("1003")); // on offer, with a last order
            emit eanw->returnPressed();
            quanw->setText(QStringLiteral("3"));
            shoot(e, out, QStringLiteral("tarvo02"));
            emit quanw->returnPressed();
            descrw->setText(QStringLiteral("BARILLINA"));
            emit descrw->returnPressed();
            shoot(e, out, QStringLiteral("tarvo02-ricerca"));
            e->close();
        }
        click(orders, "Command2");
        if (ui::Screen* c = registry.find(QStringLiteral("cnford"))) {
            shoot(c, out, QStringLiteral("cnford"));
            c->close();
        }
    }
    click(main, "Command6");
    shoot(main, out, QStringLiteral("tarvom-fornitori"));
    click(main, "Command9");
    shoot(registry.find(QStringLiteral("tarvof")), out, QStringLiteral("tarvof"));
    for (const char* name : {"tarvo01b", "tarvo01r", "tarvo01f"})
        shoot(registry.open(QString::fromLatin1(name)), out, QString::fromLatin1(name));
    for (const QString& m : messages.texts())
        QTextStream(stderr) << "message: " << m << "\n";
    return 0;
}
