// The inventory from scan to document, driven through the real screens.
#include "app/register_screens.h"
#include "documents/inventory_transfer.h"
#include "entry/inventory_entry.h"
#include "lists/line_list.h"
#include "screen_fixture.h"
#include "shell/inventory_menu.h"
#include "ui/data_grid.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const QString kStore = QStringLiteral("c:\\marbo\\dati.mdb");

class Inventory : public ::testing::Test {
protected:
    void SetUp() override {
        app::registerScreens(f.registry);
        db = f.store.create(kStore, data::schema::StoreDb);
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
        addRow(db, "codean", {"eanare", "2100000000005", "codare", 77});
        addRow(db, "codean", {"eanare", "8000000000888", "codare", 888}); // no price-list row
        addRow(db, "listi01", {"codart", 123,
                               "desart", "PASTA SEMOLA GR.500",
                               "imbart", 24,
                               "cofart", 1.2345,
                               "przart", 0.7,
                               "przpub", 0.89,
                               "umart",  "PZ",
                               "ivart",  "04",
                               "desfor", "ALIMENTARI ROSSI SPA",
                               "desgru", "PASTA",
                               "cosmp",  0.6});
        addRow(db, "listi01",
               {"codart", 77, "desart", "PROSCIUTTO CRUDO", "imbart", 1, "cofart", 9.4, "przpub", 12.5,
                "ivart", "10"});
        addRow(db, "tipodoc", {"coddoc", "INVENTARIO", "numeratore", "IN"});
        addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
        addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2025, "ultnum", 7});
        f.state.storeDbPath = kStore;
        f.state.userCode = 1;
    }
    entry::InventoryEntry* entryScreen() {
        return qobject_cast<entry::InventoryEntry*>(f.registry.find("tarvo05"));
    }
    void scan(const QString& code, const QString& quantity, bool confirmButton = false) {
        auto* e = entryScreen();
        ASSERT_NE(e, nullptr);
        f.field(e, "eanw")->clear();
        QTest::keyClicks(f.field(e, "eanw"), code);
        QTest::keyClick(f.field(e, "eanw"), Qt::Key_Return);
        if (!entryScreen())
            return; // the pop-up took over
        if (!quantity.isNull())
            f.field(e, "quanw")->setText(quantity); // a null quantity keeps what the screen proposed
        if (confirmButton)
            f.button(e, "Command5")->click();
        else
            QTest::keyClick(f.field(e, "quanw"), Qt::Key_Return);
    }
    double quantityOf(int oper, int code) {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper = %1").arg(oper));
        return rs.findFirst(QStringLiteral("codcasa = %1 and oper = %2").arg(code).arg(oper))
                   ? rs.value("quantita").toDouble()
                   : -1;
    }
    ScreenFixture f;
    data::Database db;
};

TEST_F(Inventory, FromScanToDocument) {
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
    scan("8000000000888", "5"); // EAN rows but no price-list row
    ASSERT_TRUE(f.isOpen("tarvo05er"));
    f.clickLabel(f.registry.find("tarvo05er"), "Label3");
    ASSERT_NE(entryScreen(), nullptr);

    EXPECT_DOUBLE_EQ(quantityOf(3, 123), 5.0);
    EXPECT_DOUBLE_EQ(quantityOf(3, 77), 1.0);
    data::Recordset lines = db.query("SELECT * FROM inventario WHERE oper = 3");
    EXPECT_EQ(lines.recordCount(), 3);
    ASSERT_TRUE(lines.findFirst("codcasa = 123 and oper = 3"));
    EXPECT_EQ(lines.value("eanrig").toString(),
              QStringLiteral("8001234567890")); // the EAN of the first count
    EXPECT_EQ(lines.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA GR.500"));
    EXPECT_DOUBLE_EQ(lines.value("colli").toDouble(), 5.0);
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(), QStringLiteral("10"));

    // The operator's list, then the file for the point-of-sale system.
    entryScreen()->close();
    f.click(menu, "Command13");
    auto* list = qobject_cast<lists::LineList*>(f.registry.find("tarvo06"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(f.grid(list, "ord")->rows(), 4); // header and three lines
    EXPECT_EQ(f.grid(list, "ord")->textMatrix(1, 1), QStringLiteral("8001234567890"));
    EXPECT_EQ(f.field(list, "totqw")->text(), QStringLiteral("10"));
    f.button(list, "Command2")->click();
    EXPECT_FALSE(f.isOpen("tarvo06"));
    QFile exported(f.store.root() + "/c/quirel/inve1.dat");
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(),
              QByteArray("80012345678900005\r\n21000000125030001\r\n80000000000010004\r\n"));

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
    data::Recordset mo = db.query("SELECT * FROM invmo ORDER BY bns");
    ASSERT_EQ(mo.recordCount(), 3);
    EXPECT_EQ(mo.value("bns").toInt(), 1);
    EXPECT_EQ(mo.value("articoli").toInt(), 123);
    EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), 6.17); // 1,2345 x 5 = 6,1725
    EXPECT_EQ(mo.value("iva").toString(), QStringLiteral("04"));
    EXPECT_EQ(mo.value("unitam").toString(), QStringLiteral("PZ"));
    mo.moveLast();
    EXPECT_EQ(mo.value("bns").toInt(), 3);
    EXPECT_EQ(mo.value("articoli").toInt(), 999999);
    EXPECT_EQ(mo.value("descrizione").toString(), QStringLiteral("AAAAAA Articolo non Trovato !!!!"));
    EXPECT_EQ(mo.value("unitam").toString(), QStringLiteral("XX"));
    EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), 0.0);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 42);
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2025"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 7);
    // The working lines stay until deleted.
    EXPECT_EQ(db.query("SELECT * FROM inventario WHERE oper = 3").recordCount(), 3);

    f.click(menu, "Command3");
    f.click(menu, "Command15");
    EXPECT_EQ(f.child<QLabel>(menu, "Label3")->text(), QStringLiteral("Inventario è stato cancellato "));
    EXPECT_EQ(db.query("SELECT * FROM inventario").recordCount(), 0);
    EXPECT_TRUE(f.messages.shown().empty()) << f.messages.texts().join('|').toStdString();
}

