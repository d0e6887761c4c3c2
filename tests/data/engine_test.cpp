// The data layer on a real database: the same suite runs on SQLite and, when a
// server is given (MARBO_TEST_PG), on PostgreSQL.
#include "data/recordset.h"
#include "data/table.h"
#include "data/table_model.h"
#include "test_store.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>
#include <tuple>

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

    // Native SQL compares text keys through the data layer's helper.
    EXPECT_EQ(db.scalarNative("SELECT count(*) FROM tipodoc WHERE coddoc = " + db.textKey("?"),
                              {QStringLiteral("inventario  ")})
                  .toInt(),
              1);
    EXPECT_EQ(db.scalarNative("SELECT count(*) FROM inventario i JOIN codean c ON c.eanare = " +
                                  db.textKey("substr(i.eanrig || '   ', 1, 16)") + " WHERE i.oper = ?",
                              {1})
                  .toInt(),
              2);
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
    addRow(db, "invte", {"anno", 2026, "numero", 42});
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

TEST_P(Engines, ARefusedValueWritesNothing) {
    // An existing line: a count the field cannot hold leaves its description,
    // price and count as they were.
    data::Table inv = db.table("inventario");
    ASSERT_TRUE(inv.setIndex("oper_code"));
    ASSERT_TRUE(inv.seek({1, 123}));
    ASSERT_TRUE(inv.edit());
    EXPECT_TRUE(inv.setValue("descrizione", "NUOVA"));
    EXPECT_TRUE(inv.setValue("prezzo", 9.99));
    EXPECT_FALSE(inv.setValue("quantita", QStringLiteral("99999999999999999999")));
    EXPECT_FALSE(inv.update());
    EXPECT_EQ(inv.error().kind, Error::Kind::BadValue);
    EXPECT_EQ(inv.error().subject, QStringLiteral("inventario.quantita"));
    EXPECT_TRUE(inv.error().message().contains(kStore));
    ASSERT_TRUE(inv.seek({1, 123}));
    EXPECT_EQ(inv.value("descrizione").toString(), QStringLiteral("PASTA SEMOLA"));
    EXPECT_TRUE(inv.isNull("prezzo"));
    EXPECT_EQ(inv.value("quantita").toDouble(), 123.0);

    // The same through a query's row.
    data::Recordset rs = db.query("SELECT * FROM inventario WHERE oper = 2");
    ASSERT_TRUE(rs.findFirst("codcasa = 77 and oper = 2"));
    ASSERT_TRUE(rs.edit());
    EXPECT_TRUE(rs.setValue("descrizione", "NUOVA"));
    EXPECT_FALSE(rs.setValue("quantita", 1e20));
    EXPECT_FALSE(rs.update());
    EXPECT_EQ(rs.error().kind, Error::Kind::BadValue);
    EXPECT_EQ(
        db.query("SELECT * FROM inventario WHERE oper = 2 and codcasa = 77").value("descrizione").toString(),
        QStringLiteral("PROSCIUTTO"));

    // A new row: nothing is added.
    data::Table t = db.table("codean");
    t.addNew();
    EXPECT_TRUE(t.setValue("desart", "NUOVO"));
    EXPECT_FALSE(t.setValue("eanare", QString(14, QLatin1Char('1')))); // longer than 13
    EXPECT_FALSE(t.setValue("codare", 1e12));
    EXPECT_FALSE(t.update());
    EXPECT_EQ(db.query("SELECT * FROM codean").recordCount(), 3);
    // The next row starts clean.
    t.addNew();
    EXPECT_TRUE(t.setValue("eanare", QStringLiteral("1234567890123")));
    EXPECT_TRUE(t.setValue("codare", QStringLiteral(" 42 ")));
    EXPECT_TRUE(t.update()) << qPrintable(t.error().detail);
    EXPECT_EQ(db.query("SELECT * FROM codean").recordCount(), 4);
}

