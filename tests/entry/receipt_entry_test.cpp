// The goods receipt entry on its own, on both engines: packages proposing the
// pieces and adding up on the operator's line of the article, the ways an
// article is found, the checks of the two counts, the total, the down arrow
// and "Elimina".
#include "entry/register_entries.h"
#include "supplier_entry_screens.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Receipt : public SupplierEntryScreens {
protected:
    void SetUp() override {
        SupplierEntryScreens::SetUp();
        if (IsSkipped())
            return;
        entry::registerEntryScreens(f->registry);
        f->standIn("tarvo06b");
        f->state.operatorNumber = 2;
    }
    ui::Screen* entry() { return f->registry.find("tarvo05b"); }
    ui::Screen* open() { return f->registry.open("tarvo05b"); }
    // Scan, packages and Enter, then Enter on the pieces proposed (or typed).
    void receive(const QString& code, const QString& packages, const QString& pieces = QString()) {
        enter(entry(), "eanw", code);
        enter(entry(), "colliw", packages);
        if (!pieces.isNull())
            f->field(entry(), "quanw")->setText(pieces);
        QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    }
    data::Recordset lines(int oper) {
        return db.query(QStringLiteral("SELECT * FROM carico WHERE oper = %1").arg(oper));
    }
};

TEST_P(Receipt, PackagesProposeThePiecesAndAddUpOnTheArticlesLine) {
    open();
    enter(entry(), "eanw", "8001234567890");
    EXPECT_EQ(text(entry(), "descrw"), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(text(entry(), "costow"), QStringLiteral("1,20"));
    EXPECT_EQ(text(entry(), "Prezzow"), QStringLiteral("2,49"));
    enter(entry(), "colliw", "2");
    EXPECT_EQ(text(entry(), "quanw"), QStringLiteral("12"));
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    EXPECT_TRUE(text(entry(), "eanw").isEmpty());
    EXPECT_EQ(text(entry(), "totqw"), QStringLiteral("2"));

    // The same article under its other EAN shows the pieces stored and adds
    // 2 packages of 6 to the same line.
    enter(entry(), "eanw", "8009999999991");
    EXPECT_EQ(text(entry(), "qinvw"), QStringLiteral("12"));
    enter(entry(), "colliw", "2");
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    data::Recordset rs = lines(2);
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value("codcasa").toInt(), 123);
    EXPECT_EQ(rs.value("eanrig").toString(), QStringLiteral("8001234567890")); // the EAN it was made with
    EXPECT_EQ(*rs.decimal("colli"), data::Decimal::fromInt(4));
    EXPECT_EQ(*rs.decimal("quantita"), data::Decimal::fromInt(24));
    EXPECT_EQ(rs.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(rs.value("unitam").toString(), QStringLiteral("PZ"));
    EXPECT_EQ(*rs.decimal("prezzo"), *data::Decimal::fromText(u"1.5"));
    EXPECT_EQ(*rs.decimal("imballo"), data::Decimal::fromInt(6));
    EXPECT_EQ(rs.value("iva").toString(), QStringLiteral("10"));
    EXPECT_EQ(rs.value("desfor").toString(), QStringLiteral("ALIMENTARI ROSSI SPA"));
    EXPECT_EQ(rs.value("codfor").toInt(), 7);
    EXPECT_EQ(rs.value("desgru").toString(), QStringLiteral("PASTA E RISO DI SEMO")); // 20 characters
    EXPECT_EQ(text(entry(), "totqw"), QStringLiteral("4"));

    // Another operator: a line of their own, a total of their own; a typed
    // quantity wins over the one proposed.
    entry()->close();
    f->state.operatorNumber = 3;
    open();
    receive("8001234567890", "1", "5");
    EXPECT_EQ(text(entry(), "totqw"), QStringLiteral("1"));
    data::Recordset other = lines(3);
    ASSERT_EQ(other.recordCount(), 1);
    EXPECT_EQ(*other.decimal("quantita"), data::Decimal::fromInt(5));
    EXPECT_EQ(*lines(2).decimal("quantita"), data::Decimal::fromInt(24));
    EXPECT_TRUE(f->messages.shown().empty()) << qPrintable(f->messages.texts().join(" | "));
}

TEST_P(Receipt, ArticlesByEanByCodeAndWithoutEan) {
    open();
    // An 8-digit EAN gets five zeros in front.
    receive("80012345", "1");
    // By internal code: the article's EAN comes from its EAN row.
    enter(entry(), "codcasaw", "123");
    EXPECT_EQ(text(entry(), "eanw"), QStringLiteral("8001234567890"));
    QTest::keyClicks(f->field(entry(), "quanw"), "3");
    f->field(entry(), "colliw")->setText("1");
    f->click(entry(), "Command5");
    // Without any EAN row: a blank EAN, found again by its code.
    for (int i = 0; i < 2; ++i) {
        enter(entry(), "codcasaw", "789");
        EXPECT_EQ(text(entry(), "descrw"), QStringLiteral("SACCHETTI CARTA"));
        f->field(entry(), "colliw")->setText("1");
        enter(entry(), "quanw", "4");
    }
    EXPECT_TRUE(f->messages.shown().empty()) << qPrintable(f->messages.texts().join(" | "));
    struct Expect {
        int code;
        const char* ean;
        int colli, quantita;
    } expected[] = {{456, "0000080012345", 1, 12}, {123, "8001234567890", 1, 3}, {789, "", 2, 8}};
    EXPECT_EQ(lines(2).recordCount(), 3);
    for (const Expect& x : expected) {
        SCOPED_TRACE(x.code);
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM carico WHERE codcasa = %1").arg(x.code));
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_EQ(rs.value("eanrig").toString().trimmed(), QString::fromLatin1(x.ean));
        EXPECT_EQ(*rs.decimal("colli"), data::Decimal::fromInt(x.colli));
        EXPECT_EQ(*rs.decimal("quantita"), data::Decimal::fromInt(x.quantita));
    }

    // An EAN nobody knows: the description says so, nothing else is filled.
    enter(entry(), "eanw", "8000000000001");
    EXPECT_EQ(text(entry(), "descrw"), QStringLiteral("???? Articolo non esiste ..."));
    EXPECT_TRUE(text(entry(), "codcasaw").isEmpty());
    // An EAN whose article is not in the price list: the message, critical.
    enter(entry(), "eanw", "8000000000888");
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown()[0].text, QStringLiteral("ATTENZIONE !!!! Articolo inesistente ..."));
    EXPECT_EQ(f->messages.shown()[0].icon, ui::Message::Icon::Critical);
    // A store attempted anyway writes nothing.
    f->field(entry(), "colliw")->setText("1");
    enter(entry(), "quanw", "5");
    EXPECT_EQ(f->messages.shown().size(), 2u);
    EXPECT_EQ(count("SELECT * FROM carico"), 3);
}

