// The label request entry and the sale price change, on both engines, driven
// as the operator drives them: the lookups, the checks of the typed counts,
// prices and margins, and what each store writes.
#include "data/table.h"
#include "label_store.h"
#include "labels/register_labels.h"
#include "screen_fixture.h"
#include "ui/toolkit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;
using data::Decimal;

namespace {

const QString kNoArticle = QStringLiteral("???? Articolo non esiste ...");
const QString kNoPriceList = QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...");
const QString kWrongCount = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");
const QString kMarginZero = QStringLiteral("ATTENZIONE ! Margine = 0 ");
const QString kNoSalePrice = QStringLiteral("ATTENZIONE ! Inserire il prezzo di vendita");

class LabelScreens : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        f->standIn("tarvo10");
        labels::registerLabelScreens(f->registry);
        db = makeLabelStore(f->store);
        f->state.storeDbPath = kLabelStore;
        f->state.workDbPath = kLabelWork;
    }
    ui::Screen* open(const char* name) {
        ui::Screen* s = f->registry.open(QString::fromLatin1(name));
        EXPECT_NE(s, nullptr) << name;
        return s;
    }
    QLineEdit* field(ui::Screen* s, const char* name) { return f->field(s, name); }
    QString text(ui::Screen* s, const char* name) { return field(s, name)->text(); }
    void type(ui::Screen* s, const char* name, const QString& t) {
        field(s, name)->setFocus();
        field(s, name)->clear();
        QTest::keyClicks(field(s, name), t);
    }
    void enter(ui::Screen* s, const char* name, const QString& t) {
        type(s, name, t);
        QTest::keyClick(field(s, name), Qt::Key_Return);
    }
    data::Table row(const QString& ean) {
        data::Table t = db.table("codean");
        t.setIndex("keyean");
        EXPECT_TRUE(t.seek(ean)) << qPrintable(ean);
        return t;
    }
    data::Table priceList(int code) {
        data::Table t = db.table("listi01");
        t.setIndex("primary");
        EXPECT_TRUE(t.seek(code));
        return t;
    }
    int requested() { return db.scalarNative("SELECT count(*) FROM codean WHERE sta_eti = 'S'", {}).toInt(); }
    int selected() { return db.scalarNative("SELECT count(*) FROM codean WHERE flagean = 'S'", {}).toInt(); }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

// ---------------------------------------------------------------------------
// The label request entry.

TEST_P(LabelScreens, ACodeWithoutAnArticleRecordsNothing) {
    ui::Screen* e = open("tarvo08");
    const int before = requested();
    struct Case {
        const char* code;
        QString description;
        QStringList messages;
    } cases[] = {
        {"8000000000000", kNoArticle, {}},
        {"abc'%*", kNoArticle, {}},            // letters and wildcards: no such code
        {"2999999000000", kNoArticle, {}},     // an in-store code of no article
        {"8000000000888", {}, {kNoPriceList}}, // EAN rows but no price-list row
    };
    for (const Case& c : cases) {
        f->messages.clear();
        field(e, "descrw")->clear();
        enter(e, "eanw", QString::fromLatin1(c.code));
        EXPECT_EQ(text(e, "descrw"), c.description) << c.code;
        EXPECT_EQ(f->messages.texts(), c.messages) << c.code;
        EXPECT_TRUE(text(e, "eanw").isEmpty()) << c.code;
    }
    ASSERT_FALSE(f->messages.shown().empty());
    EXPECT_EQ(f->messages.shown().back().icon, ui::Message::Icon::Critical);
    EXPECT_EQ(requested(), before);
    EXPECT_EQ(text(e, "totqw"), "2");
}

TEST_P(LabelScreens, ATypedCountIsCheckedThenStoredAsTyped) {
    // The operator types a full EAN and a count: only that row is marked.
    ui::Screen* e = open("tarvo08");
    struct Case {
        const char* count;
        bool button; // "Conferma" instead of Enter
        std::optional<Decimal> stored;
    } cases[] = {
        {"0", false, {}},
        {"", false, {}},
        {"999999", false, {}},
        {"-2", false, {}}, // fewer than no labels
        {"tre", false, {}},
        {"999998", false, Decimal::fromInt(999998)},
        {"3", false, Decimal::fromInt(3)},
        {"2,5", false, Decimal::fromText(u"2.5")},
        {"0", true, {}},
        {"0,5", true, {}}, // the button reads the leading number: 0
        {"4x", true, Decimal::fromInt(4)},
        {"1000000", true, Decimal::fromInt(1000000)}, // the button has no upper limit
    };
    for (const Case& c : cases) {
        f->messages.clear();
        ASSERT_TRUE(db.execute("UPDATE codean SET neti = Null WHERE eanare = '8009999999991'").ok());
        type(e, "eanw", "8009999999991");
        type(e, "quanw", QString::fromLatin1(c.count));
        if (c.button)
            f->click(e, "Command5");
        else
            QTest::keyClick(field(e, "quanw"), Qt::Key_Return);
        const std::string what = std::string(c.count) + (c.button ? " button" : " Enter");
        EXPECT_EQ(row("8009999999991").decimal("neti"), c.stored) << what;
        EXPECT_EQ(f->messages.texts(), c.stored ? QStringList() : QStringList{kWrongCount}) << what;
        if (!c.stored) {
            EXPECT_TRUE(text(e, "quanw").isEmpty()) << what;
            EXPECT_EQ(e->focusWidget(), field(e, "quanw")) << what;
            field(e, "eanw")->clear();
        }
    }
    // The article's first code row was never marked: no article code was in hand.
    EXPECT_TRUE(row("8001234567890").isNull("sta_eti"));
}

