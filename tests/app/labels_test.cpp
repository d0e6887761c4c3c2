// Shelf labels from the main menu, on both engines, driven through the real
// screens: label requests scanned, listed and their selection cancelled; a
// sale price derived from a markup and stored.
#include "app/register_screens.h"
#include "label_store.h"
#include "screen_fixture.h"
#include "ui/drive_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;
using data::Decimal;

namespace {

class ShelfLabels : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        app::registerScreens(f->registry);
        db = makeLabelStore(f->store);
    }
    // "ACCEDI" on drive c:, then "Frontalini": the shelf label menu.
    ui::Screen* labelMenu() {
        ui::Screen* m = f->registry.open("tarvom");
        f->child<ui::DriveList>(m, "Drive1")->setDrive("c:");
        f->click(m, "Command3");
        EXPECT_EQ(f->state.storeDbPath, kLabelStore);
        f->click(m, "Command2");
        return f->registry.find("tarvo07");
    }
    void scan(ui::Screen* e, const QString& code) {
        QLineEdit* eanw = f->field(e, "eanw");
        eanw->clear();
        QTest::keyClicks(eanw, code);
        QTest::keyClick(eanw, Qt::Key_Return);
    }
    data::Table row(const QString& ean) {
        data::Table t = db.table("codean");
        t.setIndex("keyean");
        EXPECT_TRUE(t.seek(ean)) << qPrintable(ean);
        return t;
    }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

TEST_P(ShelfLabels, ScansAreRequestedListedAndTheSelectionCancelled) {
    ui::Screen* menu = labelMenu();
    ASSERT_NE(menu, nullptr);
    f->click(menu, "Command12");
    ui::Screen* entry = f->registry.find("tarvo08");
    ASSERT_NE(entry, nullptr);
    // Labels to print before: 2 of CAFFE, none counted on the row a price change marked.
    EXPECT_EQ(f->field(entry, "totqw")->text(), "2");
    EXPECT_EQ(f->state.labelSequence, 7);

    struct Scan {
        const char* code;
        const char* total; // after the scan
    } scans[] = {
        {"8001234567890", "3"}, // the article's first code row: marked twice
        {"8004444444457", "5"}, // not the first: the first code row and this one
        {"2100000012503", "6"}, // in-store code: the article's first code row only
        {"12345", "7"},         // five digits: 0000000012345
        {"8005555555555", "6"}, // requested before: asked again, its 2 labels become 1
    };
    for (const Scan& s : scans) {
        scan(entry, QString::fromLatin1(s.code));
        EXPECT_EQ(f->field(entry, "totqw")->text(), QString::fromLatin1(s.total)) << s.code;
        for (const char* name : {"eanw", "quanw", "descrw", "codcasaw", "Prezzow", "costow"})
            EXPECT_TRUE(f->field(entry, name)->text().isEmpty()) << s.code << " " << name;
    }
    EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!! Prodotto gia caricato ..."});
    EXPECT_EQ(f->state.labelSequence, 16);

    struct Expected {
        const char* ean;
        const char* flag; // flagean and sta_eti
        QVariant neti, taglia;
    } expected[] = {
        {"8001234567890", "S", 1, 9},  {"8009999999991", "", {}, {}}, {"8004444444440", "S", 1, 10},
        {"8004444444457", "S", 1, 11}, {"2100000000005", "S", 1, 12}, {"0000000012345", "S", 1, 14},
        {"0012345678905", "", {}, {}}, {"8005555555555", "S", 1, 16}, {"8006666666666", "S", {}, {}},
        {"8021000000001", "", {}, {}},
    };
    auto checkRows = [&](bool selected) {
        for (const Expected& x : expected) {
            data::Table t = row(x.ean);
            EXPECT_EQ(t.value("flagean").toString(), selected ? x.flag : "") << x.ean;
            EXPECT_EQ(t.value("sta_eti").toString(), x.flag) << x.ean;
            EXPECT_EQ(t.decimal("neti"), Decimal::fromVariant(x.neti)) << x.ean;
            EXPECT_EQ(t.value("taglia").toInt(), x.taglia.toInt()) << x.ean;
            EXPECT_EQ(t.isNull("taglia"), x.taglia.isNull()) << x.ean;
        }
    };
    checkRows(true);

    // The list of the selection: every row marked, with its count.
    f->click(entry, "Command1");
    f->click(menu, "Command13");
    ui::Screen* list = f->registry.find("tarvo10");
    ASSERT_NE(list, nullptr);
    ui::DataGrid* grid = f->grid(list, "ord");
    QStringList listed;
    for (int r = 1; r < grid->rows(); ++r)
        listed << grid->textMatrix(r, 1);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"0000000012345", "2100000000005", "8001234567890", "8004444444440",
                                   "8004444444457", "8005555555555", "8006666666666"}));
    EXPECT_EQ(f->field(list, "totqw")->text(), "6");
    f->click(list, "Command1");

    // "Annullo selezione": the list empties, the labels to print stay.
    QPushButton* cancel = f->button(menu, "Command3");
    f->click(menu, "Command3");
    EXPECT_TRUE(cancel->isHidden());
    checkRows(false);
    f->click(menu, "Command13");
    EXPECT_EQ(f->grid(f->registry.find("tarvo10"), "ord")->rows(), 1); // the header only
    f->click(menu, "Command12");
    EXPECT_EQ(f->field(f->registry.find("tarvo08"), "totqw")->text(), "6");

    // Opened again, the menu offers the button again; with nothing selected
    // it changes nothing and hides.
    menu->close();
    menu = f->registry.open("tarvo07");
    EXPECT_FALSE(f->button(menu, "Command3")->isHidden());
    f->click(menu, "Command3");
    EXPECT_TRUE(f->button(menu, "Command3")->isHidden());
    checkRows(false);
    EXPECT_EQ(f->messages.texts().size(), 1) << f->messages.texts().join('|').toStdString();
}

