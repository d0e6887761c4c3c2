// The inventory entry `tarvo05`: an operator counts the shop, one working line
// of `inventario` per article and operator; the quantity can be typed on the
// screen's own keypad. The pop-up `tarvo05er` asks whether to store an article
// that is missing from the price list (or from the EAN table): "     SI" keeps
// the count, "     NO" drops it.
#pragma once

#include "data/decimal.h"
#include "entry/scan_entry.h"

#include <optional>

class QFrame;

namespace entry {

class InventoryEntry final : public ScanEntry {
    Q_OBJECT
public:
    explicit InventoryEntry(ui::Services& services, QWidget* parent = nullptr);

    // "     SI" on the pop-up before a count was typed: the EAN is shown again,
    // the focus is on the quantity, and the count typed next is stored for it
    // although the article has no price-list row (or no EAN row).
    void acceptArticle(const QString& ean, std::int32_t code);

private:
    void quanw_Enter() override;
    void Command5_Click() override;
    void carica() override;
    void missingArticle() override;
    // A count typed where a quantity cannot be: the message, the field
    // emptied, the focus back in it.
    void wrongQuantity();
    // What Enter and "Conferma" share: the article looked up again, then the
    // typed count (empty counts 0) stored when it is storable, or the
    // quantity field emptied for another try.
    void storeTypedCount();
    // Whether the shown EAN was accepted on the pop-up for storing without
    // its article data.
    bool accepted() const;
    void keypad(const QString& key);

    QFrame* Frame1; // keypad
    QString acceptedEan_;
};

class MissingArticlePopup final : public ui::Screen {
    Q_OBJECT
public:
    explicit MissingArticlePopup(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

    // The EAN and count the inventory entry had in hand when it gave way to
    // the pop-up (no count when none was typed yet).
    void setPending(const QString& ean, std::optional<data::Decimal> quantity);

private:
    void si_Click();
    void no_Click();

    QString ean_;
    std::optional<data::Decimal> quantity_;
};

} // namespace entry
