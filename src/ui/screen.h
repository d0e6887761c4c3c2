// A screen: a window opened without blocking the one that opened it. Its
// opening steps (Form_Load) run when it is created anew; closing destroys it.
#pragma once

#include "data/error.h"
#include "ui/services.h"

#include <QWidget>

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
    // Inner area of the window in twips.
    void setInnerSize(int widthTwips, int heightTwips);
    void setWindowColour(const QColor& c);
    // Shows the operator the message of a database error; true when there was one.
    bool reportError(const data::Error& e);

    void closeEvent(QCloseEvent* e) override;

    Services& s_;

private:
    bool closed_ = false;
};

} // namespace ui
