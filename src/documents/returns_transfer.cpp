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
    // The articles and the note's lines are read at once; the lines are merged
    // and numbered in memory in the order taken, then written at once: the new
    // lines, the merged lines of the note, the last return of each article.
    std::vector<std::int32_t> codes;
    for (const WorkingLine& l : lines)
        if (!l.packs.isZero())
            codes.push_back(l.code);
    const auto articles =
        readArticles(db, QStringLiteral("listi01"), codes, QStringLiteral("cofart"), false, &e);
    if (e)
        return fail(e);
    const auto noteRows =
        db.rowsNative(QStringLiteral("SELECT marbo_rid, quantita, colli, eanrig, articoli FROM resmo "
                                     "WHERE bannoc = ? AND bnumer = ? ORDER BY bns"),
                      {year, number}, &e);
    if (e)
        return fail(e);

    // A line of the note as it stands after the lines merged so far: one read
    // (existing) or one added by this confirmation.
    struct NoteLine {
        qint64 rowId = 0;                   // 0: added now
        QVariant storedPieces, storedPacks; // as read
        bool current = false;               // quantity and packs hold what it holds now
        bool revised = false;
        data::Decimal quantity, packs, total;
        QVariantList added; // the values of a line added now
    };
    std::vector<NoteLine> note;
    std::map<QString, size_t> byEan;           // the note's first line of an EAN
    std::map<std::int32_t, size_t> byCodeOnly; // ... of an article without EAN
    auto index = [&](const QString& ean, std::int32_t code, size_t at) {
        if (ean.trimmed().isEmpty())
            byCodeOnly.try_emplace(code, at);
        else
            byEan.try_emplace(eanKey(ean), at);
    };
    for (const QVariantList& r : noteRows) {
        NoteLine n;
        n.rowId = r.at(0).toLongLong();
        n.storedPieces = r.at(1);
        n.storedPacks = r.at(2);
        note.push_back(n);
        index(r.at(3).toString(), std::int32_t(r.at(4).toLongLong()), note.size() - 1);
    }
    std::map<std::int32_t, data::Decimal> lastReturn; // colliuo: the article's last line counts

    for (const WorkingLine& l : lines) {
        ++r.linesTaken;
        if (afterLine)
            afterLine(int(lines.size()));
        if (l.packs.isZero())
            continue; // removed, with no note line and no last return
        const auto found = articles.find(l.code);
        const ArticleData a = found == articles.end() ? ArticleData() : found->second.data;
        if (a.found)
            lastReturn[l.code] = l.packs;
        if (line == kLastLineNumber) {
            ConfirmResult refused = fail({});
            refused.refusal = tooManyLinesMessage();
            return refused;
        }
        ++line; // a merged line takes a number too

        const QString ean = documentEan(l.ean);
        std::optional<size_t> existing;
        if (ean.isEmpty()) {
            if (const auto it = byCodeOnly.find(l.code); it != byCodeOnly.end())
                existing = it->second;
        } else if (const auto it = byEan.find(eanKey(ean)); it != byEan.end()) {
            existing = it->second;
        }
        const auto pieces = a.pack * l.packs;
        if (!pieces)
            return fail(overflow());
        if (existing) {
            // Under the note's lock: nobody else revises this line now.
            NoteLine& n = note[*existing];
            const auto storedPieces = n.current ? std::optional(n.quantity) : exactValue(n.storedPieces, 3),
                       storedPacks = n.current ? std::optional(n.packs) : exactValue(n.storedPacks, 3);
            const auto quantity = storedPieces ? pieces->rounded(3) + *storedPieces : std::nullopt;
            const auto packs = storedPacks ? *storedPacks + l.packs : std::nullopt;
            const auto total = quantity ? *quantity * a.price : std::nullopt;
            if (!total || !packs)
                return fail(overflow());
            n.quantity = *quantity;
            n.packs = *packs;
            n.total = *total;
            n.current = true;
            n.revised = n.rowId != 0;
            ++r.linesMerged;
        } else {
            const auto total = *pieces * a.price;
            if (!total)
                return fail(overflow());
            NoteLine n;
            n.quantity = pieces->rounded(3);
            n.packs = l.packs;
            n.total = *total;
            n.current = true;
            n.added = {year,       number,     line,          code,         today,
                       l.code,     a.unit,     dec(a.pack),   dec(a.price), dec(a.price),
                       QVariant(), QVariant(), a.description, a.vat,        a.group.left(20),
                       ean,        QVariant()};
            note.push_back(n);
            index(ean, l.code, note.size() - 1);
            ++r.linesWritten;
        }
    }

    data::RowBatch added(db, QStringLiteral("resmo"),
                         {QStringLiteral("bannoc"), QStringLiteral("bnumer"), QStringLiteral("bns"),
                          QStringLiteral("codtipdoc"), QStringLiteral("bdator"), QStringLiteral("articoli"),
                          QStringLiteral("unitam"), QStringLiteral("imballo"), QStringLiteral("costof"),
                          QStringLiteral("prezzo"), QStringLiteral("colli"), QStringLiteral("quantita"),
                          QStringLiteral("descrizione"), QStringLiteral("iva"), QStringLiteral("desgru"),
                          QStringLiteral("eanrig"), QStringLiteral("totrig"), QStringLiteral("codutente")});
    data::RowBatch revised(db, QStringLiteral("resmo"),
                           {QStringLiteral("quantita"), QStringLiteral("colli"), QStringLiteral("totrig")},
                           true);
    // The note's lines take the values as computed, as a single insert or
    // revision of a line binds them.
    added.bindAsGiven();
    revised.bindAsGiven();
    for (NoteLine& n : note) {
        if (n.rowId == 0) {
            n.added[10] = dec(n.packs);
            n.added[11] = dec(n.quantity);
            n.added[16] = dec(n.total);
            n.added << 1;
            e = added.add(n.added);
        } else if (n.revised) {
            e = revised.add({n.rowId, dec(n.quantity), dec(n.packs), dec(n.total)});
        }
        if (e)
            return fail(e);
    }
    if ((e = added.flush()) || (e = revised.flush()))
        return fail(e);
    data::RowBatch prices(db, QStringLiteral("listi01"),
                          {QStringLiteral("colliuo"), QStringLiteral("datauo")}, true);
    for (const auto& [code, packs] : lastReturn)
        if ((e = prices.add({articles.at(code).rowId, dec(packs), today})))
            return fail(e);
    if ((e = prices.flush()))
        return fail(e);
    if ((e = w.commit()))
        return fail(e);
    s.lastLine = line;
    return r;
}

} // namespace documents
