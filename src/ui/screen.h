// A screen: a window opened without blocking the one that opened it. Its
// opening steps (Form_Load) run when it is created anew; closing destroys it.
// A screen reaches what it is handed (the shared state, the messages, the
// registry, the clock, the databases, the printer) through the accessors below.
#pragma once

#include "data/database.h"
#include "data/error.h"
#include "ui/services.h"

#include <QWidget>

class QAbstractButton;

namespace ui {

class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(const QString& name, Services& services, QWidget* parent = nullptr);

    // The opening steps of the screen.
    virtual void Form_Load() {}
    // True once the window was closed (it is destroyed soon after).
    bool isClosed() const { return closed_; }

protected:
    state::SharedState& state() const { return services_.state; }
    Messages& messages() const { return services_.messages; }
    ScreenRegistry& registry() const { return services_.registry; }
    const Clock& clock() const { return services_.clock; }
    Printer& printer() const { return services_.printer; }
    data::Databases& databases() const { return services_.dbs; }
    // The database a path names, as it is now: a changed path takes effect at
    // the next operation.
    data::Database database(const QString& path) const;
    // The store and the work database of the shared paths.
    data::Database storeDb() const;
    data::Database workDb() const;

    // The button opens the screen of that name; it is disabled while no such
    // screen is registered.
    void opens(QAbstractButton* button, const QString& screen);

    // Inner area of the window in twips.
    void setInnerSize(int widthTwips, int heightTwips);
    void setWindowColour(const QColor& c);
    // Shows the operator the message of a database error; true when there was
    // one (shown or not). One message per action: an action (the handling of
    // one key, click or opening, up to the moment the program waits for the
    // operator again) shows a given error once. The errors that follow from
    // the first one in the same action (a missing archive met again by the
    // lookup, the store and the total; a busy archive refused again at once)
    // are not shown again, on this screen or on the screen the action opens.
    // A handler still stops at its first error: this is the safety net.
    bool reportError(const data::Error& e);

    void closeEvent(QCloseEvent* e) override;

private:
    Services& services_;
    bool closed_ = false;
};

} // namespace ui
