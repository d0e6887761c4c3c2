// The data layer on a real database: the same suite runs on SQLite and, when a
// server is given (MARBO_TEST_PG), on PostgreSQL.
#include "data/recordset.h"
#include "data/table.h"
#include "data/table_model.h"
#include "test_store.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>

using data::Engine;
using data::Error;
using testing_support::addRow;
using testing_support::TestStore;

namespace {

const QString kStore = QStringLiteral("t:\\marbo\\dati.mdb");

class Engines : public testing_support::OnEachEngine {
protected:
    void SetUp() override {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        db = store->create(kStore, data::schema::StoreDb | data::schema::WorkDb | data::schema::Settings);
        ASSERT_TRUE(db.ok());
        // One article under two EANs, another under one, one EAN row with Nulls.
        addRow(db, "codean", {"eanare", "8001234567890", "codare", 123, "desart", "PASTA GR.500"});
        addRow(db, "codean", {"eanare", "8009876543217", "codare", 123, "desart", "PASTA GR.500 B"});
        addRow(db, "codean", {"eanare", "2001234000004", "codare", 77, "desart", "PROSCIUTTO"});
        addRow(db, "listi01",
               {"codart", 123, "desart", "PASTA SEMOLA GR.500", "przpub", 0.89, "ivart", "04"});
        addRow(db, "listi01", {"codart", 77, "desart", "Prosciutto crudo", "przpub", 12.5});
        addRow(db, "tipodoc", {"coddoc", "INVENTARIO", "numeratore", "IN"});
        addRow(db, "numeri", {"codutente", 1, "tipo", "IN", "anno", 2026, "ultnum", 41});
        for (int oper : {1, 2})
            for (int cod : {123, 77})
                addRow(db, "inventario",
                       {"codcasa", cod, "oper", oper, "eanrig",
                        cod == 123 ? "8001234567890" : "2001234000004", "descrizione",
                        cod == 123 ? "PASTA SEMOLA" : "PROSCIUTTO", "quantita", cod * oper});
    }
    data::Database db;
};

MARBO_ON_EACH_ENGINE(Engines);

TEST_P(Engines, SeekHitMissAndFirstRowOfANonUniqueIndex) {
    data::Table codean = db.table("codean");
    ASSERT_TRUE(codean.setIndex("keyean"));
    EXPECT_TRUE(codean.seek(QStringLiteral("8009876543217")));
    EXPECT_FALSE(codean.noMatch());
    EXPECT_EQ(codean.value("codare").toInt(), 123);
    EXPECT_FALSE(codean.seek(QStringLiteral("0000000000000")));
    EXPECT_TRUE(codean.noMatch());
    EXPECT_FALSE(codean.hasRow());
    EXPECT_TRUE(codean.ok());

    // An article with two EAN rows: the seek by article code gives the first.
    ASSERT_TRUE(codean.setIndex("codare"));
    ASSERT_TRUE(codean.seek(123));
    EXPECT_EQ(codean.value("eanare").toString(), QStringLiteral("8001234567890"));

    // A key the column cannot hold finds nothing and is no engine error.
    EXPECT_FALSE(codean.seek(QStringLiteral("abc")));
    EXPECT_TRUE(codean.noMatch());
    EXPECT_TRUE(codean.ok());
}

TEST_P(Engines, NullIsNeitherZeroNorEmptyAndAddLeavesUnsetFieldsNull) {
    addRow(db, "codean", {"eanare", "1111111111111", "codare", 0, "desart", ""});
    data::Table codean = db.table("codean");
    codean.setIndex("keyean");
    ASSERT_TRUE(codean.seek(QStringLiteral("1111111111111")));
    EXPECT_FALSE(codean.isNull("codare"));
    EXPECT_EQ(codean.value("codare").toInt(), 0);
    EXPECT_FALSE(codean.isNull("desart"));
    EXPECT_EQ(codean.value("desart").toString(), QString());
    EXPECT_TRUE(codean.isNull("taglia"));
    EXPECT_TRUE(codean.isNull("prezzo"));
    EXPECT_TRUE(codean.isNull("flagean"));

    // Edit keeps what was not set; a Null written stays Null.
    ASSERT_TRUE(codean.edit());
    codean.setValue("desart", QVariant());
    codean.setValue("neti", 3);
    ASSERT_TRUE(codean.update()) << qPrintable(codean.error().detail);
    ASSERT_TRUE(codean.seek(QStringLiteral("1111111111111")));
    EXPECT_TRUE(codean.isNull("desart"));
    EXPECT_EQ(codean.value("neti").toInt(), 3);
    EXPECT_EQ(codean.value("codare").toInt(), 0);
}

TEST_P(Engines, PaddedAndCaseDifferentKeysFindTheStoredKey) {
    data::Recordset tipodoc = db.query("SELECT * FROM tipodoc");
    for (const char* key : {"INVENTARIO  ", "inventario", "Inventario", "INVENTARIO"}) {
        EXPECT_TRUE(tipodoc.findFirst(QStringLiteral("coddoc = '%1'").arg(QString::fromUtf8(key)))) << key;
        EXPECT_EQ(tipodoc.value("numeratore").toString(), QStringLiteral("IN"));
    }
    EXPECT_FALSE(tipodoc.findFirst("coddoc = 'INVENTARI'"));

    data::Table codean = db.table("codean");
    codean.setIndex("keyean");
    addRow(db, "codean", {"eanare", "ABCDÈ", "codare", 5});
    EXPECT_TRUE(codean.seek(QStringLiteral("abcdè        ")));
    EXPECT_EQ(codean.value("codare").toInt(), 5);
}

TEST_P(Engines, EveryCriterionFormOfTheScreens) {
    struct Case {
        const char* query;
        const char* criterion;
        bool found;
        const char* field;
        QVariant expected;
    } cases[] = {
        {"SELECT * FROM inventario WHERE oper =1", "codcasa = 77 and oper = 1", true, "quantita", 77.0},
        {"SELECT * FROM inventario WHERE oper =2", "eanrig = '8001234567890' and oper = 2", true, "quantita",
         246.0},
        {"SELECT * FROM inventario", "eanrig = '8001234567890' and oper = 3", false, nullptr, {}},
        {"SELECT * FROM numeri", "codutente = 1 and tipo= 'IN' and anno= 2026", true, "ultnum", 41},
        {"SELECT * FROM numeri", "codutente = 1 and tipo= 'IN' and anno= 2025", false, nullptr, {}},
        {"SELECT * FROM inventario", "codcasa=  123 and  oper = 1 ", true, "descrizione", "PASTA SEMOLA"},
    };
    for (const Case& c : cases) {
        data::Recordset rs = db.query(QString::fromUtf8(c.query));
        EXPECT_EQ(rs.findFirst(QString::fromUtf8(c.criterion)), c.found) << c.criterion;
        EXPECT_EQ(rs.noMatch(), !c.found);
        EXPECT_TRUE(rs.ok()) << qPrintable(rs.error().detail);
        if (c.found) {
            const QVariant v = rs.value(QString::fromUtf8(c.field));
            if (c.expected.typeId() == QMetaType::Double)
                EXPECT_DOUBLE_EQ(v.toDouble(), c.expected.toDouble()) << c.criterion;
            else
                EXPECT_EQ(v.toString(), c.expected.toString()) << c.criterion;
        }
    }
}

TEST_P(Engines, FoundRowIsEditedAndWalkingDeletesAsItGoes) {
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    ASSERT_TRUE(numeri.edit());
    ASSERT_TRUE(numeri.setValue("ultnum", 42));
    ASSERT_TRUE(numeri.update());
    EXPECT_EQ(db.query("SELECT * FROM numeri").value("ultnum").toInt(), 42);

    data::Recordset inv = db.query("SELECT * FROM inventario WHERE oper = 1");
    EXPECT_EQ(inv.recordCount(), 2);
    int seen = 0;
    inv.moveFirst();
    while (!inv.eof()) {
        ++seen;
        ASSERT_TRUE(inv.remove());
        inv.moveNext();
    }
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(inv.recordCount(), 0);
    EXPECT_EQ(db.query("SELECT * FROM inventario").recordCount(), 2);
    EXPECT_EQ(db.query("SELECT * FROM inventario WHERE oper = 1").recordCount(), 0);

    data::Recordset all = db.query("SELECT * FROM inventario ORDER BY [quantita]DESC");
    all.moveLast();
    EXPECT_DOUBLE_EQ(all.value("quantita").toDouble(), 154.0);
    all.moveFirst();
    EXPECT_DOUBLE_EQ(all.value("quantita").toDouble(), 246.0);
    all.moveNext();
    all.moveNext();
    EXPECT_TRUE(all.eof());
}

TEST_P(Engines, DialectConstructsOnRealRows) {
    struct Case {
        const char* query;
        int rows;
        const char* first; // first value of the first column, or nullptr
    } cases[] = {
        {"SELECT desart FROM codean WHERE desart like '*pasta*' ORDER BY [desart]DESC", 2, "PASTA GR.500 B"},
        {"SELECT desart FROM listi01 WHERE desart like 'prosc*'", 1, "Prosciutto crudo"},
        {"SELECT desart FROM listi01 WHERE desart like 'PROSCIUTTO?CRUDO'", 1, "Prosciutto crudo"},
        {"SELECT * FROM codean WHERE trim(desart) = 'PROSCIUTTO'", 1, nullptr},
        {"SELECT * FROM codean WHERE eanare <> '8001234567890'", 2, nullptr},
        {"SELECT * FROM codean WHERE desart >= \"\" ", 3, nullptr},
        {"SELECT [codare] as Codice FROM codean WHERE  eanare  like '*2001234*' ", 1, "77"},
        {"SELECT * FROM codean WHERE desart like '*100%*'", 0, nullptr},
    };
    for (const Case& c : cases) {
        data::Recordset rs = db.query(QString::fromUtf8(c.query));
        EXPECT_EQ(rs.recordCount(), c.rows) << c.query << " " << qPrintable(rs.error().detail);
        if (c.first && rs.recordCount() > 0)
            EXPECT_EQ(rs.value(0).toString(), QString::fromUtf8(c.first)) << c.query;
    }
}

TEST_P(Engines, GridHeadersKeepTheAliases) {
    addRow(db, "fornitori", {"codfornitore", 2, "dscfornitore", "Zeta Distribuzione"});
    addRow(db, "fornitori", {"codfornitore", 1, "dscfornitore", "alfa Alimentari"});
    data::TableModel model;
    ASSERT_TRUE(model
                    .setDesktopQuery(
                        db, "SELECT [codfornitore] as Codice,[dscfornitore] as Descrizione FROM fornitori  "
                            "WHERE dscfornitore  >=\"\" ORDER BY [dscfornitore]")
                    .ok());
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Codice"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descrizione"));
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("alfa Alimentari"));

    // SELECT * shows the table's fields, not the row identity.
    ASSERT_TRUE(model.setDesktopQuery(db, "SELECT * FROM tipodoc").ok());
    for (int c = 0; c < model.columnCount(); ++c)
        EXPECT_NE(model.headerData(c, Qt::Horizontal).toString(), QString::fromLatin1(data::schema::kRowId));
}

