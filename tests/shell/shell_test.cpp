// The main menu and the section menus driven as the operator drives them.
#include "screen_fixture.h"
#include "shell/main_menu.h"
#include "shell/register_menus.h"
#include "ui/data_grid.h"
#include "ui/drive_list.h"
#include "ui/toolkit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;
using data::schema::Settings;
using data::schema::StoreDb;
using data::schema::WorkDb;

namespace {

const unsigned kAll = StoreDb | WorkDb;

class Shell : public ::testing::TestWithParam<data::Engine> {
protected:
    Shell()
        : f(engineOfTest(*this)) {}
    void SetUp() override {
        if (noServerForTest(*this))
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        for (const char* name : {"tarvo02", "tarvo03", "cnford", "tarvo05", "tarvo06", "tarvo07", "lumo07",
                                 "tarvo02r", "tarvo03r", "cnfordr", "tarvo05b", "tarvo06b", "cnfordc"})
            f.standIn(QString::fromLatin1(name));
        shell::registerMenus(f.registry);
    }
    // The settings, store and work databases of a drive.
    void makeDrive(const QString& drive, const QString& storePath = {}) {
        settings = f.store.create(drive + "\\vesk\\marbo.mdb", Settings);
        addRow(settings, "società", {"database", storePath});
        storeDb = f.store.create(drive + "\\marbo\\dati.mdb", kAll);
        work = f.store.create(drive + "\\marbo\\bancacodean.mdb", kAll);
        addRow(work, "utenti", {"codutente", 1, "dscutente", "SUPERMERCATO DEMO " + drive});
        addRow(work, "clienti", {"codcliente", 1, "dsccliente", "MARKET VIA ROMA"});
        addRow(storeDb, "fornitori", {"codfornitore", 101, "dscfornitore", "ZETA SRL"});
        addRow(storeDb, "fornitori", {"codfornitore", 102, "dscfornitore", "ALFA SPA"});
    }
    shell::MainMenu* mainMenu() {
        auto* m = qobject_cast<shell::MainMenu*>(f.registry.open("tarvom"));
        // The drive list knows the drives that exist now.
        return m;
    }
    void chooseDrive(shell::MainMenu* m, const QString& d) {
        f.child<ui::DriveList>(m, "Drive1")->setDrive(d);
    }
    // Takes away the database a path names: its file, or its server schema.
    void remove(const QString& path) {
        if (f.store.engine() == data::Engine::Postgres)
            f.store.open(path).executeNative(
                QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(f.store.open(path).location().schema));
        f.store.dbs().closeAll();
        if (f.store.engine() == data::Engine::Sqlite)
            QFile::remove(f.store.dbs().mapping().resolve(path).file);
    }

