// The price comparison database: a file of its own, kept by the price
// comparison process outside this program, with one row per EAN and the costs
// of up to four suppliers. Confirming a department order hands every ordered
// article to it: the packs go into the column of the cheapest supplier, the
// other three get 0, and the article is marked as selected.
#pragma once

#include "data/database.h"
#include "data/decimal.h"

#include <QString>
#include <QVariant>
#include <array>
#include <vector>

namespace documents {

// Where the price comparison database always is, whatever drive and store
// mode were chosen (through the drive mapping like every other path).
inline const QString kPriceComparisonDb = QStringLiteral("C:\\marbo\\bancacodean.mdb");

// Whether the price comparison database is there: an opened database, or the
// error of opening it, tells.
bool priceComparisonExists(const data::Database& comparison);

// The EAN as the comparison rows are keyed: left-padded with zeros to 13
// characters ("801234567890" is "0801234567890").
QString comparisonEan(const QString& ean);

// The supplier (0 to 3) whose cost is lowest; a cost of 0 or Null is no offer
// and counts as 9999, and a tie goes to the lower number, so with no offer at
// all the first supplier gets the packs.
int cheapestSupplier(const std::array<QVariant, 4>& costs);

struct ComparisonLine {
    QString ean;
    data::Decimal packs; // never 0 here
};

struct ComparisonResult {
    data::Error error; // nothing was written
    int rowsWritten = 0;
    int rowsMissing = 0; // EANs the comparison does not know: passed over
};

// Hands every line on, all in one transaction of the comparison database: the
// cheapest supplier's packs := the line's packs (replacing what was there),
// the other three := 0, `sel` := "X". An EAN without a row is passed over.
ComparisonResult transferToPriceComparison(const data::Database& comparison,
                                           const std::vector<ComparisonLine>& lines);

} // namespace documents
