// Units and colours of the screens: positions in twips (1440 to the inch) and
// colours as the desktop toolkit wrote them (0x00BBGGRR, or system colours
// 0x800000nn).
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

namespace ui {

inline constexpr int kTwipsPerPixel = 15; // 96 dots per inch

constexpr int twips(int t) {
    return t / kTwipsPerPixel;
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Where a control stands, as the screen descriptions give it: left, top,
// width and height in twips.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Places a control by twips.
void place(QWidget* w, const Twips& at);
inline void place(QWidget* w, int left, int top, int width, int height) {
    place(w, Twips{left, top, width, height});
}

// Colour values of the screens.
inline constexpr quint32 kFocusYellow = 0xFFFF;          // the field or button that has the focus
inline constexpr quint32 kWindowBackground = 0x80000005; // normal colour of entry fields
inline constexpr quint32 kActiveBorder = 0x8000000A;     // normal colour of the confirm button
inline constexpr quint32 kButtonFace = 0x8000000F;       // a button without a colour of its own

QColor color(quint32 value);
inline QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Background colour of a text box or button, as the screens set and tests read it.
void setBackground(QWidget* w, const QColor& c);
QColor background(const QWidget* w);

} // namespace ui
