// The supplier documents menu `tarvof` of the supplier chosen in "ALTRI":
// supplier order, returns and goods receipt.
#pragma once

#include "shell/menu_screen.h"

class QLabel;

namespace shell {

class SupplierDocumentsMenu final : public MenuScreen {
    Q_OBJECT
public:
    explicit SupplierDocumentsMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command5_Click(); // Uscita

    QLabel* Label1;
};

} // namespace shell
