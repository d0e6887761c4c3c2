// Writes to the working tables, the lines an operator builds up before a
// confirmation turns them into a document: storing a count on the operator's
// line of an article, deleting one line, an operator's lines or a whole table.
//
// Storing a count is one atomic write, whatever the table: several handhelds
// may store into the same line at the same moment (two operators with the
// same number, or the same article scanned on two terminals), and every count
// must arrive exactly once, on one line per key. So a store
//   - runs in one write transaction (data::WriteScope) that takes the line's
//     key lock first: two workstations never both find no line and both
//     insert one;
//   - adds the count in the database (addTo: colli = colli + q in the same
//     UPDATE), never read-add-write in C++;
//   - writes the article fields and the count in one statement: a value the
//     line cannot hold writes nothing at all, the line stays as it was;
//   - takes the count as an exact decimal, rounded to the field's places
//     (three for quantities), so no binary residue reaches the line.
// Every working table's store is a WorkingLine handed to storeLine(); the
// inventory's is storeInventoryLine().
#pragma once

#include "data/database.h"
#include "data/decimal.h"
#include "state/shared_state.h"

#include <utility>
#include <vector>

namespace documents {

using FieldValues = std::vector<std::pair<QString, QVariant>>;

// One store of a count into the line of a key. Example, the inventory line of
// article 123 and operator 3:
//   table = "inventario", lines = "SELECT * FROM inventario WHERE oper =3",
//   criterion = "codcasa = 123 and oper = 3", key = {3, 123},
//   created = {{"codcasa", 123}, {"eanrig", ean}, {"oper", 3}},
//   article = {{"descrizione", ...}, ...}, counted = {"colli", "quantita"}.
struct WorkingLine {
    QString table;
    QString lines;       // the lines the key is sought among (the screen's line query)
    QString criterion;   // the key as a find criterion of those lines
    QVariantList key;    // the key's values, for the key lock (the same on every workstation)
    FieldValues created; // written only when the line is created (the key, the first EAN)
    FieldValues article; // written on every store (description, price ...); Null stays Null
    QStringList counted; // number fields the count is added to (Null counts as 0)
    data::Decimal quantity;
};

// Finds the line of the key, adds the quantity to its counted fields and
// rewrites its article fields, or creates it: all in one transaction, nothing
// written on any failure (the error says what and where).
data::Error storeLine(const data::Database& db, const WorkingLine& line);

// Stores a counted quantity on the operator's line of an article: the line is
// found by article code and operator (by EAN and operator when the code is 0),
// or created with the article code and the EAN; the article's data come from
// its price-list row when there is one, and are left as they are otherwise.
data::Error storeInventoryLine(const data::Database& store, const state::SharedState& s, std::int32_t code,
                               const QString& ean, data::Decimal quantity);

// A typed count as the lines store it: the regional reading of the field at
// the three places of a quantity; nullopt for no number, or one the field
// cannot hold.
std::optional<data::Decimal> typedCount(const QString& text);

// Deletes the first line of `linesQuery` that matches `criterion` (such as
// "eanrig = '8001234567890' and oper = 3"); no such line is no error.
data::Error deleteLine(const data::Database& db, const QString& linesQuery, const QString& criterion);

// Deletes the inventory lines of an operator, all or none.
data::Error deleteInventory(const data::Database& store, std::int16_t oper);

// Deletes every line of a working table (ordine, carico, resi), all or none.
data::Error deleteAllLines(const data::Database& work, const QString& table);

} // namespace documents
