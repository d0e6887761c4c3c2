// A department order from scan to order document, on both engines, driven
// through the real screens: main menu, department and order menus, order
// entry, order list, confirmation; the work database on d:, the price
// comparison database on C:.
#include "app/register_screens.h"
#include "data/recordset.h"
#include "order_store.h"
#include "screen_fixture.h"
#include "ui/drive_list.h"

#include <QProgressBar>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class DepartmentOrder : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        o = makeOrderStore(f->store, QStringLiteral("d:"));
        addOrderLine(o.work, "8000000000002", 6, "T"); // a line of the dry goods stays apart
        app::registerScreens(f->registry);
    }
    ui::Screen* entry() { return f->registry.find("tarvo02"); }
    void scan(const QString& code, const QString& packs) {
        QLineEdit* eanw = f->field(entry(), "eanw");
        eanw->setFocus();
        eanw->clear();
        QTest::keyClicks(eanw, code);
        QTest::keyClick(eanw, Qt::Key_Return);
        if (!packs.isNull()) {
            f->field(entry(), "quanw")->setText(packs);
            QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
        }
    }
    // The fields of the rows of a query, one text per row.
    QStringList rows(const data::Database& db, const QString& query,
                     std::initializer_list<const char*> fields) {
        QStringList out;
        data::Recordset rs = db.query(query);
        for (; !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (const char* name : fields) {
                const QVariant v = rs.value(QString::fromLatin1(name));
                row << (v.isNull()                       ? QStringLiteral("-")
                        : v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                         : v.toString());
            }
            out << row.join(QLatin1Char('|'));
        }
        EXPECT_TRUE(rs.ok()) << rs.error().message().toStdString();
        return out;
    }

    std::unique_ptr<ScreenFixture> f;
    OrderStore o;
};

MARBO_ON_EACH_ENGINE(DepartmentOrder);

