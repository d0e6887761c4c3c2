// The small store of the supplier documents, as the "ALTRI" store mode sees
// it: one file serving as store and work database.
#pragma once

#include "test_store.h"

namespace testing_support {

inline const QString kSupplierEntryStore = QStringLiteral("c:\\marbo\\dati.mdb");

// Articles:
//   123  PASTA SEMOLA, two EANs (8001234567890, 8009999999991), 6 a package, cost 1,50
//   456  an 8-digit EAN (80012345, stored as 0000080012345), 12 a package
//   789  no EAN row at all, 4 a package
//   790  no EAN row either, 10 a package
//   1006 no EAN row; an in-store EAN 2000000010065 carries it in characters 4 to 12
//   888  an EAN row (8000000000888) but no price-list row
// Suppliers 7 ALIMENTARI ROSSI SPA and 9 CONSERVE BIANCHI.
inline data::Database makeSupplierEntryStore(TestStore& store) {
    const data::Database db = store.create(kSupplierEntryStore, data::schema::StoreDb | data::schema::WorkDb);
    addRow(db, "fornitori", {"codfornitore", 7, "dscfornitore", "ALIMENTARI ROSSI SPA"});
    addRow(db, "fornitori", {"codfornitore", 9, "dscfornitore", "CONSERVE BIANCHI"});
    addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
    addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
    addRow(db, "codean", {"eanare", "0000080012345", "codare", 456});
    addRow(db, "codean", {"eanare", "8000000000888", "codare", 888});
    addRow(db, "listi01", {"codart", 123,
                           "desart", "PASTA SEMOLA GR.500",
                           "imbart", 6,
                           "umart",  "PZ",
                           "cofart", 1.2,
                           "przart", 1.5,
                           "przpub", 2.49,
                           "ivart",  "10",
                           "desgru", "PASTA E RISO DI SEMOLA",
                           "cosmp",  1.1});
    addRow(db, "listi01",
           {"codart", 456, "desart", "TONNO ALL'OLIO", "imbart", 12, "umart", "CF", "cofart", 2.0, "przart",
            2.2, "przpub", 3.2, "ivart", "04", "desgru", "CONSERVE"});
    addRow(db, "listi01",
           {"codart", 789, "desart", "SACCHETTI CARTA", "imbart", 4, "umart", "PZ", "przart", 0.8, "przpub",
            1.0, "ivart", "22"});
    addRow(db, "listi01", {"codart", 790, "desart", "SPAGO", "imbart", 10, "przart", 0.3, "przpub", 0.5});
    addRow(db, "listi01",
           {"codart", 1006, "desart", "SALAME MILANO", "imbart", 1, "przart", 9.42, "przpub", 14.19, "ivart",
            "10"});
    return db;
}

} // namespace testing_support
