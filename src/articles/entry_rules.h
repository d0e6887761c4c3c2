// Rules on what the operator types into the menus' and entry screens' fields:
// the operator number, and the quantity limits of the counts.
#pragma once

#include "data/decimal.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace articles {

// The operator number typed in a menu's operator field: its leading number
// ("3abc" is 3) rounded to a whole number, halves to even, as the shared
// number takes it. nullopt, for the menu to ask again, when the field is
// empty, the number is or rounds to 0, or lies beyond the shared number's
// range; any other number is accepted, negative ones too.
std::optional<std::int16_t> operatorNumber(const QString& typed);

// A typed count whose whole part is above this is a barcode scanned into the
// quantity field: Enter in the inventory entry says so and stores nothing.
inline constexpr double kSuspectCountAbove = 1000;
bool looksLikeScannedCode(const QString& typedQuantity);

// Counts of this or more, either way, are never stored, by any key or by the
// pop-up for a missing article (a barcode read into the quantity field); nor
// is a count of 0. A negative count corrects one stored before.
inline constexpr double kQuantityLimit = 999999;
bool storableCount(data::Decimal quantity);

} // namespace articles
