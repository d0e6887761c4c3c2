// What went wrong in a database operation, as a value the screens turn into a
// message for the operator. No database error ends the program.
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
        Locked,       // another workstation holds the database
        NoCurrentRow, // read or write with no row found
        BadQuery,     // a query text this program cannot run
        Engine,       // anything else the engine reported
    };

    Kind kind = Kind::None;
    QString subject; // the file, table, field, index or value concerned
    QString detail;  // the engine's own text, for the store's IT person

    bool ok() const { return kind == Kind::None; }
    explicit operator bool() const { return !ok(); }

    // One Italian sentence for the operator's message box.
    QString message() const;

    static Error none() { return {}; }
    static Error make(Kind k, QString subject, QString detail = {}) {
        return Error{k, std::move(subject), std::move(detail)};
    }
};

} // namespace data
