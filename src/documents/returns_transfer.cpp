#include "documents/returns_transfer.h"

#include "documents/new_document.h"
#include "documents/numbering.h"

namespace documents {

namespace {

const QString kReturnType = QStringLiteral("DDTRESFOR");

// The numbering code of the return notes, when `tipodoc` has one.
data::Error takeNumberingCode(const data::Database& db, state::SharedState& s) {
    s.documentType = kReturnType;
    data::Error e;
    if (const auto code = numberingCode(db, s, &e))
        s.numberingCode = *code;
    return e;
}

data::Error overflow() {
    return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("resmo.totrig"));
}

} // namespace

ConfirmResult confirmReturnNote(const data::Database& db, state::SharedState& s, const QDate& today,
                                const QDate& documentDate, bool writeHeader, const LineProgress& afterLine) {
    s.userCode = 1;
    if (data::Error e = takeNumberingCode(db, s)) {
        ConfirmResult r;
        r.number = s.documentNumber;
        r.error = e;
        return r;
    }
    data::Table listi01 = db.table(QStringLiteral("listi01"));
    listi01.setIndex(QStringLiteral("primary"));
    data::Table codean = db.table(QStringLiteral("codean"));
    codean.setIndex(QStringLiteral("keyean"));
    data::Table lines = db.table(QStringLiteral("resmo"));
    const QString code = s.numberingCode.text();

    NewDocument d;
    d.headerTable = QStringLiteral("reste");
    d.numberTakenNotice = QStringLiteral("Attenzione! Il numero %1 è già stato usato da un'altra postazione: "
                                         "il reso è registrato con il numero %2");
    d.writeHeader = writeHeader;
    d.workingTable = QStringLiteral("resi");
    d.locks = {kStockLock};
    d.afterLine = afterLine;
    d.header = [&](std::int32_t number) -> data::Error {
        data::Table t = db.table(QStringLiteral("reste"));
        t.addNew();
        if (data::Error e = saveRow(t, {{"codutente", 1},
                                        {"anno", s.documentYear},
                                        {"numero", number},
                                        {"dataor", documentDate},
                                        {"dsccliente", s.supplierName.text().left(35).trimmed()},
                                        {"cliente", s.supplierCode},
                                        {"codlis", s.priceList.text()},
                                        {"fl1ts", QStringLiteral(" ")},
                                        {"regis", QStringLiteral("P")}, // open until registered
                                        {"datafa", today},
                                        {"tipodoc", s.documentType.text()},
                                        {"codtipdoc", code}}))
            return e;
        return writeBackNumber(db, 1, code, s.documentYear, number);
    };
    d.line = [&](const WorkingLine& l, std::int32_t number, std::int16_t bns) -> data::Error {
        data::Error e;
        const ArticleData a = readArticle(listi01, l.code, QStringLiteral("cofart"), &e);
        if (e)
            return e;
        const auto pieces = a.pack * l.packs;
        const auto total = pieces ? *pieces * a.price : std::nullopt;
        if (!total)
            return overflow();
        const data::Decimal returned = pieces->rounded(3);
        if (a.found) {
            listi01.edit();
            if ((e = moveArticleStock(listi01, StockMove::Returned, returned)))
                return e;
            if (!listi01.update())
                return listi01.error();
        }
        const QString ean = documentEan(l.ean);
        lines.addNew();
        if ((e = saveRow(lines, {{"codutente", 1},
                                 {"bannoc", s.documentYear},
                                 {"bnumer", number},
                                 {"bns", bns},
                                 {"codtipdoc", code},
                                 {"bdator", today},
                                 {"articoli", l.code},
                                 {"unitam", a.unit},
                                 {"imballo", dec(a.pack)},
                                 {"costof", dec(a.price)},
                                 {"prezzo", dec(a.price)},
                                 {"colli", dec(l.packs)},
                                 {"quantita", dec(returned)},
                                 {"descrizione", a.description},
                                 {"iva", a.vat},
                                 {"desgru", a.group.left(20)},
                                 {"eanrig", ean},
                                 {"tipmov", QStringLiteral("AR")},
                                 {"bflag1", QStringLiteral("V")},
                                 {"totrig", dec(*total)}})))
            return e;
        if (ean.isEmpty())
            return {};
        if (!codean.seek(QVariant(ean)))
            return codean.ok() ? data::Error() : codean.error();
        codean.edit();
        if ((e = moveEanStock(codean, StockMove::Returned, returned)))
            return e;
        return codean.update() ? data::Error() : codean.error();
    };
    ConfirmResult r = writeNewDocument(db, s, d);
    if (r.ok() && !r.noLines)
        s.documentDate = documentDate;
    return r;
}

