// A supplier order received on the handheld from the main menu to the labels,
// through the real screens of every module, on a store whose order was written
// as the supplier order confirmation writes it; the labels go to a queue of
// the test run's private CUPS server.
#include "app/register_screens.h"
#include "cups_queue.h"
#include "documents/epl2_labels.h"
#include "screen_fixture.h"
#include "supplier_order_store.h"
#include "ui/drive_list.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class SupplierOrderReceipt : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        app::registerScreens(f->registry);
        db = makeSupplierOrderStore(f->store, f->clock.today());
        addRow(db, "fornitori", {"codfornitore", 5, "dscfornitore", "ALIMENTARI ROSSI SPA"});
        addRow(db, "fornitori", {"codfornitore", 7, "dscfornitore", "BEVANDE BIANCHI SRL"});
        // The store-management software had the order in hand.
        db.execute("UPDATE testao SET fl1ts = 'A' WHERE numero = 12");
    }
    ui::Screen* find(const char* name) { return f->registry.find(QString::fromLatin1(name)); }
    void enter(ui::Screen* s, const char* field, const QString& text) {
        QTest::keyClicks(f->field(s, field), text);
        QTest::keyClick(f->field(s, field), Qt::Key_Return);
    }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

TEST_P(SupplierOrderReceipt, FromTheMainMenuToTheLabels) {
    MARBO_NEEDS_CUPS();
    CupsQueue queue;
    ASSERT_EQ(queue.error(), QString());
    ASSERT_EQ(queue.makeDefault(), QString());

    // "ALTRI", the supplier, "Ordine a fornitore", "Ordini in corso".
    ui::Screen* menu = f->registry.open("tarvom");
    f->child<ui::DriveList>(menu, "Drive1")->setDrive("c:");
    f->click(menu, "Command6");
    f->grid(menu, "flex1")->clickCell(1, 1);
    f->click(menu, "Command9");
    ASSERT_NE(find("tarvof"), nullptr);
    f->click(find("tarvof"), "Command12");
    ui::Screen* ordersMenu = find("lumo07");
    ASSERT_NE(ordersMenu, nullptr);
    f->click(ordersMenu, "Command13");

    // The order.
    ui::Screen* list = find("lumo08");
    ASSERT_NE(list, nullptr);
    ui::DataGrid* orders = f->grid(list, "ord");
    ASSERT_EQ(orders->textMatrix(1, 1), QStringLiteral("12"));
    orders->setCurrentRow(1);
    f->click(list, "Command5");
    ui::Screen* order = find("lumo10");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(f->field(order, "descliw")->text(), QStringLiteral("ALIMENTARI ROSSI SPA"));

    // A carton of pasta: its GS1 scan opens the pasta's line.
    enter(order, "eanw", "0108001234567890");
    ui::Screen* line = find("lumo09");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(f->field(line, "descrw")->text(), QStringLiteral("PASTA SEMOLA GR.500"));
    // The cartons carry a code of their own, scanned on the line; 3 packs of 12, a lot.
    f->field(line, "eanw")->setText(QStringLiteral("18001234567999"));
    enter(line, "collicw", "3");
    EXPECT_EQ(f->field(line, "quanciw")->text(), QStringLiteral("36"));
    f->field(line, "lottofw")->setText(QStringLiteral("L26-340"));
    f->click(line, "Command5");
    EXPECT_FALSE(f->isOpen("lumo09"));
    order = find("lumo10");
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(f->grid(order, "ord")->textMatrix(4, 5), QStringLiteral("C")); // delivered lines come last

    // Labels: 3 for the pasta, 1 for each line without delivered packs, none
    // for the oil that `articoli` does not know.
    f->click(order, "Command3");
    EXPECT_EQ(f->messages.texts(), QStringList{"Le etichette sono state stampate ...."});
    using documents::epl2Label;
    const QByteArray pasta = epl2Label("800123456799900120010000000", "PASTA SEMOLA GR.500", 123);
    EXPECT_EQ(queue.nextJob(), epl2Label("800000000045600120020000000", "CAFFÈ \"MOKA\" 250 G", 456) +
                                   epl2Label("210000000000000120040000000", "PROSCIUTTO CRUDO", 77) + pasta +
                                   pasta + pasta);

    // Leaving: back to the list, the order open again.
    f->click(order, "Command1");
    EXPECT_FALSE(f->isOpen("lumo10"));
    EXPECT_TRUE(f->isOpen("lumo08"));
    f->click(ordersMenu, "Command5");
    EXPECT_EQ(f->child<QPushButton>(menu, "Command2")->text(), QStringLiteral("Ordini Fornitori"));

    data::Recordset ordini =
        db.query("SELECT * FROM ordini WHERE bnumer = 12 and bannoc = 2026 ORDER BY bns");
    ASSERT_EQ(ordini.recordCount(), 4);
    EXPECT_EQ(ordini.value("bflag1").toString(), QStringLiteral("C"));
    EXPECT_EQ(ordini.value("eanrig").toString(), QStringLiteral("8001234567999"));
    EXPECT_EQ(ordini.value("lotto").toString(), QStringLiteral("L26-340"));
    EXPECT_DOUBLE_EQ(ordini.value("collic").toDouble(), 3);
    EXPECT_DOUBLE_EQ(ordini.value("quanci").toDouble(), 36);
    EXPECT_DOUBLE_EQ(ordini.value("quantita").toDouble(), 24);
    for (ordini.moveNext(); !ordini.eof(); ordini.moveNext())
        EXPECT_TRUE(ordini.value("bflag1").isNull()) << ordini.value("bns").toInt();
    data::Recordset codean = db.query("SELECT * FROM codean WHERE codare = 123 ORDER BY eanare");
    ASSERT_EQ(codean.recordCount(), 2);
    codean.moveLast();
    EXPECT_EQ(codean.value("eanare").toString(), QStringLiteral("8001234567999"));
    data::Recordset testao = db.query("SELECT * FROM testao WHERE numero = 12 and anno = 2026");
    ASSERT_FALSE(testao.eof());
    EXPECT_EQ(testao.value("fl1ts").toString().trimmed(), QString()); // "A" is open again
    EXPECT_EQ(f->messages.texts(), QStringList{"Le etichette sono state stampate ...."});
}

MARBO_ON_EACH_ENGINE(SupplierOrderReceipt);

} // namespace
