// The confirmations of the supplier documents on both engines: the goods
// receipt, the supplier order and the return note (new, or added to the open
// note): the rows written field by field, the counters moved, the numbering;
// and, for each of them, a confirmation killed halfway and two workstations
// confirming at once.
#include "documents/receipt_transfer.h"
#include "documents/returns_transfer.h"
#include "documents/supplier_order_transfer.h"
#include "supplier_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const QDate kToday(2026, 12, 10);
const QDate kDated(2026, 12, 9);

class SupplierDocuments : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = makeSupplierStore(*store);
        s.documentYear = 2026;
        s.supplierCode = 5;
        s.supplierName = QStringLiteral("FONTI ALPINE SRL");
        s.priceList = QStringLiteral("01");
    }
    QString article(int code, const QString& fields) {
        return rows(db, QStringLiteral("SELECT * FROM listi01 WHERE codart = %1").arg(code),
                    fields.split(QLatin1Char(' ')))
            .value(0);
    }
    QString ean(const char* ean, const QString& fields) {
        return rows(db, QStringLiteral("SELECT * FROM codean WHERE eanare = '%1'").arg(QLatin1String(ean)),
                    fields.split(QLatin1Char(' ')))
            .value(0);
    }
    int lastNumber(const char* type) {
        return db.scalarNative("SELECT ultnum FROM numeri WHERE tipo = ? AND anno = 2026", {type}).toInt();
    }
    data::Database db;
    state::SharedState s;
};

TEST_P(SupplierDocuments, AReceiptWritesItsLinesAndMovesTheStock) {
    const QString c = QStringLiteral("carico");
    workingLine(db, c,
                {"oper", 1, "codcasa", 101, "eanrig", "8001234567890", "colli", 2, "quantita", 10, "desfor",
                 "FONTI ALPINE SRL"});
    workingLine(db, c, {"oper", 1, "codcasa", 102, "eanrig", "8002222222222", "colli", 3, "quantita", 36});
    workingLine(db, c, {"oper", 2, "codcasa", 102, "eanrig", "", "colli", 1, "quantita", 12}); // by code
    workingLine(db, c, {"oper", 2, "codcasa", 101, "eanrig", "8001234567890", "colli", 0, "quantita", 5});
    workingLine(db, c, {"oper", 3, "codcasa", 103, "eanrig", "2100000000005", "colli", 1, "quantita", 4});
    s.documentNumber = 8;
    int progress = 0;
    const auto r = documents::confirmReceipt(db, s, kToday, kDated, true, [&](int lines) {
        EXPECT_EQ(lines, 5);
        ++progress;
    });
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_TRUE(r.notice.isEmpty());
    EXPECT_EQ(r.linesWritten, 4);
    EXPECT_EQ(progress, 5);

    EXPECT_EQ(rows(db, "SELECT * FROM testaof WHERE numero = 8",
                   {"codutente", "anno", "dataor", "dscfornitore", "codfor", "fl1ts", "fl3ts", "fl2ts",
                    "dataco", "tipodoc"}),
              QStringList({"1|2026|2026-12-09|FONTI ALPINE SRL|5|E|F||2026-12-10|FATTACQIMM"}));
    EXPECT_EQ(
        rows(db, "SELECT * FROM ordinif ORDER BY bns",
             {"codutente",   "bannoc", "bnumer", "bns",      "bdator", "articoli", "unitam",
              "imballo",     "costob", "costof", "quantita", "quanci", "collic",   "colli",
              "descrizione", "iva",    "desgru", "eanrig",   "tipmov", "totrig"}),
        QStringList({"1|2026|8|1|2026-12-10|101|PZ|6|2|2|10|10|2|2|ACQUA MINERALE NATURALE LT.1,5|10|"
                     "BEVANDE|8001234567890|AR|24",
                     "1|2026|8|2|2026-12-10|102|CF|12|1.5|1.5|36|36|3|3|BISCOTTI FROLLINI AL BURRO GR.700 C"
                     "|4|DOLCI E BISCOTTI DA|8002222222222|AR|54",
                     "1|2026|8|3|2026-12-10|102|CF|12|1.5|1.5|12|12|1|1|BISCOTTI FROLLINI AL BURRO GR.700 C"
                     "|4|DOLCI E BISCOTTI DA||AR|18",
                     "1|2026|8|4|2026-12-10|103|00|0|0|0|4|4|1|1|Articolo non Trovato !!!!!!!|0||"
                     "2100000000005|AR|0"}));
    // 10 pieces received: qacq 20 -> 30, qgia 5 + 30 - 2 - 8 = 25, valgia 25 x 0,8333 = 20,83.
    EXPECT_EQ(article(101, "qultcar dultcar qacq qgia valgia"), "2|2026-12-10|30|25|20.83");
    EXPECT_EQ(article(102, "qultcar qacq qgia valgia"), "1|48|48|48");
    // The EAN rows: 8001234567890 eacq 4 + 10, egia 14 + 1 - 0 - 2; the unknown article's EAN too.
    EXPECT_EQ(ean("8001234567890", "eacq egia"), "14|13");
    EXPECT_EQ(ean("8002222222222", "eacq egia"), "36|36");
    EXPECT_EQ(ean("2100000000005", "eacq egia"), "4|4");
    EXPECT_EQ(db.query("SELECT * FROM carico").recordCount(), 0);
    EXPECT_EQ(lastNumber("CF"), 8);
    EXPECT_EQ(s.documentNumber, 8);
    EXPECT_EQ(s.lastLine, 4);
    EXPECT_EQ(s.numberingCode.text(), "CF");
    EXPECT_EQ(s.documentDate, kDated);
    EXPECT_EQ(s.userCode, 1);
}

