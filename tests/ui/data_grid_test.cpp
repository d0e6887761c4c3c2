// The data grid bound to a query: rows counted without a query, after a
// failed one, and columns narrower than the style's minimum.
#include "test_store.h"
#include "ui/data_grid.h"
#include "ui/toolkit.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class DataGridTest : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        storeDb = store->create("c:\\marbo\\dati.mdb", data::schema::StoreDb);
        addRow(storeDb, "fornitori", {"codfornitore", 101, "dscfornitore", "ZETA SRL"});
        addRow(storeDb, "fornitori", {"codfornitore", 102, "dscfornitore", "ALFA SPA"});
    }
    data::Database storeDb;
};

TEST_P(DataGridTest, GridWithoutRowsAnswersAndKeepsNarrowColumns) {
    ui::DataGrid never;
    EXPECT_EQ(never.rows(), 1);
    EXPECT_EQ(never.textMatrix(5, 1), QString());

    ui::DataGrid failed;
    EXPECT_TRUE(failed.setQuery(storeDb, "select * from [manca]"));
    EXPECT_EQ(failed.rows(), 1);
    EXPECT_EQ(failed.textMatrix(3, 2), QString());

    ui::DataGrid grid;
    ASSERT_FALSE(grid.setQuery(storeDb, "select codfornitore, dscfornitore from fornitori"));
    grid.setColWidth(1, 150);
    EXPECT_EQ(grid.columnWidth(0), ui::twips(150));
    EXPECT_EQ(grid.rows(), 3);
}

MARBO_ON_EACH_ENGINE(DataGridTest);

} // namespace
