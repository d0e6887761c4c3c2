// Appending the order working lines to an order document, on both engines:
// which lines are taken, merged by EAN or added after the document's last
// line, the last order on the article table, and that a refused or killed
// append leaves everything as it was.
#include "data/recordset.h"
#include "documents/order_append.h"
#include "documents/progress.h"
#include "test_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const QString kWork = QStringLiteral("c:\\marbo\\bancacodean.mdb");
const QDate kToday(2026, 12, 10);

QString num(const QVariant& v) {
    const auto d = data::Decimal::fromVariant(v);
    return d ? d->toText() : QStringLiteral("null");
}

class OrderAppend : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create(kWork, data::schema::WorkDb);
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 10});
        addRow(db, "articolo",
               {"codart", 10, "desart", "OLIO EXTRAVERGINE DI OLIVA BOTTIGLIA LT.1 ITALIA", "imbart", 6,
                "przart", 1.5, "ivart", "04", "umart", "PZ", "desgru", "CONDIMENTI"});
        addRow(
            db, "articolo",
            {"codart", 20, "desart", "ZUCCHERO", "imbart", 10, "przart", 0.85, "ivart", "10", "umart", "KG"});
        // Order 2026/5 holds two lines.
        addRow(db, "movimenti", {"bannoc",   2026, "bnumer",  5, "bns",    1,   "eanrig",   "8001234567890",
                                 "articoli", 10,   "imballo", 6, "prezzo", 1.5, "quantita", 2,
                                 "colli",    12,   "totrig",  18});
        addRow(db, "movimenti",
               {"bannoc", 2026, "bnumer", 5, "bns", 2, "eanrig", "8000000000002", "articoli", 30, "quantita",
                1});
        s.documentYear = 2026;
        s.documentNumber = 5;
    }
    void order(const char* type, int code, const char* ean, QVariant packs) {
        addRow(db, "ordine", {"tipord", type, "codcasa", code, "eanrig", ean, "colli", packs});
    }
    // The lines of a document: bns, EAN, article, packages, pieces, total,
    // description, unit, VAT.
    QStringList document(int number) {
        QStringList out;
        data::Recordset rs =
            db.query(QStringLiteral("SELECT * FROM movimenti WHERE bnumer = %1 ORDER BY bns").arg(number));
        for (; !rs.eof(); rs.moveNext())
            out << QStringList{rs.value("bns").toString(),
                               rs.value("eanrig").toString(),
                               rs.value("articoli").toString(),
                               num(rs.value("quantita")),
                               num(rs.value("colli")),
                               num(rs.value("totrig")),
                               rs.value("descrizione").toString(),
                               rs.value("unitam").toString(),
                               rs.value("iva").toString()}
                       .join(QLatin1Char('|'));
        return out;
    }
    QStringList orderLines() {
        QStringList out;
        data::Recordset rs = db.query("SELECT * FROM ordine");
        for (; !rs.eof(); rs.moveNext())
            out << rs.value("tipord").toString() + QLatin1Char('/') + rs.value("codcasa").toString();
        return out;
    }
    QString lastOrder(int code) {
        data::Table t = db.table("articolo");
        t.setIndex("primary");
        if (!t.seek(code))
            return QStringLiteral("none");
        return num(t.value("colliuo")) + QLatin1Char('@') + t.value("datauo").toDate().toString(Qt::ISODate);
    }
    data::Database db;
    state::SharedState s;
};

TEST_P(OrderAppend, TheDepartmentsLinesAreMergedByEanOrAddedAfterTheLastLine) {
    order("T", 99, "8001234567890", 3);  // the EAN's article (10) counts, not the line's code
    order("T", 20, "12345670", 1);       // a short EAN is padded
    order("T", 777, "8000000000777", 2); // no such article
    order("T", 20, "8000000000020", 0);  // no packages: removed without a document line
    order("M", 20, "8000000000021", 4);  // another department's line stays
    s.lastLine = 40;                     // whatever an earlier document left
    int progress = 0;
    const auto r =
        documents::appendToOrder(db, s, kToday, documents::OrderAppendRows::department("T"), [&](int lines) {
            EXPECT_EQ(lines, 4);
            ++progress;
        });
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(r.linesWritten, 2);
    EXPECT_EQ(r.linesMerged, 1);
    EXPECT_EQ(r.linesTaken, 4);
    EXPECT_EQ(progress, 4);
    // The merged line takes number 3 all the same: the new lines are 4 and 5.
    EXPECT_EQ(document(5), QStringList({"1|8001234567890|10|5|30|45|||", "2|8000000000002|30|1|null|null|||",
                                        "4|0000012345670|20|1|10|8.5|ZUCCHERO|KG|10",
                                        "5|8000000000777|777|2|0|0|Articolo non Trovato !!!!!!!|00|0"}));
    EXPECT_EQ(s.lastLine, 5);
    EXPECT_EQ(orderLines(), QStringList({"M/20"}));
    EXPECT_EQ(lastOrder(10), "3@2026-12-10");
    EXPECT_EQ(lastOrder(20), "1@2026-12-10"); // the 0-package line leaves no last order
}

