// What every screen is handed: the shared state, the databases, the message
// service, the screen registry, the clock and the printer. Nothing else is
// global.
#pragma once

#include <QDate>

namespace data {
class Databases;
}
namespace state {
struct SharedState;
}

namespace ui {

class Messages;
class Printer;
class ScreenRegistry;

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
};

// A clock stopped on one day, for tests.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDate d)
        : day_(d) {}
    QDate today() const override { return day_; }
    void set(QDate d) { day_ = d; }

private:
    QDate day_;
};

struct Services {
    state::SharedState& state;
    data::Databases& dbs;
    Messages& messages;
    ScreenRegistry& registry;
    const Clock& clock;
    Printer& printer;
};

} // namespace ui
