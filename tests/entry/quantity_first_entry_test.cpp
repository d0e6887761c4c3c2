// The returns and supplier order entry, one class in two instances, on both
// engines: the scan that stores at once with the quantity in hand, one line
// per EAN replaced, the EAN rules, the lines of articles entered by code, the
// price display and what the two instances do differently.
#include "entry/register_entries.h"
#include "supplier_entry_screens.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Instance {
    const char* screen;
    const char* table;
};
const Instance kReturns{"tarvo02r", "resi"};
const Instance kOrder{"tarvo02f", "ordine"};

class QuantityFirst : public SupplierEntryScreens {
protected:
    void SetUp() override {
        SupplierEntryScreens::SetUp();
        if (IsSkipped())
            return;
        entry::registerEntryScreens(f->registry);
    }
    ui::Screen* open(const Instance& i) { return f->registry.open(QString::fromLatin1(i.screen)); }
    data::Recordset line(const Instance& i, const QString& criterion) {
        return db.query(QStringLiteral("SELECT * FROM %1 WHERE ").arg(QLatin1String(i.table)) + criterion);
    }
    int lines(const Instance& i) { return count(QStringLiteral("SELECT * FROM ") + QLatin1String(i.table)); }
    static data::Decimal d(int v) { return data::Decimal::fromInt(v); }
};

