// A small store with supplier orders as the supplier order confirmation
// writes them: one `testao` header per order and one `ordini` line per
// ordered article, in the one file that the "ALTRI" mode uses as store and
// work database.
#pragma once

#include "test_store.h"

#include <QDate>

namespace testing_support {

inline const QString kSupplierStore = QStringLiteral("c:\\marbo\\dati.mdb");

struct OrderedArticle {
    int code;
    const char* ean;
    const char* description;
    double packs;   // packs ordered (ordine.colli)
    double perPack; // listi01.imbart
    double cost;    // listi01.przart
};

// The header and the lines of a supplier order as the confirmation writes
// them: status " " (open), lines numbered 1, 2, ... with quantita = pieces per
// pack x packs, `colli` the same value, nothing delivered yet, no line status
// and no lot.
inline void addConfirmedSupplierOrder(const data::Database& db, int year, int number, int supplier,
                                      const QString& supplierName, QDate today,
                                      std::initializer_list<OrderedArticle> lines) {
    addRow(db, "testao", {"codutente", 1,        "anno",    year,           "numero",
                          number,      "dataor", today,     "dscfornitore", supplierName.left(35),
                          "codfor",    supplier, "codlis",  "01",           "fl1ts",
                          " ",         "fl3ts",  "N",       "fl2ts",        "O",
                          "dataco",    today,    "tipodoc", "ORDFOR"});
    int bns = 0;
    for (const OrderedArticle& a : lines) {
        const double pieces = a.perPack * a.packs;
        addRow(db, "ordini", {"codutente", 1,      "bannoc",   year,           "bnumer",      number,
                              "bns",       ++bns,  "bdator",   today,          "articoli",    a.code,
                              "unitam",    "PZ",   "imballo",  a.perPack,      "costob",      a.cost,
                              "costof",    a.cost, "quantita", pieces,         "quanci",      0,
                              "collic",    0,      "colli",    pieces,         "descrizione", a.description,
                              "iva",       10,     "desgru",   "ALIMENTARI",   "eanrig",      a.ean,
                              "tipmov",    "AR",   "totrig",   pieces * a.cost});
    }
}

// The articles of the orders: 123 pasta (12 a pack), 456 coffee with quotes
// and an accent in its name (6 a pack), 789 oil (not in `articoli`, so it
// prints no label), 77 a weighed ham known by its in-store code 2100000000000,
// and 999 biscuits that no order holds.
inline void addSupplierOrderArticles(const data::Database& db) {
    struct Article {
        int code;
        const char* ean;
        const char* description;
        double perPack;
        double stock;
        bool labelled;
    } articles[] = {{123, "8001234567890", "PASTA SEMOLA GR.500", 12, 40, true},
                    {456, "8000000000456", "CAFFÈ \"MOKA\" 250 G", 6, 10, true},
                    {789, "8000000000789", "OLIO EXTRAVERGINE LT.1", 6, 3, false},
                    {77, "2100000000000", "PROSCIUTTO CRUDO", 1, 2.5, true},
                    {999, "8009999999991", "BISCOTTI FROLLINI", 10, 0, true}};
    for (const Article& a : articles) {
        addRow(db, "codean", {"eanare", a.ean, "codare", a.code, "desart", a.description});
        addRow(db, "listi01",
               {"codart", a.code, "desart", a.description, "imbart", a.perPack, "qgia", a.stock});
        if (a.labelled)
            addRow(db, "articoli", {"codean", a.ean, "codart", a.code, "desart", a.description});
    }
}

// Orders of the test store, all of the current year (2026) unless said:
//   12  supplier 5 ALIMENTARI ROSSI SPA: pasta 2 packs, coffee 1, oil 3, ham 5
//   13  supplier 5, closed ("E"), one line
//   14  supplier 5, of 2025, one line
//   15  supplier 7 BEVANDE BIANCHI SRL, one line
//   16  supplier 5, a header without lines
inline data::Database makeSupplierOrderStore(TestStore& store, QDate today) {
    const data::Database db = store.create(kSupplierStore, data::schema::StoreDb | data::schema::WorkDb);
    addSupplierOrderArticles(db);
    const QString rossi = QStringLiteral("ALIMENTARI ROSSI SPA");
    addConfirmedSupplierOrder(db, 2026, 12, 5, rossi, today,
                              {{123, "8001234567890", "PASTA SEMOLA GR.500", 2, 12, 0.7},
                               {456, "8000000000456", "CAFFÈ \"MOKA\" 250 G", 1, 6, 2.1},
                               {789, "8000000000789", "OLIO EXTRAVERGINE LT.1", 3, 6, 4.5},
                               {77, "2100000000000", "PROSCIUTTO CRUDO", 5, 1, 9.4}});
    addConfirmedSupplierOrder(db, 2026, 13, 5, rossi, today,
                              {{123, "8001234567890", "PASTA SEMOLA GR.500", 1, 12, 0.7}});
    db.execute(QStringLiteral("UPDATE testao SET fl1ts = 'E' WHERE numero = 13"));
    addConfirmedSupplierOrder(db, 2025, 14, 5, rossi, today.addYears(-1),
                              {{123, "8001234567890", "PASTA SEMOLA GR.500", 1, 12, 0.7}});
    addConfirmedSupplierOrder(db, 2026, 15, 7, QStringLiteral("BEVANDE BIANCHI SRL"), today,
                              {{456, "8000000000456", "CAFFÈ \"MOKA\" 250 G", 4, 6, 2.1}});
    addConfirmedSupplierOrder(db, 2026, 16, 5, rossi, today, {});
    return db;
}

} // namespace testing_support
