#include "demo_supplier_orders.h"

#include "data/database.h"
#include "data/recordset.h"
#include "data/table.h"

namespace storegen {

namespace {

const QString kSupplier = QStringLiteral("ALIMENTARI ROSSI SPA");
constexpr int kSupplierCode = 101;
constexpr int kOrderNumber = 1;
constexpr int kLines = 8;

QString failed(const data::Error& e) {
    return e.message() + QLatin1Char(' ') + e.detail;
}

} // namespace

QString addDemoSupplierOrder(const QString& root, QDate today) {
    data::Databases dbs{data::DriveMapping(root)};
    const data::Database db = dbs.open(QStringLiteral("c:\\marbo\\dati.mdb"));
    if (!db.ok())
        return failed(db.error());
    data::WriteScope w(db);
    if (!w.ok())
        return failed(w.error());
    const int year = today.year();

    data::Table head = db.table(QStringLiteral("testao"));
    head.addNew();
    const QVariantList header{"codutente",    1,
                              "anno",         year,
                              "numero",       kOrderNumber,
                              "dataor",       today.addDays(-3),
                              "dscfornitore", kSupplier,
                              "codfor",       kSupplierCode,
                              "codlis",       "01",
                              "fl1ts",        " ",
                              "fl3ts",        "N",
                              "fl2ts",        "O",
                              "dataco",       today.addDays(-3),
                              "tipodoc",      "ORDFOR"};
    for (int i = 0; i + 1 < header.size(); i += 2)
        head.setValue(header.at(i).toString(), header.at(i + 1));
    if (!head.update())
        return failed(head.error());

    // The supplier's first articles, each with its first EAN.
    data::Recordset articles = db.query(QStringLiteral("SELECT * FROM listi01 WHERE desfor = '") + kSupplier +
                                        QStringLiteral("' ORDER BY codart"));
    data::Table codean = db.table(QStringLiteral("codean"));
    codean.setIndex(QStringLiteral("codare"));
    data::Table articoli = db.table(QStringLiteral("articoli"));
    articoli.setIndex(QStringLiteral("codean"));
    data::Table ordini = db.table(QStringLiteral("ordini"));
    int bns = 0;
    for (; !articles.eof() && bns < kLines; articles.moveNext()) {
        const int code = articles.value(QStringLiteral("codart")).toInt();
        if (!codean.seek(code))
            continue;
        const QString ean = codean.value(QStringLiteral("eanare")).toString();
        const QString desart = articles.value(QStringLiteral("desart")).toString();
        const double perPack = articles.value(QStringLiteral("imbart")).toDouble();
        const double cost = articles.value(QStringLiteral("przart")).toDouble();
        const double packs = 1 + (bns * 3) % 5;
        const double pieces = perPack * packs;
        ++bns;
        ordini.addNew();
        const QVariantList line{"codutente",   1,
                                "bannoc",      year,
                                "bnumer",      kOrderNumber,
                                "bns",         bns,
                                "bdator",      today.addDays(-3),
                                "articoli",    code,
                                "unitam",      articles.value(QStringLiteral("umart")),
                                "imballo",     perPack,
                                "costob",      cost,
                                "costof",      cost,
                                "quantita",    pieces,
                                "quanci",      0,
                                "collic",      0,
                                "colli",       pieces,
                                "descrizione", desart.left(35),
                                "iva",         articles.value(QStringLiteral("ivart")).toInt(),
                                "desgru",      articles.value(QStringLiteral("desgru")).toString().left(20),
                                "eanrig",      ean,
                                "tipmov",      "AR",
                                "totrig",      pieces * cost};
        for (int i = 0; i + 1 < line.size(); i += 2)
            ordini.setValue(line.at(i).toString(), line.at(i + 1));
        if (!ordini.update())
            return failed(ordini.error());
        // The labels read the description from `articoli` by article code.
        if (!articoli.seek(ean)) {
            articoli.addNew();
            articoli.setValue(QStringLiteral("codean"), ean);
            articoli.setValue(QStringLiteral("codart"), code);
            articoli.setValue(QStringLiteral("desart"), desart);
            articoli.setValue(QStringLiteral("imballo"), perPack);
            articoli.setValue(QStringLiteral("costo1"), cost);
            if (!articoli.update())
                return failed(articoli.error());
        }
    }
    if (!articles.ok())
        return failed(articles.error());
    if (data::Error e =
            db.execute(QStringLiteral("UPDATE numeri SET ultnum = %1 WHERE tipo = 'OF' and anno = %2")
                           .arg(kOrderNumber)
                           .arg(year)))
        return failed(e);
    if (data::Error e = w.commit())
        return failed(e);
    return {};
}

} // namespace storegen
