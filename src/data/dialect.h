// Translation of the screens' query texts, written in the desktop database's
// dialect, into SQL for SQLite or PostgreSQL.
//
// The translator reads the text token by token: square-bracketed names become
// quoted identifiers, aliases name output columns and keep their case (grid
// headers show them; an ORDER BY may name them, a WHERE names columns), `like`
// patterns with `*` and `?` become LIKE patterns, `&` joins texts, `TOP n`
// becomes LIMIT, an ascending ORDER BY puts Nulls first on every engine, the
// text of trim() and its kin compares as a text key, and every literal (single- or double-quoted text,
// #date#) is taken out of the text and bound as a value, so nothing the operator typed can become SQL syntax.
// Text literals lose their trailing blanks: text keys compare without regard to trailing blanks, as a padded
// code must find the stored one.
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
    QStringList aliases;       // the output names given with "as", in their case
    Error error;
};

// `fieldNames` are the names of the rows a criterion applies to (a find in a
// query's rows): a name equal to one of them, ignoring case, stands for it.
// `criterionTable` is the table whose columns such a criterion names.
Translated translate(const QString& desktopSql, Engine engine, const QStringList& fieldNames = {},
                     const QString& criterionTable = {});

// A text value written as a quoted literal for a query text ('O''Brien').
QString quoted(const QString& value);

// A Jet `like` pattern (`*`, `?`) as an SQL LIKE pattern with '\' as escape.
QString likePattern(const QString& desktopPattern);

// Identifier quoted for SQL.
QString ident(const QString& name);

} // namespace data
