// The inventory screens on the inventory store, driven as the operator drives
// them: scan a code, type a quantity, Enter or "Conferma".
#pragma once

#include "data/recordset.h"
#include "inventory_store.h"
#include "screen_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace testing_support {

// The inventory store on drive c:, the store path set and user 1; each suite
// registers the screens it drives. As a TEST_P fixture it runs on both
// engines; a derived SetUp() calls this one first and returns when
// IsSkipped().
class InventoryScreens : public ::testing::TestWithParam<data::Engine> {
protected:
    InventoryScreens()
        : f(engineOfTest(*this)) {}
    void SetUp() override {
        if (noServerForTest(*this))
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        db = makeInventoryStore(f.store);
        f.state.storeDbPath = kInventoryStore;
        f.state.userCode = 1;
    }
    ui::Screen* entryScreen() { return f.registry.find("tarvo05"); }
    void scan(const QString& code, const QString& quantity, bool confirmButton = false) {
        auto* e = entryScreen();
        ASSERT_NE(e, nullptr);
        f.nextAction();
        f.field(e, "eanw")->clear();
        QTest::keyClicks(f.field(e, "eanw"), code);
        QTest::keyClick(f.field(e, "eanw"), Qt::Key_Return);
        if (!entryScreen())
            return; // the pop-up took over
        if (!quantity.isNull())
            f.field(e, "quanw")->setText(quantity); // a null quantity keeps what the screen proposed
        f.nextAction();
        if (confirmButton)
            f.button(e, "Command5")->click();
        else
            QTest::keyClick(f.field(e, "quanw"), Qt::Key_Return);
    }
    // The quantity on the line of an operator and article, -1 for no line.
    double quantityOf(int oper, int code) {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper = %1").arg(oper));
        return rs.findFirst(QStringLiteral("codcasa = %1 and oper = %2").arg(code).arg(oper))
                   ? rs.value("quantita").toDouble()
                   : -1;
    }
    void lines(int oper, std::initializer_list<std::pair<const char*, double>> l) {
        addInventoryLines(db, oper, l);
    }

    ScreenFixture f;
    data::Database db;
};

} // namespace testing_support
