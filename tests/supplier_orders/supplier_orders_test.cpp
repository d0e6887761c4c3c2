// The supplier order screens driven as the operator drives them, on a store
// whose orders were written as the supplier order confirmation writes them:
// the menu, the list of open orders, the order screen with its scans and
// exits, and the line screen.
#include "supplier_order_screens.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;
using ui::Message;

namespace {

// ---------------------------------------------------------------------------
// The menu and the list.

TEST_P(SupplierOrderScreens, MenuOpensTheOrdersInProgressAndTheNewOrderMenu) {
    f->state.ean = QStringLiteral("8001234567890");
    ui::Screen* menu = f->registry.open("lumo07");
    EXPECT_TRUE(f->state.ean.blankPrefix(13));
    EXPECT_TRUE(f->field(menu, "opew")->text().isEmpty());
    f->click(menu, "Command2");
    EXPECT_TRUE(f->isOpen("tarvo01f"));
    f->click(menu, "Command13");
    ASSERT_TRUE(f->isOpen("lumo08"));
    f->click(menu, "Command5");
    EXPECT_FALSE(f->isOpen("lumo07"));
}

TEST_P(SupplierOrderScreens, ListShowsTheSuppliersOpenOrdersAndSearchesEveryOneFromTheName) {
    ui::Screen* list = f->registry.open("lumo08");
    ui::DataGrid* ord = f->grid(list, "ord");
    EXPECT_EQ(f->state.documentYear, 2026);
    // Neither the closed order 13 nor the other supplier's 15; last year's 14 is listed.
    EXPECT_EQ(column(list, 1), QStringList({"12", "14", "16"}));
    EXPECT_EQ(ord->textMatrix(0, 1), QStringLiteral("Num"));
    EXPECT_EQ(ord->textMatrix(0, 2), QStringLiteral("Fornitore"));
    EXPECT_EQ(ord->textMatrix(0, 4), QStringLiteral("St"));
    EXPECT_EQ(ord->cols(), 7);
    EXPECT_EQ(ord->colWidth(0), 0);
    EXPECT_EQ(f->field(list, "totqw")->text(), QStringLiteral("0"));

    // The names in order, and the orders they hold (the order within one
    // supplier is the engine's).
    const QString rossi = QStringLiteral("ALIMENTARI ROSSI SPA");
    const QString bianchi = QStringLiteral("BEVANDE BIANCHI SRL");
    struct Case {
        QString typed;
        QStringList names;
        QStringList orders;
    } cases[] = {
        {"BEV", {bianchi}, {"15"}},                                      // another supplier's order
        {"A", {rossi, rossi, rossi, bianchi}, {"12", "14", "15", "16"}}, // every open order from the name on
        {"C", {}, {}},                                                   // no supplier from here on
        {"'%*-- x", {rossi, rossi, rossi, bianchi}, {"12", "14", "15", "16"}}, // no SQL: sorts before names
        {QString(1000, 'Z'), {}, {}},
    };
    for (const Case& c : cases) {
        f->field(list, "ricw")->setText(c.typed);
        QStringList orders = column(list, 1);
        orders.sort();
        EXPECT_EQ(column(list, 2), c.names) << c.typed.left(20).toStdString();
        EXPECT_EQ(orders, c.orders) << c.typed.left(20).toStdString();
    }
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();

    // The header of column 2 sorts every order, closed ones too, by supplier
    // name, one way then the other; column 1 sorts nothing.
    ord->clickCell(0, 1);
    EXPECT_EQ(column(list, 1), QStringList{});
    ord->clickCell(0, 2);
    EXPECT_EQ(f->state.sortDirection.text(), QStringLiteral("DESC"));
    EXPECT_EQ(column(list, 2).first(), QStringLiteral("BEVANDE BIANCHI SRL"));
    EXPECT_EQ(column(list, 1).size(), 5);
    ord->clickCell(0, 2);
    EXPECT_EQ(f->state.sortDirection.text(), QStringLiteral("ASC "));
    EXPECT_EQ(column(list, 2).last(), QStringLiteral("BEVANDE BIANCHI SRL"));
}

TEST_P(SupplierOrderScreens, VedoArticoloOpensOnlyAnOpenOrderOfThisYear) {
    ui::Screen* list = f->registry.open("lumo08");
    ui::DataGrid* ord = f->grid(list, "ord");
    f->click(list, "Command5"); // no row chosen: nothing
    EXPECT_TRUE(f->messages.shown().empty());
    ord->clickCell(0, 2); // every order, the closed one too
    struct Case {
        const char* order;
        const char* message;
    } refused[] = {{"14", "ATTENZIONE !!!. Ordine non presente in archivio"}, // of last year
                   {"13", "ATTENZIONE !!!. L'Ordine è chiuso e non può essere modificato"}};
    for (const Case& c : refused) {
        f->messages.clear();
        ord->setCurrentRow(rowOf(list, c.order));
        f->click(list, "Command5");
        EXPECT_EQ(f->messages.texts(), QStringList{c.message}) << c.order;
        EXPECT_EQ(f->messages.shown().at(0).icon, Message::Icon::Information);
        EXPECT_TRUE(f->isOpen("lumo08"));
        EXPECT_FALSE(f->isOpen("lumo10"));
    }
    f->messages.clear();
    ord->setCurrentRow(rowOf(list, "12"));
    f->click(list, "Command5");
    EXPECT_TRUE(f->messages.shown().empty());
    EXPECT_FALSE(f->isOpen("lumo08"));
    ui::Screen* order = find("lumo10");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(f->state.documentNumber, 12);
    EXPECT_EQ(f->field(order, "numerow")->text(), QStringLiteral("12"));
    EXPECT_EQ(f->field(order, "descliw")->text(), QStringLiteral("ALIMENTARI ROSSI SPA"));
}

TEST_P(SupplierOrderScreens, EveryScreenWithoutTheWorkDatabaseSaysSoAndShowsNothing) {
    f->state.workDbPath.clear();
    for (const char* name : {"lumo08", "lumo10", "lumo09"}) {
        f->messages.clear();
        ui::Screen* s = f->registry.open(QString::fromLatin1(name));
        EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Non è stato selezionato l'archivio dati"})
            << name;
        if (auto* g = f->child<ui::DataGrid>(s, "ord")) {
            EXPECT_EQ(g->rows(), 1) << name;
        }
        s->close();
    }
}

// ---------------------------------------------------------------------------
// The order screen.

TEST_P(SupplierOrderScreens, LinesComeGroupedByStatusThenByDescription) {
    db.execute("UPDATE ordini SET bflag1 = 'C' WHERE bnumer = 12 and bns = 2");
    db.execute("UPDATE ordini SET bflag1 = 'E' WHERE bnumer = 12 and bns = 1");
    ui::Screen* order = openOrder(12);
    ui::DataGrid* ord = f->grid(order, "ord");
    // Lines not yet received first (no status), then delivered, then excluded.
    EXPECT_EQ(column(order, 3), QStringList({"OLIO EXTRAVERGINE LT.1", "PROSCIUTTO CRUDO",
                                             "CAFFÈ \"MOKA\" 250 G", "PASTA SEMOLA GR.500"}));
    EXPECT_EQ(column(order, 1), QStringList({"3", "4", "2", "1"}));
    EXPECT_EQ(ord->textMatrix(0, 9), QStringLiteral("articoli"));
    EXPECT_EQ(ord->colWidth(0), 0);
    ord->clickCell(0, 2);
    EXPECT_EQ(column(order, 1), QStringList({"4", "1", "3", "2"})); // by description, downwards
    ord->clickCell(2, 3);
    EXPECT_EQ(f->state.lastLine, 1);
    EXPECT_EQ(f->state.ean.text(), QStringLiteral("8001234567890"));
}

TEST_P(SupplierOrderScreens, ScanOfADeliveredArticleOpensItsLine) {
    ui::Screen* order = openOrder(12);
    struct Case {
        const char* scan;
        int line;            // 0: no line opens
        const char* message; // or none
        const char* proposed = "";
    } cases[] = {
        {"8001234567890", 1, nullptr},
        {"18001234567890", 1, nullptr},        // 14 characters lose the first
        {"0108001234567890", 1, nullptr},      // "01" and 14 digits: read from the fourth character
        {"2100000012503", 4, nullptr, "1,25"}, // in-store code: the article, its weight proposed
        {"8000000000000", 0, "ATTENZIONE !!!. Codice EAN non presente in archivio"},
        {"8009999999991", 0, "ATTENZIONE !!!. Articolo non presente nell'ordine"},
        {"     ", 0, nullptr}, // blanks: nothing sought
    };
    for (const Case& c : cases) {
        // A scan right after a delivered article's: nothing of it carries over.
        enter(order, "eanw", "8000000000456");
        ASSERT_NE(find("lumo09"), nullptr);
        find("lumo09")->close();
        f->messages.clear();
        f->state.lastLine = 0;
        enter(order, "eanw", QString::fromLatin1(c.scan));
        ui::Screen* line = find("lumo09");
        EXPECT_EQ(f->messages.texts(), c.message ? QStringList{c.message} : QStringList{}) << c.scan;
        if (c.line == 0) {
            EXPECT_EQ(line, nullptr) << c.scan;
            if (c.message) {
                EXPECT_TRUE(f->field(order, "eanw")->text().isEmpty()) << c.scan;
            }
            continue;
        }
        ASSERT_NE(line, nullptr) << c.scan;
        EXPECT_EQ(f->state.lastLine, c.line) << c.scan;
        EXPECT_TRUE(f->field(order, "eanw")->text().isEmpty());
        EXPECT_EQ(f->field(line, "codicew")->text(),
                  QString::number(lineValue(12, c.line, "articoli").toInt()));
        EXPECT_EQ(f->field(line, "quanciw")->text(), QString::fromLatin1(c.proposed)) << c.scan;
        line->close();
    }
}

TEST_P(SupplierOrderScreens, LeavingPutsAnOrderInStatusABackToOpenAndReturnsToTheList) {
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {{"A", ""}, {"E", "E"}, {"X", "X"}};
    for (const Case& c : cases) {
        db.execute(QStringLiteral("UPDATE testao SET fl1ts = '%1' WHERE numero = 12").arg(c.before));
        f->click(openOrder(12), "Command1");
        EXPECT_EQ(status(12).trimmed(), QString::fromLatin1(c.after)) << c.before;
        EXPECT_FALSE(f->isOpen("lumo10"));
        EXPECT_TRUE(f->isOpen("lumo08"));
    }
    EXPECT_TRUE(f->messages.shown().empty());
    db.execute("DELETE FROM testao WHERE numero = 12");
    f->click(openOrder(12), "Command1");
    EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Ordine non presente in archivio"});
    EXPECT_TRUE(f->isOpen("lumo08")); // leaving still goes back to the list
}

TEST_P(SupplierOrderScreens, ClosingAsksAndLeavesTheHeaderAsItIs) {
    ui::Screen* order = openOrder(12);
    f->messages.answer(Message::Answer::No);
    f->click(order, "Command2");
    EXPECT_EQ(f->messages.texts(),
              QStringList{"ATTENZIONE !!! Sei sicuro di voler chiudere questo Ordine ..."});
    EXPECT_EQ(f->messages.shown().at(0).buttons, Message::Buttons::YesNo);
    EXPECT_TRUE(f->isOpen("lumo10"));
    f->messages.answer(Message::Answer::Yes);
    f->click(order, "Command2");
    EXPECT_FALSE(f->isOpen("lumo10"));
    EXPECT_TRUE(f->isOpen("lumo08"));
    EXPECT_EQ(status(12).trimmed(), QString()); // still open

    db.execute("DELETE FROM testao WHERE numero = 16");
    f->messages.clear();
    order = openOrder(16);
    f->click(order, "Command2");
    EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Ordine non presente in archivio"});
    EXPECT_TRUE(f->isOpen("lumo10"));
}

TEST_P(SupplierOrderScreens, DeletingAnOrderTakesItsHeaderAndEveryLineOrNothingWithoutLines) {
    const QString all = QStringLiteral("SELECT * FROM ordini");
    const int lines = count(all);
    ui::Screen* order = openOrder(12);
    f->messages.answer(Message::Answer::No);
    f->click(order, "Command4");
    EXPECT_EQ(f->messages.texts(),
              QStringList{"ATTENZIONE !!! Sei sicuro di voler eliminare questo Ordine ..."});
    EXPECT_EQ(count(all), lines);

    f->messages.answer(Message::Answer::Yes);
    f->click(order, "Command4");
    EXPECT_EQ(status(12), QStringLiteral("<no header>"));
    EXPECT_EQ(count("SELECT * FROM ordini WHERE bnumer = 12"), 0);
    EXPECT_EQ(count(all), lines - 4); // the other orders keep theirs
    EXPECT_EQ(count("SELECT * FROM testao"), 4);
    EXPECT_TRUE(f->isOpen("lumo08"));

    // An order without lines is not touched.
    order = openOrder(16);
    f->messages.answer(Message::Answer::Yes);
    f->click(order, "Command4");
    EXPECT_EQ(status(16).trimmed(), QString());
    EXPECT_TRUE(f->isOpen("lumo10"));
}

// ---------------------------------------------------------------------------
// The line screen.

TEST_P(SupplierOrderScreens, LineShowsOrderedAgainstDeliveredAndPacksTimesPiecesPerPack) {
    ui::Screen* line = openLine(12, 1);
    EXPECT_EQ(f->field(line, "eanw")->text(), QStringLiteral("8001234567890"));
    EXPECT_EQ(f->field(line, "codicew")->text(), QStringLiteral("123"));
    EXPECT_EQ(f->field(line, "descrw")->text(), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(f->field(line, "imbw")->text(), QStringLiteral("12"));
    EXPECT_EQ(f->field(line, "giacew")->text(), QStringLiteral("40"));
    EXPECT_EQ(f->field(line, "quanw")->text(), QStringLiteral("24"));
    EXPECT_EQ(f->field(line, "colliw")->text(), QStringLiteral("24"));
    EXPECT_EQ(f->state.articleCode, 123);
    EXPECT_EQ(line->focusWidget(), f->field(line, "collicw"));
    enter(line, "collicw", "3");
    EXPECT_EQ(f->field(line, "quanciw")->text(), QStringLiteral("36"));
    EXPECT_EQ(line->focusWidget(), f->field(line, "quanciw"));
}

TEST_P(SupplierOrderScreens, StoringRecordsTheDeliveryAndOpensTheOrderAfresh) {
    // Nothing typed: delivered as ordered.
    ui::Screen* order = openOrder(12);
    ui::Screen* line = openLine(12, 2);
    f->click(line, "Command5");
    EXPECT_EQ(lineValue(12, 2, "bflag1").toString(), QStringLiteral("C"));
    EXPECT_DOUBLE_EQ(lineValue(12, 2, "collic").toDouble(), 6);
    EXPECT_DOUBLE_EQ(lineValue(12, 2, "quanci").toDouble(), 6);
    EXPECT_FALSE(f->isOpen("lumo09"));
    ui::Screen* again = find("lumo10");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, order); // a new screen, its grid showing the new status
    EXPECT_EQ(column(again, 1).last(), QStringLiteral("2"));

    // Packs, pieces and a lot typed.
    line = openLine(12, 1);
    enter(line, "collicw", "3");
    f->field(line, "lottofw")->setText(QStringLiteral("L26-340 'B'"));
    QTest::keyClick(f->field(line, "quanciw"), Qt::Key_Return);
    EXPECT_EQ(lineValue(12, 1, "bflag1").toString(), QStringLiteral("C"));
    EXPECT_DOUBLE_EQ(lineValue(12, 1, "collic").toDouble(), 3);
    EXPECT_DOUBLE_EQ(lineValue(12, 1, "quanci").toDouble(), 36);
    EXPECT_EQ(lineValue(12, 1, "lotto").toString(), QStringLiteral("L26-340 'B'"));
    EXPECT_DOUBLE_EQ(lineValue(12, 1, "quantita").toDouble(), 24); // the ordered quantity stays
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(SupplierOrderScreens, OrderedQuantityLimitsOfTheTwoKeysAndTheDecimalPoint) {
    struct Case {
        const char* quanw;
        bool button; // Command5, or Enter in quanw
        bool refused;
        double stored; // quanci, when stored (nothing typed as delivered: the ordered quantity)
    } cases[] = {
        {"99999", true, true, 0},   {"99999", false, false, 99999}, {"999999", true, true, 0},
        {"999999", false, true, 0}, {"2.5", false, false, 2.5},     {"2.5", true, false, 2.5},
        {"", false, false, 0},
    };
    for (const Case& c : cases) {
        db.execute("UPDATE ordini SET quanci = 7, bflag1 = NULL WHERE bnumer = 12 and bns = 1");
        f->messages.clear();
        ui::Screen* line = openLine(12, 1);
        f->field(line, "quanw")->setText(QString::fromLatin1(c.quanw));
        if (c.button)
            f->click(line, "Command5");
        else
            QTest::keyClick(f->field(line, "quanw"), Qt::Key_Return);
        const std::string tag = std::string(c.quanw) + (c.button ? " Conferma" : " Enter");
        if (c.refused) {
            EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE ! Inserire la Q.tà corretta"}) << tag;
            EXPECT_EQ(f->messages.shown().at(0).icon, Message::Icon::None);
            EXPECT_TRUE(f->field(line, "quanw")->text().isEmpty()) << tag;
            EXPECT_TRUE(f->isOpen("lumo09")) << tag;
            EXPECT_DOUBLE_EQ(lineValue(12, 1, "quanci").toDouble(), 7) << tag;
            line->close();
        } else {
            EXPECT_TRUE(f->messages.shown().empty()) << tag;
            EXPECT_FALSE(f->isOpen("lumo09")) << tag;
            EXPECT_DOUBLE_EQ(lineValue(12, 1, "quanci").toDouble(), c.stored) << tag;
        }
    }
}

TEST_P(SupplierOrderScreens, DeliveredQuantityThatIsNoNumberStoresNothing) {
    struct Case {
        const char* field;
        const char* typed;
    } cases[] = {{"quanciw", "abc"}, {"quanciw", "8001234567890"}, {"collicw", "100000"}, {"collicw", "3;"}};
    for (const Case& c : cases) {
        f->messages.clear();
        ui::Screen* line = openLine(12, 1);
        f->field(line, c.field)->setText(QString::fromLatin1(c.typed));
        f->click(line, "Command5");
        EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE ! Inserire la Q.tà corretta"}) << c.typed;
        EXPECT_TRUE(f->field(line, c.field)->text().isEmpty()) << c.typed;
        EXPECT_TRUE(lineValue(12, 1, "bflag1").isNull()) << c.typed;
        line->close();
    }
}

TEST_P(SupplierOrderScreens, DeliveredEanBecomesKnownForItsArticle) {
    struct Case {
        int bns;
        const char* typed;
        const char* eanrig;
        const char* codean; // the EAN row of the article afterwards
        int newRows;
    } cases[] = {
        {1, "8001234567999", "8001234567999", "8001234567999", 1},
        {1, "18001234567988", "8001234567988", "8001234567988", 1}, // a carton's 14 characters
        {4, "2200077012345", "2200077012345", "2200070000000", 1},  // in-store: seven zeros
        {2, "8000000000456", "8000000000456", "8000000000456", 0},  // already known
        {3, "", "", nullptr, 0},                                    // no EAN: no row
    };
    for (const Case& c : cases) {
        const int before = count("SELECT * FROM codean");
        ui::Screen* line = openLine(12, c.bns);
        f->field(line, "eanw")->setText(QString::fromLatin1(c.typed));
        f->click(line, "Command5");
        EXPECT_EQ(lineValue(12, c.bns, "eanrig").toString(), QString::fromLatin1(c.eanrig)) << c.typed;
        EXPECT_EQ(count("SELECT * FROM codean"), before + c.newRows) << c.typed;
        if (c.codean) {
            data::Table codean = db.table("codean");
            codean.setIndex("keyean");
            ASSERT_TRUE(codean.seek(QString::fromLatin1(c.codean))) << c.typed;
            EXPECT_EQ(codean.value("codare").toInt(), lineValue(12, c.bns, "articoli").toInt()) << c.typed;
        }
    }
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(SupplierOrderScreens, ExcludingAsksThenKeepsTheLineExcludedAtItsPlaceInTheStatusOrder) {
    ui::Screen* line = openLine(12, 2);
    f->messages.answer(Message::Answer::No);
    f->click(line, "Command2");
    EXPECT_EQ(f->messages.texts(),
              QStringList{"ATTENZIONE !!! Sei sicuro di voler eliminare questo prodotto ..."});
    EXPECT_TRUE(lineValue(12, 2, "bflag1").isNull());
    EXPECT_TRUE(f->isOpen("lumo09"));

    f->messages.answer(Message::Answer::Yes);
    f->click(line, "Command2");
    EXPECT_EQ(lineValue(12, 2, "bflag1").toString(), QStringLiteral("E"));
    EXPECT_EQ(count("SELECT * FROM ordini WHERE bnumer = 12"), 4);
    EXPECT_FALSE(f->isOpen("lumo09"));
    ui::Screen* order = find("lumo10");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(column(order, 1), QStringList({"3", "1", "4", "2"}));
    EXPECT_EQ(f->grid(order, "ord")->textMatrix(4, 5), QStringLiteral("E"));
}

TEST_P(SupplierOrderScreens, LineScreenOpenedAgainShowsTheLineChosenNow) {
    ui::Screen* order = openOrder(12);
    ui::DataGrid* ord = f->grid(order, "ord");
    ord->setCurrentRow(rowOf(order, "1"));
    f->click(order, "Command5");
    ASSERT_NE(find("lumo09"), nullptr);
    // The first line screen stays open behind; the operator picks another line.
    ord->setCurrentRow(rowOf(order, "3"));
    f->click(order, "Command5");
    ui::Screen* line = find("lumo09");
    EXPECT_EQ(f->field(line, "descrw")->text(), QStringLiteral("OLIO EXTRAVERGINE LT.1"));
    f->click(line, "Command5");
    EXPECT_EQ(lineValue(12, 3, "bflag1").toString(), QStringLiteral("C"));
    EXPECT_TRUE(lineValue(12, 1, "bflag1").isNull());
}

MARBO_ON_EACH_ENGINE(SupplierOrderScreens);

} // namespace
