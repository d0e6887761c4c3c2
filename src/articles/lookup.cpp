#include "articles/lookup.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/pictures.h"
#include "articles/readings.h"
#include "data/dialect.h"
#include "data/recordset.h"

namespace articles {

using data::Database;
using data::Recordset;

LineQuery LookupProfile::lineQuery(const state::SharedState& s) const {
    if (!perOperator)
        return {linesTable, linesFilter.isEmpty() ? QString() : QStringLiteral(" WHERE ") + linesFilter};
    QString condition = QStringLiteral(" WHERE oper =") + QString::number(s.operatorNumber);
    if (!linesFilter.isEmpty())
        condition += QStringLiteral(" and ") + linesFilter;
    return {linesTable, condition};
}

namespace {

// The criterion of one line: the key, then the operator and the filter.
QString lineCriterion(const LookupProfile& p, const QString& key, const state::SharedState& s) {
    QString c = key;
    if (p.perOperator)
        c += QStringLiteral(" and oper = ") + QString::number(s.operatorNumber);
    if (!p.linesFilter.isEmpty())
        c += QStringLiteral(" and ") + p.linesFilter;
    return c;
}

} // namespace

QString LookupProfile::byCode(std::int32_t code, const state::SharedState& s) const {
    return lineCriterion(*this, QStringLiteral("codcasa = ") + QString::number(code), s);
}

QString LookupProfile::byEan(const QString& ean, const state::SharedState& s) const {
    return lineCriterion(*this, QStringLiteral("eanrig = ") + data::quoted(ean), s);
}

ArticleLookup::ArticleLookup(data::Databases& dbs, state::SharedState& state, LookupProfile profile)
    : dbs_(dbs)
    , state_(state)
    , profile_(std::move(profile)) {}

namespace {

// A whole article code from a field: digits only, within 32 bits; 0 otherwise.
std::int32_t codeOf(const QString& text) {
    if (!isDigitCode(text))
        return 0;
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok && v <= 2147483647 ? std::int32_t(v) : 0;
}

QString numberText(const QVariant& v) {
    return v.isNull() ? QString() : plainNumber(v.toDouble());
}

} // namespace

bool ArticleLookup::fillFromPriceList(EntryFields& f, const Database& db, std::int32_t code, double* przpub) {
    const auto listi = priceListRow(db, code, &error_);
    if (!listi)
        return false;
    f.descrw = listi->value(QStringLiteral("desart")).toString();
    f.codcasaw = QString::number(code);
    f.imballow = numberText(listi->value(QStringLiteral("imbart")));
    f.costow = picture(listi->value(QStringLiteral("cofart")).toDouble(), Picture::Amount6);
    *przpub = listi->value(QStringLiteral("przpub")).toDouble();
    f.prezzow = picture(*przpub, Picture::Amount6);
    return true;
}

ResolveResult ArticleLookup::resolveCode(EntryFields& f) {
    ResolveResult r;
    error_ = {};
    const data::ReadScope reading(dbs_.open(state_.*profile_.articlesPath));
    state_.ean = QString();
    if (f.eanw.isEmpty())
        return r;

    // An in-store code of a weighed article carries its price: the weight
    // bought is that price over the price per kilo.
    if (const auto prefix = priceCarryingPrefix(f.eanw)) {
        state_.articleCode = 0;
        const Database db = dbs_.open(state_.*profile_.articlesPath);
        // The in-store prefix begins the EAN of the weighed article's row.
        Recordset rs = db.query(QStringLiteral("SELECT * FROM codean WHERE  eanare  like ") +
                                data::quoted(*prefix + QLatin1Char('*')));
        if (!rs.eof())
            state_.articleCode = std::int32_t(rs.value(QStringLiteral("codare")).toLongLong());
        else if (!rs.ok()) {
            error_ = rs.error();
            r.end = LookupEnd::DatabaseError;
            return r;
        }
        if (state_.articleCode != 0) {
            const QString t = f.eanw.trimmed();
            double przpub = 0;
            if (!fillFromPriceList(f, db, state_.articleCode, &przpub)) {
                r.focusEan = true;
                r.end = error_ ? LookupEnd::DatabaseError : LookupEnd::NoPriceListRow;
                return r;
            }
            if (f.quanw.isEmpty())
                f.quanw = QStringLiteral("1");
            if (przpub != 0)
                f.quanw = plainNumber(roundHalfEven(embeddedPrice(t) / przpub, 3));
            r.end = LookupEnd::Shown;
            r.focusQuantity = !f.descrw.startsWith(QLatin1String("????")) && !f.descrw.trimmed().isEmpty();
            return r;
        }
        // No article has that prefix: an ordinary EAN.
    }

    state_.ean = QString();
    state_.articleCode = 0;
    // A new code: nothing of the article shown before may stay in the fields,
    // or a store after an unknown code would go to that article.
    f.codcasaw.clear();
    f.imballow.clear();
    f.costow.clear();
    f.prezzow.clear();
    f.qinvw.clear();
    if (f.eanw.size() == 12)
        f.eanw.prepend(QLatin1Char('0'));
    const QString t = f.eanw.trimmed();
    const Database db = dbs_.open(state_.*profile_.articlesPath);
    bool sought = false;
    if (isDigitCode(t)) {
        bool ok = false;
        const qulonglong x = t.toULongLong(&ok);
        if (ok && x < 999999999ULL) {
            // A short internal article code, tried as typed, then without its
            // last digit, then without its last two (a check digit typed along).
            for (const qulonglong code : {x, x / 10, x / 100}) {
                if (const auto ean = eanOfCode(db, qlonglong(code), &error_)) {
                    state_.articleCode = std::int32_t(code);
                    state_.ean = *ean;
                    f.eanw = state_.ean;
                    sought = true;
                    break;
                }
                if (error_) {
                    // A read that fails is no article missing: said, not guessed.
                    r.end = LookupEnd::DatabaseError;
                    return r;
                }
            }
        }
    }
    if (!sought) {
        // An EAN: digits written with 13 figures. Anything else (letters,
        // wildcards, more than 13 digits) is no EAN of ours.
        if (const auto e = ean13FromDigits(t)) {
            state_.ean = *e;
            const auto code = codeOfEan(db, state_.ean.text(), &error_);
            if (code)
                state_.articleCode = *code;
            else if (error_) {
                r.end = LookupEnd::DatabaseError;
                return r;
            }
            resolved_ = KnownEan{state_.ean.text(), code};
        } else {
            f.descrw = kNoArticle;
            r.end = LookupEnd::NotInCodean;
            r.resetColours = true;
            return r;
        }
    }
    r.end = anagr(f);
    resolved_.reset();
    if (f.descrw.startsWith(QLatin1String("????")))
        r.resetColours = true;
    r.focusQuantity = !f.descrw.startsWith(QLatin1String("????")) && !f.descrw.trimmed().isEmpty();
    return r;
}

LookupEnd ArticleLookup::anagr(EntryFields& f) {
    error_ = {};
    f.eanw = state_.ean.text();
    const Database db = dbs_.open(state_.*profile_.articlesPath);
    if (!db.ok()) {
        error_ = db.error();
        return LookupEnd::DatabaseError;
    }
    const data::ReadScope reading(db);
    const Database linesDb = dbs_.open(state_.*profile_.linesPath);
    Recordset lines = linesDb.query(profile_.lineQuery(state_).rows());

    if (!f.codcasaw.isEmpty()) {
        state_.articleCode = codeOf(f.codcasaw);
        if (lines.findFirst(profile_.byCode(state_.articleCode, state_))) {
            const QVariant q = lines.value(QStringLiteral("quantita"));
            if (!q.isNull())
                f.qinvw = numberText(q);
            const QVariant e = lines.value(QStringLiteral("eanrig"));
            if (!e.isNull() && !e.toString().isEmpty()) {
                state_.ean = e.toString();
                f.eanw = state_.ean.text();
            }
        }
    }
    if (lines.findFirst(profile_.byEan(state_.ean.text(), state_))) {
        const QVariant q = lines.value(QStringLiteral("quantita"));
        if (!q.isNull())
            f.qinvw = numberText(q);
    }
    if (!lines.ok() && lines.error().kind != data::Error::Kind::NoCurrentRow) {
        error_ = lines.error();
        return LookupEnd::DatabaseError;
    }
    return showArticle(f, db, state_.articleCode);
}

LookupEnd ArticleLookup::showArticle(EntryFields& f, const Database& db, std::int32_t) {
    if (!state_.ean.trimmed().isEmpty()) {
        const bool known = resolved_ && resolved_->ean == state_.ean.text();
        const auto code = known ? resolved_->code : codeOfEan(db, state_.ean.text(), &error_);
        if (!code) {
            if (error_)
                return LookupEnd::DatabaseError;
            f.descrw = kNoArticle;
            return LookupEnd::NotInCodean;
        }
        state_.articleCode = *code;
    }
    if (state_.articleCode == 0)
        return LookupEnd::NoArticle;
    double przpub = 0;
    if (!fillFromPriceList(f, db, state_.articleCode, &przpub))
        return error_ ? LookupEnd::DatabaseError : LookupEnd::NoPriceListRow;
    if (state_.ean.blankPrefix(13)) {
        if (const auto ean = eanOfCode(db, state_.articleCode))
            f.eanw = *ean;
    }
    return LookupEnd::Shown;
}

} // namespace articles
