// The rules of a supplier order's receipt that need no screen: what a scan
// stands for, how a typed quantity is read, and that recording a delivery is
// all or nothing.
#include "documents/supplier_order_receipt.h"
#include "supplier_order_store.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(SupplierOrderScans, EanAndWeightOfWhatIsScanned) {
    struct Case {
        const char* scanned;
        const char* ean; // what the order screen seeks
        const char* weight;
    } cases[] = {
        {"8001234567890", "8001234567890", nullptr},
        {"18001234567890", "8001234567890", nullptr},         // 14: the first character goes
        {"0108001234567890", "8001234567890", nullptr},       // "01" + 14 digits: from the fourth
        {"010800123456789010L123", "8001234567890", nullptr}, // longer still: from the fourth
        {"2100001012503", "2100000000000", "1,25"},           // in-store: six characters, seven zeros
        {"2100001000007", "2100000000000", nullptr},          // no weight
        {"21000010AB503", "2100000000000", nullptr},          // not digits: no weight
        {"21234567890123", "1234567890123", nullptr},         // 14 characters win over the "2"
        {"12345", "12345", nullptr},
        {"", "", nullptr},
    };
    for (const Case& c : cases) {
        const QString scanned = QString::fromLatin1(c.scanned);
        EXPECT_EQ(documents::orderScanEan(scanned), QString::fromLatin1(c.ean)) << c.scanned;
        const auto w = documents::inStoreWeight(scanned);
        EXPECT_EQ(w ? w->toItalian() : QString(), QString::fromLatin1(c.weight ? c.weight : "")) << c.scanned;
    }
    // The line screen cuts by length only: an in-store code is stored whole.
    EXPECT_EQ(documents::eanOfScan(QStringLiteral("2100001012503")), QStringLiteral("2100001012503"));
    EXPECT_EQ(documents::inStoreArticleEan(QStringLiteral("2200077012345")), QStringLiteral("2200070000000"));
}

TEST(SupplierOrderScans, TypedQuantities) {
    EXPECT_EQ(documents::decimalCommaField(QStringLiteral("2.5")), QStringLiteral("2,5            "));
    EXPECT_EQ(documents::decimalCommaField(QStringLiteral("1.000.5")), QStringLiteral("1,000,5        "));
    EXPECT_EQ(documents::decimalCommaField(QString()), QString(15, ' '));
    EXPECT_EQ(documents::decimalCommaField(QStringLiteral("12345678901234.6")),
              QStringLiteral("12345678901234,"));
    struct Case {
        const char* typed;
        const char* read; // nullptr: no number
    } cases[] = {{"36", "36"},  {" 2,5 ", "2,5"}, {"2.5", "2,5"},       {"0,1234", "0,123"},
                 {"-1", "-1"},  {"abc", nullptr}, {"3 colli", nullptr}, {"1,2,3", nullptr},
                 {"", nullptr}, {"1e3", nullptr}};
    for (const Case& c : cases) {
        const auto d = documents::deliveredNumber(QString::fromLatin1(c.typed));
        EXPECT_EQ(d ? d->toItalian() : QStringLiteral("<none>"),
                  QString::fromLatin1(c.read ? c.read : "<none>"))
            << c.typed;
    }
}

class SupplierOrderDelivery : public OnEachEngine {};

TEST_P(SupplierOrderDelivery, DeliveryIsAllOrNothing) {
    const data::Database db = makeSupplierOrderStore(*store, QDate(2026, 12, 10));
    const documents::OrderLineKey line{2026, 12, 1};
    documents::Delivery d{QStringLiteral("8001234567999"), 123, QStringLiteral("L1"),
                          data::Decimal::fromInt(3), data::Decimal::fromInt(36)};
    // The EAN table cannot take the new row: the line is not recorded either.
    ASSERT_TRUE(db.executeNative(QStringLiteral("DROP TABLE codean")).ok());
    documents::LineOutcome outcome = documents::LineOutcome::Done;
    const data::Error e = documents::storeDelivery(db, line, d, &outcome);
    EXPECT_EQ(e.kind, data::Error::Kind::MissingTable);
    EXPECT_EQ(outcome, documents::LineOutcome::LineMissing);
    data::Recordset rs = db.query(documents::orderLineQuery(line));
    ASSERT_FALSE(rs.eof());
    EXPECT_TRUE(rs.value("bflag1").isNull());
    EXPECT_TRUE(rs.value("lotto").isNull());
    EXPECT_DOUBLE_EQ(rs.value("collic").toDouble(), 0);

    // A line that is no longer there records nothing and says so.
    EXPECT_TRUE(documents::storeDelivery(db, {2026, 12, 9}, d, &outcome).ok());
    EXPECT_EQ(outcome, documents::LineOutcome::LineMissing);
}

MARBO_ON_EACH_ENGINE(SupplierOrderDelivery);

} // namespace
