#include "confirm/returns_confirmation.h"

#include "data/recordset.h"
#include "documents/returns_transfer.h"
#include "state/shared_state.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace confirm {

namespace {
ConfirmationTexts texts() {
    return {.name = QStringLiteral("cnfordr"),
            .caption = QStringLiteral("Conferma Resi"),
            .dateCaption = QStringLiteral("Data Resi"),
            .lastCaption = QStringLiteral("Ultimo Numero"),
            .newCaption = QStringLiteral("Confermi nuovo Resi"),
            .appendCaption = QStringLiteral("Aggiunge a Ultimo"),
            .dateMessage = QStringLiteral(" Attenzione !!     Devi Inserire la data del reso "),
            .numberMessage = QStringLiteral(" Attenzione !!     Devi Inserire il numero dell' resi "),
            .appendNumberMessage = QStringLiteral(" Attenzione !!     Devi Inserire il numero del reso ")};
}
} // namespace

ReturnsConfirmation::ReturnsConfirmation(ui::Services& s, QWidget* parent)
    : NumberedConfirmation(texts(), s, parent) {}

QString ReturnsConfirmation::linesQuery() const {
    return QStringLiteral("SELECT * FROM resi ");
}

QString ReturnsConfirmation::numbersQuery(std::int32_t year) const {
    return QStringLiteral("SELECT [Anno],[Numero] FROM reste WHERE Anno = %1  ORDER BY Numero").arg(year);
}

void ReturnsConfirmation::proposeNumbers(const data::Database& work, std::int32_t year) {
    // The supplier's open notes of the year.
    data::Recordset open = work.query(QStringLiteral("SELECT [Anno],[Numero] FROM reste WHERE Anno = %1 and "
                                                     "cliente = %2 and regis <> 'R' ORDER BY Numero")
                                          .arg(year)
                                          .arg(state().supplierCode));
    if (open.eof()) {
        if (!reportError(open.error()))
            NumberedConfirmation::proposeNumbers(work, year);
        return;
    }
    // Only the addition to the last open note is offered.
    open.moveLast();
    const std::int32_t last = std::int32_t(open.value(QStringLiteral("Numero")).toLongLong());
    numulw->setText(QString::number(last));
    numerow->setText(QString::number(last + 1));
    Command1->hide();
    Command2->show();
    Check1->setChecked(true);
    numerow->hide();
    Check2->hide();
    state().documentNumber = fieldNumber(numulw->text());
}

void ReturnsConfirmation::newDocument(const QDate& documentDate) {
    const documents::LineProgress progress = startProgress(true);
    Command1->hide();
    const documents::ConfirmResult r = documents::confirmReturnNote(
        workDb(), state(), clock().today(), documentDate, Check2->isChecked(), progress);
    if (!reportOutcome(r, Command1))
        return;
    doneWith(QStringLiteral("DDT - Reso Fornitore creato con successo "));
}

void ReturnsConfirmation::addToDocument() {
    const documents::LineProgress progress = startProgress(false);
    const documents::ConfirmResult r =
        documents::appendToReturnNote(workDb(), state(), clock().today(), progress);
    if (!reportOutcome(r, Command2))
        return;
    Command2->hide();
    doneWith(QStringLiteral(" Attenzione !! DDT Reso Fornitore creato con successo "));
}

} // namespace confirm
