// The inventory confirmation on both engines: which working lines become
// document lines, with which article data, under which numbers; and that a
// confirmation killed halfway leaves nothing written.
#include "data/recordset.h"
#include "documents/inventory_transfer.h"
#include "inventory_store.h"
#include "test_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

class Confirm : public testing_support::OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create("c:\\marbo\\dati.mdb", data::schema::StoreDb);
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123});
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
        addRow(db, "codean", {"eanare", "8000000000888", "codare", 888}); // no price-list row
        addRow(db, "listi01",
               {"codart", 123, "desart", "PASTA SEMOLA GR.500", "cofart", 1.2345, "umart", "PZ", "ivart", "4",
                "desfor", "ALIMENTARI ROSSI SPA", "desgru", "PASTA", "cosmp", 0.6});
        addRow(db, "listi01", {"codart", 555, "desart", "BISCOTTI", "cofart", 2.0});
        addRow(db, "listi01", {"codart", 556, "desart", "ROSETTE", "cofart", 0.005, "umart", "KG"});
        addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
        s.userCode = 1;
        s.documentType = QStringLiteral("INVENTARIO");
        s.documentYear = 2026;
        s.documentNumber = 42;
        s.numberingCode = QStringLiteral("IN");
    }
    void line(int oper, const QString& ean, double q, int code = 0) {
        addRow(db, "inventario", {"codcasa", code, "eanrig", ean, "oper", oper, "quantita", q, "colli", q});
    }
    data::Database db;
    state::SharedState s;
};

TEST_P(Confirm, EachCountedLineBecomesADocumentLine) {
    line(3, "8009999999991", 3);   // the first EAN row decides the article: 123
    line(3, "8001234567890", 0);   // not counted: skipped, takes no number
    line(3, "8000000000888", 5);   // EAN rows, no price-list row: kept by the operator
    line(3, "1' OR '1'='1", 2);    // unknown: placeholders
    line(3, "8001234567890", 1.5); // the other EAN of 123
    // A weighed article's line keeps its scanned code, which is no EAN row:
    // its own article code finds it. 0,005 x 2,999 = 0,014995: 0,01, not
    // rounded twice into 0,02.
    line(3, "2556000001493", 2.999, 556);
    // A count left with a binary residue by an older version: 0, not transferred.
    ASSERT_TRUE(db.executeNative("INSERT INTO inventario (codcasa, eanrig, oper, quantita, colli) "
                                 "VALUES (0, '8001234567890', 3, ?, ?)",
                                 {-1.1e-16, -1.1e-16})
                    .ok());
    line(1, "8001234567890", 9); // another operator's count stays out
    s.operatorNumber = 3;
    const auto r = documents::transferInventory(db, s, QDate(2026, 12, 10));
    ASSERT_TRUE(r.error.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.number, 42);
    EXPECT_EQ(r.linesWritten, 5);

    struct Expected {
        int bns, article;
        const char* ean;
        double quantity, total, cost;
        const char* description;
        const char* unit;
        const char* vat;
        const char* supplier;
    } expected[] = {
        {1, 123, "8009999999991", 3, 3.70, 1.2345, "PASTA SEMOLA GR.500", "PZ", "4 ", "ALIMENTARI ROSSI SPA"},
        {2, 888, "8000000000888", 5, 0, 0, "AAAAAA Articolo non Trovato !!!!", "XX", "0 ", ""},
        {3, 999999, "1' OR '1'='1", 2, 0, 0, "AAAAAA Articolo non Trovato !!!!", "XX", "0 ", ""},
        {4, 123, "8001234567890", 1.5, 1.85, 1.2345, "PASTA SEMOLA GR.500", "PZ", "4 ",
         "ALIMENTARI ROSSI SPA"},
        {5, 556, "2556000001493", 2.999, 0.01, 0.005, "ROSETTE", "KG", "", ""},
    };
    data::Recordset mo = db.query("SELECT * FROM invmo ORDER BY bns");
    ASSERT_EQ(mo.recordCount(), 5);
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.bns);
        ASSERT_FALSE(mo.eof());
        EXPECT_EQ(mo.value("bns").toInt(), x.bns);
        EXPECT_EQ(mo.value("bannoc").toInt(), 2026);
        EXPECT_EQ(mo.value("bnumer").toInt(), 42);
        EXPECT_EQ(mo.value("articoli").toInt(), x.article);
        EXPECT_EQ(mo.value("eanrig").toString(), QString::fromUtf8(x.ean));
        EXPECT_DOUBLE_EQ(mo.value("quantita").toDouble(), x.quantity);
        EXPECT_DOUBLE_EQ(mo.value("colli").toDouble(), x.quantity);
        EXPECT_DOUBLE_EQ(mo.value("totrig").toDouble(), x.total);
        EXPECT_DOUBLE_EQ(mo.value("costof").toDouble(), x.cost);
        EXPECT_EQ(mo.value("descrizione").toString(), QString::fromUtf8(x.description));
        EXPECT_EQ(mo.value("unitam").toString(), QString::fromUtf8(x.unit));
        EXPECT_EQ(mo.value("iva").toString().trimmed(), QString::fromUtf8(x.vat).trimmed());
        EXPECT_EQ(mo.value("desfor").toString(), QString::fromUtf8(x.supplier));
        EXPECT_EQ(mo.value("tipodoc").toString(), QStringLiteral("INVENTARIO"));
        mo.moveNext();
    }
    EXPECT_EQ(db.query("SELECT * FROM invte WHERE numero = 42").recordCount(), 1);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 42);
    EXPECT_EQ(s.lastLine, 5);
}

