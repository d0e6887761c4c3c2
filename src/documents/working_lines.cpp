#include "documents/working_lines.h"

#include "articles/article_reads.h"
#include "articles/lookup.h"
#include "data/recordset.h"
#include "data/table.h"

namespace documents {

data::Error storeInventoryLine(const data::Database& store, const state::SharedState& s, std::int32_t code,
                               const QString& ean, double quantity) {
    const articles::LookupProfile profile;
    data::Recordset lines = store.query(profile.lineQuery(s).rows());
    const auto listi = code != 0 ? articles::priceListRow(store, code) : std::nullopt;
    const bool priced = listi.has_value();
    auto article = [&](const char* f) { return priced ? listi->value(QString::fromLatin1(f)) : QVariant(); };
    auto text = [&](const char* f, int width) {
        const QVariant v = article(f);
        return v.isNull() ? v : QVariant(v.toString().left(width));
    };
    // A line without an article code is found by its EAN.
    const bool found =
        code != 0 ? lines.findFirst(profile.byCode(code, s)) : lines.findFirst(profile.byEan(ean, s));
    if (!lines.error().ok() && lines.error().kind != data::Error::Kind::NoCurrentRow)
        return lines.error();
    auto add = [](const QVariant& stored, double q) { return stored.isNull() ? q : stored.toDouble() + q; };
    const QVariantList values{text("desart", 35), article("umart"),   article("przart"), article("imbart"),
                              article("ivart"),   text("desfor", 35), text("desgru", 20)};
    const char* fields[] = {"descrizione", "unitam", "prezzo", "imballo", "iva", "desfor", "desgru"};
    if (found) {
        lines.edit();
        if (priced)
            for (int i = 0; i < 7; ++i)
                lines.setValue(QString::fromLatin1(fields[i]), values[i]);
        lines.setValue(QStringLiteral("colli"), add(lines.value(QStringLiteral("colli")), quantity));
        lines.setValue(QStringLiteral("quantita"), add(lines.value(QStringLiteral("quantita")), quantity));
        lines.update();
        return lines.error();
    }
    data::Table t = store.table(QStringLiteral("inventario"));
    t.addNew();
    t.setValue(QStringLiteral("codcasa"), code);
    t.setValue(QStringLiteral("eanrig"), ean);
    for (int i = 0; i < 7; ++i)
        t.setValue(QString::fromLatin1(fields[i]), values[i]);
    t.setValue(QStringLiteral("colli"), quantity);
    t.setValue(QStringLiteral("quantita"), quantity);
    t.setValue(QStringLiteral("oper"), s.operatorNumber);
    t.update();
    return t.error();
}

data::Error deleteLine(const data::Database& db, const QString& linesQuery, const QString& criterion) {
    data::Recordset rs = db.query(linesQuery);
    if (rs.findFirst(criterion))
        rs.remove();
    return rs.error().kind == data::Error::Kind::NoCurrentRow ? data::Error() : rs.error();
}

data::Error deleteInventory(const data::Database& db, std::int16_t oper) {
    // One statement: all of the operator's lines or none.
    return db.execute(QStringLiteral("DELETE FROM inventario WHERE oper = ") + QString::number(oper));
}

data::Error deleteAllLines(const data::Database& db, const QString& table) {
    return db.execute(QStringLiteral("DELETE FROM ") + table);
}

} // namespace documents
