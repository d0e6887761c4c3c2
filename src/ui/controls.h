// One builder per kind of control. Each makes the control, gives it its name
// from the screen description (its objectName, by which menus, lists and tests
// find it), places it by twips and gives it the look the screens share, so a
// screen's constructor reads as the list of its controls and their positions.
#pragma once

#include "ui/toolkit.h"

#include <QColor>
#include <QStyle>
#include <functional>
#include <span>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QLineEdit;
class QPushButton;

namespace ui {

class DataGrid;

// The font of a caption: its size in points (0: the screen's own size) and
// weight.
struct Font {
    int points = 0;
    bool bold = false;
};
inline constexpr Font kScreenFont{};           // the screen's own font
inline constexpr Font kSmallFont{8, false};    // the small labels over the entry fields
inline constexpr Font kFieldFont{11, false};   // the entry fields
inline constexpr Font kCaption{11, true};      // the captions of the buttons
inline constexpr Font kLargeCaption{16, true}; // the captions of the tall menu buttons and the keys

// A button with a caption on a colour of its own (an invalid colour keeps the
// style's face).
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QColor& colour,
                    const Twips& at, Font font = kCaption);

// A button that shows a standard picture, with a tool tip that says what it does.
QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture, int pixels,
                           const QString& toolTip, const Twips& at);

// A caption label; `name` may be null for a label nobody looks for.
QLabel* label(QWidget* parent, const char* name, const QString& caption, const Twips& at,
              Font font = kScreenFont);

// A text field.
QLineEdit* field(QWidget* parent, const char* name, const Twips& at, Font font = kScreenFont);

// A check box with its caption.
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const Twips& at,
                    Font font = kScreenFont);

// A progress bar from 0 to `maximum`, without a text of its own.
QProgressBar* progressBar(QWidget* parent, const char* name, int maximum, const Twips& at);

// A panel: a framed area that the screen shows and hides as a whole; its
// controls are built with the panel as their parent, at twips inside it.
QFrame* panel(QWidget* parent, const char* name, const Twips& at);

// A label the operator clicks like a button: the "SI" and "NO" of the pop-ups.
QLabel* choice(QWidget* parent, const char* name, const QString& caption, const QColor& colour,
               const Twips& at, Font font, std::function<void()> clicked);

// A key of a keypad: its name, its caption, where it stands inside the keypad
// and its colour (invalid: the style's face).
struct Key {
    const char* name;
    const char* caption;
    int left;
    int top;
    QColor colour = {};
};

// A keypad: a coloured area of keys of one size. The keys never take the
// focus, so the field being typed keeps it; a key passes its caption to
// `pressed`.
QFrame* keypad(QWidget* parent, const char* name, const QColor& colour, const Twips& at,
               std::span<const Key> keys, int keyWidth, int keyHeight,
               std::function<void(const QString&)> pressed);

// A grid bound to a query (see DataGrid).
DataGrid* grid(QWidget* parent, const char* name, const Twips& at);

} // namespace ui
