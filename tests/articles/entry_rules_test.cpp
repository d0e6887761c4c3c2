// The operator number and the quantity limits, as the menus and the entry
// screens read what is typed.
#include "articles/entry_rules.h"
#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

TEST(OperatorNumber, LeadingNumberRoundedOrNoneToAskAgain) {
    struct Case {
        const char* typed;
        std::optional<int> number;
    } cases[] = {
        {"3", 3},   {"12", 12},    {"3abc", 3},      {" 4 ", 4},         {"1.5", 2},    {"2.5", 2},
        {"-3", -3}, {"1e3", 1000}, {"32767", 32767}, {"-32768", -32768}, {"32768", {}}, {"1e9", {}},
        {"", {}},   {"0", {}},     {"x", {}},        {"0.4", {}},        {"0.5", {}},   {",5", {}},
    };
    for (const Case& c : cases) {
        const auto n = articles::operatorNumber(QString::fromLatin1(c.typed));
        EXPECT_EQ(n ? std::optional<int>(*n) : std::nullopt, c.number) << c.typed;
    }
}

TEST(QuantityLimits, ScannedCodesAndCountsNeverStored) {
    struct Scan {
        const char* typed;
        bool scanned;
    } scans[] = {{"1000", false},  {"1000,9", false},       {"1001", true}, {"1.001", true},
                 {"-5000", false}, {"8010000100008", true}, {"abc", false}, {"", false}};
    for (const Scan& c : scans)
        EXPECT_EQ(articles::looksLikeScannedCode(QString::fromLatin1(c.typed)), c.scanned) << c.typed;

    struct Count {
        double quantity;
        bool storable;
    } counts[] = {{0, false},      {1.5, true},      {-1, true},    {999998.999, true},
                  {999999, false}, {-999999, false}, {1e13, false}, {-8010000100008, false}};
    for (const Count& c : counts)
        EXPECT_EQ(articles::storableCount(*data::Decimal::fromDouble(c.quantity, 3)), c.storable)
            << c.quantity;
}

} // namespace
