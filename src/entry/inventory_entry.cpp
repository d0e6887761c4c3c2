#include "entry/inventory_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/readings.h"
#include "data/decimal.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace entry {

using articles::LookupEnd;
using ui::rgb;

namespace {

ScanEntry::Options inventoryOptions() {
    ScanEntry::Options o;
    o.caption = QStringLiteral("Immissione Inventario");
    o.listScreen = QStringLiteral("tarvo06");
    return o; // the lookup profile's defaults are the inventory's
}

const QString kPopup = QStringLiteral("tarvo05er");

// The keypad, in rows of four keys of 1335 x 735 twips.
const ui::Key kKeys[] = {
    {"Command2", "7", 120, 240},    {"Command3", "8", 1560, 240},
    {"Command10", "9", 3000, 240},  {"Command14", "0", 4440, 240},
    {"Command8", "4", 120, 1080},   {"Command9", "5", 1560, 1080},
    {"Command11", "6", 3000, 1080}, {"Command16", ",", 4440, 1080, rgb(255, 255, 128)},
    {"Command4", "1", 120, 2040},   {"Command6", "2", 1560, 2040},
    {"Command7", "3", 3000, 2040},  {"Command15", "CANC", 4440, 2040, rgb(255, 192, 192)},
};

} // namespace

InventoryEntry::InventoryEntry(ui::Services& services, QWidget* parent)
    : ScanEntry(QStringLiteral("tarvo05"), inventoryOptions(), services, parent) {
    setInnerSize(6135, 6840);
    ui::setBackground(Command5, rgb(128, 128, 255));
    // Labels of the order screens that this screen never fills, kept for the
    // layout of the family; nothing to show here.
    const char* idle[] = {"Q.Ord.prec.", "Data ord.pr.", "Marg."};
    for (int i = 0; i < 3; ++i)
        ui::label(this, nullptr, QString::fromLatin1(idle[i]), {4800, 780 + 240 * i, 1300, 240},
                  ui::kSmallFont)
            ->hide();
    Frame1 = ui::keypad(this, "Frame1", rgb(192, 255, 255), {120, 3480, 5895, 2895}, kKeys, 1335, 735,
                        [this](const QString& key) { keypad(key); });
}

void InventoryEntry::keypad(const QString& key) {
    if (key == QLatin1String("CANC"))
        quanw->clear();
    else
        quanw->setText(quanw->text() + key);
    quanw->update();
}

