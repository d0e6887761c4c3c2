// Exact decimal numbers for quantities and amounts: a whole number of
// ten-thousandths in 64 bits, so 0,1 added ten times is exactly 1 and 0,3 x 3
// is exactly 0,9. Every operation that could leave the range (about 922
// thousand billion either way) says so instead of wrapping; rounding sends an
// exact half to the even neighbour, as the store's price rules do.
//
// A double converts to the decimal it stands for, judged on its shortest
// decimal writing (0.30000000000000004, the binary sum of 0,1 and 0,2, is 0,3
// at four decimals; 2.345 to two decimals is 2,34), so values from the two
// number readings and from the database come in without residue.
#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>

namespace data {

class Decimal {
public:
    static constexpr int kDecimals = 4;
    static constexpr std::int64_t kScale = 10000; // units in one

    constexpr Decimal() = default; // zero
    static constexpr Decimal fromUnits(std::int64_t tenThousandths) { return Decimal(tenThousandths); }
    static constexpr Decimal fromInt(std::int32_t whole) { return Decimal(std::int64_t(whole) * kScale); }

    // The decimal a double stands for, rounded to `decimals` places (0 to 4);
    // nullopt for NaN, infinity or a value out of range.
    static std::optional<Decimal> fromDouble(double value, int decimals = kDecimals);
    // A text with '.' as decimal point ("-12.345", "1e3", blanks around),
    // rounded to `decimals` places; nullopt for anything else.
    static std::optional<Decimal> fromText(QStringView text, int decimals = kDecimals);
    // A double, a whole number, a Decimal or a text as above. Null and
    // anything else give nullopt.
    static std::optional<Decimal> fromVariant(const QVariant& value, int decimals = kDecimals);

    constexpr std::int64_t units() const { return units_; }
    // The nearest double: what a screen or a REAL column holds.
    double toDouble() const { return double(units_) / double(kScale); }
    // As a double, for the screens' QVariant readers.
    QVariant toVariant() const { return QVariant(toDouble()); }

    // '.' as decimal point, no trailing zeros: "0.5", "-12.345", "3".
    QString toText() const;
    // As the Italian regional settings write it plainly: decimal comma, no
    // grouping, no trailing zeros, never "-0": "0,5", "-12,345", "3".
    QString toItalian() const;

    // Rounded to `decimals` places (0 to 4), an exact half to the even neighbour.
    Decimal rounded(int decimals) const;
    // Whole number part toward zero.
    constexpr std::int64_t whole() const { return units_ / kScale; }
    constexpr bool isZero() const { return units_ == 0; }
    constexpr int sign() const { return units_ > 0 ? 1 : units_ < 0 ? -1 : 0; }

    // Checked arithmetic: nullopt when the result leaves the range. A product
    // or a quotient is rounded to four decimals; division by zero is nullopt.
    friend std::optional<Decimal> operator+(Decimal a, Decimal b) {
        std::int64_t r;
        if (__builtin_add_overflow(a.units_, b.units_, &r))
            return std::nullopt;
        return Decimal(r);
    }
    friend std::optional<Decimal> operator-(Decimal a, Decimal b) {
        std::int64_t r;
        if (__builtin_sub_overflow(a.units_, b.units_, &r))
            return std::nullopt;
        return Decimal(r);
    }
    friend std::optional<Decimal> operator*(Decimal a, Decimal b);
    friend std::optional<Decimal> operator/(Decimal a, Decimal b);
    std::optional<Decimal> negated() const;

    friend constexpr bool operator==(Decimal, Decimal) = default;
    friend constexpr auto operator<=>(Decimal, Decimal) = default;

private:
    constexpr explicit Decimal(std::int64_t units)
        : units_(units) {}
    std::int64_t units_ = 0;
};

// Decimal places kept for a kind of field: see schema::decimals().

} // namespace data

Q_DECLARE_METATYPE(data::Decimal)
