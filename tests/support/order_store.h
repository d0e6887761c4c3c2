// The small store of the department order tests: the settings, store and work
// databases of a drive and the price comparison database (C:), which on drive
// c: is the work database itself.
//
// Articles (store `codean`/`listi01`, work `codean`/`articoli`/`articolo`):
//   123 PASTA   8001234567890 (and 8009999999991 in the store), pack 24, cost 1,00 + 10%, price 1,50;
//               last order: quantity 0, 3 packs on 20/11/2026 at 10:30
//   456 OLIO    8000000000456, pack 6, cost 4,00 + 4%, price 6,90, offer 5,90 at cost 3,50 in December 2026
//   789 LATTE   8000000000789, pack 12; its supplier's code 123456789 (barcode 2001234567895)
//   321 CAFFE   0800123456789 (a 12-digit scan), pack 10
//   555 BISCOTTI 8000000000555: only in the work database's codean and articolo
//   999 GRISSINI: in articolo without any EAN
// Comparison costs: OLIO 5,10 / 0 / 4,90 / 4,90, PASTA none at all, CAFFE 2,60 / 2,40 / - / -.
// The order document 2026/7 holds PASTA (2 packs, line 1) and CAFFE (1 pack, line 3).
#pragma once

#include "test_store.h"

#include <QTime>