void InventoryEntry::wrongQuantity() {
    messages().plain(QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"), this);
    quanw->clear();
    quanw->setFocus();
}

void InventoryEntry::quanw_Enter() {
    // A scan in the wrong field: say so. The steps go on and store nothing,
    // the field being empty.
    if (articles::looksLikeScannedCode(quanw->text()))
        wrongQuantity();
    storeTypedCount();
}

void InventoryEntry::Command5_Click() {
    if (eanw->text().trimmed().isEmpty())
        return;
    // This button stores a count above 1000 without asking, but never a
    // barcode read into the quantity field (999999 or more): that is said
    // as Enter says it, and nothing is stored.
    if (const auto q = articles::regionalNumber(quanw->text())) {
        const auto count = data::Decimal::fromDouble(*q, 3);
        if (!count || (!count->isZero() && !articles::storableCount(*count)))
            wrongQuantity();
    }
    storeTypedCount();
}

bool InventoryEntry::accepted() const {
    return !acceptedEan_.isEmpty() && state().ean.trimmed() == acceptedEan_.trimmed();
}

void InventoryEntry::acceptArticle(const QString& ean, std::int32_t code) {
    acceptedEan_ = ean;
    state().ean = ean;
    state().articleCode = code;
    eanw->setText(state().ean.text());
    codcasaw->setText(code != 0 ? QString::number(code) : QString());
    quanw->clear();
    quanw->setFocus();
}

void InventoryEntry::storeTypedCount() {
    normaliseEan();
    const LookupEnd end = anagr();
    if (end == LookupEnd::DatabaseError)
        return; // said once: the action stops here
    if (end == LookupEnd::NoPriceListRow && !accepted()) {
        missingArticle();
        return;
    }
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    const auto q = documents::typedCount(quanw->text());
    if (!q || !articles::storableCount(*q)) {
        quanw->clear();
        quanw->setFocus();
        return;
    }
    carica();
}

void InventoryEntry::carica() {
    state().ean = eanw->text();
    const data::Database store = storeDb();
    if (reportError(store.error()))
        return;
    if (state().ean.trimmed().isEmpty() && state().articleCode == 0) {
        missingArticle();
        return;
    }
    // A read that fails is said and stops the store: never a guess that the
    // article is missing.
    data::Error e;
    if (const auto code = articles::codeOfEan(store, state().ean.text(), &e))
        state().articleCode = *code;
    else if (reportError(e))
        return;
    const bool priced = state().articleCode != 0 && articles::priceListRow(store, state().articleCode, &e);
    if (reportError(e))
        return;
    if (!priced && !accepted()) {
        missingArticle();
        return;
    }
    if (!state().ean.blankPrefix(6)) {
        if (quanw->text().isEmpty())
            quanw->setText(QStringLiteral("0"));
        const data::Decimal q = documents::typedCount(quanw->text()).value_or(data::Decimal());
        if (reportError(
                documents::storeInventoryLine(store, state(), state().articleCode, state().ean.text(), q))) {
            // Nothing was written: the scan and the count stay on the screen
            // for the operator to press again.
            quanw->setFocus();
            return;
        }
        acceptedEan_.clear();
        eanw->setFocus();
        clearFields();
        state().ean = QString();
        // The operator's lines are this screen's lines: the total moves by
        // what was stored. After stepping it is summed again.
        if (onOperatorLines())
            addToTotal(q);
        else
            caltot();
        return;
    }
    clearFields();
    state().ean = QString();
    caltot();
}

void InventoryEntry::missingArticle() {
    // The entry gives way to the pop-up, which reopens it.
    const QString ean =
        state().ean.blankPrefix(13) ? articles::normaliseEanField(eanw->text()) : state().ean.text();
    const auto q = documents::typedCount(quanw->text());
    close();
    if (auto* popup = qobject_cast<MissingArticlePopup*>(registry().open(kPopup)))
        popup->setPending(ean, q);
}

// ---------------------------------------------------------------------------

MissingArticlePopup::MissingArticlePopup(ui::Services& services, QWidget* parent)
    : Screen(kPopup, services, parent) {
    setWindowTitle(QStringLiteral("Immissione Ordine"));
    setInnerSize(4800, 3600);
    const ui::Font font{12, true};
    QLabel* text = ui::label(this, "Label1",
                             QStringLiteral("       ATTENZIONE ! ! !") + QString(58, QLatin1Char(' ')) +
                                 QStringLiteral("Codice articolo non presente in archivio") +
                                 QString(42, QLatin1Char(' ')) + QStringLiteral("Lo vuoi inserire ?"),
                             {120, 120, 4560, 1800}, font);
    text->setWordWrap(true);
    ui::choice(this, "Label2", QStringLiteral("     SI"), rgb(128, 255, 128), {120, 2280, 2160, 735}, font,
               [this] { si_Click(); });
    ui::choice(this, "Label3", QStringLiteral("     NO"), rgb(255, 192, 192), {2520, 2280, 2160, 735}, font,
               [this] { no_Click(); });
}

void MissingArticlePopup::Form_Load() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
}

void MissingArticlePopup::setPending(const QString& ean, std::optional<data::Decimal> quantity) {
    ean_ = ean;
    quantity_ = quantity;
}

void MissingArticlePopup::si_Click() {
    // The count is kept: the line is stored under its EAN, with the article
    // code of its EAN rows when it has some and the article fields empty; the
    // inventory transfer writes it with its placeholders. Without a count yet
    // (the pop-up came at the scan) the entry shows the EAN again for the
    // operator to type it.
    close();
    const data::Database store = storeDb();
    if (ean_.trimmed().isEmpty() || reportError(store.error())) {
        state().ean = QString();
        registry().open(QStringLiteral("tarvo05"));
        return;
    }
    data::Error e;
    const std::int32_t code = articles::codeOfEan(store, ean_, &e).value_or(0);
    if (!reportError(e) && quantity_ && articles::storableCount(*quantity_)) {
        reportError(documents::storeInventoryLine(store, state(), code, ean_, *quantity_));
        state().ean = QString();
        registry().open(QStringLiteral("tarvo05"));
        return;
    }
    state().ean = QString();
    if (auto* entry = qobject_cast<InventoryEntry*>(registry().open(QStringLiteral("tarvo05"))); entry && !e)
        entry->acceptArticle(ean_, code);
}

void MissingArticlePopup::no_Click() {
    close();
    state().ean = QString();
    if (ui::Screen* e = registry().open(QStringLiteral("tarvo05")))
        if (auto* eanw = e->findChild<QLineEdit*>(QStringLiteral("eanw")))
            eanw->setFocus();
}

} // namespace entry
