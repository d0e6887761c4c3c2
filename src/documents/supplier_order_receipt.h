// The receipt of a supplier order on the handheld, without widgets: what a
// scan of a delivered article stands for, the delivery of one order line
// (packs, pieces, lot, its status) with the delivered EAN made known for the
// article, the exclusion of a line, leaving and deleting an order, and the
// lines of a label run. Every write of several rows is all or nothing.
#pragma once

#include "data/database.h"
#include "data/decimal.h"
#include "documents/epl2_labels.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace documents {

// ---------------------------------------------------------------------------
// Scans of delivered articles.

// The EAN a scan carries by its length: 14 characters lose their first (a
// carton's packaging digit), a longer scan is read from its fourth character
// (the 16 characters of "01" and a 14-digit code give the 13 after "01" and
// the packaging digit); anything shorter is taken as it stands.
QString eanOfScan(const QString& scanned);

// An in-store code (beginning with "2") stands for its article whatever the
// weight it carries: its first six characters followed by seven zeros, as the
// code is known in `codean`. Any other EAN is returned as it is.
QString inStoreArticleEan(const QString& ean);

// What the order screen seeks for a scan: a scan of 14 characters or more by
// eanOfScan, an in-store code by inStoreArticleEan, any other as typed.
QString orderScanEan(const QString& scanned);

// The weight an in-store code carries: its characters 8 and 9 are whole
// kilograms, 10 to 12 grams ("2100001012503" weighs 1,250). nullopt when the
// code does not begin with "2", those five characters are not all digits, or
// the weight is 0.
std::optional<data::Decimal> inStoreWeight(const QString& scanned);

// ---------------------------------------------------------------------------
// Quantities typed on the line screen.

// The ordered quantity field before it is read: each "." among its first 15
// characters becomes "," (the handheld's keypad has only the point), and the
// field is those 15 characters, padded with blanks ("2.5" gives "2,5" and
// twelve blanks).
QString decimalCommaField(const QString& text);

// "Conferma" refuses an ordered quantity of this or more; Enter refuses one of
// articles::kQuantityLimit (999999) or more.
inline constexpr double kConfirmQuantityLimit = 99999;

// A delivered quantity or pack count as typed: a decimal comma or point,
// blanks around ("36", "2,5", "2.5"). nullopt when the text is no number;
// rounded to the gram.
std::optional<data::Decimal> deliveredNumber(const QString& text);

// ---------------------------------------------------------------------------
// The lines and the header of an order (work database).

struct OrderLineKey {
    std::int32_t year = 0;   // bannoc
    std::int32_t number = 0; // bnumer
    std::int16_t line = 0;   // bns
};

// The query of one order line: every field of the line.
QString orderLineQuery(const OrderLineKey& key);

// What the operator recorded for a delivered line.
struct Delivery {
    QString ean;                         // the EAN of the line screen, written to the line
    std::int32_t articleCode = 0;        // the line's article, for a new EAN row
    QString lot;                         // the supplier's lot
    std::optional<data::Decimal> packs;  // delivered packs; none: Null
    std::optional<data::Decimal> pieces; // delivered quantity; none: Null
};

enum class LineOutcome { Done, LineMissing };

// Records the delivery on the line (status "C", lot, EAN, packs and pieces
// delivered; storing again overwrites them) and, when the delivered EAN is not
// in `codean`, adds it for the article (an in-store code as
// inStoreArticleEan gives it). All or nothing. A line that is no longer there
// (deleted meanwhile on another handheld) changes nothing and is LineMissing.
// A blank EAN or an article code of 0 adds no EAN row.
data::Error storeDelivery(const data::Database& work, const OrderLineKey& key, const Delivery& d,
                          LineOutcome* outcome);

// Excludes the line from the receipt: status "E"; the line stays in the order.
data::Error excludeLine(const data::Database& work, const OrderLineKey& key, LineOutcome* outcome);

// Whether the order header is in `testao`.
bool orderExists(const data::Database& work, std::int32_t year, std::int32_t number, data::Error* error);

// Leaving an order: a header in status "A" goes back to open (one blank); any
// other status stays. False when the header is not there.
bool leaveOrder(const data::Database& work, std::int32_t year, std::int32_t number, data::Error* error);

// Deletes the order, header and every line, all or nothing, when it has lines;
// an order without lines is not touched. The number of lines deleted.
data::Error deleteOrder(const data::Database& work, std::int32_t year, std::int32_t number,
                        int* linesDeleted);

// ---------------------------------------------------------------------------
// Labels.

// The lines of a label run, in the order of `linesQuery` (the order screen's
// grid: columns Ns, Ean, bnumer, collic and articoli), each with the
// description of its article in `articoli` (sought by article code), none when
// the article is not there.
std::vector<LabelLine> labelLines(const data::Database& work, const QString& linesQuery, data::Error* error);

} // namespace documents
