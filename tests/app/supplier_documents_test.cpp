// The supplier documents from scan to document, driven through the real
// screens of every module, on both engines: "ALTRI" and the supplier choice,
// the section menus, the entry screens, the lists and their "Vedo articolo",
// the confirmation dialogs; then every table they touch, field by field.
#include "app/register_screens.h"
#include "screen_fixture.h"
#include "supplier_store.h"
#include "ui/drive_list.h"

#include <QCheckBox>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The supplier store of the confirmations (receipts 1 to 7, supplier orders 1
// to 3, the open return note 12 of supplier 5, registered notes up to 15)
// with what the scans need besides: a second EAN of article 101, an 8-digit
// EAN of article 102 and article 104 without any EAN.
class SupplierDocuments : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        db = makeSupplierStore(f->store);
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 101});
        addRow(db, "codean", {"eanare", "0000080012345", "codare", 102});
        addRow(db, "listi01", {"codart", 104,  "desart", "SPAGO DA CUCINA",
                               "imbart", 10,   "przart", 0.3,
                               "cofart", 0.2,  "ivart",  "22",
                               "umart",  "PZ", "desgru", "VARIE",
                               "cosmp",  0.25, "qinv",   0,
                               "qacq",   0,    "qres",   0,
                               "qven",   0});
        app::registerScreens(f->registry);
    }

    // "ALTRI" on drive c:, then the supplier of a grid row (in name order:
    // 1 DOLCIARIA DEL SUD SPA, 2 FONTI ALPINE SRL).
    ui::Screen* chooseSupplier(int row) {
        ui::Screen* m = f->registry.open("tarvom");
        f->child<ui::DriveList>(m, "Drive1")->setDrive("c:");
        f->click(m, "Command6");
        f->child<ui::DataGrid>(m, "flex1")->clickCell(row, 1);
        f->click(m, "Command9");
        return screen("tarvof");
    }
    ui::Screen* screen(const char* name) { return f->registry.find(QString::fromLatin1(name)); }
    QString text(const char* s, const char* field) { return f->field(screen(s), field)->text(); }
    void enter(const char* s, const char* field, const QString& typed) {
        QLineEdit* e = f->field(screen(s), field);
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, typed);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // Goods receipt: scan (or type a code), packages, Enter on the pieces proposed.
    void receive(const char* field, const QString& code, const QString& packages) {
        enter("tarvo05b", field, code);
        enter("tarvo05b", "colliw", packages);
        QTest::keyClick(f->field(screen("tarvo05b"), "quanw"), Qt::Key_Return);
    }
    // Quantity first: the quantity typed, then the scan.
    void scanWith(const char* s, const QString& quantity, const QString& code) {
        f->field(screen(s), "quanw")->setText(quantity);
        enter(s, "eanw", code);
    }
    QStringList table(const QString& query, const QStringList& fields) { return rows(db, query, fields); }
    int lines(const char* t) {
        return db.query(QStringLiteral("SELECT * FROM ") + QLatin1String(t)).recordCount();
    }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

const QStringList kNoMessages;

