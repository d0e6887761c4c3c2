// The supplier-document working lines under two handhelds at once, on both
// engines: each store is one write under its line's key, so two processes
// storing the same articles never make a second line nor lose a count.
#include "supplier_entry_store.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class SupplierLines : public OnEachEngine {
protected:
    // Runs two workers with the same arguments at once; both must end "ok".
    void runTwo(const QStringList& args) {
        const QString prefix = GetParam() == data::Engine::Sqlite
                                   ? QStringLiteral("-")
                                   : store->dbs().mapping().resolve(kSupplierEntryStore).server.schemaPrefix;
        QStringList all{args.at(0), store->root(), prefix, kSupplierEntryStore};
        all << args.mid(1);
        QProcess a, b;
        a.start(QStringLiteral(MARBO_LINES_WORKER), all);
        b.start(QStringLiteral(MARBO_LINES_WORKER), all);
        ASSERT_TRUE(a.waitForFinished(180000) && b.waitForFinished(180000));
        EXPECT_EQ(QString::fromUtf8(a.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
        EXPECT_EQ(QString::fromUtf8(b.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
    }
};

TEST_P(SupplierLines, TwoHandheldsAtOnceMakeOneLinePerKeyAndLoseNothing) {
    const data::Database db = makeSupplierEntryStore(*store);
    runTwo({QStringLiteral("receipt"), QStringLiteral("2"), QStringLiteral("100")});
    runTwo({QStringLiteral("returns"), QStringLiteral("60")});

    // Goods receipt: both handhelds added to the operator's one line of each article.
    EXPECT_EQ(db.scalarNative(QStringLiteral("SELECT count(*) FROM carico WHERE oper = ?"), {2}).toInt(), 21);
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM carico WHERE oper = 2"));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const int code = rs.value("codcasa").toInt();
        SCOPED_TRACE(code);
        EXPECT_EQ(*rs.decimal("colli"),
                  code == 123 ? data::Decimal::fromInt(200) : data::Decimal::fromInt(1));
        EXPECT_EQ(*rs.decimal("quantita"),
                  code == 123 ? data::Decimal::fromInt(1200) : data::Decimal::fromInt(1));
    }
    // Returns: one line per EAN, and one for the article without an EAN.
    EXPECT_EQ(db.scalarNative(QStringLiteral("SELECT count(*) FROM resi"), {}).toInt(), 21);
    EXPECT_EQ(
        db.scalarNative(QStringLiteral("SELECT count(DISTINCT eanrig) FROM resi WHERE codcasa = ?"), {123})
            .toInt(),
        20);
    data::Recordset byCode = db.query(QStringLiteral("SELECT * FROM resi WHERE codcasa = 789"));
    ASSERT_EQ(byCode.recordCount(), 1);
    EXPECT_EQ(*byCode.decimal("quantita"), *(data::Decimal::fromInt(4) * *byCode.decimal("colli")));
}

MARBO_ON_EACH_ENGINE(SupplierLines);

} // namespace
