// Currency, cost with VAT, price displays, markup and margin prices, pack price.
#include "articles/money.h"
#include "articles/prices.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <limits>

using namespace articles;

namespace {

std::optional<QString> text(const char* s) {
    return s ? std::optional<QString>(QString::fromUtf8(s)) : std::nullopt;
}

TEST(Money, ConvertsRoundsAndRefusesWhatItCannotHold) {
    EXPECT_EQ(Money::fromDouble(1.33655)->units(), 13366); // half to even at four decimals
    EXPECT_EQ(Money::fromDouble(1.33645)->units(), 13364);
    EXPECT_EQ(Money::fromDouble(-2.5)->units(), -25000);
    EXPECT_EQ(Money::fromDouble(3.2)->times(0.33)->units(), 10560);
    EXPECT_EQ(Money::fromUnits(12345).toDouble(), 1.2345);
    for (double v :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e15, -1e15})
        EXPECT_FALSE(Money::fromDouble(v)) << v;
    const Money top = Money::fromUnits(std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(top + Money::fromUnits(1));
    EXPECT_FALSE(Money::fromUnits(std::numeric_limits<std::int64_t>::min()) - Money::fromUnits(1));
    EXPECT_EQ((Money::fromUnits(5) - Money::fromUnits(7))->units(), -2);
    EXPECT_EQ(top.roundedToCents().units(), std::numeric_limits<std::int64_t>::max() - 7);

    struct Case {
        std::int64_t units, cents;
    } cases[] = {{25450, 25400},   {25550, 25600},   {25451, 25500},   {25449, 25400},
                 {-25450, -25400}, {-25550, -25600}, {-25451, -25500}, {100, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(Money::fromUnits(c.units).roundedToCents().units(), c.cents) << c.units;
}

TEST(CostWithVat, AddsVatRoundedToCentsOnlyBelowFifty) {
    struct Case {
        double cofart;
        const char* ivart;
        const char* text;
        bool added;
    } cases[] = {
        {10, "21", "12,10", true},  {10, "50", "10,00", false}, {10, "", "10,00", true},
        {10, "IVA", "10,00", true}, {10, "04", "10,40", true},  {10, "49,9", "14,90", true},
        {10, "74", "10,00", false}, {2.05, "10", "2,25", true}, // the VAT 0,205 goes to 0,20 before it is
                                                                // added
    };
    for (const auto& c : cases) {
        const CostWithVat v = costWithVat(c.cofart, c.ivart);
        EXPECT_EQ(v.text, c.text) << c.cofart << " " << c.ivart;
        EXPECT_EQ(v.vatAdded, c.added) << c.cofart << " " << c.ivart;
    }
}

enum class Variant { Dated, Undated, PriceOnly };

TEST(PriceDisplay, ShowsPriceCostOfferAndMargin) {
    const QDate today(2024, 5, 15);
    // Sale price 2,00, cost 1,50 + 20 % = 1,80; offer 1,50 at cost 1,00 + 20 % = 1,20.
    ArticlePrices base;
    base.cofart = 1.5;
    base.ivart = "20";
    base.przpub = 2;
    base.przsal = 1.5;
    base.cosoff = 1;
    base.data1 = today.addDays(-5);
    base.data2 = today.addDays(5);
    const PriceFields before{"p", "9,99", "o", "7,77"};

    auto with = [&](auto change) {
        ArticlePrices a = base;
        change(a);
        return a;
    };
    struct Case {
        const char* what;
        Variant variant;
        ArticlePrices article;
        PriceFields before;
        PriceFields after;
    } cases[] = {
        {"offer running: margin on the offer price",
         Variant::Dated,
         base,
         before,
         {"2,00", "1,20", "1,50", "53,33"}},
        {"first and last day count",
         Variant::Dated,
         with([&](auto& a) { a.data1 = a.data2 = today; }),
         before,
         {"2,00", "1,20", "1,50", "53,33"}},
        {"offer ended yesterday",
         Variant::Dated,
         with([&](auto& a) { a.data2 = today.addDays(-1); }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"offer not yet begun",
         Variant::Dated,
         with([&](auto& a) { a.data1 = today.addDays(1); }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"first day Null",
         Variant::Dated,
         with([](auto& a) { a.data1.reset(); }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"offer price 0",
         Variant::Dated,
         with([](auto& a) { a.przsal = 0; }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"offer price Null",
         Variant::Dated,
         with([](auto& a) { a.przsal.reset(); }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"rate 50: the lookup's cost stays, also during the offer",
         Variant::Dated,
         with([](auto& a) { a.ivart = "50"; }),
         before,
         {"2,00", "9,99", "1,50", "-532,67"}},
        {"no offer and sale price 0: the margin keeps its text",
         Variant::Dated,
         with([](auto& a) { a.przpub = 0, a.przsal.reset(); }),
         before,
         {"0,00", "1,80", "0", "7,77"}},
        {"cost left by the lookup is no number: the margin keeps its text",
         Variant::Dated,
         with([](auto& a) { a.ivart = "80"; }),
         {"p", "", "o", "7,77"},
         {"2,00", "", "1,50", "7,77"}},
        {"undated: offer shown without dates",
         Variant::Undated,
         with([](auto& a) { a.data1.reset(), a.data2.reset(); }),
         before,
         {"2,00", "1,20", "1,50", "53,33"}},
        {"undated: expired dates do not matter",
         Variant::Undated,
         with([&](auto& a) { a.data2 = today.addDays(-30); }),
         before,
         {"2,00", "1,20", "1,50", "53,33"}},
        {"undated: offer price 0 is shown, regular cost, margin on the sale price",
         Variant::Undated,
         with([](auto& a) { a.przsal = 0; }),
         before,
         {"2,00", "1,80", "0,00", "10,00"}},
        {"undated: offer price Null",
         Variant::Undated,
         with([](auto& a) { a.przsal.reset(); }),
         before,
         {"2,00", "1,80", "0", "10,00"}},
        {"price only: the screen's cost and offer stay",
         Variant::PriceOnly,
         base,
         {"p", "1,50", "o", "7,77"},
         {"2,00", "1,50", "o", "25,00"}},
        {"price only: sale price 0",
         Variant::PriceOnly,
         with([](auto& a) { a.przpub = 0; }),
         {"p", "1,50", "o", "7,77"},
         {"0,00", "1,50", "o", "7,77"}},
        {"price only: cost is no number",
         Variant::PriceOnly,
         base,
         {"p", "abc", "o", "7,77"},
         {"2,00", "abc", "o", "7,77"}},
    };
    for (const auto& c : cases) {
        PriceFields got;
        switch (c.variant) {
        case Variant::Dated:
            got = showDatedOffer(c.article, c.before, today);
            break;
        case Variant::Undated:
            got = showUndatedOffer(c.article, c.before);
            break;
        case Variant::PriceOnly:
            got = showPriceOnly(c.article, c.before);
            break;
        }
        EXPECT_EQ(got.price, c.after.price) << c.what;
        EXPECT_EQ(got.cost, c.after.cost) << c.what;
        EXPECT_EQ(got.offer, c.after.offer) << c.what;
        EXPECT_EQ(got.margin, c.after.margin) << c.what;
    }
}

TEST(MarkupPrice, WorksOutThePriceItsEndingAndTheMargin) {
    const MarkupFocus none = MarkupFocus::Unchanged;
    struct Case {
        const char* newPrice;
        const char* markup;
        const char* cost;
        QString message;
        MarkupFocus focus;
        bool nullCost;
        const char* price;  // nullptr: field unchanged
        const char* margin; // nullptr: field unchanged
    } cases[] = {
        {"2,00", "27", "2,00", "", none, false, "2,55", "21,57"},
        {"4,00", "33", "3,20", "", none, false, "4,25", "24,71"},
        {"1,00", "35", "0,99", "", none, false, "1,35", "26,67"},
        {"1,00", "25", "1,00", "", none, false, "1,25", "20"},
        {"1,00", "10", "1.000,00", "", none, false, "1.100,00", "9,09"},
        {"2,00", "1000,9", "2,00", "", none, false, "22,00", "90,91"},
        {"2,00", "-10", "2,00", "", none, false, "1,80", "-11,11"},
        {"2,00", "-100", "2,00", "", none, false, "0,00", nullptr},
        {"2,00", "27", "0", "", none, true, "0,00", nullptr},
        {"abc", "27", "2,00", kInvalidNewPrice, MarkupFocus::NewPrice, false, nullptr, nullptr},
        {"", "27", "2,00", kInvalidNewPrice, MarkupFocus::NewPrice, false, nullptr, nullptr},
        {"2,00", "abc", "2,00", kInvalidMarkup, MarkupFocus::Markup, false, nullptr, nullptr},
        {"2,00", "27", "", kInvalidCost, MarkupFocus::Cost, false, nullptr, nullptr},
        {"2,00", "1001", "2,00", kMarkupTooHigh, MarkupFocus::Markup, false, nullptr, nullptr},
        {"2,00", "1001", "0", kMarkupTooHigh, MarkupFocus::Markup, true, nullptr, nullptr},
        {"2,00", "27", "999999999999999999", kInvalidCost, MarkupFocus::Cost, false, nullptr, nullptr},
        {"2,00", "1000", "900000000000000", kInvalidMarkup, MarkupFocus::Markup, false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const MarkupOutcome got = priceFromMarkup(c.newPrice, c.markup, c.cost);
        const std::string what = std::string(c.cost) + " + " + c.markup + " %";
        EXPECT_EQ(got.message, c.message) << what;
        EXPECT_EQ(got.focus, c.focus) << what;
        EXPECT_EQ(got.nullCostShown, c.nullCost) << what;
        EXPECT_EQ(got.newPrice, text(c.price)) << what;
        EXPECT_EQ(got.margin, text(c.margin)) << what;
    }
}

TEST(MarkupPrice, CentsEndingIsZeroOrFive) {
    struct Case {
        std::int64_t cents, after;
    } cases[] = {{341, 340}, {342, 340}, {343, 345}, {344, 345},  {345, 345}, {346, 345},  {347, 345},
                 {348, 350}, {349, 350}, {340, 340}, {999, 1000}, {0, 0},     {-254, -255}};
    for (const auto& c : cases)
        EXPECT_EQ(withCentsEnding(Money::fromUnits(c.cents * 100))->units(), c.after * 100) << c.cents;
}

TEST(MarginPrice, DividesTheCostByWhatTheMarginLeaves) {
    using S = MarginOutcome::Status;
    struct Case {
        const char* margin;
        const char* newPrice;
        const char* cost;
        S status;
        const char* price;
        const char* marginAfter;
    } cases[] = {
        {"20", "", "8,00", S::Computed, "10,00", "20,00"}, {"25,5", "", "1,49", S::Computed, "2,00", "25,50"},
        {"150", "", "8", S::Computed, "-16,00", "150,00"}, {"100", "", "8,00", S::NoPrice, "", ""},
        {"", "", "8,00", S::NotApplicable, "", ""},        {"20", "9,00", "8,00", S::NotApplicable, "", ""},
        {"0,5", "", "8,00", S::NotApplicable, "", ""},     {"abc", "", "8,00", S::NotApplicable, "", ""},
        {"20x", "", "8,00", S::Unreadable, "", ""},        {"20", "", "abc", S::Unreadable, "", ""},
    };
    for (const auto& c : cases) {
        const MarginOutcome got = priceFromMargin(c.margin, c.newPrice, c.cost);
        EXPECT_EQ(got.status, c.status) << c.margin << " " << c.cost;
        EXPECT_EQ(got.newPrice, c.price) << c.margin << " " << c.cost;
        EXPECT_EQ(got.margin, c.marginAfter) << c.margin << " " << c.cost;
    }
}

TEST(PackPrice, CountsNullOrNoPiecesAsOne) {
    struct Case {
        std::optional<int> pezzix;
        double price;
        int pieces;
        double prezzox;
    } cases[] = {{std::nullopt, 1.99, 1, 1.99}, {0, 1.99, 1, 1.99}, {6, 1.99, 6, 11.94}, {3, 0.335, 3, 1.0}};
    for (const auto& c : cases) {
        const PackPrice p = packPrice(c.pezzix, c.price);
        EXPECT_EQ(p.pezzix, c.pieces);
        EXPECT_EQ(p.prezzox, c.prezzox) << c.pieces << " x " << c.price;
    }
}

} // namespace