TEST_P(SupplierDocuments, GoodsReceiptFromScanToReceipt) {
    ui::Screen* tarvof = chooseSupplier(2);
    ASSERT_NE(tarvof, nullptr);
    EXPECT_EQ(f->state.supplierCode, 5);
    f->click(tarvof, "Command7"); // Ricevimento merci
    ui::Screen* menu = screen("tarvo01b");
    ASSERT_NE(menu, nullptr);
    f->field(menu, "operw")->setText("2");
    f->click(menu, "Command12");
    ASSERT_NE(screen("tarvo05b"), nullptr);
    EXPECT_EQ(text("tarvo05b", "operw"), QStringLiteral("2"));

    receive("eanw", "80012345", "2"); // an 8-digit EAN
    receive("codcasaw", "101", "1");  // by its internal code
    receive("codcasaw", "104", "3");  // an article without any EAN row
    enter("tarvo05b", "eanw", "8009999999991");
    EXPECT_EQ(text("tarvo05b", "qinvw"), QStringLiteral("6")); // already stored by this operator
    enter("tarvo05b", "colliw", "2");
    QTest::keyClick(f->field(screen("tarvo05b"), "quanw"), Qt::Key_Return);
    EXPECT_EQ(text("tarvo05b", "totqw"), QStringLiteral("8"));
    screen("tarvo05b")->close();
    // The same article by a second operator.
    f->field(menu, "operw")->setText("3");
    f->click(menu, "Command12");
    receive("eanw", "8001234567890", "1");
    EXPECT_EQ(f->messages.texts(), kNoMessages);
    const QString acqua = QStringLiteral("ACQUA MINERALE NATURALE LT.1,5|PZ|2|");
    EXPECT_EQ(table("SELECT * FROM carico ORDER BY oper, codcasa",
                    {"oper", "codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "quantita",
                     "imballo", "iva", "desfor", "codfor", "desgru"}),
              QStringList({"2|101|8001234567890|" + acqua + "3|18|6|10|FONTI ALPINE SRL|5|BEVANDE",
                           "2|102|0000080012345|BISCOTTI FROLLINI AL BURRO GR.700 C|CF|1.5|2|24|12|04|"
                           "FONTI ALPINE SRL|5|DOLCI E BISCOTTI DA",
                           "2|104||SPAGO DA CUCINA|PZ|0.3|3|30|10|22|FONTI ALPINE SRL|5|VARIE",
                           "3|101|8001234567890|" + acqua + "1|6|6|10|FONTI ALPINE SRL|5|BEVANDE"}));

    // The list of operator 3, and its line back in the entry screen.
    screen("tarvo05b")->close();
    f->click(menu, "Command13"); // Vedo articoli
    ASSERT_NE(screen("tarvo06b"), nullptr);
    EXPECT_EQ(f->grid(screen("tarvo06b"), "ord")->rows(), 2);
    f->grid(screen("tarvo06b"), "ord")->clickCell(1, 2);
    f->click(screen("tarvo06b"), "Command5"); // Vedo articolo
    ASSERT_NE(screen("tarvo05b"), nullptr);
    EXPECT_EQ(text("tarvo05b", "descrw"), QStringLiteral("ACQUA MINERALE NATURALE LT.1,5"));
    EXPECT_EQ(text("tarvo05b", "qinvw"), QStringLiteral("6"));
    screen("tarvo05b")->close();

    // The confirmation: receipts 1 to 7, so 8 is the first free number.
    f->click(menu, "Command2"); // Confermo carico
    ASSERT_NE(screen("cnfordc"), nullptr);
    EXPECT_EQ(text("cnfordc", "numerow"), QStringLiteral("8"));
    EXPECT_EQ(text("cnfordc", "numulw"), QStringLiteral("7"));
    f->click(screen("cnfordc"), "Command1"); // Confermi nuovo Carico
    EXPECT_EQ(screen("cnfordc"), nullptr);
    EXPECT_EQ(f->messages.texts(), kNoMessages);

    EXPECT_EQ(lines("carico"), 0);
    EXPECT_EQ(table("SELECT * FROM testaof WHERE anno = 2026 AND numero = 8",
                    {"codutente", "anno", "numero", "dataor", "dscfornitore", "codfor", "fl1ts", "fl3ts",
                     "fl2ts", "dataco", "tipodoc"}),
              QStringList{"1|2026|8|2026-12-10|FONTI ALPINE SRL|5|E|F||2026-12-10|FATTACQIMM"});
    // In the order the lines were made; the line without an EAN keeps a blank one.
    const QString acquaLine = QStringLiteral("ACQUA MINERALE NATURALE LT.1,5|10|BEVANDE|8001234567890|AR|");
    EXPECT_EQ(
        table("SELECT * FROM ordinif WHERE bannoc = 2026 AND bnumer = 8 ORDER BY bns",
              {"codutente", "bns", "bdator", "articoli", "unitam", "imballo", "costob", "costof", "quantita",
               "quanci", "collic", "colli", "descrizione", "iva", "desgru", "eanrig", "tipmov", "totrig"}),
        QStringList({"1|1|2026-12-10|102|CF|12|1.5|1.5|24|24|2|2|BISCOTTI FROLLINI AL BURRO GR.700 C|4|"
                     "DOLCI E BISCOTTI DA|0000080012345|AR|36",
                     "1|2|2026-12-10|101|PZ|6|2|2|18|18|3|3|" + acquaLine + "36",
                     "1|3|2026-12-10|104|PZ|10|0.3|0.3|30|30|3|3|SPAGO DA CUCINA|22|VARIE||AR|9",
                     "1|4|2026-12-10|101|PZ|6|2|2|6|6|1|1|" + acquaLine + "12"}));
    // Stock: 101 received 18 + 6 (qinv 5, qacq 20, qres 2, qven 8, cosmp 0,8333).
    EXPECT_EQ(table("SELECT * FROM listi01 WHERE codart IN (101, 102, 104) ORDER BY codart",
                    {"codart", "qultcar", "dultcar", "qacq", "qgia", "valgia"}),
              QStringList({"101|1|2026-12-10|44|39|32.5", "102|2|2026-12-10|24|24|24",
                           "104|3|2026-12-10|30|30|7.5"}));
    EXPECT_EQ(table("SELECT * FROM codean WHERE codare IN (101, 102, 104) ORDER BY eanare",
                    {"eanare", "eacq", "egia"}),
              QStringList(
                  {"0000080012345|24|24", "8001234567890|28|27", "8002222222222|-|-", "8009999999991|-|-"}));
    EXPECT_EQ(table("SELECT * FROM numeri WHERE tipo = 'CF' ORDER BY anno", {"anno", "ultnum"}),
              QStringList({"2025|40", "2026|8"}));
}

