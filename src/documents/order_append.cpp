#include "documents/order_append.h"

namespace documents {

ConfirmResult appendToOrder(const data::Database& db, state::SharedState& s, const QDate& today,
                            const OrderAppendRows& rows, const LineProgress& afterLine) {
    ConfirmResult r;
    r.number = s.documentNumber;
    if (!db.ok()) {
        r.error = db.error();
        return r;
    }
    const std::int32_t year = s.documentYear;
    const std::int32_t number = s.documentNumber;
    // Everything below is undone when the scope ends without commit.
    auto fail = [&](const data::Error& e) {
        ConfirmResult f;
        f.number = number;
        f.error = e;
        return f;
    };
    data::WriteScope w(db);
    if (!w.ok())
        return fail(w.error());
    // Appends to one document take turns: a merge reads the line it revises.
    if (data::Error e = w.lockKey(QStringLiteral("movimenti"), {year, number}))
        return fail(e);

    data::Error e;
    const QVariant last = db.scalarNative(
        QStringLiteral("SELECT max(bns) FROM movimenti WHERE bannoc = ? AND bnumer = ?"), {year, number}, &e);
    if (e)
        return fail(e);
    std::int16_t line = last.isNull() ? 0 : std::int16_t(last.toInt());

    const std::vector<WorkingLine> lines =
        rows.orderType ? takeWorkingLines(db, QStringLiteral("ordine"),
                                          QStringLiteral("tipord = ") + db.textKey(QStringLiteral("?")),
                                          {*rows.orderType}, &e)
                       : takeWorkingLines(db, QStringLiteral("ordine"), {}, {}, &e);
    if (e)
        return fail(e);
    if (lines.empty()) {
        r.noLines = true;
        return r;
    }

    data::Table codean = db.table(QStringLiteral("codean"));
    codean.setIndex(QStringLiteral("keyean"));
    data::Table articolo = db.table(QStringLiteral("articolo"));
    articolo.setIndex(QStringLiteral("primary"));
    if (!codean.ok())
        return fail(codean.error());
    if (!articolo.ok())
        return fail(articolo.error());

    // The document's line of an EAN; a line without an EAN is found by its
    // article among the document's lines without one.
    const QString byEan = QStringLiteral("SELECT marbo_rid, quantita FROM movimenti WHERE bannoc = ? AND "
                                         "bnumer = ? AND eanrig = %1 ORDER BY bns LIMIT 1")
                              .arg(db.textKey(QStringLiteral("?")));
    const QString byCode = QStringLiteral(
        "SELECT marbo_rid, quantita FROM movimenti WHERE bannoc = ? AND bnumer = ? AND articoli = ? AND "
        "coalesce(trim(eanrig), '') = '' ORDER BY bns LIMIT 1");
    const QString revise =
        QStringLiteral("UPDATE movimenti SET quantita = ?, colli = ?, totrig = ? WHERE marbo_rid = ?");
    const QString insert = QStringLiteral(
        "INSERT INTO movimenti (bannoc, bnumer, bns, bdator, articoli, unitam, imballo, prezzo, quantita, "
        "colli, descrizione, iva, desgru, eanrig, totrig) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?)");
    const auto overflow = data::Error::make(data::Error::Kind::BadValue, QStringLiteral("movimenti.totrig"));

    for (const WorkingLine& l : lines) {
        ++r.linesTaken;
        if (afterLine)
            afterLine(int(lines.size()));
        if (l.packs.isZero())
            continue; // removed, with no document line and no last order

        std::int32_t code = l.code;
        if (rows.codeFromEan && !l.ean.trimmed().isEmpty()) {
            if (codean.seek(QVariant(l.ean)))
                code = std::int32_t(codean.value(QStringLiteral("codare")).toLongLong());
            else if (!codean.ok())
                return fail(codean.error());
        }
        const ArticleData a = readArticle(articolo, code, QStringLiteral("przart"), &e);
        if (e)
            return fail(e);
        if (a.found) {
            articolo.edit();
            if ((e = saveRow(articolo, {{"colliuo", dec(l.packs)}, {"datauo", today}})))
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
                                                         ? db.rowNative(byCode, {year, number, code}, &e)
                                                         : db.rowNative(byEan, {year, number, ean}, &e);
        if (e)
            return fail(e);
        // The packages of the document line, its pieces and its total.
        const auto stored = existing ? exactValue(existing->at(1), 3) : std::optional(data::Decimal());
        const auto packs = stored ? *stored + l.packs : std::nullopt;
        const auto pieces = packs ? *packs * a.pack : std::nullopt;
        const auto total = pieces ? pieces->rounded(3) * a.price : std::nullopt;
        if (!total)
            return fail(overflow);
        if (existing) {
            // Under the document's lock: nobody else revises this line now.
            e = db.executeNative(revise,
                                 {dec(*packs), dec(pieces->rounded(3)), dec(*total), existing->at(0)});
            ++r.linesMerged;
        } else {
            e = db.executeNative(insert, {year, number, line, today, code, a.unit, dec(a.pack), dec(a.price),
                                          dec(*packs), dec(pieces->rounded(3)), a.description, a.vat,
                                          a.group.left(40), ean, dec(*total)});
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
