// The working lines of the returns (`resi`) and of the supplier orders (the
// rows of `ordine` without an order type): one line per EAN, no operator. A
// store sets the packages of the EAN's line, replacing what it held, and the
// pieces as pieces per package times packages.
//
// An article entered by its code alone is stored under its first EAN when it
// has one, so it is the same line as a scan of that EAN; one without any EAN
// keeps a blank EAN and is told apart by its article code. Two articles never
// share a line.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"

#include <optional>

namespace documents {

struct QuantityFirstTable {
    QString table;
    // The condition that makes a row of the table one of these lines (empty:
    // every row). The department orders share `ordine`; their lines carry an
    // order type and are never touched here.
    QString linesFilter;

    static QuantityFirstTable returns();
    static QuantityFirstTable supplierOrder();

    // " WHERE <filter>" or nothing.
    QString onlyLines() const;
};

// Which line an EAN or an article code stands for.
struct LineKey {
    QString ean;           // 13 characters, or blank
    std::int32_t code = 0; // tells the lines without an EAN apart

    bool hasEan() const { return !ean.trimmed().isEmpty(); }
    QString criterion() const; // "eanrig = '...'" or the blank EAN and the code
};

// The key of the line of a scan: its EAN; without one, the first EAN of the
// article code, or the code alone when the article has no EAN row.
std::optional<LineKey> lineKeyOf(const data::Database& work, const QString& ean, std::int32_t code,
                                 data::Error* error);

// The packages on the line of a key; nullopt for no line, or a Null count.
std::optional<data::Decimal> storedPackages(const data::Database& work, const QuantityFirstTable& t,
                                            const LineKey& key, data::Error* error = nullptr);

// One store: the article, the key of its line, the description as shown and
// the packages.
struct QuantityFirstScan {
    std::int32_t code = 0;
    LineKey key;
    QString description;
    data::Decimal packages;
};

// Sets the line of the key in one write under that key, or creates it with
// the article code and the key's EAN; the article fields come from its
// price-list row in the work database, the supplier from the shared state.
data::Error storeQuantityFirstLine(const data::Database& work, const QuantityFirstTable& t,
                                   const state::SharedState& s, const QuantityFirstScan& scan);

// Deletes the line of the key; no such line is no error.
data::Error deleteQuantityFirstLine(const data::Database& work, const QuantityFirstTable& t,
                                    const LineKey& key);

} // namespace documents