TEST_P(Receipt, QuantityAndPackagesChecks) {
    const QString quantityMessage = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");
    const QString packagesMessage = QStringLiteral("ATTENZIONE ! Inserire il numero dei Colli");
    constexpr double kNone = -1e9;
    struct Case {
        const char* packages;
        const char* pieces;
        bool byButton;
        const char* message; // "q", "c" or none
        double stored;       // pieces stored, kNone for none
    } cases[] = {
        {"1", "999999", false, "q", kNone}, {"1", "999998", false, "", 999998}, {"1", "0", false, "q", kNone},
        {"1", "", false, "q", kNone},       {"1", "abc", true, "q", kNone},     {"", "6", false, "c", kNone},
        {"x", "6", true, "c", kNone},       {"0", "7", false, "", 7},           {"1,5", "9", true, "", 9},
        {"1", "-2", false, "", -2},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.packages) + " / " + c.pieces + (c.byButton ? " button" : " Enter"));
        db.execute("DELETE FROM carico");
        f->messages.clear();
        enter(entry(), "eanw", "8001234567890");
        f->field(entry(), "colliw")->setText(QString::fromLatin1(c.packages));
        f->field(entry(), "quanw")->setText(QString::fromLatin1(c.pieces));
        if (c.byButton)
            f->click(entry(), "Command5");
        else
            QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
        const QString m = QString::fromLatin1(c.message);
        EXPECT_EQ(f->messages.texts(), m.isEmpty()               ? QStringList()
                                       : m == QLatin1String("q") ? QStringList{quantityMessage}
                                                                 : QStringList{packagesMessage});
        data::Recordset rs = lines(2);
        if (c.stored == kNone) {
            EXPECT_EQ(rs.recordCount(), 0);
            EXPECT_EQ(text(entry(), "descrw"), QStringLiteral("PASTA SEMOLA GR.500")); // kept for a new try
        } else {
            ASSERT_EQ(rs.recordCount(), 1);
            EXPECT_DOUBLE_EQ(rs.value("quantita").toDouble(), c.stored);
        }
        if (m == QLatin1String("q")) {
            EXPECT_TRUE(text(entry(), "quanw").isEmpty());
        }
        f->click(entry(), "Command13"); // Annulla
    }
}