TEST_P(LabelScreens, AnArticleShownByItsCodeAloneCannotBeRequested) {
    ui::Screen* e = open("tarvo08");
    enter(e, "codcasaw", "123");
    EXPECT_EQ(text(e, "descrw"), "PASTA SEMOLA GR.500");
    EXPECT_EQ(text(e, "costow"), "0,88");
    EXPECT_TRUE(text(e, "eanw").isEmpty());
    EXPECT_EQ(e->focusWidget(), field(e, "quanw"));
    QTest::keyClick(field(e, "quanw"), Qt::Key_Return);
    EXPECT_TRUE(row("8001234567890").isNull("sta_eti"));
    EXPECT_TRUE(f->messages.shown().empty());
}

TEST_P(LabelScreens, TheOfferShowsWheneverItHasAPriceOnTheRequestsOnlyWhileItRunsOnThePriceChange) {
    // An article handed over in the shared EAN is shown when the screen opens
    // (and not requested). TONNO's offer ended yesterday.
    f->state.ean = QStringLiteral("8004000000001");
    ui::Screen* e = open("tarvo08");
    EXPECT_EQ(text(e, "descrw"), "TONNO");
    EXPECT_EQ(text(e, "offew"), "1,50");
    EXPECT_EQ(text(e, "costow"), "0,99");
    EXPECT_EQ(text(e, "margw"), "67,33"); // (2,00 - 0,99) / 1,50
    EXPECT_EQ(requested(), 2);
    // A double click on the sale price opens the price change on that article.
    QTest::mouseDClick(field(e, "Prezzow"), Qt::LeftButton);
    ui::Screen* change = f->registry.find("tarvo08b");
    ASSERT_NE(change, nullptr);
    EXPECT_NE(f->registry.find("tarvo08"), nullptr);
    EXPECT_EQ(text(change, "eanw"), "8004000000001");
    EXPECT_EQ(text(change, "offew"), "0");
    EXPECT_EQ(text(change, "costow"), "1,10");
    EXPECT_EQ(text(change, "margw"), "45,00");
    EXPECT_EQ(text(change, "nuovopvw"), "2,00");
}

TEST_P(LabelScreens, EitherScreenWithoutAWorkDatabaseSaysSoAndStaysEmpty) {
    f->state.workDbPath.clear();
    f->state.ean = QStringLiteral("8001234567890");
    for (const char* name : {"tarvo08", "tarvo08b"}) {
        f->messages.clear();
        ui::Screen* s = open(name);
        EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Non è stato selezionato l'archivio dati"})
            << name;
        EXPECT_EQ(f->messages.shown().front().icon, ui::Message::Icon::Information);
        EXPECT_TRUE(text(s, "descrw").isEmpty()) << name;
    }
}

// ---------------------------------------------------------------------------
// The sale price change.

TEST_P(LabelScreens, ACodeIsTriedAsAnInternalCodeThenAsAnEan) {
    ui::Screen* s = open("tarvo08b");
    struct Case {
        const char* typed;
        const char* ean;  // the EAN field after the lookup
        const char* code; // codicelorvw
        QString description;
        QStringList messages;
    } cases[] = {
        {"300", "8003000000002", "300", "BISCOTTI FROLLINI", {}},   // the code's first EAN row
        {"3004", "8003000000002", "300", "BISCOTTI FROLLINI", {}},  // found at the second try
        {"30045", "8003000000002", "300", "BISCOTTI FROLLINI", {}}, // at the third
        {"8003000000019", "8003000000019", "300", "BISCOTTI FROLLINI", {}},
        {"012345678905", "0012345678905", "45", "SALE FINO", {}}, // 12 digits: a zero in front
        {"99999", "99999", "0", kNoArticle, {}},
        {"12,5'", "12,5'", "0", kNoArticle, {}}, // no number
        {"8000000000888", "8000000000888", "888", {}, {kNoPriceList}},
    };
    for (const Case& c : cases) {
        f->messages.clear();
        enter(s, "eanw", QString::fromLatin1(c.typed));
        EXPECT_EQ(text(s, "eanw"), QString::fromLatin1(c.ean)) << c.typed;
        EXPECT_EQ(text(s, "codicelorvw"), QString::fromLatin1(c.code)) << c.typed;
        EXPECT_EQ(text(s, "descrw"), c.description) << c.typed;
        EXPECT_EQ(f->messages.texts(), c.messages) << c.typed;
        const bool shown = !c.description.isEmpty() && !c.description.startsWith("????");
        // Nothing of the article before stays beside another code.
        EXPECT_EQ(text(s, "nuovopvw").isEmpty(), !shown) << c.typed;
        EXPECT_EQ(s->focusWidget(), field(s, shown ? "nuovopvw" : "eanw")) << c.typed;
    }
    EXPECT_EQ(requested(), 2);
}

