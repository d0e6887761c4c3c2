// The store of a count into a working line, on both engines: two handhelds
// storing into the same lines at once lose nothing and make no second line,
// and a store that fails leaves the line as it was.
#include "data/recordset.h"
#include "documents/working_lines.h"
#include "inventory_store.h"
#include "test_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;
using data::Decimal;

namespace {

class WorkingLines : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = makeInventoryStore(*store);
        s.operatorNumber = 4;
    }
    data::Database db;
    state::SharedState s;
};

TEST_P(WorkingLines, TwoHandheldsWithOneOperatorNumberLoseNoCount) {
    // Two processes, one operator number, 300 scans each: 1 of article 123
    // (a line by article code) and 0,1 of an EAN no article has (a line by
    // EAN), every time.
    const data::DriveMapping mapping = store->dbs().mapping();
    store->dbs().closeAll();
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(go[1]);
            data::Databases dbs{mapping};
            const data::Database store = dbs.open(kInventoryStore);
            store.scalarNative(QStringLiteral("SELECT 1"), {});
            char c;
            (void)!read(go[0], &c, 1); // both start when the pipe closes
            state::SharedState handheld;
            handheld.operatorNumber = 4;
            for (int i = 0; i < 300; ++i) {
                if (documents::storeInventoryLine(store, handheld, 123, QStringLiteral("8001234567890"),
                                                  Decimal::fromInt(1)) ||
                    documents::storeInventoryLine(store, handheld, 0, QStringLiteral("8000000000001"),
                                                  Decimal::fromUnits(1000)))
                    _exit(1);
            }
            _exit(0);
        }
    }
    close(go[0]);
    close(go[1]);
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const data::Database again = store->open(kInventoryStore);
    data::Recordset lines = again.query("SELECT * FROM inventario WHERE oper = 4");
    ASSERT_EQ(lines.recordCount(), 2); // one line per article and operator
    ASSERT_TRUE(lines.findFirst("codcasa = 123 and oper = 4"));
    EXPECT_EQ(lines.decimal("quantita"), Decimal::fromInt(600));
    EXPECT_EQ(lines.decimal("colli"), Decimal::fromInt(600));
    EXPECT_EQ(lines.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
    ASSERT_TRUE(lines.findFirst("eanrig = '8000000000001' and oper = 4"));
    EXPECT_EQ(lines.decimal("quantita"), Decimal::fromInt(60)); // 600 x 0,1, exactly
}

TEST_P(WorkingLines, AStoreThatFailsLeavesTheLineAsItWas) {
    // A line whose count is at the edge of what the field holds; the article's
    // price list has changed since.
    ASSERT_TRUE(documents::storeInventoryLine(db, s, 123, "8001234567890", Decimal::fromInt(1)).ok());
    ASSERT_TRUE(db.execute("UPDATE inventario SET colli = 900000000000000, quantita = 900000000000000").ok());
    ASSERT_TRUE(
        db.execute("UPDATE listi01 SET przart = 2.5, ivart = '10', desgru = 'ALTRO' WHERE codart = 123")
            .ok());
    const data::Error e =
        documents::storeInventoryLine(db, s, 123, "8001234567890", *Decimal::fromDouble(50000000000000.0));
    EXPECT_EQ(e.kind, data::Error::Kind::BadValue) << qPrintable(e.message());
    EXPECT_TRUE(e.message().contains("inventario")) << qPrintable(e.message());
    data::Recordset rs = db.query("SELECT * FROM inventario WHERE oper = 4");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.decimal("quantita"), Decimal::fromDouble(900000000000000.0));
    EXPECT_EQ(rs.decimal("prezzo"), Decimal::fromDouble(0.7));
    EXPECT_EQ(rs.value("iva").toString(), QStringLiteral("04"));
    EXPECT_EQ(rs.value("desgru").toString(), QStringLiteral("PASTA"));
    // The same store of a count that fits goes through, article data and all.
    ASSERT_TRUE(db.execute("UPDATE inventario SET colli = 1, quantita = 1").ok());
    ASSERT_TRUE(documents::storeInventoryLine(db, s, 123, "8001234567890", Decimal::fromInt(2)).ok());
    rs.requery();
    EXPECT_EQ(rs.decimal("quantita"), Decimal::fromInt(3));
    EXPECT_EQ(rs.value("desgru").toString(), QStringLiteral("ALTRO"));
}

MARBO_ON_EACH_ENGINE(WorkingLines);

} // namespace
