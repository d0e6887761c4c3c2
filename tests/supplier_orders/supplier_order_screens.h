// The supplier order screens on the supplier order store (supplier_order_store.h),
// with the shared state of the "ALTRI" mode for supplier 5; each test runs on
// both engines.
#pragma once

#include "screen_fixture.h"
#include "supplier_order_store.h"
#include "supplier_orders/register_supplier_orders.h"
#include "ui/data_grid.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace testing_support {

class SupplierOrderScreens : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        f->standIn(QStringLiteral("tarvo01f"));
        supplier_orders::registerSupplierOrders(f->registry);
        db = makeSupplierOrderStore(f->store, f->clock.today());
        f->state.storeDbPath = f->state.workDbPath = f->state.secondPath = kSupplierStore;
        f->state.supplierCode = 5;
        f->state.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    }

    ui::Screen* find(const char* name) { return f->registry.find(QString::fromLatin1(name)); }
    // A column of the grid `ord` of a screen, rows 1 to the last.
    QStringList column(ui::Screen* s, int col) {
        QStringList out;
        ui::DataGrid* g = f->grid(s, "ord");
        for (int r = 1; r < g->rows(); ++r)
            out << g->textMatrix(r, col);
        return out;
    }
    // The grid row whose column 1 reads so, 0 when none.
    int rowOf(ui::Screen* s, const QString& col1) {
        const int i = int(column(s, 1).indexOf(col1));
        return i < 0 ? 0 : i + 1;
    }
    ui::Screen* openOrder(int number) {
        f->state.documentNumber = number;
        f->state.userName = QStringLiteral("ALIMENTARI ROSSI SPA");
        return f->registry.open(QStringLiteral("lumo10"));
    }
    ui::Screen* openLine(int number, int bns) {
        openOrder(number);
        f->state.lastLine = std::int16_t(bns);
        return f->registry.open(QStringLiteral("lumo09"));
    }
    void enter(ui::Screen* s, const char* field, const QString& text) {
        QLineEdit* e = f->field(s, field);
        e->clear();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // A field of an order line.
    QVariant lineValue(int number, int bns, const char* field) {
        data::Recordset rs =
            db.query(QStringLiteral("SELECT * FROM ordini WHERE bnumer = %1 and bannoc = 2026 and bns = %2")
                         .arg(number)
                         .arg(bns));
        return rs.eof() ? QVariant(QStringLiteral("<no line>")) : rs.value(QString::fromLatin1(field));
    }
    QString status(int number) {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM testao WHERE numero = %1").arg(number));
        return rs.eof() ? QStringLiteral("<no header>") : rs.value("fl1ts").toString();
    }
    int count(const QString& sql) { return db.query(sql).recordCount(); }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

} // namespace testing_support
