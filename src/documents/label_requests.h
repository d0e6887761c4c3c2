// Shelf-label requests. The program prints no shelf labels: it marks the EAN
// rows of codean whose labels the label program is to print. A request sets
// on a row flagean "S" (the row is in the handheld's label list), sta_eti "S"
// (a label is to be printed), neti (how many) and taglia (the request's
// sequence number, the order in which rows were marked).
//
// The sequence number is taken inside the write: the highest taglia of the
// table is read after the request holds the label counter's lock, so two
// handhelds marking rows at once never give two rows the same number and
// never lose a mark.
#pragma once

#include "data/database.h"
#include "data/decimal.h"

#include <cstdint>
#include <optional>

namespace documents {

// What the request screen reads of an EAN row before it asks for a label.
struct LabelRow {
    std::int32_t code = 0;  // codare, the article
    bool requested = false; // a label is already to be printed for it (sta_eti "S")
};

// The row of an EAN (index "keyean"); nullopt when codean has none, or on a
// database error (then in `error` when given).
std::optional<LabelRow> labelRowOfEan(const data::Database& store, const QString& ean,
                                      data::Error* error = nullptr);

// The highest label sequence number of codean; nullopt when no row has one.
std::optional<std::int32_t> highestLabelSequence(const data::Database& store, data::Error* error = nullptr);

struct LabelRequest {
    data::Error error;         // nothing was marked when set
    int marked = 0;            // marks made: 0, 1 or 2
    std::int32_t sequence = 0; // the sequence number of the last mark (the counter after the request)
};

// One request, in one transaction: when `code` is not 0 the article's first
// code row (index "codare") is marked, then the row of `ean` (index "keyean")
// when there is one, each with the next sequence number. When the EAN is that
// first code row it is marked twice and keeps the later number. A row asked
// again gets the new count and a new number; the count is not added to the
// old one. The numbers continue from the highest taglia in the table, or from
// `counter` (the screen's own counter) when that is higher or no row has one.
LabelRequest requestLabels(const data::Database& store, std::int32_t code, const QString& ean,
                           data::Decimal count, std::int32_t counter);

// Labels to print: the sum of neti over the rows with sta_eti "S", a row
// without neti (one marked by a sale price change) counting 0.
std::optional<data::Decimal> labelsToPrint(const data::Database& store, data::Error* error = nullptr);

// Empties the handheld's label selection: flagean becomes "" on every row that
// has "S"; sta_eti, neti and taglia stay. All rows or none.
data::Error cancelLabelSelection(const data::Database& store);

} // namespace documents
