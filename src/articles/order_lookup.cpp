#include "articles/order_lookup.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/pictures.h"
#include "articles/prices.h"
#include "data/dialect.h"
#include "data/recordset.h"

#include <QTime>

namespace articles {

using data::Database;
using data::Recordset;

namespace {

QString numberText(const QVariant& v) {
    return v.isNull() ? QString() : plainNumber(v.toDouble());
}

bool notFound(const OrderFields& f) {
    return f.descrw.startsWith(QLatin1String("????"));
}

// A new code: nothing of the article shown before may stay on the screen, or
// a store after an unknown code would carry that article's cost and pack.
void clearArticle(OrderFields& f) {
    for (QString* s :
         {&f.descrw, &f.imballow, &f.costow, &f.prezzow, &f.offew, &f.margw, &f.cimpw, &f.dtorprw, &f.oraw})
        s->clear();
}

// The last order of an article row: its quantity, or, when none was
// recorded, the packs the order confirmation wrote; its date and time.
void showLastOrder(OrderFields& f, const QVariant& quantiuo, const QVariant& colliuo, const QVariant& datauo,
                   const QVariant& orauo) {
    if (!quantiuo.isNull())
        f.cimpw = numberText(quantiuo);
    if ((quantiuo.isNull() || quantiuo.toDouble() == 0) && !colliuo.isNull())
        f.cimpw = numberText(colliuo);
    if (!datauo.isNull())
        f.dtorprw = datauo.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (!orauo.isNull()) {
        const QTime t = orauo.typeId() == QMetaType::QTime ? orauo.toTime()
                                                           : QTime::fromString(orauo.toString(), Qt::ISODate);
        f.oraw = t.isValid() ? t.toString(QStringLiteral("HH:mm")) : orauo.toString();
    }
}

ArticlePrices pricesOf(const data::Table& listi) {
    auto number = [&](const char* f) { return listi.value(QString::fromLatin1(f)).toDouble(); };
    auto date = [&](const char* f) -> std::optional<QDate> {
        const QVariant v = listi.value(QString::fromLatin1(f));
        return v.isNull() ? std::nullopt : std::optional<QDate>(v.toDate());
    };
    ArticlePrices a;
    a.cofart = number("cofart");
    a.ivart = listi.value(QStringLiteral("ivart")).toString();
    a.przpub = number("przpub");
    if (const QVariant v = listi.value(QStringLiteral("przsal")); !v.isNull())
        a.przsal = v.toDouble();
    a.cosoff = number("cosoff");
    a.data1 = date("data1");
    a.data2 = date("data2");
    return a;
}

// A whole article code typed in a field: digits only, within 32 bits; 0 otherwise.
std::int32_t typedCode(const QString& text) {
    if (!isDigitCode(text))
        return 0;
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok && v <= 2147483647 ? std::int32_t(v) : 0;
}

} // namespace

QString supplierArticleCode(const QString& ean) {
    return ean.mid(3, 9);
}

OrderLookup::OrderLookup(data::Databases& dbs, state::SharedState& state)
    : dbs_(dbs)
    , state_(state) {}

bool OrderLookup::fail(const data::Error& e) {
    if (e.ok())
        return false;
    error_ = e;
    return true;
}

ResolveResult OrderLookup::resolveCode(OrderFields& f, const QDate& today) {
    ResolveResult r;
    error_ = {};
    if (f.eanw.isEmpty())
        return r;
    state_.ean = QString();
    state_.articleCode = 0;
    clearArticle(f);
    f.codcasaw.clear();
    if (f.eanw.size() == 12)
        f.eanw.prepend(QLatin1Char('0'));
    const QString t = f.eanw.trimmed();
    const Database work = dbs_.open(state_.workDbPath);
    if (fail(work.error())) {
        r.end = LookupEnd::DatabaseError;
        return r;
    }
    bool sought = false;
    if (isDigitCode(t)) {
        bool ok = false;
        const qulonglong x = t.toULongLong(&ok);
        if (ok && x < 999999999ULL) {
            // A short internal article code, tried as typed, then without its
            // last digit, then without its last two (a check digit typed along).
            for (const qulonglong code : {x, x / 10, x / 100}) {
                if (code == 0)
                    continue;
                data::Error e;
                const auto ean = eanOfCode(work, qlonglong(code), &e);
                if (fail(e)) {
                    r.end = LookupEnd::DatabaseError;
                    return r;
                }
                if (ean) {
                    state_.articleCode = std::int32_t(code);
                    state_.ean = *ean;
                    sought = true;
                    break;
                }
            }
        }
    }
    if (!sought) {
        // An EAN: digits written with 13 figures. Anything else (letters,
        // wildcards, more than 13 digits) is no article of ours.
        const auto ean = ean13FromDigits(t);
        if (!ean) {
            f.descrw = kNoArticle;
            r.end = LookupEnd::NotInCodean;
            r.resetColours = true;
            return r;
        }
        state_.ean = *ean;
    }
    r.end = anagr(f, today);
    r.resetColours = notFound(f);
    r.focusQuantity = r.end != LookupEnd::DatabaseError && !notFound(f) && !f.descrw.trimmed().isEmpty();
    return r;
}

LookupEnd OrderLookup::showCode(OrderFields& f, const QString& typed, const QDate& today) {
    error_ = {};
    state_.ean = QString();
    clearArticle(f);
    state_.articleCode = typedCode(typed);
    f.eanw = state_.ean.text();
    if (state_.articleCode != 0) {
        const Database work = dbs_.open(state_.workDbPath);
        data::Error e = work.error();
        const auto ean = e ? std::nullopt : eanOfCode(work, state_.articleCode, &e);
        if (fail(e))
            return LookupEnd::DatabaseError;
        if (ean) {
            // The line of an order is kept by EAN: the article is shown, and
            // stored, under its first EAN.
            state_.ean = *ean;
            return anagr(f, today);
        }
    }
    f.descrw = kNoArticle;
    return LookupEnd::NotInCodean;
}

LookupEnd OrderLookup::anagr(OrderFields& f, const QDate& today) {
    error_ = {};
    f.eanw = state_.ean.text();
    const Database work = dbs_.open(state_.workDbPath);
    const Database store = dbs_.open(state_.storeDbPath);
    if (fail(work.error()) || fail(store.error()))
        return LookupEnd::DatabaseError;
    const data::ReadScope readingWork(work);
    const data::ReadScope readingStore(store);
    data::Error e;

    shown_.reset();
    if (!state_.ean.trimmed().isEmpty()) {
        // Already in the order: the packs ordered so far, to be revised.
        data::Table ordine = work.table(QStringLiteral("ordine"));
        ordine.setIndex(QStringLiteral("ean"));
        if (ordine.seek(state_.ean.text())) {
            const QVariant colli = ordine.value(QStringLiteral("colli"));
            if (!colli.isNull())
                f.quanw = numberText(colli);
        }
        if (fail(ordine.error()))
            return LookupEnd::DatabaseError;

        const auto storeCode = codeOfEan(store, state_.ean.text(), &e);
        if (!e)
            shown_ = KnownEan{state_.ean.text(), storeCode};
        if (storeCode) {
            state_.articleCode = *storeCode;
        } else {
            if (fail(e))
                return LookupEnd::DatabaseError;
            const bool priced = priceListRow(store, state_.articleCode, &e).has_value();
            if (fail(e))
                return LookupEnd::DatabaseError;
            if (!priced) {
                // A supplier's barcode: the supplier's own article code inside it.
                Recordset bySupplier =
                    store.query(QStringLiteral("SELECT * FROM listi01 WHERE trim(codafo) = ") +
                                data::quoted(supplierArticleCode(state_.ean.text())));
                if (!bySupplier.eof()) {
                    state_.articleCode =
                        std::int32_t(bySupplier.value(QStringLiteral("codart")).toLongLong());
                    // The article's own EAN, shown as it will be stored (and
                    // priced: the price display reads the EAN field).
                    if (const auto ean = eanOfCode(store, state_.articleCode, &e)) {
                        state_.ean = *ean;
                        f.eanw = state_.ean.text();
                    }
                    if (fail(e))
                        return LookupEnd::DatabaseError;
                } else {
                    if (fail(bySupplier.error()))
                        return LookupEnd::DatabaseError;
                    f.descrw = kNoArticle;
                }
            }
        }

        Recordset articoli = work.query(QStringLiteral("SELECT * FROM articoli WHERE codean = ") +
                                        data::quoted(state_.ean.text()));
        if (articoli.eof()) {
            if (fail(articoli.error()))
                return LookupEnd::DatabaseError;
            f.descrw = kNoArticle;
        } else {
            f.descrw = articoli.value(QStringLiteral("desart")).toString();
            f.codcasaw = QString::number(state_.articleCode);
            if (const QVariant pack = articoli.value(QStringLiteral("imballo")); !pack.isNull())
                f.imballow = numberText(pack);
            f.costow = costWithVat(articoli.value(QStringLiteral("costo1")).toDouble(),
                                   articoli.value(QStringLiteral("ivart")).toString())
                           .text;
            showLastOrder(f, articoli.value(QStringLiteral("quantiuo")),
                          articoli.value(QStringLiteral("colliuo")), articoli.value(QStringLiteral("datauo")),
                          articoli.value(QStringLiteral("orauo")));
            if (fail(articoli.error()))
                return LookupEnd::DatabaseError;
        }
    }

    // Not among the articles by EAN: the article by its code, through the
    // work database's EAN rows.
    if (notFound(f)) {
        const auto code = codeOfEan(work, state_.ean.text(), &e);
        if (fail(e))
            return LookupEnd::DatabaseError;
        if (code) {
            state_.articleCode = *code;
            Recordset articolo =
                work.query(QStringLiteral("SELECT * FROM articolo WHERE codart = ") + QString::number(*code));
            if (!articolo.eof()) {
                f.descrw = articolo.value(QStringLiteral("desart")).toString();
                f.codcasaw = QString::number(*code);
                f.imballow = numberText(articolo.value(QStringLiteral("imbart")));
                const double przart = articolo.value(QStringLiteral("przart")).toDouble();
                f.costow = picture(przart, Picture::Amount5);
                showLastOrder(
                    f, articolo.value(QStringLiteral("quantiuo")), articolo.value(QStringLiteral("colliuo")),
                    articolo.value(QStringLiteral("datauo")), articolo.value(QStringLiteral("orauo")));
                if (const auto ean = eanOfCode(work, *code, &e))
                    f.eanw = *ean;
                f.costow = costWithVat(przart, articolo.value(QStringLiteral("ivart")).toString()).text;
            }
            if (fail(articolo.error()) || fail(e))
                return LookupEnd::DatabaseError;
        }
    }

    showPrices(f, store, today);
    if (error_)
        return LookupEnd::DatabaseError;
    if (notFound(f))
        return LookupEnd::NotInCodean;
    return f.descrw.trimmed().isEmpty() ? LookupEnd::NoArticle : LookupEnd::Shown;
}

void OrderLookup::showPrices(OrderFields& f, const Database& store, const QDate& today) {
    // The price-list row of the EAN in the field; nothing changes without one.
    const QString ean = ean13FromDigits(f.eanw.trimmed()).value_or(QStringLiteral("0000000000000"));
    data::Error e;
    const bool known = shown_ && shown_->ean == ean;
    const auto code = known ? shown_->code : codeOfEan(store, ean, &e);
    if (fail(e) || !code || *code == 0)
        return;
    const auto listi = priceListRow(store, *code, &e);
    if (fail(e) || !listi)
        return;
    const PriceFields shown =
        showDatedOffer(pricesOf(*listi), {f.prezzow, f.costow, f.offew, f.margw}, today);
    f.prezzow = shown.price;
    f.costow = shown.cost;
    f.offew = shown.offer;
    f.margw = shown.margin;
}

} // namespace articles
