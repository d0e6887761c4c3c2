// Translation of the screens' query texts into each engine's SQL.
#include "data/dialect.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using data::Engine;
using data::translate;

namespace {

struct Case {
    const char* desktop;
    const char* sqlite;
    const char* postgres;
    QVariantList values;
};

class DialectCases : public ::testing::TestWithParam<Case> {};

TEST_P(DialectCases, TranslatesForBothEngines) {
    const Case& c = GetParam();
    const auto s = translate(QString::fromUtf8(c.desktop), Engine::Sqlite);
    const auto p = translate(QString::fromUtf8(c.desktop), Engine::Postgres);
    ASSERT_TRUE(s.error.ok()) << qPrintable(s.error.message());
    EXPECT_EQ(s.sql.toStdString(), std::string(c.sqlite));
    EXPECT_EQ(p.sql.toStdString(), std::string(c.postgres));
    EXPECT_EQ(s.values, c.values);
    EXPECT_EQ(p.values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, DialectCases,
    ::testing::Values(
        // Square-bracketed names, aliases keeping their case, the empty text as two double quotes.
        Case{"SELECT [codfornitore] as Codice,[dscfornitore] as Descrizione FROM fornitori  WHERE "
             "dscfornitore  >=\"\" "
             "ORDER BY [dscfornitore]",
             "SELECT \"codfornitore\" as \"Codice\",\"dscfornitore\" as \"Descrizione\" FROM \"fornitori\" "
             "WHERE "
             "\"dscfornitore\" >=? ORDER BY \"dscfornitore\"",
             "SELECT \"codfornitore\" as \"Codice\",\"dscfornitore\" as \"Descrizione\" FROM \"fornitori\" "
             "WHERE "
             "\"dscfornitore\" >=? ORDER BY \"dscfornitore\" NULLS FIRST",
             {QString()}},
        // A direction glued to the closing bracket; an alias referred to later keeps its case;
        // Nulls come first going up and last going down on both engines.
        Case{"SELECT descrizione as Descr FROM inventario ORDER BY [descrizione]DESC, Descr",
             "SELECT \"descrizione\" as \"Descr\" FROM \"inventario\" ORDER BY \"descrizione\" DESC, "
             "\"Descr\"",
             "SELECT \"descrizione\" as \"Descr\" FROM \"inventario\" ORDER BY \"descrizione\" DESC NULLS "
             "LAST, \"Descr\" NULLS FIRST",
             {}},
        // Aliases name output columns only: a column spelt like an alias stays the column outside
        // ORDER BY (a WHERE cannot see an alias on PostgreSQL).
        Case{"SELECT [descrizione] as Descrizione FROM inventario WHERE [descrizione] >= 'b' and "
             "descrizione <> 'c' ORDER BY [descrizione]",
             "SELECT \"descrizione\" as \"Descrizione\" FROM \"inventario\" WHERE \"descrizione\" >= ? and "
             "\"descrizione\" <> ? ORDER BY \"Descrizione\"",
             "SELECT \"descrizione\" as \"Descrizione\" FROM \"inventario\" WHERE \"descrizione\" >= ? and "
             "\"descrizione\" <> ? ORDER BY \"Descrizione\" NULLS FIRST",
             {QStringLiteral("b"), QStringLiteral("c")}},
        // like with * and ?, literal % and _ escaped; PostgreSQL folds case with ILIKE.
        Case{"SELECT * FROM codean WHERE  eanare  like '*80_1%?*'",
             "SELECT * FROM \"codean\" WHERE \"eanare\" LIKE ? ESCAPE '\\' ORDER BY \"marbo_rid\"",
             "SELECT * FROM \"codean\" WHERE \"eanare\" ILIKE ? ESCAPE '\\' ORDER BY \"marbo_rid\"",
             {QStringLiteral("%80\\_1\\%_%")}},
        // A pattern with a plain prefix also bounds the column, so the index serves it.
        Case{"SELECT * FROM codean WHERE  eanare  like '2001234*' or trim(desart) like 'x*'",
             "SELECT * FROM \"codean\" WHERE (\"eanare\" LIKE ? ESCAPE '\\' AND \"eanare\" >= ? AND "
             "\"eanare\" < ?) "
             "or trim(\"desart\") COLLATE MARBO LIKE ? ESCAPE '\\' ORDER BY \"marbo_rid\"",
             "SELECT * FROM \"codean\" WHERE (\"eanare\" ILIKE ? ESCAPE '\\' AND \"eanare\" >= ? AND "
             "\"eanare\" < ?) "
             "or CAST(trim(\"desart\") AS citext) ILIKE ? ESCAPE '\\' ORDER BY \"marbo_rid\"",
             {QStringLiteral("2001234%"), QStringLiteral("2001234"),
              QStringLiteral("2001234") + QChar(0xFFFF), QStringLiteral("x%")}},
        // trim() keeping the text-key rule, <>, text values bound without their trailing blanks,
        // a number compared with a name that is no column of the table kept.
        Case{"SELECT * FROM tipodoc WHERE trim(coddoc) <> 'INVENTARIO  ' and anno = 2026",
             "SELECT * FROM \"tipodoc\" WHERE trim(\"coddoc\") COLLATE MARBO <> ? and \"anno\" = 2026 "
             "ORDER BY \"marbo_rid\"",
             "SELECT * FROM \"tipodoc\" WHERE CAST(trim(\"coddoc\") AS citext) <> ? and \"anno\" = 2026 "
             "ORDER BY \"marbo_rid\"",
             {QStringLiteral("INVENTARIO")}},
        // A code compared with a whole-number column is bound; a number the column
        // cannot hold, a decimal column, a number in arithmetic and a join keep theirs.
        Case{"SELECT * FROM inventario WHERE oper = 3 and [codcasa]>=123456 and oper <> 40000 and "
             "codcasa = 1234567890 and quantita = 2 and codcasa = 1 + 2",
             "SELECT * FROM \"inventario\" WHERE \"oper\" = ? and \"codcasa\">=? and \"oper\" <> 40000 and "
             "\"codcasa\" = 1234567890 and \"quantita\" = 2 and \"codcasa\" = ? + 2 ORDER BY \"marbo_rid\"",
             "SELECT * FROM \"inventario\" WHERE \"oper\" = ? and \"codcasa\">=? and \"oper\" <> 40000 and "
             "\"codcasa\" = 1234567890 and \"quantita\" = 2 and \"codcasa\" = ? + 2 ORDER BY \"marbo_rid\"",
             {3, 123456, 1}},
        Case{"SELECT i.codcasa FROM inventario i, codean c WHERE c.codare = i.codcasa and i.oper = 3",
             "SELECT \"i\".\"codcasa\" FROM \"inventario\" \"i\", \"codean\" \"c\" WHERE "
             "\"c\".\"codare\" = \"i\".\"codcasa\" and \"i\".\"oper\" = 3",
             "SELECT \"i\".\"codcasa\" FROM \"inventario\" \"i\", \"codean\" \"c\" WHERE "
             "\"c\".\"codare\" = \"i\".\"codcasa\" and \"i\".\"oper\" = 3",
             {}},
        // Accented table names, doubled quotes inside a text, & joining texts, TOP.
        Case{"SELECT TOP 5 database & 'x''y' FROM società ",
             "SELECT \"database\" || ? FROM \"società\" ORDER BY \"marbo_rid\" LIMIT 5",
             "SELECT \"database\" || ? FROM \"società\" ORDER BY \"marbo_rid\" LIMIT 5",
             {QStringLiteral("x'y")}}));

TEST(Dialect, ValuesNeverBecomeSyntax) {
    // Whatever the operator typed, once quoted it is one bound value.
    const QStringList hostile{QStringLiteral("'"),
                              QStringLiteral("\""),
                              QStringLiteral("%"),
                              QStringLiteral("*"),
                              QStringLiteral("_"),
                              QStringLiteral("--"),
                              QStringLiteral("; DROP TABLE codean; --"),
                              QString(1000, QLatin1Char('9')),
                              QStringLiteral("àèìòù' OR '1'='1")};
    for (const QString& v : hostile) {
        const auto t = translate(QStringLiteral("SELECT * FROM inventario WHERE eanrig = ") +
                                     data::quoted(v) + QStringLiteral(" and oper = 1"),
                                 Engine::Sqlite);
        ASSERT_TRUE(t.error.ok()) << qPrintable(v);
        EXPECT_EQ(
            t.sql,
            QStringLiteral(
                "SELECT * FROM \"inventario\" WHERE \"eanrig\" = ? and \"oper\" = ? ORDER BY \"marbo_rid\""));
        ASSERT_EQ(t.values.size(), 2);
        EXPECT_EQ(t.values.at(1), QVariant(1));
        EXPECT_EQ(t.values.at(0).toString(), v.trimmed() == v ? v : v);
    }
}

TEST(Dialect, RefusesWhatCannotBeOneQuery) {
    for (const char* bad :
         {"SELECT * FROM codean; DELETE FROM codean", "SELECT * FROM codean WHERE eanare = 'open",
          "SELECT * FROM [codean", "SELECT * FROM codean WHERE codare = 12abc",
          "SELECT * FROM codean WHERE codare = 1 ` 2"}) {
        const auto t = translate(QString::fromUtf8(bad), Engine::Sqlite);
        EXPECT_EQ(t.error.kind, data::Error::Kind::BadQuery) << bad;
    }
    // A closing semicolon is harmless; two minus signs never open a comment.
    EXPECT_TRUE(translate(QStringLiteral("SELECT * FROM codean;"), Engine::Sqlite).error.ok());
    EXPECT_EQ(translate(QStringLiteral("SELECT * FROM codean WHERE codare = --1"), Engine::Sqlite).sql,
              QStringLiteral("SELECT * FROM \"codean\" WHERE \"codare\" = - -1 ORDER BY \"marbo_rid\""));
}

TEST(Dialect, TellsTheTableOfASimpleSelect) {
    auto t = translate(QStringLiteral("SELECT * FROM inventario WHERE oper =3"), Engine::Sqlite);
    EXPECT_TRUE(t.simpleSelect);
    EXPECT_EQ(t.table, QStringLiteral("inventario"));
    t = translate(QStringLiteral("SELECT sum(quantita) FROM inventario"), Engine::Sqlite);
    EXPECT_FALSE(t.simpleSelect);
    t = translate(QStringLiteral("SELECT * FROM codean, listi01 WHERE codare = codart"), Engine::Sqlite);
    EXPECT_FALSE(t.simpleSelect);
}

} // namespace
