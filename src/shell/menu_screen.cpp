#include "shell/menu_screen.h"

#include "articles/entry_rules.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QLineEdit>
#include <QPushButton>

namespace shell {

QPushButton* MenuScreen::menuButton(const char* name, const QString& caption, const QColor& colour,
                                    const ui::Twips& at, QWidget* parent) {
    return ui::button(parent ? parent : this, name, caption, colour, at,
                      at.height >= 1000 ? ui::kLargeCaption : ui::kCaption);
}

std::optional<std::int16_t> MenuScreen::checkedOperator(QLineEdit* operw) {
    const auto op = articles::operatorNumber(operw->text());
    if (!op) {
        messages().plain(QStringLiteral("Attenzione! Inserire il numero operatore 1,2,3 ecc.."), this);
        operw->setFocus();
    }
    return op;
}

void MenuScreen::opensWithOperator(QPushButton* button, QLineEdit* operw, const QString& screen) {
    button->setEnabled(registry().has(screen));
    connect(button, &QPushButton::clicked, this, [this, operw, screen] {
        if (const auto op = checkedOperator(operw)) {
            state().operatorNumber = *op;
            registry().open(screen);
        }
    });
}

void MenuScreen::deleteAll(const QString& table) {
    reportError(documents::deleteAllLines(workDb(), table));
}

void MenuScreen::askToDeleteAll(const QString& question, const QString& title, const QString& table) {
    if (messages().askCritical(question, title, this))
        deleteAll(table);
}

} // namespace shell
