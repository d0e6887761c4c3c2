// The department choice `MainOrd`: each department button stores its code in
// the shared state and opens the orders menu.
#pragma once

#include "shell/menu_screen.h"

namespace shell {

class DepartmentMenu final : public MenuScreen {
    Q_OBJECT
public:
    explicit DepartmentMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
};

} // namespace shell
