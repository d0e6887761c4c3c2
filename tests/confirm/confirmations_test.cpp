// The three numbered confirmation dialogs on the supplier store, on both
// engines: what they propose when they open, the boxes that choose the
// number, the checks before writing, and what each button writes and says.
#include "confirm/register_confirmations.h"
#include "screen_fixture.h"
#include "supplier_store.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Dialogs : public ::testing::TestWithParam<data::Engine> {
protected:
    void SetUp() override {
        if (GetParam() == data::Engine::Postgres && !pgAvailable())
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        f = std::make_unique<ScreenFixture>(QDate(2026, 12, 10), GetParam());
        db = makeSupplierStore(f->store);
        f->state.storeDbPath = f->state.workDbPath = f->state.secondPath = kSupplierStore;
        f->state.supplierCode = 5;
        f->state.priceList = QStringLiteral("01");
        confirm::registerConfirmations(f->registry);
    }
    ui::Screen* open(const char* name) { return f->registry.open(QString::fromLatin1(name)); }
    QLineEdit* field(ui::Screen* d, const char* name) { return f->field(d, name); }
    QCheckBox* box(ui::Screen* d, const char* name) { return f->control<QCheckBox>(d, name); }
    bool shown(ui::Screen* d, const char* name) { return f->control<QWidget>(d, name)->isVisibleTo(d); }
    void receiptLines() {
        workingLine(db, "carico",
                    {"oper", 1, "codcasa", 101, "eanrig", "8001234567890", "colli", 2, "quantita", 10,
                     "desfor", "FONTI ALPINE SRL"});
        workingLine(db, "carico",
                    {"oper", 2, "codcasa", 102, "eanrig", "8002222222222", "colli", 3, "quantita", 36});
    }
    int count(const QString& query) { return db.query(query).recordCount(); }
    QString lastNumber(const char* type) {
        return db.scalarNative("SELECT ultnum FROM numeri WHERE tipo = ? AND anno = 2026", {type}).toString();
    }

    std::unique_ptr<ScreenFixture> f;
    data::Database db;
};

