#include "articles/article_reads.h"

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

std::optional<QString> eanOfCode(const data::Database& db, qlonglong code, data::Error* error) {
    const auto row = seek(db, QStringLiteral("codean"), QStringLiteral("codare"), code, error);
    if (!row)
        return std::nullopt;
    return row->value(QStringLiteral("eanare")).toString();
}

std::optional<data::Table> priceListRow(const data::Database& db, std::int32_t code, data::Error* error) {
    return seek(db, QStringLiteral("listi01"), QStringLiteral("primary"), code, error);
}

} // namespace articles
