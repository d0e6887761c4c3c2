// The supplier orders list `lumo08`: the open orders of the chosen supplier,
// a search by supplier name over every supplier, a sort by supplier name, and
// "Vedo articolo" opening the chosen order in the order screen `lumo10`.
#pragma once

#include "ui/screen.h"

class QLineEdit;
class QPushButton;

namespace ui {
class DataGrid;
}

namespace supplier_orders {

// The queries of the list.
struct OrdersListQuery {
    static QString head();
    // The open orders of one supplier, by number.
    static QString opening(std::int16_t supplierCode);
    // The open orders of every supplier whose name sorts at or after the text.
    static QString search(const QString& typed);
    // Every order, closed ones too, by supplier name; direction "DESC" or "ASC ".
    static QString sorted(const QString& direction);
};

class SupplierOrdersList final : public ui::Screen {
    Q_OBJECT
public:
    explicit SupplierOrdersList(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void ricw_Change();
    void ord_Click(int row, int col);
    void Command5_Click(); // Vedo articolo

    void show(const QString& query);
    void vedo();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* ricw;
    ui::DataGrid* ord;
    QPushButton* Command5;
    QPushButton* Command1;
    QLineEdit* totqw;
    QLineEdit* girow;
};

} // namespace supplier_orders
