// Functions this program adds to every SQLite connection.
#pragma once

struct sqlite3;

namespace data {

// Name of the collation of every text column: compares without regard to case
// (accented letters included) or to trailing blanks, as the desktop engine did.
inline constexpr const char* kTextCollation = "MARBO";

// The text of the error an exact addition gives when its result cannot be held.
inline constexpr const char* kOutOfRange = "marbo: valore fuori intervallo";

// Registers on a connection:
// - the text collation and a LIKE that folds the case of accented letters too;
// - marbo_add(x, y, d): x + y exactly, rounded to d decimals (half to even), a
//   Null x counting as 0, as the double nearest to the decimal result;
// - sum(x) that adds exactly: whole numbers give a whole number; any real
//   value is taken as the decimal it stands for at four places (the finest of
//   the exact fields) and the total is the double nearest to the exact sum, so
//   a list's total carries no binary residue.
// Returns an SQLite result code.
int registerSqliteFunctions(sqlite3* db);

} // namespace data