TEST_P(SupplierDocuments, ASupplierOrderTakesOnlyTheSupplierOrderLines) {
    const QString o = QStringLiteral("ordine");
    workingLine(db, o, {"codcasa", 101, "eanrig", "8001234567890", "colli", 4}); // no order type
    workingLine(db, o,
                {"tipord", "T", "codcasa", 102, "eanrig", "8002222222222", "colli", 2}); // a department's
    workingLine(db, o, {"tipord", "", "codcasa", 103, "eanrig", "12345670", "colli", 1});
    workingLine(db, o, {"codcasa", 102, "eanrig", "8002222222222", "colli", 0});
    s.documentNumber = 4;
    s.userCode = 1;
    const auto r = documents::confirmSupplierOrder(db, s, kToday, kDated, true);
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(rows(db, "SELECT * FROM testao WHERE numero = 4",
                   {"codutente", "anno", "dataor", "dscfornitore", "codfor", "codlis", "fl1ts", "fl3ts",
                    "fl2ts", "dataco", "tipodoc", "commesso"}),
              QStringList({"1|2026|2026-12-09|FONTI ALPINE SRL|5|01||N|O|2026-12-10|ORDFOR|-"}));
    // 4 packages of 6 at 2,00: 24 pieces ordered, 48; nothing received yet.
    EXPECT_EQ(
        rows(db, "SELECT * FROM ordini ORDER BY bns",
             {"bnumer", "bns", "articoli", "unitam", "imballo", "costob", "costof", "quantita", "quanci",
              "collic", "colli", "descrizione", "iva", "desgru", "eanrig", "tipmov", "totrig", "bflag1",
              "lotto"}),
        QStringList({"4|1|101|PZ|6|2|2|24|0|0|24|ACQUA MINERALE NATURALE LT.1,5|10|BEVANDE|8001234567890|"
                     "AR|48|-|-",
                     "4|2|103|00|0|0|0|0|0|0|0|Articolo non Trovato !!!!!!!|0||0000012345670|AR|0|-|-"}));
    EXPECT_EQ(article(101, "colliuo datauo qacq qgia"), "4|2026-12-10|20|15");
    EXPECT_EQ(article(102, "colliuo"), "-");
    EXPECT_EQ(rows(db, "SELECT * FROM ordine", {"tipord", "codcasa"}), QStringList({"T|102"}));
    EXPECT_EQ(lastNumber("OF"), 4);
    EXPECT_EQ(s.numberingCode.text(), "OF");
}

