#include "data/decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace data {

namespace {

constexpr std::int64_t kPow10[] = {1, 10, 100, 1000, 10000};
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

int clampDecimals(int decimals) {
    return decimals < 0 ? 0 : decimals > Decimal::kDecimals ? Decimal::kDecimals : decimals;
}

// Rounds a whole number of units to a multiple of `step`, an exact half to the
// even multiple. The result stays in range: the largest multiples round down.
std::int64_t roundUnits(std::int64_t units, std::int64_t step) {
    if (step == 1)
        return units;
    std::int64_t q = units / step; // toward zero
    const std::int64_t r = units % step;
    const std::int64_t twice = (r < 0 ? -r : r) * 2;
    if (twice > step || (twice == step && q % 2 != 0)) {
        const std::int64_t next = q + (r < 0 ? -1 : 1);
        // A step up that would leave the range goes down instead.
        if (next <= kMax / step && next >= -(kMax / step))
            q = next;
    }
    return q * step;
}

// A number written in decimal ("-12.345", "1.5e-07", "  3 ") as units rounded
// to `decimals` places; nullopt when it is no such number or out of range.
std::optional<std::int64_t> parseUnits(std::string_view s, int decimals) {
    size_t i = 0, n = s.size();
    while (i < n && s[i] == ' ')
        ++i;
    while (n > i && s[n - 1] == ' ')
        --n;
    bool negative = false;
    if (i < n && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    std::string digits;
    digits.reserve(n - i);
    long long point = -1;
    bool any = false;
    for (; i < n; ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            any = true;
        } else if (c == '.' && point < 0) {
            point = static_cast<long long>(digits.size());
        } else {
            break;
        }
    }
    if (!any)
        return std::nullopt;
    if (point < 0)
        point = static_cast<long long>(digits.size());
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (s[i] == '-' || s[i] == '+'))
            expNegative = s[i++] == '-';
        long long e = 0;
        bool expDigits = false;
        for (; i < n && s[i] >= '0' && s[i] <= '9'; ++i) {
            expDigits = true;
            if (e < 100000)
                e = e * 10 + (s[i] - '0');
        }
        if (!expDigits)
            return std::nullopt;
        point += expNegative ? -e : e;
    }
    if (i != n)
        return std::nullopt;

    // value = digits x 10^(point - len); the whole part of value x 10^decimals
    // is the first `cut` digits.
    const long long cut = point + decimals;
    std::int64_t whole = 0;
    const long long len = static_cast<long long>(digits.size());
    for (long long k = 0; k < cut; ++k) {
        const int d = k < len ? digits[size_t(k)] - '0' : 0;
        if (whole > (kMax - d) / 10)
            return std::nullopt;
        whole = whole * 10 + d;
    }
    // The digits after the cut decide the rounding, an exact half to even.
    const long long from = cut < 0 ? 0 : cut;
    int first = 0;
    bool restNonZero = false;
    if (cut < 0) {
        first = 0; // leading zeros stand after the cut
        for (char c : digits)
            restNonZero = restNonZero || c != '0';
    } else {
        if (from < len)
            first = digits[size_t(from)] - '0';
        for (long long k = from + 1; k < len; ++k)
            restNonZero = restNonZero || digits[size_t(k)] != '0';
    }
    if (first > 5 || (first == 5 && (restNonZero || whole % 2 != 0))) {
        if (whole == kMax)
            return std::nullopt;
        ++whole;
    }
    const std::int64_t step = kPow10[Decimal::kDecimals - decimals];
    if (whole > kMax / step)
        return std::nullopt;
    const std::int64_t units = whole * step;
    return negative ? -units : units;
}

QString written(std::int64_t units, QChar point) {
    if (units == 0)
        return QStringLiteral("0");
    const bool negative = units < 0;
    // Magnitude without overflow for the most negative value.
    const std::uint64_t mag = negative ? std::uint64_t(0) - std::uint64_t(units) : std::uint64_t(units);
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::number(mag / std::uint64_t(Decimal::kScale));
    std::uint64_t frac = mag % std::uint64_t(Decimal::kScale);
    if (frac != 0) {
        int places = Decimal::kDecimals;
        while (frac % 10 == 0) {
            frac /= 10;
            --places;
        }
        out += point;
        out += QStringLiteral("%1").arg(frac, places, 10, QLatin1Char('0'));
    }
    return out;
}

} // namespace