namespace testing_support {

struct OrderStore {
    QString drive;
    QString storePath, workPath;
    data::Database settings, store, work, comparison;
};

inline const QString kComparisonPath = QStringLiteral("C:\\marbo\\bancacodean.mdb");

inline OrderStore makeOrderStore(TestStore& t, const QString& drive = QStringLiteral("d:")) {
    using namespace data::schema;
    OrderStore o;
    o.drive = drive;
    o.storePath = drive + QStringLiteral("\\marbo\\dati.mdb");
    o.workPath = drive + QStringLiteral("\\marbo\\bancacodean.mdb");
    o.settings = t.create(QStringLiteral("c:\\vesk\\marbo.mdb"), Settings);
    addRow(o.settings, "società", {"database", QString()});
    o.store = t.create(o.storePath, StoreDb);
    const bool oneFile = drive.compare(QLatin1String("c:"), Qt::CaseInsensitive) == 0;
    o.work = t.create(o.workPath, WorkDb | (oneFile ? PriceCmpDb : 0u));
    o.comparison = oneFile ? o.work : t.create(kComparisonPath, PriceCmpDb);

    for (const auto& [ean, code] :
         {std::pair{"8001234567890", 123}, std::pair{"8009999999991", 123}, std::pair{"8000000000456", 456},
          std::pair{"8000000000789", 789}, std::pair{"0800123456789", 321}})
        addRow(o.store, "codean", {"eanare", ean, "codare", code});
    addRow(o.store, "listi01",
           {"codart", 123, "desart", "PASTA SEMOLA GR.500", "cofart", 1.0, "ivart", "10", "przpub", 1.5});
    addRow(o.store, "listi01",
           {"codart", 456, "desart", "OLIO EVO LT.1", "cofart", 4.0, "ivart", "04", "przpub", 6.9, "przsal",
            5.9, "cosoff", 3.5, "data1", QDate(2026, 12, 1), "data2", QDate(2026, 12, 31)});
    addRow(o.store, "listi01",
           {"codart", 789, "desart", "LATTE INTERO LT.1", "cofart", 0.8, "ivart", "04", "przpub", 1.29,
            "codafo", " 123456789 "});
    addRow(o.store, "listi01",
           {"codart", 321, "desart", "CAFFE MOKA GR.250", "cofart", 2.5, "ivart", "22", "przpub", 3.99});

    for (const auto& [ean, code] :
         {std::pair{"8001234567890", 123}, std::pair{"8000000000456", 456}, std::pair{"8000000000789", 789},
          std::pair{"0800123456789", 321}, std::pair{"8000000000555", 555}})
        addRow(o.work, "codean", {"eanare", ean, "codare", code});
    addRow(o.work, "articoli", {"codean",   "8001234567890",
                                "codart",   123,
                                "desart",   "PASTA SEMOLA GR.500",
                                "imballo",  24,
                                "costo1",   1.0,
                                "ivart",    "10",
                                "quantiuo", 0,
                                "colliuo",  3,
                                "datauo",   QDate(2026, 11, 20),
                                "orauo",    QTime(10, 30)});
    addRow(o.work, "articoli",
           {"codean", "8000000000456", "codart", 456, "desart", "OLIO EVO LT.1", "imballo", 6, "costo1", 4.0,
            "ivart", "04"});
    addRow(o.work, "articoli",
           {"codean", "8000000000789", "codart", 789, "desart", "LATTE INTERO LT.1", "imballo", 12, "costo1",
            0.8, "ivart", "04", "quantiuo", 36});
    addRow(o.work, "articoli",
           {"codean", "0800123456789", "codart", 321, "desart", "CAFFE MOKA GR.250", "imballo", 10, "costo1",
            2.5, "ivart", "22"});
    const struct {
        int code;
        const char* desart;
        int pack;
        double price;
        const char* vat;
        const char* unit;
        const char* group;
    } articolo[] = {{123, "PASTA SEMOLA GR.500", 24, 1.0, "10", "PZ", "PASTA"},
                    {456, "OLIO EVO LT.1", 6, 4.0, "04", "LT", "CONDIMENTI"},
                    {789, "LATTE INTERO LT.1", 12, 0.8, "04", "LT", "LATTICINI"},
                    {321, "CAFFE MOKA GR.250", 10, 2.5, "22", "PZ", "CAFFE"},
                    {555, "BISCOTTI FROLLINI", 20, 1.8, "10", "PZ", "DOLCI"},
                    {999, "GRISSINI TORINESI", 15, 1.1, "10", "PZ", "PANE"}};
    for (const auto& a : articolo)
        addRow(o.work, "articolo",
               {"codart", a.code, "desart", a.desart, "imbart", a.pack, "przart", a.price, "ivart", a.vat,
                "umart", a.unit, "desgru", a.group});
    addRow(o.work, "utenti", {"codutente", 1, "dscutente", "SUPERMERCATO DEMO"});
    const QVariantList document[] = {{"bannoc",      2026,
                                      "bnumer",      7,
                                      "bns",         1,
                                      "bdator",      QDate(2026, 12, 9),
                                      "articoli",    123,
                                      "unitam",      "PZ",
                                      "imballo",     24,
                                      "prezzo",      1.0,
                                      "quantita",    2,
                                      "colli",       48,
                                      "descrizione", "PASTA SEMOLA GR.500",
                                      "iva",         10,
                                      "desgru",      "PASTA",
                                      "eanrig",      "8001234567890",
                                      "totrig",      48},
                                     {"bannoc",      2026,
                                      "bnumer",      7,
                                      "bns",         3,
                                      "bdator",      QDate(2026, 12, 9),
                                      "articoli",    321,
                                      "unitam",      "PZ",
                                      "imballo",     10,
                                      "prezzo",      2.5,
                                      "quantita",    1,
                                      "colli",       10,
                                      "descrizione", "CAFFE MOKA GR.250",
                                      "iva",         22,
                                      "desgru",      "CAFFE",
                                      "eanrig",      "0800123456789",
                                      "totrig",      25}};
    for (const QVariantList& line : document)
        addRow(o.work, "movimenti", line);

    const struct {
        const char* ean;
        QVariant c1, c2, c3, c4;
    } costs[] = {{"8000000000456", 5.1, 0.0, 4.9, 4.9},
                 {"8001234567890", QVariant(), 0.0, QVariant(), 0.0},
                 {"0800123456789", 2.6, 2.4, QVariant(), QVariant()}};
    for (const auto& c : costs) {
        if (oneFile) {
            data::Table t = o.comparison.table(QStringLiteral("articoli"));
            t.setIndex(QStringLiteral("codean"));
            if (!t.seek(QString::fromLatin1(c.ean)) || !t.edit())
                qFatal("no comparison row %s", c.ean);
            t.setValue(QStringLiteral("costo1"), c.c1);
            t.setValue(QStringLiteral("costo2"), c.c2);
            t.setValue(QStringLiteral("costo3"), c.c3);
            t.setValue(QStringLiteral("costo4"), c.c4);
            if (!t.update())
                qFatal("comparison row %s", c.ean);
        } else {
            addRow(o.comparison, "articoli",
                   {"codean", c.ean, "costo1", c.c1, "costo2", c.c2, "costo3", c.c3, "costo4", c.c4});
        }
    }
    return o;
}

// A working line of the department order, as the order entry leaves it.
inline void addOrderLine(const data::Database& work, const char* ean, double packs, const char* department,
                         int code = 0) {
    addRow(work, "ordine", {"codcasa", code, "eanrig", ean,   "descrizione", ".", "unitam",   "CT",
                            "prezzo",  0,    "colli",  packs, "imballo",     0,   "quantita", 0,
                            "iva",     "10", "desfor", ".",   "desgru",      ".", "tipord",   department});
}

} // namespace testing_support
