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
    // The articles of the lines are read at once and written back at once with
    // the document lines, after the last line.
    std::map<std::int32_t, ArticleRow> articles;
    std::map<std::int32_t, data::Decimal> lastOrder; // colliuo: the article's last line counts
    data::RowBatch lines(db, QStringLiteral("ordini"), documentLineFields());

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
    d.beforeLines = [&](const std::vector<WorkingLine>& taken) -> data::Error {
        std::vector<std::int32_t> codes;
        for (const WorkingLine& l : taken)
            if (!l.packs.isZero())
                codes.push_back(l.code);
        data::Error e;
        articles = readArticles(db, QStringLiteral("listi01"), codes, QStringLiteral("przart"), false, &e);
        return e;
    };
    d.line = [&](const WorkingLine& l, std::int32_t number, std::int16_t bns) -> data::Error {
        const auto found = articles.find(l.code);
        const ArticleData a = found == articles.end() ? ArticleData() : found->second.data;
        if (a.found)
            lastOrder[l.code] = l.packs;
        const auto pieces = a.pack * l.packs;
        const auto total = pieces ? *pieces * a.price : std::nullopt;
        if (!total)
            return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("ordini.totrig"));
        const QVariant ordered = dec(pieces->rounded(3));
        return lines.add({s.userCode,
                          s.documentYear,
                          number,
                          bns,
                          today,
                          l.code,
                          a.unit,
                          dec(a.pack),
                          dec(a.price),
                          dec(a.price),
                          ordered,
                          dec({}), // received on the handheld later
                          dec({}),
                          ordered,
                          a.description,
                          a.vat,
                          a.group.left(20),
                          documentEan(l.ean),
                          QStringLiteral("AR"),
                          dec(*total)});
    };
    d.afterLines = [&]() -> data::Error {
        if (data::Error e = lines.flush())
            return e;
        data::RowBatch prices(db, QStringLiteral("listi01"),
                              {QStringLiteral("colliuo"), QStringLiteral("datauo")}, true);
        for (const auto& [code, packs] : lastOrder)
            if (data::Error e = prices.add({articles.at(code).rowId, dec(packs), today}))
                return e;
        return prices.flush();
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
