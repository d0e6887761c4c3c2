// Plain reads of an article's rows: the article code of an EAN, the first EAN
// of an article code and the price-list row of a code. The lookup, the entry
// screens and the working-line stores all seek through these, so each seek is
// written once.
#pragma once

#include "data/table.h"

#include <optional>

namespace articles {

// The article code (codean.codare) of an EAN, sought by the EAN index;
// nullopt when codean has no row for it, or on a database error (then in
// `error` when given).
std::optional<std::int32_t> codeOfEan(const data::Database& db, const QString& ean,
                                      data::Error* error = nullptr);

// The EAN (codean.eanare) of the first EAN row of an article code; nullopt
// when the code has none.
std::optional<QString> eanOfCode(const data::Database& db, qlonglong code, data::Error* error = nullptr);

// The price-list row (listi01) of an article code, current in the returned
// table: its fields are read by name, Null kept. nullopt when the code has no
// row.
std::optional<data::Table> priceListRow(const data::Database& db, std::int32_t code,
                                        data::Error* error = nullptr);

} // namespace articles
