// The line screen `lumo09`: what was delivered for one line of a supplier
// order, against what was ordered: the quantity and packs delivered, the
// supplier's lot, and the line's status ("C" delivered, "E" excluded). After a
// store or an exclusion the order screen opens afresh on the new status.
#pragma once

#include "documents/supplier_order_receipt.h"
#include "ui/screen.h"

class QLineEdit;
class QPushButton;

namespace supplier_orders {

class SupplierOrderLine final : public ui::Screen {
    Q_OBJECT
public:
    explicit SupplierOrderLine(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

    // The order screen proposes the weight of a scanned in-store code as the
    // delivered quantity.
    void proposeDelivered(const QString& quantity);

private:
    void collicw_Enter();
    void quantity_Enter(); // Enter in quanw or quanciw
    void Command5_Click(); // confirm
    void Command2_Click(); // exclude
    void carica();
    void chiaro();
    // The quantity message; the field is emptied and takes the focus.
    void refuse(QLineEdit* field);
    void normaliseOrdered();
    void reopenOrder();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* eanw;
    QLineEdit* codicew;
    QLineEdit* descrw;
    QLineEdit* imbw;
    QLineEdit* giacew;
    QLineEdit* lottofw;
    QLineEdit* quanw;
    QLineEdit* colliw;
    QLineEdit* quanciw;
    QLineEdit* collicw;
    QPushButton* Command5;
    QPushButton* Command2;
    QPushButton* Command1;

    // The line the screen opened on.
    documents::OrderLineKey key_;
};

} // namespace supplier_orders
