#include "documents/new_document.h"

namespace documents {

namespace {

// The number asked, or the first free one after the year's highest when a
// header already holds it.
std::optional<std::int32_t> freeNumber(const data::Database& db, const QString& table, std::int32_t year,
                                       std::int32_t number, data::Error* e) {
    const QVariant taken =
        db.scalarNative(QStringLiteral("SELECT count(*) FROM %1 WHERE anno = ? AND numero = ?").arg(table),
                        {year, number}, e);
    if (*e)
        return std::nullopt;
    if (taken.toLongLong() == 0)
        return number;
    const QVariant highest =
        db.scalarNative(QStringLiteral("SELECT max(numero) FROM %1 WHERE anno = ?").arg(table), {year}, e);
    if (*e)
        return std::nullopt;
    return std::max<std::int32_t>(std::int32_t(highest.toLongLong()), number) + 1;
}

data::Error overflow(const QString& field) {
    return data::Error::make(data::Error::Kind::BadValue, field);
}

} // namespace

ConfirmResult writeNewDocument(const data::Database& db, state::SharedState& s, const NewDocument& d) {
    ConfirmResult r;
    r.number = s.documentNumber;
    auto fail = [&](const data::Error& e) {
        ConfirmResult f;
        f.number = s.documentNumber;
        f.error = e;
        return f;
    };
    if (!db.ok())
        return fail(db.error());
    const std::int32_t year = s.documentYear;
    // Everything below is undone when the scope ends without commit.
    data::WriteScope w(db);
    if (!w.ok())
        return fail(w.error());
    // Two workstations numbering documents of one year take turns.
    if (data::Error e = w.lockKey(d.headerTable, {year}))
        return fail(e);
    for (const auto& [table, key] : d.locks)
        if (data::Error e = w.lockKey(table, key))
            return fail(e);

    data::Error e;
    std::int32_t number = s.documentNumber;
    if (d.writeHeader) {
        const auto free = freeNumber(db, d.headerTable, year, number, &e);
        if (!free)
            return fail(e);
        if (*free != number)
            r.notice = d.numberTakenNotice.arg(number).arg(*free);
        number = *free;
    }

    const std::vector<WorkingLine> lines = takeWorkingLines(db, d.workingTable, d.condition, d.values, &e);
    if (e)
        return fail(e);
    if (lines.empty()) {
        ConfirmResult none;
        none.number = s.documentNumber;
        none.noLines = true;
        return none;
    }
    if (d.writeHeader) {
        if ((e = d.header(number)))
            return fail(e);
        r.headerWritten = true;
    }
    if (d.beforeLines && (e = d.beforeLines(lines)))
        return fail(e);
    std::int16_t bns = 0;
    for (const WorkingLine& l : lines) {
        ++r.linesTaken;
        if (d.afterLine)
            d.afterLine(int(lines.size()));
        if (l.packs.isZero())
            continue; // removed, with no document line and no counter moved
        if (bns == kLastLineNumber) {
            ConfirmResult refused = fail({});
            refused.refusal = tooManyLinesMessage();
            return refused;
        }
        ++bns;
        if ((e = d.line(l, number, bns)))
            return fail(e);
        ++r.linesWritten;
    }
    if (d.afterLines && (e = d.afterLines()))
        return fail(e);
    if ((e = w.commit()))
        return fail(e);
    s.documentNumber = number;
    s.lastLine = bns;
    r.number = number;
    return r;
}

data::Error moveArticleStock(ArticleStock& t, StockMove move, data::Decimal pieces) {
    data::Decimal& counter = move == StockMove::Received ? t.qacq : t.qres;
    const auto moved = counter + pieces;
    if (!moved)
        return overflow(QStringLiteral("listi01.qgia"));
    const auto a = t.qinv + (move == StockMove::Received ? *moved : t.qacq);
    const auto b = a ? *a - (move == StockMove::Returned ? *moved : t.qres) : std::nullopt;
    const auto qgia = b ? *b - t.qven : std::nullopt;
    const auto value = qgia ? *qgia * t.cosmp : std::nullopt;
    if (!value)
        return overflow(QStringLiteral("listi01.valgia"));
    counter = *moved;
    t.qgia = *qgia;
    t.valgia = value->rounded(2);
    return {};
}

data::Error moveEanStock(EanStock& t, StockMove move, data::Decimal pieces) {
    data::Decimal& counter = move == StockMove::Received ? t.eacq : t.eres;
    const auto moved = counter + pieces;
    if (!moved)
        return overflow(QStringLiteral("codean.egia"));
    const auto a = (move == StockMove::Received ? *moved : t.eacq) + t.einv;
    const auto b = a ? *a - (move == StockMove::Returned ? *moved : t.eres) : std::nullopt;
    const auto egia = b ? *b - t.even : std::nullopt;
    if (!egia)
        return overflow(QStringLiteral("codean.egia"));
    counter = *moved;
    t.egia = *egia;
    return {};
}

data::Error moveArticleStock(data::Table& t, StockMove move, data::Decimal pieces) {
    data::Error e;
    auto get = [&](const char* f) { return exactField(t, QString::fromLatin1(f), &e); };
    const data::Decimal qinv = get("qinv"), qven = get("qven"), cosmp = get("cosmp");
    data::Decimal qacq = get("qacq"), qres = get("qres");
    if (e)
        return e;
    const auto moved = (move == StockMove::Received ? qacq : qres) + pieces;
    if (!moved)
        return overflow(QStringLiteral("listi01.qgia"));
    (move == StockMove::Received ? qacq : qres) = *moved;
    const auto a = qinv + qacq;
    const auto b = a ? *a - qres : std::nullopt;
    const auto qgia = b ? *b - qven : std::nullopt;
    const auto value = qgia ? *qgia * cosmp : std::nullopt;
    if (!value)
        return overflow(QStringLiteral("listi01.valgia"));
    t.setValue(move == StockMove::Received ? QStringLiteral("qacq") : QStringLiteral("qres"), dec(*moved));
    t.setValue(QStringLiteral("qgia"), dec(*qgia));
    t.setValue(QStringLiteral("valgia"), dec(value->rounded(2)));
    return t.ok() ? data::Error() : t.error();
}

data::Error moveEanStock(data::Table& t, StockMove move, data::Decimal pieces) {
    data::Error e;
    auto get = [&](const char* f) { return exactField(t, QString::fromLatin1(f), &e); };
    const data::Decimal einv = get("einv"), even = get("even");
    data::Decimal eacq = get("eacq"), eres = get("eres");
    if (e)
        return e;
    const auto moved = (move == StockMove::Received ? eacq : eres) + pieces;
    if (!moved)
        return overflow(QStringLiteral("codean.egia"));
    (move == StockMove::Received ? eacq : eres) = *moved;
    const auto a = eacq + einv;
    const auto b = a ? *a - eres : std::nullopt;
    const auto egia = b ? *b - even : std::nullopt;
    if (!egia)
        return overflow(QStringLiteral("codean.egia"));
    t.setValue(move == StockMove::Received ? QStringLiteral("eacq") : QStringLiteral("eres"), dec(*moved));
    t.setValue(QStringLiteral("egia"), dec(*egia));
    return t.ok() ? data::Error() : t.error();
}

QStringList documentLineFields() {
    return {QStringLiteral("codutente"), QStringLiteral("bannoc"),   QStringLiteral("bnumer"),
            QStringLiteral("bns"),       QStringLiteral("bdator"),   QStringLiteral("articoli"),
            QStringLiteral("unitam"),    QStringLiteral("imballo"),  QStringLiteral("costob"),
            QStringLiteral("costof"),    QStringLiteral("quantita"), QStringLiteral("quanci"),
            QStringLiteral("collic"),    QStringLiteral("colli"),    QStringLiteral("descrizione"),
            QStringLiteral("iva"),       QStringLiteral("desgru"),   QStringLiteral("eanrig"),
            QStringLiteral("tipmov"),    QStringLiteral("totrig")};
}

} // namespace documents
