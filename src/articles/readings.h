// Reading numbers from field texts and writing them back, as the store's
// Italian regional settings do: decimal comma, points grouping thousands.
#pragma once

#include <QString>
#include <optional>

namespace articles {

// Regional reading: "1.234,50" is 1234.5, "12,5" is 12.5, blanks around and a
// sign are allowed; points group digits wherever they stand ("12.5" is 125, as
// the desktop reading takes it). Anything else (letters, two commas, an empty
// text) is no number.
std::optional<double> regionalNumber(const QString& text);

// Leading-number reading: the longest leading number with "." as decimal point,
// blanks ignored, stopping at the first other character; empty text is 0
// ("04" is 4, "4,5" is 4, "x" is 0).
double leadingNumber(const QString& text);

// Rounds to `decimals` places, an exact half going to the even neighbour. The
// half is judged on the decimal number the value stands for (2.345 gives 2.34,
// 2.355 gives 2.36), not on its binary approximation.
double roundHalfEven(double value, int decimals);

} // namespace articles
