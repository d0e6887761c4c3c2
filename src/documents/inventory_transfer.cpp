#include "documents/inventory_transfer.h"

#include "articles/readings.h"
#include "data/table.h"
#include "documents/numbering.h"

namespace documents {

namespace {

const QString kNotFound = QStringLiteral("AAAAAA Articolo non Trovato !!!!");

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

} // namespace

TransferResult transferInventory(const data::Database& db, state::SharedState& s, const QDate& today,
                                 const std::function<void(int)>& afterLine) {
    TransferResult r;
    r.number = s.documentNumber;
    if (!db.ok()) {
        r.error = db.error();
        return r;
    }
    const std::int16_t lastLineBefore = s.lastLine;
    const std::int32_t numberBefore = s.documentNumber;
    auto fail = [&](data::Error e) {
        db.rollback();
        s.lastLine = lastLineBefore;
        s.documentNumber = numberBefore;
        r = TransferResult{};
        r.error = e.ok() ? data::Error::make(data::Error::Kind::Engine, QStringLiteral("trasferimento")) : e;
        r.number = numberBefore;
        return r;
    };
    if (data::Error e = db.begin())
        return fail(e);

    // The operator's lines in the order they were stored, each with the first
    // EAN row of its code (c.marbo_rid is Null when the EAN is unknown) and
    // that article's price-list row: one statement instead of a seek per line.
    data::Error e;
    const QString ean = QStringLiteral("trim(substr(i.eanrig, 1, 13))");
    const QString lineQuery =
        QStringLiteral("SELECT i.eanrig, i.quantita, c.marbo_rid, c.codare, a.codart, a.desart, a.cofart, "
                       "a.ivart, a.umart, a.cosmp, a.desfor, a.desgru "
                       "FROM inventario i "
                       "LEFT JOIN codean c ON c.marbo_rid = (SELECT c2.marbo_rid FROM codean c2 "
                       "WHERE c2.eanare = %1 ORDER BY c2.marbo_rid LIMIT 1) "
                       "LEFT JOIN listi01 a ON a.codart = c.codare "
                       "WHERE i.oper = ? ORDER BY i.marbo_rid")
            .arg(db.engine() == data::Engine::Postgres ? QStringLiteral("CAST(%1 AS citext)").arg(ean) : ean);
    // The columns of the line query, in its order.
    enum { Ean, Quantity, EanRow, Code, Article, Description, Cost, Vat, Unit, Cosmp, Supplier, Group };
    const std::vector<QVariantList> lines = db.rowsNative(lineQuery, {s.operatorNumber}, &e);
    if (e)
        return fail(e);
    if (lines.empty()) {
        db.rollback();
        return r; // nothing to transfer, nothing written
    }

    const auto number = freeNumber(db, s, &e);
    if (!number)
        return fail(e);
    if (*number != s.documentNumber) {
        r.notice = QStringLiteral("Attenzione! Il numero %1 è già stato usato da un'altra postazione: "
                                  "l'inventario è registrato con il numero %2")
                       .arg(s.documentNumber)
                       .arg(*number);
        s.documentNumber = *number;
    }
    if (!writeHeader(db, s, today, &e))
        return fail(e);
    if ((e = writeBackNumber(db, s.userCode, s.numberingCode.text(), s.documentYear, s.documentNumber)))
        return fail(e);
    r.headerWritten = true;

    // One prepared insert per document line.
    const QString insert = QStringLiteral(
        "INSERT INTO invmo (bns, bannoc, bnumer, articoli, quantita, unitam, colli, tipmov, totrig, "
        "descrizione, "
        "iva, codute, eanrig, costof, prezzo, cosmp, bflag1, dsccolore, taglia, desfor, desgru, commesso, "
        "tipodoc) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, 'AR', ?, ?, ?, ?, ?, ?, ?, ?, NULL, 'colore', 'UNI', ?, ?, NULL, ?)");
    const QString documentType = s.documentType.trimmed();

    for (const QVariantList& line : lines) {
        const double quantity = line[Quantity].toDouble();
        s.ean = line[Ean].toString();
        if (quantity == 0)
            continue;
        QVariant description = kNotFound, unit = QStringLiteral("XX"), vat = QStringLiteral("0 "),
                 cosmp = 0.0;
        QVariant desfor = QStringLiteral(""), desgru = QStringLiteral("");
        double cost = 0;
        if (line[EanRow].isNull()) {
            s.articleCode = 999999;
        } else {
            s.articleCode = std::int32_t(line[Code].toLongLong());
            if (line[Article].isNull())
                continue; // an article without a price-list row is not transferred
            description = line[Description];
            cost = articles::roundHalfEven(line[Cost].toDouble(), 4);
            vat = line[Vat].toString().left(2).leftJustified(2, QLatin1Char(' '));
            unit = line[Unit].isNull() ? QVariant(QStringLiteral("PZ")) : line[Unit];
            cosmp = line[Cosmp].isNull() ? QVariant()
                                         : QVariant(articles::roundHalfEven(line[Cosmp].toDouble(), 4));
            desfor = line[Supplier].toString().left(35);
            desgru = line[Group].toString().left(20);
        }
        if (s.lastLine == 32767)
            return fail(data::Error::make(data::Error::Kind::BadValue, QStringLiteral("invmo.bns"),
                                          QStringLiteral("troppe righe in questa sessione")));
        ++s.lastLine;
        const QVariantList values{s.lastLine,
                                  s.documentYear,
                                  s.documentNumber,
                                  s.articleCode,
                                  quantity,
                                  unit,
                                  quantity,
                                  articles::roundHalfEven(cost * quantity, 2),
                                  description,
                                  vat,
                                  s.userCode,
                                  s.ean.trimmed(),
                                  cost,
                                  cost,
                                  cosmp,
                                  desfor,
                                  desgru,
                                  documentType};
        if ((e = db.executeNative(insert, values)))
            return fail(e);
        ++r.linesWritten;
        if (afterLine)
            afterLine(r.linesWritten);
    }
    if ((e = db.commit()))
        return fail(e);
    r.number = s.documentNumber;
    return r;
}

} // namespace documents
