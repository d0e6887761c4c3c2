// The order entry's internal-code rule on a store that holds one short code
// at a time: a typed number is tried as it is, without its last digit, then
// without its last two, in the work database's EAN rows.
#include "articles/order_lookup.h"
#include "test_store.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class OrderLookup : public OnEachEngine {};

MARBO_ON_EACH_ENGINE(OrderLookup);

TEST_P(OrderLookup, AShortNumberIsTriedAsThreeInternalCodes) {
    struct Case {
        const char* typed;
        int storedCode;  // the one short code the work database knows
        const char* ean; // the EAN looked up
    } cases[] = {
        {"0123", 123, "8000000000123"}, // the leading zero does not count
        {"0123", 12, "8000000000012"},  // then without the last digit
        {"0123", 1, "8000000000001"},   // then without the last two
        {"0123", 2, "0000000000123"},   // none of them: the digits as an EAN
        {"12", 1, "8000000000001"},
        {"999999998", 9999999, "8000009999999"},
        {"999999999", 9999999, "0000999999999"}, // too long for an internal code
    };
    state::SharedState s;
    s.workDbPath = QStringLiteral("c:\\marbo\\bancacodean.mdb");
    s.storeDbPath = QStringLiteral("c:\\marbo\\dati.mdb");
    store->create(s.storeDbPath, data::schema::StoreDb);
    const data::Database work = store->create(s.workDbPath, data::schema::WorkDb);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " with " + std::to_string(c.storedCode));
        ASSERT_TRUE(work.execute("DELETE FROM codean").ok());
        addRow(work, "codean",
               {"eanare", QStringLiteral("8%1").arg(c.storedCode, 12, 10, QLatin1Char('0')), "codare",
                c.storedCode});
        articles::OrderFields f;
        f.eanw = QString::fromLatin1(c.typed);
        articles::OrderLookup lookup(store->dbs(), s);
        lookup.resolveCode(f, QDate(2026, 12, 10));
        EXPECT_TRUE(lookup.error().ok()) << lookup.error().message().toStdString();
        EXPECT_EQ(s.ean.text(), QString::fromLatin1(c.ean));
    }
}

} // namespace
