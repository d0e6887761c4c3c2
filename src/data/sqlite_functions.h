// Functions this program adds to every SQLite connection.
#pragma once

struct sqlite3;

namespace data {

// Name of the collation of every text column: compares without regard to case
// (accented letters included) or to trailing blanks, as the desktop engine did.
inline constexpr const char* kTextCollation = "MARBO";

// Registers the text collation and a LIKE that folds the case of accented
// letters too. Returns an SQLite result code.
int registerSqliteFunctions(sqlite3* db);

} // namespace data
