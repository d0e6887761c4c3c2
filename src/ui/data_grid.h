// A grid bound to a query, as the screens use it: a fixed column 0 and a header
// row 0, so that the query's columns are 1..n and its rows 1..m; cell text by
// row and column, the current row, the row under the mouse at a click, and
// column widths in twips.
#pragma once

#include "data/database.h"
#include "data/table_model.h"

#include <QTableView>

namespace ui {

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    // Binds the grid to a query text (desktop dialect) on a database.
    data::Error setQuery(const data::Database& db, const QString& desktopSql);
    data::Error refresh();
    data::TableModel* dataModel() const { return model_; }

    // Rows and columns counted as the screens count them (header row and
    // fixed column included).
    int rows() const;
    int cols() const;
    QString textMatrix(int row, int col) const;
    int currentRow() const;
    void setCurrentRow(int row);
    // The row under the mouse at the last click (0 for the header row).
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }
    void setColWidth(int col, int widthTwips);
    int colWidth(int col) const;

    // Clicks a cell as the operator would (row 0 is the header row).
    void clickCell(int row, int col);

signals:
    // A click on a cell or on the header row.
    void cellClicked(int row, int col);

private:
    void fetchUpTo(int row) const;
    data::TableModel* model_;
    int mouseRow_ = 0;
    int mouseCol_ = 0;
};

} // namespace ui
