// Writes to the working tables, the lines an operator builds up before a
// confirmation turns them into a document: storing a count on the operator's
// line of an article, deleting one line, an operator's lines or a whole table.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"

namespace documents {

// Stores a counted quantity on the operator's line of an article: the line is
// found by article code and operator, or created with the article code and the
// EAN; the article's data come from its price-list row when there is one.
data::Error storeInventoryLine(const data::Database& store, const state::SharedState& s, std::int32_t code,
                               const QString& ean, double quantity);

// Deletes the first line of `linesQuery` that matches `criterion` (such as
// "eanrig = '8001234567890' and oper = 3"); no such line is no error.
data::Error deleteLine(const data::Database& db, const QString& linesQuery, const QString& criterion);

// Deletes the inventory lines of an operator, all or none.
data::Error deleteInventory(const data::Database& store, std::int16_t oper);

// Deletes every line of a working table (ordine, carico, resi), all or none.
data::Error deleteAllLines(const data::Database& work, const QString& table);

} // namespace documents
