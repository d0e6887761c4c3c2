// Currency with four decimals, held exactly as a whole number of
// ten-thousandths of a euro, as the markup price is worked out.
#pragma once

#include "articles/readings.h"

#include <cmath>
#include <compare>
#include <cstdint>
#include <optional>

namespace articles {

class Money {
public:
    static constexpr std::int64_t kScale = 10000; // ten-thousandths in one euro

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }

    // The value rounded to four decimals (an exact half to the even neighbour);
    // nullopt for NaN, infinity or a value the currency cannot hold (about
    // 922 thousand billion euro either way).
    static std::optional<Money> fromDouble(double value) {
        if (!std::isfinite(value))
            return std::nullopt;
        const double scaled = roundHalfEven(value, 4) * double(kScale);
        // 2^63 is exact as a double; the range is [-2^63, 2^63).
        constexpr double kLimit = 9223372036854775808.0;
        if (!(scaled >= -kLimit && scaled < kLimit))
            return std::nullopt;
        return Money(std::llround(scaled));
    }

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const { return double(units_) / double(kScale); }

    // Sum and difference; nullopt when the result leaves the currency range.
    friend std::optional<Money> operator+(Money a, Money b) {
        std::int64_t r;
        if (__builtin_add_overflow(a.units_, b.units_, &r))
            return std::nullopt;
        return Money(r);
    }
    friend std::optional<Money> operator-(Money a, Money b) {
        std::int64_t r;
        if (__builtin_sub_overflow(a.units_, b.units_, &r))
            return std::nullopt;
        return Money(r);
    }

    // The amount times a factor, the product converted back to currency.
    std::optional<Money> times(double factor) const { return fromDouble(toDouble() * factor); }

    // Rounded to whole cents, an exact half cent going to the even cent. Never
    // leaves the range: the largest amount ends in 07 ten-thousandths and so
    // rounds down.
    constexpr Money roundedToCents() const {
        std::int64_t cents = units_ / 100; // toward zero
        const std::int64_t rest = units_ % 100;
        const std::int64_t half = rest < 0 ? -rest : rest;
        if (half > 50 || (half == 50 && cents % 2 != 0))
            cents += rest < 0 ? -1 : 1;
        return Money(cents * 100);
    }

    friend constexpr bool operator==(Money, Money) = default;
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(std::int64_t units)
        : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace articles
