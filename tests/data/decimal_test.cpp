// Exact decimals: conversion without residue, rounding half to even, checked
// arithmetic and the Italian writing.
#include "data/decimal.h"
#include "qt_print.h"

#include <gtest/gtest.h>
#include <limits>

using data::Decimal;

namespace {

Decimal d(const char* text) {
    return *Decimal::fromText(QString::fromLatin1(text));
}

TEST(Decimal, ADoubleIsTheDecimalItStandsFor) {
    struct Case {
        double value;
        int places;
        const char* expected; // nullptr: refused
    } cases[] = {
        {0.1 + 0.2, 4, "0.3"},          // binary residue of a sum
        {0.8999999999999999, 3, "0.9"}, // 0,3 x 3 in binary
        {-1.1e-16, 3, "0"},             // ten times 0,1 then -1 in binary
        {2.345, 2, "2.34"},             // the half judged on the decimal, to even
        {2.355, 2, "2.36"},
        {0.00051, 3, "0.001"}, // rounded once, not 4 places then 3
        {1.0005, 3, "1"},
        {-2.5, 0, "-2"},
        {123456789012.345, 3, "123456789012.345"},
        {922337203685477.0, 4, "922337203685477"},
        {1e20, 4, nullptr}, // 99999999999999999999 typed as a count
        {std::numeric_limits<double>::infinity(), 4, nullptr},
        {std::numeric_limits<double>::quiet_NaN(), 4, nullptr},
    };
    for (const Case& c : cases) {
        const auto got = Decimal::fromDouble(c.value, c.places);
        if (!c.expected) {
            EXPECT_FALSE(got) << c.value;
            continue;
        }
        ASSERT_TRUE(got) << c.value;
        EXPECT_EQ(got->toText(), QString::fromLatin1(c.expected)) << c.value;
    }
}

TEST(Decimal, TextsAndVariants) {
    struct Case {
        QVariant value;
        int places;
        const char* expected;
    } cases[] = {
        {QStringLiteral(" 12.3456 "), 4, "12.3456"},
        {QStringLiteral("12.34565"), 4, "12.3456"},
        {QStringLiteral("12.34575"), 4, "12.3458"},
        {QStringLiteral("-0.00005"), 4, "0"},
        {QStringLiteral("1e3"), 4, "1000"},
        {QStringLiteral("12,5"), 4, nullptr}, // the regional reading is the screens' job
        {QStringLiteral(""), 4, nullptr},
        {QStringLiteral("abc"), 4, nullptr},
        {QStringLiteral("99999999999999999999"), 4, nullptr},
        {QVariant(qlonglong(42)), 4, "42"},
        {QVariant(0.5), 4, "0.5"},
        {QVariant::fromValue(d("1.23456")), 2, "1.23"},
        {QVariant(), 4, nullptr},
    };
    for (const Case& c : cases) {
        const auto got = Decimal::fromVariant(c.value, c.places);
        if (!c.expected) {
            EXPECT_FALSE(got) << qPrintable(c.value.toString());
            continue;
        }
        ASSERT_TRUE(got) << qPrintable(c.value.toString());
        EXPECT_EQ(got->toText(), QString::fromLatin1(c.expected)) << qPrintable(c.value.toString());
    }
}

TEST(Decimal, ArithmeticIsExactAndSaysWhenItCannotBe) {
    // 0,1 ten times, then -1: exactly 0.
    Decimal sum;
    for (int i = 0; i < 10; ++i)
        sum = *(sum + d("0.1"));
    EXPECT_TRUE((*(sum - d("1"))).isZero());
    EXPECT_EQ(*(d("0.3") * d("3")), d("0.9"));
    EXPECT_EQ((*(d("0.3") * d("3"))).toDouble(), 0.9);
    EXPECT_EQ(*(d("1") / d("3")), d("0.3333"));
    EXPECT_EQ(*(d("2") / d("3")), d("0.6667"));
    // Products keep four places, an exact half going to the even neighbour.
    EXPECT_EQ(*(d("0.0003") * d("0.5")), d("0.0002"));
    EXPECT_EQ(*(d("0.0001") * d("0.5")), Decimal());
    EXPECT_FALSE(d("1") / Decimal());
    const Decimal top = Decimal::fromUnits(std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(top + d("0.0001"));
    EXPECT_FALSE(top * d("2"));
    EXPECT_FALSE(Decimal::fromUnits(std::numeric_limits<std::int64_t>::min()).negated());
    EXPECT_LT(d("-0.5"), d("0.25"));
    EXPECT_EQ(d("2.5").rounded(0), d("2"));
    EXPECT_EQ(d("3.5").rounded(0), d("4"));
    EXPECT_EQ(d("-1.2345").rounded(3), d("-1.234"));
}

TEST(Decimal, ItalianWritingHasNoResidueAndNoMinusZero) {
    struct Case {
        const char* value;
        const char* italian;
    } cases[] = {{"0.5", "0,5"},
                 {"0.9", "0,9"},
                 {"-12.345", "-12,345"},
                 {"3", "3"},
                 {"1234567.25", "1234567,25"},
                 {"-0.0000", "0"},
                 {"0.0001", "0,0001"}};
    for (const Case& c : cases)
        EXPECT_EQ(d(c.value).toItalian(), QString::fromLatin1(c.italian)) << c.value;
    EXPECT_EQ(Decimal::fromDouble(-1.1e-16, 3)->toItalian(), QStringLiteral("0"));
}

} // namespace
