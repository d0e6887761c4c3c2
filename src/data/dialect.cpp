#include "data/dialect.h"

#include "data/engine.h"
#include "data/schema.h"

#include <QDate>
#include <QHash>
#include <QSet>

#include <optional>

namespace data {

namespace {

enum class Tok { Space, Word, Bracket, Text, Date, Number, Symbol, End };

struct Token {
    Tok type;
    QString text;
};

bool isIdentStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isIdentPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Splits the text; returns false on an unterminated literal or name.
bool tokenize(const QString& s, QList<Token>& out, QString& bad) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            while (i < n && s.at(i).isSpace())
                ++i;
            out.push_back({Tok::Space, QStringLiteral(" ")});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString v;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s.at(i) == c) {
                    if (i + 1 < n && s.at(i + 1) == c) {
                        v += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                v += s.at(i++);
            }
            if (!closed) {
                bad = QStringLiteral("testo non chiuso");
                return false;
            }
            out.push_back({Tok::Text, v});
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = s.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0) {
                bad = QStringLiteral("nome non chiuso");
                return false;
            }
            out.push_back({Tok::Bracket, s.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == QLatin1Char('#')) {
            const qsizetype end = s.indexOf(QLatin1Char('#'), i + 1);
            if (end < 0) {
                bad = QStringLiteral("data non chiusa");
                return false;
            }
            out.push_back({Tok::Date, s.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s.at(i + 1).isDigit())) {
            const qsizetype start = i;
            while (i < n && (s.at(i).isDigit() || s.at(i) == QLatin1Char('.')))
                ++i;
            if (i < n && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E')) && i + 1 < n &&
                (s.at(i + 1).isDigit() ||
                 ((s.at(i + 1) == QLatin1Char('+') || s.at(i + 1) == QLatin1Char('-')) && i + 2 < n &&
                  s.at(i + 2).isDigit()))) {
                i += 2;
                while (i < n && s.at(i).isDigit())
                    ++i;
            }
            QString num = s.mid(start, i - start);
            if (num.count(QLatin1Char('.')) > 1) {
                bad = num;
                return false;
            }
            // A number glued to a name ("12abc") is not a number.
            if (i < n && isIdentStart(s.at(i))) {
                bad = s.mid(start, qMin<qsizetype>(i - start + 10, 40));
                return false;
            }
            out.push_back({Tok::Number, num});
        } else if (isIdentStart(c)) {
            const qsizetype start = i;
            while (i < n && isIdentPart(s.at(i)))
                ++i;
            out.push_back({Tok::Word, s.mid(start, i - start)});
        } else {
            static const QStringList two{QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                         QStringLiteral("!=")};
            const QString pair = s.mid(i, 2);
            if (two.contains(pair)) {
                out.push_back({Tok::Symbol, pair});
                i += 2;
            } else if (QStringLiteral("=<>(),*+-/&.;").contains(c)) {
                out.push_back({Tok::Symbol, QString(c)});
                ++i;
            } else {
                bad = QString(c);
                return false;
            }
        }
    }
    return true;
}

const QSet<QString>& keywords() {
    static const QSet<QString> k{
        "select",   "from",     "where",  "and",   "or",     "not",    "like",        "order",  "by",
        "asc",      "desc",     "as",     "is",    "null",   "in",     "between",     "group",  "having",
        "distinct", "top",      "insert", "into",  "values", "update", "set",         "delete", "join",
        "inner",    "left",     "right",  "outer", "on",     "union",  "all",         "exists", "true",
        "false",    "count",    "sum",    "max",   "min",    "avg",    "trim",        "ltrim",  "rtrim",
        "upper",    "lower",    "ucase",  "lcase", "len",    "mid",    "distinctrow", "abs",    "round",
        "int",      "coalesce", "nz",     "cint",  "clng",   "cdbl",   "val"};
    return k;
}

QDate parseDesktopDate(const QString& t) {
    const QString s = t.trimmed();
    QDate d = QDate::fromString(s, Qt::ISODate);
    if (d.isValid())
        return d;
    // The desktop dialect writes date literals month first.
    for (const char* f : {"M/d/yyyy", "M/d/yy", "M-d-yyyy"}) {
        d = QDate::fromString(s, QString::fromLatin1(f));
        if (d.isValid()) {
            if (d.year() < 1930)
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

QString rtrimmed(const QString& v) {
    qsizetype end = v.size();
    while (end > 0 && v.at(end - 1) == QLatin1Char(' '))
        --end;
    return v.left(end);
}

} // namespace

QString quoted(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString ident(const QString& name) {
    QString v = name;
    v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

QString likePattern(const QString& p) {
    QString out;
    out.reserve(p.size() + 4);
    for (QChar c : p) {
        switch (c.unicode()) {
        case '*':
            out += QLatin1Char('%');
            break;
        case '?':
            out += QLatin1Char('_');
            break;
        case '%':
        case '_':
        case '\\':
            out += QLatin1Char('\\');
            out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

Translated translate(const QString& text, Engine engine, const QStringList& fieldNames,
                     const QString& criterionTable) {
    Translated t;
    const detail::EngineQuirks& quirks = detail::quirks(engine);
    QList<Token> toks;
    QString bad;
    if (!tokenize(text, toks, bad)) {
        // Neither the query nor what the operator typed goes to the message.
        t.error = Error::make(Error::Kind::BadQuery, {}, bad + QStringLiteral(" | ") + text.left(200));
        return t;
    }

    // Aliases name output columns: they are found first so that an ORDER BY
    // that names one keeps its case (the grid headers show it). Anywhere else
    // a name is the table's column, even when an alias spells it the same.
    QHash<QString, QString> aliases;
    {
        QString prev;
        for (const Token& k : toks) {
            if (k.type == Tok::Space)
                continue;
            if (prev == QLatin1String("as") && (k.type == Tok::Word || k.type == Tok::Bracket)) {
                aliases.insert(k.text.toLower(), k.text);
                t.aliases << k.text;
            }
            prev = k.type == Tok::Word ? k.text.toLower() : QString();
        }
    }
    // The fields of the rows a criterion is applied to (a find in a query's rows).
    QHash<QString, QString> fields;
    for (const QString& f : fieldNames)
        fields.insert(f.toLower(), f);

    QString sql;
    sql.reserve(text.size() + 16);
    QString limit;
    QString prevWord; // lower-cased previous significant keyword
    bool afterFrom = false;
    int fromTables = 0;
    bool complex = false;
    bool isSelect = false;
    bool first = true;
    bool ordered = false;
    int depth = 0; // parentheses open
    // ORDER BY: the depth it stands at (-1 outside one), and whether the item
    // in hand goes down.
    int orderDepth = -1;
    bool itemDescending = false;
    // Text functions open at these depths, with where their name begins.
    struct TextFunction {
        int depth;
        qsizetype at;
    };
    std::vector<TextFunction> textFunctions;
    bool textFunctionNext = false;
    qsizetype textFunctionAt = -1;
    // Where the last name stands in the output, when LIKE follows it directly.
    qsizetype lastNamePos = -1, lastNameLen = 0;
    qsizetype likeOperandPos = -1, likeOperandLen = 0;
    // The column a comparison operator follows directly ("codart ="), and the
    // last token when it was a column name.
    QString comparedColumn, lastColumn;

    auto put = [&sql](const QString& piece) {
        // Never let two symbols form a comment ("--" or "/*").
        if (!sql.isEmpty() && !piece.isEmpty()) {
            const QChar last = sql.back();
            const QChar next = piece.front();
            if ((last == QLatin1Char('-') && next == QLatin1Char('-')) ||
                (last == QLatin1Char('/') && next == QLatin1Char('*')) ||
                (last == QLatin1Char('*') && next == QLatin1Char('/')) ||
                (last == QLatin1Char('"') && next.isLetter()))
                sql += QLatin1Char(' ');
        }
        sql += piece;
    };
    // The end of an ORDER BY item: Nulls first going up, last going down.
    auto endOrderItem = [&] {
        const QString nulls = quirks.nullsOrder(itemDescending);
        itemDescending = false;
        if (nulls.isEmpty())
            return;
        while (sql.endsWith(QLatin1Char(' ')))
            sql.chop(1);
        sql += nulls;
    };

    // The value of a whole number compared with a whole-number column of the
    // one table read, when the column can hold it (a value it cannot hold
    // stays in the text: the comparison then finds nothing, as before, instead
    // of failing on the bound value).
    auto wholeOperand = [&](const QString& column, const QString& number) -> std::optional<int> {
        // An output name of the rows (an alias) is no column of the table.
        if (column.isEmpty() || number.size() > 9 || fields.contains(column))
            return std::nullopt;
        const QString table = fromTables == 1 ? t.table : fromTables == 0 ? criterionTable : QString();
        if (table.isEmpty())
            return std::nullopt;
        for (QChar c : number)
            if (!c.isDigit())
                return std::nullopt;
        const schema::Table* layout = schema::table(table);
        const schema::Field* f = layout ? layout->field(column) : nullptr;
        if (!f || (f->kind != schema::Kind::Int16 && f->kind != schema::Kind::Int32))
            return std::nullopt;
        const int v = number.toInt();
        if (f->kind == schema::Kind::Int16 && v > 32767)
            return std::nullopt;
        return v;
    };

    for (qsizetype i = 0; i < toks.size(); ++i) {
        const Token& k = toks.at(i);
        if (k.type != Tok::Space && textFunctionNext &&
            !(k.type == Tok::Symbol && k.text == QLatin1String("(")))
            textFunctionNext = false; // a name, not a call
        if (k.type != Tok::Space) {
            const bool comparison = k.type == Tok::Symbol && !lastColumn.isEmpty() &&
                                    (k.text == QLatin1String("=") || k.text == QLatin1String("<>") ||
                                     k.text == QLatin1String("<") || k.text == QLatin1String(">") ||
                                     k.text == QLatin1String("<=") || k.text == QLatin1String(">=") ||
                                     k.text == QLatin1String("!="));
            if (k.type != Tok::Number)
                comparedColumn = comparison ? lastColumn : QString();
            lastColumn.clear();
        }
        switch (k.type) {
        case Tok::Space:
            if (!sql.isEmpty() && !sql.endsWith(QLatin1Char(' ')))
                sql += QLatin1Char(' ');
            break;
        case Tok::Text: {
            if (prevWord == QLatin1String("like")) {
                // A pattern that begins with plain characters also bounds the
                // column to that prefix, so the engine seeks the index instead
                // of matching every row.
                qsizetype plain = 0;
                while (plain < k.text.size() && !QStringLiteral("*?[#").contains(k.text.at(plain)))
                    ++plain;
                if (plain > 0 && likeOperandPos >= 0) {
                    const QString operand = sql.mid(likeOperandPos, likeOperandLen);
                    sql.insert(likeOperandPos, QLatin1Char('('));
                    const QString prefix = k.text.left(plain);
                    t.values << likePattern(k.text) << prefix << prefix + QChar(0xFFFF);
                    put(QStringLiteral("? ESCAPE '\\' AND %1 >= ? AND %1 < ?)").arg(operand));
                } else {
                    t.values << likePattern(k.text);
                    put(QStringLiteral("? ESCAPE '\\'"));
                }
            } else {
                QString v = rtrimmed(k.text);
                if (v.isNull())
                    v = QStringLiteral(""); // the empty text, not Null
                t.values << v;
                put(QStringLiteral("?"));
            }
            prevWord.clear();
            break;
        }
        case Tok::Date: {
            const QDate d = parseDesktopDate(k.text);
            if (!d.isValid()) {
                t.error =
                    Error::make(Error::Kind::BadQuery, {}, QLatin1Char('#') + k.text + QLatin1Char('#'));
                return t;
            }
            t.values << d;
            put(QStringLiteral("?"));
            prevWord.clear();
            break;
        }
        case Tok::Number:
            if (prevWord == QLatin1String("top")) {
                // "SELECT TOP n ..." becomes "SELECT ... LIMIT n".
                limit = k.text;
                const qsizetype at = sql.lastIndexOf(QStringLiteral("top"), -1, Qt::CaseInsensitive);
                if (at >= 0)
                    sql.truncate(at);
            } else if (const auto whole = wholeOperand(comparedColumn, k.text)) {
                // A code compared with a whole-number column is bound too, so
                // that the statement text stays the same from one code to the
                // next and is prepared once.
                t.values << *whole;
                put(QStringLiteral("?"));
            } else {
                put(k.text);
            }
            comparedColumn.clear();
            prevWord.clear();
            break;
        case Tok::Bracket:
        case Tok::Word: {
            const QString low = k.text.toLower();
            const bool bracket = k.type == Tok::Bracket;
            if (!bracket && keywords().contains(low)) {
                // Is it used as a function, a keyword, or (rarely) as a plain name?
                if (first && low == QLatin1String("select"))
                    isSelect = true;
                first = false;
                if (low == QLatin1String("order"))
                    ordered = true;
                if (low == QLatin1String("by") && prevWord == QLatin1String("order")) {
                    orderDepth = depth;
                    itemDescending = false;
                }
                if (orderDepth == depth && (low == QLatin1String("desc") || low == QLatin1String("asc")))
                    itemDescending = low == QLatin1String("desc");
                if (low == QLatin1String("from")) {
                    afterFrom = true;
                } else if (low == QLatin1String("where") || low == QLatin1String("order") ||
                           low == QLatin1String("group")) {
                    afterFrom = false;
                }
                if (low == QLatin1String("join") || low == QLatin1String("group") ||
                    low == QLatin1String("distinct") || low == QLatin1String("union") ||
                    low == QLatin1String("distinctrow") || low == QLatin1String("having"))
                    complex = true;
                if (low == QLatin1String("union") && orderDepth == depth) {
                    endOrderItem();
                    orderDepth = -1;
                }
                const bool textFunction = low == QLatin1String("trim") || low == QLatin1String("ltrim") ||
                                          low == QLatin1String("rtrim") || low == QLatin1String("ucase") ||
                                          low == QLatin1String("lcase") || low == QLatin1String("upper") ||
                                          low == QLatin1String("lower") || low == QLatin1String("mid");
                if (textFunction) {
                    textFunctionNext = true;
                    textFunctionAt = sql.size();
                }
                if (low == QLatin1String("like")) {
                    qsizetype end = sql.size();
                    while (end > 0 && sql.at(end - 1) == QLatin1Char(' '))
                        --end;
                    likeOperandPos =
                        (lastNamePos >= 0 && lastNamePos + lastNameLen == end) ? lastNamePos : -1;
                    likeOperandLen = lastNameLen;
                    put(quirks.like());
                } else if (low == QLatin1String("ucase")) {
                    put(QStringLiteral("upper"));
                } else if (low == QLatin1String("lcase")) {
                    put(QStringLiteral("lower"));
                } else if (low == QLatin1String("len")) {
                    put(QStringLiteral("length"));
                } else if (low == QLatin1String("mid")) {
                    put(QStringLiteral("substr"));
                } else if (low == QLatin1String("nz")) {
                    put(QStringLiteral("coalesce"));
                } else if (low == QLatin1String("distinctrow")) {
                    put(QStringLiteral("DISTINCT"));
                } else {
                    put(k.text);
                }
                if (textFunction && textFunctionAt < sql.size() && sql.at(textFunctionAt) == QLatin1Char(' '))
                    ++textFunctionAt; // the blank put before the name
                if (low == QLatin1String("count") || low == QLatin1String("sum") ||
                    low == QLatin1String("max") || low == QLatin1String("min") || low == QLatin1String("avg"))
                    complex = true;
                prevWord = low;
                break;
            }
            first = false;
            QString name;
            if (prevWord == QLatin1String("as")) {
                name = ident(k.text); // alias: keeps its case
            } else if (auto f = fields.constFind(low); f != fields.constEnd()) {
                name = ident(*f);
            } else if (auto a = aliases.constFind(low); orderDepth >= 0 && a != aliases.constEnd()) {
                name = ident(*a);
            } else {
                name = ident(low);
            }
            if (afterFrom) {
                // The tables after FROM; a comma or a second name means a join.
                if (t.table.isEmpty())
                    t.table = low;
                else if (low != t.table)
                    ++fromTables;
                ++fromTables;
            }
            if (!afterFrom)
                lastColumn = low;
            const bool qualified = sql.endsWith(QLatin1Char('.')) && lastNamePos >= 0 &&
                                   lastNamePos + lastNameLen + 1 == sql.size();
            put(name);
            if (qualified) {
                lastNameLen = sql.size() - lastNamePos; // table.column
            } else {
                lastNamePos = sql.size() - name.size();
                lastNameLen = name.size();
            }
            prevWord.clear();
            break;
        }
        case Tok::Symbol: {
            const QString& s = k.text;
            if (s == QLatin1String(";")) {
                // Only a closing semicolon is accepted: one text, one statement.
                for (qsizetype j = i + 1; j < toks.size(); ++j) {
                    if (toks.at(j).type != Tok::Space) {
                        t.error =
                            Error::make(Error::Kind::BadQuery, {}, QStringLiteral("; | ") + text.left(200));
                        return t;
                    }
                }
                i = toks.size();
                break;
            }
            if (s == QLatin1String("(")) {
                if (textFunctionNext)
                    textFunctions.push_back({depth, textFunctionAt});
                textFunctionNext = false;
                ++depth;
            } else if (s == QLatin1String(")")) {
                if (orderDepth == depth) {
                    endOrderItem(); // the ORDER BY of a subquery ends here
                    orderDepth = -1;
                }
                --depth;
            } else if (s == QLatin1String(",") && orderDepth == depth) {
                endOrderItem();
            }
            if (s == QLatin1String("&"))
                put(QStringLiteral("||"));
            else if (s == QLatin1String("!="))
                put(QStringLiteral("<>"));
            else
                put(s);
            if (s == QLatin1String(")") && !textFunctions.empty() && textFunctions.back().depth == depth) {
                // The text a function returns compares as a text key too.
                const qsizetype at = textFunctions.back().at;
                textFunctions.pop_back();
                sql = sql.left(at) + quirks.textResult(sql.mid(at));
                lastNamePos = -1;
            }
            if (afterFrom && s == QLatin1String(","))
                complex = true;
            prevWord.clear();
            break;
        }
        case Tok::End:
            break;
        }
    }
    while (sql.endsWith(QLatin1Char(' ')))
        sql.chop(1);
    if (orderDepth >= 0)
        endOrderItem();
    t.simpleSelect = isSelect && !complex && fromTables == 1 && !t.table.isEmpty();
    // Without ORDER BY the rows come in the order the table holds them, as the
    // screens expect, whatever index the engine picks.
    if (t.simpleSelect && !ordered)
        sql += QStringLiteral(" ORDER BY ") + ident(QLatin1String(schema::kRowId));
    if (!limit.isEmpty())
        sql += QStringLiteral(" LIMIT ") + limit;
    t.sql = sql;
    if (fromTables != 1)
        t.table = fromTables == 0 ? QString() : t.table;
    return t;
}

} // namespace data