TEST_P(DepartmentOrder, FromScanToOrderDocument) {
    ui::Screen* main = f->registry.open("tarvom");
    f->child<ui::DriveList>(main, "Drive1")->setDrive("d:");
    f->click(main, "Command3"); // ACCEDI
    ASSERT_EQ(f->state.workDbPath, QStringLiteral("d:\\marbo\\bancacodean.mdb"));
    f->click(main, "Command12");                        // Ordini
    f->click(f->registry.find("MainOrd"), "Command13"); // FRESCHI
    ui::Screen* menu = f->registry.find("tarvo01");
    ASSERT_NE(menu, nullptr);
    f->click(menu, "Command12"); // Inserisco Articoli
    ASSERT_NE(entry(), nullptr);

    scan("8001234567890", "2");       // an EAN
    scan("800123456789", "3");        // a 12-digit scan
    scan("4561", "4");                // internal code 456, found at the second try
    scan("2001234567895", "1");       // a supplier's barcode: LATTE by its supplier's code
    scan("8000000000001", QString()); // unknown
    EXPECT_EQ(f->field(entry(), "descrw")->text(), QStringLiteral("???? Articolo non esiste ..."));
    f->field(entry(), "quanw")->setText("5");
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    scan("8000000000555", QString()); // then PASTA scanned into the quantity field
    f->field(entry(), "quanw")->setText("8001234567890");
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    EXPECT_EQ(f->field(entry(), "descrw")->text(), QStringLiteral("PASTA SEMOLA GR.500"));
    f->field(entry(), "quanw")->setText("6"); // replaces its 2 packs
    QTest::keyClick(f->field(entry(), "quanw"), Qt::Key_Return);
    EXPECT_EQ(f->field(entry(), "totqw")->text(), QStringLiteral("20"));

    const QString lines = QStringLiteral("SELECT * FROM ordine ORDER BY eanrig");
    EXPECT_EQ(rows(o.work, lines,
                   {"codcasa", "eanrig", "descrizione", "unitam", "prezzo", "colli", "imballo", "quantita",
                    "iva", "desfor", "desgru", "tipord"}),
              QStringList({"321|0800123456789|CAFFE MOKA GR.250|CT|3.05|3|10|30|10|.|.|M",
                           "0|8000000000001|???? Articolo non esiste ...|CT|0|5|0|0|10|.|.|M",
                           "0|8000000000002|.|CT|0|6|0|0|10|.|.|T",
                           "456|8000000000456|OLIO EVO LT.1|CT|3.64|4|6|24|10|.|.|M",
                           "555|8000000000555|BISCOTTI FROLLINI|CT|1.98|1|20|20|10|.|.|M",
                           "789|8000000000789|LATTE INTERO LT.1|CT|0.83|1|12|12|10|.|.|M",
                           "123|8001234567890|PASTA SEMOLA GR.500|CT|1.1|6|24|144|10|.|.|M"}));
    entry()->close();

    f->click(menu, "Command13"); // Vedo Ordine: the department's lines
    ui::Screen* list = f->registry.find("tarvo03");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(f->grid(list, "ord")->rows(), 7);
    list->close();

    f->click(menu, "Command2"); // Confermo Ordine
    ui::Screen* dialog = f->registry.find("cnford");
    ASSERT_NE(dialog, nullptr);
    f->click(dialog, "Command1");                                               // Confermi Nuovo Ordine
    EXPECT_EQ(f->control<QProgressBar>(dialog, "ProgressBar1")->value(), 1001); // 7 lines of 143
    const QString articoli = QStringLiteral("SELECT * FROM articoli ORDER BY codean");
    EXPECT_EQ(rows(o.work, articoli, {"codean", "quantiuo", "colliuo", "datauo"}),
              QStringList({"0800123456789|-|3|2026-12-10", "8000000000456|-|4|2026-12-10",
                           "8000000000789|36|1|2026-12-10", "8001234567890|0|6|2026-12-10"}));
    EXPECT_EQ(rows(o.comparison, articoli, {"codean", "colli1", "colli2", "colli3", "colli4", "sel"}),
              QStringList({"0800123456789|0|3|0|0|X", "8000000000456|0|0|4|0|X", "8001234567890|6|0|0|0|X"}));
    EXPECT_EQ(rows(o.work, lines, {"eanrig"}).size(), 7); // the lines stay

    EXPECT_EQ(f->field(dialog, "numerow")->text(), QStringLiteral("7"));
    f->click(dialog, "Command2"); // Aggiunge a Ordine
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    // PASTA and CAFFE merged into their lines (numbers 4 and 5 left unused),
    // the others added from line 6.
    EXPECT_EQ(rows(o.work, "SELECT * FROM movimenti WHERE bannoc = 2026 and bnumer = 7 ORDER by [bns]",
                   {"bns", "bdator", "articoli", "unitam", "imballo", "prezzo", "quantita", "colli",
                    "descrizione", "iva", "desgru", "eanrig", "totrig"}),
              QStringList({"1|2026-12-09|123|PZ|24|1|8|192|PASTA SEMOLA GR.500|10|PASTA|8001234567890|192",
                           "3|2026-12-09|321|PZ|10|2.5|4|40|CAFFE MOKA GR.250|22|CAFFE|0800123456789|100",
                           "6|2026-12-10|456|LT|6|4|4|24|OLIO EVO LT.1|4|CONDIMENTI|8000000000456|96",
                           "7|2026-12-10|789|LT|12|0.8|1|12|LATTE INTERO LT.1|4|LATTICINI|8000000000789|9.6",
                           "8|2026-12-10|0|00|0|0|5|0|Articolo non Trovato !!!!!!!|0||8000000000001|0",
                           "9|2026-12-10|555|PZ|20|1.8|1|20|BISCOTTI FROLLINI|10|DOLCI|8000000000555|36"}));
    EXPECT_EQ(rows(o.work, "SELECT * FROM articolo ORDER BY codart", {"codart", "colliuo", "datauo"}),
              QStringList({"123|6|2026-12-10", "321|3|2026-12-10", "456|4|2026-12-10", "555|1|2026-12-10",
                           "789|1|2026-12-10", "999|-|-"}));
    EXPECT_EQ(rows(o.work, lines, {"eanrig", "tipord"}), QStringList({"8000000000002|T"}));
    EXPECT_FALSE(f->button(dialog, "Command1")->isVisible());
    EXPECT_FALSE(f->button(dialog, "Command2")->isVisible());
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
}

} // namespace
