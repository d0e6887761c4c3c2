#include "articles/prices.h"

#include "articles/pictures.h"
#include "articles/readings.h"

#include <cmath>

namespace articles {

namespace {

// The margin from the texts now in the price and cost fields, as a percentage
// of `base`, in "##0.00"; nullopt when a text is no number or the margin has
// no finite value.
std::optional<QString> marginOn(const QString& priceText, const QString& costText, double base) {
    const auto price = regionalNumber(priceText);
    const auto cost = regionalNumber(costText);
    if (!price || !cost)
        return std::nullopt;
    const double margin = (*price - *cost) / base * 100;
    if (!std::isfinite(margin))
        return std::nullopt;
    return picture(margin, Picture::Plain);
}

// The margin of the displays with an offer: on the offer price while the offer
// field shows one, else on the sale price, else the field keeps its text. An
// offer field that reads 0 (the undated display shows "0,00" for an offer price
// of 0) counts as no offer, so nothing is divided by 0.
QString offerMargin(const PriceFields& f, double przpub, const QString& previous) {
    const auto offer = regionalNumber(f.offer);
    if (!offer)
        return previous;
    if (*offer != 0)
        return marginOn(f.price, f.cost, *offer).value_or(previous);
    if (przpub != 0)
        return marginOn(f.price, f.cost, przpub).value_or(previous);
    return previous;
}

} // namespace

double vatRate(const QString& ivart) {
    return leadingNumber(ivart);
}

CostWithVat costWithVat(double cost, const QString& ivart) {
    const double rate = vatRate(ivart);
    CostWithVat c;
    c.vatAdded = rate < 50;
    c.value = c.vatAdded ? cost + roundHalfEven(cost * rate / 100, 2) : cost;
    c.text = picture(c.value, Picture::Amount5);
    return c;
}

namespace {

// The sale price, and the cost with VAT where the VAT is added: what both
// offer displays show before the offer.
PriceFields withRegularPrice(const ArticlePrices& a, const PriceFields& current) {
    PriceFields f = current;
    f.price = picture(a.przpub, Picture::Amount5);
    if (const CostWithVat regular = costWithVat(a.cofart, a.ivart); regular.vatAdded)
        f.cost = regular.text;
    return f;
}

} // namespace

namespace {

// The offer displays after the regular price: the offer field shows the offer
// price when `shown`, else "0"; with `offerCost` the cost field shows the
// offer cost instead, where the VAT is added; then the margin.
PriceFields withOffer(const ArticlePrices& a, const PriceFields& current, bool shown, bool offerCost) {
    PriceFields f = withRegularPrice(a, current);
    f.offer = shown ? picture(*a.przsal, Picture::Amount5) : QStringLiteral("0");
    if (const CostWithVat c = costWithVat(a.cosoff, a.ivart); offerCost && c.vatAdded)
        f.cost = c.text;
    f.margin = offerMargin(f, a.przpub, current.margin);
    return f;
}

} // namespace

PriceFields showDatedOffer(const ArticlePrices& a, const PriceFields& current, const QDate& today) {
    const bool running = a.data1 && a.data2 && a.data1->isValid() && a.data2->isValid() &&
                         *a.data1 <= today && today <= *a.data2 && a.przsal && *a.przsal != 0;
    return withOffer(a, current, running, running);
}

PriceFields showUndatedOffer(const ArticlePrices& a, const PriceFields& current) {
    // Shown whenever the offer price has a value, 0 included; the offer cost
    // only for an offer price other than 0.
    return withOffer(a, current, a.przsal.has_value(), a.przsal && *a.przsal != 0);
}

PriceFields showPriceOnly(const ArticlePrices& a, const PriceFields& current) {
    PriceFields f = current;
    f.price = picture(a.przpub, Picture::Amount5);
    if (a.przpub != 0)
        f.margin = marginOn(f.price, f.cost, a.przpub).value_or(current.margin);
    return f;
}

std::optional<Money> withCentsEnding(Money price) {
    const Money cents = price.roundedToCents();
    // The cents digit of the amount above its whole euro (floor), so -2,54 is
    // read as 0,46 above -3 and ends in 6.
    const std::int64_t d = ((cents.units() / 100) % 10 + 10) % 10;
    std::int64_t shift = 0;
    if (d == 1 || d == 2)
        shift = -d;
    else if (d == 3 || d == 4)
        shift = 5 - d;
    else if (d == 6 || d == 7)
        shift = -(d - 5);
    else if (d == 8 || d == 9)
        shift = 10 - d;
    return cents + Money::fromUnits(shift * 100);
}

MarkupOutcome priceFromMarkup(const QString& newPriceField, const QString& markupField,
                              const QString& costField) {
    MarkupOutcome out;
    auto stop = [&out](const QString& message, MarkupFocus focus) {
        out.message = message;
        out.focus = focus;
        return out;
    };
    if (!regionalNumber(newPriceField))
        return stop(kInvalidNewPrice, MarkupFocus::NewPrice);
    const auto markup = regionalNumber(markupField);
    if (!markup)
        return stop(kInvalidMarkup, MarkupFocus::Markup);
    const auto costValue = regionalNumber(costField);
    if (!costValue)
        return stop(kInvalidCost, MarkupFocus::Cost);
    const auto cost = Money::fromDouble(*costValue);
    if (!cost)
        return stop(kInvalidCost, MarkupFocus::Cost);
    if (*cost == Money())
        out.nullCostShown = true;
    if (std::floor(*markup) > 1000)
        return stop(kMarkupTooHigh, MarkupFocus::Markup);

    const double k = *markup / 100;
    std::optional<Money> price;
    if (const auto rise = cost->times(k))
        price = *cost + *rise;
    if (price)
        price = withCentsEnding(*price);
    if (!price)
        return stop(kInvalidMarkup, MarkupFocus::Markup);

    out.newPrice = picture(price->toDouble(), Picture::Amount7);
    if (*price != Money()) {
        const auto gain = *price - *cost;
        const double g = gain ? gain->toDouble() : price->toDouble() - cost->toDouble();
        out.margin = plainNumber(roundHalfEven(g / price->toDouble() * 100, 2));
    }
    return out;
}

MarginOutcome priceFromMargin(const QString& marginField, const QString& newPriceField,
                              const QString& costField) {
    MarginOutcome out;
    if (marginField.isEmpty() || !newPriceField.isEmpty() || leadingNumber(marginField) == 0)
        return out;
    const auto margin = regionalNumber(marginField);
    const auto cost = regionalNumber(costField);
    if (!margin || !cost) {
        out.status = MarginOutcome::Status::Unreadable;
        return out;
    }
    const double divisor = 1 - *margin / 100;
    const double price = divisor == 0 ? 0 : *cost / divisor;
    if (divisor == 0 || !std::isfinite(price)) {
        out.status = MarginOutcome::Status::NoPrice;
        return out;
    }
    out.status = MarginOutcome::Status::Computed;
    out.newPrice = picture(price, Picture::Plain);
    out.margin = picture(*margin, Picture::Plain);
    return out;
}

PackPrice packPrice(std::optional<int> pezzix, double newPrice) {
    PackPrice p;
    p.pezzix = pezzix && *pezzix != 0 ? *pezzix : 1;
    p.prezzox = roundHalfEven(p.pezzix * newPrice, 2);
    return p;
}

} // namespace articles
