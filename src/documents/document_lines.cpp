#include "documents/document_lines.h"

#include <algorithm>

namespace documents {

QString tooManyLinesMessage() {
    return QStringLiteral("ATTENZIONE !!! Più di %1 righe in un documento: nulla è stato registrato. "
                          "Confermare le righe in più volte.")
        .arg(kLastLineNumber);
}

std::vector<WorkingLine> takeWorkingLines(const data::Database& db, const QString& table,
                                          const QString& condition, const QVariantList& values,
                                          data::Error* error) {
    QString sql = QStringLiteral("DELETE FROM ") + table;
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sql += QStringLiteral(" RETURNING marbo_rid, codcasa, eanrig, colli, quantita");
    const std::vector<QVariantList> rows = db.rowsNative(sql, values, error);
    std::vector<WorkingLine> lines;
    if (error && *error)
        return lines;
    lines.reserve(rows.size());
    for (const QVariantList& r : rows) {
        const auto packs = exactValue(r.at(3), 3), pieces = exactValue(r.at(4), 3);
        if (!packs || !pieces) {
            if (error)
                *error = data::Error::make(
                    data::Error::Kind::BadValue,
                    table + (packs ? QStringLiteral(".quantita") : QStringLiteral(".colli")));
            return {};
        }
        lines.push_back(
            {r.at(0).toLongLong(), std::int32_t(r.at(1).toLongLong()), r.at(2).toString(), *packs, *pieces});
    }
    std::sort(lines.begin(), lines.end(),
              [](const WorkingLine& a, const WorkingLine& b) { return a.rowId < b.rowId; });
    return lines;
}

QString documentEan(const QVariant& eanrig) {
    QString ean = eanrig.toString();
    while (!ean.isEmpty() && ean.back() == QLatin1Char(' '))
        ean.chop(1);
    if (ean.isEmpty())
        return ean;
    ean = ean.left(13);
    return ean.size() < 13 ? QString(13 - ean.size(), QLatin1Char('0')) + ean : ean;
}

std::int16_t vatNumber(const QVariant& ivart) {
    const QString text = ivart.toString().trimmed();
    qsizetype n = 0;
    while (n < text.size() && n < 4 && text.at(n).isDigit())
        ++n;
    return n == 0 ? 0 : std::int16_t(text.left(n).toInt());
}

ArticleData readArticle(data::Table& articles, std::int32_t code, const QString& priceField,
                        data::Error* error) {
    ArticleData a;
    if (!articles.seek(code)) {
        if (!articles.ok())
            *error = articles.error();
        return a;
    }
    a.found = true;
    a.description = articles.value(QStringLiteral("desart")).toString().left(35);
    a.unit = articles.value(QStringLiteral("umart")).toString();
    a.pack = exactField(articles, QStringLiteral("imbart"), error);
    a.price = exactField(articles, priceField, error);
    a.vat = vatNumber(articles.value(QStringLiteral("ivart")));
    a.group = articles.value(QStringLiteral("desgru")).toString();
    if (!articles.ok())
        *error = articles.error();
    return a;
}

std::optional<data::Decimal> exactValue(const QVariant& v, int places) {
    if (v.isNull())
        return data::Decimal();
    return data::Decimal::fromVariant(v, places);
}

data::Decimal exactField(const data::Table& t, const QString& field, data::Error* error) {
    if (const auto d = t.decimal(field))
        return *d;
    if (!t.isNull(field) && error && error->ok())
        *error = data::Error::make(data::Error::Kind::BadValue, t.name() + QLatin1Char('.') + field);
    return {};
}

data::Error saveRow(data::Table& t, std::initializer_list<std::pair<const char*, QVariant>> fields) {
    for (const auto& [name, value] : fields)
        t.setValue(QString::fromLatin1(name), value);
    if (!t.update())
        return t.error();
    return {};
}

} // namespace documents
