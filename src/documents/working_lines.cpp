#include "documents/working_lines.h"

#include "articles/article_reads.h"
#include "articles/lookup.h"
#include "articles/readings.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/table.h"

namespace documents {

data::Error storeLine(const data::Database& db, const WorkingLine& line) {
    data::WriteScope w(db);
    if (!w.ok())
        return w.error();
    if (data::Error e = w.lockKey(line.table, line.key))
        return e;
    data::Recordset lines = db.query(line.lines);
    if (lines.findFirst(line.criterion)) {
        lines.edit();
        for (const auto& [field, value] : line.article)
            lines.setValue(field, value);
        for (const QString& field : line.counted)
            lines.addTo(field, line.quantity);
        // A value refused above makes update() write nothing and report it.
        if (!lines.update())
            return lines.error();
    } else if (!lines.ok() && lines.error().kind != data::Error::Kind::NoCurrentRow) {
        return lines.error();
    } else {
        data::Table t = db.table(line.table);
        t.addNew();
        for (const FieldValues* values : {&line.created, &line.article})
            for (const auto& [field, value] : *values)
                t.setValue(field, value);
        for (const QString& field : line.counted)
            t.addTo(field, line.quantity);
        if (!t.update())
            return t.error();
    }
    return w.commit();
}

data::Error storeInventoryLine(const data::Database& store, const state::SharedState& s, std::int32_t code,
                               const QString& ean, data::Decimal quantity) {
    const articles::LookupProfile profile;
    data::Error e;
    const auto listi = code != 0 ? articles::priceListRow(store, code, &e) : std::nullopt;
    if (e)
        return e;
    WorkingLine line;
    line.table = profile.linesTable;
    line.lines = profile.lineQuery(s).rows();
    // A line without an article code is found by its EAN.
    line.criterion = code != 0 ? profile.byCode(code, s) : profile.byEan(ean, s);
    line.key = code != 0 ? QVariantList{s.operatorNumber, code} : QVariantList{s.operatorNumber, ean};
    line.created = {{QStringLiteral("codcasa"), code},
                    {QStringLiteral("eanrig"), ean},
                    {QStringLiteral("oper"), s.operatorNumber}};
    if (listi) {
        auto text = [&](const char* f, int width) {
            const QVariant v = listi->value(QString::fromLatin1(f));
            return v.isNull() ? v : QVariant(v.toString().left(width));
        };
        auto value = [&](const char* f) { return listi->value(QString::fromLatin1(f)); };
        line.article = {{QStringLiteral("descrizione"), text("desart", 35)},
                        {QStringLiteral("unitam"), value("umart")},
                        {QStringLiteral("prezzo"), value("przart")},
                        {QStringLiteral("imballo"), value("imbart")},
                        {QStringLiteral("iva"), value("ivart")},
                        {QStringLiteral("desfor"), text("desfor", 35)},
                        {QStringLiteral("desgru"), text("desgru", 20)}};
    }
    line.counted = {QStringLiteral("colli"), QStringLiteral("quantita")};
    line.quantity = quantity;
    return storeLine(store, line);
}

std::optional<data::Decimal> typedCount(const QString& text) {
    const auto q = articles::regionalNumber(text);
    if (!q)
        return std::nullopt;
    return data::Decimal::fromDouble(*q, data::schema::decimals(data::schema::Kind::Number));
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