TEST_P(Engines, AliasesNameOutputColumnsOnly) {
    // The line list's queries, whose aliases are spelt as their columns.
    const QString head = QStringLiteral(
        "SELECT [eanrig] as Ean,[descrizione] as Descrizione,[quantita] as Qta FROM inventario");
    const QString pasta = QStringLiteral("8001234567890"), ham = QStringLiteral("2001234000004");
    struct Case {
        QString query;
        QStringList eans;
    } cases[] = {
        {head + " WHERE oper = 1", {pasta, ham}},
        {head + " WHERE [descrizione] >= 'PR' ORDER BY [descrizione]", {ham, ham}},
        {head + " WHERE descrizione < 'PR' ORDER BY [descrizione]DESC", {pasta, pasta}},
        {head + " WHERE [eanrig] > '2001234000004' ORDER BY [eanrig]", {pasta, pasta}},
        {head + " ORDER BY [descrizione]ASC ", {pasta, pasta, ham, ham}},
    };
    for (const Case& c : cases) {
        data::Recordset rs = db.query(c.query);
        QStringList eans;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            eans << rs.value("Ean").toString();
        EXPECT_TRUE(rs.ok()) << qPrintable(c.query) << " " << qPrintable(rs.error().detail);
        EXPECT_EQ(eans, c.eans) << qPrintable(c.query);
        data::TableModel grid;
        EXPECT_TRUE(grid.setDesktopQuery(db, c.query).ok()) << qPrintable(c.query);
        EXPECT_EQ(grid.rowCount(), c.eans.size()) << qPrintable(c.query);
    }

    // The supplier orders list, and its find by the alias of [Numero].
    for (const auto& [year, number, name] :
         {std::tuple{2026, 12, "ALFA"}, std::tuple{2025, 12, "VECCHIO"}, std::tuple{2026, 13, "BETA"}})
        addRow(db, "testao",
               {"anno", year, "numero", number, "dscfornitore", name, "codfor", 3, "fl1ts", "A"});
    data::Recordset orders = db.query(
        "SELECT [Numero] as Num ,[Dscfornitore] As Fornitore,[DataCo], [fl1ts] as St,[anno],[commesso] "
        "FROM testao  WHERE fl1ts <> 'E'  and  codfor = 3 ORDER BY [numero]");
    ASSERT_TRUE(orders.findFirst("num=  12 and  anno = 2026 ")) << qPrintable(orders.error().detail);
    EXPECT_EQ(orders.value("Fornitore").toString(), QStringLiteral("ALFA"));
    EXPECT_EQ(orders.value("num").toInt(), 12);
    EXPECT_FALSE(orders.findFirst("num=  14 and  anno = 2026 "));
    EXPECT_TRUE(orders.ok()) << qPrintable(orders.error().detail);
}

TEST_P(Engines, TextFunctionsKeepTheTextKeyRule) {
    addRow(db, "listi01", {"codart", 5, "desart", "OLIO", "codafo", "Ab12"});
    struct Case {
        const char* criterion;
        int rows;
    } cases[] = {
        {"trim(codafo) = 'AB12'", 1},  {"trim(codafo) = 'ab12  '", 1}, {"ltrim(codafo) = 'aB12'", 1},
        {"ucase(codafo) = 'ab12'", 1}, {"trim(codafo) = 'AB1'", 0},    {"trim(codafo) like 'ab*'", 1},
    };
    for (const Case& c : cases) {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM listi01 WHERE ") + c.criterion);
        EXPECT_EQ(rs.recordCount(), c.rows) << c.criterion << " " << qPrintable(rs.error().detail);
    }
}

