// Code resolution and article lookup on a small store, in the inventory form.
#include "articles/article_reads.h"
#include "articles/lookup.h"
#include "test_store.h"

#include <gtest/gtest.h>

using articles::EntryFields;
using articles::LookupEnd;
using namespace testing_support;

namespace {

class Lookup : public testing_support::OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create("c:\\marbo\\dati.mdb", data::schema::StoreDb);
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 123}); // a second EAN of 123
        addRow(db, "codean", {"eanare", "0012345678905", "codare", 555});
        addRow(db, "codean", {"eanare", "2100000000005", "codare", 77});  // weighed: in-store prefix 2100000
        addRow(db, "codean", {"eanare", "2200000123452", "codare", 123}); // an ordinary EAN beginning with 2
        addRow(db, "codean", {"eanare", "8000000000888", "codare", 888}); // no price-list row
        addRow(db, "listi01",
               {"codart", 123, "desart", "PASTA SEMOLA GR.500", "imbart", 24, "cofart", 0.61, "przpub", 0.89,
                "umart", "PZ", "ivart", "04"});
        addRow(db, "listi01",
               {"codart", 555, "desart", "BISCOTTI", "imbart", 12, "cofart", 1.2345, "przpub", 1234.5});
        addRow(db, "listi01",
               {"codart", 77, "desart", "PROSCIUTTO CRUDO", "imbart", 1, "cofart", 9.4, "przpub", 12.5});
        addRow(db, "inventario",
               {"codcasa", 123, "eanrig", "8001234567890", "oper", 3, "quantita", 7.5, "colli", 7.5});
        state.storeDbPath = "c:\\marbo\\dati.mdb";
        state.operatorNumber = 3;
    }
    data::Database db;
    state::SharedState state;
};

TEST_P(Lookup, ResolvesWhatTheOperatorScansOrTypes) {
    struct Case {
        const char* typed;
        const char* quantity; // quanw before Enter
        LookupEnd end;
        int code;         // shared article code after
        const char* eanw; // EAN field after
        const char* descr;
        const char* quanw; // quantity field after
        const char* qinvw;
        bool focusQuantity;
    } cases[] = {
        // A 13-digit EAN: the article; the operator's line was counted under its other EAN.
        {"8009999999991", "", LookupEnd::Shown, 123, "8009999999991", "PASTA SEMOLA GR.500", "", "", true},
        // The EAN the line was counted under: the quantity already counted.
        {"8001234567890", "", LookupEnd::Shown, 123, "8001234567890", "PASTA SEMOLA GR.500", "", "7,5", true},
        // A short internal code: the article's first EAN replaces it.
        {"123", "", LookupEnd::Shown, 123, "8001234567890", "PASTA SEMOLA GR.500", "", "7,5", true},
        // 1234 is no article; without its last digit it is 123.
        {"1234", "", LookupEnd::Shown, 123, "8001234567890", "PASTA SEMOLA GR.500", "", "7,5", true},
        // Twelve digits: a zero goes in front.
        {"012345678905", "", LookupEnd::Shown, 555, "0012345678905", "BISCOTTI", "", "", true},
        // A weighed article's in-store code carries 5,01 euro: 0,401 kg at 12,50 a kilo.
        {"2100000005013", "", LookupEnd::Shown, 77, "2100000005013", "PROSCIUTTO CRUDO", "0,401", "", true},
        // A code beginning with 2 whose prefix no article has: an ordinary EAN, never
        // the article shown before.
        {"2999999000001", "", LookupEnd::NotInCodean, 0, "2999999000001", "???? Articolo non esiste ...", "",
         "", false},
        // Unknown EAN, letters, SQL and wildcards: no article.
        {"8000000000001", "", LookupEnd::NotInCodean, 0, "8000000000001", "???? Articolo non esiste ...", "",
         "", false},
        {"ABC", "", LookupEnd::NotInCodean, 0, "ABC", "???? Articolo non esiste ...", "", "", false},
        {"1' OR '1'='1", "", LookupEnd::NotInCodean, 0, "01' OR '1'='1", "???? Articolo non esiste ...", "",
         "", false},
        {"2*%_--;2345678", "", LookupEnd::NotInCodean, 0, "2*%_--;2345678", "???? Articolo non esiste ...",
         "", "", false},
        {"12345678901234567890", "", LookupEnd::NotInCodean, 0, "12345678901234567890",
         "???? Articolo non esiste ...", "", "", false},
        // EAN rows but no price-list row: the inventory asks whether to store anyway.
        {"8000000000888", "", LookupEnd::NoPriceListRow, 888, "8000000000888", "", "", "", false},
    };
    for (const Case& c : cases) {
        articles::ArticleLookup lookup(store->dbs(), state, {});
        EntryFields f;
        f.eanw = QString::fromUtf8(c.typed);
        f.quanw = QString::fromUtf8(c.quantity);
        state.articleCode = 77; // the article shown before
        const auto r = lookup.resolveCode(f);
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(r.end, c.end);
        EXPECT_TRUE(lookup.error().ok()) << qPrintable(lookup.error().detail);
        EXPECT_EQ(state.articleCode, c.code);
        EXPECT_EQ(f.eanw.trimmed(), QString::fromUtf8(c.eanw));
        EXPECT_EQ(f.descrw, QString::fromUtf8(c.descr));
        EXPECT_EQ(f.quanw, QString::fromUtf8(c.quanw));
        EXPECT_EQ(f.qinvw, QString::fromUtf8(c.qinvw));
        EXPECT_EQ(r.focusQuantity, c.focusQuantity);
        if (c.end == LookupEnd::NotInCodean)
            EXPECT_TRUE(r.resetColours);
    }
}

