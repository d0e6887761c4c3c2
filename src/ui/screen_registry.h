// Opens screens by their name: a screen already open is brought to the front;
// otherwise it is created, its opening steps run and it is shown, without
// blocking the screen that asked.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace ui {

class Screen;
struct Services;

class ScreenRegistry {
public:
    using Factory = std::function<Screen*(Services&)>;

    void setServices(Services* s) { services_ = s; }
    void add(const QString& name, Factory factory) { factories_.insert(name, std::move(factory)); }
    bool has(const QString& name) const { return factories_.contains(name); }

    // The open screen of that name, or null.
    Screen* find(const QString& name) const;
    Screen* open(const QString& name);
    // Whether any screen is open.
    bool anyOpen() const;
    // Called after a screen opened here has gone (closed and destroyed).
    void setOnScreenGone(std::function<void()> f) { *onScreenGone_ = std::move(f); }
    // Closes every open screen (the end of the run).
    void closeAll();

private:
    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<Screen>> open_;
    Services* services_ = nullptr;
    // Shared with the screens' destroyed handlers, which outlive the registry
    // at the end of a run: they call it only while it exists.
    std::shared_ptr<std::function<void()>> onScreenGone_ = std::make_shared<std::function<void()>>();
};

} // namespace ui