    ScreenFixture f;
    data::Database settings, storeDb, work;
};

TEST_F(Shell, StoreModesSetThePaths) {
    makeDrive("c:");
    makeDrive("d:", "d:\\negozio\\dati.mdb");
    auto* m = mainMenu();
    ASSERT_NE(m, nullptr);

    // First "ACCEDI" of the run: the settings of the current drive (c:), then
    // the drive chosen is stored. The c: settings name no store database.
    chooseDrive(m, "d:");
    f.click(m, "Command3");
    EXPECT_EQ(f.state.drive, QStringLiteral("d:"));
    EXPECT_EQ(f.state.storeDbPath, QStringLiteral("d:\\marbo\\dati.mdb"));
    EXPECT_EQ(f.state.workDbPath, QStringLiteral("d:\\marbo\\bancacodean.mdb"));
    EXPECT_EQ(f.state.secondPath, f.state.workDbPath);
    EXPECT_EQ(f.state.userName.trimmed(), QStringLiteral("SUPERMERCATO DEMO d:"));
    EXPECT_EQ(f.child<QLabel>(m, "Label1")->text(), f.state.userName.text());
    EXPECT_TRUE(f.child<QPushButton>(m, "Command13")->isVisible());
    EXPECT_FALSE(f.child<QWidget>(m, "selfor")->isVisible());

    // Second press: the settings of d: name another store database.
    f.store.create("d:\\negozio\\dati.mdb", kAll);
    f.click(m, "Command3");
    EXPECT_EQ(f.state.storeDbPath, QStringLiteral("d:\\negozio\\dati.mdb"));

    // "ALTRI" keeps that path and points the work paths at the same file.
    f.click(m, "Command6");
    EXPECT_EQ(f.state.workDbPath, QStringLiteral("d:\\negozio\\dati.mdb"));
    EXPECT_EQ(f.state.secondPath, QStringLiteral("d:\\negozio\\dati.mdb"));

    // "......": always the default paths, the store name, no function buttons change.
    chooseDrive(m, "c:");
    f.click(m, "Command4");
    EXPECT_EQ(f.state.storeDbPath, QStringLiteral("c:\\marbo\\dati.mdb"));
    EXPECT_EQ(f.state.workDbPath, QStringLiteral("c:\\marbo\\bancacodean.mdb"));
    EXPECT_EQ(f.state.userName.trimmed(), QStringLiteral("MARKET VIA ROMA"));
    EXPECT_TRUE(f.messages.shown().empty()) << f.messages.texts().join('|').toStdString();
}

TEST_F(Shell, BlankSettingsPathGivesTheDefaultStoreDatabase) {
    makeDrive("c:", "     ");
    auto* m = mainMenu();
    f.click(m, "Command3");
    EXPECT_EQ(f.state.storeDbPath, QStringLiteral("c:\\marbo\\dati.mdb"));
}

// The suites whose store queries differ by engine run on both.
class ShellOnEachEngine : public Shell {};

TEST_P(ShellOnEachEngine, AltriTakesOverTheSupplierOfPendingWork) {
    makeDrive("c:");
    // A department's order line names no supplier: it is not supplier work.
    addRow(storeDb, "ordine", {"eanrig", "8001234567891", "codcasa", 6, "tipord", "2"});
    // Lines left in carico and no supplier order lines: the receipt's supplier, no question.
    addRow(storeDb, "carico",
           {"codcasa", 5, "eanrig", "8001234567890", "codfor", 103, "desfor", "CASEIFICIO SRL", "oper", 1});
    auto* m = mainMenu();
    f.click(m, "Command6");
    EXPECT_TRUE(f.isOpen("tarvof"));
    EXPECT_EQ(f.state.supplierCode, 103);
    EXPECT_EQ(f.state.supplierName.trimmed(), QStringLiteral("CASEIFICIO SRL"));
    EXPECT_EQ(f.state.supplierName.text().size(), 45);
    EXPECT_FALSE(f.child<QWidget>(m, "pippa")->isVisible());
}

TEST_F(Shell, SupplierGridPickHeaderClickAndConfirmWithoutPick) {
    makeDrive("c:");
    auto* m = mainMenu();
    f.click(m, "Command6");
    auto* grid = f.child<ui::DataGrid>(m, "flex1");
    ASSERT_TRUE(f.child<QWidget>(m, "pippa")->isVisible());
    ASSERT_EQ(grid->rows(), 3); // header row and two suppliers, in name order
    EXPECT_EQ(grid->textMatrix(0, 1), QStringLiteral("Codice"));
    EXPECT_EQ(grid->textMatrix(1, 2), QStringLiteral("ALFA SPA"));
    EXPECT_EQ(grid->colWidth(1), 900);

    f.state.articleCode = 77;
    grid->clickCell(0, 1); // the header row changes only the row and the article code
    EXPECT_EQ(f.state.gridRow, 0);
    EXPECT_EQ(f.state.articleCode, 0);
    EXPECT_EQ(f.state.supplierCode, 0);

    // Confirming without a pick: supplier 0 with a blank name.
    f.click(m, "Command9");
    EXPECT_TRUE(f.isOpen("tarvof"));
    EXPECT_EQ(f.state.supplierCode, 0);
    EXPECT_TRUE(f.state.supplierName.blankPrefix(45));
    f.registry.find("tarvof")->close();

    f.click(m, "Command6");
    grid->clickCell(2, 1);
    EXPECT_EQ(f.state.supplierCode, 101);
    EXPECT_EQ(f.state.supplierName.trimmed(), QStringLiteral("ZETA SRL"));
    f.click(m, "Command9");
    auto* tarvof = f.registry.find("tarvof");
    EXPECT_EQ(f.child<QLabel>(tarvof, "Label1")->text().trimmed(), QStringLiteral("ZETA SRL"));
    // Leaving the supplier documents menu shows the store modes again.
    f.click(tarvof, "Command5");
    EXPECT_TRUE(f.child<QWidget>(m, "selfor")->isVisible());
}

TEST_F(Shell, RenamedThirdButtonStillOpensTheShelfLabelMenu) {
    makeDrive("c:");
    auto* m = mainMenu();
    m->setThirdButtonCaption("Ordini Fornitori");
    f.click(m, "Command3");
    auto* third = f.child<QPushButton>(m, "Command2");
    EXPECT_EQ(third->text(), QStringLiteral("Ordini Fornitori"));
    third->click();
    EXPECT_TRUE(f.isOpen("tarvo07"));
}

TEST_F(Shell, MissingDatabasesGiveAMessageAndTheMenuKeepsWorking) {
    auto* m = mainMenu();
    f.click(m, "Command3"); // no settings database at all
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_TRUE(f.messages.texts().at(0).contains("marbo.mdb")) << qPrintable(f.messages.texts().at(0));
    f.messages.clear();
    f.click(m, "Command6"); // no work database
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_TRUE(f.messages.texts().at(0).contains("dati.mdb"));
    f.messages.clear();
    makeDrive("c:");
    f.click(m, "Command4");
    EXPECT_TRUE(f.messages.shown().empty());
    EXPECT_EQ(f.state.userName.trimmed(), QStringLiteral("MARKET VIA ROMA"));
}

// The store and user names are read from the work database, whatever else is
// missing.
TEST_P(ShellOnEachEngine, NamesComeFromTheWorkDatabaseWhateverElseIsMissing) {
    struct Case {
        const char* mode;    // the mode button
        const char* missing; // the database taken away
        const char* name;    // the name shown
        const char* told;    // part of the one message, or none
    } cases[] = {
        {"Command3", "c:\\marbo\\dati.mdb", "SUPERMERCATO DEMO c:", nullptr},
        {"Command4", "c:\\marbo\\dati.mdb", "MARKET VIA ROMA", nullptr},
        // The first press of a run reads the settings of the current drive's root.
        {"Command3", "c:\\vesk\\marbo.mdb", "SUPERMERCATO DEMO c:", "\\vesk\\marbo.mdb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " without " + c.missing);
        makeDrive("c:");
        remove(QString::fromLatin1(c.missing));
        f.state = {};
        auto* m = mainMenu();
        f.messages.clear();
        f.click(m, c.mode);
        EXPECT_EQ(f.state.userName.trimmed(), QString::fromLatin1(c.name));
        EXPECT_EQ(f.child<QLabel>(m, "Label1")->text().trimmed(), QString::fromLatin1(c.name));
        if (c.told) {
            ASSERT_EQ(f.messages.shown().size(), 1u) << qPrintable(f.messages.texts().join('|'));
            EXPECT_TRUE(f.messages.texts().at(0).contains(QString::fromLatin1(c.told)))
                << qPrintable(f.messages.texts().at(0));
        } else {
            EXPECT_TRUE(f.messages.shown().empty()) << qPrintable(f.messages.texts().join('|'));
        }
        m->close();
        for (const QString& path :
             {"c:\\vesk\\marbo.mdb", "c:\\marbo\\dati.mdb", "c:\\marbo\\bancacodean.mdb"})
            remove(path);
    }
}

MARBO_ON_EACH_ENGINE(ShellOnEachEngine);

TEST_F(Shell, NarrowModeButtonsStayVisibleInEveryState) {
    makeDrive("c:");
    auto* m = mainMenu();
    auto* pippa = f.child<QWidget>(m, "pippa");
    const auto reachable = [&](const char* state) {
        for (const char* name : {"Command4", "Command6"}) {
            auto* b = f.child<QPushButton>(m, name);
            EXPECT_TRUE(b->isVisible()) << state << " " << name;
            // Nothing lies over it: a press at its middle reaches it.
            EXPECT_EQ(m->childAt(b->geometry().center()), b) << state << " " << name;
        }
    };
    reachable("start");
    f.click(m, "Command3");
    reachable("working");
    f.click(m, "Command4");
    reachable("store name only");
    f.click(m, "Command6");
    ASSERT_TRUE(pippa->isVisible());
    reachable("choosing a supplier");
    f.click(m, "Command8");
    reachable("back");
}

TEST_F(Shell, TheSupplierReachedWithTheArrowKeysIsThePick) {
    makeDrive("c:");
    auto* m = mainMenu();
    f.click(m, "Command6");
    auto* grid = f.child<ui::DataGrid>(m, "flex1");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down); // the second supplier in name order: ZETA SRL
    ASSERT_EQ(grid->currentRow(), 2);
    f.click(m, "Command9");
    ASSERT_TRUE(f.isOpen("tarvof"));
    EXPECT_EQ(f.state.supplierCode, 101);
    EXPECT_EQ(f.state.supplierName.trimmed(), QStringLiteral("ZETA SRL"));
}

TEST_F(Shell, OperatorCheck) {
    makeDrive("c:");
    addRow(storeDb, "tipodoc", {"coddoc", "INVENTARIO", "numeratore", "IN"});
    addRow(storeDb, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
    f.state.storeDbPath = "c:\\marbo\\dati.mdb";
    f.state.userCode = 1;
    auto* inv = f.registry.open("tarvo04");
    EXPECT_EQ(f.state.documentNumber, 42);
    EXPECT_TRUE(f.messages.shown().empty()) << qPrintable(f.messages.texts().join('|'));
    struct Case {
        const char* typed;
        int opened; // operator, 0 for the message
    } cases[] = {{"12", 12}, {"0", 0}, {"", 0}, {"x", 0}, {"3abc", 3}};
    for (const Case& c : cases) {
        f.messages.clear();
        if (auto* open = f.registry.find("tarvo05"))
            delete open;
        f.state.operatorNumber = 0;
        f.child<QLineEdit>(inv, "operw")->setText(QString::fromLatin1(c.typed));
        f.click(inv, "Command12");
        if (c.opened) {
            EXPECT_TRUE(f.isOpen("tarvo05")) << c.typed;
            EXPECT_EQ(f.state.operatorNumber, c.opened);
            EXPECT_TRUE(f.messages.shown().empty());
        } else {
            EXPECT_FALSE(f.isOpen("tarvo05")) << c.typed;
            ASSERT_EQ(f.messages.shown().size(), 1u) << c.typed;
            EXPECT_EQ(f.messages.texts().at(0),
                      QStringLiteral("Attenzione! Inserire il numero operatore 1,2,3 ecc.."));
            EXPECT_EQ(f.messages.shown().at(0).icon, ui::Message::Icon::None);
        }
    }
    // The number buttons fill the field.
    f.click(inv, "Command8");
    EXPECT_EQ(f.child<QLineEdit>(inv, "operw")->text(), QStringLiteral("4"));
}

TEST_F(Shell, InventoryMenuWithoutNumberingSaysWhy) {
    makeDrive("c:");
    f.state.storeDbPath = "c:\\marbo\\dati.mdb";
    f.registry.open("tarvo04");
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_EQ(f.messages.texts().at(0),
              QStringLiteral("Attenzione!   manca il tipo documento -INVENTARIO- Vedi tabella TIPODOC"));
    f.registry.find("tarvo04")->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.messages.clear();
    addRow(storeDb, "tipodoc", {"coddoc", "INVENTARIO", "numeratore", "IN"});
    addRow(storeDb, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2025, "ultnum", 41});
    f.registry.open("tarvo04");
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_TRUE(f.messages.texts().at(0).contains("non è stata impostata per l'anno corrente"));
}

TEST_F(Shell, DepartmentsAndTheOrderMenu) {
    makeDrive("c:");
    f.state.workDbPath = "c:\\marbo\\bancacodean.mdb";
    auto* dept = f.registry.open("MainOrd");
    f.click(dept, "Command13"); // FRESCHI
    auto* orders = f.registry.find("tarvo01");
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(f.state.department.text(), QStringLiteral("M"));
    EXPECT_EQ(f.child<QPushButton>(orders, "Command1")->text(), QStringLiteral("GESTIONE ORDINI MACELLERIA"));
    EXPECT_EQ(ui::background(f.child<QPushButton>(orders, "Command5")), QColor(255, 255, 128));
    // Another department while the menu is open: the code changes, the menu does not.
    f.click(dept, "Command3");
    EXPECT_EQ(f.state.department.text(), QStringLiteral("S"));
    EXPECT_EQ(f.child<QPushButton>(orders, "Command1")->text(), QStringLiteral("GESTIONE ORDINI MACELLERIA"));

    // "CONFERMA CANCELLAZIONE" empties the order lines of every department.
    for (const char* d : {"T", "M", "O", "S"})
        addRow(work, "ordine", {"eanrig", "8001234567890", "tipord", d, "colli", 1});
    f.click(orders, "Command3");
    EXPECT_TRUE(f.child<QWidget>(orders, "Frame1")->isVisible());
    f.click(orders, "Command7");
    EXPECT_EQ(work.query("SELECT * FROM ordine").recordCount(), 0);
    EXPECT_FALSE(f.child<QWidget>(orders, "Frame1")->isVisible());
    EXPECT_TRUE(f.messages.shown().empty());
}

TEST_F(Shell, DeletionsWithAQuestion) {
    makeDrive("c:");
    f.state.workDbPath = "c:\\marbo\\bancacodean.mdb";
    addRow(work, "resi", {"eanrig", "8001234567890", "colli", 2});
    addRow(work, "carico", {"eanrig", "8001234567890", "colli", 2, "oper", 1});
    struct Case {
        const char* menu;
        const char* table;
        const char* question;
    } cases[] = {{"tarvo01r", "resi", "Attenzione  !!  Sei sicuro di voler Cancellare questi Resi ?"},
                 {"tarvo01b", "carico", "Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?"}};
    for (const Case& c : cases) {
        auto* menu = f.registry.open(QString::fromLatin1(c.menu));
        f.messages.clear();
        f.messages.answer(ui::Message::Answer::No);
        f.click(menu, "Command3");
        ASSERT_EQ(f.messages.shown().size(), 1u);
        const ui::Message& asked = f.messages.shown().at(0);
        EXPECT_EQ(asked.text, QString::fromUtf8(c.question));
        EXPECT_EQ(asked.icon, ui::Message::Icon::Critical);
        EXPECT_EQ(asked.defaultAnswer, ui::Message::Answer::No);
        EXPECT_EQ(work.query(QStringLiteral("SELECT * FROM %1").arg(c.table)).recordCount(), 1) << c.menu;
        f.messages.answer(ui::Message::Answer::Yes);
        f.click(menu, "Command3");
        EXPECT_EQ(work.query(QStringLiteral("SELECT * FROM %1").arg(c.table)).recordCount(), 0) << c.menu;
        EXPECT_EQ(f.messages.shown().size(), 2u); // no message after the deletion
    }
    // "Vedo articoli" opens the receipt list without an operator check.
    f.click(f.registry.find("tarvo01b"), "Command13");
    EXPECT_TRUE(f.isOpen("tarvo06b"));
}

TEST_F(Shell, ButtonsOfScreensNotYetBuiltAreDisabled) {
    ScreenFixture bare;
    shell::registerMenus(bare.registry);
    auto* m = bare.registry.open("tarvom");
    EXPECT_TRUE(bare.child<QPushButton>(m, "Command13")->isEnabled()); // tarvo04 exists
    auto* inv = bare.registry.open("tarvo04");
    EXPECT_FALSE(bare.child<QPushButton>(inv, "Command12")->isEnabled()); // no entry screen registered
}

} // namespace
