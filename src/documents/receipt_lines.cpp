#include "documents/receipt_lines.h"

#include "data/dialect.h"
#include "data/recordset.h"
#include "data/table.h"
#include "documents/line_article.h"

namespace documents {

namespace {

QString operatorLines(const state::SharedState& s) {
    return QStringLiteral("SELECT * FROM carico WHERE oper = ") + QString::number(s.operatorNumber);
}

QString articleLine(const state::SharedState& s, std::int32_t code) {
    return operatorLines(s) + QStringLiteral(" and codcasa = ") + QString::number(code);
}

} // namespace

data::Error storeReceiptLine(const data::Database& lines, const data::Database& articles,
                             const state::SharedState& s, const ReceiptScan& scan) {
    data::Error e;
    const auto article = LineArticle::of(articles, scan.code, &e);
    if (!article)
        return e;
    data::WriteScope w(lines);
    if (!w.ok())
        return w.error();
    if (data::Error locked = w.lockKey(QStringLiteral("carico"), {s.operatorNumber, scan.code}))
        return locked;
    auto writeFields = [&](auto& line) {
        line.setValue(QStringLiteral("descrizione"), scan.description.left(35));
        article->writeTo(line);
        line.setValue(QStringLiteral("desfor"), s.supplierName.text().left(35));
        line.setValue(QStringLiteral("codfor"), s.supplierCode);
        line.addTo(QStringLiteral("colli"), scan.packages);
        line.addTo(QStringLiteral("quantita"), scan.quantity);
    };
    data::Recordset found = lines.query(articleLine(s, scan.code));
    if (!found.ok())
        return found.error();
    if (!found.eof()) {
        found.edit();
        writeFields(found);
        if (!found.update())
            return found.error();
    } else {
        data::Table t = lines.table(QStringLiteral("carico"));
        t.addNew();
        t.setValue(QStringLiteral("codcasa"), scan.code);
        t.setValue(QStringLiteral("eanrig"), scan.ean);
        writeFields(t);
        t.setValue(QStringLiteral("oper"), s.operatorNumber);
        if (!t.update())
            return t.error();
    }
    return w.commit();
}

std::optional<data::Decimal> receiptLineQuantity(const data::Database& lines, const state::SharedState& s,
                                                 std::int32_t code, data::Error* error) {
    data::Recordset found = lines.query(articleLine(s, code));
    if (error)
        *error = found.error();
    if (!found.ok() || found.eof())
        return std::nullopt;
    return found.decimal(QStringLiteral("quantita"));
}

data::Error deleteReceiptLine(const data::Database& lines, const state::SharedState& s, std::int32_t code,
                              const QString& ean) {
    data::WriteScope w(lines);
    if (!w.ok())
        return w.error();
    data::Recordset found =
        lines.query(code != 0 ? articleLine(s, code)
                              : operatorLines(s) + QStringLiteral(" and eanrig = ") + data::quoted(ean));
    if (!found.ok())
        return found.error();
    if (!found.eof() && !found.remove())
        return found.error();
    return w.commit();
}

} // namespace documents