TEST_P(Engines, ATextIsNeverNullAndCarriesNoControlCharacters) {
    // What a screen writes into a text field, and what is stored.
    struct Case {
        const char* ean;
        QVariant written;
        bool null;
        const char* stored;
    } cases[] = {
        {"1000000000001", QVariant(QString()), false, ""}, // a null QString is the empty text
        {"1000000000002", QStringLiteral(""), false, ""},
        {"1000000000003", QStringLiteral("   "), false, ""},
        {"1000000000004", QVariant(), true, nullptr}, // only a null QVariant is Null
        {"1000000000005", QStringLiteral("OLIO\r\n\t"), false, "OLIO"},
        {"1000000000006", QString::fromUtf8("OL\0IO", 5), false, "OLIO"},
    };
    for (const Case& c : cases)
        addRow(db, "codean", {"eanare", c.ean, "codare", 9, "desart", c.written});
    data::Table codean = db.table("codean");
    codean.setIndex("keyean");
    int empty = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(codean.seek(QString::fromLatin1(c.ean)));
        EXPECT_EQ(codean.isNull("desart"), c.null) << c.ean;
        if (!c.null)
            EXPECT_EQ(codean.value("desart").toString(), QString::fromUtf8(c.stored)) << c.ean;
        empty += c.stored && !*c.stored;
    }
    EXPECT_EQ(db.query("SELECT * FROM codean WHERE desart = ''").recordCount(), empty);
    // Native statements bind the same way: flagean cleared to the empty text.
    ASSERT_TRUE(db.executeNative("UPDATE codean SET flagean = ? WHERE codare = ?", {QString(), 123}).ok());
    EXPECT_EQ(db.query("SELECT * FROM codean WHERE flagean = ''").recordCount(), 2);

    // A NUL typed into a key, a criterion or a search never cuts a statement.
    const QString withNul = QString::fromUtf8("800123456\0"
                                              "7890",
                                              14);
    EXPECT_TRUE(codean.seek(withNul));
    EXPECT_TRUE(codean.ok()) << qPrintable(codean.error().detail);
    data::Recordset rs = db.query("SELECT * FROM codean");
    EXPECT_TRUE(rs.findFirst("eanare = " + data::quoted(withNul))) << qPrintable(rs.error().detail);
    data::Recordset like = db.query("SELECT * FROM codean WHERE desart like " + data::quoted(withNul + "*"));
    EXPECT_EQ(like.recordCount(), 0);
    EXPECT_TRUE(like.ok()) << qPrintable(like.error().detail);
}

TEST_P(Engines, AFoundRowIsAlwaysTheCurrentRow) {
    data::Recordset inv = db.query("SELECT * FROM inventario WHERE oper = 1");
    for (inv.moveFirst(); !inv.eof(); inv.moveNext()) {
    }
    // A line stored on the same connection after the rows were walked.
    addRow(db, "inventario", {"codcasa", 55, "oper", 1, "eanrig", "8005555555555", "quantita", 7});
    ASSERT_TRUE(inv.findFirst("codcasa = 55 and oper = 1"));
    EXPECT_EQ(inv.value("codcasa").toInt(), 55);
    ASSERT_TRUE(inv.edit());
    ASSERT_TRUE(inv.setValue("quantita", 8));
    ASSERT_TRUE(inv.update());
    EXPECT_EQ(db.query("SELECT * FROM inventario WHERE codcasa = 55").value("quantita").toDouble(), 8.0);
    EXPECT_EQ(
        db.query("SELECT * FROM inventario WHERE codcasa = 123 and oper = 1").value("quantita").toDouble(),
        123.0);
    // A row among those walked, and walking on from the one found.
    ASSERT_TRUE(inv.findFirst("codcasa = 77 and oper = 1"));
    EXPECT_EQ(inv.value("codcasa").toInt(), 77);
    inv.moveNext();
    EXPECT_EQ(inv.value("codcasa").toInt(), 55);
    inv.moveNext();
    EXPECT_TRUE(inv.eof());
}

TEST_P(Engines, ADuplicateKeyIsItsOwnError) {
    addRow(db, "invte", {"anno", 2026, "numero", 42});
    data::Table invte = db.table("invte");
    invte.addNew();
    invte.setValue("anno", 2026);
    invte.setValue("numero", 42);
    EXPECT_FALSE(invte.update());
    const Error e = invte.error();
    EXPECT_EQ(e.kind, Error::Kind::Duplicate);
    EXPECT_EQ(e.subject, QStringLiteral("invte"));
    EXPECT_TRUE(e.message().contains(kStore)) << qPrintable(e.message());
    EXPECT_FALSE(e.message().contains(QLatin1String("INSERT"), Qt::CaseInsensitive))
        << qPrintable(e.message());
    const Error native = db.executeNative("INSERT INTO invte (anno, numero) VALUES (?, ?)", {2026, 42});
    EXPECT_EQ(native.kind, Error::Kind::Duplicate);
    EXPECT_EQ(native.subject, QStringLiteral("invte"));
}

