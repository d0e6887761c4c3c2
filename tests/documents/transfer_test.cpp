// The inventory confirmation on both engines: which working lines become
// document lines, with which article data, under which numbers.
#include "data/recordset.h"
#include "documents/inventory_transfer.h"
#include "test_store.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Confirm : public testing_support::OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create("c:\\marbo\\dati.mdb", data::schema::StoreDb);
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
        addRow(db, "codean", {"eanare", "8000000000888", "codare", 888}); // no price-list row
        addRow(db, "listi01",
               {"codart", 123, "desart", "PASTA SEMOLA GR.500", "cofart", 1.2345, "umart", "PZ", "ivart", "4",
                "desfor", "ALIMENTARI ROSSI SPA", "desgru", "PASTA", "cosmp", 0.6});
        addRow(db, "listi01", {"codart", 555, "desart", "BISCOTTI", "cofart", 2.0});
        addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
        s.userCode = 1;
        s.documentType = QStringLiteral("INVENTARIO");
        s.documentYear = 2026;
        s.documentNumber = 42;
        s.numberingCode = QStringLiteral("IN");
    }
    void line(int oper, const QString& ean, double q) {
        addRow(db, "inventario", {"codcasa", 0, "eanrig", ean, "oper", oper, "quantita", q, "colli", q});
    }
    data::Database db;
    state::SharedState s;
};

TEST_P(Confirm, EachCountedLineBecomesADocumentLine) {
    line(3, "8009999999991", 3);   // the first EAN row decides the article: 123
    line(3, "8001234567890", 0);   // not counted: skipped, takes no number
    line(3, "8000000000888", 5);   // no price-list row: not transferred
    line(3, "1' OR '1'='1", 2);    // unknown: placeholders
    line(3, "8001234567890", 1.5); // the other EAN of 123
    line(1, "8001234567890", 9);   // another operator's count stays out
    s.operatorNumber = 3;
    const auto r = documents::transferInventory(db, s, QDate(2026, 12, 10));
    ASSERT_TRUE(r.error.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.number, 42);
    EXPECT_EQ(r.linesWritten, 3);

    struct Expected {
        int bns, article;
        const char* ean;
        double quantity, total, cost;
        const char* description;
        const char* unit;
        const char* vat;
        const char* supplier;
    } expected[] = {
        {1, 123, "8009999999991", 3, 3.70, 1.2345, "PASTA SEMOLA GR.500", "PZ", "4 ", "ALIMENTARI ROSSI SPA"},
        {2, 999999, "1' OR '1'='1", 2, 0, 0, "AAAAAA Articolo non Trovato !!!!", "XX", "0 ", ""},
        {3, 123, "8001234567890", 1.5, 1.85, 1.2345, "PASTA SEMOLA GR.500", "PZ", "4 ",
         "ALIMENTARI ROSSI SPA"},
    };
    data::Recordset mo = db.query("SELECT * FROM invmo ORDER BY bns");
    ASSERT_EQ(mo.recordCount(), 3);
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.bns);
        ASSERT_FALSE(mo.eof());
        EXPECT_EQ(mo.value("bns").toInt(), x.bns);
        EXPECT_EQ(mo.value("bannoc").toInt(), 2026);
        EXPECT_EQ(mo.value("bnumer").toInt(), 42);
        EXPECT_EQ(mo.value("articoli").toInt(), x.article);
        EXPECT_EQ(mo.value("eanrig").toString(), QString::fromUtf8(x.ean));
        EXPECT_DOUBLE_EQ(mo.value("quantita").toDouble(), x.quantity);
        EXPECT_DOUBLE_EQ(mo.value("colli").toDouble(), x.quantity);
        EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), x.total);
        EXPECT_DOUBLE_EQ(mo.value("costof").toDouble(), x.cost);
        EXPECT_EQ(mo.value("descrizione").toString(), QString::fromUtf8(x.description));
        EXPECT_EQ(mo.value("unitam").toString(), QString::fromUtf8(x.unit));
        EXPECT_EQ(mo.value("iva").toString().trimmed(), QString::fromUtf8(x.vat).trimmed());
        EXPECT_EQ(mo.value("desfor").toString(), QString::fromUtf8(x.supplier));
        EXPECT_EQ(mo.value("tipodoc").toString(), QStringLiteral("INVENTARIO"));
        mo.moveNext();
    }
    EXPECT_EQ(db.query("SELECT * FROM invte WHERE numero = 42").recordCount(), 1);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 42);
    EXPECT_EQ(s.lastLine, 3);
}

TEST_P(Confirm, AnOperatorWithoutLinesWritesNothing) {
    line(1, "8001234567890", 2);
    s.operatorNumber = 4;
    const auto r = documents::transferInventory(db, s, QDate(2026, 12, 10));
    EXPECT_TRUE(r.error.ok());
    EXPECT_FALSE(r.headerWritten);
    EXPECT_EQ(r.linesWritten, 0);
    EXPECT_EQ(db.query("SELECT * FROM invte").recordCount(), 0);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 41);
    // The next confirmation opens its own transaction: the empty one was closed.
    s.operatorNumber = 1;
    EXPECT_TRUE(documents::transferInventory(db, s, QDate(2026, 12, 10)).error.ok());
    EXPECT_EQ(db.query("SELECT * FROM invmo").recordCount(), 1);
}

MARBO_ON_EACH_ENGINE(Confirm);

} // namespace
