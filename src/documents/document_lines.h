// What the confirmations of the supplier documents and the order documents
// share: the working lines they take, the article data a document line copies,
// the 13-character EAN and the 16-bit line number of a document line, and the
// outcome a dialog reports to the operator.
#pragma once

#include "data/database.h"
#include "data/decimal.h"
#include "data/table.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace documents {

// The description of a document line whose article the price list (or the
// article table) does not know.
inline const QString kArticleNotFound = QStringLiteral("Articolo non Trovato !!!!!!!");

// The outcome of a confirmation. Whatever went wrong, nothing was written.
struct ConfirmResult {
    data::Error error;       // the confirmation was rolled back
    QString refusal;         // refused before anything was written: the message to show
    bool noLines = false;    // no working line to take: nothing written
    std::int32_t number = 0; // the document number written under
    QString notice;          // the number had been taken meanwhile: tell the operator
    bool headerWritten = false;
    int linesWritten = 0; // document lines added
    int linesMerged = 0;  // working lines added to a document line of the same article
    int linesTaken = 0;   // working lines removed, those of 0 packages included

    bool ok() const { return error.ok() && refusal.isEmpty(); }
};

// Runs once for each working line a confirmation takes, with the number of
// lines it takes in all: what a dialog's progress bar needs.
using LineProgress = std::function<void(int lines)>;

// A document numbers its lines in 16 bits: a confirmation that would give a
// line the number 32768 is refused as a whole.
inline constexpr std::int16_t kLastLineNumber = 32767;
QString tooManyLinesMessage();

// A working line as a confirmation takes it.
struct WorkingLine {
    qint64 rowId = 0;
    std::int32_t code = 0; // codcasa
    QString ean;           // eanrig as stored
    data::Decimal packs;   // colli (Null counts as 0)
    data::Decimal pieces;  // quantita (Null counts as 0)
};

// Removes the lines of a working table that match `condition` (native SQL
// after WHERE, with `values` bound; empty: every line) and returns them in the
// order they were stored. The lines taken are exactly the lines removed, so a
// line stored by a handheld meanwhile is either taken whole or left in place.
std::vector<WorkingLine> takeWorkingLines(const data::Database& db, const QString& table,
                                          const QString& condition, const QVariantList& values,
                                          data::Error* error);

// The EAN of a document line: the working line's EAN without trailing blanks,
// left-padded with zeros to 13 characters when shorter. A line without an EAN
// (an article entered by its code) keeps a blank EAN, never thirteen zeros.
QString documentEan(const QVariant& eanrig);

// A VAT rate text ("04", "10") as the whole number a document line holds; 0
// when it holds no number.
std::int16_t vatNumber(const QVariant& ivart);

// The article data a document line copies, from the price list `listi01` or
// the order article table `articolo` (the same field names); an article not
// found gives the placeholders: "Articolo non Trovato !!!!!!!", unit "00",
// pack, price and VAT 0, no group.
struct ArticleData {
    bool found = false;
    QString description = kArticleNotFound;
    QString unit = QStringLiteral("00");
    data::Decimal pack;
    data::Decimal price;
    std::int16_t vat = 0;
    QString group;
};

// Seeks the article code in `articles` (index "primary" chosen) and reads its
// data, the price from `priceField` ("przart" or "cofart"). A failed seek is
// reported in *error.
ArticleData readArticle(data::Table& articles, std::int32_t code, const QString& priceField,
                        data::Error* error);

// The rows of many article codes of the price list `listi01` (or `articolo`),
// read many codes to a statement: per code found, what readArticle reads, the
// row id and, with `stock`, the stock counters (ArticleStock's fields, read
// as exact decimals). A value no decimal can hold is reported in *error.
struct ArticleRow {
    ArticleData data;
    qint64 rowId = 0;
    data::Decimal qinv, qacq, qres, qven, cosmp;
};
std::map<std::int32_t, ArticleRow> readArticles(const data::Database& db, const QString& table,
                                                const std::vector<std::int32_t>& codes,
                                                const QString& priceField, bool stock, data::Error* error);

// The `codean` rows of many EANs (as documentEan gives them), read many to a
// statement: per EAN found (the key as eanKey gives it), the row id and the
// stock counters `einv`, `eacq`, `eres`, `even`.
struct EanRow {
    qint64 rowId = 0;
    data::Decimal einv, eacq, eres, even;
};
std::map<QString, EanRow> readEans(const data::Database& db, const std::vector<QString>& eans,
                                   data::Error* error);
// An EAN as `codean` keys compare it: no case, no trailing blanks.
QString eanKey(const QString& ean);

// A number read from the database as an exact decimal at `places`, Null
// counting as 0; nullopt for a value no decimal can hold (never taken as 0).
std::optional<data::Decimal> exactValue(const QVariant& v, int places);

// A number field of the current row as an exact decimal, Null counting as 0;
// a value no decimal can hold is reported (never taken as 0).
data::Decimal exactField(const data::Table& t, const QString& field, data::Error* error);

// Sets field = value on each pair and saves the row being edited or added.
data::Error saveRow(data::Table& t, std::initializer_list<std::pair<const char*, QVariant>> fields);

inline QVariant dec(data::Decimal d) {
    return QVariant::fromValue(d);
}

} // namespace documents
