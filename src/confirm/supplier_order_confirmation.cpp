#include "confirm/supplier_order_confirmation.h"

#include "documents/supplier_order_transfer.h"
#include "state/shared_state.h"

#include <QCheckBox>
#include <QPushButton>

namespace confirm {

namespace {
ConfirmationTexts texts() {
    const QString number = QStringLiteral(" Attenzione !!     Devi Inserire il numero dell' Ordine ");
    return {.name = QStringLiteral("cnfordf"),
            .caption = QStringLiteral("Conferma Ordine"),
            .dateCaption = QStringLiteral("Data Ordine"),
            .lastCaption = QStringLiteral("Ultimo ordine"),
            .newCaption = QStringLiteral("Confermi nuovo Ordine"),
            .appendCaption = QStringLiteral("Aggiunge a Ordine"),
            .dateMessage = QStringLiteral(" Attenzione !!     Devi Inserire la data dell' Ordine "),
            .numberMessage = number,
            .appendNumberMessage = number};
}
} // namespace

SupplierOrderConfirmation::SupplierOrderConfirmation(ui::Services& s, QWidget* parent)
    : NumberedConfirmation(texts(), s, parent) {}

QString SupplierOrderConfirmation::linesQuery() const {
    // The supplier order lines only (no order type): the department order
    // lines in the same table belong to the department orders, and their
    // supplier is not this document's.
    return QStringLiteral("SELECT * FROM ordine WHERE tipord = '' or tipord is null");
}

QString SupplierOrderConfirmation::numbersQuery(std::int32_t year) const {
    return QStringLiteral("SELECT [Anno],[Numero] FROM testao WHERE Anno = %1 ORDER BY Numero").arg(year);
}

void SupplierOrderConfirmation::newDocument(const QDate& documentDate) {
    const documents::LineProgress progress = startProgress(true);
    Command1->hide();
    const documents::ConfirmResult r = documents::confirmSupplierOrder(
        workDb(), state(), clock().today(), documentDate, Check2->isChecked(), progress);
    if (!reportOutcome(r, Command1))
        return;
    doneWith(QStringLiteral("Ordine Fornitore creato con successo "));
}

} // namespace confirm
