// The inventory transfer: one operator's working lines become a numbered
// inventory document, one `invte` header and one `invmo` line per line. The
// whole transfer is one transaction: a failure, or the program killed halfway,
// leaves no header, no lines and the numbering series as they were.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"

#include <functional>

namespace documents {

struct TransferResult {
    data::Error error; // the transfer was rolled back
    bool headerWritten = false;
    int linesWritten = 0;
    std::int32_t number = 0; // the number the document was written under
    QString notice;          // to tell the operator (a number taken by another workstation)
};

// Transfers the lines of the shared operator number under the shared document
// number and year. `afterLine` runs after each line written (progress; tests).
TransferResult transferInventory(const data::Database& store, state::SharedState& s, const QDate& today,
                                 const std::function<void(int)>& afterLine = {});

} // namespace documents
