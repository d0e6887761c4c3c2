// The supplier order confirmation `cnfordf`: the supplier order lines become a
// supplier order under the first free number of the year ("Confermi nuovo
// Ordine"), or the order lines go to the order document of the last number
// ("Aggiunge a Ordine").
#pragma once

#include "confirm/numbered_confirmation.h"

namespace confirm {

class SupplierOrderConfirmation final : public NumberedConfirmation {
    Q_OBJECT
public:
    explicit SupplierOrderConfirmation(ui::Services& s, QWidget* parent = nullptr);

private:
    QString linesQuery() const override;
    QString numbersQuery(std::int32_t year) const override;
    void newDocument(const QDate& documentDate) override;
    void addToDocument() override { appendOrderLines(); }
};

} // namespace confirm
