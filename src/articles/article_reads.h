// Plain reads of an article's rows: the article code of an EAN (or of an
// in-store prefix), the first EAN of an article code, the price-list row of a
// code and its price data. The lookup, the entry screens and the working-line
// stores all seek through these, so each seek is written once.
#pragma once

#include "articles/prices.h"
#include "data/table.h"

#include <optional>

namespace articles {

// The article code (codean.codare) of an EAN, sought by the EAN index;
// nullopt when codean has no row for it, or on a database error (then in
// `error` when given).
std::optional<std::int32_t> codeOfEan(const data::Database& db, const QString& ean,
                                      data::Error* error = nullptr);

// The article code read for an EAN while one scan is handled, so that the
// rows shown for that scan do not seek the same EAN again.
struct KnownEan {
    QString ean;
    std::optional<std::int32_t> code;
};

// The EAN (codean.eanare) of the first EAN row of an article code; nullopt
// when the code has none.
std::optional<QString> eanOfCode(const data::Database& db, qlonglong code, data::Error* error = nullptr);

// The article code of the first EAN row whose EAN begins with `prefix` (the
// in-store prefix of a weighed article's code); nullopt when none does, or
// when the prefix is not made of digits.
std::optional<std::int32_t> codeOfEanPrefix(const data::Database& db, const QString& prefix,
                                            data::Error* error = nullptr);

// The price-list row (listi01) of an article code, current in the returned
// table: its fields are read by name, Null kept. nullopt when the code has no
// row.
std::optional<data::Table> priceListRow(const data::Database& db, std::int32_t code,
                                        data::Error* error = nullptr);

// The price data of a price-list row (the current row of `listi01`), for the
// price displays: Null offer price and dates stay empty.
ArticlePrices articlePrices(const data::Table& listi01);

} // namespace articles
