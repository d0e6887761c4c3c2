// The returns menu `tarvo01r` and the supplier order menu `tarvo01f`: the
// same four buttons over their own working table; each Kind states what its
// menu changes.
#pragma once

#include "shell/menu_screen.h"

namespace shell {

class SupplierLinesMenu final : public MenuScreen {
    Q_OBJECT
public:
    struct Kind {
        QString name, title, listCaption, confirmCaption, eraseCaption;
        QString entry, list, confirm; // the screens its buttons open
        QString question, questionTitle;
        QString table; // the working lines that "Cancello" empties
    };
    static Kind returns();
    static Kind supplierOrder();

    SupplierLinesMenu(const Kind& kind, ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command3_Click(); // Cancello

    const Kind kind_;
};

} // namespace shell
