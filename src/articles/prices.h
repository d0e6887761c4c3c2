// Price arithmetic of the screens: cost with VAT, the price display of an
// article (three variants), the new sale price from a markup or a margin, and
// the pack price of an EAN. Pure rules on values and field texts: the screens
// seek the article tables, then call these and put the texts in their fields.
#pragma once

#include "articles/money.h"

#include <QDate>
#include <QString>
#include <optional>

namespace articles {

// The price data of one price-list row (listi01).
struct ArticlePrices {
    double cofart = 0;            // purchase cost without VAT
    QString ivart;                // VAT rate in percent, as text ("04", "10", "21")
    double przpub = 0;            // sale price, VAT included
    std::optional<double> przsal; // offer price, VAT included; Null when none
    double cosoff = 0;            // purchase cost without VAT during the offer
    std::optional<QDate> data1;   // first day of the offer
    std::optional<QDate> data2;   // last day of the offer
};

// The texts of the price display fields: price (Prezzow), cost with VAT
// (costow), offer (offew) and margin (margw).
struct PriceFields {
    QString price;
    QString cost;
    QString offer;
    QString margin;
    friend bool operator==(const PriceFields&, const PriceFields&) = default;
};

// The VAT rate of the article: the leading number of its VAT text ("04" is 4,
// an empty or alphabetic text is 0).
double vatRate(const QString& ivart);

struct CostWithVat {
    double value = 0;
    QString text; // "##,##0.00"
    bool vatAdded = false;
};

// The cost shown as "Costo + Iva": the VAT, rounded to cents, is added only
// for a rate below 50; at 50 or more the cost stands as it is.
CostWithVat costWithVat(double cost, const QString& ivart);

// Price display of the screens that show an offer only between its first and
// last day (sale price change, order entry). The price field gets przpub (the
// sale price change screen also puts it in its new price field); the cost
// field gets the cost with VAT, the offer cost while the offer runs, and keeps
// its text when the rate is 50 or more; the offer field gets the offer price or
// "0"; the margin field the margin on the offer price, or on the sale price.
PriceFields showDatedOffer(const ArticlePrices& a, const PriceFields& current, const QDate& today);

// Price display of the shelf label requests: the offer is shown whenever the
// offer price has a value, 0 included; no dates are consulted.
PriceFields showUndatedOffer(const ArticlePrices& a, const PriceFields& current);

// Price display of the returns and supplier order entry: the sale price and the
// margin against the screen's own cost field; cost and offer are not touched.
PriceFields showPriceOnly(const ArticlePrices& a, const PriceFields& current);

// Margin rule shared by the displays: when a field text read here is no
// number, the margin field keeps its text and the other fields still show
// their figures.

// Field that receives the focus after the markup price.
enum class MarkupFocus { Unchanged, NewPrice, Markup, Cost };

struct MarkupOutcome {
    QString message; // message box text to show, empty for none
    MarkupFocus focus = MarkupFocus::Unchanged;
    bool nullCostShown = false;      // the null-cost warning was shown first
    std::optional<QString> newPrice; // new price field, "#,###,##0.00"
    std::optional<QString> margin;   // margin field, plain regional number
};

// The messages of the markup price, with their exact texts.
inline const QString kInvalidNewPrice = QStringLiteral("Il prezzo al pubblico non contiene dati validi !!!");
inline const QString kInvalidMarkup = QStringLiteral("La ricarica non contiene dati validi !!!");
inline const QString kInvalidCost = QStringLiteral("Il costo base non contiene dati validi !!!");
inline const QString kNullCost = QStringLiteral("ATTENZIONE!!! Il costo finito non deve risultare nullo ...");
inline const QString kMarkupTooHigh =
    QStringLiteral("ATTENZIONE!!! La ricarica non può essere maggiore del 1000 % ...");

// New sale price from a markup on the cost with VAT (calcola_daRic), worked in
// four-decimal currency, rounded to cents and moved to a cents ending of 0 or
// 5. Each of the three fields must read as a number; a markup whose whole part
// is above 1000 is refused. When the cost is 0 the null-cost warning is shown
// and the price is still worked out (0,00). The margin is written only for a
// price other than 0. A cost beyond the currency range counts as invalid cost
// data, a price beyond it as invalid markup data.
MarkupOutcome priceFromMarkup(const QString& newPriceField, const QString& markupField,
                              const QString& costField);

// The cents-ending rule of the markup price: a price ending in 1 or 2 cents
// goes down to 0, in 3 or 4 up to 5, in 6 or 7 down to 5, in 8 or 9 up to the
// next ten cents. nullopt only at the very end of the currency range.
std::optional<Money> withCentsEnding(Money price);

struct MarginOutcome {
    enum class Status {
        NotApplicable, // margin empty or reading 0, or a new price already typed
        Computed,      // both fields rewritten, focus to the new price field
        Unreadable,    // cost or margin is no number: nothing changes
        NoPrice,       // a margin of 100 has no price: nothing changes
    };
    Status status = Status::NotApplicable;
    QString newPrice; // "##0.00" when computed
    QString margin;   // the margin rewritten in "##0.00" when computed
};

// New sale price from a margin on the price (Enter in the margin field): the
// cost divided by (1 - margin / 100). Applies only when the margin field is not
// empty and its leading number is not 0, and the new price field is empty. No
// cents-ending rule here. A margin of 100 (no price divides to it) and texts
// that are no numbers leave both fields and the focus as they are.
MarginOutcome priceFromMargin(const QString& marginField, const QString& newPriceField,
                              const QString& costField);

struct PackPrice {
    int pezzix = 1;     // pieces in the sale unit of the EAN
    double prezzox = 0; // price of the sale unit, rounded to cents
};

// Price of the sale unit of an EAN whose price is held per EAN: a Null or 0
// count of pieces becomes 1.
PackPrice packPrice(std::optional<int> pezzix, double newPrice);

} // namespace articles