TEST_P(ShelfLabels, APriceFromAMarkupIsStoredOnEveryCodeOfTheArticle) {
    ui::Screen* menu = labelMenu();
    ASSERT_NE(menu, nullptr);
    f->click(menu, "Command2");
    ui::Screen* change = f->registry.find("tarvo08b");
    ASSERT_NE(change, nullptr);
    scan(change, "8003000000026");
    EXPECT_EQ(f->field(change, "descrw")->text(), "BISCOTTI FROLLINI");
    EXPECT_EQ(f->field(change, "codicelorvw")->text(), "300");
    EXPECT_EQ(f->field(change, "costow")->text(), "2,00");
    EXPECT_EQ(f->field(change, "Prezzow")->text(), "1,99");
    EXPECT_EQ(f->field(change, "nuovopvw")->text(), "1,99");
    EXPECT_EQ(f->field(change, "offew")->text(), "0");
    EXPECT_EQ(change->focusWidget(), f->field(change, "nuovopvw"));

    QTest::keyClicks(f->field(change, "ricaw"), "30");
    EXPECT_EQ(f->field(change, "nuovopvw")->text(), "2,60");
    EXPECT_EQ(f->field(change, "margw")->text(), "23,08");
    f->click(change, "Command5");
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    for (const char* name : {"eanw", "descrw", "nuovopvw", "margw", "ricaw", "codicelorvw"})
        EXPECT_TRUE(f->field(change, name)->text().isEmpty()) << name;

    struct Expected {
        const char* ean;
        double prezzo;
        QVariant pezzix;
        QVariant prezzox;
    } expected[] = {
        {"8003000000002", 2.6, 1, 2.6},  // its own price, one piece
        {"8003000000019", 2.6, 6, 15.6}, // its own price, six pieces
        {"8003000000026", 1.5, {}, {}},  // no price of its own
    };
    for (const Expected& x : expected) {
        data::Table t = row(x.ean);
        EXPECT_EQ(t.value("flagean").toString(), "S") << x.ean;
        EXPECT_EQ(t.value("sta_eti").toString(), "S") << x.ean;
        EXPECT_EQ(t.decimal("prezzo"), Decimal::fromDouble(x.prezzo)) << x.ean;
        EXPECT_EQ(t.value("pezzix").isNull(), x.pezzix.isNull()) << x.ean;
        EXPECT_EQ(t.value("pezzix").toInt(), x.pezzix.toInt()) << x.ean;
        EXPECT_EQ(t.decimal("prezzox"), Decimal::fromVariant(x.prezzox)) << x.ean;
        EXPECT_TRUE(t.isNull("neti")) << x.ean;
        EXPECT_TRUE(t.isNull("taglia")) << x.ean;
    }
    data::Table listi = db.table("listi01");
    listi.setIndex("primary");
    ASSERT_TRUE(listi.seek(300));
    EXPECT_EQ(listi.decimal("przpub"), Decimal::fromText(u"2.6"));
    EXPECT_EQ(listi.decimal("marg"), Decimal::fromText(u"23.08"));
    EXPECT_EQ(listi.decimal("cofart"), Decimal::fromText(u"1.6529"));
    // The new labels are in the handheld's list.
    f->click(change, "Command1");
    f->click(menu, "Command13");
    EXPECT_EQ(f->grid(f->registry.find("tarvo10"), "ord")->rows(), 1 + 3 + 1); // header, 300's codes, 201
}

MARBO_ON_EACH_ENGINE(ShelfLabels);

} // namespace