TEST_P(Engines, AccentedTableName) {
    addRow(db, "società", {"database", "c:\\marbo\\dati.mdb"});
    data::Recordset rs = db.query("SELECT * FROM società ");
    ASSERT_TRUE(rs.ok()) << qPrintable(rs.error().detail);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value("database").toString(), QStringLiteral("c:\\marbo\\dati.mdb"));
}

TEST_P(Engines, HostileValuesGiveTheRightRowsOrNone) {
    const QString longText(1000, QLatin1Char('x'));
    addRow(db, "codean", {"eanare", "O'BRIEN%_*", "codare", 9, "desart", "l'olio \"extra\" 100% -- ; àè"});
    const QStringList values{
        QStringLiteral("'"),  QStringLiteral("\""),          QStringLiteral("%"),         QStringLiteral("*"),
        QStringLiteral("_"),  QStringLiteral("--"),          QStringLiteral(";"),         longText,
        QStringLiteral("àè"), QStringLiteral("' OR '1'='1"), QStringLiteral("O'BRIEN%_*")};
    data::Table codean = db.table("codean");
    codean.setIndex("keyean");
    for (const QString& v : values) {
        const bool isKey = v == QLatin1String("O'BRIEN%_*");
        // As a key.
        EXPECT_EQ(codean.seek(v), isKey) << qPrintable(v.left(20));
        EXPECT_TRUE(codean.ok()) << qPrintable(codean.error().detail);
        // As a criterion.
        data::Recordset rs = db.query("SELECT * FROM codean");
        EXPECT_EQ(rs.findFirst("eanare = " + data::quoted(v)), isKey) << qPrintable(v.left(20));
        EXPECT_TRUE(rs.ok()) << qPrintable(rs.error().detail);
        // As a search text.
        data::Recordset like =
            db.query("SELECT * FROM codean WHERE desart like " + data::quoted("*" + v + "*"));
        const int expected = (v == "'" || v == "\"" || v == "%" || v == "--" || v == ";" || v == "àè") ? 1
                             : v == "*"                                                                ? 4
                                                                                                       : 0;
        EXPECT_EQ(like.recordCount(), expected) << qPrintable(v.left(20));
        EXPECT_TRUE(like.ok()) << qPrintable(like.error().detail);
    }
}

