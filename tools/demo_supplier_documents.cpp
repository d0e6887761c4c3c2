#include "demo_supplier_documents.h"

#include "data/database.h"
#include "data/table.h"

#include <cmath>

namespace demo {

namespace {

using data::Error;

Error add(const data::Database& db, const char* table,
          std::initializer_list<std::pair<const char*, QVariant>> fields) {
    data::Table t = db.table(QString::fromLatin1(table));
    t.addNew();
    for (const auto& [name, value] : fields)
        t.setValue(QString::fromLatin1(name), value);
    return t.update() ? Error() : t.error();
}

// A document line of an article of the demo: its first EAN, description and
// price-list data.
struct Article {
    int code;
    QString ean, description, unit, group;
    double pack, price, cost;
};

Article article(const data::Database& db, int code) {
    const auto row = db.rowNative(
        QStringLiteral(
            "SELECT c.eanare, a.desart, a.umart, a.desgru, a.imbart, a.przart, a.cofart FROM listi01 a "
            "JOIN codean c ON c.codare = a.codart WHERE a.codart = ? ORDER BY c.marbo_rid LIMIT 1"),
        {code});
    if (!row)
        return {code, {}, {}, {}, {}, 0, 0, 0};
    return {code,
            row->at(0).toString(),
            row->at(1).toString().left(35),
            row->at(2).toString(),
            row->at(3).toString().left(20),
            row->at(4).toDouble(),
            row->at(5).toDouble(),
            row->at(6).toDouble()};
}

} // namespace

QString addSupplierDocuments(const QString& root, const QDate& today) {
    data::Databases dbs{data::DriveMapping(root)};
    const data::Database db = dbs.open(QStringLiteral("c:\\marbo\\dati.mdb"));
    if (!db.ok())
        return db.error().message();
    data::WriteScope w(db);
    if (!w.ok())
        return w.error().message();
    const int year = today.year();
    Error e;
    // Receipts 1 to 4 of the year, two lines each.
    const char* suppliers[] = {"ALIMENTARI ROSSI SPA", "DISTRIBUZIONE BIANCHI SRL",
                               "CASEIFICIO VALPADANA SCARL", "SALUMIFICIO MONTEVERDE SRL"};
    for (int n = 1; n <= 4 && !e; ++n) {
        const QDate day = today.addDays(-7 * (5 - n));
        e = add(db, "testaof",
                {{"codutente", 1},
                 {"anno", year},
                 {"numero", n},
                 {"dataor", day},
                 {"dscfornitore", QString::fromLatin1(suppliers[n - 1])},
                 {"codfor", 100 + n},
                 {"fl1ts", QStringLiteral("E")},
                 {"fl3ts", QStringLiteral("F")},
                 {"fl2ts", QStringLiteral("")},
                 {"dataco", day},
                 {"tipodoc", QStringLiteral("FATTACQIMM")}});
        for (int l = 1; l <= 2 && !e; ++l) {
            const Article a = article(db, 1000 + 10 * n + l);
            const double packs = 2 + l;
            e = add(db, "ordinif",
                    {{"codutente", 1},
                     {"bannoc", year},
                     {"bnumer", n},
                     {"bns", l},
                     {"bdator", day},
                     {"articoli", a.code},
                     {"unitam", a.unit},
                     {"imballo", a.pack},
                     {"costob", a.price},
                     {"costof", a.price},
                     {"quantita", packs * a.pack},
                     {"quanci", packs * a.pack},
                     {"collic", packs},
                     {"colli", packs},
                     {"descrizione", a.description},
                     {"iva", 4},
                     {"desgru", a.group},
                     {"eanrig", a.ean},
                     {"tipmov", QStringLiteral("AR")},
                     {"totrig", std::round(packs * a.pack * a.price * 100) / 100}});
        }
    }
    // Return notes: 1 and 2 registered, 3 still open for the first supplier.
    for (int n = 1; n <= 3 && !e; ++n) {
        const QDate day = today.addDays(-10 * (4 - n));
        e = add(db, "reste",
                {{"codutente", 1},
                 {"anno", year},
                 {"numero", n},
                 {"dataor", day},
                 {"dsccliente", QString::fromLatin1(suppliers[n == 2 ? 1 : 0])},
                 {"cliente", n == 2 ? 102 : 101},
                 {"codlis", QStringLiteral("01")},
                 {"fl1ts", QStringLiteral(" ")},
                 {"regis", n == 3 ? QStringLiteral("P") : QStringLiteral("R")},
                 {"datafa", day},
                 {"tipodoc", QStringLiteral("DDTRESFOR")},
                 {"codtipdoc", QStringLiteral("RF")}});
        for (int l = 1; l <= 2 && !e; ++l) {
            const Article a = article(db, 1100 + 10 * n + l);
            e = add(db, "resmo",
                    {{"codutente", 1},
                     {"bannoc", year},
                     {"bnumer", n},
                     {"bns", l},
                     {"codtipdoc", QStringLiteral("RF")},
                     {"bdator", day},
                     {"articoli", a.code},
                     {"unitam", a.unit},
                     {"imballo", a.pack},
                     {"costof", a.cost},
                     {"prezzo", a.cost},
                     {"colli", 1},
                     {"quantita", a.pack},
                     {"descrizione", a.description},
                     {"iva", 4},
                     {"desgru", a.group},
                     {"eanrig", a.ean},
                     {"tipmov", QStringLiteral("AR")},
                     {"bflag1", QStringLiteral("V")},
                     {"totrig", std::round(a.pack * a.cost * 100) / 100}});
        }
    }
    for (const auto& [type, last] : {std::pair{"CF", 4}, {"RF", 3}})
        if (!e)
            e = db.executeNative(
                QStringLiteral("UPDATE numeri SET ultnum = ? WHERE codutente = 1 AND tipo = ? AND "
                               "anno = ?"),
                {last, QString::fromLatin1(type), year});
    if (e)
        return e.message() + QLatin1Char(' ') + e.detail;
    e = w.commit();
    return e ? e.message() : QString();
}

} // namespace demo
