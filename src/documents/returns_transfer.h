// The returns confirmation: the return lines (`resi`) become a supplier return
// note ("DDTRESFOR"): either a new note (header `reste` open, lines `resmo`),
// which records the returned quantities on the article master data (`qres`,
// `qgia`, `valgia` on the price list; `eres`, `egia` on the EAN), or lines
// added to the supplier's open note, merged by EAN, which record the last
// return on the price list (`colliuo`, `datauo`) and move no stock. The
// numbering code is the one `tipodoc` gives "DDTRESFOR"; the first free number
// comes from `reste`.
//
// Each is one transaction: a failure, or the program killed halfway, leaves
// `resi`, `reste`, `resmo`, `listi01`, `codean` and `numeri` as they were.
#pragma once

#include "documents/document_lines.h"
#include "state/shared_state.h"

#include <QDate>
#include <functional>

namespace documents {

// A new note under the shared document year and number, dated `documentDate`;
// without `writeHeader` the lines go under the number with no header and
// `numeri` is left alone. Sets the shared document type "DDTRESFOR", the user
// code 1 and the numbering code of `tipodoc` (kept when there is none).
ConfirmResult confirmReturnNote(const data::Database& work, state::SharedState& s, const QDate& today,
                                const QDate& documentDate, bool writeHeader,
                                const LineProgress& afterLine = {});

// Adds the lines to the open note of the shared document year and number, of
// the shared supplier: a line whose EAN the note has adds its packages to that
// line; the others follow the note's last line. A note registered (or gone)
// since the dialog opened takes nothing: `refusal` says so.
ConfirmResult appendToReturnNote(const data::Database& work, state::SharedState& s, const QDate& today,
                                 const LineProgress& afterLine = {});

} // namespace documents