TEST_P(SupplierDocuments, ANewReturnNoteMovesTheReturnedStock) {
    const QString re = QStringLiteral("resi");
    workingLine(db, re,
                {"codcasa", 101, "eanrig", "8001234567890", "colli", 2, "desfor", "FONTI ALPINE SRL"});
    workingLine(db, re, {"codcasa", 103, "eanrig", "2100000000005", "colli", 3});
    s.documentNumber = 16;
    const auto r = documents::confirmReturnNote(db, s, kToday, kDated, true);
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(rows(db, "SELECT * FROM reste WHERE numero = 16",
                   {"codutente", "anno", "dataor", "dsccliente", "cliente", "codlis", "fl1ts", "regis",
                    "datafa", "tipodoc", "codtipdoc"}),
              QStringList({"1|2026|2026-12-09|FONTI ALPINE SRL|5|01||P|2026-12-10|DDTRESFOR|RF"}));
    // 2 packages of 6 at 0,80: 12 pieces, 9,60.
    EXPECT_EQ(
        rows(db, "SELECT * FROM resmo WHERE bnumer = 16 ORDER BY bns",
             {"codutente", "bns", "codtipdoc", "bdator", "articoli", "unitam", "imballo", "costof", "prezzo",
              "colli", "quantita", "descrizione", "iva", "desgru", "eanrig", "tipmov", "bflag1", "totrig"}),
        QStringList({"1|1|RF|2026-12-10|101|PZ|6|0.8|0.8|2|12|ACQUA MINERALE NATURALE LT.1,5|10|BEVANDE|"
                     "8001234567890|AR|V|9.6",
                     "1|2|RF|2026-12-10|103|00|0|0|0|3|0|Articolo non Trovato !!!!!!!|0||2100000000005|AR|V|"
                     "0"}));
    // qres 2 + 12, qgia 5 + 20 - 14 - 8 = 3, valgia 3 x 0,8333 = 2,4999 -> 2,50.
    EXPECT_EQ(article(101, "qres qgia valgia colliuo"), "14|3|2.5|-");
    EXPECT_EQ(ean("8001234567890", "eres egia"), "12|-9");
    EXPECT_EQ(db.query("SELECT * FROM resi").recordCount(), 0);
    EXPECT_EQ(lastNumber("RF"), 16);
    EXPECT_EQ(s.documentType.text(), "DDTRESFOR   ");
    EXPECT_EQ(s.lastLine, 2);
}

TEST_P(SupplierDocuments, LinesAddedToTheOpenNoteMergeByEanAndMoveNoStock) {
    const QString re = QStringLiteral("resi");
    workingLine(db, re, {"codcasa", 101, "eanrig", "8001234567890", "colli", 2}); // on the note: merged
    workingLine(db, re, {"codcasa", 102, "eanrig", "8002222222222", "colli", 1}); // new: after a gap
    workingLine(db, re, {"codcasa", 102, "eanrig", "8002222222223", "colli", 0}); // removed
    db.execute("DELETE FROM tipodoc"); // no numbering code: the one in hand is used
    s.numberingCode = QStringLiteral("RX");
    s.documentNumber = 12;
    s.lastLine = 90;
    const auto r = documents::appendToReturnNote(db, s, kToday);
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesMerged, 1);
    EXPECT_EQ(r.linesWritten, 1);
    EXPECT_EQ(
        rows(db, "SELECT * FROM resmo WHERE bnumer = 12 ORDER BY bns",
             {"bns", "codtipdoc", "codutente", "bdator", "articoli", "imballo", "costof", "colli", "quantita",
              "descrizione", "eanrig", "tipmov", "bflag1", "totrig"}),
        QStringList(
            {"1|-|-|-|101|6|0.8|3|18|-|8001234567890|-|-|14.4", "2|-|-|-|17|-|-|1|1|-|8000000000017|-|-|-",
             "4|RX|1|2026-12-10|102|12|1.1|1|12|BISCOTTI FROLLINI AL BURRO GR.700 C|8002222222222|-|-|"
             "13.2"}));
    EXPECT_EQ(s.lastLine, 4);
    EXPECT_EQ(article(101, "colliuo datauo qres qgia"), "2|2026-12-10|2|15");
    EXPECT_EQ(article(102, "colliuo"), "1");
    EXPECT_EQ(db.query("SELECT * FROM reste").recordCount(), 6); // no header written
    EXPECT_EQ(db.query("SELECT * FROM resi").recordCount(), 0);
}

