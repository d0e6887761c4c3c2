// The amount formatter of the sale price change, on the shared amount text.
#include "articles/amount_formatter.h"
#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

TEST(AmountFormatter, FormatsTheSharedAmountTextInPlaceWithCents) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"125", "1,25"}, {"12,5", "12,50"}, {"1.234", "1,23"}, {"", "0,00"}, {"1,234.5", "1.234,50"}};
    for (const Case& c : cases) {
        state::SharedState s;
        s.amountText = QString::fromUtf8(c.typed);
        articles::formatSharedAmount(s);
        EXPECT_EQ(s.amountText, QString::fromUtf8(c.shown)) << c.typed;
    }
    state::SharedState never;
    articles::formatSharedAmount(never);
    EXPECT_EQ(never.amountText, QStringLiteral("0,00"));
}

} // namespace