TEST_P(Dialogs, CaptionsOfEachDialog) {
    struct Case {
        const char *name, *title, *date, *last, *first, *make, *add;
    } cases[] = {
        {"cnfordc", "Conferma Carico", "Data Ordine", "Ultimo ordine", "Primo Libero",
         "Confermi nuovo Carico", "Aggiunge a Carico"},
        {"cnfordf", "Conferma Ordine", "Data Ordine", "Ultimo ordine", "Primo Libero",
         "Confermi nuovo Ordine", "Aggiunge a Ordine"},
        {"cnfordr", "Conferma Resi", "Data Resi", "Ultimo Numero", "Primo Libero", "Confermi nuovo Resi",
         "Aggiunge a Ultimo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui::Screen* d = open(c.name);
        EXPECT_EQ(d->windowTitle(), c.title);
        QStringList labels;
        for (QLabel* l : d->findChildren<QLabel*>())
            labels << l->text();
        EXPECT_EQ(labels, QStringList({"Anno", c.date}));
        EXPECT_EQ(box(d, "Check1")->text(), c.last);
        EXPECT_EQ(box(d, "Check2")->text(), c.first);
        EXPECT_EQ(f->button(d, "Command1")->text(), c.make);
        EXPECT_EQ(f->button(d, "Command2")->text(), c.add);
        EXPECT_EQ(f->button(d, "Annulla")->text(), "Annulla");
        EXPECT_EQ(f->control<QProgressBar>(d, "ProgressBar1")->maximum(), 1200);
        EXPECT_FALSE(shown(d, "ProgressBar1"));
        f->click(d, "Annulla");
        EXPECT_TRUE(d->isClosed());
    }
    EXPECT_EQ(count("SELECT * FROM testaof"), 8);
}

// Receipts 1 to 7 of 2026: 8 and 7 proposed; in a year without receipts, 1 and 0.
TEST_P(Dialogs, TheReceiptProposesTheFirstFreeNumberOfTheYear) {
    receiptLines();
    for (const auto& [day, free, last] :
         {std::tuple{QDate(2026, 12, 10), "8", "7"}, {QDate(2027, 1, 4), "1", "0"}}) {
        f->clock.set(day);
        ui::Screen* d = open("cnfordc");
        EXPECT_EQ(field(d, "annow")->text(), QString::number(day.year()));
        EXPECT_EQ(field(d, "datorw")->text(), day.toString("dd/MM/yyyy"));
        EXPECT_EQ(field(d, "numerow")->text(), free);
        EXPECT_EQ(field(d, "numulw")->text(), last);
        EXPECT_TRUE(box(d, "Check2")->isChecked());
        EXPECT_FALSE(box(d, "Check1")->isChecked());
        EXPECT_TRUE(shown(d, "Command1"));
        EXPECT_FALSE(shown(d, "Command2"));
        EXPECT_EQ(f->state.documentYear, day.year());
        EXPECT_EQ(f->state.documentNumber, QString::fromLatin1(free).toInt());
        EXPECT_EQ(f->state.supplierName.trimmed(), "FONTI ALPINE SRL"); // from the first line
        f->click(d, "Annulla");
    }
    EXPECT_TRUE(f->messages.shown().empty());
}

TEST_P(Dialogs, WithoutLinesOnlyTheReceiptSaysSo) {
    for (const char* name : {"cnfordc", "cnfordf", "cnfordr"}) {
        SCOPED_TRACE(name);
        f->messages.clear();
        ui::Screen* d = open(name);
        EXPECT_EQ(f->messages.texts(),
                  name == QLatin1String("cnfordc")
                      ? QStringList({" Attenzione !!     Non ci sono carichi da confermare"})
                      : QStringList());
        EXPECT_EQ(field(d, "numerow")->text(), "");
        EXPECT_FALSE(d->isClosed());
        f->click(d, "Annulla");
    }
}

TEST_P(Dialogs, NewReceiptWritesTheDocumentAndCloses) {
    receiptLines();
    for (int i = 0; i < 5; ++i) // 7 lines: the bar steps by 143 and ends at 1001
        workingLine(db, "carico",
                    {"oper", 3, "codcasa", 101, "eanrig", "8001234567890", "colli", 1, "quantita", 6});
    ui::Screen* d = open("cnfordc");
    auto* bar = f->control<QProgressBar>(d, "ProgressBar1");
    field(d, "datorw")->setText("9/12/2026");
    f->click(d, "Command1");
    EXPECT_EQ(bar->value(), 1001);
    EXPECT_TRUE(d->isClosed());
    EXPECT_TRUE(f->messages.shown().empty()); // no final message
    EXPECT_EQ(rows(db, "SELECT * FROM testaof WHERE numero = 8", {"dataor", "dscfornitore", "codfor"}),
              QStringList({"2026-12-09|FONTI ALPINE SRL|5"}));
    EXPECT_EQ(count("SELECT * FROM ordinif WHERE bnumer = 8"), 7);
    EXPECT_EQ(count("SELECT * FROM carico"), 0);
    EXPECT_EQ(lastNumber("CF"), "8");
}

// "Primo Libero" clicked while ticked: unticked, the button stays, and the
// lines go under the number without a header; numeri stays.
TEST_P(Dialogs, FirstFreeUntickedWritesLinesWithoutAHeader) {
    receiptLines();
    ui::Screen* d = open("cnfordc");
    box(d, "Check2")->click();
    EXPECT_FALSE(box(d, "Check2")->isChecked());
    EXPECT_TRUE(shown(d, "Command1"));
    f->click(d, "Command1");
    EXPECT_TRUE(d->isClosed());
    EXPECT_EQ(count("SELECT * FROM testaof WHERE numero = 8"), 0);
    EXPECT_EQ(count("SELECT * FROM ordinif WHERE bnumer = 8"), 2);
    EXPECT_EQ(lastNumber("CF"), "7");
}

// The number is taken when a box is clicked: a number typed afterwards counts
// once a box is clicked again.
TEST_P(Dialogs, TheBoxesChooseTheNumberAndTheButton) {
    receiptLines();
    ui::Screen* d = open("cnfordc");
    box(d, "Check1")->click();
    EXPECT_EQ(f->state.documentNumber, 7);
    EXPECT_FALSE(box(d, "Check2")->isChecked());
    EXPECT_FALSE(shown(d, "Command1"));
    EXPECT_TRUE(shown(d, "Command2"));
    field(d, "numerow")->setText("20");
    EXPECT_EQ(f->state.documentNumber, 7);
    box(d, "Check2")->click();
    EXPECT_EQ(f->state.documentNumber, 20);
    EXPECT_FALSE(box(d, "Check1")->isChecked());
    EXPECT_TRUE(shown(d, "Command1"));
    EXPECT_FALSE(shown(d, "Command2"));
}

// The date and the number are checked before anything is written, with each
// dialog's messages.
TEST_P(Dialogs, DateAndNumberChecks) {
    workingLine(db, "carico", {"codcasa", 101, "eanrig", "8001234567890", "colli", 1, "quantita", 6});
    workingLine(db, "ordine", {"codcasa", 101, "eanrig", "8001234567890", "colli", 1});
    workingLine(db, "resi", {"codcasa", 101, "eanrig", "8001234567890", "colli", 1});
    const QString orderDate = " Attenzione !!     Devi Inserire la data dell' Ordine ";
    const QString orderNumber = " Attenzione !!     Devi Inserire il numero dell' Ordine ";
    struct Case {
        const char* dialog;
        const char* button;
        const char* date;
        const char* number;
        QString message;
    } cases[] = {
        {"cnfordc", "Command1", "", "8", orderDate},
        {"cnfordc", "Command1", "31/02/2026", "8", orderDate},
        {"cnfordc", "Command1", "10/12/2026", "", orderNumber},
        {"cnfordc", "Command1", "10/12/2026", "0", orderNumber},
        {"cnfordc", "Command2", "ieri", "8", orderDate},
        {"cnfordc", "Command2", "10/12/2026", "0", orderNumber},
        {"cnfordf", "Command1", "x", "4", orderDate},
        {"cnfordf", "Command1", "10/12/2026", "", orderNumber},
        {"cnfordr", "Command1", "", "13", " Attenzione !!     Devi Inserire la data del reso "},
        {"cnfordr", "Command1", "10/12/2026", "0", " Attenzione !!     Devi Inserire il numero dell' resi "},
        {"cnfordr", "Command2", "10/12/2026", "", " Attenzione !!     Devi Inserire il numero del reso "},
    };
    f->state.supplierCode = 6; // no open note: the new note is offered
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + c.button + " " + c.date + "/" + c.number);
        f->messages.clear();
        ui::Screen* d = open(c.dialog);
        field(d, "datorw")->setText(c.date);
        field(d, "numerow")->setText(c.number);
        f->click(d, c.button);
        EXPECT_EQ(f->messages.texts(), QStringList({c.message}));
        EXPECT_FALSE(d->isClosed());
        f->click(d, "Annulla");
    }
    EXPECT_EQ(count("SELECT * FROM carico") + count("SELECT * FROM ordine") + count("SELECT * FROM resi"), 3);
    EXPECT_EQ(count("SELECT * FROM movimenti"), 0);
}

