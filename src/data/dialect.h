// Translation of the screens' query texts, written in the desktop database's
// dialect, into SQL for SQLite or PostgreSQL.
//
// The translator reads the text token by token: square-bracketed names become
// quoted identifiers, aliases keep their case (grid headers show them), `like`
// patterns with `*` and `?` become LIKE patterns, `&` joins texts, `TOP n`
// becomes LIMIT, and every literal (single- or double-quoted text, #date#) is
// taken out of the text and bound as a value, so nothing the operator typed can
// become SQL syntax. Text literals lose their trailing blanks: text keys compare
// without regard to trailing blanks, as a padded code must find the stored one.
#pragma once

#include "data/error.h"
#include "data/location.h"

#include <QString>
#include <QVariantList>

namespace data {

struct Translated {
    QString sql;
    QVariantList values;       // bound in order, one per '?'
    QString table;             // the single table after FROM, when there is exactly one
    bool simpleSelect = false; // SELECT from one table, no grouping, joins or DISTINCT
    Error error;
};

Translated translate(const QString& desktopSql, Engine engine);

// A text value written as a quoted literal for a query text ('O''Brien').
QString quoted(const QString& value);

// A Jet `like` pattern (`*`, `?`) as an SQL LIKE pattern with '\' as escape.
QString likePattern(const QString& desktopPattern);

// Identifier quoted for SQL.
QString ident(const QString& name);

} // namespace data