TEST_P(LabelScreens, APriceTypedInCentsIsStoredAtOnceWithTheMarginShown) {
    ui::Screen* s = open("tarvo08b");
    enter(s, "eanw", "8009999999991");
    EXPECT_EQ(text(s, "margw"), "31,78"); // (1,29 - 0,88) / 1,29
    enter(s, "nuovopvw", "249");
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    EXPECT_EQ(priceList(123).decimal("przpub"), Decimal::fromText(u"2.49"));
    EXPECT_EQ(priceList(123).decimal("marg"), Decimal::fromText(u"31.78"));
    for (const char* ean : {"8001234567890", "8009999999991"}) {
        EXPECT_EQ(row(ean).value("flagean").toString(), "S") << ean;
        EXPECT_EQ(row(ean).value("sta_eti").toString(), "S") << ean;
        EXPECT_TRUE(row(ean).isNull("prezzo")) << ean; // no price of its own
    }
    EXPECT_TRUE(text(s, "eanw").isEmpty());
    EXPECT_TRUE(f->state.ean.trimmed().isEmpty());

    // No offer and no sale price: the margin stays empty and the price list
    // keeps its price, while the codes are marked.
    enter(s, "eanw", "0012345678905");
    EXPECT_EQ(text(s, "descrw"), "SALE FINO");
    EXPECT_TRUE(text(s, "margw").isEmpty());
    enter(s, "nuovopvw", "0,80");
    EXPECT_EQ(priceList(45).decimal("przpub"), Decimal());
    EXPECT_TRUE(priceList(45).isNull("marg"));
    EXPECT_EQ(row("0000000012345").value("sta_eti").toString(), "S");

    // Not a price above 0: emptied, nothing stored.
    const int before = requested();
    for (const char* typed : {"0", "-3", "abc", "0,001"}) {
        enter(s, "eanw", "8004444444440");
        enter(s, "nuovopvw", QString::fromLatin1(typed));
        EXPECT_TRUE(text(s, "nuovopvw").isEmpty()) << typed;
        EXPECT_EQ(s->focusWidget(), field(s, "nuovopvw")) << typed;
    }
    EXPECT_EQ(requested(), before);
    EXPECT_TRUE(f->messages.shown().empty());
}

TEST_P(LabelScreens, ConfermaWantsAMarginAndAPrice) {
    ui::Screen* s = open("tarvo08b");
    struct Case {
        const char* margin;
        const char* price;
        QString message;
        const char* emptied;
    } cases[] = {
        {"", "2,49", kMarginZero, "margw"},        {"abc", "2,49", kMarginZero, "margw"},
        {"0", "2,49", kMarginZero, "margw"},       {"20", "", kNoSalePrice, "nuovopvw"},
        {"20", "0", kNoSalePrice, "nuovopvw"},     {"20", "-2", kNoSalePrice, "nuovopvw"},
        {"20", "0,001", kNoSalePrice, "nuovopvw"}, // 0,00 once written as an amount
    };
    for (const Case& c : cases) {
        f->messages.clear();
        enter(s, "eanw", "8004444444440");
        field(s, "margw")->setText(QString::fromLatin1(c.margin));
        field(s, "nuovopvw")->setText(QString::fromLatin1(c.price));
        f->click(s, "Command5");
        const std::string what = std::string(c.margin) + " / " + c.price;
        EXPECT_EQ(f->messages.texts(), QStringList{c.message}) << what;
        EXPECT_EQ(f->messages.shown().front().icon, ui::Message::Icon::None) << what;
        EXPECT_TRUE(text(s, c.emptied).isEmpty()) << what;
        EXPECT_EQ(s->focusWidget(), field(s, c.emptied)) << what;
    }
    EXPECT_EQ(requested(), 2);
    EXPECT_EQ(priceList(124).decimal("przpub"), Decimal::fromText(u"2.2"));

    // A price typed with a point is normalised, then stored.
    enter(s, "eanw", "8004444444440");
    field(s, "nuovopvw")->setText("3.1");
    f->click(s, "Command5");
    EXPECT_EQ(priceList(124).decimal("przpub"), Decimal::fromText(u"3.1"));
}