// A number another workstation took since the dialog opened: the next free
// one, and the operator is told.
TEST_P(Dialogs, ANumberTakenMeanwhileIsToldAndTheNextOneUsed) {
    receiptLines();
    ui::Screen* d = open("cnfordc");
    addRow(db, "testaof", {"anno", 2026, "numero", 8, "codfor", 6});
    f->click(d, "Command1");
    EXPECT_TRUE(d->isClosed());
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown().front().icon, ui::Message::Icon::Information);
    EXPECT_TRUE(f->messages.texts().front().contains("9"));
    EXPECT_EQ(count("SELECT * FROM ordinif WHERE bnumer = 9"), 2);
    EXPECT_EQ(lastNumber("CF"), "9");
}

// A transfer that fails leaves every line where it was; the dialog stays open
// with its button, and a second press works once the cause is gone.
TEST_P(Dialogs, AFailedTransferKeepsTheLinesAndTheButton) {
    receiptLines();
    ui::Screen* d = open("cnfordc");
    db.execute("UPDATE listi01 SET qacq = 999999999999999 WHERE codart = 102"); // the stock cannot move
    f->click(d, "Command1");
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown().front().icon, ui::Message::Icon::Critical);
    EXPECT_FALSE(d->isClosed());
    EXPECT_TRUE(shown(d, "Command1"));
    EXPECT_EQ(count("SELECT * FROM carico"), 2);
    EXPECT_EQ(count("SELECT * FROM testaof"), 8);
    EXPECT_EQ(count("SELECT * FROM ordinif"), 0);
    EXPECT_EQ(rows(db, "SELECT * FROM listi01 WHERE codart = 101", {"qacq"}), QStringList({"20"}));
    db.execute("UPDATE listi01 SET qacq = 0 WHERE codart = 102");
    f->click(d, "Command1");
    EXPECT_TRUE(d->isClosed());
    EXPECT_EQ(count("SELECT * FROM ordinif WHERE bnumer = 8"), 2);
}