ConfirmResult appendToReturnNote(const data::Database& db, state::SharedState& s, const QDate& today,
                                 const LineProgress& afterLine) {
    const std::int32_t year = s.documentYear;
    const std::int32_t number = s.documentNumber;
    auto fail = [&](const data::Error& e) {
        ConfirmResult f;
        f.number = number;
        f.error = e;
        return f;
    };
    if (!db.ok())
        return fail(db.error());
    if (data::Error e = takeNumberingCode(db, s))
        return fail(e);
    const QString code = s.numberingCode.text();

    // Everything below is undone when the scope ends without commit.
    data::WriteScope w(db);
    if (!w.ok())
        return fail(w.error());
    // Additions to one note take turns: a merge reads the line it revises.
    if (data::Error e = w.lockKey(QStringLiteral("resmo"), {year, number}))
        return fail(e);
    data::Error e;
    const QVariant open = db.scalarNative(
        QStringLiteral("SELECT count(*) FROM reste WHERE anno = ? AND numero = ? AND cliente = ? AND "
                       "regis <> 'R'"),
        {year, number, s.supplierCode}, &e);
    if (e)
        return fail(e);
    if (open.toLongLong() == 0) {
        ConfirmResult refused = fail({});
        refused.refusal = QStringLiteral("ATTENZIONE !!! Il reso numero %1 non è più aperto: nulla è stato "
                                         "registrato. Riaprire la conferma dei resi.")
                              .arg(number);
        return refused;
    }
    const QVariant last = db.scalarNative(
        QStringLiteral("SELECT max(bns) FROM resmo WHERE bannoc = ? AND bnumer = ?"), {year, number}, &e);
    if (e)
        return fail(e);
    std::int16_t line = last.isNull() ? 0 : std::int16_t(last.toInt());

    const std::vector<WorkingLine> lines = takeWorkingLines(db, QStringLiteral("resi"), {}, {}, &e);
    if (e)
        return fail(e);
    ConfirmResult r;
    r.number = number;
    if (lines.empty()) {
        r.noLines = true;
        return r;
    }
    data::Table listi01 = db.table(QStringLiteral("listi01"));
    listi01.setIndex(QStringLiteral("primary"));
    if (!listi01.ok())
        return fail(listi01.error());

    // The note's line of an EAN; a line without an EAN is found by its article
    // among the note's lines without one.
    const QString byEan = QStringLiteral("SELECT marbo_rid, quantita, colli FROM resmo WHERE bannoc = ? AND "
                                         "bnumer = ? AND eanrig = %1 ORDER BY bns LIMIT 1")
                              .arg(db.textKey(QStringLiteral("?")));
    const QString byCode = QStringLiteral(
        "SELECT marbo_rid, quantita, colli FROM resmo WHERE bannoc = ? AND bnumer = ? AND articoli = ? AND "
        "coalesce(trim(eanrig), '') = '' ORDER BY bns LIMIT 1");
    const QString revise =
        QStringLiteral("UPDATE resmo SET quantita = ?, colli = ?, totrig = ? WHERE marbo_rid = ?");
    const QString insert = QStringLiteral(
        "INSERT INTO resmo (bannoc, bnumer, bns, codtipdoc, codutente, bdator, articoli, unitam, imballo, "
        "costof, prezzo, colli, quantita, descrizione, iva, desgru, eanrig, totrig) "
        "VALUES (?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

    for (const WorkingLine& l : lines) {
        ++r.linesTaken;
        if (afterLine)
            afterLine(int(lines.size()));
        if (l.packs.isZero())
            continue; // removed, with no note line and no last return
        const ArticleData a = readArticle(listi01, l.code, QStringLiteral("cofart"), &e);
        if (e)
            return fail(e);
        if (a.found) {
            listi01.edit();
            if ((e = saveRow(listi01, {{"colliuo", dec(l.packs)}, {"datauo", today}})))
                return fail(e);
        }
        if (line == kLastLineNumber) {
            ConfirmResult refused = fail({});
            refused.refusal = tooManyLinesMessage();
            return refused;
        }
        ++line; // a merged line takes a number too

        const QString ean = documentEan(l.ean);
        const std::optional<QVariantList> existing = ean.isEmpty()
                                                         ? db.rowNative(byCode, {year, number, l.code}, &e)
                                                         : db.rowNative(byEan, {year, number, ean}, &e);
        if (e)
            return fail(e);
        const auto pieces = a.pack * l.packs;
        if (!pieces)
            return fail(overflow());
        if (existing) {
            // Under the note's lock: nobody else revises this line now.
            const auto storedPieces = exactValue(existing->at(1), 3),
                       storedPacks = exactValue(existing->at(2), 3);
            const auto quantity = storedPieces ? pieces->rounded(3) + *storedPieces : std::nullopt;
            const auto packs = storedPacks ? *storedPacks + l.packs : std::nullopt;
            const auto total = quantity ? *quantity * a.price : std::nullopt;
            if (!total || !packs)
                return fail(overflow());
            e = db.executeNative(revise, {dec(*quantity), dec(*packs), dec(*total), existing->at(0)});
            ++r.linesMerged;
        } else {
            const auto total = *pieces * a.price;
            if (!total)
                return fail(overflow());
            e = db.executeNative(insert, {year, number, line, code, today, l.code, a.unit, dec(a.pack),
                                          dec(a.price), dec(a.price), dec(l.packs), dec(pieces->rounded(3)),
                                          a.description, a.vat, a.group.left(20), ean, dec(*total)});
            ++r.linesWritten;
        }
        if (e)
            return fail(e);
    }
    if ((e = w.commit()))
        return fail(e);
    s.lastLine = line;
    return r;
}

} // namespace documents
