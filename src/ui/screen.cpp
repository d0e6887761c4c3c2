#include "ui/screen.h"

#include "state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QAbstractButton>
#include <QCloseEvent>

namespace ui {

Screen::Screen(const QString& name, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , services_(services) {
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

data::Database Screen::database(const QString& path) const {
    return services_.dbs.open(path);
}

data::Database Screen::storeDb() const {
    return database(state().storeDbPath);
}

data::Database Screen::workDb() const {
    return database(state().workDbPath);
}

void Screen::opens(QAbstractButton* button, const QString& screen) {
    button->setEnabled(registry().has(screen));
    connect(button, &QAbstractButton::clicked, this, [this, screen] { registry().open(screen); });
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
    messages().show({e.message(), QStringLiteral("Archivio dati"), Message::Icon::Critical,
                     Message::Buttons::Ok, Message::Answer::Ok},
                    this);
    return true;
}

} // namespace ui
