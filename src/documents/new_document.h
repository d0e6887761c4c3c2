// The steps every confirmation that writes a new numbered document shares
// (goods receipt, supplier order, supplier return note), in one transaction:
// the number checked against the year's headers (a number another workstation
// took meanwhile moves the document to the next free one, with a notice), the
// working lines taken, the header, one document line per working line with
// packages, numbered from 1. Each document kind states its header and its line.
#pragma once

#include "documents/document_lines.h"
#include "state/shared_state.h"

#include <functional>

namespace documents {

struct NewDocument {
    // The headers of the year, keyed by `anno` and `numero`.
    QString headerTable;
    // The notice when the number was taken: %1 the number asked, %2 the one used.
    QString numberTakenNotice;
    // False: the lines go under the number without a header and without the
    // number check (the "Primo Libero" box unticked).
    bool writeHeader = true;
    // The working lines taken (see takeWorkingLines).
    QString workingTable;
    QString condition;
    QVariantList values;
    // Other keys the transaction holds (the stock counters of the articles).
    std::vector<std::pair<QString, QVariantList>> locks;
    // Writes the header under the number and moves its numbering series.
    std::function<data::Error(std::int32_t number)> header;
    // Writes the document line `bns` of a working line with packages.
    std::function<data::Error(const WorkingLine& line, std::int32_t number, std::int16_t bns)> line;
    // Optional: runs once before the first line with the lines taken (to read
    // their articles at once), and once after the last line (to send the
    // writes a line left waiting); either failing fails the document.
    std::function<data::Error(const std::vector<WorkingLine>& lines)> beforeLines;
    std::function<data::Error()> afterLines;
    // Runs for each working line taken (the dialog's progress).
    LineProgress afterLine;
};

// Writes the document under the shared document year and number; on success
// the shared document number is the number used and the shared last line
// number the last line written.
ConfirmResult writeNewDocument(const data::Database& db, state::SharedState& s, const NewDocument& d);

// The stock counters of a price-list row or of an EAN, as read, and as moved by
// the lines of a document.
struct ArticleStock {
    data::Decimal qinv, qacq, qres, qven, cosmp; // read
    data::Decimal qgia, valgia;                  // after a move
};
struct EanStock {
    data::Decimal einv, eacq, eres, even; // read
    data::Decimal egia;                   // after a move
};

// The stock counters an article's document line moves.
enum class StockMove {
    Received, // qacq on the price list, eacq on the EAN
    Returned, // qres, eres
};

// On the price-list row being edited: the purchased or returned quantity moved
// by `pieces`, the stock `qgia` = `qinv` + `qacq` - `qres` - `qven` and its
// value `valgia` = `qgia` x `cosmp` rounded to cents (an exact half to the
// even cent). Call under the stock lock (kStockLock), which makes the read of
// the row and its write one step.
data::Error moveArticleStock(data::Table& listi01, StockMove move, data::Decimal pieces);
// The same on counters held in memory (rows read at once, written back at once).
data::Error moveArticleStock(ArticleStock& stock, StockMove move, data::Decimal pieces);
// On the EAN row being edited: `eacq` or `eres` moved, `egia` = `eacq` +
// `einv` - `eres` - `even`.
data::Error moveEanStock(data::Table& codean, StockMove move, data::Decimal pieces);
data::Error moveEanStock(EanStock& stock, StockMove move, data::Decimal pieces);

// The fields of a goods receipt or supplier order line (`ordinif`, `ordini`),
// in the order the transfers write them.
QStringList documentLineFields();

// The key that the confirmations moving stock counters hold: one at a time.
inline const std::pair<QString, QVariantList> kStockLock{QStringLiteral("listi01"), {}};

} // namespace documents
