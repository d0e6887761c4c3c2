// The order confirmation dialog `cnford` on both engines: what it shows on
// opening, its checks and messages, the progress bar, and what each of its
// two operations leaves on the buttons and in the tables.
#include "confirm/register_confirmations.h"
#include "data/recordset.h"
#include "order_store.h"
#include "screen_fixture.h"

#include <QFile>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace testing_support;
using ui::Message;

namespace {

class OrderConfirmation : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        o = makeOrderStore(f->store);
        f->state.storeDbPath = o.storePath;
        f->state.workDbPath = o.workPath;
        f->state.secondPath = o.workPath;
        f->state.department = QStringLiteral("M");
        confirm::registerConfirmations(f->registry);
    }
    ui::Screen* open() { return d = f->registry.open("cnford"); }
    QPushButton* button(const char* name) { return f->control<QPushButton>(d, name); }
    QProgressBar* bar() { return f->control<QProgressBar>(d, "ProgressBar1"); }
    QString text(const char* name) { return f->field(d, name)->text(); }
    QString label(const char* name) { return f->control<QLabel>(d, name)->text(); }
    int lines(const char* condition = "") {
        return o.work.query(QStringLiteral("SELECT * FROM ordine") + QString::fromLatin1(condition))
            .recordCount();
    }
    void sevenLines() {
        for (const auto& [ean, packs, dept] :
             {std::tuple{"8000000000456", 4, "M"}, std::tuple{"8001234567890", 2, "M"},
              std::tuple{"8000000000789", 1, "T"}, std::tuple{"0800123456789", 3, "S"},
              std::tuple{"8000000000555", 0, "O"}, std::tuple{"8000000000001", 5, "T"},
              std::tuple{"8000000000002", 6, "S"}})
            addOrderLine(o.work, ean, packs, dept);
    }

    std::unique_ptr<ScreenFixture> f;
    OrderStore o;
    ui::Screen* d = nullptr;
};

MARBO_ON_EACH_ENGINE(OrderConfirmation);

TEST_P(OrderConfirmation, OpensOnTheLastOrderDocumentOfTheYear) {
    open();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Conferma Ordine "));
    QStringList captions;
    for (const QLabel* l : d->findChildren<QLabel*>())
        captions << l->text();
    EXPECT_TRUE(captions.contains("Anno"));
    EXPECT_TRUE(captions.contains("Data"));
    EXPECT_TRUE(captions.contains("Numero"));
    EXPECT_EQ(text("annow"), QStringLiteral("2026"));
    EXPECT_EQ(text("datorw"), QStringLiteral("10/12/2026"));
    EXPECT_EQ(text("numerow"), QStringLiteral("7"));
    EXPECT_EQ(label("Label3"), QStringLiteral("Ordine 2026/7: 2 righe, ultima del 09/12/2026"));
    EXPECT_EQ(f->state.userName.trimmed(), QStringLiteral("SUPERMERCATO DEMO"));
    EXPECT_EQ(f->state.documentYear, 2026);
    EXPECT_TRUE(button("Command1")->isVisible());
    EXPECT_EQ(button("Command1")->text(), QStringLiteral("Confermi Nuovo Ordine"));
    EXPECT_TRUE(button("Command2")->isVisible());
    EXPECT_EQ(button("Command2")->text(), QStringLiteral("Aggiunge a Ordine"));
    EXPECT_EQ(button("Annulla")->text(), QStringLiteral("Uscita"));
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(bar()->maximum(), 1200);
    f->field(d, "numerow")->setText("8");
    EXPECT_EQ(label("Label3"), QStringLiteral("Ordine 2026/8: nessuna riga, nuovo ordine"));
    f->click(d, "Annulla");
    EXPECT_FALSE(f->isOpen("cnford"));

    // Without the store's user nothing can be confirmed.
    ASSERT_TRUE(o.work.execute("DELETE FROM utenti").ok());
    open();
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_FALSE(button("Command2")->isVisible());
    d->close();
    f->state.workDbPath.clear();
    open();
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_EQ(f->messages.texts(), QStringList{"ATTENZIONE !!!. Non è stato selezionato l'archivio dati"});
}

