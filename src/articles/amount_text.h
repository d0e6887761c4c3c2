// The amount formatter of the sale price change: a price typed as free text
// (decimal comma or point, grouping characters, or bare digits meaning cents)
// becomes an amount in the regional style with two decimals.
#pragma once

#include <QString>
#include <QVariant>

namespace articles {

// The typed amount in the picture "#,###,##0.00" (1.234,50). A null value or
// an empty text is 0. With `cents` set, a text with neither "." nor "," is a
// number of cents (125 gives 1,25). When the last point stands after the last
// comma, commas and points are exchanged through the marker "JKL" (so letters
// "JKL" already in the text become points too): 1,234.5 gives 1.234,50 and
// 1.234 gives 1,23. A number value is taken as the regional settings write it.
// A text that is no number (letters) gives "0,00".
QString formatAmountText(const QVariant& input, bool cents);

} // namespace articles
