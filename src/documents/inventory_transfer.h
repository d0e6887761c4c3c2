// The inventory transfer: one operator's working lines become a numbered
// inventory document, one `invte` header and one `invmo` line per line. The
// whole transfer is one transaction: a failure, or the program killed halfway,
// leaves no header, no lines and the numbering series as they were.
//
// Two workstations may confirm at the same moment under the same number (both
// took it when their menu opened). The confirmations of a year take turns (a
// key lock on the year, waited for a few seconds at most), and the number is
// checked inside the transaction: the one that comes second moves to the next
// free number and says so in `notice`. A header written meanwhile by another
// program under that number (a duplicate key) makes the transfer start again
// on the next free number. A busy archive rolls everything back: the operator
// is told and may press again.
//
// Counts and amounts are exact decimals: a line whose count adds up to 0 is
// not transferred, and the line total is cost x count rounded to the cent,
// an exact half to the even cent.
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
