// "Confermi Nuovo Ordine" and the price comparison transfer, on both engines
// and in both set-ups of the files: the comparison database a file of its own
// (work database on d:), or the work database itself (drive c:). The rows
// written field by field; a failure in the comparison, or the program killed
// halfway, leaves both files as they were; confirming again replaces.
#include "data/recordset.h"
#include "documents/order_confirmation.h"
#include "documents/price_comparison.h"
#include "order_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;
using documents::cheapestSupplier;

namespace {

TEST(PriceComparison, TheCheapestSupplierGetsThePacks) {
    const QVariant null;
    struct Case {
        QVariant c1, c2, c3, c4;
        int winner;
    } cases[] = {
        {5.10, 0.0, 4.90, 4.90, 2},     // ties go to the lower number
        {0.0, 0.0, 0.0, 0.0, 0},        // no offer at all: the first supplier
        {null, null, null, null, 0},    // Null is no offer either
        {9999.0, null, 3.0, 3.0, 2},    //
        {null, 9999.0, null, null, 0},  // 9999 ties with no offer and loses to the lower number
        {10000.0, null, null, null, 1}, // dearer than no offer
        {3.0, 2.0, 2.0, 1.0, 3},        {1.0, 1.0, 1.0, 1.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cheapestSupplier({c.c1, c.c2, c.c3, c.c4}), c.winner)
            << c.c1.toString().toStdString() << " " << c.c2.toString().toStdString() << " "
            << c.c3.toString().toStdString() << " " << c.c4.toString().toStdString();

    EXPECT_EQ(documents::comparisonEan("801234567890"), QStringLiteral("0801234567890"));
    EXPECT_EQ(documents::comparisonEan("8001234567890"), QStringLiteral("8001234567890"));
    EXPECT_EQ(documents::comparisonEan("123          "), QStringLiteral("0000000000123"));
}

class NewOrder : public ::testing::TestWithParam<std::tuple<data::Engine, const char*>> {
protected:
    void SetUp() override {
        if (engine() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        store = std::make_unique<TestStore>(engine());
        o = makeOrderStore(*store, QString::fromLatin1(std::get<1>(GetParam())));
        // Every department, an article of 0 packs, a 12-digit EAN, an unknown one.
        addOrderLine(o.work, "8000000000456", 4, "M");
        addOrderLine(o.work, "8001234567890", 2, "T");
        addOrderLine(o.work, "800123456789", 3, "S");
        addOrderLine(o.work, "8000000000789", 0, "M");
        addOrderLine(o.work, "8000000000001", 5, "O");
    }
    data::Engine engine() const { return std::get<0>(GetParam()); }
    bool oneFile() const { return QByteArray(std::get<1>(GetParam())) == "c:"; }
    data::Database work() { return store->open(o.workPath); }
    data::Database comparison() { return store->open(kComparisonPath); }
    documents::NewOrderResult confirm(const std::function<void(int, int)>& beforeLine = {}) {
        return documents::confirmNewOrder(work(), comparison(), QDate(2026, 12, 10), beforeLine);
    }
    // The fields of an EAN's row of `articoli` in a database, as text.
    QStringList row(const data::Database& db, const char* ean, std::initializer_list<const char*> fields) {
        data::Table t = db.table("articoli");
        t.setIndex("codean");
        QStringList out;
        if (!t.seek(QString::fromLatin1(ean)))
            return {"no row"};
        for (const char* f : fields) {
            const QVariant v = t.value(QString::fromLatin1(f));
            out << (v.isNull()                       ? QStringLiteral("Null")
                    : v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                     : v.toString());
        }
        return out;
    }
    QStringList lastOrder(const char* ean) { return row(work(), ean, {"colliuo", "datauo"}); }
    QStringList packs(const char* ean) {
        return row(comparison(), ean, {"colli1", "colli2", "colli3", "colli4", "sel"});
    }
    // Everything these transfers may touch, to compare before and after.
    QStringList snapshot() {
        QStringList out;
        for (const char* ean : {"8000000000456", "8001234567890", "0800123456789", "8000000000789"})
            out << lastOrder(ean) << packs(ean);
        out << QString::number(work().query("SELECT * FROM ordine").recordCount());
        return out;
    }

    std::unique_ptr<TestStore> store;
    OrderStore o;
};

INSTANTIATE_TEST_SUITE_P(Both, NewOrder,
                         ::testing::Combine(::testing::Values(data::Engine::Sqlite, data::Engine::Postgres),
                                            ::testing::Values("c:", "d:")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == data::Engine::Sqlite
                                                    ? "Sqlite"
                                                    : "Postgres") +
                                    (QByteArray(std::get<1>(info.param)) == "c:" ? "OneFile" : "TwoFiles");
                         });

TEST_P(NewOrder, LastOrdersAndTheCheapestSuppliersOfEveryDepartment) {
    std::vector<int> seen;
    const auto r = confirm([&](int n, int lines) {
        EXPECT_EQ(lines, 5);
        seen.push_back(n);
    });
    ASSERT_TRUE(r.error.ok()) << r.error.message().toStdString() << r.error.detail.toStdString();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5})); // the line of 0 packs moves the bar too
    EXPECT_EQ(r.lines, 5);
    EXPECT_EQ(r.lastOrders, 3);
    EXPECT_EQ(r.handedOn, 3);

    EXPECT_EQ(lastOrder("8000000000456"), QStringList({"4", "2026-12-10"}));
    EXPECT_EQ(lastOrder("8001234567890"), QStringList({"2", "2026-12-10"}));   // was 3 on 20/11
    EXPECT_EQ(lastOrder("0800123456789"), QStringList({"3", "2026-12-10"}));   // the 12-digit line
    EXPECT_EQ(lastOrder("8000000000789"), QStringList({"Null", "Null"}));      // 0 packs: passed over
    EXPECT_EQ(packs("8000000000456"), QStringList({"0", "0", "4", "0", "X"})); // 5,10 0 4,90 4,90
    EXPECT_EQ(packs("8001234567890"), QStringList({"2", "0", "0", "0", "X"})); // no cost at all
    EXPECT_EQ(packs("0800123456789"), QStringList({"0", "3", "0", "0", "X"})); // 2,60 2,40
    // The working lines stay, every department's.
    data::Recordset lines = work().query("SELECT * FROM ordine");
    EXPECT_EQ(lines.recordCount(), 5);
    ASSERT_TRUE(lines.findFirst("eanrig = '8000000000456'"));
    EXPECT_DOUBLE_EQ(lines.value("colli").toDouble(), 4);

    // Confirming again replaces: the packs are never added.
    ASSERT_TRUE(work().execute("UPDATE ordine SET colli = 6 WHERE eanrig = '8000000000456'").ok());
    ASSERT_TRUE(confirm().error.ok());
    EXPECT_EQ(packs("8000000000456"), QStringList({"0", "0", "6", "0", "X"}));
    EXPECT_EQ(lastOrder("8000000000456"), QStringList({"6", "2026-12-10"}));
    EXPECT_EQ(packs("8001234567890"), QStringList({"2", "0", "0", "0", "X"}));
}

