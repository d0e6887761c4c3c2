// The date fields' reading: what is a date, and which.
#include "articles/dates.h"

#include <gtest/gtest.h>

namespace {

TEST(DateReading, DayMonthYearOrIsoElseNoDate) {
    struct Case {
        const char* typed;
        QDate date; // invalid: no date
    } cases[] = {
        {"10/12/2026", {2026, 12, 10}},
        {" 1/2/2026 ", {2026, 2, 1}},
        {"10-12-26", {2026, 12, 10}},
        {"10.12.99", {1999, 12, 10}},
        {"2026-12-10", {2026, 12, 10}},
        {"29/02/2028", {2028, 2, 29}},
        {"31/02/2026", {}},
        {"29/02/2026", {}},
        {"10/12", {}},
        {"10/12-2026", {}},
        {"", {}},
        {"oggi", {}},
        {"10/12/2026'--", {}},
        {"100/12/2026", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto d = articles::dateReading(QString::fromUtf8(c.typed));
        EXPECT_EQ(d.has_value(), c.date.isValid());
        if (d) {
            EXPECT_EQ(*d, c.date);
        }
    }
    EXPECT_EQ(articles::dateText({2026, 1, 5}), "05/01/2026");
}

} // namespace
