// Amounts written with the pictures of the screens under the Italian regional
// settings: a point groups thousands, a comma stands before the two decimals.
#pragma once

#include <QString>

namespace articles {

enum class Picture {
    Amount5, // "##,##0.00"
    Amount6, // "###,##0.00"
    Plain,   // "##0.00" (no grouping)
    Amount7, // "#,###,##0.00"
};

// The number rounded to cents (halves to even) in the picture: 1234.5 gives
// "1.234,50" ("1234,50" with Plain). NaN or infinity give "0,00".
QString picture(double value, Picture p);

// The number as the regional settings write it plainly: no grouping, a decimal
// comma only when there are decimals, up to 15 significant digits (25, 23,5,
// 0,401).
QString plainNumber(double value);

} // namespace articles
