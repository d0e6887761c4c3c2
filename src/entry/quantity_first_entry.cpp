#include "entry/quantity_first_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/pictures.h"
#include "articles/prices.h"
#include "articles/readings.h"
#include "data/table.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/messages.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace entry {

using articles::LookupEnd;
using data::Decimal;

namespace {

const QString kNoSuchArticle = QStringLiteral("ATTENZIONE !!!! Articolo inesistente ...");
const QString kWrongQuantity = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");

ScanEntry::Options optionsOf(const QuantityFirstEntry::Kind& k) {
    ScanEntry::Options o;
    o.caption = k.caption;
    o.profile.linesTable = k.lines.table;
    o.profile.linesFilter = k.lines.linesFilter;
    o.profile.perOperator = false;
    o.profile.articlesPath = &state::SharedState::workDbPath;
    o.profile.linesPath = &state::SharedState::workDbPath;
    o.stepKeepsLines = true;
    return o;
}

} // namespace

QuantityFirstEntry::Kind QuantityFirstEntry::returns() {
    return {.name = QStringLiteral("tarvo02r"),
            .caption = QStringLiteral("Immissione Resi"),
            .totalCaption = QStringLiteral("Totale Resi"),
            .storedCaption = QStringLiteral("Q.Inserita"),
            .lines = documents::QuantityFirstTable::returns(),
            .refusesEmptyDescription = true,
            .storesAndDeletes = false};
}

QuantityFirstEntry::Kind QuantityFirstEntry::supplierOrder() {
    return {.name = QStringLiteral("tarvo02f"),
            .caption = QStringLiteral("Immissione Ordine"),
            .totalCaption = QStringLiteral("Totale Ordine"),
            .storedCaption = QStringLiteral("Q.Ordinata"),
            .lines = documents::QuantityFirstTable::supplierOrder(),
            .refusesEmptyDescription = false,
            .storesAndDeletes = true};
}

QuantityFirstEntry::QuantityFirstEntry(const Kind& kind, ui::Services& services, QWidget* parent)
    : ScanEntry(kind.name, optionsOf(kind), services, parent)
    , kind_(kind) {
    setInnerSize(6135, 3500);
    placeField(codcasaw, QStringLiteral("Cod.Interno"), 2640, 60, 1200);
    placeField(costow, QStringLiteral("Costo + Iva"), 120, 1260, 1440);
    placeField(Prezzow, QStringLiteral("Prezzo Ven."), 1680, 1260, 1440);
    margw = entryField("margw", QStringLiteral("Marg."), 3240, 1260, 1440, true);
    placeField(quanw, QStringLiteral("Quantità"), 120, 1980, 1440);
    placeField(qinvw, kind.storedCaption, 1680, 1980, 1440);
    placeField(totqw, kind.totalCaption, 3240, 1980, 1440);
    for (QLineEdit* e : {operw, cimpw}) {
        placeField(e, {}, 0, 0, 0);
        e->hide();
    }
    showAsPicture(Command5, QStyle::SP_DialogApplyButton, QStringLiteral("Conferma"));
    showAsPicture(Command1, QStyle::SP_DialogCloseButton, QStringLiteral("Uscita programma"));
    Command5->setVisible(kind.storesAndDeletes);
    Command12->setVisible(kind.storesAndDeletes);
}

bool QuantityFirstEntry::eventFilter(QObject* watched, QEvent* event) {
    // The EAN field selects its text on the focus, so a scan replaces it.
    if (watched == eanw && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, eanw, &QLineEdit::selectAll);
    return ScanEntry::eventFilter(watched, event);
}

LookupEnd QuantityFirstEntry::anagr() {
    eanw->setText(state().ean.text());
    const data::Database work = workDb();
    if (reportError(work.error()))
        return LookupEnd::DatabaseError;
    const data::ReadScope reading(work);
    data::Error e;
    if (!state().ean.blankPrefix(5)) {
        if (const auto code = articles::codeOfEan(work, state().ean.text(), &e)) {
            state().articleCode = *code;
        } else if (!e) {
            // An in-store EAN carries the article code in its characters 4 to 12.
            const std::int32_t inEan = articles::codeInEan(state().ean.text());
            const bool priced = inEan != 0 && articles::priceListRow(work, inEan, &e);
            if (!priced && !e) {
                descrw->setText(articles::kNoArticle);
                return LookupEnd::NotInCodean;
            }
            state().articleCode = inEan;
        }
        if (reportError(e))
            return LookupEnd::DatabaseError;
    }
    const std::int32_t code = state().articleCode;
    const auto key = documents::lineKeyOf(work, state().ean.text(), code, &e);
    const auto stored = key ? documents::storedPackages(work, kind_.lines, *key, &e) : std::nullopt;
    if (reportError(e))
        return LookupEnd::DatabaseError;
    if (stored)
        qinvw->setText(stored->toItalian());
    if (code == 0)
        return LookupEnd::NoArticle;
    const auto listi = articles::priceListRow(work, code, &e);
    if (reportError(e))
        return LookupEnd::DatabaseError;
    if (!listi)
        return LookupEnd::NoPriceListRow;
    if (documents::typedCount(quanw->text()).value_or(Decimal()).isZero())
        quanw->setText(QStringLiteral("1"));
    descrw->setText(listi->value(QStringLiteral("desart")).toString());
    codcasaw->setText(QString::number(code));
    const QVariant pack = listi->value(QStringLiteral("imbart"));
    imballow->setText(pack.isNull() ? QString() : articles::plainNumber(pack.toDouble()));
    costow->setText(
        articles::picture(listi->value(QStringLiteral("przart")).toDouble(), articles::Picture::Amount5));
    // Price and margin of the article found, against the cost just shown.
    articles::ArticlePrices a;
    a.przpub = listi->value(QStringLiteral("przpub")).toDouble();
    const articles::PriceFields f =
        articles::showPriceOnly(a, {Prezzow->text(), costow->text(), QString(), margw->text()});
    Prezzow->setText(f.price);
    margw->setText(f.margin);
    return LookupEnd::Shown;
}

