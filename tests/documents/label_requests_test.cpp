// Shelf-label requests on both engines: which rows a request marks and with
// which numbers, the total of labels to print, cancelling the selection, and
// two handhelds marking rows at once.
#include "data/table.h"
#include "documents/label_requests.h"
#include "test_store.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <limits>

using namespace testing_support;
using data::Decimal;

namespace {

const QString kStore = QStringLiteral("c:\\marbo\\dati.mdb");

// What a test reads back of an EAN row.
struct Marks {
    QString flagean, sta_eti;
    std::optional<Decimal> neti;
    QVariant taglia;
};

class LabelRequests : public OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create(kStore, data::schema::StoreDb);
        // Article 123 with two EANs (the first row first), article 45 with one.
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123, "taglia", 7});
        addRow(db, "codean", {"eanare", "8009999999991", "codare", 123});
        addRow(db, "codean", {"eanare", "0000000012345", "codare", 45});
    }
    Marks marks(const QString& ean) {
        data::Table t = db.table("codean");
        t.setIndex("keyean");
        EXPECT_TRUE(t.seek(ean)) << qPrintable(ean);
        return {t.value("flagean").toString(), t.value("sta_eti").toString(), t.decimal("neti"),
                t.value("taglia")};
    }
    documents::LabelRequest request(int code, const QString& ean, Decimal count, int counter = 0) {
        const auto r = documents::requestLabels(db, code, ean, count, counter);
        EXPECT_TRUE(r.error.ok()) << qPrintable(r.error.message()) << " | " << qPrintable(r.error.detail);
        return r;
    }
    Decimal total() {
        data::Error e;
        const auto t = documents::labelsToPrint(db, &e);
        EXPECT_TRUE(e.ok()) << qPrintable(e.message());
        return t.value_or(Decimal::fromInt(-1));
    }
    data::Database db;
};

TEST_P(LabelRequests, ARequestMarksTheFirstCodeRowThenTheScannedOne) {
    // The scanned EAN is not the article's first code row: two rows, two numbers.
    auto r = request(123, "8009999999991", Decimal::fromInt(1));
    EXPECT_EQ(r.marked, 2);
    EXPECT_EQ(r.sequence, 9);
    Marks first = marks("8001234567890"), scanned = marks("8009999999991");
    EXPECT_EQ(first.flagean, "S");
    EXPECT_EQ(first.sta_eti, "S");
    EXPECT_EQ(first.neti, Decimal::fromInt(1));
    EXPECT_EQ(first.taglia.toInt(), 8);
    EXPECT_EQ(scanned.flagean, "S");
    EXPECT_EQ(scanned.sta_eti, "S");
    EXPECT_EQ(scanned.taglia.toInt(), 9);
    EXPECT_EQ(total(), Decimal::fromInt(2));

    // The first code row scanned itself is marked twice and keeps the later
    // number; asked again, its count is replaced, not added to.
    r = request(123, "8001234567890", *Decimal::fromText(u"2.5", 3));
    EXPECT_EQ(r.marked, 2);
    EXPECT_EQ(r.sequence, 11);
    first = marks("8001234567890");
    EXPECT_EQ(first.taglia.toInt(), 11);
    EXPECT_EQ(first.neti, Decimal::fromText(u"2.5"));
    EXPECT_EQ(marks("8009999999991").taglia.toInt(), 9);
    EXPECT_EQ(total(), *Decimal::fromText(u"3.5"));

    // Without an article code only the EAN's row; an EAN not in codean marks nothing.
    EXPECT_EQ(request(0, "0000000012345", Decimal::fromInt(1)).marked, 1);
    EXPECT_EQ(marks("0000000012345").taglia.toInt(), 12);
    r = request(45, "2100000012503", Decimal::fromInt(1));
    EXPECT_EQ(r.marked, 1);
    EXPECT_EQ(marks("0000000012345").taglia.toInt(), 13);
    EXPECT_EQ(request(0, "8000000000000", Decimal::fromInt(1)).marked, 0);
}

TEST_P(LabelRequests, NumbersContinueFromTheTableOrFromTheScreensCounter) {
    // The screen's counter counts only when it is ahead of the table.
    EXPECT_EQ(request(0, "8009999999991", Decimal::fromInt(1), 3).sequence, 8);
    EXPECT_EQ(request(0, "0000000012345", Decimal::fromInt(1), 20).sequence, 21);
    data::Error e;
    EXPECT_EQ(documents::highestLabelSequence(db, &e), 21);

    // A table where no row has a number yet: the counter goes on from where it was.
    ASSERT_TRUE(db.execute("UPDATE codean SET taglia = Null").ok());
    EXPECT_EQ(documents::highestLabelSequence(db, &e), std::nullopt);
    EXPECT_TRUE(e.ok());
    EXPECT_EQ(request(0, "8009999999991", Decimal::fromInt(1), 0).sequence, 1);
}

