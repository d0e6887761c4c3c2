// shoot-screens ROOT OUTDIR: opens the main menu, every section menu, the
// shelf label screens and the supplier order screens on the store under ROOT
// and writes a picture of each into OUTDIR (for the docs).
#include "app/program.h"
#include "articles/article_reads.h"
#include "data/table.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen.h"
#include "ui/screen_registry.h"

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

// The three confirmations of the supplier documents, each on a few working
// lines of the first supplier as the entry screens store them; the lines are
// removed again afterwards, so the store is left as it was.
void shootConfirmations(app::Program& program, const QString& out) {
    state::SharedState& s = program.state;
    s.supplierCode = 101;
    s.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    const data::Database db = program.dbs.open(s.workDbPath);
    const QStringList tables = {QStringLiteral("carico"), QStringLiteral("ordine"), QStringLiteral("resi")};
    for (const QString& table : tables) {
        for (int code : {1003, 1004, 1005}) {
            const auto ean = db.scalarNative(
                QStringLiteral("SELECT eanare FROM codean WHERE codare = ? ORDER BY marbo_rid LIMIT 1"),
                {code});
            data::Table t = db.table(table);
            t.addNew();
            t.setValue(QStringLiteral("codcasa"), code);
            t.setValue(QStringLiteral("eanrig"), ean);
            t.setValue(QStringLiteral("colli"), 2);
            t.setValue(QStringLiteral("quantita"), 12);
            t.setValue(QStringLiteral("desfor"), s.supplierName.trimmed());
            t.update();
        }
    }
    for (const char* name : {"cnfordc", "cnfordf", "cnfordr"}) {
        ui::Screen* dialog = program.registry.open(QString::fromLatin1(name));
        shoot(dialog, out, QString::fromLatin1(name));
        dialog->close();
    }
    for (const QString& table : tables)
        db.execute(QStringLiteral("DELETE FROM %1 WHERE codcasa IN (1003, 1004, 1005) AND colli = 2 AND "
                                  "quantita = 12 AND desfor = 'ALIMENTARI ROSSI SPA'")
                       .arg(table));
}

QLineEdit* field(QWidget* w, const char* name) {
    return w ? w->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
}

// The supplier orders: the menu, the open orders, a line being received and
// the order with that line delivered.
void shootSupplierOrders(ui::ScreenRegistry& registry, ui::Screen* supplierDocuments, const QString& out) {
    click(supplierDocuments, "Command12");
    ui::Screen* menu = registry.find(QStringLiteral("lumo07"));
    if (!menu)
        return;
    shoot(menu, out, QStringLiteral("lumo07"));
    click(menu, "Command13");
    ui::Screen* list = registry.find(QStringLiteral("lumo08"));
    auto* orders = list ? list->findChild<ui::DataGrid*>(QStringLiteral("ord")) : nullptr;
    if (!orders || orders->rows() < 2)
        return;
    orders->setCurrentRow(1);
    shoot(list, out, QStringLiteral("lumo08"));
    click(list, "Command5");
    ui::Screen* order = registry.find(QStringLiteral("lumo10"));
    auto* lines = order ? order->findChild<ui::DataGrid*>(QStringLiteral("ord")) : nullptr;
    if (!lines || lines->rows() < 2)
        return;
    field(order, "eanw")->setText(lines->textMatrix(1, 2));
    emit field(order, "eanw")->returnPressed();
    ui::Screen* line = registry.find(QStringLiteral("lumo09"));
    if (!line)
        return;
    field(line, "collicw")->setText(QStringLiteral("3"));
    emit field(line, "collicw")->returnPressed();
    field(line, "lottofw")->setText(QStringLiteral("L26-340"));
    shoot(line, out, QStringLiteral("lumo09"));
    emit field(line, "quanciw")->returnPressed();
    if (ui::Screen* again = registry.find(QStringLiteral("lumo10")))
        shoot(again, out, QStringLiteral("lumo10"));
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
        // A code the store does not know, counted: the entry gives way to the
        // pop-up, which asks whether to keep the count.
        eanw->setText(QStringLiteral("8000000000017"));
        emit eanw->returnPressed();
        quanw->setText(QStringLiteral("2"));
        emit quanw->returnPressed();
        if (ui::Screen* popup = registry.find(QStringLiteral("tarvo05er"))) {
            shoot(popup, out, QStringLiteral("tarvo05er"));
            popup->close();
        } else {
            e->close();
        }
    }
    click(inventory, "Command13"); // the operator's lines
    if (ui::Screen* list = registry.find(QStringLiteral("tarvo06")))
        shoot(list, out, QStringLiteral("tarvo06"));
    shootLabels(program, out);
    click(main, "Command6");
    shoot(main, out, QStringLiteral("tarvom-fornitori"));
    // The first supplier in name order: the demo store's order in progress is his.
    if (auto* suppliers = main->findChild<ui::DataGrid*>(QStringLiteral("flex1")))
        suppliers->clickCell(1, 1);
    click(main, "Command9");
    ui::Screen* supplierDocuments = registry.find(QStringLiteral("tarvof"));
    shoot(supplierDocuments, out, QStringLiteral("tarvof"));
    for (const char* name : {"tarvo01b", "tarvo01r", "tarvo01f"})
        shoot(registry.open(QString::fromLatin1(name)), out, QString::fromLatin1(name));
    shootConfirmations(program, out);
    shootSupplierOrders(registry, supplierDocuments, out);
    for (const QString& m : messages.texts())
        QTextStream(stderr) << "message: " << m << "\n";
    return 0;
}
