// The inventory from scan to document, driven through the real screens of
// every module: menu, entry, pop-up, list and export, confirmation, deletion.
#include "app/register_screens.h"
#include "inventory_screens.h"

#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Inventory : public InventoryScreens {
protected:
    void SetUp() override {
        InventoryScreens::SetUp();
        app::registerScreens(f.registry);
    }
};

TEST_P(Inventory, FromScanToDocument) {
    ui::Screen* menu = f.registry.open("tarvo04");
    EXPECT_EQ(f.state.documentNumber, 42);
    f.child<QLineEdit>(menu, "operw")->setText("3");
    f.click(menu, "Command12");
    ASSERT_NE(entryScreen(), nullptr);
    EXPECT_EQ(f.field(entryScreen(), "operw")->text(), QStringLiteral("3"));

    scan("8001234567890", "2");
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("2"));
    EXPECT_TRUE(f.field(entryScreen(), "eanw")->text().isEmpty());
    scan("8009999999991", "3");       // the same article under its other EAN
    scan("2100000012503", QString()); // weighed: 12,50 euro of a 12,50 a kilo ham = 1 kg
    scan("8000000000001", "4");       // not in codean: the pop-up
    ASSERT_TRUE(f.isOpen("tarvo05er"));
    EXPECT_FALSE(f.isOpen("tarvo05"));
    // "     SI" keeps the count under its EAN; the transfer writes it with placeholders.
    f.clickLabel(f.registry.find("tarvo05er"), "Label2");
    ASSERT_NE(entryScreen(), nullptr);
    // EAN rows but no price-list row: the pop-up comes at the scan, before a
    // count; "     SI" brings the EAN back for the count, which is stored.
    scan("8000000000888", "5");
    ASSERT_TRUE(f.isOpen("tarvo05er"));
    f.clickLabel(f.registry.find("tarvo05er"), "Label2");
    ASSERT_NE(entryScreen(), nullptr);
    EXPECT_EQ(f.field(entryScreen(), "eanw")->text(), QStringLiteral("8000000000888"));
    f.field(entryScreen(), "quanw")->setText("5");
    QTest::keyClick(f.field(entryScreen(), "quanw"), Qt::Key_Return);
    EXPECT_FALSE(f.isOpen("tarvo05er"));

    EXPECT_DOUBLE_EQ(quantityOf(3, 123), 5.0);
    EXPECT_DOUBLE_EQ(quantityOf(3, 77), 1.0);
    EXPECT_DOUBLE_EQ(quantityOf(3, 888), 5.0);
    data::Recordset lines = db.query("SELECT * FROM inventario WHERE oper = 3");
    EXPECT_EQ(lines.recordCount(), 4);
    ASSERT_TRUE(lines.findFirst("codcasa = 123 and oper = 3"));
    EXPECT_EQ(lines.value("eanrig").toString(),
              QStringLiteral("8001234567890")); // the EAN of the first count
    EXPECT_EQ(lines.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_DOUBLE_EQ(lines.value("colli").toDouble(), 5.0);
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("15"));

    // The operator's list, then the file for the point-of-sale system.
    entryScreen()->close();
    f.click(menu, "Command13");
    ui::Screen* list = f.registry.find("tarvo06");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(f.grid(list, "ord")->rows(), 5); // header and four lines
    EXPECT_EQ(f.grid(list, "ord")->textMatrix(1, 1), QStringLiteral("8001234567890"));
    EXPECT_EQ(f.field(list, "totqw")->text(), QStringLiteral("15"));
    f.button(list, "Command2")->click();
    EXPECT_FALSE(f.isOpen("tarvo06"));
    QFile exported(f.store.root() + "/c/quirel/inve1.dat");
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), QByteArray("80012345678900005\r\n21000000125030001\r\n80000000000010004\r\n"
                                             "80000000008880005\r\n"));

    // Confirm.
    f.click(menu, "Command2");
    f.click(menu, "Command10");
    EXPECT_EQ(f.child<QLabel>(menu, "Label2")->text(), QStringLiteral("INVENTARIO CARICATO NR. 42"));
    EXPECT_FALSE(f.child<QPushButton>(menu, "Command10")->isVisible());
    data::Recordset head = db.query("SELECT * FROM invte");
    ASSERT_EQ(head.recordCount(), 1);
    EXPECT_EQ(head.value("numero").toInt(), 42);
    EXPECT_EQ(head.value("anno").toInt(), 2026);
    EXPECT_EQ(head.value("tipodoc").toString(), QStringLiteral("INVENTARIO"));
    EXPECT_EQ(head.value("causa").toString(), QStringLiteral("INVENT"));
    EXPECT_EQ(head.value("dataor").toDate(), QDate(2026, 12, 10));
    // Every count reaches the document: the weighed article under its own
    // code (its scanned code is no EAN row), the two pop-up lines with the
    // placeholders, the one with EAN rows under its article code.
    struct Line {
        int bns, article;
        const char* ean;
        double quantity, total;
        const char* description;
        const char* unit;
    } expected[] = {
        {1, 123, "8001234567890", 5, 6.17, "PASTA SEMOLA GR.500", "PZ"}, // 1,2345 x 5 = 6,1725
        {2, 77, "2100000012503", 1, 9.40, "PROSCIUTTO CRUDO", "PZ"},
        {3, 999999, "8000000000001", 4, 0, "AAAAAA Articolo non Trovato !!!!", "XX"},
        {4, 888, "8000000000888", 5, 0, "AAAAAA Articolo non Trovato !!!!", "XX"},
    };
    data::Recordset mo = db.query("SELECT * FROM invmo ORDER BY bns");
    ASSERT_EQ(mo.recordCount(), 4);
    for (const Line& x : expected) {
        SCOPED_TRACE(x.bns);
        ASSERT_FALSE(mo.eof());
        EXPECT_EQ(mo.value("bns").toInt(), x.bns);
        EXPECT_EQ(mo.value("articoli").toInt(), x.article);
        EXPECT_EQ(mo.value("eanrig").toString(), QString::fromLatin1(x.ean));
        EXPECT_DOUBLE_EQ(mo.value("quantita").toDouble(), x.quantity);
        EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), x.total);
        EXPECT_EQ(mo.value("descrizione").toString(), QString::fromLatin1(x.description));
        EXPECT_EQ(mo.value("unitam").toString(), QString::fromLatin1(x.unit));
        mo.moveNext();
    }
    ASSERT_TRUE(mo.findFirst("bns = 1"));
    EXPECT_EQ(mo.value("iva").toString(), QStringLiteral("04"));
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 42);
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2025"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 7);
    // The working lines stay until deleted.
    EXPECT_EQ(db.query("SELECT * FROM inventario WHERE oper = 3").recordCount(), 4);

    f.click(menu, "Command3");
    f.click(menu, "Command15");
    EXPECT_EQ(f.child<QLabel>(menu, "Label3")->text(), QStringLiteral("Inventario è stato cancellato "));
    EXPECT_EQ(db.query("SELECT * FROM inventario").recordCount(), 0);
    EXPECT_TRUE(f.messages.shown().empty()) << f.messages.texts().join('|').toStdString();
}

MARBO_ON_EACH_ENGINE(Inventory);

} // namespace