// One article on several lines: its counters move by every line in turn,
// and the last line gives the last receipt.
TEST_P(SupplierDocuments, AnArticleOnSeveralReceiptLinesMovesByTheirSum) {
    const QString c = QStringLiteral("carico");
    workingLine(db, c, {"oper", 1, "codcasa", 101, "eanrig", "8001234567890", "colli", 2, "quantita", 10});
    workingLine(db, c, {"oper", 2, "codcasa", 101, "eanrig", "", "colli", 1, "quantita", 4}); // by code
    workingLine(db, c, {"oper", 3, "codcasa", 101, "eanrig", "8001234567890", "colli", 3, "quantita", 3});
    s.documentNumber = 8;
    const auto r = documents::confirmReceipt(db, s, kToday, kDated, true);
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesWritten, 3);
    // qacq 20 + 17 = 37, qgia 5 + 37 - 2 - 8 = 32, valgia 32 x 0,8333 = 26,6656.
    EXPECT_EQ(article(101, "qultcar qacq qgia valgia"), "3|37|32|26.67");
    // Only the lines with the EAN move it: eacq 4 + 13, egia 17 + 1 - 0 - 2.
    EXPECT_EQ(ean("8001234567890", "eacq egia"), "17|16");
}

// Two working lines of an EAN the note lacks: the second merges into the
// line the first one added.
TEST_P(SupplierDocuments, ASecondLineOfANewEanMergesIntoTheLineJustAdded) {
    workingLine(db, "resi", {"codcasa", 102, "eanrig", "8002222222222", "colli", 1});
    workingLine(db, "resi", {"codcasa", 102, "eanrig", "8002222222222", "colli", 2});
    db.execute("DELETE FROM tipodoc");
    s.numberingCode = QStringLiteral("RX");
    s.documentNumber = 12;
    const auto r = documents::appendToReturnNote(db, s, kToday);
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesWritten, 1);
    EXPECT_EQ(r.linesMerged, 1);
    EXPECT_EQ(rows(db, "SELECT * FROM resmo WHERE bnumer = 12 AND articoli = 102",
                   {"bns", "colli", "quantita", "totrig"}),
              QStringList({"3|3|36|39.6"}));
    EXPECT_EQ(s.lastLine, 4); // the merged line took number 4
    EXPECT_EQ(article(102, "colliuo"), "2");
}

TEST_P(SupplierDocuments, ANoteRegisteredMeanwhileTakesNothing) {
    workingLine(db, "resi", {"codcasa", 101, "eanrig", "8001234567890", "colli", 2});
    db.execute("UPDATE reste SET regis = 'R' WHERE numero = 12");
    s.documentNumber = 12;
    const auto r = documents::appendToReturnNote(db, s, kToday);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.refusal.contains("12"));
    EXPECT_EQ(db.query("SELECT * FROM resmo WHERE bnumer = 12").recordCount(), 2);
    EXPECT_EQ(db.query("SELECT * FROM resi").recordCount(), 1);
}

