#include "ui/data_grid.h"

#include "ui/toolkit.h"

#include <QHeaderView>
#include <limits>

namespace ui {

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent)
    , model_(new data::TableModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(twips(240));
    // Column widths come in twips from the screens and may be narrower than the style's minimum.
    horizontalHeader()->setMinimumSectionSize(0);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) {
        mouseRow_ = i.row() + 1;
        mouseCol_ = i.column() + 1;
        emit cellClicked(mouseRow_, mouseCol_);
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        mouseRow_ = 0;
        mouseCol_ = section + 1;
        emit cellClicked(0, mouseCol_);
    });
}

data::Error DataGrid::setQuery(const data::Database& db, const QString& desktopSql) {
    return model_->setDesktopQuery(db, desktopSql);
}

data::Error DataGrid::refresh() {
    return model_->refresh();
}

int DataGrid::rows() const {
    // Every row of the query, not only the ones fetched so far.
    fetchUpTo(std::numeric_limits<int>::max());
    return model_->rowCount() + 1;
}

void DataGrid::fetchUpTo(int row) const {
    // Stops as soon as a fetch brings nothing new, so a grid whose query failed
    // or was never set cannot keep asking for more.
    while (row > model_->rowCount() && model_->canFetchMore()) {
        const int before = model_->rowCount();
        model_->fetchMore();
        if (model_->rowCount() == before)
            break;
    }
}

int DataGrid::cols() const {
    return model_->columnCount() + 1;
}

QString DataGrid::textMatrix(int row, int col) const {
    if (col <= 0)
        return {};
    if (row <= 0)
        return model_->headerData(col - 1, Qt::Horizontal).toString();
    fetchUpTo(row);
    return model_->index(row - 1, col - 1).data().toString();
}

int DataGrid::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void DataGrid::setCurrentRow(int row) {
    if (row >= 1)
        setCurrentIndex(model_->index(row - 1, 0));
}

void DataGrid::setColWidth(int col, int widthTwips) {
    if (col == 0) {
        verticalHeader()->setVisible(widthTwips > 0);
        verticalHeader()->setFixedWidth(twips(widthTwips));
        return;
    }
    if (widthTwips <= 0)
        setColumnHidden(col - 1, true);
    else {
        setColumnHidden(col - 1, false);
        setColumnWidth(col - 1, twips(widthTwips));
    }
}

int DataGrid::colWidth(int col) const {
    if (col == 0)
        return verticalHeader()->isVisible() ? verticalHeader()->width() * kTwipsPerPixel : 0;
    return isColumnHidden(col - 1) ? 0 : columnWidth(col - 1) * kTwipsPerPixel;
}

void DataGrid::clickCell(int row, int col) {
    mouseRow_ = row;
    mouseCol_ = col;
    if (row >= 1)
        setCurrentRow(row);
    emit cellClicked(row, col);
}

} // namespace ui
