#include "data/sqlite_functions.h"

#include "data/decimal.h"

#include <QString>
#include <cstdint>
#include <sqlite3.h>
#include <string_view>

namespace data {

namespace {

int rtrimmedLength(const char* s, int n) {
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return n;
}

inline unsigned char asciiLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

// Case-insensitive, trailing-blank-insensitive order. ASCII runs compare byte by
// byte; from the first non-ASCII character on, Unicode case folding decides.
int compareText(void*, int n1, const void* p1, int n2, const void* p2) {
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    n1 = rtrimmedLength(reinterpret_cast<const char*>(a), n1);
    n2 = rtrimmedLength(reinterpret_cast<const char*>(b), n2);
    const int n = n1 < n2 ? n1 : n2;
    int i = 0;
    for (; i < n; ++i) {
        if ((a[i] | b[i]) & 0x80)
            break;
        const unsigned char x = asciiLower(a[i]);
        const unsigned char y = asciiLower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i == n && !(i < n1 && (a[i] & 0x80)) && !(i < n2 && (b[i] & 0x80)))
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    // Back up to the start of the UTF-8 character, then compare the rest folded.
    while (i > 0 && ((a[i] & 0xC0) == 0x80))
        --i;
    const QString sa = QString::fromUtf8(reinterpret_cast<const char*>(a + i), n1 - i);
    const QString sb = QString::fromUtf8(reinterpret_cast<const char*>(b + i), n2 - i);
    const int r = sa.compare(sb, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// LIKE with '%' and '_' and an optional escape character, case folded. Greedy
// matching that backs up to the last '%': time bounded by pattern x text length.
inline int code(char c) {
    return static_cast<unsigned char>(c);
}
inline int code(QChar c) {
    return c.unicode();
}

template <typename Str, typename Fold> bool likeMatch(const Str& p, const Str& s, int esc, Fold fold) {
    const qsizetype pn = p.size(), sn = s.size();
    qsizetype pi = 0, si = 0, star = -1, mark = 0;
    while (si < sn) {
        if (pi < pn) {
            const auto c = p[pi];
            if (esc >= 0 && code(c) == esc && pi + 1 < pn) {
                if (fold(p[pi + 1]) == fold(s[si])) {
                    pi += 2;
                    ++si;
                    continue;
                }
            } else if (code(c) == '%') {
                star = pi++;
                mark = si;
                continue;
            } else if (code(c) == '_' || fold(c) == fold(s[si])) {
                ++pi;
                ++si;
                continue;
            }
        }
        if (star < 0)
            return false;
        pi = star + 1;
        si = ++mark;
    }
    while (pi < pn && code(p[pi]) == '%')
        ++pi;
    return pi == pn;
}

bool isAscii(const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] & 0x80)
            return false;
    return true;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const auto* pat = sqlite3_value_text(argv[0]);
    const int pn = sqlite3_value_bytes(argv[0]);
    const auto* str = sqlite3_value_text(argv[1]);
    const int sn = sqlite3_value_bytes(argv[1]);
    int esc = -1;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])),
                                            sqlite3_value_bytes(argv[2]));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e.at(0).unicode();
    }
    bool match;
    if (isAscii(pat, pn) && isAscii(str, sn)) {
        const std::string_view p(reinterpret_cast<const char*>(pat), pn);
        const std::string_view s(reinterpret_cast<const char*>(str), sn);
        match = likeMatch(p, s, esc, [](char c) { return asciiLower(static_cast<unsigned char>(c)); });
    } else {
        const QString p = QString::fromUtf8(reinterpret_cast<const char*>(pat), pn);
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(str), sn);
        match = likeMatch(p, s, esc, [](QChar c) { return c.toCaseFolded(); });
    }
    sqlite3_result_int(ctx, match ? 1 : 0);
}

// The decimal a value stands for: whole numbers exactly, reals at `places`.
std::optional<Decimal> decimalOf(sqlite3_value* v, int places) {
    switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 n = sqlite3_value_int64(v);
        if (n > INT64_MAX / Decimal::kScale || n < -(INT64_MAX / Decimal::kScale))
            return std::nullopt;
        return Decimal::fromUnits(n * Decimal::kScale);
    }
    case SQLITE_FLOAT:
        return Decimal::fromDouble(sqlite3_value_double(v), places);
    case SQLITE_NULL:
        return Decimal();
    default:
        return Decimal(); // a text that is no number counts as 0, as in SQL arithmetic
    }
}

void addFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int places = sqlite3_value_int(argv[2]);
    const auto a = decimalOf(argv[0], places);
    const auto b = decimalOf(argv[1], places);
    const auto sum = a && b ? *a + *b : std::nullopt;
    if (!sum) {
        sqlite3_result_error(ctx, kOutOfRange, -1);
        return;
    }
    sqlite3_result_double(ctx, sum->rounded(places).toDouble());
}

struct ExactSum {
    __int128 units = 0; // ten-thousandths
    bool any = false;
    bool real = false;
    bool bad = false;
};

void sumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* s = static_cast<ExactSum*>(sqlite3_aggregate_context(ctx, sizeof(ExactSum)));
    if (!s)
        return;
    const int type = sqlite3_value_numeric_type(argv[0]);
    if (type == SQLITE_NULL)
        return;
    s->any = true;
    if (type == SQLITE_INTEGER) {
        s->units += __int128(sqlite3_value_int64(argv[0])) * Decimal::kScale;
    } else if (type == SQLITE_FLOAT) {
        s->real = true;
        if (const auto d = Decimal::fromDouble(sqlite3_value_double(argv[0]), Decimal::kDecimals))
            s->units += d->units();
        else
            s->bad = true;
    } else {
        s->real = true; // a text that is no number adds nothing
    }
}

void sumFinal(sqlite3_context* ctx) {
    auto* s = static_cast<ExactSum*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->any) {
        sqlite3_result_null(ctx);
        return;
    }
    constexpr __int128 kLimit = __int128(INT64_MAX);
    if (!s->real) {
        const __int128 whole = s->units / Decimal::kScale;
        if (whole > kLimit || whole < -kLimit)
            sqlite3_result_error(ctx, "integer overflow", -1);
        else
            sqlite3_result_int64(ctx, std::int64_t(whole));
        return;
    }
    if (s->bad || s->units > kLimit || s->units < -kLimit) {
        sqlite3_result_error(ctx, kOutOfRange, -1);
        return;
    }
    sqlite3_result_double(ctx, Decimal::fromUnits(std::int64_t(s->units)).toDouble());
}

} // namespace

int registerSqliteFunctions(sqlite3* db) {
    // A double-quoted name that is no column must be an error, not a text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    int rc = sqlite3_create_collation(db, kTextCollation, SQLITE_UTF8, nullptr, compareText);
    if (rc != SQLITE_OK)
        return rc;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    rc = sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_create_function(db, "marbo_add", 3, flags, nullptr, addFunction, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    return sqlite3_create_function(db, "sum", 1, flags, nullptr, nullptr, sumStep, sumFinal);
}

} // namespace data