TEST_P(QuantityFirst, EveryScanStoresItsEanWithTheQuantityInHand) {
    for (const Instance& i : {kReturns, kOrder}) {
        SCOPED_TRACE(i.screen);
        ui::Screen* e = open(i);
        // Type 4, scan: stored at once; the quantity goes back to 1.
        QTest::keyClicks(f->field(e, "quanw"), "4");
        enter(e, "eanw", "8001234567890");
        EXPECT_TRUE(text(e, "eanw").isEmpty());
        EXPECT_EQ(text(e, "quanw"), QStringLiteral("1"));
        EXPECT_EQ(text(e, "totqw"), QStringLiteral("4"));
        data::Recordset rs = line(i, "eanrig = '8001234567890'");
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_EQ(*rs.decimal("colli"), d(4));
        EXPECT_EQ(*rs.decimal("quantita"), d(24));
        // The same EAN again, blanks typed inside: the line is set to 1, not added to.
        enter(e, "eanw", "8001 2345 67890");
        rs = line(i, "eanrig = '8001234567890'");
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_EQ(rs.value("codcasa").toInt(), 123);
        EXPECT_EQ(*rs.decimal("colli"), d(1));
        EXPECT_EQ(*rs.decimal("quantita"), d(6));
        EXPECT_EQ(rs.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
        EXPECT_EQ(rs.value("unitam").toString(), QStringLiteral("PZ"));
        EXPECT_EQ(*rs.decimal("prezzo"), *data::Decimal::fromText(u"1.5"));
        EXPECT_EQ(*rs.decimal("imballo"), d(6));
        EXPECT_EQ(rs.value("iva").toString(), QStringLiteral("10"));
        EXPECT_EQ(rs.value("desfor").toString(), QStringLiteral("ALIMENTARI ROSSI SPA"));
        EXPECT_EQ(rs.value("codfor").toInt(), 7);
        EXPECT_EQ(rs.value("desgru").toString(), QStringLiteral("PASTA E RISO DI SEMO"));
        if (QLatin1String(i.table) == QLatin1String("ordine")) {
            EXPECT_TRUE(rs.value("tipord").isNull()); // a supplier order line has no order type
        }
        // A 12-character scan gets one zero in front; an in-store EAN not in
        // codean is its article code in characters 4 to 12, stored under the EAN.
        enter(e, "eanw", "000080012345");
        enter(e, "eanw", "2000000010065");
        EXPECT_EQ(*line(i, "eanrig = '0000080012345'").decimal("quantita"), d(12));
        rs = line(i, "eanrig = '2000000010065'");
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_EQ(rs.value("codcasa").toInt(), 1006);
        EXPECT_EQ(rs.value("descrizione").toString(), QStringLiteral("SALAME MILANO"));
        // The total counts packages, not pieces.
        EXPECT_EQ(text(e, "totqw"), QStringLiteral("3"));
        EXPECT_TRUE(f->messages.shown().empty()) << qPrintable(f->messages.texts().join(" | "));

        // Unknown codes store nothing: an EAN nobody knows says so in the
        // description; an article missing from the price list by the message.
        enter(e, "eanw", "8000000000001");
        EXPECT_EQ(text(e, "descrw"), QStringLiteral("???? Articolo non esiste ..."));
        enter(e, "eanw", "8000000000888");
        ASSERT_EQ(f->messages.shown().size(), 1u);
        EXPECT_EQ(f->messages.shown()[0].text, QStringLiteral("ATTENZIONE !!!! Articolo inesistente ..."));
        EXPECT_EQ(f->messages.shown()[0].icon, ui::Message::Icon::Critical);
        EXPECT_EQ(lines(i), 3);
        f->messages.clear();
        e->close();
    }
}

TEST_P(QuantityFirst, ArticlesByCodeGetLinesOfTheirOwn) {
    for (const Instance& i : {kReturns, kOrder}) {
        SCOPED_TRACE(i.screen);
        ui::Screen* e = open(i);
        // An article with an EAN, entered by code: its price display, and its
        // line is the one of its first EAN.
        enter(e, "codcasaw", "123");
        EXPECT_EQ(text(e, "descrw"), QStringLiteral("PASTA SEMOLA GR.500"));
        EXPECT_EQ(text(e, "imballow"), QStringLiteral("6"));
        EXPECT_EQ(text(e, "costow"), QStringLiteral("1,50"));
        EXPECT_EQ(text(e, "Prezzow"), QStringLiteral("2,49"));
        EXPECT_EQ(text(e, "margw"), QStringLiteral("39,76")); // (2,49 - 1,50) / 2,49
        enter(e, "quanw", "2");
        enter(e, "eanw", "8001234567890");
        EXPECT_EQ(lines(i), 1);
        EXPECT_EQ(*line(i, "codcasa = 123").decimal("colli"), d(1));
        // Two articles without any EAN: a line each, told apart by the code.
        for (const auto& [code, qty] : {std::pair{"789", "2"}, {"790", "3"}, {"789", "5"}}) {
            enter(e, "codcasaw", QString::fromLatin1(code));
            enter(e, "quanw", QString::fromLatin1(qty));
        }
        enter(e, "codcasaw", "789");
        EXPECT_EQ(text(e, "qinvw"), QStringLiteral("5"));
        EXPECT_EQ(lines(i), 3);
        data::Recordset rs = line(i, "codcasa = 789");
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_TRUE(rs.value("eanrig").toString().trimmed().isEmpty());
        EXPECT_EQ(*rs.decimal("colli"), d(5));
        EXPECT_EQ(*rs.decimal("quantita"), d(20));
        EXPECT_EQ(*line(i, "codcasa = 790").decimal("quantita"), d(30));
        EXPECT_TRUE(f->messages.shown().empty()) << qPrintable(f->messages.texts().join(" | "));
        e->close();
    }
}

TEST_P(QuantityFirst, QuantityChecks) {
    const QString message = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");
    ui::Screen* e = open(kOrder);
    enter(e, "eanw", "8001234567890");
    struct Case {
        const char* typed;
        bool byButton;
        int stored; // colli on the line afterwards
    } cases[] = {{"999999", false, 1}, {"0", false, 1},           {"", true, 1},
                 {"abc", false, 1},    {"999998", false, 999998}, {"3", true, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.byButton ? " button" : " Enter"));
        f->messages.clear();
        f->field(e, "quanw")->setText(QString::fromLatin1(c.typed));
        if (c.byButton)
            f->click(e, "Command5");
        else
            QTest::keyClick(f->field(e, "quanw"), Qt::Key_Return);
        const bool refused = c.stored == 1;
        EXPECT_EQ(f->messages.texts(), refused ? QStringList{message} : QStringList());
        if (refused) {
            EXPECT_TRUE(text(e, "quanw").isEmpty());
        }
        EXPECT_EQ(*line(kOrder, "codcasa = 123").decimal("colli"), d(c.stored));
    }
}

