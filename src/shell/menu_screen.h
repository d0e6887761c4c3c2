// What the section menus share: the font rule of their buttons, the operator
// check of the menus with an operator field, and emptying a working table.
#pragma once

#include "ui/screen.h"
#include "ui/toolkit.h"

#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;

namespace shell {

class MenuScreen : public ui::Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    // A menu button (on the menu, or on one of its panels): the caption in 16
    // points on the tall buttons, in 11 on the others.
    QPushButton* menuButton(const char* name, const QString& caption, const QColor& colour,
                            const ui::Twips& at, QWidget* parent = nullptr);
    // The operator number of the operator field; nullopt after the message
    // asking for it, the focus back in the field.
    std::optional<std::int16_t> checkedOperator(QLineEdit* operw);
    // The button opens the screen once the operator field holds an operator,
    // who becomes the shared operator.
    void opensWithOperator(QPushButton* button, QLineEdit* operw, const QString& screen);
    // Empties a working table of the work database, all lines or none.
    void deleteAll(const QString& table);
    // The same after a critical question answered Yes (No is the default).
    void askToDeleteAll(const QString& question, const QString& title, const QString& table);
};

} // namespace shell