TEST_P(Engines, AFailureInsideATransactionLeavesTheDatabaseAsItWas) {
    ASSERT_TRUE(db.begin().ok());
    addRow(db, "invte", {"anno", 2026, "num", 42});
    data::Recordset numeri = db.query("SELECT * FROM numeri");
    ASSERT_TRUE(numeri.findFirst("codutente = 1 and tipo= 'IN' and anno= 2026"));
    numeri.edit();
    numeri.setValue("ultnum", 42);
    ASSERT_TRUE(numeri.update());
    // Halfway, a write the table cannot take.
    data::Table codean = db.table("codean");
    codean.addNew();
    EXPECT_FALSE(codean.setValue("codare", QStringLiteral("non un numero")));
    EXPECT_EQ(codean.error().kind, Error::Kind::BadValue);
    const Error fail = db.execute("INSERT INTO nonesiste (a) VALUES (1)");
    EXPECT_EQ(fail.kind, Error::Kind::MissingTable);
    ASSERT_TRUE(db.rollback().ok());

    EXPECT_EQ(db.query("SELECT * FROM invte").recordCount(), 0);
    EXPECT_EQ(db.query("SELECT * FROM numeri").value("ultnum").toInt(), 41);
}

TEST_P(Engines, MissingThingsAreNamedInTheError) {
    const data::Database none = store->open(QStringLiteral("t:\\marbo\\nonce.mdb"));
    EXPECT_FALSE(none.ok());
    EXPECT_EQ(none.error().kind, Error::Kind::MissingFile);
    EXPECT_TRUE(none.error().message().contains(QStringLiteral("nonce.mdb")));
    // Operations on a missing database report it, never crash.
    EXPECT_EQ(none.query("SELECT * FROM codean").recordCount(), 0);
    EXPECT_FALSE(none.table("codean").seek(1));

    data::Table t = db.table("tabella_che_non_c_e");
    EXPECT_EQ(t.error().kind, Error::Kind::MissingTable);
    EXPECT_TRUE(t.error().message().contains(QStringLiteral("tabella_che_non_c_e")));

    data::Recordset q = db.query("SELECT * FROM nessuna");
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.error().kind, Error::Kind::MissingTable);
    EXPECT_EQ(q.error().subject, QStringLiteral("nessuna"));

    data::Table codean = db.table("codean");
    codean.setIndex("keyean");
    codean.seek(QStringLiteral("8001234567890"));
    EXPECT_TRUE(codean.value("campo_assente").isNull());
    EXPECT_EQ(codean.error().kind, Error::Kind::MissingField);
    EXPECT_FALSE(codean.setIndex("indice_assente"));
    EXPECT_EQ(codean.error().kind, Error::Kind::MissingIndex);

    data::Recordset f = db.query("SELECT * FROM codean WHERE campo_assente = 1");
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(f.error().kind, Error::Kind::MissingField);
    EXPECT_TRUE(f.error().message().contains(QStringLiteral("campo_assente")));
}