TEST_P(QuantityFirst, WhatTheTwoInstancesDoTheirOwnWay) {
    // A department's order line of the same EAN: never touched, never counted.
    addRow(db, "ordine",
           {"codcasa", 123, "eanrig", "8001234567890", "tipord", "T", "colli", 9, "quantita", 54});
    ui::Screen* r = open(kReturns);
    ui::Screen* o = open(kOrder);
    EXPECT_EQ(text(o, "totqw"), QStringLiteral("0"));
    EXPECT_FALSE(f->button(r, "Command5")->isVisibleTo(r));
    EXPECT_FALSE(f->button(r, "Command12")->isVisibleTo(r));
    EXPECT_TRUE(f->button(o, "Command12")->isVisibleTo(o));
    for (ui::Screen* e : {r, o})
        enter(e, "eanw", "8001234567890");
    EXPECT_EQ(text(o, "totqw"), QStringLiteral("1"));
    EXPECT_EQ(*line(kOrder, "tipord = 'T'").decimal("colli"), d(9));
    EXPECT_EQ(count("SELECT * FROM ordine"), 2);

    // Enter on a new quantity stores the same EAN again: the returns refuse
    // it once the description is cleared, the supplier order stores it.
    enter(r, "quanw", "7");
    EXPECT_EQ(f->messages.texts(), QStringList{QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...")});
    EXPECT_EQ(*line(kReturns, "codcasa = 123").decimal("colli"), d(1));
    enter(o, "quanw", "7");
    data::Recordset rs = line(kOrder, "tipord is null");
    EXPECT_EQ(*rs.decimal("colli"), d(7));
    EXPECT_TRUE(rs.value("descrizione").toString().isEmpty());
    EXPECT_EQ(text(o, "totqw"), QStringLiteral("7"));

    // "Elimina" on the supplier order: the line of the EAN shown, without a
    // question; the total stays until the next store.
    o->close();
    f->state.ean = QStringLiteral("8001234567890"); // handed over by the list
    o = open(kOrder);
    EXPECT_EQ(text(o, "descrw"), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(text(o, "qinvw"), QStringLiteral("7"));
    const auto shownBefore = f->messages.shown().size();
    f->click(o, "Command12");
    EXPECT_EQ(f->messages.shown().size(), shownBefore);
    EXPECT_EQ(count("SELECT * FROM ordine WHERE tipord is null"), 0);
    EXPECT_EQ(count("SELECT * FROM ordine WHERE tipord = 'T'"), 1);
    EXPECT_EQ(text(o, "totqw"), QStringLiteral("7"));
    EXPECT_TRUE(text(o, "descrw").isEmpty());
    enter(o, "eanw", "80012345");
    EXPECT_EQ(text(o, "totqw"), QStringLiteral("1"));

    // "Annulla" clears the article on both.
    for (ui::Screen* e : {r, o}) {
        enter(e, "codcasaw", "123");
        f->click(e, "Command13");
        for (const char* field : {"eanw", "quanw", "descrw", "codcasaw", "costow", "Prezzow", "margw"})
            EXPECT_TRUE(text(e, field).isEmpty()) << field;
    }
}

TEST_P(QuantityFirst, WhatIsTypedNeverBecomesSql) {
    const QStringList known{QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"),
                            QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...")};
    ui::Screen* e = open(kOrder);
    const QString typed[] = {"'",
                             "%",
                             "*",
                             "--",
                             "8001' OR '1'='1",
                             QString(1000, QLatin1Char('9')),
                             QString(1000, QLatin1Char('x'))};
    for (const QString& t : typed) {
        SCOPED_TRACE(t.left(20).toStdString());
        f->messages.clear();
        for (const char* field : {"eanw", "codcasaw", "quanw"}) {
            enter(e, field, t);
            QTest::keyClick(f->field(e, "eanw"), Qt::Key_Down);
        }
        f->field(e, "eanw")->setText(t);
        f->click(e, "Command12");
        for (const QString& m : f->messages.texts())
            EXPECT_TRUE(known.contains(m)) << qPrintable(m);
    }
    EXPECT_EQ(lines(kOrder), 0);
}

MARBO_ON_EACH_ENGINE(QuantityFirst);

} // namespace
