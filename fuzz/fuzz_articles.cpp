// Random bytes through the reading, picture, price and code rules: whatever
// the operator types or scans, none of them may crash or misbehave.
#include "articles/amount_text.h"
#include "articles/codes.h"
#include "articles/money.h"
#include "articles/pictures.h"
#include "articles/prices.h"
#include "articles/readings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace articles;

namespace {

// A small whole number from a read value, for counts and day offsets.
int small(double v) {
    return std::fabs(v) < 1e6 ? int(v) % 100 : 0;
}

void allPictures(double v) {
    for (Picture p : {Picture::Amount5, Picture::Amount6, Picture::Plain, Picture::Amount7})
        (void)picture(v, p);
    (void)plainNumber(v);
}

// One text through every rule that takes a single field text.
void oneText(const QString& t) {
    const auto regional = regionalNumber(t);
    const double leading = leadingNumber(t);
    allPictures(leading);
    if (regional) {
        allPictures(*regional);
        for (int decimals : {0, 2, 4})
            (void)roundHalfEven(*regional, decimals);
        if (const auto m = Money::fromDouble(*regional)) {
            (void)m->roundedToCents();
            (void)withCentsEnding(*m);
            (void)m->times(leading);
        }
        (void)packPrice(small(leading), *regional);
    }
    (void)roundHalfEven(leading, 2);
    (void)formatAmountText(t, true);
    (void)formatAmountText(t, false);
    (void)costWithVat(regional.value_or(0), t);

    (void)isDigitCode(t);
    (void)ean13FromDigits(t);
    const QString ean = normaliseEanField(t);
    (void)priceCarryingPrefix(t);
    (void)priceCarryingPrefix(ean);
    (void)embeddedPrice(t);
    (void)embeddedPrice(t.trimmed());
    (void)eanCheckDigit(t);
    (void)eanCheckDigit(ean);
}

// Three texts as the fields of the sale price change and the price displays.
void threeTexts(const QString& a, const QString& b, const QString& c) {
    (void)priceFromMarkup(a, b, c);
    (void)priceFromMarkup(c, a, b);
    (void)priceFromMargin(a, b, c);
    (void)priceFromMargin(b, QString(), c);

    ArticlePrices article;
    article.cofart = regionalNumber(a).value_or(0);
    article.ivart = b;
    article.przpub = regionalNumber(c).value_or(0);
    article.przsal = regionalNumber(b);
    article.cosoff = leadingNumber(c);
    const QDate today(2024, 5, 15);
    article.data1 = today.addDays(small(leadingNumber(a)));
    article.data2 = today.addDays(small(leadingNumber(c)));
    const PriceFields fields{a, b, c, a};
    (void)showDatedOffer(article, fields, today);
    (void)showUndatedOffer(article, fields);
    (void)showPriceOnly(article, fields);
}

void allRules(const QString& whole) {
    oneText(whole);
    const QList<QString> parts = whole.split(QLatin1Char('|'));
    for (const QString& p : parts)
        oneText(p);
    const QString a = parts.value(0), b = parts.value(1), c = parts.value(2);
    threeTexts(a, b, c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    allRules(QString::fromUtf8(bytes, qsizetype(size)));
    allRules(QString::fromLatin1(bytes, qsizetype(size)));
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        allPictures(v);
        (void)roundHalfEven(v, 2);
        (void)Money::fromDouble(v);
        (void)formatAmountText(QVariant(v), true);
    }
    return 0;
}