TEST_P(SupplierDocuments, ReturnsAddedToTheOpenNoteThenANewNote) {
    // Supplier 5 has the open note 12 of this year.
    ui::Screen* tarvof = chooseSupplier(2);
    ASSERT_NE(tarvof, nullptr);
    f->click(tarvof, "Command13"); // Gestione Resi
    ui::Screen* menu = screen("tarvo01r");
    ASSERT_NE(menu, nullptr);
    f->click(menu, "Command12");
    ASSERT_NE(screen("tarvo02r"), nullptr);
    scanWith("tarvo02r", "4", "8001234567890");
    EXPECT_EQ(table("SELECT * FROM resi", {"eanrig", "colli", "quantita"}),
              QStringList{"8001234567890|4|24"});
    enter("tarvo02r", "eanw", "8001234567890"); // again: set to the quantity in hand, 1
    enter("tarvo02r", "eanw", "2000000001025"); // an in-store EAN: article 102 in characters 4 to 12
    enter("tarvo02r", "eanw", "8000000000001"); // unknown: refused
    EXPECT_EQ(text("tarvo02r", "descrw"), QStringLiteral("???? Articolo non esiste ..."));
    EXPECT_EQ(text("tarvo02r", "totqw"), QStringLiteral("2"));
    EXPECT_EQ(f->messages.texts(), kNoMessages);
    EXPECT_EQ(
        table("SELECT * FROM resi ORDER BY eanrig",
              {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "quantita", "imballo", "iva",
               "desfor", "codfor", "desgru"}),
        QStringList({"102|2000000001025|BISCOTTI FROLLINI AL BURRO GR.700 CONFEZIONE|CF|1.5|1|12|12|04|"
                     "FONTI ALPINE SRL|5|DOLCI E BISCOTTI DA",
                     "101|8001234567890|ACQUA MINERALE NATURALE LT.1,5|PZ|2|1|6|6|10|FONTI ALPINE SRL|5|"
                     "BEVANDE"}));
    screen("tarvo02r")->close();

    // The list, and a line back in the entry screen.
    f->click(menu, "Command13"); // Vedo Resi
    ui::Screen* list = screen("tarvo03r");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(text("tarvo03r", "totqw"), QStringLiteral("2"));
    f->grid(list, "ord")->clickCell(1, 2);
    const QString ean = f->grid(list, "ord")->textMatrix(1, 1);
    f->click(list, "Command5"); // Vedo articolo
    ASSERT_NE(screen("tarvo02r"), nullptr);
    EXPECT_EQ(text("tarvo02r", "eanw"), ean);
    EXPECT_EQ(text("tarvo02r", "qinvw"), QStringLiteral("1"));
    screen("tarvo02r")->close();
    list->close();

    // Only the addition to the open note 12 is offered.
    f->click(menu, "Command2"); // Confermo Resi
    ui::Screen* dialog = screen("cnfordr");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text("cnfordr", "numulw"), QStringLiteral("12"));
    EXPECT_FALSE(f->button(dialog, "Command1")->isVisibleTo(dialog));
    f->click(dialog, "Command2"); // Aggiunge a Ultimo
    EXPECT_EQ(f->messages.texts(),
              QStringList{QStringLiteral(" Attenzione !! DDT Reso Fornitore creato con successo ")});
    EXPECT_EQ(screen("cnfordr"), nullptr);
    EXPECT_EQ(lines("resi"), 0);
    // The EAN already on the note is raised (and takes a line number, as every line does);
    // the new one follows.
    EXPECT_EQ(
        table("SELECT * FROM resmo WHERE bannoc = 2026 AND bnumer = 12 ORDER BY bns",
              {"bns", "articoli", "eanrig", "colli", "quantita", "costof", "totrig", "tipmov", "bflag1"}),
        QStringList({"1|101|8001234567890|2|12|0.8|9.6|-|-", "2|17|8000000000017|1|1|-|-|-|-",
                     "4|102|2000000001025|1|12|1.1|13.2|-|-"}));
    EXPECT_EQ(table("SELECT * FROM listi01 WHERE codart IN (101, 102) ORDER BY codart",
                    {"codart", "colliuo", "datauo", "qres", "qgia"}),
              QStringList({"101|1|2026-12-10|2|15", "102|1|2026-12-10|0|0"}));
    EXPECT_EQ(lines("reste"), 6); // no new header

    // Supplier 6, whose notes are all registered: a new note, 16.
    f->messages.clear();
    tarvof->close();
    menu->close();
    tarvof = chooseSupplier(1);
    ASSERT_NE(tarvof, nullptr);
    EXPECT_EQ(f->state.supplierCode, 6);
    f->click(tarvof, "Command13");
    menu = screen("tarvo01r");
    f->click(menu, "Command12");
    scanWith("tarvo02r", "2", "8001234567890");
    screen("tarvo02r")->close();
    f->click(menu, "Command2");
    dialog = screen("cnfordr");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text("cnfordr", "numerow"), QStringLiteral("16"));
    EXPECT_EQ(text("cnfordr", "numulw"), QStringLiteral("15"));
    f->click(dialog, "Command1"); // Confermi nuovo Resi
    EXPECT_EQ(f->messages.texts(), QStringList{QStringLiteral("DDT - Reso Fornitore creato con successo ")});
    // The one-blank fl1ts reads back blank: stored texts keep no trailing blanks.
    EXPECT_EQ(table("SELECT * FROM reste WHERE anno = 2026 AND numero = 16",
                    {"codutente", "anno", "numero", "dataor", "dsccliente", "cliente", "codlis", "fl1ts",
                     "regis", "datafa", "tipodoc", "codtipdoc"}),
              QStringList{"1|2026|16|2026-12-10|DOLCIARIA DEL SUD SPA|6|01||P|2026-12-10|DDTRESFOR|RF"});
    // 2 packages of 6 at 0,80: 12 pieces, 9,60, and 12 more returned.
    EXPECT_EQ(
        table("SELECT * FROM resmo WHERE bannoc = 2026 AND bnumer = 16",
              {"codutente", "bns", "codtipdoc", "bdator", "articoli", "unitam", "imballo", "costof", "prezzo",
               "colli", "quantita", "descrizione", "iva", "desgru", "eanrig", "tipmov", "bflag1", "totrig"}),
        QStringList{"1|1|RF|2026-12-10|101|PZ|6|0.8|0.8|2|12|ACQUA MINERALE NATURALE LT.1,5|10|BEVANDE|"
                    "8001234567890|AR|V|9.6"});
    // qgia = qinv 5 + qacq 20 - qres 14 - qven 8; valgia = 3 x 0,8333; egia = 4 + 1 - 12 - 2.
    EXPECT_EQ(table("SELECT * FROM listi01 WHERE codart = 101", {"qres", "qgia", "valgia"}),
              QStringList{"14|3|2.5"});
    EXPECT_EQ(table("SELECT * FROM codean WHERE eanare = '8001234567890'", {"eres", "egia"}),
              QStringList{"12|-9"});
    EXPECT_EQ(table("SELECT * FROM numeri WHERE tipo = 'RF' ORDER BY anno", {"anno", "ultnum"}),
              QStringList({"2025|40", "2026|16"}));
    EXPECT_EQ(lines("resi"), 0);
}

