#include "ui/toolkit.h"

#include <QPalette>
#include <QPushButton>

namespace ui {

void place(QWidget* w, const Twips& at) {
    w->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
}

QColor color(quint32 value) {
    if (value & 0x80000000u) {
        switch (value & 0xFF) {
        case 0x05:
            return QColor(Qt::white); // window background
        case 0x0A:
            return QColor(0xB4, 0xB4, 0xB4); // active border
        case 0x0F:
            return QColor(0xF0, 0xF0, 0xF0); // button face
        default:
            return QColor(0xF0, 0xF0, 0xF0);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void setBackground(QWidget* w, const QColor& c) {
    // The background is a property of its own, so that tests can read it back
    // whatever the style draws. Setting the same colour again costs nothing.
    const QVariant old = w->property("marboBackground");
    if (old.isValid() && old.value<QColor>() == c)
        return;
    w->setProperty("marboBackground", c);
    if (qobject_cast<QPushButton*>(w)) {
        w->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid #555; }").arg(c.name()));
    } else {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, c);
        p.setColor(QPalette::Window, c);
        p.setColor(QPalette::Button, c);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
}

QColor background(const QWidget* w) {
    const QVariant v = w->property("marboBackground");
    if (v.isValid())
        return v.value<QColor>();
    return w->palette().color(QPalette::Base);
}

} // namespace ui