TEST_P(LabelRequests, ARequestThatCannotNumberItsSecondMarkWritesNothing) {
    // The last number a row can hold goes to the first code row; the scanned
    // row cannot have one: the whole request is refused.
    ASSERT_TRUE(db.execute("UPDATE codean SET taglia = 2147483646 WHERE codare = 45").ok());
    const auto r = documents::requestLabels(db, 123, "8009999999991", Decimal::fromInt(1), 0);
    EXPECT_EQ(r.error.kind, data::Error::Kind::BadValue);
    EXPECT_EQ(r.marked, 0);
    EXPECT_EQ(r.sequence, 0);
    const Marks first = marks("8001234567890");
    EXPECT_EQ(first.taglia.toInt(), 7);
    EXPECT_EQ(first.sta_eti, "");
    EXPECT_FALSE(first.neti);
    EXPECT_EQ(marks("8009999999991").flagean, "");
}

TEST_P(LabelRequests, TheTotalCountsRowsToPrintAndCancellingKeepsThem) {
    EXPECT_EQ(total(), Decimal());
    request(123, "8009999999991", Decimal::fromInt(2));
    // A row marked by a sale price change has no count: it counts 0.
    ASSERT_TRUE(db.execute("UPDATE codean SET flagean = 'S', sta_eti = 'S' WHERE codare = 45").ok());
    // A count the row already had stays out while no label is asked for it.
    addRow(db, "codean", {"eanare", "8005555555555", "codare", 200, "neti", 9, "sta_eti", "N"});
    EXPECT_EQ(total(), Decimal::fromInt(4));

    ASSERT_TRUE(documents::cancelLabelSelection(db).ok());
    for (const char* ean : {"8001234567890", "8009999999991", "0000000012345"}) {
        const Marks m = marks(ean);
        EXPECT_EQ(m.flagean, "") << ean;
        EXPECT_EQ(m.sta_eti, "S") << ean;
    }
    EXPECT_EQ(marks("8009999999991").taglia.toInt(), 9);
    EXPECT_EQ(marks("8009999999991").neti, Decimal::fromInt(2));
    EXPECT_EQ(total(), Decimal::fromInt(4));
    // Nothing selected: nothing to do, no error.
    EXPECT_TRUE(documents::cancelLabelSelection(db).ok());
}

TEST_P(LabelRequests, TwoHandheldsMarkingAtOnceNeverShareANumberNorLoseAMark) {
    // 120 articles with two EANs each; each handheld scans the second EAN of
    // 60 of them, so every request marks two rows.
    ASSERT_TRUE(db.execute("DELETE FROM codean").ok());
    for (int i = 0; i < 120; ++i) {
        addRow(db, "codean",
               {"eanare", QStringLiteral("80100000%1").arg(i, 5, 10, QLatin1Char('0')), "codare", 1000 + i});
        addRow(db, "codean",
               {"eanare", QStringLiteral("80200000%1").arg(i, 5, 10, QLatin1Char('0')), "codare", 1000 + i});
    }
    const QString prefix = GetParam() == data::Engine::Sqlite
                               ? QStringLiteral("-")
                               : store->dbs().mapping().resolve(kStore).server.schemaPrefix;
    QProcess a, b;
    a.start(QStringLiteral(MARBO_LABEL_WORKER), {store->root(), prefix, kStore, "0", "60"});
    b.start(QStringLiteral(MARBO_LABEL_WORKER), {store->root(), prefix, kStore, "60", "60"});
    ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
    EXPECT_EQ(QString::fromUtf8(a.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    EXPECT_EQ(QString::fromUtf8(b.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));

    // 240 marks, numbered 1 to 240, one number per row, every row marked.
    auto scalar = [&](const char* sql) { return db.scalarNative(QString::fromLatin1(sql), {}).toInt(); };
    EXPECT_EQ(scalar("SELECT count(*) FROM codean WHERE flagean = 'S' AND sta_eti = 'S' AND neti = 1"), 240);
    EXPECT_EQ(scalar("SELECT count(DISTINCT taglia) FROM codean"), 240);
    EXPECT_EQ(scalar("SELECT min(taglia) FROM codean"), 1);
    EXPECT_EQ(scalar("SELECT max(taglia) FROM codean"), 240);
    // Each article's first row was marked just before its scanned row.
    EXPECT_EQ(scalar("SELECT count(*) FROM codean f JOIN codean s ON s.codare = f.codare "
                     "AND f.eanare < s.eanare WHERE s.taglia = f.taglia + 1"),
              120);
}

MARBO_ON_EACH_ENGINE(LabelRequests);

} // namespace
