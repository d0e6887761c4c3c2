// The small store of the shelf label tests, on drive c:: the settings, the
// store database (where the label screens work) and the work database.
#pragma once

#include "test_store.h"

namespace testing_support {

inline const QString kLabelStore = QStringLiteral("c:\\marbo\\dati.mdb");
inline const QString kLabelWork = QStringLiteral("c:\\marbo\\bancacodean.mdb");

// Articles, by code:
// - 123 PASTA (cost with VAT 0,88, price 1,29): EANs 8001234567890 (its first
//   code row) and 8009999999991;
// - 124 BISCOTTI: 8004444444440 (first), 8004444444457 and 8021000000001;
// - 77 PROSCIUTTO CRUDO, weighed: in-store code 2100000000005;
// - 45 SALE FINO (price 0, no offer): 0000000012345 and 0012345678905;
// - 200 CAFFE: 8005555555555, requested before (2 labels, number 7, selection
//   cancelled since);
// - 201: 8006666666666, marked by a price change (no count), still selected;
// - 888: 8000000000888, no price-list row;
// - 300 BISCOTTI FROLLINI (cost with VAT 2,00, price 1,99): 8003000000002 and
//   8003000000019 carry their own price (no pieces recorded; six pieces),
//   8003000000026 does not;
// - 400 TONNO: an offer of 1,50 that ended the day before 10 December 2026.
inline data::Database makeLabelStore(TestStore& store) {
    const data::Database settings =
        store.create(QStringLiteral("c:\\vesk\\marbo.mdb"), data::schema::Settings);
    addRow(settings, "società", {"database", ""});
    const data::Database work = store.create(kLabelWork, data::schema::StoreDb | data::schema::WorkDb);
    addRow(work, "utenti", {"codutente", 1, "dscutente", "SUPERMERCATO DEMO"});
    const data::Database db = store.create(kLabelStore, data::schema::StoreDb | data::schema::WorkDb);
    struct Ean {
        const char* ean;
        int code;
        QVariantList more;
    } eans[] = {
        {"8001234567890", 123, {"desart", "PASTA SEMOLA GR.500"}},
        {"8009999999991", 123, {"desart", "PASTA SEMOLA GR.500 X2"}},
        {"8004444444440", 124, {"desart", "BISCOTTI"}},
        {"8004444444457", 124, {"desart", "BISCOTTI X3"}},
        {"8021000000001", 124, {"desart", "BISCOTTI X6"}}, // holds 2100000, not at its start
        {"2100000000005", 77, {"desart", "PROSCIUTTO CRUDO"}},
        {"0000000012345", 45, {"desart", "SALE FINO"}},
        {"0012345678905", 45, {"desart", "SALE FINO KG"}},
        {"8005555555555", 200, {"desart", "CAFFE", "flagean", "", "sta_eti", "S", "neti", 2, "taglia", 7}},
        {"8006666666666", 201, {"desart", "ZUCCHERO", "flagean", "S", "sta_eti", "S"}},
        {"8000000000888", 888, {}},
        {"8003000000002", 300, {"aggi", "A", "prezzo", 1.99}},
        {"8003000000019", 300, {"aggi", "A", "pezzix", 6, "prezzo", 1.99, "prezzox", 11.4}},
        {"8003000000026", 300, {"prezzo", 1.5}},
        {"8004000000001", 400, {}},
    };
    for (const Ean& e : eans)
        addRow(db, "codean", QVariantList{"eanare", e.ean, "codare", e.code} + e.more);
    struct Article {
        int code;
        const char* desart;
        double cofart;
        const char* ivart;
        double przpub;
        QVariantList more;
    } articles[] = {
        {123, "PASTA SEMOLA GR.500", 0.85, "04", 1.29, {}},
        {124, "BISCOTTI", 1.1, "10", 2.2, {}},
        {77, "PROSCIUTTO CRUDO", 9.4, "10", 12.5, {}},
        {45, "SALE FINO", 0.2, "04", 0, {}},
        {200, "CAFFE", 2.5, "21", 4.5, {}},
        {201, "ZUCCHERO", 0.8, "10", 1.1, {}},
        {300, "BISCOTTI FROLLINI", 1.6529, "21", 1.99, {"marg", 20.5}},
        {400,
         "TONNO",
         1.0,
         "10",
         2.0,
         {"przsal", 1.5, "cosoff", 0.9, "data1", QDate(2026, 12, 1), "data2", QDate(2026, 12, 9)}},
    };
    for (const Article& a : articles)
        addRow(db, "listi01",
               QVariantList{"codart", a.code, "desart", a.desart, "cofart", a.cofart, "ivart", a.ivart,
                            "przpub", a.przpub} +
                   a.more);
    return db;
}

} // namespace testing_support
