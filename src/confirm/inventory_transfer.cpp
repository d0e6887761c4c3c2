#include "confirm/inventory_transfer.h"

#include "articles/readings.h"
#include "data/recordset.h"
#include "data/table.h"
#include "shell/numbering.h"

namespace confirm {

namespace {

const QString kNotFound = QStringLiteral("AAAAAA Articolo non Trovato !!!!");

// A header under this number already exists when another workstation took the
// same number since the inventory menu opened: the next free number is used.
std::optional<std::int32_t> freeNumber(const data::Database& db, const shell::SharedState& s,
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

bool writeHeader(const data::Database& db, const shell::SharedState& s, const QDate& today, data::Error* e) {
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

TransferResult transferInventory(const data::Database& db, shell::SharedState& s, const QDate& today,
                                 const std::function<void(int)>& afterLine) {
    TransferResult r;
    r.number = s.documentNumber;
    if (!db.ok()) {
        r.error = db.error();
        return r;
    }
    data::Recordset lines = db.query(QStringLiteral("SELECT * FROM inventario WHERE oper = ") +
                                     QString::number(s.operatorNumber));
    if (lines.eof()) {
        r.error = lines.error();
        return r; // nothing to transfer, nothing written
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

    data::Error e;
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
    if ((e = shell::writeBackNumber(db, s.userCode, s.numberingCode.text(), s.documentYear,
                                    s.documentNumber)))
        return fail(e);
    r.headerWritten = true;

    data::Table codean = db.table(QStringLiteral("codean"));
    codean.setIndex(QStringLiteral("keyean"));
    data::Table listi = db.table(QStringLiteral("listi01"));
    listi.setIndex(QStringLiteral("primary"));
    data::Table invmo = db.table(QStringLiteral("invmo"));
    if (!codean.ok() || !listi.ok() || !invmo.ok())
        return fail(!codean.ok() ? codean.error() : !listi.ok() ? listi.error() : invmo.error());

    for (lines.moveFirst(); !lines.eof(); lines.moveNext()) {
        const double quantity = lines.value(QStringLiteral("quantita")).toDouble();
        s.ean = lines.value(QStringLiteral("eanrig")).toString();
        if (quantity == 0)
            continue;
        QVariant description = kNotFound, unit = QStringLiteral("XX"), vat = QStringLiteral("0 "),
                 cosmp = 0.0;
        QVariant desfor = QStringLiteral(""), desgru = QStringLiteral("");
        double cost = 0;
        if (!codean.seek(s.ean.text())) {
            if (!codean.ok())
                return fail(codean.error());
            s.articleCode = 999999;
        } else {
            s.articleCode = std::int32_t(codean.value(QStringLiteral("codare")).toLongLong());
            if (!listi.seek(s.articleCode)) {
                if (!listi.ok())
                    return fail(listi.error());
                continue; // an article without a price-list row is not transferred
            }
            description = listi.value(QStringLiteral("desart"));
            cost = articles::roundHalfEven(listi.value(QStringLiteral("cofart")).toDouble(), 4);
            vat = listi.value(QStringLiteral("ivart")).toString().left(2).leftJustified(2, QLatin1Char(' '));
            const QVariant um = listi.value(QStringLiteral("umart"));
            unit = um.isNull() ? QVariant(QStringLiteral("PZ")) : um;
            cosmp = listi.value(QStringLiteral("cosmp"));
            desfor = listi.value(QStringLiteral("desfor")).toString().left(35);
            desgru = listi.value(QStringLiteral("desgru")).toString().left(20);
        }
        if (s.lastLine == 32767)
            return fail(data::Error::make(data::Error::Kind::BadValue, QStringLiteral("invmo.bns"),
                                          QStringLiteral("troppe righe in questa sessione")));
        ++s.lastLine;
        invmo.addNew();
        const std::pair<const char*, QVariant> fields[] = {
            {"bns", s.lastLine},
            {"bannoc", s.documentYear},
            {"bnumer", s.documentNumber},
            {"articoli", s.articleCode},
            {"quantita", quantity},
            {"unitam", unit},
            {"colli", quantity},
            {"tipmov", QStringLiteral("AR")},
            {"totrig", articles::roundHalfEven(cost * quantity, 2)},
            {"descrizione", description},
            {"iva", vat},
            {"codute", s.userCode},
            {"eanrig", s.ean.text()},
            {"costof", cost},
            {"prezzo", cost},
            {"cosmp", cosmp},
            {"bflag1", QVariant()},
            {"dsccolore", QStringLiteral("colore")},
            {"taglia", QStringLiteral("UNI")},
            {"desfor", desfor},
            {"desgru", desgru},
            {"commesso", QVariant()},
            {"tipodoc", s.documentType.text()},
        };
        for (const auto& [name, value] : fields)
            invmo.setValue(QString::fromLatin1(name), value);
        if (!invmo.ok() || !invmo.update())
            return fail(invmo.error());
        ++r.linesWritten;
        if (afterLine)
            afterLine(r.linesWritten);
    }
    if (!lines.ok() && lines.error().kind != data::Error::Kind::NoCurrentRow)
        return fail(lines.error());
    if ((e = db.commit()))
        return fail(e);
    r.number = s.documentNumber;
    return r;
}

data::Error deleteInventory(const data::Database& db, std::int16_t oper) {
    // One statement: all of the operator's lines or none.
    return db.execute(QStringLiteral("DELETE FROM inventario WHERE oper = ") + QString::number(oper));
}

} // namespace confirm
