// Storing a new sale price. Every EAN row of the article is marked for a new
// shelf label and selected for the handheld's label list; the rows that carry
// their own price (aggi "A") get the new price and the price of their sale
// unit; the price list gets the new price and its margin. All in one
// transaction: a failure leaves every row as it was.
#pragma once

#include "data/database.h"
#include "data/decimal.h"

#include <cstdint>
#include <optional>

namespace documents {

struct SalePriceStore {
    enum class Status {
        Stored,     // the rows are written
        UnknownEan, // codean has no row for the EAN: nothing is written
        Failed,     // see error: nothing is written
    };
    Status status = Status::Failed;
    data::Error error;
    std::int32_t code = 0;        // the article of the EAN
    int marked = 0;               // EAN rows marked for a label
    int priced = 0;               // of them, rows that took the new price
    bool priceListStored = false; // listi01 took the new price and the margin
};

// Stores `newPrice` for the article of `ean`, visiting its EAN rows in EAN
// order ("SELECT * FROM codean WHERE codare=... ORDER BY eanare"): flagean and
// sta_eti "S" on each; on the rows with aggi "A", when the price is not 0,
// prezzo := the price, pezzix := 1 when it is 0 or empty, prezzox := pezzix x
// the price rounded to cents. `margin` is the margin field's value, nullopt
// when that field is empty: only with a margin does the price list take the
// new price (przpub) and the margin (marg). neti and taglia are not touched.
SalePriceStore storeSalePrice(const data::Database& store, const QString& ean, data::Decimal newPrice,
                              std::optional<data::Decimal> margin);

} // namespace documents
