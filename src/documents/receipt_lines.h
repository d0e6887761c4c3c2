// The goods receipt working lines (`carico`): what arrives from the chosen
// supplier, one line per article and operator. Each store adds the packages
// and pieces of a delivery to the operator's line of the article; the
// confirmation turns the lines into a receipt document.
//
// The lines are kept in the work database, where the confirmation, the list
// and the main menu's check for unconfirmed work read them (in the store mode
// that reaches the goods receipt, the work and the store database are one
// file); the article data come from the store database.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"

#include <optional>

namespace documents {

// One store of the goods receipt entry: the article, the EAN of the scan (a
// new line keeps it; blank for an article entered by its code that has no
// EAN), the description shown, the packages and the pieces received.
struct ReceiptScan {
    std::int32_t code = 0;
    QString ean;
    QString description;
    data::Decimal packages;
    data::Decimal quantity;
};

// Adds the packages and pieces to the operator's line of the article, or
// creates the line, in one write under the key (operator, article): two
// handhelds storing the same article for one operator at once make one line
// holding both. The article fields are written from its price-list row in
// `articles` (blank and 0 when it has none), the supplier from the shared
// state.
data::Error storeReceiptLine(const data::Database& lines, const data::Database& articles,
                             const state::SharedState& s, const ReceiptScan& scan);

// The pieces on the operator's line of an article; nullopt when there is no
// line or its quantity is Null (or on an error, then in `error`).
std::optional<data::Decimal> receiptLineQuantity(const data::Database& lines, const state::SharedState& s,
                                                 std::int32_t code, data::Error* error = nullptr);

// Deletes the operator's line of an article (of the EAN when the code is 0);
// no such line is no error.
data::Error deleteReceiptLine(const data::Database& lines, const state::SharedState& s, std::int32_t code,
                              const QString& ean);

} // namespace documents
