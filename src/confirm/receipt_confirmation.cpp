#include "confirm/receipt_confirmation.h"

#include "documents/receipt_transfer.h"
#include "state/shared_state.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QPushButton>

namespace confirm {

namespace {
ConfirmationTexts texts() {
    const QString number = QStringLiteral(" Attenzione !!     Devi Inserire il numero dell' Ordine ");
    return {.name = QStringLiteral("cnfordc"),
            .caption = QStringLiteral("Conferma Carico"),
            .dateCaption = QStringLiteral("Data Ordine"),
            .lastCaption = QStringLiteral("Ultimo ordine"),
            .newCaption = QStringLiteral("Confermi nuovo Carico"),
            .appendCaption = QStringLiteral("Aggiunge a Carico"),
            .dateMessage = QStringLiteral(" Attenzione !!     Devi Inserire la data dell' Ordine "),
            .numberMessage = number,
            .appendNumberMessage = number};
}
} // namespace

ReceiptConfirmation::ReceiptConfirmation(ui::Services& s, QWidget* parent)
    : NumberedConfirmation(texts(), s, parent) {}

QString ReceiptConfirmation::linesQuery() const {
    // Every operator's lines, in the work database like every screen of the goods receipt.
    return QStringLiteral("SELECT * FROM carico ");
}

void ReceiptConfirmation::noLinesOnLoad() {
    messages().plain(QStringLiteral(" Attenzione !!     Non ci sono carichi da confermare"), this);
}

QString ReceiptConfirmation::numbersQuery(std::int32_t year) const {
    return QStringLiteral("SELECT [Anno],[Numero] FROM testaof WHERE Anno = %1 ORDER BY Numero").arg(year);
}

void ReceiptConfirmation::newDocument(const QDate& documentDate) {
    const documents::LineProgress progress = startProgress(true);
    Command1->hide();
    const documents::ConfirmResult r = documents::confirmReceipt(workDb(), state(), clock().today(),
                                                                 documentDate, Check2->isChecked(), progress);
    if (!reportOutcome(r, Command1))
        return;
    doneWith({}); // no message: the dialog closes
}

} // namespace confirm
