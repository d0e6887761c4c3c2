// The returns confirmation `cnfordr`: while the supplier has an open return
// note in the year, the return lines can only be added to it ("Aggiunge a
// Ultimo"); otherwise they become a new note under the first free number
// ("Confermi nuovo Resi").
#pragma once

#include "confirm/numbered_confirmation.h"

namespace confirm {

class ReturnsConfirmation final : public NumberedConfirmation {
    Q_OBJECT
public:
    explicit ReturnsConfirmation(ui::Services& s, QWidget* parent = nullptr);

private:
    QString linesQuery() const override;
    void proposeNumbers(const data::Database& work, std::int32_t year) override;
    QString numbersQuery(std::int32_t year) const override;
    void newDocument(const QDate& documentDate) override;
    void addToDocument() override;
};

} // namespace confirm
