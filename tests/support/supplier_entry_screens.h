// The supplier-document screens on the supplier store, supplier 7 chosen, on
// SQLite and on PostgreSQL, driven as the operator drives them.
#pragma once

#include "screen_fixture.h"
#include "supplier_entry_store.h"

#include <QTest>
#include <memory>

namespace testing_support {

// The supplier-document screens, real, on the supplier store, supplier 7 chosen;
// each suite registers the screens it drives.
class SupplierEntryScreens : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        db = makeSupplierEntryStore(f->store);
        f->state.storeDbPath = f->state.workDbPath = f->state.secondPath = kSupplierEntryStore;
        f->state.userCode = 1;
        f->state.supplierCode = 7;
        f->state.supplierName = QStringLiteral("ALIMENTARI ROSSI SPA");
    }

    // Types into a field and presses Enter, as the scanner and the operator do.
    void enter(ui::Screen* s, const char* field, const QString& text) {
        QLineEdit* e = f->field(s, field);
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QString text(ui::Screen* s, const char* field) { return f->field(s, field)->text(); }
    bool hasFocus(ui::Screen* s, const char* field) {
        return QApplication::focusWidget() == f->field(s, field) || f->field(s, field)->hasFocus();
    }
    int count(const QString& sql) { return db.query(sql).recordCount(); }
    // Chosen fields of the rows of a query, one text per row ("2|123|8001234567890"):
    // numbers exact, Null and blank texts empty.
    QStringList rowsOf(const QString& sql, const QStringList& fields) {
        QStringList out;
        for (data::Recordset rs = db.query(sql); !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (const QString& name : fields) {
                const QVariant v = rs.value(name);
                row << (v.typeId() == QMetaType::Double ? data::Decimal::fromVariant(v)->toText()
                                                        : v.toString().trimmed());
            }
            out << row.join(QLatin1Char('|'));
        }
        return out;
    }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

} // namespace testing_support