// The number a document was proposed under taken by another workstation: the
// next free one, with a notice; without a header the lines go under the
// number asked and the series stays.
TEST_P(SupplierDocuments, ATakenNumberMovesToTheNextFreeOne) {
    struct Case {
        const char* table;
        const char* header;
        const char* lines;
        const char* series;
        int asked, used;
        documents::ConfirmResult (*run)(const data::Database&, state::SharedState&, const QDate&,
                                        const QDate&, bool, const documents::LineProgress&);
    } cases[] = {
        {"carico", "testaof", "ordinif", "CF", 7, 8, documents::confirmReceipt},
        {"ordine", "testao", "ordini", "OF", 2, 4, documents::confirmSupplierOrder},
        {"resi", "reste", "resmo", "RF", 15, 16, documents::confirmReturnNote},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        for (bool header : {true, false}) {
            workingLine(db, c.table, {"codcasa", 101, "eanrig", "8001234567890", "colli", 1, "quantita", 6});
            const int before = lastNumber(c.series);
            s.documentNumber = c.asked;
            const auto r = c.run(db, s, kToday, kDated, header, {});
            ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
            const int used = header ? c.used : c.asked;
            EXPECT_EQ(r.number, used);
            EXPECT_EQ(s.documentNumber, used);
            EXPECT_EQ(r.notice.isEmpty(), !header);
            EXPECT_EQ(r.headerWritten, header);
            EXPECT_EQ(lastNumber(c.series), header ? used : before);
            EXPECT_EQ(db.scalarNative(QStringLiteral("SELECT count(*) FROM %1 WHERE bnumer = ?").arg(c.lines),
                                      {used})
                          .toInt(),
                      1);
        }
    }
}

TEST_P(SupplierDocuments, NoLinesWritesNoHeader) {
    workingLine(db, "ordine", {"tipord", "S", "codcasa", 101, "eanrig", "8001234567890", "colli", 4});
    s.documentNumber = 8;
    EXPECT_TRUE(documents::confirmReceipt(db, s, kToday, kDated, true).noLines);
    s.documentNumber = 4;
    EXPECT_TRUE(documents::confirmSupplierOrder(db, s, kToday, kDated, true).noLines);
    s.documentNumber = 16;
    EXPECT_TRUE(documents::confirmReturnNote(db, s, kToday, kDated, true).noLines);
    s.documentNumber = 12;
    EXPECT_TRUE(documents::appendToReturnNote(db, s, kToday).noLines);
    EXPECT_EQ(db.query("SELECT * FROM testaof").recordCount(), 8);
    EXPECT_EQ(db.query("SELECT * FROM testao").recordCount(), 3);
    EXPECT_EQ(db.query("SELECT * FROM reste").recordCount(), 6);
    EXPECT_EQ(lastNumber("CF"), 7);
    EXPECT_EQ(db.query("SELECT * FROM ordine").recordCount(), 1);
}

MARBO_ON_EACH_ENGINE(SupplierDocuments);

// Each confirmation, run in other processes on the same store: killed halfway,
// and two at once.
class SupplierConfirmations : public OnEachEngine {
protected:
    struct Kind {
        const char* name;
        const char* table;
        std::function<documents::ConfirmResult(const data::Database&, state::SharedState&,
                                               const documents::LineProgress&)>
            run;
    };
    static std::vector<Kind> kinds() {
        return {
            {"receipt", "carico",
             [](const data::Database& db, state::SharedState& s, const documents::LineProgress& f) {
                 return documents::confirmReceipt(db, s, kToday, kDated, true, f);
             }},
            {"supplier order", "ordine",
             [](const data::Database& db, state::SharedState& s, const documents::LineProgress& f) {
                 return documents::confirmSupplierOrder(db, s, kToday, kDated, true, f);
             }},
            {"new return note", "resi",
             [](const data::Database& db, state::SharedState& s, const documents::LineProgress& f) {
                 return documents::confirmReturnNote(db, s, kToday, kDated, true, f);
             }},
            {"return note addition", "resi",
             [](const data::Database& db, state::SharedState& s, const documents::LineProgress& f) {
                 s.documentNumber = 12;
                 return documents::appendToReturnNote(db, s, kToday, f);
             }},
        };
    }
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = makeSupplierStore(*store);
    }
    void lines(const char* table, int n) {
        ASSERT_TRUE(db.begin().ok());
        for (int i = 0; i < n; ++i)
            workingLine(db, table,
                        {"codcasa", 101 + i % 3, "eanrig", QString::number(8000000100000LL + i), "colli",
                         1 + i % 4, "quantita", 6});
        ASSERT_TRUE(db.commit().ok());
    }
    QStringList snapshot() {
        QStringList all;
        for (const char* t : {"carico", "ordine", "resi", "testaof", "ordinif", "testao", "ordini", "reste",
                              "resmo", "listi01", "codean", "numeri"})
            all << QString::fromLatin1(t) << dump(db, t);
        return all;
    }
    // Runs a confirmation in a process of its own; `afterLine` runs there.
    pid_t spawn(const Kind& k, const std::function<void(int)>& afterLine) {
        const data::DriveMapping mapping = store->dbs().mapping();
        const pid_t child = fork();
        if (child != 0)
            return child;
        data::Databases dbs{mapping};
        state::SharedState cs;
        cs.documentYear = 2026;
        cs.documentNumber = 8;
        cs.supplierCode = 5;
        int n = 0;
        const auto r = k.run(dbs.open(kSupplierStore), cs, [&](int) { afterLine(++n); });
        _exit(!r.ok() ? 3 : r.noLines ? 2 : 0);
    }
    static int exitCode(pid_t child) {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    data::Database db;
};

