// What the department order screens read on the demo store, added to the store
// that storegen made: the supplier's article code of every article (so a
// supplier's barcode "200" + code + check digit finds it), the last order of
// one article in three, and one open order document of the year with a few
// lines and its header. The price comparison rows (two to four costs) come
// with the store itself.
#pragma once

#include <QDate>
#include <QString>

namespace storegen {

// The supplier's article code the demo gives an article: nine digits.
QString demoSupplierCode(int codart);

// The number of the open order document of the demo.
inline constexpr int kDemoOrderNumber = 12;

// Returns an empty text or what went wrong.
QString addOrderDemo(const QString& dataRoot, const QDate& today);

} // namespace storegen