TEST_P(Engines, ValuesTheColumnCannotHold) {
    data::Table t = db.table("codean");
    t.addNew();
    EXPECT_FALSE(t.setValue("eanare", QString(14, QLatin1Char('1')))); // longer than 13
    EXPECT_EQ(t.error().kind, Error::Kind::BadValue);
    EXPECT_FALSE(t.setValue("codare", 1e12));
    EXPECT_TRUE(t.setValue("eanare", QStringLiteral("1234567890123")));
    EXPECT_TRUE(t.setValue("codare", QStringLiteral(" 42 ")));
    EXPECT_TRUE(t.update());
}

TEST(Databases, ConnectionIsReusedAndAReplacedPathTakesEffect) {
    TestStore store;
    store.create(kStore, data::schema::StoreDb);
    store.create(QStringLiteral("t:\\altro\\dati.mdb"), data::schema::StoreDb);
    data::Database a = store.open(QStringLiteral("T:\\MARBO\\DATI.MDB"));
    data::Database b = store.open(kStore);
    EXPECT_EQ(a.connection(), b.connection());
    data::Database c = store.open(QStringLiteral("t:\\altro\\dati.mdb"));
    EXPECT_NE(a.connection(), c.connection());
    // A file removed under the program is reported at the next operation.
    QFile::remove(store.root() + QStringLiteral("/t/altro/dati.mdb"));
    EXPECT_EQ(store.open(QStringLiteral("t:\\altro\\dati.mdb")).error().kind, Error::Kind::MissingFile);
}

