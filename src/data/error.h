// What went wrong in a database operation, as a value the screens turn into a
// message for the operator. No database error ends the program.
//
// message() is the one Italian sentence a message box shows: it names the
// archive as the program calls it ("c:\marbo\dati.mdb") and the table or field
// concerned, and says what went wrong. It never holds SQL or the engine's own
// (English) text: those go to `detail`, for the store's IT person.
#pragma once

#include <QString>

namespace data {

struct Error {
    enum class Kind {
        None,
        MissingFile,  // the database file (or server schema) is not there
        MissingTable, // no such table in the database
        MissingField, // no such field in the table or query
        MissingIndex, // no index of that name on the table
        BadValue,     // a value the column cannot hold
        Locked,       // another workstation holds the database: waited, then gave up
        NoCurrentRow, // read or write with no row found
        BadQuery,     // a query text this program cannot run
        Engine,       // anything else the engine reported
        Duplicate,    // a key already taken (often by another workstation just now)
        NotADatabase, // the file is there but is no database
        ReadOnly,     // the file (or the server) lets the program read, not write
        NoRights,     // no rights on the database, or on the folder that holds it
        Damaged,      // the database file is damaged or cannot be read
        Unreachable,  // the database server does not answer
    };

    Kind kind = Kind::None;
    QString subject; // the table, field ("table.field"), index or key concerned
    QString detail;  // the engine's own text and the statement, for the store's IT person
    QString archive; // the database as the program names it: "c:\marbo\dati.mdb"

    bool ok() const { return kind == Kind::None; }
    explicit operator bool() const { return !ok(); }

    // One Italian sentence for the operator's message box.
    QString message() const;

    static Error none() { return {}; }
    static Error make(Kind k, QString subject, QString detail = {}) {
        return Error{k, std::move(subject), std::move(detail), {}};
    }
    // The same error, naming the archive when it does not yet.
    Error in(const QString& archivePath) const {
        Error e = *this;
        if (e.archive.isEmpty())
            e.archive = archivePath;
        return e;
    }
};

} // namespace data
