// The order entry `tarvo02` on both engines: what a scan shows (code rules,
// last order, prices), what a store writes, the quantity keys and the unit,
// the description search, stepping and deleting.
#include "entry/register_entries.h"
#include "order_store.h"
#include "screen_fixture.h"
#include "ui/toolkit.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class OrderEntry : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        o = makeOrderStore(f->store);
        f->state.storeDbPath = o.storePath;
        f->state.workDbPath = o.workPath;
        f->state.secondPath = o.workPath;
        f->state.department = QStringLiteral("M");
        f->standIn("tarvo03");
        entry::registerEntryScreens(f->registry);
        e = f->registry.open("tarvo02");
        ASSERT_NE(e, nullptr);
    }
    QLineEdit* field(const char* name) { return f->field(e, name); }
    QString text(const char* name) { return field(name)->text(); }
    void scan(const QString& code) {
        field("eanw")->setFocus();
        field("eanw")->clear();
        QTest::keyClicks(field("eanw"), code);
        QTest::keyClick(field("eanw"), Qt::Key_Return);
    }
    void quantity(const QString& q) {
        field("quanw")->setText(q);
        QTest::keyClick(field("quanw"), Qt::Key_Return);
    }
    // The order line of an EAN: its fields by name, empty when there is none.
    QVariantMap line(const QString& ean) {
        data::Table t = o.work.table("ordine");
        t.setIndex("ean");
        QVariantMap m;
        if (t.seek(ean))
            for (const char* name : {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli",
                                     "imballo", "quantita", "iva", "desfor", "desgru", "tipord"})
                m.insert(QString::fromLatin1(name), t.value(QString::fromLatin1(name)));
        return m;
    }
    int lines() { return o.work.query("SELECT * FROM ordine").recordCount(); }

    std::unique_ptr<ScreenFixture> f;
    OrderStore o;
    ui::Screen* e = nullptr;
};

MARBO_ON_EACH_ENGINE(OrderEntry);

