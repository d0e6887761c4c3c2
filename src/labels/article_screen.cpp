#include "labels/article_screen.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QEvent>
#include <QLineEdit>
#include <algorithm>

namespace labels {

QLineEdit* ArticleScreen::entryField(const char* name, const QString& caption, const ui::Twips& at,
                                     bool readOnly) {
    int top = at.top;
    if (!caption.isEmpty()) {
        ui::label(this, nullptr, caption, {at.left, top, at.width + 600, 240}, ui::kSmallFont);
        top += 240;
    }
    QLineEdit* e = ui::field(this, name, {at.left, top, at.width, 375}, ui::kFieldFont);
    e->setReadOnly(readOnly);
    ui::setBackground(e, ui::color(ui::kWindowBackground));
    e->installEventFilter(this);
    return e;
}

void ArticleScreen::highlightOnFocus(std::initializer_list<QWidget*> controls,
                                     std::initializer_list<QLineEdit*> selecting) {
    for (QWidget* w : controls) {
        highlighted_.push_back(w);
        w->installEventFilter(this); // installed once: a second install moves it to the front
    }
    selecting_.assign(selecting.begin(), selecting.end());
}

bool ArticleScreen::opensOnArchive() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
    if (state().workDbPath.isEmpty()) {
        messages().info(kNoArchive, this);
        return false;
    }
    state().priceList = QStringLiteral("01");
    return true;
}

void ArticleScreen::critical(const QString& text) {
    messages().show(
        {text, {}, ui::Message::Icon::Critical, ui::Message::Buttons::Ok, ui::Message::Answer::Ok}, this);
}

std::int32_t ArticleScreen::typedCode(const QString& text) {
    if (!articles::isDigitCode(text))
        return 0;
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok && v <= 2147483647 ? std::int32_t(v) : 0;
}

std::optional<data::Table> ArticleScreen::priceList(const data::Database& db, std::int32_t code,
                                                    bool* failed) {
    data::Error e;
    auto row = articles::priceListRow(db, code, &e);
    if (failed)
        *failed = e.kind != data::Error::Kind::None;
    reportError(e);
    return row;
}

bool ArticleScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        auto* w = static_cast<QWidget*>(watched);
        if (std::find(highlighted_.begin(), highlighted_.end(), w) != highlighted_.end()) {
            chiaro();
            ui::setBackground(w, ui::color(ui::kFocusYellow));
            auto* e = qobject_cast<QLineEdit*>(w);
            if (e && std::find(selecting_.begin(), selecting_.end(), e) != selecting_.end()) {
                e->selectAll();
                // A click places the cursor after the focus came: select again then.
                QMetaObject::invokeMethod(e, &QLineEdit::selectAll, Qt::QueuedConnection);
            }
        }
        break;
    }
    case QEvent::MouseButtonPress:
        clicked(watched);
        break;
    case QEvent::MouseButtonDblClick:
        doubleClicked(watched);
        break;
    default:
        break;
    }
    return Screen::eventFilter(watched, event);
}

} // namespace labels
