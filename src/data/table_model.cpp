#include "data/table_model.h"

#include "data/connection.h"
#include "data/dialect.h"

#include <QDate>
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
        return t.error;
    }
    QSqlQuery q(db_.sql());
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.prepare(t.sql)) {
        const Error e = db_.connection()->classify(q.lastError(), text_.left(120));
        clear();
        return e;
    }
    for (int i = 0; i < t.values.size(); ++i)
        q.bindValue(i, t.values.at(i));
    if (!q.exec()) {
        const Error e = db_.connection()->classify(q.lastError(), text_.left(120));
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
    // Dates as the store's regional settings show them.
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    return v;
}

} // namespace data