TEST_P(LabelScreens, APriceFromAMarginOrAMarkupFillsTheNewPrice) {
    ui::Screen* s = open("tarvo08b");
    enter(s, "eanw", "8001234567890");
    QLineEdit* margw = field(s, "margw");
    EXPECT_EQ(ui::background(margw), ui::rgb(255, 192, 192));

    // The margin counts only once the new price field is emptied (a click does it).
    enter(s, "margw", "20");
    EXPECT_EQ(text(s, "nuovopvw"), "1,29");
    QTest::mouseClick(field(s, "nuovopvw"), Qt::LeftButton);
    EXPECT_TRUE(text(s, "nuovopvw").isEmpty());
    enter(s, "margw", "20");
    EXPECT_EQ(text(s, "nuovopvw"), "1,10"); // 0,88 / 0,8
    EXPECT_EQ(text(s, "margw"), "20,00");
    EXPECT_EQ(s->focusWidget(), field(s, "nuovopvw"));

    // Markups: the limit, and a cents ending moved to 5.
    type(s, "ricaw", "1001");
    EXPECT_EQ(f->messages.texts().last(), "ATTENZIONE!!! La ricarica non può essere maggiore del 1000 % ...");
    EXPECT_EQ(s->focusWidget(), field(s, "ricaw"));
    type(s, "ricaw", "27");
    EXPECT_EQ(text(s, "nuovopvw"), "1,10"); // 0,88 + 0,2376 = 1,1176 -> 1,12 -> 1,10
    EXPECT_EQ(text(s, "margw"), "20");

    // "Nuovo" empties the article; the markup stays.
    f->click(s, "Command13");
    for (const char* name :
         {"eanw", "descrw", "costow", "Prezzow", "margw", "offew", "nuovopvw", "codicelorvw"})
        EXPECT_TRUE(text(s, name).isEmpty()) << name;
    EXPECT_EQ(text(s, "ricaw"), "27");
    EXPECT_EQ(requested(), 2);
}

TEST_P(LabelScreens, StoringACodeNotInCodeanSaysSoAndKeepsTheCode) {
    ui::Screen* s = open("tarvo08b");
    type(s, "eanw", "8000000000000");
    enter(s, "nuovopvw", "2");
    EXPECT_EQ(f->messages.texts(), QStringList{kNoPriceList});
    EXPECT_EQ(text(s, "eanw"), "8000000000000");
    EXPECT_TRUE(text(s, "nuovopvw").isEmpty());
    EXPECT_EQ(requested(), 2);

    // Shown by its code alone, the article has no EAN to store on: the EAN
    // typed before is not kept beside it.
    enter(s, "codcasaw", "123");
    EXPECT_EQ(text(s, "descrw"), "PASTA SEMOLA GR.500");
    EXPECT_TRUE(text(s, "eanw").isEmpty());
    EXPECT_TRUE(text(s, "Prezzow").isEmpty());
    f->messages.clear();
    enter(s, "nuovopvw", "5");
    EXPECT_EQ(f->messages.texts(), QStringList{kNoPriceList});
    EXPECT_EQ(requested(), 2);
    EXPECT_EQ(priceList(123).decimal("przpub"), Decimal::fromText(u"1.29"));
}

TEST_P(LabelScreens, OddTextsInAnyFieldChangeNothingAndReachNoArchiveError) {
    const QString odd[] = {QString(1000, QLatin1Char('9')), QStringLiteral("1' OR '1'='1"),
                           QStringLiteral("%*--"), QString(1000, QLatin1Char('x'))};
    struct Screen {
        const char* name;
        std::vector<const char*> fields;
    } screens[] = {{"tarvo08", {"eanw", "codcasaw", "quanw"}},
                   {"tarvo08b", {"eanw", "codcasaw", "margw", "ricaw", "nuovopvw"}}};
    for (const Screen& sc : screens) {
        ui::Screen* s = open(sc.name);
        for (const char* name : sc.fields)
            for (const QString& text : odd) {
                enter(s, "eanw", "8001234567890"); // an article in hand (the request screen records it)
                field(s, name)->setText(text);
                QTest::keyClick(field(s, name), Qt::Key_Return);
            }
    }
    // Only the scans of the EAN itself were recorded.
    EXPECT_EQ(requested(), 3);
    EXPECT_EQ(selected(), 2);
    EXPECT_EQ(priceList(123).decimal("przpub"), Decimal::fromText(u"1.29"));
    for (const ui::Message& m : f->messages.shown())
        EXPECT_NE(m.title, "Archivio dati") << m.text.toStdString();
}

MARBO_ON_EACH_ENGINE(LabelScreens);

} // namespace