TEST_P(OrderAppend, EveryLineWithItsOwnCodeIntoADocumentWithoutLines) {
    order("T", 20, "8001234567890", 2); // the line's code counts, not the EAN's article
    order("", 10, "", 1);               // two articles entered by code: no EAN, two lines
    order("", 20, "", 3);
    order("S", 10, "", 2); // merged with the line of article 10 without EAN
    s.documentNumber = 6;
    s.lastLine = 40;
    const auto r = documents::appendToOrder(db, s, kToday, documents::OrderAppendRows::every());
    ASSERT_TRUE(r.ok()) << r.error.message().toStdString();
    EXPECT_EQ(document(6), QStringList({"1|8001234567890|20|2|20|17|ZUCCHERO|KG|10",
                                        "2||10|3|18|27|OLIO EXTRAVERGINE DI OLIVA BOTTIGLI|PZ|4",
                                        "3||20|3|30|25.5|ZUCCHERO|KG|10"}));
    EXPECT_EQ(s.lastLine, 4);
    EXPECT_TRUE(orderLines().isEmpty());
    EXPECT_EQ(document(5).size(), 2);
}

TEST_P(OrderAppend, NothingToTakeWritesNothing) {
    order("M", 20, "8000000000021", 4);
    for (const auto& rows : {documents::OrderAppendRows::department("T"), documents::OrderAppendRows{}}) {
        if (!rows.orderType)
            db.execute("DELETE FROM ordine");
        s.lastLine = 7;
        const auto r = documents::appendToOrder(db, s, kToday, rows);
        EXPECT_TRUE(r.ok());
        EXPECT_TRUE(r.noLines);
        EXPECT_EQ(s.lastLine, 7);
    }
    EXPECT_EQ(document(5).size(), 2);
    EXPECT_EQ(lastOrder(20), "null@");
}

// A document whose lines reach the 16-bit limit takes no more: the append is
// refused as a whole and nothing is written or removed.
TEST_P(OrderAppend, TooManyLinesAreRefusedLeavingEverythingAsItWas) {
    addRow(db, "movimenti", {"bannoc", 2026, "bnumer", 5, "bns", 32766, "eanrig", "8000000000003"});
    order("T", 10, "8001234567890", 1);
    order("T", 20, "8000000000020", 1);
    order("T", 20, "8000000000021", 1);
    s.lastLine = 3;
    const auto r = documents::appendToOrder(db, s, kToday, documents::OrderAppendRows::department("T"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.refusal, documents::tooManyLinesMessage());
    EXPECT_EQ(document(5).size(), 3);
    EXPECT_EQ(document(5).front(), "1|8001234567890|10|2|12|18|||");
    EXPECT_EQ(orderLines().size(), 3);
    EXPECT_EQ(lastOrder(10), "null@");
    EXPECT_EQ(s.lastLine, 3);
}

TEST_P(OrderAppend, KilledHalfwayLeavesEverythingAsItWas) {
    ASSERT_TRUE(db.begin().ok());
    for (int i = 0; i < 2000; ++i)
        order("T", 10 + 10 * (i % 2), QString::number(8000000010000LL + i).toLatin1().constData(), 1);
    ASSERT_TRUE(db.commit().ok());
    const data::DriveMapping mapping = store->dbs().mapping();
    store->dbs().closeAll();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        data::Databases dbs{mapping};
        state::SharedState cs;
        cs.documentYear = 2026;
        cs.documentNumber = 5;
        int n = 0;
        documents::appendToOrder(dbs.open(kWork), cs, kToday, documents::OrderAppendRows::department("T"),
                                 [&](int) {
                                     if (++n == 1000)
                                         _exit(9); // the program killed halfway
                                 });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    db = store->open(kWork);
    EXPECT_EQ(db.query("SELECT * FROM ordine").recordCount(), 2000);
    EXPECT_EQ(document(5).size(), 2);
    EXPECT_EQ(lastOrder(10), "null@");
    EXPECT_EQ(lastOrder(20), "null@");
}

MARBO_ON_EACH_ENGINE(OrderAppend);

// The step of each line and where the bar ends, for runs of several lengths;
// a value above 1100 starts again from 0.
TEST(Progress, StepAndFinalValue) {
    struct Case {
        int lines, step, final;
    } cases[] = {
        {7, 143, 1001}, {2, 500, 1000}, {1, 1000, 1000}, {3, 333, 999},  {16, 62, 992},
        {80, 12, 960},  {400, 2, 800},  {2000, 0, 0},    {1500, 1, 399}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const int step = documents::progressStep(c.lines);
        EXPECT_EQ(step, c.step);
        int value = 0;
        for (int i = 0; i < c.lines; ++i)
            value = documents::progressAdvance(value, step);
        EXPECT_EQ(value, c.final);
    }
    // A bar that goes on from where it was (a second run in the same dialog).
    EXPECT_EQ(documents::progressAdvance(1000, 1000), 0);
    EXPECT_EQ(documents::progressAdvance(1000, 100), 1100);
}

} // namespace
