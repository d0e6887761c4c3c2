// Document numbering: which series a document type uses (tipodoc), the last
// number of a series (numeri), and the write-back after a header is written.
#pragma once

#include "data/database.h"
#include "state/shared_state.h"

#include <optional>

namespace documents {

// The numbering code of the shared document type; nullopt when tipodoc has no
// such row (the shared numbering code is then left as it was).
std::optional<QString> numberingCode(const data::Database& db, const state::SharedState& s,
                                     data::Error* error = nullptr);

// The last number of the series (shared user code, numbering code, year).
std::optional<std::int32_t> lastNumber(const data::Database& db, const state::SharedState& s,
                                       data::Error* error = nullptr);

// Stores the document number as the series' last number, when the series row
// exists; nothing otherwise.
data::Error writeBackNumber(const data::Database& db, std::int16_t userCode, const QString& numberingCode,
                            std::int32_t year, std::int32_t number);

// The next inventory number, as the inventory menu takes it when it opens:
// the message to show when there is none (empty on success). A read that
// fails (a missing table or field) takes no number either: it is in `error`,
// and the text is empty.
QString takeInventoryNumber(const data::Database& db, state::SharedState& s, const QDate& today,
                            data::Error* error = nullptr);

} // namespace documents
