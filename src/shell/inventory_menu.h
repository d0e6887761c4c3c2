// The inventory menu `tarvo04`: the operator, the entry and the list of the
// operator's lines, and the two panels that confirm the operator's inventory
// into a numbered document or delete its lines. The inventory number is taken
// when the menu opens.
#pragma once

#include "shell/menu_screen.h"

#include <tuple>

class QFrame;
class QLabel;

namespace shell {

class InventoryMenu final : public MenuScreen {
    Q_OBJECT
public:
    explicit InventoryMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
    // True when the menu took an inventory number when it opened.
    bool numberTaken() const { return numberTaken_; }

private:
    void Command10_Click(); // CONFERMA INVENTARIO
    void Command15_Click(); // CANCELLA INVENTARIO
    // The operator of the panels: no message, the focus goes to the field.
    std::optional<std::int16_t> panelOperator();
    // A panel of the menu: its title, the button that does what it says,
    // "USCITA" that hides the panel, and the label saying what was done.
    struct PanelNames {
        const char* frame;
        const char* action;
        const char* back;
        const char* outcome;
    };
    std::tuple<QFrame*, QPushButton*, QLabel*> actionPanel(const PanelNames& names, const QString& action,
                                                           const QColor& colour);

    QLineEdit* operw;
    QPushButton* Command3;
    QFrame* Frame1;
    QPushButton* Command10;
    QLabel* Label2;
    QFrame* Frame2;
    QPushButton* Command15;
    QLabel* Label3;
    bool numberTaken_ = false;
};

} // namespace shell
