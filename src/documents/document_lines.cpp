#include "documents/document_lines.h"

#include "data/schema.h"

#include <algorithm>
#include <set>

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

namespace {

// Keys bound to one IN list.
constexpr int kKeysPerRead = 500;

// A cell of a row read by rowsNative as an exact decimal at the places of the
// field's kind, Null as 0; a value no decimal can hold is reported.
data::Decimal exactCell(const QVariant& v, const QString& table, const char* field, data::Error* error) {
    const data::schema::Table* layout = data::schema::table(table);
    const data::schema::Field* f = layout ? layout->field(QString::fromLatin1(field)) : nullptr;
    const int places = f ? data::schema::decimals(f->kind) : 4;
    if (const auto d = exactValue(v, places))
        return *d;
    if (error && error->ok())
        *error =
            data::Error::make(data::Error::Kind::BadValue, table + QLatin1Char('.') + QLatin1String(field));
    return {};
}

QString placeholders(qsizetype n) {
    return QStringList(n, QStringLiteral("?")).join(QStringLiteral(", "));
}

} // namespace

std::map<std::int32_t, ArticleRow> readArticles(const data::Database& db, const QString& table,
                                                const std::vector<std::int32_t>& codes,
                                                const QString& priceField, bool stock, data::Error* error) {
    std::map<std::int32_t, ArticleRow> out;
    const std::set<std::int32_t> distinct(codes.begin(), codes.end());
    const std::vector<std::int32_t> keys(distinct.begin(), distinct.end());
    const QString columns = QStringLiteral("codart, desart, umart, imbart, %1, ivart, desgru, %2%3")
                                .arg(priceField, QLatin1String(data::schema::kRowId),
                                     stock ? QStringLiteral(", qinv, qacq, qres, qven, cosmp") : QString());
    const QByteArray price = priceField.toLatin1();
    for (size_t from = 0; from < keys.size(); from += kKeysPerRead) {
        const size_t to = std::min(keys.size(), from + kKeysPerRead);
        QVariantList values;
        for (size_t k = from; k < to; ++k)
            values << keys[k];
        const auto rows = db.rowsNative(QStringLiteral("SELECT %1 FROM %2 WHERE codart IN (%3)")
                                            .arg(columns, table, placeholders(values.size())),
                                        values, error);
        if (error && *error)
            return {};
        for (const QVariantList& r : rows) {
            const auto code = std::int32_t(r.at(0).toLongLong());
            if (out.count(code))
                continue; // the first row of a code, as a seek finds it
            ArticleRow a;
            a.data.found = true;
            a.data.description = r.at(1).toString().left(35);
            a.data.unit = r.at(2).toString();
            a.data.pack = exactCell(r.at(3), table, "imbart", error);
            a.data.price = exactCell(r.at(4), table, price.constData(), error);
            a.data.vat = vatNumber(r.at(5));
            a.data.group = r.at(6).toString();
            a.rowId = r.at(7).toLongLong();
            if (stock) {
                a.qinv = exactCell(r.at(8), table, "qinv", error);
                a.qacq = exactCell(r.at(9), table, "qacq", error);
                a.qres = exactCell(r.at(10), table, "qres", error);
                a.qven = exactCell(r.at(11), table, "qven", error);
                a.cosmp = exactCell(r.at(12), table, "cosmp", error);
            }
            if (error && *error)
                return {};
            out.emplace(code, a);
        }
    }
    return out;
}

QString eanKey(const QString& ean) {
    QString k = ean.toUpper();
    while (!k.isEmpty() && k.back() == QLatin1Char(' '))
        k.chop(1);
    return k;
}

std::map<QString, EanRow> readEans(const data::Database& db, const std::vector<QString>& eans,
                                   data::Error* error) {
    std::map<QString, EanRow> out;
    std::set<QString> distinct;
    for (const QString& e : eans)
        if (!e.isEmpty())
            distinct.insert(eanKey(e));
    const std::vector<QString> keys(distinct.begin(), distinct.end());
    const QString codean = QStringLiteral("codean");
    for (size_t from = 0; from < keys.size(); from += kKeysPerRead) {
        const size_t to = std::min(keys.size(), from + kKeysPerRead);
        QVariantList values;
        for (size_t k = from; k < to; ++k)
            values << keys[k];
        const auto rows = db.rowsNative(
            QStringLiteral("SELECT eanare, %1, einv, eacq, eres, even FROM codean WHERE eanare IN (%2)")
                .arg(QLatin1String(data::schema::kRowId), placeholders(values.size())),
            values, error);
        if (error && *error)
            return {};
        for (const QVariantList& r : rows) {
            EanRow e;
            e.rowId = r.at(1).toLongLong();
            e.einv = exactCell(r.at(2), codean, "einv", error);
            e.eacq = exactCell(r.at(3), codean, "eacq", error);
            e.eres = exactCell(r.at(4), codean, "eres", error);
            e.even = exactCell(r.at(5), codean, "even", error);
            if (error && *error)
                return {};
            out.emplace(eanKey(r.at(0).toString()), e);
        }
    }
    return out;
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
