#include "shell/department_menu.h"

#include "state/shared_state.h"
#include "ui/screen_registry.h"

#include <QPushButton>

namespace shell {

using ui::rgb;

DepartmentMenu::DepartmentMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("MainOrd"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Ordini"));
    setInnerSize(9045, 11490);
    setWindowColour(rgb(192, 192, 255));
    menuButton("Command1", QStringLiteral("GESTIONE ORDINI"), rgb(255, 128, 0), {120, 960, 8775, 1095});
    struct Dept {
        const char* name;
        const char* caption;
        QColor colour;
        int top;
        const char* code;
    };
    const Dept depts[] = {{"Command12", "SECCHI", rgb(255, 224, 192), 2280, "T"},
                          {"Command13", "FRESCHI", rgb(255, 255, 128), 4080, "M"},
                          {"Command2", "NO FOOD", rgb(128, 255, 128), 5880, "O"},
                          {"Command3", "SURGELATI", rgb(192, 255, 255), 7680, "S"}};
    for (const Dept& d : depts) {
        QPushButton* b =
            menuButton(d.name, QString::fromLatin1(d.caption), d.colour, {120, d.top, 8775, 1575});
        const QString code = QString::fromLatin1(d.code);
        b->setEnabled(registry().has(QStringLiteral("tarvo01")));
        connect(b, &QPushButton::clicked, this, [this, code] {
            state().department = code;
            registry().open(QStringLiteral("tarvo01"));
        });
    }
    QPushButton* exit =
        menuButton("Command5", QStringLiteral("USCITA"), rgb(255, 192, 192), {120, 9720, 8775, 1095});
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void DepartmentMenu::Form_Load() {
    state().userCode = 1;
}

} // namespace shell
