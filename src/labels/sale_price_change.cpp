#include "labels/sale_price_change.h"

#include "articles/amount_formatter.h"
#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/lookup.h"
#include "articles/prices.h"
#include "articles/readings.h"
#include "data/table.h"
#include "documents/price_store.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QLineEdit>
#include <QPushButton>

namespace labels {

using data::Decimal;
using ui::rgb;

namespace {

const QString kMarginZero = QStringLiteral("ATTENZIONE ! Margine = 0 ");
const QString kNoSalePrice = QStringLiteral("ATTENZIONE ! Inserire il prezzo di vendita");
const QColor kMarginColour = rgb(255, 192, 192); // the margin field's own light red

// Numbers below this typed in the EAN field are tried as internal article codes first.
constexpr qulonglong kInternalCodesBelow = 999999999ULL;

} // namespace

SalePriceChange::SalePriceChange(ui::Services& services, QWidget* parent)
    : ArticleScreen(QStringLiteral("tarvo08b"), services, parent) {
    setWindowTitle(QStringLiteral("Modifica Prezzo Vendta"));
    setInnerSize(6135, 3780);
    eanw = entryField("eanw", QStringLiteral("Codice Ean/Articolo"), {120, 60, 2400}, false);
    codicelorvw = entryField("codicelorvw", {}, {2640, 300, 1200}, true);
    codcasaw = entryField("codcasaw", QStringLiteral("Cod.Articolo"), {3960, 60, 1200}, false);
    descrw = entryField("descrw", QStringLiteral("Descrizione"), {120, 780, 5880}, true);
    costow = entryField("costow", QStringLiteral("Costo + Iva"), {120, 1500, 1440}, true);
    Prezzow = entryField("Prezzow", QStringLiteral("Prezzo Vendita"), {1680, 1500, 1440}, true);
    offew = entryField("offew", QStringLiteral("Prezzo Promo"), {3240, 1500, 1440}, true);
    margw = entryField("margw", QStringLiteral("% Margine"), {4800, 1500, 1200}, false);
    nuovopvw = entryField("nuovopvw", QStringLiteral("Nuovo prezzo Vendita"), {120, 2220, 2000}, false);
    ricaw = entryField("ricaw", QStringLiteral("% Ricarica"), {2640, 2220, 1440}, false);
    Command5 = ui::button(this, "Command5", QStringLiteral("Conferma"), {}, {120, 3000, 1400, 615});
    Command13 =
        ui::button(this, "Command13", QStringLiteral("Nuovo"), rgb(192, 255, 192), {1600, 3000, 1400, 615});
    Command13b = ui::button(this, "Command13_1", QStringLiteral("Annulla"), rgb(192, 255, 192),
                            {3080, 3000, 1400, 615});
    Command1 = ui::button(this, "Command1", QStringLiteral("Uscita"), ui::color(ui::kButtonFace),
                          {4560, 3000, 1440, 615});
    highlightOnFocus({eanw, codcasaw, margw, nuovopvw, Command5}, {margw, nuovopvw});
    chiaro();

    connect(eanw, &QLineEdit::returnPressed, this, &SalePriceChange::eanw_Enter);
    connect(codcasaw, &QLineEdit::returnPressed, this, &SalePriceChange::codcasaw_Enter);
    connect(margw, &QLineEdit::returnPressed, this, &SalePriceChange::margw_Enter);
    connect(nuovopvw, &QLineEdit::returnPressed, this, &SalePriceChange::nuovopvw_Enter);
    connect(ricaw, &QLineEdit::textChanged, this, &SalePriceChange::ricaw_Change);
    connect(Command5, &QPushButton::clicked, this, &SalePriceChange::Command5_Click);
    connect(Command13, &QPushButton::clicked, this, &SalePriceChange::Command13_Click);
    connect(Command13b, &QPushButton::clicked, this, &SalePriceChange::Command13_Click);
    connect(Command1, &QPushButton::clicked, this, &SalePriceChange::Command1_Click);
}

void SalePriceChange::Form_Load() {
    eanw->clear();
    if (!opensOnArchive())
        return;
    if (state().ean.blankPrefix(5)) {
        eanw->setFocus();
        return;
    }
    // Opened on an article (the double click on the sale price of the label
    // requests): its code goes into the EAN field, which the price display
    // and the store work from, so the article's prices show and a new one can
    // be stored.
    eanw->setText(state().ean.text());
    if (anagr() == Shown::Article) {
        nuovopvw->setFocus();
        nuovopvw->selectAll();
    }
}

void SalePriceChange::clearArticle() {
    for (QLineEdit* e : {descrw, codcasaw, costow, Prezzow, offew, margw, nuovopvw})
        e->clear();
}

void SalePriceChange::eanw_Enter() {
    if (eanw->text().isEmpty())
        return;
    state().ean = QString();
    state().articleCode = 0;
    clearArticle();
    // A 12-digit UPC becomes its 13-digit EAN.
    if (eanw->text().size() == 12)
        eanw->setText(QLatin1Char('0') + eanw->text());
    const QString t = eanw->text().trimmed();
    const data::Database store = storeDb();
    if (reportError(store.error()))
        return;
    bool number = articles::isDigitCode(t);
    if (number) {
        bool ok = false;
        const qulonglong n = t.toULongLong(&ok);
        bool hit = false;
        if (ok && n < kInternalCodesBelow) {
            // An internal article code, as typed, then without its last digit,
            // then without its last two.
            for (const qulonglong code : {n, n / 10, n / 100}) {
                data::Error e;
                const auto ean = articles::eanOfCode(store, qlonglong(code), &e);
                if (reportError(e))
                    return;
                if (ean) {
                    state().ean = *ean;
                    eanw->setText(*ean);
                    state().articleCode = std::int32_t(code);
                    hit = true;
                    break;
                }
            }
        }
        if (!hit) {
            const auto ean = articles::ean13FromDigits(t);
            number = ean.has_value(); // more than 13 digits are no EAN
            if (ean) {
                state().ean = *ean;
                data::Error e;
                if (const auto code = articles::codeOfEan(store, state().ean.text(), &e))
                    state().articleCode = *code;
                if (reportError(e))
                    return;
            }
        }
    }
    codicelorvw->setText(QString::number(state().articleCode));
    // Letters, signs or wildcards typed by hand name no article.
    const Shown shown = number ? anagr() : Shown::NotInCodean;
    if (!number)
        descrw->setText(articles::kNoArticle);
    if (descrw->text().startsWith(QLatin1String("????"))) {
        chiaro();
    } else if (shown == Shown::Article) {
        nuovopvw->setFocus();
        nuovopvw->selectAll();
    }
}

SalePriceChange::Shown SalePriceChange::anagr() {
    const data::Database store = storeDb();
    if (reportError(store.error()))
        return Shown::Failed;
    if (!state().ean.blankPrefix(5)) {
        data::Error e;
        const auto code = articles::codeOfEan(store, state().ean.text(), &e);
        if (reportError(e))
            return Shown::Failed;
        if (!code) {
            descrw->setText(articles::kNoArticle);
            return Shown::NotInCodean;
        }
        state().articleCode = *code;
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
    descrw->setText(listi->value(QStringLiteral("desart")).toString());
    codcasaw->setText(QString::number(state().articleCode));
    costow->setText(articles::costWithVat(listi->value(QStringLiteral("cofart")).toDouble(),
                                          listi->value(QStringLiteral("ivart")).toString())
                        .text);
    l_prezzo();
    return Shown::Article;
}

void SalePriceChange::l_prezzo() {
    // The price display of this screen: by the code in the EAN field, the
    // offer shown only between its first and last day; the new price field
    // starts from the current price. A field without a code shows nothing.
    const auto ean = articles::ean13FromDigits(eanw->text());
    state().ean = ean.value_or(eanw->text());
    if (!ean)
        return;
    const data::Database store = storeDb();
    data::Error e;
    const auto code = articles::codeOfEan(store, *ean, &e);
    if (reportError(e) || !code || *code == 0)
        return;
    const auto listi = priceList(store, *code);
    if (!listi)
        return;
    const articles::PriceFields f = articles::showDatedOffer(
        articles::articlePrices(*listi), {Prezzow->text(), costow->text(), offew->text(), margw->text()},
        clock().today());
    Prezzow->setText(f.price);
    nuovopvw->setText(f.price);
    costow->setText(f.cost);
    offew->setText(f.offer);
    margw->setText(f.margin);
}

void SalePriceChange::ricaw_Change() {
    if (articles::regionalNumber(ricaw->text()))
        calcola_daRic();
}

void SalePriceChange::calcola_daRic() {
    const articles::MarkupOutcome o =
        articles::priceFromMarkup(nuovopvw->text(), ricaw->text(), costow->text());
    if (o.nullCostShown)
        messages().info(articles::kNullCost, this);
    if (!o.message.isEmpty()) {
        messages().info(o.message, this);
        switch (o.focus) {
        case articles::MarkupFocus::NewPrice:
            nuovopvw->setFocus();
            break;
        case articles::MarkupFocus::Markup:
            ricaw->setFocus();
            break;
        case articles::MarkupFocus::Cost:
            costow->setFocus();
            break;
        case articles::MarkupFocus::Unchanged:
            break;
        }
        return;
    }
    if (o.newPrice)
        nuovopvw->setText(*o.newPrice);
    if (o.margin)
        margw->setText(*o.margin);
}

void SalePriceChange::margw_Enter() {
    const articles::MarginOutcome o =
        articles::priceFromMargin(margw->text(), nuovopvw->text(), costow->text());
    if (o.status != articles::MarginOutcome::Status::Computed)
        return;
    nuovopvw->setText(o.newPrice);
    margw->setText(o.margin);
    nuovopvw->setFocus();
}

std::optional<Decimal> SalePriceChange::formattedNewPrice() {
    state().amountText = nuovopvw->text();
    articles::formatSharedAmount(state());
    nuovopvw->setText(state().amountText);
    const auto value = articles::regionalNumber(nuovopvw->text());
    const auto price = value ? Decimal::fromDouble(*value, 2) : std::nullopt;
    // 0,001 reads as a number but formats to 0,00: no price of 0 is ever stored.
    if (!price || price->sign() <= 0)
        return std::nullopt;
    return price;
}

void SalePriceChange::nuovopvw_Enter() {
    const auto price = articles::regionalNumber(nuovopvw->text()) ? formattedNewPrice() : std::nullopt;
    if (!price) {
        nuovopvw->clear();
        nuovopvw->setFocus();
        return;
    }
    carica(*price);
}

void SalePriceChange::refuse(QLineEdit* field, const QString& message) {
    messages().plain(message, this);
    field->clear();
    field->setFocus();
}

void SalePriceChange::Command5_Click() {
    if (!articles::regionalNumber(margw->text()))
        return refuse(margw, kMarginZero);
    const auto typed = articles::regionalNumber(nuovopvw->text());
    if (!typed || *typed == 0)
        return refuse(nuovopvw, kNoSalePrice);
    const auto price = formattedNewPrice();
    if (!price)
        return refuse(nuovopvw, kNoSalePrice);
    const auto margin = articles::regionalNumber(margw->text());
    if (margw->text().trimmed().isEmpty() || !margin || *margin == 0)
        return refuse(margw, kMarginZero);
    carica(*price);
}

void SalePriceChange::carica(Decimal newPrice) {
    QString typed = eanw->text();
    if (!typed.isEmpty() && typed.size() < 13)
        typed = articles::ean13FromDigits(typed).value_or(typed);
    state().ean = typed;
    if (state().ean.trimmed().isEmpty())
        eanw->setFocus();
    // The margin goes into the price list with the price; a margin field that
    // holds something other than a number stores nothing at all.
    std::optional<Decimal> margin;
    if (!margw->text().trimmed().isEmpty()) {
        const auto m = articles::regionalNumber(margw->text());
        margin = m ? Decimal::fromDouble(*m, 4) : std::nullopt;
        if (!margin)
            return refuse(margw, kMarginZero);
    }
    const documents::SalePriceStore r =
        documents::storeSalePrice(storeDb(), state().ean.text(), newPrice, margin);
    switch (r.status) {
    case documents::SalePriceStore::Status::Failed:
        // Nothing was written: the screen stays as it is, for another try.
        reportError(r.error);
        return;
    case documents::SalePriceStore::Status::UnknownEan:
        critical(kNoPriceList);
        break;
    case documents::SalePriceStore::Status::Stored:
        state().articleCode = r.code;
        eanw->clear();
        break;
    }
    for (QLineEdit* e : {descrw, codcasaw, Prezzow, costow, margw, offew})
        e->clear();
    eanw->setFocus();
    state().ean = QString();
    for (QLineEdit* e : {nuovopvw, codicelorvw, ricaw})
        e->clear();
}

void SalePriceChange::codcasaw_Enter() {
    state().ean = QString();
    state().articleCode = typedCode(codcasaw->text());
    // The article is shown by its code alone: description, code and cost.
    // The EAN field is emptied with the prices, so neither a price of the
    // article shown before nor a store onto it can follow.
    const QString typed = codcasaw->text();
    clearArticle();
    eanw->clear();
    codicelorvw->clear();
    codcasaw->setText(typed);
    anagr();
    eanw->setFocus();
}

void SalePriceChange::Command13_Click() {
    // The markup field keeps its text.
    for (QLineEdit* e : {eanw, descrw, codcasaw, Prezzow, costow, margw, offew})
        e->clear();
    state().ean = QString();
    nuovopvw->clear();
    codicelorvw->clear();
    eanw->setFocus();
}

void SalePriceChange::Command1_Click() {
    state().ean = QString();
    close();
}

void SalePriceChange::clicked(QObject* control) {
    if (control == eanw) {
        state().ean = eanw->text();
        state().articleCode = 0;
    } else if (control == nuovopvw) {
        nuovopvw->clear();
    }
}

void SalePriceChange::chiaro() {
    for (QLineEdit* e : {nuovopvw, eanw, codcasaw})
        ui::setBackground(e, ui::color(ui::kWindowBackground));
    ui::setBackground(margw, kMarginColour);
    ui::setBackground(Command5, ui::color(ui::kActiveBorder));
}

} // namespace labels
