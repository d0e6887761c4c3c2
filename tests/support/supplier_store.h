// The small store of the supplier document tests: the work database of the
// "ALTRI" mode (c:\marbo\dati.mdb names both files there) with three articles,
// their EANs, numbering series and documents of earlier days. A supplier
// receipt of 2026 has numbers 1 to 7, a supplier order 1 to 3; supplier 5 has
// the open return note 12, the others only registered notes up to 15.
#pragma once

#include "data/recordset.h"
#include "test_store.h"

#include <algorithm>

namespace testing_support {

inline const QString kSupplierStore = QStringLiteral("c:\\marbo\\dati.mdb");

// Article 101: 6 pieces a package at 2,00 (cost 0,80), stock 5 + 20 - 2 - 8.
// Article 102: 12 a package at 1,50. Article 103 has an EAN but no price-list row.
inline data::Database makeSupplierStore(TestStore& store) {
    const data::Database db = store.create(kSupplierStore, data::schema::StoreDb | data::schema::WorkDb);
    addRow(db, "listi01", {"codart", 101,
                           "desart", "ACQUA MINERALE NATURALE LT.1,5",
                           "imbart", 6,
                           "przart", 2.0,
                           "cofart", 0.8,
                           "ivart",  "10",
                           "umart",  "PZ",
                           "desgru", "BEVANDE",
                           "desfor", "FONTI ALPINE SRL",
                           "cosmp",  0.8333,
                           "qinv",   5,
                           "qacq",   20,
                           "qres",   2,
                           "qven",   8,
                           "qgia",   15});
    addRow(db, "listi01", {"codart", 102,  "desart", "BISCOTTI FROLLINI AL BURRO GR.700 CONFEZIONE",
                           "imbart", 12,   "przart", 1.5,
                           "cofart", 1.1,  "ivart",  "04",
                           "umart",  "CF", "desgru", "DOLCI E BISCOTTI DA COLAZIONE",
                           "cosmp",  1,    "qinv",   0,
                           "qacq",   0,    "qres",   0,
                           "qven",   0,    "qgia",   0});
    addRow(db, "codean",
           {"eanare", "8001234567890", "codare", 101, "einv", 1, "eacq", 4, "eres", 0, "even", 2});
    addRow(db, "codean", {"eanare", "8002222222222", "codare", 102});
    addRow(db, "codean", {"eanare", "2100000000005", "codare", 103});
    addRow(db, "fornitori", {"codfornitore", 5, "dscfornitore", "FONTI ALPINE SRL"});
    addRow(db, "fornitori", {"codfornitore", 6, "dscfornitore", "DOLCIARIA DEL SUD SPA"});
    addRow(db, "tipodoc", {"coddoc", "DDTRESFOR", "numeratore", "RF"});
    for (const auto& [type, last] : {std::pair{"CF", 7}, {"OF", 3}, {"RF", 15}}) {
        addRow(db, "numeri", {"codutente", 1, "tipo", type, "anno", 2026, "ultnum", last});
        addRow(db, "numeri", {"codutente", 1, "tipo", type, "anno", 2025, "ultnum", 40});
    }
    for (int n = 1; n <= 7; ++n)
        addRow(db, "testaof", {"anno", 2026, "numero", n, "codfor", 5, "tipodoc", "FATTACQIMM"});
    addRow(db, "testaof", {"anno", 2025, "numero", 40, "codfor", 5});
    for (int n = 1; n <= 3; ++n)
        addRow(db, "testao", {"anno", 2026, "numero", n, "codfor", 6, "fl1ts", "E"});
    for (int n = 10; n <= 15; ++n)
        addRow(db, "reste",
               {"anno", 2026, "numero", n, "cliente", n == 12 ? 5 : 6, "regis", n == 12 ? "P" : "R"});
    addRow(db, "resmo", {"bannoc",        2026,       "bnumer",   12,        "bns",    1,        "eanrig",
                         "8001234567890", "articoli", 101,        "imballo", 6,        "costof", 0.8,
                         "colli",         1,          "quantita", 6,         "totrig", 4.8});
    addRow(db, "resmo",
           {"bannoc", 2026, "bnumer", 12, "bns", 2, "eanrig", "8000000000017", "articoli", 17, "colli", 1,
            "quantita", 1});
    return db;
}

// A working line of `carico`, `resi` or `ordine`: field names and values in pairs.
inline void workingLine(const data::Database& db, const QString& table, const QVariantList& pairs) {
    addRow(db, table, pairs);
}

// A value as a test compares it: numbers exact ("2.5"), dates ISO, Null "-".
inline QString shown(const QVariant& v) {
    if (v.isNull())
        return QStringLiteral("-");
    if (v.typeId() == QMetaType::Double)
        return data::Decimal::fromVariant(v)->toText();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString();
}

// Chosen fields of the rows of a query, one text per row ("1|8001234567890|2").
inline QStringList rows(const data::Database& db, const QString& query, const QStringList& fields) {
    QStringList out;
    data::Recordset rs = db.query(query);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (const QString& f : fields)
            row << shown(rs.value(f));
        out << row.join(QLatin1Char('|'));
    }
    return out;
}

// Every row of a table with every field, sorted: to compare a table before and after.
inline QStringList dump(const data::Database& db, const QString& table) {
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM ") + table);
    const QStringList fields = rs.fields();
    QStringList out = rows(db, QStringLiteral("SELECT * FROM ") + table, fields);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace testing_support