void QuantityFirstEntry::eanw_Enter() {
    if (eanw->text().trimmed().isEmpty())
        return;
    // A new scan: nothing of the article shown before stays.
    state().ean = QString();
    state().articleCode = 0;
    for (QLineEdit* e : {codcasaw, descrw, imballow, costow, Prezzow, margw, qinvw})
        e->clear();
    state().ean = articles::quantityFirstEan(eanw->text());
    const LookupEnd end = anagr();
    if (end == LookupEnd::Shown && !documents::typedCount(quanw->text()).value_or(Decimal()).isZero()) {
        carica(); // the scan stores the line at once
        return;
    }
    if (end == LookupEnd::NoPriceListRow)
        missingArticle();
    eanw->clear();
    eanw->setFocus();
}

void QuantityFirstEntry::quanw_Enter() {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    carica();
}

void QuantityFirstEntry::Command5_Click() {
    carica();
}

void QuantityFirstEntry::carica() {
    const auto packages = documents::typedCount(quanw->text());
    if (!packages || !articles::storableCount(*packages)) {
        messages().plain(kWrongQuantity, this);
        quanw->clear();
        quanw->setFocus();
        return;
    }
    if (kind_.refusesEmptyDescription && descrw->text().isEmpty()) {
        articleMissing();
        afterStore();
        return;
    }
    const data::Database work = workDb();
    if (reportError(work.error()))
        return;
    data::Error e;
    if (!state().ean.blankPrefix(5))
        if (const auto code = articles::codeOfEan(work, state().ean.text(), &e))
            state().articleCode = *code;
    // Only an article of the price list is stored: a line without one would
    // leave its document line without cost, pack or stock to move.
    const bool priced =
        !e && state().articleCode != 0 && articles::priceListRow(work, state().articleCode, &e);
    if (reportError(e))
        return;
    if (!priced) {
        articleMissing();
        afterStore();
        return;
    }
    const auto key = documents::lineKeyOf(work, state().ean.text(), state().articleCode, &e);
    if (reportError(e))
        return;
    const documents::QuantityFirstScan scan{state().articleCode, *key, descrw->text(), *packages};
    // A failed store keeps the fields: the operator scans or presses again.
    if (reportError(documents::storeQuantityFirstLine(work, kind_.lines, state(), scan)))
        return;
    eanw->clear();
    afterStore();
}

void QuantityFirstEntry::afterStore() {
    // The shared EAN stays: Enter in the quantity stores the same EAN again.
    quanw->setText(QStringLiteral("1"));
    for (QLineEdit* e : {descrw, codcasaw, imballow, qinvw, costow, Prezzow, margw})
        e->clear();
    eanw->setFocus();
    caltot();
}

std::optional<documents::LineKey> QuantityFirstEntry::shownKey() {
    const QString ean =
        eanw->text().trimmed().isEmpty() ? QString() : articles::quantityFirstEan(eanw->text());
    const std::int32_t code =
        articles::isDigitCode(codcasaw->text()) ? codcasaw->text().trimmed().toInt() : 0;
    if (ean.isEmpty() && code == 0)
        return std::nullopt;
    data::Error e;
    const auto key = documents::lineKeyOf(workDb(), ean, code, &e);
    reportError(e);
    return key;
}

void QuantityFirstEntry::Command12_Click() {
    // No question; the total stays as it is until the next store.
    if (const auto key = shownKey())
        reportError(documents::deleteQuantityFirstLine(workDb(), kind_.lines, *key));
    for (QLineEdit* e : {eanw, quanw, descrw, codcasaw, imballow})
        e->clear();
    eanw->setFocus();
}

void QuantityFirstEntry::Command13_Click() {
    state().ean = QString();
    for (QLineEdit* e : {eanw, quanw, descrw, codcasaw, imballow, qinvw, costow, Prezzow, margw})
        e->clear();
    eanw->setFocus();
}

void QuantityFirstEntry::articleMissing() {
    messages().show(
        {kNoSuchArticle, {}, ui::Message::Icon::Critical, ui::Message::Buttons::Ok, ui::Message::Answer::Ok},
        this);
    eanw->setFocus();
}

void QuantityFirstEntry::missingArticle() {
    articleMissing();
}

} // namespace entry
