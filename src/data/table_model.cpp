#include "data/table_model.h"

#include "data/connection.h"
#include "data/decimal.h"
#include "data/dialect.h"

#include <QDate>
#include <QLocale>
#include <QSqlRecord>

namespace data {

TableModel::TableModel(QObject* parent)
    : QSqlQueryModel(parent) {}

Error TableModel::setDesktopQuery(const Database& db, const QString& desktopSql) {
    db_ = db;
    text_ = desktopSql;
    return refresh();
}

Error TableModel::refresh() {
    if (!db_.ok()) {
        clear();
        return db_.error();
    }
    const Translated t = translate(text_, db_.engine());
    if (t.error) {
        clear();
        return t.error.in(db_.location().path);
    }
    auto* conn = db_.connection().get();
    QSqlQuery q(conn->engine->gridConnection(*conn));
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    Error e;
    if (!conn->runOwn(q, t.sql, t.values, &e)) {
        clear();
        return e;
    }
    setQuery(std::move(q));
    // The row identity is not for the eyes of the operator.
    const int rid = record().indexOf(QLatin1String(schema::kRowId));
    if (rid >= 0)
        removeColumns(rid, 1);
    return {};
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    const QVariant v = QSqlQueryModel::data(index, role);
    if (role != Qt::DisplayRole || v.isNull())
        return v;
    // Dates and numbers as the store's regional settings show them, as the
    // screens do: "10/12/2026", "0,5" (no binary residue, no grouping).
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        if (const auto d = Decimal::fromDouble(v.toDouble()))
            return d->toItalian();
        QLocale italian(QLocale::Italian);
        italian.setNumberOptions(QLocale::OmitGroupSeparator);
        return italian.toString(v.toDouble(), 'g', 15);
    }
    return v;
}

} // namespace data
