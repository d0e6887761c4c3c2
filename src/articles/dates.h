// Dates typed in a date field, as the Italian regional settings read them:
// day, month and year ("10/12/2026", "1-2-26", "10.12.2026"), or the ISO
// writing ("2026-12-10"). A two-digit year below 30 is of this century, the
// others of the last one. Anything else, an impossible day included
// ("31/02/2026"), is no date.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace articles {

std::optional<QDate> dateReading(const QString& text);

// A date as the date fields show it: "10/12/2026".
QString dateText(const QDate& date);

} // namespace articles