TEST(DriveMapping, PathsBecomeLocations) {
    data::DriveMapping m(QStringLiteral("/data"));
    EXPECT_EQ(m.resolve(QStringLiteral("c:\\marbo\\dati.mdb")).file,
              QStringLiteral("/data/c/marbo/dati.mdb"));
    EXPECT_EQ(m.resolve(QStringLiteral("D:\\Marbo\\BancaCodean.mdb")).file,
              QStringLiteral("/data/d/marbo/bancacodean.mdb"));
    // No drive: the current drive.
    EXPECT_EQ(m.resolve(QStringLiteral("\\vesk\\marbo.mdb")).file, QStringLiteral("/data/c/vesk/marbo.mdb"));
    // Nothing outside the data root, whatever the path says.
    EXPECT_EQ(m.resolve(QStringLiteral("c:\\..\\..\\etc\\passwd")).file,
              QStringLiteral("/data/c/etc/passwd"));
    EXPECT_FALSE(m.resolve(QString()).valid());
    EXPECT_EQ(data::DriveMapping::drivePrefix(QStringLiteral("d: [DATI]")), QStringLiteral("d:"));

    data::PgServer pg;
    pg.database = QStringLiteral("negozio");
    m.mapToPostgres(QLatin1Char('S'), pg);
    const auto loc = m.resolve(QStringLiteral("s:\\marbo\\dati.mdb"));
    EXPECT_EQ(loc.engine, Engine::Postgres);
    EXPECT_EQ(loc.schema, QStringLiteral("marbo_dati"));
    EXPECT_TRUE(m.drives().contains(QStringLiteral("s:")));
}

} // namespace
