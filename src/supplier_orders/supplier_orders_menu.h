// The supplier orders menu `lumo07` of the supplier chosen in "ALTRI": the
// orders in progress, to receive their goods, and a new order.
#pragma once

#include "ui/screen.h"

class QLineEdit;

namespace supplier_orders {

class SupplierOrdersMenu final : public ui::Screen {
    Q_OBJECT
public:
    explicit SupplierOrdersMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QLineEdit* opew;
};

} // namespace supplier_orders
