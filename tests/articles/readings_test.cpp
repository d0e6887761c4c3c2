// Reading numbers from field texts and rounding to cents.
#include "articles/readings.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using articles::leadingNumber;
using articles::regionalNumber;
using articles::roundHalfEven;

namespace {

TEST(Readings, RegionalReadingTakesCommaDecimalsAndPointGrouping) {
    const double none = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* text;
        double value; // NaN: no number
    } cases[] = {
        {"1.234,50", 1234.5}, {"12,5", 12.5},    {"12.5", 125}, {" 7 ", 7},
        {"-3,5", -3.5},       {"+2", 2},         {"0", 0},      {",5", 0.5},
        {"abc", none},        {"12a", none},     {"", none},    {"   ", none},
        {"1,2,3", none},      {"1,234.5", none}, {"-", none},   {"3-", none},
        {"1 2", none},        {"--1", none},
    };
    for (const auto& c : cases) {
        const auto v = regionalNumber(QString::fromUtf8(c.text));
        if (std::isnan(c.value))
            EXPECT_FALSE(v.has_value()) << c.text;
        else
            EXPECT_EQ(v, std::optional<double>(c.value)) << c.text;
    }
}

TEST(Readings, LeadingNumberStopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"04", 4},     {"4,5", 4}, {"x", 0},    {"", 0},       {"21", 21}, {" 10 ", 10},
        {"3.5%", 3.5}, {"-5", -5}, {".5", 0.5}, {"10x20", 10}, {".", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Readings, RoundingSendsAnExactHalfToTheEvenNeighbour) {
    struct Case {
        double value;
        int decimals;
        double rounded;
    } cases[] = {
        {2.345, 2, 2.34},   {2.355, 2, 2.36},     {0.125, 2, 0.12}, {0.135, 2, 0.14},  {-2.345, 2, -2.34},
        {-2.355, 2, -2.36}, {-0.125, 2, -0.12},   {1.005, 2, 1.0},  {2.3451, 2, 2.35}, {2.5, 0, 2},
        {3.5, 0, 4},        {1.33655, 4, 1.3366}, {0, 2, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.value, c.decimals), c.rounded) << c.value << " to " << c.decimals;
}

} // namespace
