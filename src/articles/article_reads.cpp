#include "articles/article_reads.h"

#include "articles/codes.h"
#include "data/dialect.h"
#include "data/recordset.h"

namespace articles {

namespace {

// The table sought "=" the key by one of its named indexes; nullopt on a miss
// or a failure (the failure in `error`).
std::optional<data::Table> seek(const data::Database& db, const QString& table, const QString& index,
                                const QVariant& key, data::Error* error) {
    data::Table t = db.table(table);
    t.setIndex(index);
    const bool found = t.seek(key);
    if (error)
        *error = t.error();
    if (!found)
        return std::nullopt;
    return t;
}

} // namespace

std::optional<std::int32_t> codeOfEan(const data::Database& db, const QString& ean, data::Error* error) {
    const auto row = seek(db, QStringLiteral("codean"), QStringLiteral("keyean"), ean, error);
    if (!row)
        return std::nullopt;
    return std::int32_t(row->value(QStringLiteral("codare")).toLongLong());
}

std::optional<std::int32_t> codeOfEanPrefix(const data::Database& db, const QString& prefix,
                                            data::Error* error) {
    if (error)
        *error = {};
    if (!isDigitCode(prefix))
        return std::nullopt;
    // The EANs from the prefix up to the prefix followed by ':' (the sign after
    // the digits): a range of the EAN index, not a walk of the table.
    const QString p = prefix.trimmed();
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM codean WHERE eanare >= ") + data::quoted(p) +
                                  QStringLiteral(" and eanare < ") + data::quoted(p + QLatin1Char(':')));
    if (rs.eof()) {
        if (error)
            *error = rs.error();
        return std::nullopt;
    }
    return std::int32_t(rs.value(QStringLiteral("codare")).toLongLong());
}

std::optional<QString> eanOfCode(const data::Database& db, qlonglong code, data::Error* error) {
    const auto row = seek(db, QStringLiteral("codean"), QStringLiteral("codare"), code, error);
    if (!row)
        return std::nullopt;
    return row->value(QStringLiteral("eanare")).toString();
}

std::optional<data::Table> priceListRow(const data::Database& db, std::int32_t code, data::Error* error) {
    return seek(db, QStringLiteral("listi01"), QStringLiteral("primary"), code, error);
}

ArticlePrices articlePrices(const data::Table& t) {
    auto date = [&t](const char* f) -> std::optional<QDate> {
        const QVariant v = t.value(QString::fromLatin1(f));
        if (v.isNull())
            return std::nullopt;
        return v.toDate();
    };
    ArticlePrices a;
    a.cofart = t.value(QStringLiteral("cofart")).toDouble();
    a.ivart = t.value(QStringLiteral("ivart")).toString();
    a.przpub = t.value(QStringLiteral("przpub")).toDouble();
    if (const QVariant offer = t.value(QStringLiteral("przsal")); !offer.isNull())
        a.przsal = offer.toDouble();
    a.cosoff = t.value(QStringLiteral("cosoff")).toDouble();
    a.data1 = date("data1");
    a.data2 = date("data2");
    return a;
}

} // namespace articles