TEST_P(Receipt, TotalDownArrowAndElimina) {
    addRow(db, "carico", {"codcasa", 456, "eanrig", "0000080012345", "oper", 5, "colli", 1, "quantita", 12});
    addRow(db, "carico", {"codcasa", 789, "eanrig", "", "oper", 5, "colli", 1, "quantita", 4});
    open();
    receive("8001234567890", "3");
    receive("80012345", "2");
    EXPECT_EQ(text(entry(), "totqw"), QStringLiteral("5"));

    // The down arrow from the first EAN: the second line after it (of any
    // operator) is shown; the screen stays on its operator's lines.
    f->field(entry(), "eanw")->setText("0000000000000");
    QTest::keyClick(f->field(entry(), "eanw"), Qt::Key_Down);
    EXPECT_EQ(text(entry(), "eanw"), QStringLiteral("0000080012345"));
    EXPECT_EQ(text(entry(), "qinvw"), QStringLiteral("24")); // operator 2's own line of the article
    enter(entry(), "colliw", "1");
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    EXPECT_EQ(text(entry(), "totqw"), QStringLiteral("6"));
    EXPECT_EQ(count("SELECT * FROM carico WHERE oper = 2"), 2);
    // From the last EAN there is no line to step to: nothing changes.
    enter(entry(), "eanw", "8001234567890");
    f->field(entry(), "eanw")->setText("8001234567890");
    QTest::keyClick(f->field(entry(), "eanw"), Qt::Key_Down);
    EXPECT_EQ(text(entry(), "eanw"), QStringLiteral("8001234567890"));
    EXPECT_EQ(text(entry(), "descrw"), QStringLiteral("PASTA SEMOLA GR.500"));

    // "Elimina" answered No keeps the line, closes and opens the list.
    f->messages.answer(ui::Message::Answer::No);
    f->click(entry(), "Command12");
    EXPECT_EQ(entry(), nullptr);
    EXPECT_TRUE(f->isOpen("tarvo06b"));
    EXPECT_EQ(f->messages.shown().back().title, QStringLiteral("Elimina articolo"));
    EXPECT_EQ(count("SELECT * FROM carico WHERE oper = 2"), 2);
    // Yes deletes the operator's line of the article shown, under any of its
    // EANs, and only that one.
    open();
    enter(entry(), "eanw", "8009999999991");
    f->messages.answer(ui::Message::Answer::Yes);
    f->click(entry(), "Command12");
    EXPECT_EQ(count("SELECT * FROM carico WHERE oper = 2"), 1);
    EXPECT_EQ(count("SELECT * FROM carico WHERE codcasa = 123"), 0);
    EXPECT_EQ(count("SELECT * FROM carico WHERE oper = 5"), 2);
}

TEST_P(Receipt, WhatIsTypedNeverBecomesSql) {
    open();
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
        for (const char* field : {"eanw", "codcasaw"}) {
            enter(entry(), field, t);
            f->field(entry(), "colliw")->setText(t);
            enter(entry(), "quanw", t);
            QTest::keyClick(f->field(entry(), "eanw"), Qt::Key_Down);
        }
        const QStringList known{QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"),
                                QStringLiteral("ATTENZIONE ! Inserire il numero dei Colli"),
                                QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...")};
        for (const QString& m : f->messages.texts())
            EXPECT_TRUE(known.contains(m)) << qPrintable(m);
    }
    EXPECT_EQ(count("SELECT * FROM carico"), 0);
}

MARBO_ON_EACH_ENGINE(Receipt);

} // namespace
