#include "documents/receipt_transfer.h"

#include "documents/new_document.h"
#include "documents/numbering.h"

namespace documents {

ConfirmResult confirmReceipt(const data::Database& db, state::SharedState& s, const QDate& today,
                             const QDate& documentDate, bool writeHeader, const LineProgress& afterLine) {
    if (s.userCode == 0)
        s.userCode = 1;
    // The articles and EANs of the lines are read at once, their counters moved
    // in memory line by line (an article on two lines moves by both, in order)
    // and written back at once with the document lines, after the last line.
    std::map<std::int32_t, ArticleRow> articles;
    std::map<QString, EanRow> eanRows;
    std::map<std::int32_t, ArticleStock> articleStock; // moved: written back
    std::map<QString, EanStock> eanStock;
    std::map<std::int32_t, data::Decimal> lastReceipt; // qultcar
    data::RowBatch lines(db, QStringLiteral("ordinif"), documentLineFields());
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
    d.beforeLines = [&](const std::vector<WorkingLine>& taken) -> data::Error {
        std::vector<std::int32_t> codes;
        std::vector<QString> eans;
        for (const WorkingLine& l : taken)
            if (!l.packs.isZero()) {
                codes.push_back(l.code);
                eans.push_back(documentEan(l.ean));
            }
        data::Error e;
        articles = readArticles(db, QStringLiteral("listi01"), codes, QStringLiteral("przart"), true, &e);
        if (!e)
            eanRows = readEans(db, eans, &e);
        return e;
    };
    d.line = [&](const WorkingLine& l, std::int32_t number, std::int16_t bns) -> data::Error {
        data::Error e;
        const auto found = articles.find(l.code);
        const ArticleData a = found == articles.end() ? ArticleData() : found->second.data;
        if (a.found) {
            // The last receipt and the stock, moved under the stock lock.
            auto [stock, first] = articleStock.try_emplace(l.code);
            if (first) {
                const ArticleRow& r = found->second;
                stock->second = {r.qinv, r.qacq, r.qres, r.qven, r.cosmp, {}, {}};
            }
            lastReceipt[l.code] = l.packs;
            if ((e = moveArticleStock(stock->second, StockMove::Received, l.pieces)))
                return e;
        }
        const QString ean = documentEan(l.ean);
        const auto pieces = a.pack * l.packs;
        const auto total = pieces ? *pieces * a.price : std::nullopt;
        if (!total)
            return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("ordinif.totrig"));
        if ((e = lines.add({s.userCode,
                            s.documentYear,
                            number,
                            bns,
                            today,
                            l.code,
                            a.unit,
                            dec(a.pack),
                            dec(a.price),
                            dec(a.price),
                            dec(l.pieces),
                            dec(l.pieces),
                            dec(l.packs),
                            dec(l.packs),
                            a.description,
                            a.vat,
                            a.group.left(20),
                            ean,
                            QStringLiteral("AR"),
                            dec(*total)})))
            return e;
        if (ean.isEmpty())
            return {}; // an article entered by its code: no EAN row to move
        const auto row = eanRows.find(eanKey(ean));
        if (row == eanRows.end())
            return {};
        auto [stock, first] = eanStock.try_emplace(row->first);
        if (first)
            stock->second = {row->second.einv, row->second.eacq, row->second.eres, row->second.even, {}};
        return moveEanStock(stock->second, StockMove::Received, l.pieces);
    };
    d.afterLines = [&]() -> data::Error {
        if (data::Error e = lines.flush())
            return e;
        data::RowBatch prices(db, QStringLiteral("listi01"),
                              {QStringLiteral("qultcar"), QStringLiteral("dultcar"), QStringLiteral("qacq"),
                               QStringLiteral("qgia"), QStringLiteral("valgia")},
                              true);
        for (const auto& [code, stock] : articleStock)
            if (data::Error e = prices.add({articles.at(code).rowId, dec(lastReceipt.at(code)), today,
                                            dec(stock.qacq), dec(stock.qgia), dec(stock.valgia)}))
                return e;
        if (data::Error e = prices.flush())
            return e;
        data::RowBatch codes(db, QStringLiteral("codean"), {QStringLiteral("eacq"), QStringLiteral("egia")},
                             true);
        for (const auto& [key, stock] : eanStock)
            if (data::Error e = codes.add({eanRows.at(key).rowId, dec(stock.eacq), dec(stock.egia)}))
                return e;
        return codes.flush();
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
