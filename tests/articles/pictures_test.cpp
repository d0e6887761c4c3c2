// Amounts written with the pictures of the screens.
#include "articles/pictures.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <limits>

using articles::Picture;
using articles::picture;
using articles::plainNumber;

namespace {

TEST(Pictures, WriteAmountsInTheRegionalStyle) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        const char* amount5; // "##,##0.00"
        const char* amount6; // "###,##0.00"
        const char* plain;   // "##0.00"
        const char* amount7; // "#,###,##0.00"
    } cases[] = {
        {1234.5, "1.234,50", "1.234,50", "1234,50", "1.234,50"},
        {0, "0,00", "0,00", "0,00", "0,00"},
        {-1234.5, "-1.234,50", "-1.234,50", "-1234,50", "-1.234,50"},
        {nan, "0,00", "0,00", "0,00", "0,00"},
        {1234567.891, "1.234.567,89", "1.234.567,89", "1234567,89", "1.234.567,89"},
        {2.345, "2,34", "2,34", "2,34", "2,34"},
        {-0.001, "0,00", "0,00", "0,00", "0,00"},
        {0.5, "0,50", "0,50", "0,50", "0,50"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(picture(c.value, Picture::Amount5), c.amount5) << c.value;
        EXPECT_EQ(picture(c.value, Picture::Amount6), c.amount6) << c.value;
        EXPECT_EQ(picture(c.value, Picture::Plain), c.plain) << c.value;
        EXPECT_EQ(picture(c.value, Picture::Amount7), c.amount7) << c.value;
    }
}

TEST(Pictures, PlainNumberHasDecimalsOnlyWhenThereAreSome) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {25, "25"},
        {23.5, "23,5"},
        {23.46, "23,46"},
        {0.401, "0,401"},
        {-1.25, "-1,25"},
        {0, "0"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
        {1e20, "100000000000000000000"},
        {1234.5, "1234,5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plainNumber(c.value), c.text) << c.value;
}

} // namespace
