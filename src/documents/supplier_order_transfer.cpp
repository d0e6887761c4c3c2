#include "documents/supplier_order_transfer.h"

#include "documents/new_document.h"
#include "documents/numbering.h"

namespace documents {

QString supplierOrderLines() {
    return QStringLiteral("coalesce(trim(tipord), '') = ''");
}

ConfirmResult confirmSupplierOrder(const data::Database& db, state::SharedState& s, const QDate& today,
                                   const QDate& documentDate, bool writeHeader,
                                   const LineProgress& afterLine) {
    if (s.userCode == 0)
        s.userCode = 1;
    data::Table listi01 = db.table(QStringLiteral("listi01"));
    listi01.setIndex(QStringLiteral("primary"));
    data::Table lines = db.table(QStringLiteral("ordini"));

    NewDocument d;
    d.headerTable = QStringLiteral("testao");
    d.numberTakenNotice = QStringLiteral("Attenzione! Il numero %1 è già stato usato da un'altra postazione: "
                                         "l'ordine è registrato con il numero %2");
    d.writeHeader = writeHeader;
    d.workingTable = QStringLiteral("ordine");
    d.condition = supplierOrderLines();
    d.afterLine = afterLine;
    d.header = [&](std::int32_t number) -> data::Error {
        data::Table t = db.table(QStringLiteral("testao"));
        t.addNew();
        if (data::Error e = saveRow(t, {{"codutente", s.userCode},
                                        {"anno", s.documentYear},
                                        {"numero", number},
                                        {"dataor", documentDate},
                                        {"dscfornitore", s.supplierName.text().left(35).trimmed()},
                                        {"codfor", s.supplierCode},
                                        {"codlis", s.priceList.text()},
                                        {"fl1ts", QStringLiteral(" ")}, // open
                                        {"fl3ts", QStringLiteral("N")},
                                        {"fl2ts", QStringLiteral("O")},
                                        {"dataco", today},
                                        {"tipodoc", QStringLiteral("ORDFOR")}}))
            return e;
        return writeBackNumber(db, s.userCode, QStringLiteral("OF"), s.documentYear, number);
    };
    d.line = [&](const WorkingLine& l, std::int32_t number, std::int16_t bns) -> data::Error {
        data::Error e;
        const ArticleData a = readArticle(listi01, l.code, QStringLiteral("przart"), &e);
        if (e)
            return e;
        if (a.found) {
            listi01.edit();
            if ((e = saveRow(listi01, {{"colliuo", dec(l.packs)}, {"datauo", today}})))
                return e;
        }
        const auto pieces = a.pack * l.packs;
        const auto total = pieces ? *pieces * a.price : std::nullopt;
        if (!total)
            return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("ordini.totrig"));
        const QVariant ordered = dec(pieces->rounded(3));
        lines.addNew();
        return saveRow(lines, {{"codutente", s.userCode},
                               {"bannoc", s.documentYear},
                               {"bnumer", number},
                               {"bns", bns},
                               {"bdator", today},
                               {"articoli", l.code},
                               {"unitam", a.unit},
                               {"imballo", dec(a.pack)},
                               {"costob", dec(a.price)},
                               {"costof", dec(a.price)},
                               {"quantita", ordered},
                               {"quanci", dec({})}, // received on the handheld later
                               {"collic", dec({})},
                               {"colli", ordered},
                               {"descrizione", a.description},
                               {"iva", a.vat},
                               {"desgru", a.group.left(20)},
                               {"eanrig", documentEan(l.ean)},
                               {"tipmov", QStringLiteral("AR")},
                               {"totrig", dec(*total)}});
    };
    ConfirmResult r = writeNewDocument(db, s, d);
    if (r.ok() && !r.noLines) {
        s.documentDate = documentDate;
        if (writeHeader)
            s.numberingCode = QStringLiteral("OF");
    }
    return r;
}

} // namespace documents