TEST_F(Inventory, QuantityChecks) {
    struct Case {
        const char* typed;
        bool byButton;
        double stored; // -1: nothing stored
        bool message;
    } cases[] = {
        {"1001", false, -1, true},       {"1001", true, 1001, false}, {"999999", false, -1, true},
        {"999999", true, 999999, false}, {"0", false, -1, false},     {"", false, -1, false},
        {"abc", false, -1, false},       {"1,5", false, 1.5, false},  {"1000", false, 1000, false},
    };
    f.state.operatorNumber = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.byButton ? " Conferma" : " Enter"));
        db.execute("DELETE FROM inventario");
        f.messages.clear();
        f.registry.open("tarvo05");
        scan("8001234567890", QString::fromLatin1(c.typed), c.byButton);
        EXPECT_DOUBLE_EQ(quantityOf(3, 123), c.stored);
        EXPECT_EQ(!f.messages.shown().empty(), c.message);
        if (c.message)
            EXPECT_EQ(f.messages.texts().at(0), QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"));
        if (c.stored < 0)
            EXPECT_TRUE(f.field(entryScreen(), "quanw")->text().isEmpty());
    }
}

TEST_F(Inventory, KeypadAndTwoOperators) {
    f.state.operatorNumber = 1;
    f.registry.open("tarvo05");
    auto* e = entryScreen();
    QTest::keyClicks(f.field(e, "eanw"), "8001234567890");
    QTest::keyClick(f.field(e, "eanw"), Qt::Key_Return);
    for (const char* key : {"Command4", "Command16", "Command9"}) // "1", ",", "5"
        f.click(e, key);
    EXPECT_EQ(f.field(e, "quanw")->text(), QStringLiteral("1,5"));
    QTest::keyClick(f.field(e, "quanw"), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
    e->close();

    f.state.operatorNumber = 2;
    f.registry.open("tarvo05");
    scan("8001234567890", "4");
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), 4.0);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
    EXPECT_EQ(f.field(entryScreen(), "totqw")->text(),
              QStringLiteral("4")); // each operator sees only their own total

    // The quantity already counted is shown when the article is scanned again.
    QTest::keyClicks(f.field(entryScreen(), "eanw"), "8001234567890");
    QTest::keyClick(f.field(entryScreen(), "eanw"), Qt::Key_Return);
    EXPECT_EQ(f.field(entryScreen(), "qinvw")->text(), QStringLiteral("4"));

    // "Elimina" answered No still clears, closes and opens the list.
    f.messages.answer(ui::Message::Answer::No);
    f.click(entryScreen(), "Command12");
    EXPECT_TRUE(f.isOpen("tarvo06"));
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), 4.0);
    f.registry.open("tarvo05");
    QTest::keyClicks(f.field(entryScreen(), "eanw"), "8001234567890");
    f.messages.answer(ui::Message::Answer::Yes);
    f.click(entryScreen(), "Command12");
    EXPECT_DOUBLE_EQ(quantityOf(2, 123), -1);
    EXPECT_DOUBLE_EQ(quantityOf(1, 123), 1.5);
}