std::optional<Decimal> Decimal::fromDouble(double value, int decimals) {
    if (!std::isfinite(value))
        return std::nullopt;
    decimals = clampDecimals(decimals);
    const double scaled = value * double(kPow10[decimals]);
    // Far from a half, the nearest whole number is the rounding whatever
    // digits the double has beyond; near one, its shortest writing decides.
    if (std::fabs(scaled) < 1e12) {
        const double nearest = std::nearbyint(scaled);
        if (std::fabs(scaled - nearest) < 1e-3)
            return Decimal(std::int64_t(nearest) * kPow10[kDecimals - decimals]);
    }
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc())
        return std::nullopt;
    const auto units = parseUnits(std::string_view(buf, size_t(end - buf)), decimals);
    if (!units)
        return std::nullopt;
    return Decimal(*units);
}

std::optional<Decimal> Decimal::fromText(QStringView text, int decimals) {
    const QByteArray latin = text.toLatin1();
    const auto units =
        parseUnits(std::string_view(latin.constData(), size_t(latin.size())), clampDecimals(decimals));
    if (!units)
        return std::nullopt;
    return Decimal(*units);
}

std::optional<Decimal> Decimal::fromVariant(const QVariant& v, int decimals) {
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble(), decimals);
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::LongLong:
    case QMetaType::Long: {
        const qlonglong n = v.toLongLong();
        if (n > kMax / kScale || n < -(kMax / kScale))
            return std::nullopt;
        return Decimal(n * kScale);
    }
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
        const qulonglong n = v.toULongLong();
        if (n > qulonglong(kMax / kScale))
            return std::nullopt;
        return Decimal(qlonglong(n) * kScale);
    }
    case QMetaType::QString:
        return fromText(v.toString(), decimals);
    case QMetaType::QByteArray:
        return fromText(QString::fromLatin1(v.toByteArray()), decimals);
    default:
        if (v.metaType() == QMetaType::fromType<Decimal>())
            return v.value<Decimal>().rounded(decimals);
        return std::nullopt;
    }
}

QString Decimal::toText() const {
    return written(units_, QLatin1Char('.'));
}

QString Decimal::toItalian() const {
    return written(units_, QLatin1Char(','));
}

Decimal Decimal::rounded(int decimals) const {
    return Decimal(roundUnits(units_, kPow10[kDecimals - clampDecimals(decimals)]));
}

std::optional<Decimal> operator*(Decimal a, Decimal b) {
    const __int128 p = __int128(a.units_) * __int128(b.units_);
    __int128 q = p / Decimal::kScale;
    const __int128 r = p % Decimal::kScale;
    const __int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > Decimal::kScale || (twice == Decimal::kScale && q % 2 != 0))
        q += r < 0 ? -1 : 1;
    if (q > kMax || q < -__int128(kMax))
        return std::nullopt;
    return Decimal(std::int64_t(q));
}

std::optional<Decimal> operator/(Decimal a, Decimal b) {
    if (b.units_ == 0)
        return std::nullopt;
    const __int128 num = __int128(a.units_) * Decimal::kScale;
    __int128 q = num / b.units_;
    const __int128 r = num % b.units_;
    const __int128 twice = (r < 0 ? -r : r) * 2;
    const __int128 den = b.units_ < 0 ? -__int128(b.units_) : __int128(b.units_);
    if (twice > den || (twice == den && q % 2 != 0))
        q += ((r < 0) != (b.units_ < 0)) ? -1 : 1;
    if (q > kMax || q < -__int128(kMax))
        return std::nullopt;
    return Decimal(std::int64_t(q));
}

std::optional<Decimal> Decimal::negated() const {
    if (units_ == std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Decimal(-units_);
}

} // namespace data