TEST_P(SupplierConfirmations, KilledHalfwayLeavesEverythingAsItWas) {
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.name);
        db.execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(k.table)));
        lines(k.table, 300);
        const QStringList before = snapshot();
        store->dbs().closeAll();
        const pid_t child = spawn(k, [](int n) {
            if (n == 150)
                _exit(9); // the program killed halfway
        });
        ASSERT_EQ(exitCode(child), 9);
        db = store->open(kSupplierStore);
        EXPECT_EQ(snapshot(), before);
    }
}

// Two workstations press the button at the same moment: the second waits for
// the first; one document gets every line, once, and the other finds nothing
// left to confirm.
TEST_P(SupplierConfirmations, TwoAtOnceWriteOneDocumentWithEveryLineOnce) {
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.name);
        db.execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(k.table)));
        lines(k.table, 40);
        const QStringList headersBefore = dump(db, "testaof") + dump(db, "testao") + dump(db, "reste");
        store->dbs().closeAll();
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        // The first one holds its transaction open for a moment after its first line.
        const pid_t first = spawn(k, [&](int n) {
            if (n == 1) {
                const char go = 1;
                (void)!write(started[1], &go, 1);
                usleep(300 * 1000);
            }
        });
        char go = 0;
        ASSERT_EQ(read(started[0], &go, 1), 1);
        const pid_t second = spawn(k, [](int) {});
        const int a = exitCode(first), b = exitCode(second);
        close(started[0]);
        close(started[1]);
        EXPECT_EQ(a, 0);
        EXPECT_EQ(b, 2);
        db = store->open(kSupplierStore);
        EXPECT_EQ(db.query(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(k.table))).recordCount(), 0);
        const QStringList headersAfter = dump(db, "testaof") + dump(db, "testao") + dump(db, "reste");
        EXPECT_EQ(headersAfter.size() - headersBefore.size(),
                  k.name == std::string("return note addition") ? 0 : 1);
        const QVariant written = db.scalarNative("SELECT (SELECT count(*) FROM ordinif WHERE bnumer = 8) + "
                                                 "(SELECT count(*) FROM ordini WHERE bnumer = 8) "
                                                 "+ (SELECT count(*) FROM resmo WHERE bnumer IN (8, 12))",
                                                 {});
        EXPECT_EQ(written.toInt(), 40 + 2); // note 12 had two lines
        // The next kind starts from a store without the documents just written.
        for (const char* t : {"ordinif", "ordini"})
            db.execute(QStringLiteral("DELETE FROM %1 WHERE bnumer = 8").arg(QLatin1String(t)));
        db.execute("DELETE FROM resmo WHERE bnumer = 8");
    }
}

MARBO_ON_EACH_ENGINE(SupplierConfirmations);

} // namespace
