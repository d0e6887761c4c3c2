// Table layouts of the store-management databases as this program uses them.
// The tools and the tests create databases from these definitions; the program
// itself only reads them (to know which columns a named index covers and what
// kind of value each field holds).
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace data::schema {

enum class Kind {
    Text,    // text of at most `width` characters (0: long text)
    Int16,   // whole number, 16-bit
    Int32,   // whole number, 32-bit
    Number,  // quantity or counter, exact with three decimals (a weighed kilo to the gram)
    Money,   // amount, exact with four decimals
    Decimal, // decimal number (percentages), exact with four decimals
    Date,    // calendar date
    Time,    // time of day
};

struct Field {
    QString name;
    Kind kind = Kind::Text;
    int width = 0; // characters, for Text
};

// Decimal places a number field keeps exactly (0 for the other kinds): every
// value written is rounded to them, an exact half to the even neighbour, and
// every addition the program has the engine make on the field is too.
constexpr int decimals(Kind k) {
    return k == Kind::Number ? 3 : (k == Kind::Money || k == Kind::Decimal) ? 4 : 0;
}

struct Index {
    QString name;        // the name the screens choose it by ("primary", "keyean", ...)
    QStringList columns; // in key order
    bool unique = false;
    // The key is the text of its one column without leading and trailing
    // blanks, as the queries that compare trim(column) read it; such an index
    // serves those queries only, never a seek.
    bool trimmed = false;
};

// Which database file of a store holds the table. A table may live in several.
enum DbFile : unsigned {
    Settings = 1u << 0,   // \vesk\marbo.mdb
    StoreDb = 1u << 1,    // \marbo\dati.mdb
    WorkDb = 1u << 2,     // \marbo\bancacodean.mdb
    PriceCmpDb = 1u << 3, // C:\marbo\bancacodean.mdb (price comparison)
};

struct Table {
    QString name;
    unsigned files = 0; // DbFile bits
    std::vector<Field> fields;
    std::vector<Index> indexes;

    const Field* field(const QString& name) const;
    const Index* index(const QString& name) const;
};

// Every table the program reads or writes.
const std::vector<Table>& tables();
const Table* table(const QString& name);

// Name of the hidden row identity column that every table carries, so that a
// row found by a seek or a query can be edited or deleted exactly.
inline constexpr const char* kRowId = "marbo_rid";

} // namespace data::schema
