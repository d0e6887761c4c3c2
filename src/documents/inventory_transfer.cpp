#include "documents/inventory_transfer.h"

#include "data/decimal.h"
#include "data/table.h"
#include "documents/numbering.h"

#include <limits>

namespace documents {

namespace {

using data::Decimal;

const QString kNotFound = QStringLiteral("AAAAAA Articolo non Trovato !!!!");
// How many times a transfer starts again when another program wrote a header
// under the number it had just found free.
constexpr int kAttempts = 3;

// A header under this number already exists when another workstation took the
// same number since the inventory menu opened: the next free number is used.
std::optional<std::int32_t> freeNumber(const data::Database& db, const state::SharedState& s,
                                       data::Error* e) {
    const QVariant taken =
        db.scalarNative(QStringLiteral("SELECT count(*) FROM invte WHERE anno = ? AND numero = ?"),
                        {s.documentYear, s.documentNumber}, e);
    if (*e)
        return std::nullopt;
    if (taken.toLongLong() == 0)
        return s.documentNumber;
    const QVariant highest =
        db.scalarNative(QStringLiteral("SELECT max(numero) FROM invte WHERE anno = ?"), {s.documentYear}, e);
    if (*e)
        return std::nullopt;
    return std::max<std::int32_t>(std::int32_t(highest.toLongLong()), s.documentNumber) + 1;
}

bool writeHeader(const data::Database& db, const state::SharedState& s, const QDate& today, data::Error* e) {
    data::Table t = db.table(QStringLiteral("invte"));
    t.addNew();
    const std::pair<const char*, QVariant> fields[] = {
        {"anno", s.documentYear},
        {"numero", s.documentNumber},
        {"codutente", s.userCode},
        {"dataor", today},
        {"dsccliente", QStringLiteral("Inventario")},
        {"cliente", 0},
        {"codsede", 0},
        {"dscsede", QStringLiteral("Operatore %1").arg(s.operatorNumber)},
        {"regis", QStringLiteral("")},
        {"commesso", QVariant()},
        {"codlis", s.priceList.text()},
        {"tipodoc", s.documentType.text()},
        {"agente", 0},
        {"causa", QStringLiteral("INVENT")},
        {"bolli", 0},
    };
    for (const auto& [name, value] : fields)
        t.setValue(QString::fromLatin1(name), value);
    if (!t.ok() || !t.update()) {
        *e = t.error();
        return false;
    }
    return true;
}

// Cost x count rounded to the cent, an exact half to the even cent, from the
// exact product (cost at four places, count at three): never rounded twice.
std::optional<Decimal> lineTotal(Decimal cost, Decimal count) {
    const __int128 product = __int128(cost.units()) * count.units(); // 10^-8
    constexpr __int128 perCent = Decimal::kScale * Decimal::kScale / 100;
    __int128 cents = product / perCent;
    const __int128 rest = product % perCent;
    const __int128 twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > perCent || (twice == perCent && cents % 2 != 0))
        cents += product < 0 ? -1 : 1;
    const __int128 units = cents * (Decimal::kScale / 100);
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Decimal::fromUnits(std::int64_t(units));
}

QVariant exact(const QVariant& v, int places) {
    const auto d = Decimal::fromVariant(v, places);
    return d ? QVariant::fromValue(*d) : QVariant();
}

// One attempt: the whole transfer in one transaction.
TransferResult transferOnce(const data::Database& db, state::SharedState& s, const QDate& today,
                            const std::function<void(int)>& afterLine) {
    TransferResult r;
    r.number = s.documentNumber;
    data::WriteScope w(db);
    if (!w.ok()) {
        r.error = w.error();
        return r;
    }
    // The confirmations of the year take turns, on every workstation.
    if ((r.error = w.lockKey(QStringLiteral("invte"), {s.documentYear})))
        return r;

    // The operator's lines in the order they were stored, each with the first
    // EAN row of its EAN (c.marbo_rid is Null when the EAN is unknown) and the
    // price-list row of its article: the EAN row's article, or, for an EAN
    // that is no EAN row (the scanned code of a weighed article, which carries
    // its price), the line's own article code. One statement instead of a
    // seek per line.
    const QString lineQuery =
        QStringLiteral("SELECT i.eanrig, i.quantita, i.codcasa, c.marbo_rid, c.codare, c.desart, a.codart, "
                       "a.desart, a.cofart, a.ivart, a.umart, a.cosmp, a.desfor, a.desgru "
                       "FROM inventario i "
                       "LEFT JOIN codean c ON c.marbo_rid = (SELECT c2.marbo_rid FROM codean c2 "
                       "WHERE c2.eanare = %1 ORDER BY c2.marbo_rid LIMIT 1) "
                       "LEFT JOIN listi01 a ON a.codart = "
                       "(CASE WHEN c.marbo_rid IS NULL THEN i.codcasa ELSE c.codare END) "
                       "WHERE i.oper = ? ORDER BY i.marbo_rid")
            .arg(db.textKey(QStringLiteral("trim(substr(i.eanrig, 1, 13))")));
    // The columns of the line query, in its order.
    enum {
        Ean,
        Quantity,
        LineCode,
        EanRow,
        Code,
        EanDescription,
        Article,
        Description,
        Cost,
        Vat,
        Unit,
        Cosmp,
        Supplier,
        Group
    };
    data::Error e;
    const std::vector<QVariantList> lines = db.rowsNative(lineQuery, {s.operatorNumber}, &e);
    if (e) {
        r.error = e;
        return r;
    }
    if (lines.empty())
        return r; // nothing to transfer, nothing written

    const auto number = freeNumber(db, s, &e);
    if (!number) {
        r.error = e;
        return r;
    }
    if (*number != s.documentNumber) {
        r.notice = QStringLiteral("Attenzione! Il numero %1 è già stato usato da un'altra postazione: "
                                  "l'inventario è registrato con il numero %2")
                       .arg(s.documentNumber)
                       .arg(*number);
        s.documentNumber = *number;
    }
    if (!writeHeader(db, s, today, &e) ||
        (e = writeBackNumber(db, s.userCode, s.numberingCode.text(), s.documentYear, s.documentNumber))) {
        r.error = e;
        return r;
    }
    r.headerWritten = true;

    // The document lines, many to a statement. The values go as given, as
    // they did one statement per line: counts, costs and totals are already
    // exact at their places.
    data::RowBatch documentLines(
        db, QStringLiteral("invmo"),
        {QStringLiteral("bns"),         QStringLiteral("bannoc"),   QStringLiteral("bnumer"),
         QStringLiteral("articoli"),    QStringLiteral("quantita"), QStringLiteral("unitam"),
         QStringLiteral("colli"),       QStringLiteral("tipmov"),   QStringLiteral("totrig"),
         QStringLiteral("descrizione"), QStringLiteral("iva"),      QStringLiteral("codute"),
         QStringLiteral("eanrig"),      QStringLiteral("costof"),   QStringLiteral("prezzo"),
         QStringLiteral("cosmp"),       QStringLiteral("bflag1"),   QStringLiteral("dsccolore"),
         QStringLiteral("taglia"),      QStringLiteral("desfor"),   QStringLiteral("desgru"),
         QStringLiteral("commesso"),    QStringLiteral("tipodoc")});
    documentLines.bindAsGiven();
    const QString documentType = s.documentType.trimmed();

    for (const QVariantList& line : lines) {
        s.ean = line[Ean].toString();
        // A count that adds up to 0 (or was never set) is not transferred.
        const auto quantity = Decimal::fromVariant(line[Quantity], 3);
        if (!quantity || quantity->isZero())
            continue;
        QVariant description = kNotFound, unit = QStringLiteral("XX"), vat = QStringLiteral("0 "),
                 cosmp = QVariant::fromValue(Decimal());
        QVariant desfor = QStringLiteral(""), desgru = QStringLiteral("");
        Decimal cost;
        if (!line[Article].isNull()) {
            // The article of the EAN row, or of the line's own code.
            s.articleCode = std::int32_t(line[Article].toLongLong());
            description = line[Description];
            cost = Decimal::fromVariant(line[Cost], 4).value_or(Decimal());
            vat = line[Vat].toString().left(2).leftJustified(2, QLatin1Char(' '));
            unit = line[Unit].isNull() ? QVariant(QStringLiteral("PZ")) : line[Unit];
            cosmp = exact(line[Cosmp], 4);
            desfor = line[Supplier].toString().left(35);
            desgru = line[Group].toString().left(20);
        } else if (!line[EanRow].isNull()) {
            // EAN rows but no price-list row: counted all the same (the
            // operator chose to keep it), under its article code, with the
            // placeholders of an unknown article and the EAN row's own
            // description when it has one.
            s.articleCode = std::int32_t(line[Code].toLongLong());
            if (!line[EanDescription].toString().trimmed().isEmpty())
                description = line[EanDescription];
        } else {
            s.articleCode = 999999;
        }
        const auto total = lineTotal(cost, *quantity);
        if (!total) {
            r.error = data::Error::make(data::Error::Kind::BadValue, QStringLiteral("invmo.totrig"),
                                        quantity->toText())
                          .in(db.location().path);
            return r;
        }
        if (s.lastLine == 32767) {
            r.error = data::Error::make(data::Error::Kind::BadValue, QStringLiteral("invmo.bns"),
                                        QStringLiteral("troppe righe in questa sessione"))
                          .in(db.location().path);
            return r;
        }
        ++s.lastLine;
        const QVariant count = QVariant::fromValue(*quantity);
        const QVariant costValue = QVariant::fromValue(cost);
        const QVariantList values{s.lastLine,
                                  s.documentYear,
                                  s.documentNumber,
                                  s.articleCode,
                                  count,
                                  unit,
                                  count,
                                  QStringLiteral("AR"),
                                  QVariant::fromValue(*total),
                                  description,
                                  vat,
                                  s.userCode,
                                  s.ean.trimmed(),
                                  costValue,
                                  costValue,
                                  cosmp,
                                  QVariant(),
                                  QStringLiteral("colore"),
                                  QStringLiteral("UNI"),
                                  desfor,
                                  desgru,
                                  QVariant(),
                                  documentType};
        if ((e = documentLines.add(values))) {
            r.error = e;
            return r;
        }
        ++r.linesWritten;
        if (afterLine)
            afterLine(r.linesWritten);
    }
    if ((e = documentLines.flush())) {
        r.error = e;
        return r;
    }
    r.error = w.commit();
    r.number = s.documentNumber;
    return r;
}

} // namespace

TransferResult transferInventory(const data::Database& db, state::SharedState& s, const QDate& today,
                                 const std::function<void(int)>& afterLine) {
    if (!db.ok())
        return TransferResult{db.error(), false, 0, s.documentNumber, {}};
    const std::int16_t lastLineBefore = s.lastLine;
    const std::int32_t numberBefore = s.documentNumber;
    for (int attempt = 1;; ++attempt) {
        const TransferResult r = transferOnce(db, s, today, afterLine);
        if (r.error.ok())
            return r;
        // Rolled back: the shared values as they were.
        s.lastLine = lastLineBefore;
        s.documentNumber = numberBefore;
        // The number was taken between the check and the header: again, and
        // this time the check finds it taken and moves on, with the notice.
        if (r.error.kind == data::Error::Kind::Duplicate && !r.headerWritten && attempt < kAttempts)
            continue;
        return TransferResult{r.error, false, 0, numberBefore, {}};
    }
}

} // namespace documents