TEST_P(Engines, NullsComeFirstGoingUpAndLastGoingDown) {
    ASSERT_TRUE(db.executeNative("UPDATE codean SET taglia = ? WHERE eanare = ?", {5, "8001234567890"}).ok());
    ASSERT_TRUE(db.executeNative("UPDATE codean SET taglia = ? WHERE eanare = ?", {2, "2001234000004"}).ok());
    struct Case {
        const char* query;
        QStringList eans;
    } cases[] = {
        {"SELECT * FROM codean order by taglia", {"8009876543217", "2001234000004", "8001234567890"}},
        {"SELECT * FROM codean order by [taglia]ASC, eanare",
         {"8009876543217", "2001234000004", "8001234567890"}},
        {"SELECT * FROM codean order by taglia DESC", {"8001234567890", "2001234000004", "8009876543217"}},
    };
    for (const Case& c : cases) {
        data::Recordset rs = db.query(c.query);
        QStringList eans;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            eans << rs.value("eanare").toString();
        EXPECT_EQ(eans, c.eans) << c.query;
    }
}

TEST_P(Engines, CountsAndTotalsAreExactDecimals) {
    // A working line: 0,1 added ten times, then -1, is exactly 0.
    data::Table line = db.table("inventario");
    line.setIndex("oper_code");
    line.addNew();
    line.setValue("oper", 5);
    line.setValue("codcasa", 1);
    ASSERT_TRUE(line.addTo("quantita", data::Decimal::fromUnits(1000)));
    ASSERT_TRUE(line.update());
    const auto add = [&](const char* amount) {
        ASSERT_TRUE(line.seek({5, 1}));
        ASSERT_TRUE(line.edit());
        ASSERT_TRUE(line.addTo("quantita", *data::Decimal::fromText(QString::fromLatin1(amount))));
        ASSERT_TRUE(line.update()) << qPrintable(line.error().detail);
    };
    for (int i = 0; i < 9; ++i)
        add("0.1");
    add("-1");
    EXPECT_EQ(line.value("quantita").toDouble(), 0.0); // as the engine returned it
    EXPECT_EQ(db.scalarNative("SELECT count(*) FROM inventario WHERE oper = ? AND quantita = 0", {5}).toInt(),
              1);

    // 0,3 three times through a query's row is 0,9; a value with binary residue is stored short.
    data::Recordset rs = db.query("SELECT * FROM inventario WHERE oper = 5");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(rs.findFirst("codcasa = 1 and oper = 5"));
        ASSERT_TRUE(rs.edit());
        ASSERT_TRUE(rs.addTo("quantita", *data::Decimal::fromText(u"0.3")));
        ASSERT_TRUE(rs.setValue("colli", 0.1 + 0.2));
        ASSERT_TRUE(rs.update()) << qPrintable(rs.error().detail);
    }
    EXPECT_EQ(rs.value("quantita").toDouble(), 0.9);
    const auto stored = db.rowNative("SELECT quantita, colli FROM inventario WHERE oper = ?", {5});
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at(0).toDouble(), 0.9);
    EXPECT_EQ(stored->at(1).toDouble(), 0.3);

    // Totals by aggregate: ten lines of 0,1 are 1, not 0.9999999999999999.
    for (int i = 0; i < 10; ++i)
        addRow(db, "inventario", {"oper", 6, "codcasa", 100 + i, "quantita", 0.1});
    data::Recordset total = db.query("SELECT sum([quantita]) as Tot FROM inventario WHERE oper = 6");
    EXPECT_EQ(total.value(0).toDouble(), 1.0);
    EXPECT_EQ(db.scalarNative("SELECT sum(codcasa) FROM inventario WHERE oper = ?", {6}).toLongLong(), 1045);

    // A quantity keeps three decimals, an amount four, an exact half going to the even one.
    data::Table other = db.table("inventario");
    other.addNew();
    other.setValue("oper", 7);
    other.setValue("quantita", 1.2345);
    other.setValue("prezzo", 1.23455);
    ASSERT_TRUE(other.update());
    const auto precise = db.rowNative("SELECT quantita, prezzo FROM inventario WHERE oper = ?", {7});
    ASSERT_TRUE(precise);
    EXPECT_EQ(precise->at(0).toDouble(), 1.234);
    EXPECT_EQ(precise->at(1).toDouble(), 1.2346);
}

