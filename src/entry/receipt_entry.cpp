#include "entry/receipt_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/readings.h"
#include "documents/receipt_lines.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QLineEdit>
#include <QPushButton>

namespace entry {

using articles::LookupEnd;
using data::Decimal;

namespace {

const QString kNoSuchArticle = QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...");
const QString kWrongQuantity = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");
const QString kWrongPackages = QStringLiteral("ATTENZIONE ! Inserire il numero dei Colli");

ScanEntry::Options receiptOptions() {
    ScanEntry::Options o;
    o.caption = QStringLiteral("Immissione Carico");
    o.listScreen = QStringLiteral("tarvo06b");
    o.profile.linesTable = QStringLiteral("carico");
    o.profile.articlesPath = &state::SharedState::storeDbPath;
    // The lines are where the confirmation, the list and the main menu read
    // them, whatever the store mode.
    o.profile.linesPath = &state::SharedState::workDbPath;
    o.stepKeepsLines = true;
    return o;
}

} // namespace

ReceiptEntry::ReceiptEntry(ui::Services& services, QWidget* parent)
    : ScanEntry(QStringLiteral("tarvo05b"), receiptOptions(), services, parent) {
    setInnerSize(6135, 3500);
    placeField(costow, QStringLiteral("Costo no Iva"), 120, 1260, 1440);
    placeField(Prezzow, QStringLiteral("Prezzo Vendita"), 1680, 1260, 1440);
    placeField(qinvw, QStringLiteral("T.Q.Articolo"), 3240, 1260, 1440);
    colliw = entryField("colliw", QStringLiteral("Colli"), 120, 1980, 1440, false);
    placeField(quanw, QStringLiteral("Quantità"), 1680, 1980, 1440);
    placeField(totqw, QStringLiteral("Totale Carico"), 3240, 1980, 1440);
    placeField(cimpw, {}, 0, 0, 0);
    cimpw->hide();
    showAsPicture(Command5, QStyle::SP_DialogApplyButton, QStringLiteral("Conferma"));
    showAsPicture(Command1, QStyle::SP_DialogCloseButton, QStringLiteral("Uscita programma"));
    // The packages come first: Enter proposes the pieces.
    setTabOrder(eanw, colliw);
    setTabOrder(colliw, quanw);
    connect(colliw, &QLineEdit::returnPressed, this, &ReceiptEntry::colliw_Enter);
}

LookupEnd ReceiptEntry::anagr() {
    const LookupEnd end = ScanEntry::anagr();
    if (end == LookupEnd::NoPriceListRow) {
        articleMissing();
        return end;
    }
    if (end != LookupEnd::Shown)
        return end;
    quanw->clear();
    // The pieces already on the operator's line of the article, whichever of
    // its EANs the line was made with.
    data::Error e;
    const auto stored = documents::receiptLineQuantity(workDb(), state(), state().articleCode, &e);
    if (reportError(e))
        return LookupEnd::DatabaseError;
    qinvw->setText(stored ? stored->toItalian() : QString());
    return end;
}

void ReceiptEntry::eanw_Enter() {
    if (eanw->text().isEmpty())
        return;
    // A new scan: nothing of the article shown before may decide which
    // article this one is.
    state().ean = QString();
    state().articleCode = 0;
    for (QLineEdit* e : {codcasaw, descrw, imballow, costow, Prezzow, qinvw})
        e->clear();
    state().ean = articles::eanByEffectiveLength(eanw->text());
    switch (anagr()) {
    case LookupEnd::Shown:
        colliw->setFocus();
        break;
    case LookupEnd::NotInCodean:
        chiaro();
        eanw->setFocus();
        break;
    default:
        eanw->setFocus();
        break;
    }
}

void ReceiptEntry::colliw_Enter() {
    const auto packages = documents::typedCount(colliw->text());
    if (!packages) {
        messages().plain(kWrongPackages, this);
        colliw->setFocus();
        return;
    }
    const Decimal pack = documents::typedCount(imballow->text()).value_or(Decimal());
    const auto pieces = pack * *packages;
    quanw->setText(pieces ? pieces->rounded(3).toItalian() : QString());
    quanw->setFocus();
}

std::optional<std::pair<Decimal, Decimal>> ReceiptEntry::typedCounts() {
    const auto quantity = documents::typedCount(quanw->text());
    if (!quantity || !articles::storableCount(*quantity)) {
        messages().plain(kWrongQuantity, this);
        quanw->clear();
        quanw->setFocus();
        return std::nullopt;
    }
    // Packages and pieces add up on the line: both must be numbers.
    const auto packages = documents::typedCount(colliw->text());
    if (!packages) {
        messages().plain(kWrongPackages, this);
        colliw->setFocus();
        return std::nullopt;
    }
    return std::pair{*packages, *quantity};
}

void ReceiptEntry::quanw_Enter() {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    carica();
}

void ReceiptEntry::Command5_Click() {
    carica();
}

void ReceiptEntry::carica() {
    const auto counts = typedCounts();
    if (!counts)
        return;
    state().ean = eanw->text();
    const data::Database store = storeDb();
    const data::Database work = workDb();
    if (reportError(store.error()) || reportError(work.error()))
        return;
    if (state().ean.trimmed().isEmpty() && state().articleCode == 0) {
        articleMissing();
        afterStore();
        return;
    }
    data::Error e;
    if (const auto code = articles::codeOfEan(store, state().ean.text(), &e))
        state().articleCode = *code;
    const bool priced =
        !e && state().articleCode != 0 && articles::priceListRow(store, state().articleCode, &e);
    if (reportError(e))
        return;
    if (!priced) {
        articleMissing();
        afterStore();
        return;
    }
    const documents::ReceiptScan scan{state().articleCode, state().ean.text(), descrw->text(), counts->first,
                                      counts->second};
    // A failed store keeps the fields: the operator presses again.
    if (reportError(documents::storeReceiptLine(work, store, state(), scan)))
        return;
    eanw->clear();
    afterStore();
}

void ReceiptEntry::afterStore() {
    for (QLineEdit* e : {quanw, descrw, codcasaw, imballow, qinvw})
        e->clear();
    eanw->setFocus();
    state().ean = QString();
    caltot();
}

void ReceiptEntry::Command12_Click() {
    state().ean = eanw->text();
    if (messages().askCritical(
            QStringLiteral("Attenzione  !!  Sei sicuro di voler Eliminare questo articolo ?"),
            QStringLiteral("Elimina articolo"), this)) {
        // The operator's line of the article shown, as lines are kept.
        data::Error e;
        std::int32_t code = articles::codeOfEan(storeDb(), state().ean.text(), &e).value_or(0);
        if (code == 0 && articles::isDigitCode(codcasaw->text()))
            code = codcasaw->text().trimmed().toInt();
        if (!reportError(e))
            reportError(documents::deleteReceiptLine(workDb(), state(), code, state().ean.text()));
    }
    for (QLineEdit* e : {eanw, quanw, descrw, codcasaw, imballow})
        e->clear();
    close();
    registry().open(options().listScreen);
}

void ReceiptEntry::articleMissing() {
    ui::Message m{
        kNoSuchArticle, {}, ui::Message::Icon::Critical, ui::Message::Buttons::Ok, ui::Message::Answer::Ok};
    messages().show(m, this);
    eanw->setFocus();
}

void ReceiptEntry::missingArticle() {
    // The message was shown by the lookup.
    eanw->setFocus();
}

} // namespace entry
