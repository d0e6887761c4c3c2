// The supplier documents from scan to document, driven through the real
// screens of every module, on both engines: the main menu's "ALTRI" and the
// supplier choice, the section menus, the entry screens, the lists and their
// "Vedo articolo", and the confirmations.
#include "app/register_screens.h"
#include "shell/main_menu.h"
#include "supplier_entry_screens.h"
#include "ui/drive_list.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class SupplierDocuments : public SupplierEntryScreens {
protected:
    void SetUp() override {
        SupplierEntryScreens::SetUp();
        if (IsSkipped())
            return;
        app::registerScreens(f->registry);
        // The run starts with nothing chosen.
        f->state = state::SharedState();
    }
    // "ALTRI" on drive c:, then the supplier of the grid row.
    ui::Screen* chooseSupplier(int row) {
        ui::Screen* m = f->registry.open("tarvom");
        f->child<ui::DriveList>(m, "Drive1")->setDrive("c:");
        f->click(m, "Command6");
        f->child<ui::DataGrid>(m, "flex1")->clickCell(row, 1);
        f->click(m, "Command9");
        return f->registry.find("tarvof");
    }
    ui::Screen* screen(const char* name) { return f->registry.find(QString::fromLatin1(name)); }
    // Scan (or type a code), packages, Enter on the pieces proposed.
    void receive(const char* field, const QString& code, const QString& packages) {
        enter(screen("tarvo05b"), field, code);
        enter(screen("tarvo05b"), "colliw", packages);
        QTest::keyClick(f->field(screen("tarvo05b"), "quanw"), Qt::Key_Return);
    }
};

TEST_P(SupplierDocuments, GoodsReceiptFromScanToReceipt) {
    ui::Screen* tarvof = chooseSupplier(1); // ALIMENTARI ROSSI SPA, first by name
    ASSERT_NE(tarvof, nullptr);
    EXPECT_EQ(f->state.supplierCode, 7);
    f->click(tarvof, "Command7"); // Ricevimento merci
    ui::Screen* menu = screen("tarvo01b");
    ASSERT_NE(menu, nullptr);
    f->field(menu, "operw")->setText("2");
    f->click(menu, "Command12");
    ASSERT_NE(screen("tarvo05b"), nullptr);
    EXPECT_EQ(text(screen("tarvo05b"), "operw"), QStringLiteral("2"));

    receive("eanw", "80012345", "2");      // an 8-digit EAN
    receive("codcasaw", "123", "1");       // by its internal code
    receive("codcasaw", "789", "3");       // an article without any EAN row
    receive("eanw", "8009999999991", "2"); // already stored by this operator, under its other EAN
    EXPECT_EQ(text(screen("tarvo05b"), "totqw"), QStringLiteral("8"));
    screen("tarvo05b")->close();
    // The same article by a second operator.
    f->field(menu, "operw")->setText("3");
    f->click(menu, "Command12");
    receive("eanw", "8001234567890", "1");
    EXPECT_TRUE(f->messages.shown().empty()) << qPrintable(f->messages.texts().join(" | "));

    EXPECT_EQ(rowsOf("SELECT * FROM carico ORDER BY oper, codcasa",
                     {"oper", "codcasa", "eanrig", "colli", "quantita", "imballo", "codfor", "desfor"}),
              QStringList({"2|123|8001234567890|3|18|6|7|ALIMENTARI ROSSI SPA",
                           "2|456|0000080012345|2|24|12|7|ALIMENTARI ROSSI SPA",
                           "2|789||3|12|4|7|ALIMENTARI ROSSI SPA",
                           "3|123|8001234567890|1|6|6|7|ALIMENTARI ROSSI SPA"}));

    // The list of operator 3, and its line back in the entry screen.
    screen("tarvo05b")->close();
    f->click(menu, "Command13"); // Vedo articoli
    ui::Screen* list = screen("tarvo06b");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(f->grid(list, "ord")->rows(), 2);
    EXPECT_EQ(text(list, "totqw"), QStringLiteral("1"));
    f->grid(list, "ord")->clickCell(1, 2);
    f->click(list, "Command5"); // Vedo articolo
    ASSERT_NE(screen("tarvo05b"), nullptr);
    EXPECT_EQ(text(screen("tarvo05b"), "descrw"), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_EQ(text(screen("tarvo05b"), "qinvw"), QStringLiteral("6"));
    screen("tarvo05b")->close();

    // "Confermo carico" opens the confirmation.
    EXPECT_TRUE(f->button(menu, "Command2")->isEnabled() || !f->registry.has("cnfordc"));
}

MARBO_ON_EACH_ENGINE(SupplierDocuments);

} // namespace
