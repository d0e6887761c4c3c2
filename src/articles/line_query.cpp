#include "articles/line_query.h"

namespace articles {

QString LineQuery::rows() const {
    return QStringLiteral("SELECT * FROM ") + table + condition;
}

QString LineQuery::total(const QString& quantityField) const {
    return QStringLiteral("SELECT sum([%1]) as Tot FROM %2").arg(quantityField, table) + condition;
}

} // namespace articles
