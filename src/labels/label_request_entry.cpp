#include "labels/label_request_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/lookup.h"
#include "articles/prices.h"
#include "articles/readings.h"
#include "data/table.h"
#include "documents/label_requests.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QLineEdit>
#include <QPushButton>

namespace labels {

using data::Decimal;
using ui::rgb;

namespace {

const QString kAlreadyRequested = QStringLiteral("ATTENZIONE !!!! Prodotto gia caricato ...");
const QString kWrongCount = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");

// A count of labels the request takes: above 0 (a request of no labels, or of
// fewer than none, is no request) and, where `limited`, below the counts
// limit. nullopt refuses it.
std::optional<Decimal> labelCount(std::optional<double> typed, bool limited) {
    if (!typed)
        return std::nullopt;
    const auto count = Decimal::fromDouble(*typed, 3);
    if (!count || count->sign() <= 0)
        return std::nullopt;
    if (limited && !articles::storableCount(*count))
        return std::nullopt;
    return count;
}

} // namespace

LabelRequestEntry::LabelRequestEntry(ui::Services& services, QWidget* parent)
    : ArticleScreen(QStringLiteral("tarvo08"), services, parent) {
    setWindowTitle(QStringLiteral("Stampa Frontalini"));
    setInnerSize(6135, 3780);
    eanw = entryField("eanw", QStringLiteral("Codice Ean/Articolo"), {120, 60, 2400}, false);
    codcasaw = entryField("codcasaw", QStringLiteral("Cod.Articolo"), {2640, 60, 1200}, false);
    descrw = entryField("descrw", QStringLiteral("Descrizione"), {120, 780, 5880}, true);
    costow = entryField("costow", QStringLiteral("Costo + Iva"), {120, 1500, 1440}, true);
    Prezzow = entryField("Prezzow", QStringLiteral("Prezzo Vendita"), {1680, 1500, 1440}, true);
    offew = entryField("offew", QStringLiteral("Prezzo Promo"), {3240, 1500, 1440}, true);
    margw = entryField("margw", QStringLiteral("% Margine"), {4800, 1500, 1200}, true);
    quanw = entryField("quanw", QStringLiteral("Nr.Frontalini"), {120, 2220, 1440}, false);
    totqw = entryField("totqw", QStringLiteral("Totale"), {3240, 2220, 1440}, true);
    Command5 = ui::pictureButton(this, "Command5", QStyle::SP_DialogApplyButton, 32,
                                 QStringLiteral("Registra la richiesta"), {120, 3000, 1400, 615});
    Command12 =
        ui::button(this, "Command12", QStringLiteral("Elimina"), rgb(255, 128, 128), {1600, 3000, 1400, 615});
    Command13 =
        ui::button(this, "Command13", QStringLiteral("Annulla"), rgb(192, 255, 192), {3080, 3000, 1400, 615});
    Command1 = ui::pictureButton(this, "Command1", QStyle::SP_DialogCloseButton, 32, QStringLiteral("Uscita"),
                                 {4560, 3000, 1440, 615});
    Prezzow->setToolTip(QStringLiteral("Doppio clic: Modifica Prezzo Vendta"));
    highlightOnFocus({eanw, codcasaw, quanw, Command5});
    chiaro();

    connect(eanw, &QLineEdit::returnPressed, this, &LabelRequestEntry::eanw_Enter);
    connect(codcasaw, &QLineEdit::returnPressed, this, &LabelRequestEntry::codcasaw_Enter);
    connect(quanw, &QLineEdit::returnPressed, this, &LabelRequestEntry::quanw_Enter);
    connect(Command5, &QPushButton::clicked, this, &LabelRequestEntry::Command5_Click);
    connect(Command12, &QPushButton::clicked, this, &LabelRequestEntry::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &LabelRequestEntry::Command12_Click);
    connect(Command1, &QPushButton::clicked, this, &LabelRequestEntry::Command1_Click);
}

void LabelRequestEntry::Form_Load() {
    eanw->clear();
    if (!opensOnArchive())
        return;
    // The counter starts at the highest number given so far; each request
    // takes its numbers again from the table, inside its own write.
    data::Error e;
    if (const auto highest = documents::highestLabelSequence(storeDb(), &e))
        state().labelSequence = *highest;
    if (reportError(e))
        return;
    caltot();
    // An article handed over is shown at once, the focus on its count.
    eanw->setFocus();
    if (!state().ean.trimmed().isEmpty())
        anagr();
}

void LabelRequestEntry::eanw_Enter() {
    const QString typed = eanw->text();
    if (typed.isEmpty())
        return;
    state().ean = QString();
    state().articleCode = 0;
    state().ean = articles::eanByEffectiveLength(typed);
    // An in-store code (a weighed article's, carrying its price) is not in
    // codean itself: its article is the one whose EAN begins with the same
    // seven digits. A code shorter than 13 got zeros in front and is an
    // ordinary code.
    const QString ean = state().ean.text();
    if (typed.startsWith(QLatin1Char('2')) && ean.startsWith(QLatin1Char('2'))) {
        data::Error e;
        if (const auto code = articles::codeOfEanPrefix(storeDb(), ean.left(7), &e))
            state().articleCode = *code;
        if (reportError(e))
            return;
    }
    const Shown shown = anagr();
    // Each scan requests one label, whatever count was typed before it.
    if (shown != Shown::Failed && !state().ean.trimmed().isEmpty() &&
        articles::leadingNumber(quanw->text()) != 0) {
        quanw->setText(QStringLiteral("1"));
        carica(Decimal::fromInt(1));
    }
    eanw->setFocus();
    eanw->clear();
}

LabelRequestEntry::Shown LabelRequestEntry::anagr() {
    // The field shows the code sought; with no code in hand it is left empty
    // (an article shown by its internal code alone cannot be requested).
    if (state().ean.trimmed().isEmpty())
        eanw->clear();
    else
        eanw->setText(state().ean.text());
    const data::Database store = storeDb();
    if (reportError(store.error()))
        return Shown::Failed;
    if (!state().ean.trimmed().isEmpty() && state().articleCode == 0) {
        data::Error e;
        const auto row = documents::labelRowOfEan(store, state().ean.text(), &e);
        if (reportError(e))
            return Shown::Failed;
        if (!row) {
            descrw->setText(articles::kNoArticle);
            return Shown::NotInCodean;
        }
        state().articleCode = row->code;
        if (row->requested)
            messages().info(kAlreadyRequested, this); // asked again: the request is recorded anew
    }
    if (state().articleCode == 0)
        return Shown::Nothing;
    bool failed = false;
    const auto listi = priceList(store, state().articleCode, &failed);
    if (failed)
        return Shown::Failed;
    if (!listi) {
        critical(kNoPriceList);
        eanw->setFocus();
        return Shown::NoPriceList;
    }
    if (articles::leadingNumber(quanw->text()) == 0)
        quanw->setText(QStringLiteral("1"));
    descrw->setText(listi->value(QStringLiteral("desart")).toString());
    codcasaw->setText(QString::number(state().articleCode));
    costow->setText(articles::costWithVat(listi->value(QStringLiteral("cofart")).toDouble(),
                                          listi->value(QStringLiteral("ivart")).toString())
                        .text);
    l_prezzo();
    quanw->setFocus();
    return Shown::Article;
}

void LabelRequestEntry::l_prezzo() {
    // The price display of this screen: by the code in the EAN field, the
    // offer shown whenever the article has an offer price.
    const QString ean = eanw->text();
    state().ean = ean;
    if (state().ean.blankPrefix(5))
        return;
    const data::Database store = storeDb();
    data::Error e;
    const auto code = articles::codeOfEan(store, state().ean.text(), &e);
    if (reportError(e) || !code || *code == 0)
        return;
    const auto listi = priceList(store, *code);
    if (!listi)
        return;
    const articles::PriceFields f = articles::showUndatedOffer(
        articles::articlePrices(*listi), {Prezzow->text(), costow->text(), offew->text(), margw->text()});
    Prezzow->setText(f.price);
    costow->setText(f.cost);
    offew->setText(f.offer);
    margw->setText(f.margin);
}

void LabelRequestEntry::carica(Decimal count) {
    state().ean = eanw->text();
    // Nothing is recorded without a code in the EAN field.
    if (!state().ean.trimmed().isEmpty()) {
        const documents::LabelRequest r = documents::requestLabels(
            storeDb(), state().articleCode, state().ean.text(), count, state().labelSequence);
        if (!reportError(r.error))
            state().labelSequence = r.sequence;
    }
    caltot();
    clearFields();
    eanw->setFocus();
    state().ean = QString();
}

void LabelRequestEntry::caltot() {
    totqw->setText(QStringLiteral("0"));
    data::Error e;
    const auto total = documents::labelsToPrint(storeDb(), &e);
    if (reportError(e) || !total)
        return;
    totqw->setText(total->toItalian());
}

void LabelRequestEntry::wrongCount() {
    messages().plain(kWrongCount, this);
    quanw->clear();
    quanw->setFocus();
}

void LabelRequestEntry::quanw_Enter() {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    const auto count = labelCount(articles::regionalNumber(quanw->text()), true);
    if (!count)
        return wrongCount();
    carica(*count);
}

void LabelRequestEntry::Command5_Click() {
    // The button reads the count by its leading number and has no upper limit.
    const auto count = labelCount(articles::leadingNumber(quanw->text()), false);
    if (!count)
        return wrongCount();
    carica(*count);
}

void LabelRequestEntry::codcasaw_Enter() {
    state().ean = QString();
    state().articleCode = typedCode(codcasaw->text());
    anagr();
    quanw->setFocus();
}

void LabelRequestEntry::clearFields() {
    for (QLineEdit* e : {eanw, quanw, descrw, codcasaw, Prezzow, costow, margw, offew})
        e->clear();
}

void LabelRequestEntry::Command12_Click() {
    // Neither "Elimina" nor "Annulla" touches the database.
    state().ean = QString();
    clearFields();
    eanw->setFocus();
}

void LabelRequestEntry::Command1_Click() {
    state().ean = QString();
    close();
}

void LabelRequestEntry::clicked(QObject* control) {
    if (control == eanw) {
        state().ean = eanw->text();
        state().articleCode = 0;
    } else if (control == quanw) {
        quanw->clear();
    }
}

void LabelRequestEntry::doubleClicked(QObject* control) {
    if (control == Prezzow)
        registry().open(QStringLiteral("tarvo08b"));
}

void LabelRequestEntry::chiaro() {
    for (QLineEdit* e : {quanw, eanw, codcasaw})
        ui::setBackground(e, ui::color(ui::kWindowBackground));
    ui::setBackground(Command5, ui::color(ui::kActiveBorder));
}

} // namespace labels