TEST_P(Confirm, AnOperatorWithoutLinesWritesNothing) {
    line(1, "8001234567890", 2);
    s.operatorNumber = 4;
    const auto r = documents::transferInventory(db, s, QDate(2026, 12, 10));
    EXPECT_TRUE(r.error.ok());
    EXPECT_FALSE(r.headerWritten);
    EXPECT_EQ(r.linesWritten, 0);
    EXPECT_EQ(db.query("SELECT * FROM invte").recordCount(), 0);
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 41);
    // The next confirmation opens its own transaction: the empty one was closed.
    s.operatorNumber = 1;
    EXPECT_TRUE(documents::transferInventory(db, s, QDate(2026, 12, 10)).error.ok());
    EXPECT_EQ(db.query("SELECT * FROM invmo").recordCount(), 1);
}

MARBO_ON_EACH_ENGINE(Confirm);

// The numbering of successive transfers, and a transfer killed halfway, on the
// inventory store.
class Transfer : public testing_support::OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = makeInventoryStore(*store);
        state.userCode = 1;
    }
    void lines(int oper, std::initializer_list<std::pair<const char*, double>> l) {
        addInventoryLines(db, oper, l);
    }
    documents::TransferResult run(int oper) {
        state.operatorNumber = std::int16_t(oper);
        state.documentType = QStringLiteral("INVENTARIO");
        state.documentYear = 2026;
        state.numberingCode = QStringLiteral("IN");
        return documents::transferInventory(db, state, QDate(2026, 12, 10));
    }
    data::Database db;
    state::SharedState state;
};

