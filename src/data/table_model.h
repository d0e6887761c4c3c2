// The rows of a query text for a grid: columns headed by their names or
// aliases, rows fetched as the grid scrolls, so a long list shows at once.
#pragma once

#include "data/database.h"

#include <QSqlQueryModel>

namespace data {

class TableModel : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit TableModel(QObject* parent = nullptr);

    // Runs the query text (desktop dialect) on the database; on failure the
    // model is empty and the error is returned.
    Error setDesktopQuery(const Database& db, const QString& desktopSql);
    // Runs the query in force again.
    Error refresh();
    const QString& desktopQuery() const { return text_; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    Database db_;
    QString text_;
};

} // namespace data