class Transfer : public Inventory {
protected:
    void lines(int oper, std::initializer_list<std::pair<const char*, double>> l) {
        for (const auto& [ean, q] : l)
            addRow(db, "inventario", {"codcasa", 0, "eanrig", ean, "oper", oper, "quantita", q, "colli", q});
    }
    documents::TransferResult run(int oper) {
        f.state.operatorNumber = std::int16_t(oper);
        f.state.documentType = QStringLiteral("INVENTARIO");
        f.state.documentYear = 2026;
        f.state.numberingCode = QStringLiteral("IN");
        return documents::transferInventory(db, f.state, QDate(2026, 12, 10));
    }
};

TEST_F(Transfer, NumberingAndLineNumbersAcrossTwoTransfers) {
    lines(1, {{"8001234567890", 3}, {"8009999999991", 0}, {"2100000000005", 2}});
    lines(2, {{"8001234567890", 1}});
    f.state.documentNumber = 42;
    auto r = run(1);
    ASSERT_TRUE(r.error.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesWritten, 2); // the 0 line is skipped and takes no number
    f.state.documentNumber = 43;
    r = run(2);
    ASSERT_TRUE(r.error.ok());
    data::Recordset mo = db.query("SELECT * FROM invmo ORDER BY bns");
    QStringList seen;
    for (; !mo.eof(); mo.moveNext())
        seen << QStringLiteral("%1/%2").arg(mo.value("bnumer").toInt()).arg(mo.value("bns").toInt());
    EXPECT_EQ(seen, QStringList({"42/1", "42/2", "43/3"}));
    // totrig: 1,2345 x 3 = 3,7035 -> 3,70
    ASSERT_TRUE(mo.findFirst("bnumer = 42 and bns = 1"));
    EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), 3.70);
    EXPECT_DOUBLE_EQ(mo.value("costof").toDouble(), 1.2345);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 43);
}

TEST_F(Transfer, ANumberTakenByAnotherWorkstationIsNotWrittenTwice) {
    lines(1, {{"8001234567890", 3}});
    lines(2, {{"8001234567890", 1}});
    // Both workstations opened the menu and took 42.
    f.state.documentNumber = 42;
    ASSERT_TRUE(run(1).error.ok());
    f.state.documentNumber = 42;
    const auto r = run(2);
    ASSERT_TRUE(r.error.ok());
    EXPECT_EQ(r.number, 43);
    EXPECT_FALSE(r.notice.isEmpty());
    EXPECT_EQ(db.query("SELECT * FROM invte WHERE numero = 43").recordCount(), 1);
    EXPECT_EQ(db.query("SELECT * FROM invmo WHERE bnumer = 43").recordCount(), 1);
}

TEST_F(Transfer, KilledHalfwayLeavesNothingWritten) {
    // 5000 lines; a child process transfers them and dies in the middle.
    ASSERT_TRUE(db.begin().ok());
    for (int i = 0; i < 5000; ++i)
        addRow(db, "inventario",
               {"codcasa", 123, "eanrig", "8001234567890", "oper", 1, "quantita", 1, "colli", 1});
    ASSERT_TRUE(db.commit().ok());
    const QString root = f.store.root();
    f.store.dbs().closeAll();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        data::Databases dbs{data::DriveMapping(root)};
        state::SharedState s;
        s.operatorNumber = 1;
        s.userCode = 1;
        s.documentYear = 2026;
        s.documentNumber = 42;
        s.documentType = QStringLiteral("INVENTARIO");
        s.numberingCode = QStringLiteral("IN");
        documents::transferInventory(dbs.open(kStore), s, QDate(2026, 12, 10), [](int n) {
            if (n == 2500)
                _exit(9); // the program killed halfway
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    const data::Database again = f.store.open(kStore);
    EXPECT_EQ(again.query("SELECT * FROM invte").recordCount(), 0);
    EXPECT_EQ(again.query("SELECT * FROM invmo").recordCount(), 0);
    data::Recordset numeri = again.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 41);
    EXPECT_EQ(again.query("SELECT * FROM inventario").recordCount(), 5000);
}

TEST_F(Transfer, WithoutANumberNothingIsWritten) {
    lines(3, {{"8001234567890", 3}});
    ui::Screen* menu = f.registry.open("tarvo04");
    // The menu opened: number taken. Pretend the series was missing then.
    db.execute("DELETE FROM invte");
    auto* inv = static_cast<shell::InventoryMenu*>(menu);
    f.child<QLineEdit>(menu, "operw")->clear();
    f.click(menu, "Command2");
    f.click(menu, "Command10"); // empty operator: no message, the button is gone
    EXPECT_TRUE(f.messages.shown().empty());
    EXPECT_FALSE(f.child<QPushButton>(menu, "Command10")->isVisible());
    EXPECT_EQ(db.query("SELECT * FROM invte").recordCount(), 0);
    EXPECT_TRUE(inv->numberTaken());
}

} // namespace
