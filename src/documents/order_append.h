// Appending the order working lines (`ordine`) to an order document
// (`movimenti`) of the shared document year and number: each line with
// packages becomes a document line, or adds its packages to the document's
// line of the same EAN; the article's last order (packages and date) is
// recorded on `articolo`; every line taken is removed from `ordine`, those of 0
// packages without a document line. The order confirmation runs it on the
// lines of its department, the goods receipt and supplier order confirmations
// on every line.
//
// The whole append is one transaction: a failure, or the program killed
// halfway, leaves `ordine`, `articolo` and `movimenti` as they were. Two
// workstations appending to one document take turns, so no packages are lost.
#pragma once

#include "documents/document_lines.h"
#include "state/shared_state.h"

#include <QDate>
#include <functional>
#include <optional>

namespace documents {

// Which working lines an append takes, and where it reads their article code.
struct OrderAppendRows {
    // Only the lines of this order type (a department code); nullopt: every line.
    std::optional<QString> orderType;
    // The article code of the line's EAN in `codean` when the EAN is there
    // (else the line's `codcasa`); false: always the line's `codcasa`.
    bool codeFromEan = false;

    // The order confirmation: the lines of one department.
    static OrderAppendRows department(const QString& code) { return {code, true}; }
    // The goods receipt and supplier order confirmations: every line.
    static OrderAppendRows every() { return {std::nullopt, false}; }
};

// Appends to the document (shared document year, shared document number). The
// lines are numbered after the document's last `bns` (from 1 in a document
// without lines), a merged line taking a number too; on success the shared
// last line number holds the last one given. `afterLine` runs for each working
// line taken (the dialog's progress). The dialog checks the date and the
// number before; `noLines` tells it that there was nothing to take.
ConfirmResult appendToOrder(const data::Database& work, state::SharedState& s, const QDate& today,
                            const OrderAppendRows& rows, const LineProgress& afterLine = {});

// The same with a callback that is not told the number of lines (it counts
// them itself).
inline ConfirmResult appendToOrder(const data::Database& work, state::SharedState& s, const QDate& today,
                                   const OrderAppendRows& rows, const std::function<void()>& afterLine) {
    return appendToOrder(work, s, today, rows,
                         afterLine ? LineProgress([afterLine](int) { afterLine(); }) : LineProgress());
}

} // namespace documents
