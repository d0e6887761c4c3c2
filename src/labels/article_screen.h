// What the label request screen and the sale price change share: text fields
// with a small caption above them, the focus colours (the field or button
// that gets the focus turns yellow after `chiaro` has reset the others), the
// clicks and double clicks the screens react to, the opening test of the work
// database, and the article's price-list data shown in the fields.
#pragma once

#include "ui/screen.h"
#include "ui/toolkit.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

class QLineEdit;

namespace data {
class Table;
}

namespace labels {

class ArticleScreen : public ui::Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    // A text field with its caption above it (none when empty): the caption at
    // the given top, the field under it.
    QLineEdit* entryField(const char* name, const QString& caption, const ui::Twips& at, bool readOnly);
    // The controls that turn yellow when they get the focus; those in
    // `selecting` also select their whole text.
    void highlightOnFocus(std::initializer_list<QWidget*> controls,
                          std::initializer_list<QLineEdit*> selecting = {});
    // Resets the focus colours.
    virtual void chiaro() = 0;
    virtual void clicked(QObject*) {}
    virtual void doubleClicked(QObject*) {}

    // What every entry screen does on opening; false, after the message, when
    // no work database is selected.
    bool opensOnArchive();
    // Shows a message with the critical icon and OK.
    void critical(const QString& text);
    // A whole article code typed in the code field; 0 when it is none.
    static std::int32_t typedCode(const QString& text);

    // The price-list row of an article code, current in the returned table;
    // nullopt when there is none, or after the message of a database error
    // (then `failed` is set when given).
    std::optional<data::Table> priceList(const data::Database& db, std::int32_t code, bool* failed = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> highlighted_;
    std::vector<QLineEdit*> selecting_;
};

// The messages both screens show.
inline const QString kNoArchive = QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati");
inline const QString kNoPriceList = QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...");

} // namespace labels