// "Ultimo ordine" and "Aggiunge a Carico": the order lines go to the order
// document of the last number; the goods receipt lines stay.
TEST_P(Dialogs, AddingToTheLastNumberAppendsTheOrderLines) {
    receiptLines();
    workingLine(db, "ordine", {"tipord", "T", "codcasa", 101, "eanrig", "8001234567890", "colli", 2});
    addRow(db, "articolo", {"codart", 101, "desart", "ACQUA", "imbart", 6, "przart", 2.0});
    ui::Screen* d = open("cnfordc");
    box(d, "Check1")->click();
    f->click(d, "Command2");
    EXPECT_TRUE(d->isClosed());
    EXPECT_EQ(rows(db, "SELECT * FROM movimenti",
                   {"bannoc", "bnumer", "bns", "articoli", "quantita", "colli", "totrig"}),
              QStringList({"2026|7|1|101|2|12|24"}));
    EXPECT_EQ(count("SELECT * FROM ordine"), 0);
    EXPECT_EQ(count("SELECT * FROM carico"), 2);
}

TEST_P(Dialogs, ANewSupplierOrderLeavesTheDepartmentLines) {
    workingLine(db, "ordine",
                {"tipord", "M", "codcasa", 102, "eanrig", "8002222222222", "colli", 2, "desfor",
                 "DOLCIARIA DEL SUD SPA"});
    workingLine(db, "ordine",
                {"codcasa", 101, "eanrig", "8001234567890", "colli", 4, "desfor", "FONTI ALPINE SRL"});
    ui::Screen* d = open("cnfordf");
    EXPECT_EQ(field(d, "numerow")->text(), "4");
    EXPECT_EQ(field(d, "numulw")->text(), "3");
    EXPECT_EQ(f->state.supplierName.trimmed(), "FONTI ALPINE SRL"); // not the department line's
    f->click(d, "Command1");
    EXPECT_TRUE(d->isClosed());
    ASSERT_EQ(f->messages.shown().size(), 1u);
    EXPECT_EQ(f->messages.shown().front().text, "Ordine Fornitore creato con successo ");
    EXPECT_EQ(f->messages.shown().front().icon, ui::Message::Icon::Information);
    EXPECT_EQ(rows(db, "SELECT * FROM ordini", {"bnumer", "articoli", "quantita", "totrig"}),
              QStringList({"4|101|24|48"}));
    EXPECT_EQ(rows(db, "SELECT * FROM ordine", {"tipord", "codcasa"}), QStringList({"M|102"}));
    EXPECT_EQ(lastNumber("OF"), "4");
}

