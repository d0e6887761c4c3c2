// The goods receipt confirmation `cnfordc`: the goods receipt lines of every
// operator become a supplier receipt under the first free number of the year
// ("Confermi nuovo Carico"), or the order lines go to the order document of the
// last number ("Aggiunge a Carico").
#pragma once

#include "confirm/numbered_confirmation.h"

namespace confirm {

class ReceiptConfirmation final : public NumberedConfirmation {
    Q_OBJECT
public:
    explicit ReceiptConfirmation(ui::Services& s, QWidget* parent = nullptr);

private:
    QString linesQuery() const override;
    void noLinesOnLoad() override;
    QString numbersQuery(std::int32_t year) const override;
    void newDocument(const QDate& documentDate) override;
    void addToDocument() override { appendOrderLines(); }
};

} // namespace confirm