TEST_P(Engines, ListCellsShowNumbersAsTheScreensDo) {
    // The second line as another program may have stored it, with binary residue.
    addRow(db, "inventario", {"oper", 8, "codcasa", 1, "eanrig", "1", "quantita", 0.5});
    ASSERT_TRUE(
        db.executeNative("INSERT INTO inventario (oper, codcasa, eanrig, quantita) VALUES (?, ?, ?, ?)",
                         {8, 2, "2", 0.8999999999999999})
            .ok());
    addRow(db, "inventario", {"oper", 8, "codcasa", 3, "eanrig", "3", "quantita", 1234.5});
    addRow(db, "inventario", {"oper", 8, "codcasa", 4, "eanrig", "4", "quantita", 2});
    data::TableModel grid;
    ASSERT_TRUE(grid.setDesktopQuery(db, "SELECT [eanrig] as Ean,[quantita] as Qta, codcasa FROM inventario "
                                         "WHERE oper = 8 ORDER BY [codcasa]")
                    .ok());
    QStringList cells;
    for (int r = 0; r < grid.rowCount(); ++r)
        cells << grid.index(r, 1).data().toString() + QLatin1Char('/') + grid.index(r, 2).data().toString();
    EXPECT_EQ(cells, QStringList({"0,5/1", "0,9/2", "1234,5/3", "2/4"}));
}

TEST_P(Engines, AWriteScopeWritesAllOrNothing) {
    const auto headers = [&] {
        QList<int> n;
        data::Recordset rs = db.query("SELECT * FROM invte ORDER BY numero");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            n << rs.value("numero").toInt();
        return n;
    };
    {
        data::WriteScope w(db);
        ASSERT_TRUE(w.ok()) << qPrintable(w.error().detail);
        addRow(db, "invte", {"anno", 2026, "numero", 1});
    } // ends without commit: rolled back
    EXPECT_EQ(headers(), QList<int>());
    {
        data::WriteScope w(db);
        addRow(db, "invte", {"anno", 2026, "numero", 1});
        EXPECT_TRUE(w.commit().ok());
    }
    {
        // After a failed statement the rest is refused with its error, and nothing is committed.
        data::WriteScope w(db);
        addRow(db, "invte", {"anno", 2026, "numero", 2});
        const QString insert = QStringLiteral("INSERT INTO invte (anno, numero) VALUES (?, ?)");
        EXPECT_EQ(db.executeNative(insert, {2026, 1}).kind, Error::Kind::Duplicate);
        EXPECT_EQ(db.executeNative(insert, {2026, 3}).kind, Error::Kind::Duplicate);
        EXPECT_EQ(w.commit().kind, Error::Kind::Duplicate);
    }
    EXPECT_EQ(headers(), QList<int>({1}));
    {
        // A scope inside another is a part of it that can fail on its own.
        data::WriteScope outer(db);
        addRow(db, "invte", {"anno", 2026, "numero", 4});
        {
            data::WriteScope inner(db);
            ASSERT_TRUE(inner.ok());
            addRow(db, "invte", {"anno", 2026, "numero", 5});
        }
        {
            data::WriteScope inner(db);
            EXPECT_EQ(db.executeNative("INSERT INTO invte (anno, numero) VALUES (?, ?)", {2026, 4}).kind,
                      Error::Kind::Duplicate);
            EXPECT_EQ(inner.commit().kind, Error::Kind::Duplicate);
        }
        {
            data::WriteScope inner(db);
            addRow(db, "invte", {"anno", 2026, "numero", 6});
            EXPECT_TRUE(inner.commit().ok());
        }
        EXPECT_TRUE(outer.commit().ok());
    }
    EXPECT_EQ(headers(), QList<int>({1, 4, 6}));
    EXPECT_FALSE(db.inTransaction());
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