// Supplier 5 has the open note 12 (other suppliers' notes go up to 15): only
// the addition to it is offered. Supplier 6's notes are all registered: a new
// note, 16.
TEST_P(Dialogs, ReturnsGoToTheOpenNoteOrToANewOne) {
    workingLine(db, "resi",
                {"codcasa", 101, "eanrig", "8001234567890", "colli", 2, "desfor", "FONTI ALPINE SRL"});
    ui::Screen* d = open("cnfordr");
    EXPECT_EQ(field(d, "numulw")->text(), "12");
    EXPECT_TRUE(box(d, "Check1")->isChecked());
    EXPECT_FALSE(shown(d, "Check2"));
    EXPECT_FALSE(shown(d, "numerow"));
    EXPECT_FALSE(shown(d, "Command1"));
    EXPECT_TRUE(shown(d, "Command2"));
    EXPECT_EQ(f->state.documentNumber, 12);
    f->click(d, "Command2");
    EXPECT_TRUE(d->isClosed());
    EXPECT_EQ(f->messages.texts(), QStringList({" Attenzione !! DDT Reso Fornitore creato con successo "}));
    EXPECT_EQ(rows(db, "SELECT * FROM resmo WHERE bnumer = 12 AND bns = 1", {"colli", "quantita"}),
              QStringList({"3|18"}));

    f->messages.clear();
    f->state.supplierCode = 6;
    workingLine(db, "resi",
                {"codcasa", 101, "eanrig", "8001234567890", "colli", 2, "desfor", "DOLCIARIA DEL SUD SPA"});
    d = open("cnfordr");
    EXPECT_EQ(field(d, "numerow")->text(), "16");
    EXPECT_EQ(field(d, "numulw")->text(), "15");
    EXPECT_TRUE(box(d, "Check2")->isChecked());
    EXPECT_TRUE(shown(d, "Command1"));
    EXPECT_FALSE(shown(d, "Command2"));
    f->click(d, "Command1");
    EXPECT_TRUE(d->isClosed());
    EXPECT_EQ(f->messages.texts(), QStringList({"DDT - Reso Fornitore creato con successo "}));
    EXPECT_EQ(
        rows(db, "SELECT * FROM reste WHERE numero = 16", {"cliente", "dsccliente", "regis", "codtipdoc"}),
        QStringList({"6|DOLCIARIA DEL SUD SPA|P|RF"}));
    EXPECT_EQ(
        rows(db, "SELECT * FROM resmo WHERE bnumer = 16", {"bns", "colli", "quantita", "totrig", "bflag1"}),
        QStringList({"1|2|12|9.6|V"}));
    EXPECT_EQ(count("SELECT * FROM resi"), 0);
    EXPECT_EQ(lastNumber("RF"), "16");
}

// Lines taken by another workstation after the dialog opened: nothing to confirm.
TEST_P(Dialogs, LinesGoneSinceOpeningAreToldAndNothingIsWritten) {
    receiptLines();
    ui::Screen* d = open("cnfordc");
    db.execute("DELETE FROM carico");
    f->click(d, "Command1");
    EXPECT_EQ(f->messages.texts(), QStringList({" Attenzione !! Non esisteno articoli inseriti "}));
    EXPECT_EQ(count("SELECT * FROM testaof"), 8);
    EXPECT_EQ(lastNumber("CF"), "7");
}

INSTANTIATE_TEST_SUITE_P(Both, Dialogs, ::testing::Values(data::Engine::Sqlite, data::Engine::Postgres),
                         testing_support::engineName);

} // namespace
