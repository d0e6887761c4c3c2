#include "documents/quantity_first_lines.h"

#include "articles/article_reads.h"
#include "data/dialect.h"
#include "data/recordset.h"
#include "data/table.h"
#include "documents/line_article.h"
#include "documents/supplier_order_transfer.h"

namespace documents {

QuantityFirstTable QuantityFirstTable::returns() {
    return {QStringLiteral("resi"), {}};
}

QuantityFirstTable QuantityFirstTable::supplierOrder() {
    return {QStringLiteral("ordine"), supplierOrderLines()};
}

QString QuantityFirstTable::onlyLines() const {
    return linesFilter.isEmpty() ? QString() : QStringLiteral(" WHERE ") + linesFilter;
}

QString LineKey::criterion() const {
    if (hasEan())
        return QStringLiteral("eanrig = ") + data::quoted(ean);
    return QStringLiteral("(eanrig is null or eanrig = '') and codcasa = ") + QString::number(code);
}

std::optional<LineKey> lineKeyOf(const data::Database& work, const QString& ean, std::int32_t code,
                                 data::Error* error) {
    LineKey key{ean, code};
    if (key.hasEan() || code == 0)
        return key;
    data::Error e;
    if (const auto first = articles::eanOfCode(work, code, &e))
        key.ean = *first;
    if (e) {
        *error = e;
        return std::nullopt;
    }
    return key;
}

namespace {

QString lineOf(const QuantityFirstTable& t, const LineKey& key) {
    return QStringLiteral("SELECT * FROM ") + t.table + QStringLiteral(" WHERE ") +
           (t.linesFilter.isEmpty() ? QString() : t.linesFilter + QStringLiteral(" and ")) + key.criterion();
}

} // namespace

std::optional<data::Decimal> storedPackages(const data::Database& work, const QuantityFirstTable& t,
                                            const LineKey& key, data::Error* error) {
    data::Recordset line = work.query(lineOf(t, key));
    if (error)
        *error = line.error();
    if (!line.ok() || line.eof())
        return std::nullopt;
    return line.decimal(QStringLiteral("colli"));
}

data::Error storeQuantityFirstLine(const data::Database& work, const QuantityFirstTable& t,
                                   const state::SharedState& s, const QuantityFirstScan& scan) {
    data::Error e;
    const auto article = LineArticle::of(work, scan.code, &e);
    if (!article)
        return e;
    const auto pieces = article->pack * scan.packages;
    if (!pieces)
        return data::Error::make(data::Error::Kind::BadValue, t.table + QStringLiteral(".quantita"))
            .in(work.location().path);
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    const QVariantList lockedKey =
        scan.key.hasEan() ? QVariantList{scan.key.ean} : QVariantList{QString(), scan.key.code};
    if (data::Error locked = w.lockKey(t.table, lockedKey))
        return locked;
    auto writeFields = [&](auto& line) {
        line.setValue(QStringLiteral("descrizione"), scan.description.left(50));
        article->writeTo(line);
        line.setValue(QStringLiteral("colli"), QVariant::fromValue(scan.packages));
        line.setValue(QStringLiteral("quantita"), QVariant::fromValue(pieces->rounded(3)));
        line.setValue(QStringLiteral("desfor"), s.supplierName.text().left(35));
        line.setValue(QStringLiteral("codfor"), s.supplierCode);
    };
    data::Recordset found = work.query(lineOf(t, scan.key));
    if (!found.ok())
        return found.error();
    if (!found.eof()) {
        found.edit();
        writeFields(found);
        if (!found.update())
            return found.error();
    } else {
        data::Table line = work.table(t.table);
        line.addNew();
        line.setValue(QStringLiteral("codcasa"), scan.code);
        line.setValue(QStringLiteral("eanrig"), scan.key.ean);
        writeFields(line);
        if (!line.update())
            return line.error();
    }
    return w.commit();
}

data::Error deleteQuantityFirstLine(const data::Database& work, const QuantityFirstTable& t,
                                    const LineKey& key) {
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    data::Recordset found = work.query(lineOf(t, key));
    if (!found.ok())
        return found.error();
    if (!found.eof() && !found.remove())
        return found.error();
    return w.commit();
}

} // namespace documents