TEST_P(OrderConfirmation, NewOrderNeedsTheComparisonAndLines) {
    addOrderLine(o.work, "8000000000456", 4, "M");
    // No price comparison database: said at once, nothing written.
    const data::Location cmp = o.comparison.location();
    if (cmp.engine == data::Engine::Postgres) {
        ASSERT_TRUE(o.work.executeNative(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(cmp.schema)).ok());
    }
    f->store.dbs().closeAll();
    if (cmp.engine == data::Engine::Sqlite) {
        ASSERT_TRUE(QFile::remove(cmp.file));
    }
    o.work = f->store.open(o.workPath);
    open();
    f->click(d, "Command1");
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown().at(0).text,
              QStringLiteral(" Attenzione !! Data Base confronta prezzi non esiste "));
    EXPECT_EQ(f->messages.shown().at(0).icon, Message::Icon::Critical);
    EXPECT_TRUE(button("Command1")->isVisible());
    data::Table articoli = o.work.table("articoli");
    articoli.setIndex("codean");
    ASSERT_TRUE(articoli.seek(QStringLiteral("8000000000456")));
    EXPECT_TRUE(articoli.isNull("colliuo"));
    d->close();

    // With the comparison back but no working lines.
    o.comparison = f->store.create(kComparisonPath, data::schema::PriceCmpDb);
    ASSERT_TRUE(o.work.execute("DELETE FROM ordine").ok());
    f->messages.clear();
    open();
    f->click(d, "Command1");
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown().at(0).text,
              QStringLiteral(" Attenzione !! Non esisteno articoli inseriti "));
    EXPECT_EQ(f->messages.shown().at(0).icon, Message::Icon::None);
}

TEST_P(OrderConfirmation, NewOrderThenAppendTheDepartmentsLines) {
    sevenLines();
    open();
    f->click(d, "Command1");
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    // 7 lines step by 143: the bar ends at 1001.
    EXPECT_EQ(bar()->value(), 1001);
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_TRUE(button("Command2")->isVisible());
    EXPECT_TRUE(f->control<QLabel>(d, "Label2")->isVisible());
    EXPECT_EQ(label("Label2"), QStringLiteral("L'Ordine è stato creato"));
    EXPECT_EQ(lines(), 7);

    // The append checks the date and the number first.
    struct Check {
        const char* date;
        const char* number;
        const char* message;
    } checks[] = {
        {"", "7", " Attenzione !!     Devi Inserire la data dell' Ordine "},
        {"31/02/2026", "7", " Attenzione !!     Devi Inserire la data dell' Ordine "},
        {"domani", "7", " Attenzione !!     Devi Inserire la data dell' Ordine "},
        {"10/12/2026", "", " Attenzione !!     Devi Inserire il numero dell' Ordine "},
        {"10/12/2026", "0", " Attenzione !!     Devi Inserire il numero dell' Ordine "},
        {"10/12/2026", "7'; --", " Attenzione !!     Devi Inserire il numero dell' Ordine "},
    };
    for (const Check& c : checks) {
        SCOPED_TRACE(std::string(c.date) + " / " + c.number);
        f->messages.clear();
        f->field(d, "datorw")->setText(QString::fromLatin1(c.date));
        f->field(d, "numerow")->setText(QString::fromLatin1(c.number));
        f->click(d, "Command2");
        EXPECT_EQ(f->messages.texts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(lines(), 7);
    }

    f->messages.clear();
    f->field(d, "datorw")->setText("10/12/2026");
    f->field(d, "numerow")->setText("7");
    f->click(d, "Command2");
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    // The bar goes on from 1001 by 143 per line of the department: past 1100 it
    // starts again from 0.
    EXPECT_EQ(bar()->value(), 143);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_FALSE(button("Command2")->isVisible());
    EXPECT_EQ(lines(), 5);
    EXPECT_EQ(lines(" WHERE tipord = 'M'"), 0);
    // OLIO is new at line 4; PASTA merged into line 1 (2 + 2 packs), line 5 left as a gap.
    data::Recordset mo = o.work.query("SELECT * FROM movimenti WHERE bnumer = 7 ORDER BY bns");
    QStringList seen;
    for (; !mo.eof(); mo.moveNext())
        seen << QStringLiteral("%1 %2 %3")
                    .arg(mo.value("bns").toInt())
                    .arg(mo.value("eanrig").toString(), mo.value("quantita").toString());
    EXPECT_EQ(seen, QStringList({"1 8001234567890 4", "3 0800123456789 1", "4 8000000000456 4"}));
    EXPECT_EQ(label("Label3"), QStringLiteral("Ordine 2026/7: 3 righe, ultima del 10/12/2026"));
}

TEST_P(OrderConfirmation, AppendWithTwoLinesStepsBy500) {
    addOrderLine(o.work, "8000000000456", 4, "M");
    addOrderLine(o.work, "8001234567890", 1, "M");
    open();
    f->field(d, "numerow")->setText("8"); // a new order number
    f->click(d, "Command2");
    EXPECT_TRUE(f->messages.shown().empty()) << f->messages.texts().join('|').toStdString();
    EXPECT_EQ(bar()->value(), 1000);
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(o.work.query("SELECT * FROM movimenti WHERE bnumer = 8").recordCount(), 2);
    EXPECT_EQ(f->state.lastLine, 2);

    // Nothing of the department left: said, nothing written.
    addOrderLine(o.work, "8000000000789", 1, "T");
    d->close();
    open();
    f->click(d, "Command2");
    EXPECT_EQ(f->messages.texts(), QStringList{" Attenzione !! Non esisteno articoli inseriti "});
    EXPECT_EQ(lines(), 1);
    EXPECT_TRUE(button("Command2")->isVisible());
}

} // namespace
