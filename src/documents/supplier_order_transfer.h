// The supplier order confirmation: the supplier order lines of `ordine` (those
// with an empty order type, as the supplier order entry stores them) become a
// supplier order (`testao` open, "ORDFOR"; lines `ordini` with nothing received
// yet), ready for the receipt on the handheld, and each article records its
// last order (`listi01.colliuo`, `datauo`). Numbered in the series "OF" of
// `numeri`; the first free number comes from `testao`. The lines of the
// department orders (order type set) stay in `ordine`: they belong to another
// document.
//
// One transaction: a failure, or the program killed halfway, leaves `ordine`,
// `testao`, `ordini`, `listi01` and `numeri` as they were.
#pragma once

#include "documents/document_lines.h"
#include "state/shared_state.h"

#include <QDate>
#include <functional>

namespace documents {

// The condition (native SQL) of the supplier order lines of `ordine`.
QString supplierOrderLines();

// Writes the order under the shared document year and number, dated
// `documentDate`; without `writeHeader` the lines go under the number with no
// header and `numeri` is left alone. A shared user code of 0 becomes 1.
ConfirmResult confirmSupplierOrder(const data::Database& work, state::SharedState& s, const QDate& today,
                                   const QDate& documentDate, bool writeHeader,
                                   const LineProgress& afterLine = {});

} // namespace documents
