// The inventory entry `tarvo05`: an operator counts the shop, one working line
// of `inventario` per article and operator; the quantity can be typed on the
// screen's own keypad. The pop-up `tarvo05er` asks whether to store an article
// that is missing from the price list.
#pragma once

#include "entry/scan_entry.h"

class QFrame;

namespace entry {

class InventoryEntry final : public ScanEntry {
    Q_OBJECT
public:
    explicit InventoryEntry(ui::Services& services, QWidget* parent = nullptr);

private:
    void quanw_Enter() override;
    void Command5_Click() override;
    void carica() override;
    void missingArticle() override;
    // What Enter and "Conferma" share: the article looked up again, then the
    // typed count (empty counts 0) stored when `accepted` takes it, or the
    // quantity field emptied for another try.
    void storeTypedCount(bool (*accepted)(double));
    void keypad(const QString& key);

    QFrame* Frame1; // keypad
};

class MissingArticlePopup final : public ui::Screen {
    Q_OBJECT
public:
    explicit MissingArticlePopup(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

    // The count the inventory entry had in hand when it gave way to the pop-up.
    void setPending(const QString& ean, double quantity);

private:
    void si_Click();
    void no_Click();

    QString ean_;
    double quantity_ = 0;
};

} // namespace entry