TEST_P(NewOrder, NoLinesNothingToConfirm) {
    ASSERT_TRUE(work().execute("DELETE FROM ordine").ok());
    const QStringList before = snapshot();
    const auto r = confirm();
    EXPECT_TRUE(r.error.ok());
    EXPECT_TRUE(r.noLines);
    EXPECT_EQ(snapshot(), before);
}

TEST_P(NewOrder, AComparisonThatCannotBeWrittenLeavesBothFilesAsTheyWere) {
    // The comparison's table lacks its selection mark: nothing can be handed
    // on, so no last order is recorded either.
    const QStringList before = snapshot();
    ASSERT_TRUE(comparison().executeNative("ALTER TABLE articoli DROP COLUMN sel").ok());
    store->dbs().closeAll();
    const auto r = confirm();
    EXPECT_EQ(r.error.kind, data::Error::Kind::MissingField) << r.error.message().toStdString();
    EXPECT_TRUE(r.error.message().contains(QStringLiteral("sel"))) << r.error.message().toStdString();
    ASSERT_TRUE(comparison().executeNative("ALTER TABLE articoli ADD COLUMN sel varchar(1)").ok());
    store->dbs().closeAll();
    EXPECT_EQ(snapshot(), before);
}

TEST_P(NewOrder, KilledHalfwayLeavesBothFilesAsTheyWere) {
    const QStringList before = snapshot();
    const data::DriveMapping mapping = store->dbs().mapping();
    const QString workPath = o.workPath;
    store->dbs().closeAll();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        data::Databases dbs{mapping};
        documents::confirmNewOrder(dbs.open(workPath), dbs.open(kComparisonPath), QDate(2026, 12, 10),
                                   [](int n, int) {
                                       if (n == 4)
                                           _exit(9); // the program killed with three lines written
                                   });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_EQ(snapshot(), before);
    // The files are usable at once: the confirmation runs to its end.
    ASSERT_TRUE(confirm().error.ok());
    EXPECT_EQ(packs("8000000000456"), QStringList({"0", "0", "4", "0", "X"}));
}

TEST_P(NewOrder, AComparisonWrittenWithoutItsLastOrdersIsCompletedByConfirmingAgain) {
    // The one write that is not atomic across two files: the comparison
    // committed, the work database's commit failed. The lines are still
    // there, so the operator confirms again.
    ASSERT_TRUE(
        documents::transferToPriceComparison(comparison(), {{"8000000000456", data::Decimal::fromInt(4)}})
            .error.ok());
    EXPECT_EQ(lastOrder("8000000000456"), QStringList({"Null", "Null"}));
    ASSERT_TRUE(confirm().error.ok());
    EXPECT_EQ(packs("8000000000456"), QStringList({"0", "0", "4", "0", "X"}));
    EXPECT_EQ(lastOrder("8000000000456"), QStringList({"4", "2026-12-10"}));
}

} // namespace
