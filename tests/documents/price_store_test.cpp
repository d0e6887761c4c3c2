// Storing a new sale price on both engines: every EAN row of the article
// marked, the rows with their own price priced, the price list updated only
// with a margin, and nothing written when any row cannot be.
#include "data/table.h"
#include "documents/price_store.h"
#include "test_store.h"

#include <gtest/gtest.h>

using namespace testing_support;
using data::Decimal;

namespace {

const QString kStore = QStringLiteral("c:\\marbo\\dati.mdb");

Decimal dec(const char16_t* text) {
    return *Decimal::fromText(text);
}

class PriceStore : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create(kStore, data::schema::StoreDb);
        // Article 300 with three EANs: two carry their own price (a single
        // piece, no pieces recorded; a pack of six), one does not.
        addRow(db, "codean", {"eanare", "8003000000002", "codare", 300, "aggi", "A", "prezzo", 1.99});
        addRow(db, "codean",
               {"eanare", "8003000000019", "codare", 300, "aggi", "A", "pezzix", 6, "prezzo", 1.99, "prezzox",
                11.4, "neti", 2, "taglia", 5});
        addRow(db, "codean", {"eanare", "8003000000026", "codare", 300, "prezzo", 1.5, "pezzix", 0});
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
        addRow(db, "listi01", {"codart", 300, "desart", "BISCOTTI FROLLINI", "przpub", 1.99, "marg", 20.5});
    }
    data::Table row(const QString& ean) {
        data::Table t = db.table("codean");
        t.setIndex("keyean");
        EXPECT_TRUE(t.seek(ean)) << qPrintable(ean);
        return t;
    }
    data::Table priceList() {
        data::Table t = db.table("listi01");
        t.setIndex("primary");
        EXPECT_TRUE(t.seek(300));
        return t;
    }
    data::Database db;
};

TEST_P(PriceStore, EveryCodeOfTheArticleIsMarkedAndTheOwnPricedOnesPriced) {
    // Stored through any of the article's EANs.
    const auto r = documents::storeSalePrice(db, "8003000000026", dec(u"2.49"), dec(u"23.08"));
    ASSERT_EQ(r.status, documents::SalePriceStore::Status::Stored)
        << qPrintable(r.error.message()) << " | " << qPrintable(r.error.detail);
    EXPECT_EQ(r.code, 300);
    EXPECT_EQ(r.marked, 3);
    EXPECT_EQ(r.priced, 2);
    EXPECT_TRUE(r.priceListStored);

    struct Expected {
        const char* ean;
        const char16_t* prezzo;
        QVariant pezzix;
        std::optional<Decimal> prezzox;
    } expected[] = {
        {"8003000000002", u"2.49", 1, dec(u"2.49")},  // no pieces recorded: one
        {"8003000000019", u"2.49", 6, dec(u"14.94")}, // 6 x 2,49
        {"8003000000026", u"1.5", 0, std::nullopt},   // no price of its own: untouched
    };
    for (const Expected& x : expected) {
        data::Table t = row(x.ean);
        EXPECT_EQ(t.value("flagean").toString(), "S") << x.ean;
        EXPECT_EQ(t.value("sta_eti").toString(), "S") << x.ean;
        EXPECT_EQ(t.decimal("prezzo"), dec(x.prezzo)) << x.ean;
        EXPECT_EQ(t.value("pezzix"), x.pezzix) << x.ean;
        EXPECT_EQ(t.decimal("prezzox"), x.prezzox) << x.ean;
    }
    // The label count and number of an earlier request stay.
    EXPECT_EQ(row("8003000000019").decimal("neti"), Decimal::fromInt(2));
    EXPECT_EQ(row("8003000000019").value("taglia").toInt(), 5);
    EXPECT_TRUE(row("8003000000026").isNull("neti"));
    EXPECT_TRUE(row("8003000000026").isNull("taglia"));
    // Another article is not touched.
    EXPECT_TRUE(row("8001234567890").isNull("flagean"));

    data::Table listi = priceList();
    EXPECT_EQ(listi.decimal("przpub"), dec(u"2.49"));
    EXPECT_EQ(listi.decimal("marg"), dec(u"23.08"));
}

TEST_P(PriceStore, WithoutAMarginThePriceListKeepsItsPrice) {
    const auto r = documents::storeSalePrice(db, "8003000000002", dec(u"3.1"), std::nullopt);
    ASSERT_EQ(r.status, documents::SalePriceStore::Status::Stored) << qPrintable(r.error.message());
    EXPECT_FALSE(r.priceListStored);
    EXPECT_EQ(row("8003000000002").decimal("prezzo"), dec(u"3.1"));
    EXPECT_EQ(row("8003000000026").value("sta_eti").toString(), "S");
    data::Table listi = priceList();
    EXPECT_EQ(listi.decimal("przpub"), dec(u"1.99"));
    EXPECT_EQ(listi.decimal("marg"), dec(u"20.5"));
}

TEST_P(PriceStore, NothingIsWrittenForAnUnknownCodeOrWhenARowCannotBe) {
    auto r = documents::storeSalePrice(db, "8000000000000", dec(u"2.49"), dec(u"23.08"));
    EXPECT_EQ(r.status, documents::SalePriceStore::Status::UnknownEan);
    EXPECT_TRUE(r.error.ok());

    // The last row in EAN order cannot hold its pack price: the rows before it
    // are not left marked and priced.
    addRow(db, "codean", {"eanare", "8003000000033", "codare", 300, "aggi", "A", "pezzix", 1000000});
    r = documents::storeSalePrice(db, "8003000000002", dec(u"99999999999.99"), dec(u"10"));
    EXPECT_EQ(r.status, documents::SalePriceStore::Status::Failed);
    EXPECT_EQ(r.error.kind, data::Error::Kind::BadValue);
    for (const char* ean : {"8003000000002", "8003000000019", "8003000000026", "8003000000033"})
        EXPECT_TRUE(row(ean).isNull("sta_eti")) << ean;
    EXPECT_EQ(row("8003000000002").decimal("prezzo"), dec(u"1.99"));
    EXPECT_EQ(priceList().decimal("przpub"), dec(u"1.99"));
}

MARBO_ON_EACH_ENGINE(PriceStore);

} // namespace
