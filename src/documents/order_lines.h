// The working lines of the department orders (`ordine`): one line per EAN,
// tagged with its department. Storing an EAN again replaces the packs ordered,
// it does not add to them.
#pragma once

#include "data/database.h"
#include "data/decimal.h"

#include <QString>
#include <cstdint>

namespace documents {

// More packs than this on one line are no order: such a count is not stored.
inline constexpr double kMostPacksOrdered = 9999;

struct OrderLine {
    std::int32_t articleCode = 0; // written when the line is created
    QString ean;                  // the key of the line, written when it is created
    QString description;          // "." when empty
    QString unit;                 // "CT" when empty
    data::Decimal cost;           // cost with VAT, as shown
    data::Decimal packs;          // packs ordered
    data::Decimal pack;           // pieces per pack
    QString department;           // S, M, T or O
};

// Stores the line of an EAN, creating it or replacing the one there: one
// transaction, the EAN locked against another handheld storing it at once.
data::Error storeOrderLine(const data::Database& work, const OrderLine& line);

// Deletes the line of an EAN; no such line is no error.
data::Error deleteOrderLine(const data::Database& work, const QString& ean);

} // namespace documents
