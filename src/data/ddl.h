// Creating store databases from the table layouts. Used by the tools that make
// demo and benchmark stores and by the tests; the program never creates or
// alters tables in a store's files.
#pragma once

#include "data/database.h"
#include "data/schema.h"

namespace data {

// CREATE TABLE and CREATE INDEX statements of a table for an engine.
QStringList tableDdl(const schema::Table& t, Engine engine);

// Creates (or replaces) the database that a path names, with every table of
// the given files (schema::DbFile bits; 0 for none), and opens it.
Database createDatabase(Databases& dbs, const QString& programPath, unsigned files, Error* error = nullptr);

Error createTables(const Database& db, unsigned files);
Error createTable(const Database& db, const schema::Table& t);

} // namespace data