TEST_P(SupplierDocuments, SupplierOrderLeavesTheDepartmentsOrderLines) {
    ui::Screen* tarvof = chooseSupplier(2);
    ASSERT_NE(tarvof, nullptr);
    // A department's order line of the same EAN, entered meanwhile.
    addRow(db, "ordine",
           {"codcasa", 101, "eanrig", "8001234567890", "descrizione", "ACQUA", "colli", 5, "tipord", "M"});
    // "Nuovo Ordine" of the supplier orders opens this menu.
    ui::Screen* menu = f->registry.open("tarvo01f");
    f->click(menu, "Command12");
    ASSERT_NE(screen("tarvo02f"), nullptr);
    scanWith("tarvo02f", "4", "8001234567890");
    scanWith("tarvo02f", "2", "80012345");
    scanWith("tarvo02f", "3", "8002222222222"); // 102 again under its other EAN: a line of its own
    EXPECT_EQ(text("tarvo02f", "totqw"), QStringLiteral("9"));
    // "Elimina" on the EAN typed: gone, the total stays until the next store.
    f->field(screen("tarvo02f"), "eanw")->setText("8002222222222");
    f->click(screen("tarvo02f"), "Command12");
    EXPECT_EQ(text("tarvo02f", "totqw"), QStringLiteral("9"));
    // "Annulla" clears the article shown without storing.
    enter("tarvo02f", "codcasaw", "104");
    f->click(screen("tarvo02f"), "Command13");
    EXPECT_TRUE(text("tarvo02f", "descrw").isEmpty());
    EXPECT_EQ(f->messages.texts(), kNoMessages);
    EXPECT_EQ(
        table("SELECT * FROM ordine WHERE tipord is null ORDER BY eanrig",
              {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "quantita", "imballo", "iva",
               "desfor", "codfor", "desgru"}),
        QStringList({"102|0000080012345|BISCOTTI FROLLINI AL BURRO GR.700 CONFEZIONE|CF|1.5|2|24|12|04|"
                     "FONTI ALPINE SRL|5|DOLCI E BISCOTTI DA",
                     "101|8001234567890|ACQUA MINERALE NATURALE LT.1,5|PZ|2|4|24|6|10|FONTI ALPINE SRL|5|"
                     "BEVANDE"}));
    screen("tarvo02f")->close();

    // The list shows the lines; "Vedo articolo" opens the entry on one.
    f->click(menu, "Command13"); // Vedo Ordine
    ui::Screen* list = screen("tarvo03f");
    ASSERT_NE(list, nullptr);
    f->grid(list, "ord")->clickCell(1, 2);
    f->click(list, "Command5");
    ASSERT_NE(screen("tarvo02f"), nullptr);
    EXPECT_FALSE(text("tarvo02f", "descrw").isEmpty());
    screen("tarvo02f")->close();
    list->close();

    // Supplier orders 1 to 3: the dialog proposes 4 and 3.
    f->click(menu, "Command2"); // Confermo Ordine
    ui::Screen* dialog = screen("cnfordf");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text("cnfordf", "numerow"), QStringLiteral("4"));
    EXPECT_EQ(text("cnfordf", "numulw"), QStringLiteral("3"));
    f->click(dialog, "Command1"); // Confermi nuovo Ordine
    EXPECT_EQ(f->messages.texts(), QStringList{QStringLiteral("Ordine Fornitore creato con successo ")});
    EXPECT_EQ(table("SELECT * FROM testao WHERE anno = 2026 AND numero = 4",
                    {"codutente", "anno", "numero", "dataor", "dscfornitore", "codfor", "codlis", "fl1ts",
                     "fl3ts", "fl2ts", "dataco", "tipodoc"}),
              QStringList{"1|2026|4|2026-12-10|FONTI ALPINE SRL|5|01||N|O|2026-12-10|ORDFOR"});
    // 4 packages of 6 at 2,00: 24 pieces, 48.
    EXPECT_EQ(
        table("SELECT * FROM ordini WHERE bannoc = 2026 AND bnumer = 4 ORDER BY bns",
              {"codutente", "bns", "bdator", "articoli", "unitam", "imballo", "costob", "costof", "quantita",
               "quanci", "collic", "colli", "descrizione", "iva", "desgru", "eanrig", "tipmov", "totrig"}),
        QStringList({"1|1|2026-12-10|101|PZ|6|2|2|24|0|0|24|ACQUA MINERALE NATURALE LT.1,5|10|BEVANDE|"
                     "8001234567890|AR|48",
                     "1|2|2026-12-10|102|CF|12|1.5|1.5|24|0|0|24|BISCOTTI FROLLINI AL BURRO GR.700 C|4|"
                     "DOLCI E BISCOTTI DA|0000080012345|AR|36"}));
    EXPECT_EQ(table("SELECT * FROM listi01 WHERE codart IN (101, 102) ORDER BY codart",
                    {"codart", "colliuo", "datauo", "qacq", "qgia"}),
              QStringList({"101|4|2026-12-10|20|15", "102|2|2026-12-10|0|0"}));
    EXPECT_EQ(table("SELECT * FROM numeri WHERE tipo = 'OF' ORDER BY anno", {"anno", "ultnum"}),
              QStringList({"2025|40", "2026|4"}));
    // The department's line is still there, as it was.
    EXPECT_EQ(table("SELECT * FROM ordine", {"codcasa", "eanrig", "colli", "tipord"}),
              QStringList{"101|8001234567890|5|M"});
}

MARBO_ON_EACH_ENGINE(SupplierDocuments);

} // namespace
