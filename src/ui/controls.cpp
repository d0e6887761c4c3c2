#include "ui/controls.h"

#include "ui/data_grid.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace ui {

namespace {

template <typename W> W* named(W* w, const char* name, const Twips& at) {
    if (name)
        w->setObjectName(QString::fromLatin1(name));
    place(w, at);
    return w;
}

void setFont(QWidget* w, Font font) {
    QFont f = w->font();
    if (font.points > 0)
        f.setPointSize(font.points);
    f.setBold(font.bold);
    w->setFont(f);
}

class ChoiceLabel : public QLabel {
public:
    ChoiceLabel(const QString& caption, QWidget* parent, std::function<void()> clicked)
        : QLabel(caption, parent)
        , clicked_(std::move(clicked)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (clicked_)
            clicked_();
    }

private:
    std::function<void()> clicked_;
};

} // namespace

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QColor& colour,
                    const Twips& at, Font font) {
    auto* b = named(new QPushButton(caption, parent), name, at);
    if (colour.isValid())
        setBackground(b, colour);
    setFont(b, font);
    return b;
}

QPushButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture, int pixels,
                           const QString& toolTip, const Twips& at) {
    auto* b = named(new QPushButton(parent), name, at);
    b->setIcon(b->style()->standardIcon(picture));
    b->setIconSize(QSize(pixels, pixels));
    b->setToolTip(toolTip);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const Twips& at, Font font) {
    auto* l = named(new QLabel(caption, parent), name, at);
    setFont(l, font);
    return l;
}

QLineEdit* field(QWidget* parent, const char* name, const Twips& at, Font font) {
    auto* e = named(new QLineEdit(parent), name, at);
    setFont(e, font);
    return e;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const Twips& at, Font font) {
    auto* c = named(new QCheckBox(caption, parent), name, at);
    setFont(c, font);
    return c;
}

QProgressBar* progressBar(QWidget* parent, const char* name, int maximum, const Twips& at) {
    auto* p = named(new QProgressBar(parent), name, at);
    p->setRange(0, maximum);
    p->setValue(0);
    p->setTextVisible(false);
    return p;
}

QFrame* panel(QWidget* parent, const char* name, const Twips& at) {
    auto* f = named(new QFrame(parent), name, at);
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    return f;
}

QLabel* choice(QWidget* parent, const char* name, const QString& caption, const QColor& colour,
               const Twips& at, Font font, std::function<void()> clicked) {
    auto* l = named(new ChoiceLabel(caption, parent, std::move(clicked)), name, at);
    setFont(l, font);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    setBackground(l, colour);
    return l;
}

QFrame* keypad(QWidget* parent, const char* name, const QColor& colour, const Twips& at,
               std::span<const Key> keys, int keyWidth, int keyHeight,
               std::function<void(const QString&)> pressed) {
    auto* pad = named(new QFrame(parent), name, at);
    pad->setAutoFillBackground(true);
    QPalette p = pad->palette();
    p.setColor(QPalette::Window, colour);
    pad->setPalette(p);
    for (const Key& k : keys) {
        QPushButton* b = button(pad, k.name, QString::fromLatin1(k.caption), k.colour,
                                {k.left, k.top, keyWidth, keyHeight}, kLargeCaption);
        b->setFocusPolicy(Qt::NoFocus);
        const QString caption = b->text();
        QObject::connect(b, &QPushButton::clicked, pad, [pressed, caption] { pressed(caption); });
    }
    return pad;
}

DataGrid* grid(QWidget* parent, const char* name, const Twips& at) {
    return named(new DataGrid(parent), name, at);
}

} // namespace ui
