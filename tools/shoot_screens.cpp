// shoot-screens ROOT OUTDIR: opens the main menu, every section menu and a few
// working screens on the store under ROOT and writes a picture of each into
// OUTDIR (for the docs).
#include "app/program.h"
#include "articles/article_reads.h"
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
void enter(QLineEdit* field, const QString& text) {
    field->setText(text);
    emit field->returnPressed();
}

// The shelf label menu, the label requests after a few scans with an article
// on offer handed over, and a sale price derived from a markup of 30 %.
void shootLabels(app::Program& program, const QString& out) {
    ui::ScreenRegistry& registry = program.registry;
    click(registry.find(QStringLiteral("tarvom")), "Command2"); // Frontalini
    ui::Screen* menu = registry.find(QStringLiteral("tarvo07"));
    if (!menu)
        return;
    shoot(menu, out, QStringLiteral("tarvo07"));
    const data::Database store = program.dbs.open(program.state.storeDbPath);
    auto eanOf = [&store](int code) { return articles::eanOfCode(store, code).value_or(QString()); };
    click(menu, "Command12");
    if (ui::Screen* e = registry.find(QStringLiteral("tarvo08"))) {
        for (const int code : {1006, 1012, 1020})
            enter(e->findChild<QLineEdit*>(QStringLiteral("eanw")), eanOf(code));
        e->close();
    }
    program.state.ean = eanOf(1003); // on offer now
    click(menu, "Command12");
    if (ui::Screen* e = registry.find(QStringLiteral("tarvo08"))) {
        shoot(e, out, QStringLiteral("tarvo08"));
        e->close();
    }
    program.state.ean = QString();
    click(menu, "Command2");
    if (ui::Screen* e = registry.find(QStringLiteral("tarvo08b"))) {
        enter(e->findChild<QLineEdit*>(QStringLiteral("eanw")), QStringLiteral("1010"));
        e->findChild<QLineEdit*>(QStringLiteral("ricaw"))->setText(QStringLiteral("30"));
        shoot(e, out, QStringLiteral("tarvo08b"));
        e->close();
    }
    menu->close();
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
    shootLabels(program, out);
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
