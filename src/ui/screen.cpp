#include "ui/screen.h"

#include "state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QSet>

namespace ui {

namespace {

// The error messages shown in the action in hand. The action ends when the
// program waits for the operator again (the event loop runs the reset posted
// after a box) or when the operator presses a key or a mouse button outside a
// message box, which starts the next one.
class ActionMessages : public QObject {
public:
    static ActionMessages& instance() {
        static ActionMessages* self = [] {
            auto* m = new ActionMessages(qApp);
            qApp->installEventFilter(m);
            return m;
        }();
        return *self;
    }
    // True the first time the message is shown in this action.
    bool firstInAction(const QString& message) {
        if (shown_.contains(message))
            return false;
        shown_.insert(message);
        return true;
    }
    void endActionLater() {
        QMetaObject::invokeMethod(
            this, [this] { shown_.clear(); }, Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
            if (auto* w = qobject_cast<QWidget*>(watched); w && !qobject_cast<QMessageBox*>(w->window()))
                shown_.clear();
            break;
        default:
            break;
        }
        return false;
    }

private:
    using QObject::QObject;
    QSet<QString> shown_;
};

} // namespace

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
    ActionMessages& action = ActionMessages::instance();
    if (!action.firstInAction(e.message()))
        return true;
    messages().show({e.message(), QStringLiteral("Archivio dati"), Message::Icon::Critical,
                     Message::Buttons::Ok, Message::Answer::Ok},
                    this);
    action.endActionLater();
    return true;
}

} // namespace ui
