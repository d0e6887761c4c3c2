#include "ui/screen_registry.h"

#include "ui/screen.h"

namespace ui {

Screen* ScreenRegistry::find(const QString& name) const {
    const auto it = open_.constFind(name);
    if (it == open_.constEnd() || it->isNull() || (*it)->isClosed())
        return nullptr; // a closed screen is opened anew, with its opening steps
    return it->data();
}

Screen* ScreenRegistry::open(const QString& name) {
    if (Screen* s = find(name)) {
        s->show();
        s->raise();
        s->activateWindow();
        return s;
    }
    const auto f = factories_.constFind(name);
    if (f == factories_.constEnd() || !services_)
        return nullptr;
    Screen* s = (*f)(*services_);
    open_.insert(name, s);
    QObject::connect(s, &QObject::destroyed, [hook = std::weak_ptr(onScreenGone_)] {
        if (const auto f = hook.lock(); f && *f)
            (*f)();
    });
    s->show();
    s->Form_Load();
    s->raise();
    s->activateWindow();
    return s;
}

bool ScreenRegistry::anyOpen() const {
    for (auto it = open_.constBegin(); it != open_.constEnd(); ++it)
        if (find(it.key()))
            return true;
    return false;
}

void ScreenRegistry::closeAll() {
    for (auto& p : open_)
        if (p)
            p->close();
    open_.clear();
}

} // namespace ui
