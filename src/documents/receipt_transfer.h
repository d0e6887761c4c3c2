// The goods receipt confirmation: every goods receipt line (`carico`, all
// operators) becomes a line of a supplier receipt (`ordinif`) under a header
// in `testaof`, and records the receipt on the article master data: the last
// receipt (`qultcar`, `dultcar`), the purchased quantity and the stock with
// its value on the price list (`qacq`, `qgia`, `valgia`), the purchased
// quantity and the stock of the EAN (`eacq`, `egia`). Numbered in the
// series "CF" of `numeri`; the first free number comes from `testaof`.
//
// One transaction: a failure, or the program killed halfway, leaves `carico`,
// `testaof`, `ordinif`, `listi01`, `codean` and `numeri` as they were.
#pragma once

#include "documents/document_lines.h"
#include "state/shared_state.h"

#include <QDate>
#include <functional>

namespace documents {

// Writes the receipt under the shared document year and number, dated
// `documentDate`; without `writeHeader` the lines go under the number with no
// header and `numeri` is left alone. A shared user code of 0 becomes 1. On
// success the shared document number is the number used, the shared numbering
// code "CF" (with a header), the shared document date `documentDate`.
ConfirmResult confirmReceipt(const data::Database& work, state::SharedState& s, const QDate& today,
                             const QDate& documentDate, bool writeHeader, const LineProgress& afterLine = {});

} // namespace documents
