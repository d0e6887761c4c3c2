#include "documents/receipt_transfer.h"

#include "documents/new_document.h"
#include "documents/numbering.h"

namespace documents {

ConfirmResult confirmReceipt(const data::Database& db, state::SharedState& s, const QDate& today,
                             const QDate& documentDate, bool writeHeader, const LineProgress& afterLine) {
    if (s.userCode == 0)
        s.userCode = 1;
    data::Table listi01 = db.table(QStringLiteral("listi01"));
    listi01.setIndex(QStringLiteral("primary"));
    data::Table codean = db.table(QStringLiteral("codean"));
    codean.setIndex(QStringLiteral("keyean"));
    data::Table lines = db.table(QStringLiteral("ordinif"));
    const QString supplier = s.supplierName.text().left(35).trimmed();

    NewDocument d;
    d.headerTable = QStringLiteral("testaof");
    d.numberTakenNotice = QStringLiteral("Attenzione! Il numero %1 è già stato usato da un'altra postazione: "
                                         "il carico è registrato con il numero %2");
    d.writeHeader = writeHeader;
    d.workingTable = QStringLiteral("carico");
    d.locks = {kStockLock};
    d.afterLine = afterLine;
    d.header = [&](std::int32_t number) -> data::Error {
        data::Table t = db.table(QStringLiteral("testaof"));
        t.addNew();
        if (data::Error e = saveRow(t, {{"codutente", s.userCode},
                                        {"anno", s.documentYear},
                                        {"numero", number},
                                        {"dataor", documentDate},
                                        {"dscfornitore", supplier},
                                        {"codfor", s.supplierCode},
                                        {"fl1ts", QStringLiteral("E")},
                                        {"fl3ts", QStringLiteral("F")},
                                        {"fl2ts", QStringLiteral("")},
                                        {"dataco", today},
                                        {"tipodoc", QStringLiteral("FATTACQIMM")}}))
            return e;
        return writeBackNumber(db, s.userCode, QStringLiteral("CF"), s.documentYear, number);
    };
    d.line = [&](const WorkingLine& l, std::int32_t number, std::int16_t bns) -> data::Error {
        data::Error e;
        const ArticleData a = readArticle(listi01, l.code, QStringLiteral("przart"), &e);
        if (e)
            return e;
        if (a.found) {
            // The last receipt and the stock, read and written under the stock lock.
            listi01.edit();
            listi01.setValue(QStringLiteral("qultcar"), dec(l.packs));
            listi01.setValue(QStringLiteral("dultcar"), today);
            if ((e = moveArticleStock(listi01, StockMove::Received, l.pieces)))
                return e;
            if (!listi01.update())
                return listi01.error();
        }
        const QString ean = documentEan(l.ean);
        const auto pieces = a.pack * l.packs;
        const auto total = pieces ? *pieces * a.price : std::nullopt;
        if (!total)
            return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("ordinif.totrig"));
        lines.addNew();
        if ((e = saveRow(lines, {{"codutente", s.userCode},
                                 {"bannoc", s.documentYear},
                                 {"bnumer", number},
                                 {"bns", bns},
                                 {"bdator", today},
                                 {"articoli", l.code},
                                 {"unitam", a.unit},
                                 {"imballo", dec(a.pack)},
                                 {"costob", dec(a.price)},
                                 {"costof", dec(a.price)},
                                 {"quantita", dec(l.pieces)},
                                 {"quanci", dec(l.pieces)},
                                 {"collic", dec(l.packs)},
                                 {"colli", dec(l.packs)},
                                 {"descrizione", a.description},
                                 {"iva", a.vat},
                                 {"desgru", a.group.left(20)},
                                 {"eanrig", ean},
                                 {"tipmov", QStringLiteral("AR")},
                                 {"totrig", dec(*total)}})))
            return e;
        if (ean.isEmpty())
            return {}; // an article entered by its code: no EAN row to move
        if (!codean.seek(QVariant(ean)))
            return codean.ok() ? data::Error() : codean.error();
        codean.edit();
        if ((e = moveEanStock(codean, StockMove::Received, l.pieces)))
            return e;
        return codean.update() ? data::Error() : codean.error();
    };
    ConfirmResult r = writeNewDocument(db, s, d);
    if (r.ok() && !r.noLines) {
        s.documentDate = documentDate;
        if (writeHeader)
            s.numberingCode = QStringLiteral("CF");
    }
    return r;
}

} // namespace documents
