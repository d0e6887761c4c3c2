// The article fields that a supplier-document working line copies from the
// price list (`listi01`) when it is stored: unit, price, pieces per package,
// VAT code and group. Shared by the goods receipt, returns and supplier order
// lines.
#pragma once

#include "data/database.h"

#include <QVariant>

namespace data {
class Recordset;
class Table;
} // namespace data

namespace documents {

struct LineArticle {
    QVariant unitam;  // listi01.umart
    QVariant prezzo;  // listi01.przart
    QVariant imballo; // listi01.imbart
    QVariant iva;     // listi01.ivart
    QVariant desgru;  // first 20 characters of listi01.desgru
    data::Decimal pack;

    // The price-list row of the code; an article without one gets blank texts
    // and 0, so its line is still written whole. nullopt on a database error.
    static std::optional<LineArticle> of(const data::Database& articles, std::int32_t code,
                                         data::Error* error);

    // Writes the five fields into the line being edited or added.
    void writeTo(data::Recordset& line) const;
    void writeTo(data::Table& line) const;
};

} // namespace documents
