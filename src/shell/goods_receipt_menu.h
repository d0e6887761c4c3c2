// The goods receipt menu `tarvo01b`: the operator, the entry and the list of
// the received lines, their confirmation and their deletion.
#pragma once

#include "shell/menu_screen.h"

namespace shell {

class GoodsReceiptMenu final : public MenuScreen {
    Q_OBJECT
public:
    explicit GoodsReceiptMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command3_Click(); // Cancello Carico

    QLineEdit* operw;
};

} // namespace shell
