// "Confermi Nuovo Ordine" of the department orders: every ordered article of
// every department gets the packs and the date of this order as its last order
// (`articoli` of the work database), and is handed to the price comparison
// database. The working lines stay, for the order menu's deletion.
//
// Two files, two transactions. The work database's writes are all made first
// and kept open; then the price comparison's transaction writes and commits;
// then the work database commits. A failure before the comparison commits
// leaves both files as they were. Only a failure of the last commit, after the
// comparison committed, leaves the comparison written and the last orders not:
// both writes replace values (packs and date), so confirming again, with the
// lines still there, completes it without counting anything twice. When the
// comparison database is the work database itself (drive C:), it is all one
// transaction.
#pragma once

#include "data/database.h"

#include <QDate>
#include <functional>
#include <optional>

namespace documents {

struct NewOrderResult {
    data::Error error;    // nothing was written (see above for the last commit)
    bool noLines = false; // the working table is empty: nothing to confirm
    int lines = 0;        // working lines read
    int lastOrders = 0;   // articles given their last order
    int handedOn = 0;     // price comparison rows written
};

// `beforeLine` runs with the number of each working line (from 1) and the
// number of lines before the line is handled, lines of 0 packs included (the
// progress bar; tests).
NewOrderResult confirmNewOrder(const data::Database& work, const data::Database& comparison,
                               const QDate& today,
                               const std::function<void(int line, int lines)>& beforeLine = {});

// The order document an append goes to, as the dialog shows it: how many
// lines it holds and the date of its last line.
struct OrderDocument {
    int lines = 0;
    QDate lastDate;
};
std::optional<OrderDocument> orderDocument(const data::Database& work, std::int32_t year, std::int32_t number,
                                           data::Error* error = nullptr);

// The highest order document number of a year in `movimenti`: the order the
// staff are filling; nullopt when the year has none.
std::optional<std::int32_t> lastOrderNumber(const data::Database& work, std::int32_t year,
                                            data::Error* error = nullptr);

} // namespace documents
