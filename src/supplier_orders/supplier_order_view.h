// The order screen `lumo10`: the lines of one supplier order while its goods
// are received. A scan of a delivered article opens its line in the line
// screen `lumo09`; from here the operator prints a label for every delivered
// pack, closes or deletes the order, or leaves it.
#pragma once

#include "ui/screen.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
}

namespace supplier_orders {

// The lines query of an order: the fixed part, then the sort.
struct OrderLinesQuery {
    static QString head(std::int32_t number, std::int32_t year);
    // Grouped by status, then by description.
    static QString byStatus(std::int32_t number, std::int32_t year);
    // By description; direction "DESC" or "ASC ".
    static QString byDescription(std::int32_t number, std::int32_t year, const QString& direction);
};

class SupplierOrderView final : public ui::Screen {
    Q_OBJECT
public:
    explicit SupplierOrderView(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void ord_Click(int row, int col);
    void eanw_Enter();
    void Command5_Click(); // open the selected line
    void Command3_Click(); // print the labels
    void Command2_Click(); // close the order
    void Command4_Click(); // delete the order
    void Command1_Click(); // leave

    void show(const QString& query);
    void vedo();
    // Opens the line screen on the shared last line; a weight read from an
    // in-store code is proposed there as the delivered quantity.
    void openLine(const QString& proposedQuantity = {});
    void backToList();
    bool hasLines() const;

    QLineEdit* numerow;
    QLineEdit* descliw;
    QLineEdit* sedew;
    QLineEdit* eanw;
    ui::DataGrid* ord;
    QPushButton* Command5;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command1;

    // The order the screen opened on.
    std::int32_t number_ = 0;
    std::int32_t year_ = 0;
};

} // namespace supplier_orders
