// Code resolution and article lookup: what every entry screen does when the
// operator scans or types a code. Written in the inventory entry's form; the
// points where the other entry screens differ are the members of LookupProfile.
#pragma once

#include "articles/article_reads.h"
#include "articles/line_query.h"
#include "data/database.h"
#include "state/shared_state.h"

#include <QString>

#include <optional>

namespace articles {

// The entry screen fields that the lookup reads and writes, as their texts.
struct EntryFields {
    QString eanw;     // EAN or code
    QString codcasaw; // internal article code
    QString descrw;   // description, or the "article does not exist" text
    QString imballow; // pieces per package
    QString costow;   // cost
    QString prezzow;  // sale price
    QString quanw;    // quantity
    QString qinvw;    // quantity already on the operator's line
};

inline const QString kNoArticle = QStringLiteral("???? Articolo non esiste ...");

// Where a screen's working lines and article tables are.
struct LookupProfile {
    QString linesTable = QStringLiteral("inventario");
    // Database path holding codean and listi01 (the store database for the
    // inventory; the work database for the returns and supplier orders).
    QString state::SharedState::*articlesPath = &state::SharedState::storeDbPath;
    // Database path holding the working lines.
    QString state::SharedState::*linesPath = &state::SharedState::storeDbPath;
    // Whether the lines belong to an operator (inventory, goods receipt) or to
    // nobody (returns, supplier orders).
    bool perOperator = true;
    // A condition that makes a row of the table one of the screen's lines at
    // all (the supplier order lines among the department order lines of
    // `ordine`); empty for every row.
    QString linesFilter{};

    // The operator's lines: "SELECT * FROM inventario WHERE oper =3" (every
    // line of the table, or of the filter, for lines of nobody).
    LineQuery lineQuery(const state::SharedState& s) const;
    // "codcasa = 12 and oper = 3"
    QString byCode(std::int32_t code, const state::SharedState& s) const;
    // "eanrig = '8001234567890' and oper = 3"
    QString byEan(const QString& ean, const state::SharedState& s) const;
};

enum class LookupEnd {
    Shown,          // the article's data are in the fields
    NoArticle,      // no code, nothing shown
    NotInCodean,    // the description says the article does not exist
    NoPriceListRow, // EAN rows but no price-list row (the inventory asks whether to store anyway)
    DatabaseError,  // see error()
};

struct ResolveResult {
    LookupEnd end = LookupEnd::NoArticle;
    bool focusQuantity = false; // the article was found: the quantity is next
    bool focusEan = false;      // a price-carrying code with no price-list row
    bool resetColours = false;  // the description says the article does not exist
};

class ArticleLookup {
public:
    ArticleLookup(data::Databases& dbs, state::SharedState& state, LookupProfile profile = {});

    // Enter in the EAN field.
    ResolveResult resolveCode(EntryFields& f);
    // Shows the article of the shared EAN or of the article-code field (`anagr`).
    LookupEnd anagr(EntryFields& f);

    const data::Error& error() const { return error_; }
    const LookupProfile& profile() const { return profile_; }

private:
    LookupEnd showArticle(EntryFields& f, const data::Database& db, std::int32_t code);
    bool fillFromPriceList(EntryFields& f, const data::Database& db, std::int32_t code, double* przpub);

    data::Databases& dbs_;
    state::SharedState& state_;
    LookupProfile profile_;
    data::Error error_;
    // The article of the EAN that resolveCode() read, for the article shown
    // by the same Enter; cleared when that Enter ends, so that anagr() called
    // by itself reads again.
    std::optional<KnownEan> resolved_;
};

} // namespace articles
