#include "ui/screen.h"

#include "ui/messages.h"
#include "ui/toolkit.h"

#include <QCloseEvent>

namespace ui {

Screen::Screen(const QString& name, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , s_(services) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
}

void Screen::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    if (e->isAccepted())
        closed_ = true;
}

void Screen::setInnerSize(int w, int h) {
    setFixedSize(twips(w), twips(h));
}

void Screen::setWindowColour(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    setAutoFillBackground(true);
}

bool Screen::reportError(const data::Error& e) {
    if (e.ok())
        return false;
    s_.messages.show({e.message(), QStringLiteral("Archivio dati"), Message::Icon::Critical,
                      Message::Buttons::Ok, Message::Answer::Ok},
                     this);
    return true;
}

} // namespace ui
