// The article lookup of the department order entry: an internal code tried in
// the work database's EAN rows, an EAN sought in the store's, a supplier's
// barcode read through the supplier's article code of the price list, the
// article and its last order from the order tables of the work database
// (`articoli` by EAN, `articolo` by code), then the price display with the
// offer of the day from the store's price list.
#pragma once

#include "articles/lookup.h"
#include "data/database.h"
#include "state/shared_state.h"

#include <QDate>
#include <QString>

namespace articles {

// The order entry's fields, as their texts.
struct OrderFields {
    QString eanw;     // EAN or code
    QString codcasaw; // internal article code
    QString descrw;   // description, or the "article does not exist" text
    QString imballow; // pieces per pack
    QString costow;   // cost with VAT
    QString prezzow;  // sale price
    QString offew;    // offer price, "0" when none runs
    QString margw;    // margin percent
    QString quanw;    // packs to order
    QString cimpw;    // packs of the last order
    QString dtorprw;  // date of the last order
    QString oraw;     // transmission time of the last order
};

// The characters of a supplier's barcode that hold the supplier's own
// article code (`listi01.codafo`): the nine from the fourth.
QString supplierArticleCode(const QString& ean);

class OrderLookup {
public:
    OrderLookup(data::Databases& dbs, state::SharedState& state);

    // Enter in the EAN field: a short number is first an internal code (as
    // typed, without its last digit, without its last two), anything else
    // digits of an EAN; then the article is shown.
    ResolveResult resolveCode(OrderFields& f, const QDate& today);
    // Enter in the article-code field: the article of a typed internal code,
    // shown through its first EAN.
    LookupEnd showCode(OrderFields& f, const QString& typedCode, const QDate& today);
    // Shows the article of the shared EAN (`anagr`), ending with the price
    // display of `today`.
    LookupEnd anagr(OrderFields& f, const QDate& today);

    const data::Error& error() const { return error_; }

private:
    bool fail(const data::Error& e);
    void showPrices(OrderFields& f, const data::Database& store, const QDate& today);

    data::Databases& dbs_;
    state::SharedState& state_;
    data::Error error_;
    // The store's article of the EAN that anagr() sought, for its own price
    // display; anagr() clears it first.
    std::optional<KnownEan> shown_;
};

} // namespace articles
