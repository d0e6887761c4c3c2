// The small store of the inventory tests.
#pragma once

#include "test_store.h"

namespace testing_support {

inline const QString kInventoryStore = QStringLiteral("c:\\marbo\\dati.mdb");

// Two priced articles (123 with two EANs; 77 weighed, in-store prefix
// 2100000), an EAN whose article 888 has no price-list row, and the inventory
// numbering of user 1: last number 41 in 2026, 7 in 2025.
inline data::Database makeInventoryStore(TestStore& store) {
    const data::Database db = store.create(kInventoryStore, data::schema::StoreDb);
    addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
    addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
    addRow(db, "codean", {"eanare", "2100000000005", "codare", 77});
    addRow(db, "codean", {"eanare", "8000000000888", "codare", 888}); // no price-list row
    addRow(db, "listi01", {"codart", 123,
                           "desart", "PASTA SEMOLA GR.500",
                           "imbart", 24,
                           "cofart", 1.2345,
                           "przart", 0.7,
                           "przpub", 0.89,
                           "umart",  "PZ",
                           "ivart",  "04",
                           "desfor", "ALIMENTARI ROSSI SPA",
                           "desgru", "PASTA",
                           "cosmp",  0.6});
    addRow(db, "listi01",
           {"codart", 77, "desart", "PROSCIUTTO CRUDO", "imbart", 1, "cofart", 9.4, "przpub", 12.5, "ivart",
            "10"});
    addRow(db, "tipodoc", {"coddoc", "INVENTARIO", "numeratore", "IN"});
    addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
    addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2025, "ultnum", 7});
    return db;
}

// Working lines of an operator, without article code: EAN and count.
inline void addInventoryLines(const data::Database& db, int oper,
                              std::initializer_list<std::pair<const char*, double>> lines) {
    for (const auto& [ean, q] : lines)
        addRow(db, "inventario", {"codcasa", 0, "eanrig", ean, "oper", oper, "quantita", q, "colli", q});
}

} // namespace testing_support
