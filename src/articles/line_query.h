// A query over one table of working lines, kept as its table and condition:
// the lines themselves and the total of a quantity over the same lines are
// both built from it, instead of a total made by cutting a query text apart.
#pragma once

#include <QString>

namespace articles {

struct LineQuery {
    QString table;
    QString condition; // with its WHERE (" WHERE oper =3"), or empty for every line

    // "SELECT * FROM inventario WHERE oper =3"
    QString rows() const;
    // "SELECT sum([colli]) as Tot FROM inventario WHERE oper =3": one row, the
    // total in its first column (Null when there are no lines).
    QString total(const QString& quantityField) const;

    friend bool operator==(const LineQuery&, const LineQuery&) = default;
};

} // namespace articles