TEST_P(OrderEntry, WhatAScanShows) {
    struct Case {
        const char* typed;
        const char *ean, *code, *description, *pack, *cost, *lastPacks, *lastDate, *lastTime, *price, *offer,
            *margin;
        bool found;
    } cases[] = {
        // An EAN; the last order recorded by a confirmation shows its packs.
        {"8001234567890", "8001234567890", "123", "PASTA SEMOLA GR.500", "24", "1,10", "3", "20/11/2026",
         "10:30", "1,50", "0", "26,67", true},
        // A 12-digit scan gets its leading zero.
        {"800123456789", "0800123456789", "321", "CAFFE MOKA GR.250", "10", "3,05", "", "", "", "3,99", "0",
         "23,56", true},
        // Internal codes: as typed, without the last digit, without the last two.
        {"0123", "8001234567890", "123", "PASTA SEMOLA GR.500", "24", "1,10", "3", "20/11/2026", "10:30",
         "1,50", "0", "26,67", true},
        {"4561", "8000000000456", "456", "OLIO EVO LT.1", "6", "3,64", "", "", "", "6,90", "5,90", "55,25",
         true},
        {"45612", "8000000000456", "456", "OLIO EVO LT.1", "6", "3,64", "", "", "", "6,90", "5,90", "55,25",
         true},
        // A supplier's barcode: its characters 4 to 12 are the supplier's article code.
        {"2001234567895", "8000000000789", "789", "LATTE INTERO LT.1", "12", "0,83", "36", "", "", "1,29",
         "0", "35,66", true},
        // Only in the work database's EAN rows and article table.
        {"8000000000555", "8000000000555", "555", "BISCOTTI FROLLINI", "20", "1,98", "", "", "", "", "", "",
         true},
        {"8000000000001", "8000000000001", "", "???? Articolo non esiste ...", "", "", "", "", "", "", "", "",
         false},
        {"ABC'--%*", "ABC'--%*", "", "???? Articolo non esiste ...", "", "", "", "", "", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        // What the article before left on the screen never stays.
        scan("8000000000456");
        scan(QString::fromLatin1(c.typed));
        EXPECT_EQ(text("eanw"), QString::fromLatin1(c.ean));
        EXPECT_EQ(text("codcasaw"), QString::fromLatin1(c.code));
        EXPECT_EQ(text("descrw"), QString::fromUtf8(c.description));
        EXPECT_EQ(text("imballow"), QString::fromLatin1(c.pack));
        EXPECT_EQ(text("costow"), QString::fromLatin1(c.cost));
        EXPECT_EQ(text("cimpw"), QString::fromLatin1(c.lastPacks));
        EXPECT_EQ(text("dtorprw"), QString::fromLatin1(c.lastDate));
        EXPECT_EQ(text("oraw"), QString::fromLatin1(c.lastTime));
        EXPECT_EQ(text("Prezzow"), QString::fromLatin1(c.price));
        EXPECT_EQ(text("offew"), QString::fromLatin1(c.offer));
        EXPECT_EQ(text("margw"), QString::fromLatin1(c.margin));
        EXPECT_EQ(e->focusWidget(), c.found ? field("quanw") : field("eanw"));
        if (!c.found) {
            EXPECT_EQ(ui::background(field("eanw")), ui::color(ui::kWindowBackground));
        }
    }
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(OrderEntry, StoredLinesReplaceTheirPacksAndCountPerDepartment) {
    addOrderLine(o.work, "8000000000789", 5, "S"); // frozen food: another department
    e->close();
    e = f->registry.open("tarvo02");
    EXPECT_EQ(text("totqw"), QStringLiteral("0"));

    scan("8001234567890");
    quantity("2");
    EXPECT_EQ(text("totqw"), QStringLiteral("2"));
    EXPECT_TRUE(text("eanw").isEmpty());
    EXPECT_EQ(text("umw"), QStringLiteral("CT"));
    EXPECT_EQ(e->focusWidget(), field("eanw"));
    const QVariantMap pasta = line("8001234567890");
    EXPECT_EQ(pasta.value("codcasa").toInt(), 123);
    EXPECT_EQ(pasta.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(pasta.value("unitam").toString(), QStringLiteral("CT"));
    EXPECT_DOUBLE_EQ(pasta.value("prezzo").toDouble(), 1.10);
    EXPECT_DOUBLE_EQ(pasta.value("colli").toDouble(), 2);
    EXPECT_DOUBLE_EQ(pasta.value("imballo").toDouble(), 24);
    EXPECT_DOUBLE_EQ(pasta.value("quantita").toDouble(), 48);
    EXPECT_EQ(pasta.value("iva").toString(), QStringLiteral("10"));
    EXPECT_EQ(pasta.value("desfor").toString(), QStringLiteral("."));
    EXPECT_EQ(pasta.value("desgru").toString(), QStringLiteral("."));
    EXPECT_EQ(pasta.value("tipord").toString(), QStringLiteral("M"));

    // Scanned again: the packs ordered so far are shown, and replaced.
    scan("8001234567890");
    EXPECT_EQ(text("quanw"), QStringLiteral("2"));
    quantity("1,5");
    EXPECT_DOUBLE_EQ(line("8001234567890").value("colli").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(line("8001234567890").value("quantita").toDouble(), 36);
    EXPECT_EQ(text("totqw"), QStringLiteral("1,5"));

    // An unknown article is stored all the same, without article data.
    scan("8000000000001");
    quantity("4");
    const QVariantMap unknown = line("8000000000001");
    EXPECT_EQ(unknown.value("codcasa").toInt(), 0);
    EXPECT_EQ(unknown.value("descrizione").toString(), QStringLiteral("???? Articolo non esiste ..."));
    EXPECT_DOUBLE_EQ(unknown.value("prezzo").toDouble(), 0);
    EXPECT_EQ(text("totqw"), QStringLiteral("5,5"));

    // The frozen food line is neither counted nor touched.
    EXPECT_DOUBLE_EQ(line("8000000000789").value("colli").toDouble(), 5);
    EXPECT_EQ(line("8000000000789").value("tipord").toString(), QStringLiteral("S"));
    EXPECT_EQ(lines(), 3);
}

TEST_P(OrderEntry, QuantityLimitsAndScansIntoTheQuantity) {
    struct Case {
        const char* typed;
        double stored;          // packs of the shown article afterwards; 0: no line
        const char* shownAfter; // EAN field afterwards
    } cases[] = {
        {"9999", 9999, ""},
        {"10000", 0, ""},            // no order: the screen is cleared, nothing stored
        {"abc", 0, "8001234567890"}, // no count: typed again, the article still shown
        {"-2", 0, "8001234567890"},
        {"", 1, ""},
        // A code scanned into the quantity: the article shown is stored with
        // one pack, the code scanned is shown next.
        {"8000000000456", 1, "8000000000456"},
        {"0", 1, "0000000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        o.work.execute("DELETE FROM ordine");
        scan("8001234567890");
        quantity(QString::fromLatin1(c.typed));
        const QVariantMap pasta = line("8001234567890");
        EXPECT_DOUBLE_EQ(pasta.value("colli").toDouble(), c.stored);
        EXPECT_EQ(pasta.isEmpty(), c.stored == 0);
        EXPECT_EQ(text("eanw"), QString::fromLatin1(c.shownAfter));
        EXPECT_EQ(lines(), c.stored == 0 ? 0 : 1); // the second code is only shown
        if (QByteArray(c.typed) == "8000000000456") {
            EXPECT_EQ(text("descrw"), QStringLiteral("OLIO EVO LT.1"));
            EXPECT_TRUE(text("quanw").isEmpty());
            EXPECT_EQ(e->focusWidget(), field("quanw"));
        }
        f->click(e, "Command13");
    }
    // "Conferma": an empty count is one pack; a code typed without Enter is looked up first.
    o.work.execute("DELETE FROM ordine");
    QTest::keyClicks(field("eanw"), "4561");
    f->click(e, "Command5");
    EXPECT_DOUBLE_EQ(line("8000000000456").value("colli").toDouble(), 1);
    EXPECT_EQ(line("8000000000456").value("descrizione").toString(), QStringLiteral("OLIO EVO LT.1"));
    f->click(e, "Command5"); // nothing in the EAN field: nothing stored
    EXPECT_EQ(lines(), 1);
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(OrderEntry, PlusMinusAndTheUnit) {
    struct Case {
        const char* before;
        const char* button;
        const char* after;
    } cases[] = {
        {"1", "Command3", "1"}, {"", "Command3", "1"},      {"", "Command2", "2"},
        {"3", "Command2", "4"}, {"2,5", "Command2", "3,5"}, {"x", "Command2", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " " + c.button);
        field("quanw")->setText(QString::fromLatin1(c.before));
        f->click(e, c.button);
        EXPECT_EQ(text("quanw"), QString::fromLatin1(c.after));
    }
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseDClick(field("umw"), Qt::LeftButton);
        seen << text("umw");
    }
    EXPECT_EQ(seen, QStringList({"BS", "PZ", "PD", "CT", "BS"}));
    field("umw")->setText("KG");
    QTest::mouseDClick(field("umw"), Qt::LeftButton);
    EXPECT_EQ(text("umw"), QStringLiteral("KG"));
    // The unit chosen is stored with the line.
    field("umw")->setText("PZ");
    scan("8000000000456");
    quantity("2");
    EXPECT_EQ(line("8000000000456").value("unitam").toString(), QStringLiteral("PZ"));
    EXPECT_EQ(text("umw"), QStringLiteral("CT"));
}

TEST_P(OrderEntry, DescriptionSearch) {
    auto* frame = f->control<QFrame>(e, "Frame1");
    ui::DataGrid* grid = f->grid(e, "flex1");
    EXPECT_FALSE(frame->isVisible());
    QTest::mouseClick(field("descrw"), Qt::LeftButton);
    EXPECT_TRUE(frame->isVisible());
    QTest::mouseClick(field("descrw"), Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible());

    QTest::keyClicks(field("descrw"), "ssin");
    QTest::keyClick(field("descrw"), Qt::Key_Return);
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(grid->rows(), 2);
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("999"));
    // GRISSINI has no EAN: nothing is shown, the search closes.
    grid->clickCell(1, 2);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(text("eanw").isEmpty());

    field("descrw")->setText("");
    QTest::keyClick(field("descrw"), Qt::Key_Return);
    ASSERT_EQ(grid->rows(), 7); // every article, by description
    EXPECT_EQ(grid->textMatrix(1, 2), QStringLiteral("BISCOTTI FROLLINI"));
    EXPECT_EQ(grid->textMatrix(6, 2), QStringLiteral("PASTA SEMOLA GR.500"));
    grid->clickCell(6, 2);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(text("eanw"), QStringLiteral("8001234567890"));
    EXPECT_EQ(text("descrw"), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(text("Prezzow"), QStringLiteral("1,50"));

    for (const char* typed : {"'", "%", "--", "a'b*c"}) {
        SCOPED_TRACE(typed);
        field("descrw")->setText(QString::fromLatin1(typed));
        QTest::keyClick(field("descrw"), Qt::Key_Return);
        EXPECT_EQ(grid->rows(), 1);
    }
    field("descrw")->setText(QString(1000, QLatin1Char('x')));
    QTest::keyClick(field("descrw"), Qt::Key_Return);
    EXPECT_EQ(grid->rows(), 1);
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(OrderEntry, CodeFieldStepDeleteAndCancel) {
    // A typed internal code shows its article under its first EAN.
    field("codcasaw")->setText("456");
    QTest::keyClick(field("codcasaw"), Qt::Key_Return);
    EXPECT_EQ(text("eanw"), QStringLiteral("8000000000456"));
    EXPECT_EQ(text("descrw"), QStringLiteral("OLIO EVO LT.1"));
    EXPECT_EQ(e->focusWidget(), field("quanw"));
    field("codcasaw")->setText("999"); // no EAN to order it under
    QTest::keyClick(field("codcasaw"), Qt::Key_Return);
    EXPECT_EQ(text("descrw"), QStringLiteral("???? Articolo non esiste ..."));
    EXPECT_TRUE(text("costow").isEmpty());

    for (const char* ean : {"0800123456789", "8000000000456", "8000000000789", "8001234567890"})
        addOrderLine(o.work, ean, 2, "M");
    // Down arrow: the next line but one; none beyond keeps the EAN.
    struct Step {
        const char* from;
        const char* to;
    } steps[] = {{"0800123456789", "8000000000789"},
                 {"8000000000456", "8001234567890"},
                 {"8000000000789", "8000000000789"},
                 {"8001234567890", "8001234567890"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.from);
        field("eanw")->setText(QString::fromLatin1(s.from));
        QTest::keyClick(field("eanw"), Qt::Key_Down);
        EXPECT_EQ(f->state.ean.trimmed(), QString::fromLatin1(s.to));
        EXPECT_EQ(text("eanw"), QString::fromLatin1(s.to));
        EXPECT_EQ(text("quanw"), QStringLiteral("2"));
        EXPECT_EQ(e->focusWidget(), field("eanw"));
    }

    // "Elimina" deletes the line shown, without asking.
    field("eanw")->setText("8000000000456");
    f->click(e, "Command12");
    EXPECT_TRUE(line("8000000000456").isEmpty());
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(text("totqw"), QStringLiteral("6"));
    EXPECT_TRUE(text("eanw").isEmpty());

    scan("8001234567890");
    f->click(e, "Command13");
    for (const char* name : {"eanw", "quanw", "descrw", "codcasaw", "imballow", "cimpw", "costow", "dtorprw",
                             "Prezzow", "margw", "offew", "oraw"})
        EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_TRUE(f->state.ean.trimmed().isEmpty());
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

TEST_P(OrderEntry, CaptionsAndFocusColours) {
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Immissione Ordine"));
    QStringList captions;
    for (const QLabel* l : e->findChildren<QLabel*>())
        if (l->isVisible())
            captions << l->text();
    for (const char* c :
         {"Codice Ean/Lorv", "Codice Lorv", "Quantità", "UM", "Imb.", "Colli Ult.Ord.", "Data ult.ordine",
          "Ora Trasmissione", "Costo + Iva", "Prezzo Ven.", "Offerta", "Margine", "Totale Quantità"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
    EXPECT_EQ(field("descrw")->toolTip(), QStringLiteral("Clicca qui per ricercare Articolo"));
    const std::pair<const char*, const char*> buttons[] = {
        {"Command5", "Conferma"}, {"Command12", "Elimina"}, {"Command13", "Annulla"}, {"Command1", "Uscita"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(f->button(e, name)->text(), QString::fromLatin1(caption));
    EXPECT_EQ(f->button(e, "Command1")->toolTip(), QStringLiteral("Uscita programma"));
    EXPECT_FALSE(f->button(e, "Command2")->icon().isNull());
    EXPECT_FALSE(f->button(e, "Command3")->icon().isNull());
    EXPECT_FALSE(field("operw")->isVisible());
    EXPECT_FALSE(field("qinvw")->isVisible());

    // The field that gets the focus turns yellow; the others go back to the
    // window colour, the description keeping its yellow.
    const QColor yellow = ui::color(ui::kFocusYellow), window = ui::color(ui::kWindowBackground);
    e->activateWindow();
    QApplication::setActiveWindow(e);
    for (const char* name : {"umw", "descrw", "codcasaw", "quanw", "eanw"}) {
        SCOPED_TRACE(name);
        field(name)->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(ui::background(field(name)), yellow);
        for (const char* other : {"umw", "codcasaw", "quanw", "eanw"}) {
            if (QByteArray(other) != name) {
                EXPECT_EQ(ui::background(field(other)), window) << other;
            }
        }
    }
    EXPECT_EQ(ui::background(field("descrw")), yellow);
}

TEST_P(OrderEntry, OpeningShowsTheLineOfAListAndNeedsTheWorkDatabase) {
    addOrderLine(o.work, "8000000000456", 3, "M");
    e->close();
    f->state.ean = QStringLiteral("8000000000456");
    e = f->registry.open("tarvo02");
    EXPECT_EQ(text("descrw"), QStringLiteral("OLIO EVO LT.1"));
    EXPECT_EQ(text("quanw"), QStringLiteral("3"));
    EXPECT_EQ(text("totqw"), QStringLiteral("3"));
    EXPECT_EQ(text("umw"), QStringLiteral("CT"));
    EXPECT_EQ(f->state.priceList.text(), QStringLiteral("01"));
    EXPECT_EQ(f->state.documentYear, 2026);
    f->click(e, "Command1");
    EXPECT_TRUE(f->state.ean.trimmed().isEmpty());
    EXPECT_FALSE(f->isOpen("tarvo02"));

    f->state.workDbPath.clear();
    e = f->registry.open("tarvo02");
    EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Non è stato selezionato l'archivio dati"});
    EXPECT_EQ(f->messages.shown().at(0).icon, ui::Message::Icon::Information);
}

} // namespace
