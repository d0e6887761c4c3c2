// The goods receipt entry `tarvo05b`: what arrives from the chosen supplier,
// one working line of `carico` per article and operator. The operator scans,
// types the packages, checks the pieces the screen proposes (packages times
// pieces per package) and confirms; both add up on the operator's line of the
// article. The total shown is the number of packages.
#pragma once

#include "entry/scan_entry.h"

namespace entry {

class ReceiptEntry final : public ScanEntry {
    Q_OBJECT
public:
    explicit ReceiptEntry(ui::Services& services, QWidget* parent = nullptr);

private:
    articles::LookupEnd anagr() override;
    void eanw_Enter() override;
    void colliw_Enter();
    void quanw_Enter() override;
    void Command5_Click() override;
    void Command12_Click() override;
    void carica() override;
    void missingArticle() override;

    // The typed packages and pieces when both can be stored; otherwise the
    // message, the field to mend emptied or kept, and nullopt.
    std::optional<std::pair<data::Decimal, data::Decimal>> typedCounts();
    void articleMissing();
    // What every store attempt ends with.
    void afterStore();

    QLineEdit* colliw;
};

} // namespace entry
