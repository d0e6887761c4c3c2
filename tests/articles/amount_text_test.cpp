// The amount formatter of the sale price change.
#include "articles/amount_text.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using articles::formatAmountText;

namespace {

TEST(AmountText, FormatsTypedAmounts) {
    struct Case {
        QVariant input;
        bool cents;
        const char* text;
    } cases[] = {
        {"125", true, "1,25"},
        {"125", false, "125,00"},
        {"5", true, "0,05"},
        {"123456", true, "1.234,56"},
        {"-125", true, "-1,25"},
        {"12,5", true, "12,50"},
        {"12.5", true, "12,50"},
        {"12.50", false, "12,50"},
        {"1,234.5", true, "1.234,50"},
        {"1.234,5", true, "1.234,50"},
        {"1.234.567,8", true, "1.234.567,80"},
        {"1.234", true, "1,23"}, // the point after the absent comma is the decimal point
        {"1,5.3", true, "15,30"},
        {"", true, "0,00"},
        {QVariant(), true, "0,00"},
        {QVariant(), false, "0,00"},
        {"0", true, "0,00"},
        {QVariant(12.5), true, "12,50"},
        {QVariant(125), true, "1,25"},
        // The exchange goes through "JKL": those letters become points as well.
        {"1JKL234.5", true, "1.234,50"},
        {"1JKL5.25", false, "15,25"},
        {"1JKL5", true, "0,00"},
        // Letters are no amount.
        {"abc", true, "0,00"},
        {"abc", false, "0,00"},
        {"1,2,3", false, "0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatAmountText(c.input, c.cents), c.text)
            << c.input.toString().toStdString() << " " << c.cents;
}

} // namespace
