// The quantity-first entry of the returns (`tarvo02r`, lines of `resi`) and of
// the supplier orders (`tarvo02f`, lines of `ordine` without an order type):
// the quantity field holds 1, or what the operator typed, and every scan
// stores the article at once with that quantity. One line per EAN, no
// operator: storing an EAN again replaces its packages. The screen shows the
// article's cost, sale price and margin. The two screens are one class; each
// Kind states what its instance does differently.
#pragma once

#include "documents/quantity_first_lines.h"
#include "entry/scan_entry.h"

namespace entry {

class QuantityFirstEntry final : public ScanEntry {
    Q_OBJECT
public:
    struct Kind {
        QString name;
        QString caption;
        QString totalCaption;  // over the total of the packages
        QString storedCaption; // over the packages already on the line
        documents::QuantityFirstTable lines;
        // A store with an empty description field is refused (returns) or
        // written with the description empty (supplier orders).
        bool refusesEmptyDescription = false;
        // The store button and "Elimina" (supplier orders only).
        bool storesAndDeletes = false;
    };
    static Kind returns();
    static Kind supplierOrder();

    QuantityFirstEntry(const Kind& kind, ui::Services& services, QWidget* parent = nullptr);

private:
    articles::LookupEnd anagr() override;
    void eanw_Enter() override;
    void quanw_Enter() override;
    void Command5_Click() override;
    void Command12_Click() override;
    void Command13_Click() override;
    void carica() override;
    void missingArticle() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void articleMissing();
    void afterStore();
    // The key of the line of the EAN field, or of the article code shown when
    // the field holds no EAN.
    std::optional<documents::LineKey> shownKey();

    QLineEdit* margw;
    const Kind kind_;
};

} // namespace entry