TEST_P(Lookup, ShowsCostAndPriceInTheirPicture) {
    articles::ArticleLookup lookup(store->dbs(), state, {});
    EntryFields f;
    f.eanw = "0012345678905";
    lookup.resolveCode(f);
    EXPECT_EQ(f.costow, QStringLiteral("1,23"));
    EXPECT_EQ(f.prezzow, QStringLiteral("1.234,50"));
    EXPECT_EQ(f.imballow, QStringLiteral("12"));
    EXPECT_EQ(f.codcasaw, QStringLiteral("555"));
}

TEST_P(Lookup, ArticleCodeFieldFindsTheOperatorsLine) {
    articles::ArticleLookup lookup(store->dbs(), state, {});
    EntryFields f;
    f.codcasaw = "123";
    state.ean = QString();
    EXPECT_EQ(lookup.anagr(f), LookupEnd::Shown);
    EXPECT_EQ(f.qinvw, QStringLiteral("7,5"));
    EXPECT_EQ(f.eanw, QStringLiteral("8001234567890"));
    // Another operator has counted nothing.
    state.operatorNumber = 4;
    EntryFields g;
    g.codcasaw = "123";
    state.ean = QString();
    lookup.anagr(g);
    EXPECT_EQ(g.qinvw, QString());
    EXPECT_EQ(g.eanw, QStringLiteral("8001234567890")); // the EAN of the article, from codean
}

TEST_P(Lookup, ArticleReadsSeekByTheirKeys) {
    struct Case {
        const char* ean;
        std::optional<std::int32_t> code;
    } eans[] = {{"8009999999991", 123},
                {"8009999999991  ", 123},
                {"0012345678905", 555},
                {"8000000000001", std::nullopt},
                {"1' OR '1'='1", std::nullopt}};
    for (const Case& c : eans) {
        data::Error e;
        EXPECT_EQ(articles::codeOfEan(db, QString::fromUtf8(c.ean), &e), c.code) << c.ean;
        EXPECT_TRUE(e.ok()) << c.ean;
    }
    // The first EAN row of a code, in the order the rows were added.
    EXPECT_EQ(articles::eanOfCode(db, 123), QStringLiteral("8001234567890"));
    EXPECT_EQ(articles::eanOfCode(db, 999), std::nullopt);
    const auto row = articles::priceListRow(db, 555);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->value("desart").toString(), QStringLiteral("BISCOTTI"));
    EXPECT_TRUE(row->value("umart").isNull()); // Null stays Null
    EXPECT_FALSE(articles::priceListRow(db, 888));

    data::Error missing;
    EXPECT_EQ(articles::codeOfEan(store->open("c:\\marbo\\assente.mdb"), "8001234567890", &missing),
              std::nullopt);
    EXPECT_EQ(missing.kind, data::Error::Kind::MissingFile);
}

TEST_P(Lookup, MissingStoreDatabaseIsAnErrorNotACrash) {
    state.storeDbPath = "c:\\marbo\\assente.mdb";
    articles::ArticleLookup lookup(store->dbs(), state, {});
    EntryFields f;
    f.eanw = "8001234567890";
    const auto r = lookup.resolveCode(f);
    EXPECT_EQ(r.end, LookupEnd::DatabaseError);
    EXPECT_EQ(lookup.error().kind, data::Error::Kind::MissingFile);
}

MARBO_ON_EACH_ENGINE(Lookup);

} // namespace