TEST_P(Transfer, NumberingAndLineNumbersAcrossTwoTransfers) {
    lines(1, {{"8001234567890", 3}, {"8009999999991", 0}, {"2100000000005", 2}});
    lines(2, {{"8001234567890", 1}});
    state.documentNumber = 42;
    auto r = run(1);
    ASSERT_TRUE(r.error.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesWritten, 2); // the 0 line is skipped and takes no number
    state.documentNumber = 43;
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

TEST_P(Transfer, ANumberTakenByAnotherWorkstationIsNotWrittenTwice) {
    lines(1, {{"8001234567890", 3}});
    lines(2, {{"8001234567890", 1}});
    // Both workstations opened the menu and took 42.
    state.documentNumber = 42;
    ASSERT_TRUE(run(1).error.ok());
    state.documentNumber = 42;
    const auto r = run(2);
    ASSERT_TRUE(r.error.ok());
    EXPECT_EQ(r.number, 43);
    EXPECT_FALSE(r.notice.isEmpty());
    EXPECT_EQ(db.query("SELECT * FROM invte WHERE numero = 43").recordCount(), 1);
    EXPECT_EQ(db.query("SELECT * FROM invmo WHERE bnumer = 43").recordCount(), 1);
}

TEST_P(Transfer, TwoWorkstationsConfirmingAtOnceWriteTwoDocuments) {
    // Two operators' counts, confirmed on two workstations at the same
    // moment, both under the number 42 their menus took.
    const int counts[] = {300, 200};
    {
        data::WriteScope w(db);
        for (int oper = 1; oper <= 2; ++oper)
            for (int i = 0; i < counts[oper - 1]; ++i)
                ASSERT_TRUE(
                    db.executeNative("INSERT INTO inventario (codcasa, eanrig, oper, quantita, colli) "
                                     "VALUES (123, '8001234567890', ?, 1, 1)",
                                     {oper})
                        .ok());
        ASSERT_TRUE(w.commit().ok());
    }
    const data::DriveMapping mapping = store->dbs().mapping();
    store->dbs().closeAll();
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (int oper = 1; oper <= 2; ++oper) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(go[1]);
            data::Databases dbs{mapping};
            const data::Database store = dbs.open(kInventoryStore);
            state::SharedState s;
            s.operatorNumber = std::int16_t(oper);
            s.userCode = 1;
            s.documentYear = 2026;
            s.documentNumber = 42;
            s.documentType = QStringLiteral("INVENTARIO");
            s.numberingCode = QStringLiteral("IN");
            store.scalarNative(QStringLiteral("SELECT 1"), {}); // connected before the start
            char c;
            (void)!read(go[0], &c, 1); // both start when the pipe closes
            const auto r = documents::transferInventory(store, s, QDate(2026, 12, 10));
            if (r.error)
                _exit(100 + int(r.error.kind));
            // 2: number 42 as taken; 3: moved to 43 and said so; 50: anything else.
            _exit(r.number == 42 && r.notice.isEmpty() ? 2 : r.number == 43 && !r.notice.isEmpty() ? 3 : 50);
        }
        children[oper - 1] = child;
    }
    close(go[0]);
    close(go[1]);
    std::vector<int> outcomes;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        outcomes.push_back(WEXITSTATUS(status));
    }
    std::sort(outcomes.begin(), outcomes.end());
    EXPECT_EQ(outcomes, (std::vector<int>{2, 3}));
    const data::Database again = store->open(kInventoryStore);
    EXPECT_EQ(again.query("SELECT * FROM invte").recordCount(), 2);
    // Each document holds one operator's lines, all of them, once.
    std::vector<int> lines;
    for (int number : {42, 43})
        lines.push_back(again.scalarNative("SELECT count(*) FROM invmo WHERE bnumer = ?", {number}).toInt());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<int>{200, 300}));
    data::Recordset numeri = again.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 43);
}

TEST_P(Transfer, KilledHalfwayLeavesNothingWritten) {
    // 5000 lines; a child process transfers them and dies in the middle.
    ASSERT_TRUE(db.begin().ok());
    for (int i = 0; i < 5000; ++i)
        addRow(db, "inventario",
               {"codcasa", 123, "eanrig", "8001234567890", "oper", 1, "quantita", 1, "colli", 1});
    ASSERT_TRUE(db.commit().ok());
    const data::DriveMapping mapping = store->dbs().mapping();
    store->dbs().closeAll();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        data::Databases dbs{mapping};
        state::SharedState s;
        s.operatorNumber = 1;
        s.userCode = 1;
        s.documentYear = 2026;
        s.documentNumber = 42;
        s.documentType = QStringLiteral("INVENTARIO");
        s.numberingCode = QStringLiteral("IN");
        documents::transferInventory(dbs.open(kInventoryStore), s, QDate(2026, 12, 10), [](int n) {
            if (n == 2500)
                _exit(9); // the program killed halfway
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    const data::Database again = store->open(kInventoryStore);
    EXPECT_EQ(again.query("SELECT * FROM invte").recordCount(), 0);
    EXPECT_EQ(again.query("SELECT * FROM invmo").recordCount(), 0);
    data::Recordset numeri = again.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    EXPECT_EQ(numeri.value("ultnum").toInt(), 41);
    EXPECT_EQ(again.query("SELECT * FROM inventario").recordCount(), 5000);
}

MARBO_ON_EACH_ENGINE(Transfer);

} // namespace
