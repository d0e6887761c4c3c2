// The orders menu `tarvo01` of a department: entry, list, confirmation and
// deletion of the order lines, coloured and titled by the shared department.
#pragma once

#include "shell/menu_screen.h"

#include <QList>

class QFrame;

namespace shell {

class OrderMenu final : public MenuScreen {
    Q_OBJECT
public:
    explicit OrderMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command3_Click(); // Cancello Ordine: the deletion panel
    void Command7_Click(); // CONFERMA CANCELLAZIONE

    QPushButton* Command1;
    QList<QPushButton*> functionButtons_;
    QFrame* Frame1;
};

} // namespace shell
