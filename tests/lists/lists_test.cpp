// The line lists driven as the operator drives them, on a small store whose
// store and work databases are one file, on both engines.
#include "lists/line_list.h"
#include "lists/register_lists.h"
#include "screen_fixture.h"
#include "ui/data_grid.h"
#include "ui/toolkit.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;
using lists::LineList;

namespace {

const QString kDb = QStringLiteral("c:\\marbo\\dati.mdb");

class Lists : public ::testing::TestWithParam<data::Engine> {
protected:
    Lists()
        : f(engineOfTest(*this)) {}
    void SetUp() override {
        if (noServerForTest(*this))
            GTEST_SKIP() << "no PostgreSQL server given (MARBO_TEST_PG)";
        for (const char* name : {"tarvo05", "tarvo05b", "tarvo02", "tarvo02f", "tarvo02r"})
            f.standIn(QString::fromLatin1(name));
        lists::registerLists(f.registry);
        db = f.store.create(kDb, data::schema::StoreDb | data::schema::WorkDb);
        f.state.storeDbPath = f.state.workDbPath = kDb;
        struct Line {
            int code;
            const char* ean;
            const char* descr;
            QVariant qty;
            int oper;
        } lines[] = {{11, "8001234567890", "PASTA", 3, 3},
                     {12, "8009999999991", "BISCOTTI", 2.5, 3},
                     {13, "8005555555555", "ZUCCHERO", 4, 1},
                     {14, "8000000000001", "OLIO", QVariant(), 3}}; // a Null quantity adds nothing
        for (const Line& l : lines)
            for (const char* table : {"inventario", "carico"})
                addRow(db, table,
                       {"codcasa", l.code, "eanrig", l.ean, "descrizione", l.descr, "colli", l.qty,
                        "quantita", l.qty, "oper", l.oper});
        addRow(db, "ordine", {"eanrig", "8001234567890", "descrizione", "PASTA", "colli", 6, "tipord", "M"});
        addRow(db, "ordine",
               {"eanrig", "8009999999991", "descrizione", "BISCOTTI", "colli", 1, "tipord", "T"});
        addRow(db, "ordine", {"eanrig", "8003333333333", "descrizione", "SALE", "colli", 2, "tipord", "M"});
        addRow(db, "resi", {"eanrig", "8004444444444", "descrizione", "CAFFE", "colli", 2});
        addRow(db, "codean", {"eanare", "8001234567890", "desart", "PASTA", "neti", 2, "flagean", "S"});
        addRow(db, "codean", {"eanare", "8009999999991", "desart", "BISCOTTI", "neti", 5, "flagean", "N"});
        addRow(db, "codean", {"eanare", "8000000000001", "desart", "OLIO", "neti", 1, "flagean", "S"});
        f.state.operatorNumber = 3;
        f.state.department = QStringLiteral("M");
    }
    LineList* open(const QString& name) { return qobject_cast<LineList*>(f.registry.open(name)); }
    QStringList column(LineList* l, int col) {
        QStringList out;
        for (int r = 1; r < f.grid(l, "ord")->rows(); ++r)
            out << f.grid(l, "ord")->textMatrix(r, col);
        return out;
    }
    QByteArray exported() {
        QFile file(f.store.root() + "/c/quirel/inve1.dat");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    ScreenFixture f;
    data::Database db;
};

TEST_P(Lists, EachListOpensOnItsLinesWithTheirTotal) {
    struct Case {
        const char* name;
        int oper;
        const char* caption;
        QStringList eans;
        const char* total;
        std::array<int, 3> widths;
        bool vedo, exports;
    } cases[] = {
        {"tarvo06",
         3,
         "Consultazione Inventario",
         {"8001234567890", "8009999999991", "8000000000001"},
         "5,5",
         {2500, 5000, 800},
         true,
         true},
        {"tarvo06", 9, "Consultazione Inventario", {}, "0", {2500, 5000, 800}, true, true}, // no lines
        {"tarvo06b",
         3,
         "Consultazione Carico",
         {"8001234567890", "8009999999991", "8000000000001"},
         "5,5",
         {1000, 1800, 400},
         true,
         true},
        {"tarvo03",
         3,
         "Consultazione Ordine",
         {"8001234567890", "8003333333333"},
         "8",
         {2500, 5000, 800},
         true,
         false},
        {"tarvo03f",
         3,
         "Consultazione Ordine",
         {"8001234567890", "8009999999991", "8003333333333"},
         "9",
         {1000, 1800, 400},
         true,
         false},
        {"tarvo03r", 3, "Consultazione Resi", {"8004444444444"}, "2", {1000, 1800, 400}, true, false},
        {"tarvo10",
         3,
         "Consultazione Ordine",
         {"8001234567890", "8000000000001"},
         "3",
         {2700, 5000, 800},
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " oper " + std::to_string(c.oper));
        f.state.operatorNumber = c.oper;
        f.state.articleCode = 77;
        LineList* l = open(c.name);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(column(l, 1), c.eans);
        EXPECT_EQ(QStringList({f.grid(l, "ord")->textMatrix(0, 1), f.grid(l, "ord")->textMatrix(0, 2),
                               f.grid(l, "ord")->textMatrix(0, 3)}),
                  QStringList({"Ean", "Descrizione", "Qta"}));
        EXPECT_EQ(f.field(l, "totqw")->text(), QString::fromLatin1(c.total));
        EXPECT_EQ(f.grid(l, "ord")->colWidth(0), 0);
        // The grid cannot draw a column narrower than its header's minimum.
        const int narrowest = f.grid(l, "ord")->horizontalHeader()->minimumSectionSize();
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(f.grid(l, "ord")->colWidth(col + 1),
                      std::max(ui::twips(c.widths[col]), narrowest) * ui::kTwipsPerPixel);
        EXPECT_EQ(f.button(l, "Command5") != nullptr, c.vedo);
        EXPECT_EQ(f.button(l, "Command2") != nullptr, c.exports);
        EXPECT_EQ(f.state.articleCode, 0);
        EXPECT_EQ(f.state.documentYear, 2026);
        l->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(f.messages.shown().empty());
}

TEST_P(Lists, WithoutItsDatabasePathAListSaysSoAndStaysEmpty) {
    struct Case {
        const char* name;
        bool clearStore, clearWork;
    } cases[] = {{"tarvo06", true, false}, {"tarvo03", false, true}, {"tarvo10", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.state.storeDbPath = c.clearStore ? QString() : kDb;
        f.state.workDbPath = c.clearWork ? QString() : kDb;
        f.messages.clear();
        LineList* l = open(c.name);
        EXPECT_EQ(f.messages.texts(), QStringList{"ATTENZIONE !!!. Non è stato selezionato l'archivio dati"});
        EXPECT_EQ(f.grid(l, "ord")->rows(), 1);
        EXPECT_EQ(f.field(l, "totqw")->text(), QString());
        f.button(l, "Command1")->click();
        QApplication::processEvents();
    }
}

TEST_P(Lists, HeaderClickSortsBothWaysWithTheSharedDirection) {
    LineList* inv = open("tarvo06");
    f.grid(inv, "ord")->clickCell(0, 1); // the EAN column sorts nothing
    EXPECT_EQ(column(inv, 2), QStringList({"PASTA", "BISCOTTI", "OLIO"}));
    f.grid(inv, "ord")->clickCell(1, 2); // a data row is only selected
    EXPECT_EQ(f.state.sortDirection.text(), QStringLiteral("    "));

    f.grid(inv, "ord")->clickCell(0, 2);
    EXPECT_EQ(f.state.sortDirection.text(), QStringLiteral("DESC"));
    EXPECT_EQ(column(inv, 2), QStringList({"ZUCCHERO", "PASTA", "OLIO", "BISCOTTI"})); // every operator
    EXPECT_EQ(f.field(inv, "totqw")->text(), QStringLiteral("5,5"));                   // the opening figure

    // The next list continues the alternation.
    LineList* receipt = open("tarvo06b");
    f.grid(receipt, "ord")->clickCell(0, 2);
    EXPECT_EQ(f.state.sortDirection.text(), QStringLiteral("ASC "));
    EXPECT_EQ(column(receipt, 2), QStringList({"BISCOTTI", "OLIO", "PASTA", "ZUCCHERO"}));

    // The label list sorts its own rows, the EANs selected for labels.
    LineList* labels = open("tarvo10");
    f.grid(labels, "ord")->clickCell(0, 2);
    EXPECT_EQ(column(labels, 2), QStringList({"PASTA", "OLIO"}));
    EXPECT_TRUE(f.messages.shown().empty());
}

TEST_P(Lists, SearchesTakeWhateverIsTypedAsText) {
    const QStringList all{"BISCOTTI", "OLIO", "PASTA", "ZUCCHERO"};
    struct Case {
        const char* list;
        bool byEan; // eanw, else ricw
        QString typed;
        int col;
        QStringList expected;
    } cases[] = {
        {"tarvo06", false, "P", 2, {"PASTA", "ZUCCHERO"}}, // every operator, from P to the end
        {"tarvo06", false, "'", 2, all},
        {"tarvo06", false, "%", 2, all},
        {"tarvo06", false, "*", 2, all},
        {"tarvo06", false, "--", 2, all},
        {"tarvo06", false, "O'BRIEN", 2, {"OLIO", "PASTA", "ZUCCHERO"}},
        {"tarvo06", false, "ZZ' OR 'a'='a", 2, {}},
        {"tarvo06", false, QString(1000, 'x'), 2, {"ZUCCHERO"}},
        {"tarvo03r", false, "A", 2, {"CAFFE"}},
        {"tarvo03", false, "A", 2, {"BISCOTTI", "PASTA", "SALE"}}, // every department
        {"tarvo10", false, "A", 2, {"OLIO", "PASTA"}},
        {"tarvo06", true, "8001", 1, {"8001234567890", "8005555555555", "8009999999991"}},
        {"tarvo06", true, "'", 1, {"8000000000001", "8001234567890", "8005555555555", "8009999999991"}},
        {"tarvo06", true, "9' OR '1'='1", 1, {}},
        {"tarvo06",
         true,
         QString(1000, '-'),
         1,
         {"8000000000001", "8001234567890", "8005555555555", "8009999999991"}},
        {"tarvo06b", true, "8005", 1, {"8005555555555", "8009999999991"}},
        {"tarvo10", true, "8000", 1, {"8000000000001", "8001234567890"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list) + (c.byEan ? " eanw " : " ricw ") + c.typed.left(20).toStdString());
        LineList* l = open(c.list);
        (c.byEan ? f.field(l, "eanw") : f.field(l, "ricw"))->setText(c.typed);
        EXPECT_EQ(column(l, c.col), c.expected);
        if (c.byEan) {
            EXPECT_EQ(f.state.ean.text(), c.typed.left(13).leftJustified(13));
        }
        l->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(f.messages.shown().empty()) << f.messages.texts().join('\n').toStdString();
}

TEST_P(Lists, VedoArticoloOpensTheEntryOfItsListWithTheSharedEan) {
    struct Case {
        const char* list;
        const char* entry;
        bool closes;
    } cases[] = {{"tarvo06", "tarvo05", true},
                 {"tarvo06b", "tarvo05b", true},
                 {"tarvo03", "tarvo02", false},
                 {"tarvo03f", "tarvo02f", false},
                 {"tarvo03r", "tarvo02r", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        LineList* l = open(c.list);
        f.state.ean = QStringLiteral("9999");
        f.button(l, "Command5")->click(); // no row chosen: nothing but a blank shared EAN
        EXPECT_TRUE(f.state.ean.blankPrefix(13));
        EXPECT_FALSE(f.isOpen(c.entry));

        f.grid(l, "ord")->clickCell(1, 2);
        const QString ean = f.grid(l, "ord")->textMatrix(1, 1);
        f.button(l, "Command5")->click();
        EXPECT_TRUE(f.isOpen(c.entry));
        EXPECT_EQ(f.state.ean.text(), ean);
        EXPECT_EQ(f.isOpen(c.list), !c.closes);
        f.registry.closeAll();
        QApplication::processEvents();
    }
    EXPECT_FALSE(f.isOpen("tarvo05")); // the receipt list opened its own entry, not the inventory's
}

TEST_P(Lists, DownArrowShowsEveryFieldAndVedoArticoloStillTakesTheEan) {
    LineList* inv = open("tarvo06");
    QTest::keyClicks(f.field(inv, "eanw"), "8001");
    QTest::keyClick(f.field(inv, "eanw"), Qt::Key_Down);
    EXPECT_EQ(f.grid(inv, "ord")->textMatrix(0, 1), QStringLiteral("codcasa"));
    EXPECT_EQ(column(inv, 1), QStringList({"11", "13", "12"}));
    EXPECT_GT(f.grid(inv, "ord")->cols(), 10);

    f.grid(inv, "ord")->clickCell(2, 1);
    f.button(inv, "Command5")->click();
    EXPECT_EQ(f.state.ean.text(), QStringLiteral("8005555555555"));
    EXPECT_TRUE(f.isOpen("tarvo05"));
}

TEST_P(Lists, ExportButtonWritesEveryOperatorsLinesAndCloses) {
    LineList* inv = open("tarvo06");
    f.button(inv, "Command2")->click();
    EXPECT_TRUE(f.messages.shown().empty()) << f.messages.texts().join('\n').toStdString();
    EXPECT_FALSE(f.isOpen("tarvo06"));
    EXPECT_EQ(exported(), QByteArray("80012345678900003\r\n"
                                     "80099999999910003\r\n" // 2.5: the half goes up
                                     "80055555555550004\r\n"
                                     "80000000000010000\r\n")); // Null counts 0
}

TEST_P(Lists, ExportThatCannotWriteTellsTheOperatorAndKeepsTheList) {
    // The target is a folder: the file cannot replace it.
    const QString target = f.store.root() + "/c/quirel/inve1.dat";
    ASSERT_TRUE(QDir().mkpath(target));
    LineList* receipt = open("tarvo06b");
    f.button(receipt, "Command2")->click();
    ASSERT_EQ(f.messages.shown().size(), 1u);
    EXPECT_EQ(f.messages.shown().at(0).icon, ui::Message::Icon::Critical);
    EXPECT_TRUE(f.messages.texts().at(0).contains("inve1.dat")) << f.messages.texts().at(0).toStdString();
    EXPECT_TRUE(f.isOpen("tarvo06b"));
    EXPECT_TRUE(QFileInfo(target).isDir());

    // No lines at all: the message of an empty table, an empty file, the list stays.
    f.messages.clear();
    db.execute("DELETE FROM inventario");
    const QString file = f.store.root() + "/elsewhere/inve1.dat";
    receipt->setExportFile(file);
    f.button(receipt, "Command2")->click();
    EXPECT_EQ(f.messages.texts(), QStringList{"ATTENZIONE !!!. Non ci sono dati "});
    EXPECT_EQ(f.messages.shown().at(0).icon, ui::Message::Icon::Information);
    EXPECT_TRUE(QFileInfo(file).exists());
    EXPECT_EQ(QFileInfo(file).size(), 0);
    EXPECT_TRUE(f.isOpen("tarvo06b"));
}

TEST_P(Lists, AMissingDatabaseIsToldOnceNotAtEveryCharacterTyped) {
    f.state.storeDbPath = f.state.workDbPath = QStringLiteral("c:\\marbo\\assente.mdb");
    LineList* inv = open("tarvo06");
    ASSERT_EQ(f.messages.shown().size(), 1u) << qPrintable(f.messages.texts().join('|'));
    EXPECT_TRUE(f.messages.texts().at(0).contains("c:\\marbo\\assente.mdb"));
    QTest::keyClicks(f.field(inv, "ricw"), "PASTA");
    QTest::keyClicks(f.field(inv, "eanw"), "8001");
    EXPECT_EQ(f.messages.shown().size(), 1u) << qPrintable(f.messages.texts().join('|'));
    EXPECT_TRUE(f.isOpen("tarvo06"));
    // Once the archive is there the list works, and a later failure is told again.
    f.state.storeDbPath = f.state.workDbPath = kDb;
    QTest::keyClick(f.field(inv, "ricw"), Qt::Key_Backspace);
    EXPECT_EQ(f.grid(inv, "ord")->textMatrix(1, 2), QStringLiteral("PASTA"));
    f.state.storeDbPath = QStringLiteral("c:\\marbo\\assente.mdb");
    QTest::keyClick(f.field(inv, "ricw"), Qt::Key_Backspace);
    EXPECT_EQ(f.messages.shown().size(), 2u);
}

MARBO_ON_EACH_ENGINE(Lists);

} // namespace
