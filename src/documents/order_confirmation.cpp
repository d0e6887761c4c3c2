#include "documents/order_confirmation.h"

#include "data/schema.h"
#include "data/table.h"
#include "documents/price_comparison.h"

namespace documents {

NewOrderResult confirmNewOrder(const data::Database& work, const data::Database& comparison,
                               const QDate& today, const std::function<void(int, int)>& beforeLine) {
    NewOrderResult r;
    auto fail = [&r](const data::Error& e) {
        r = NewOrderResult{};
        r.error = e;
        return r;
    };
    data::WriteScope w(work);
    if (!w.ok())
        return fail(w.error());
    data::Error e;
    // Every line of every department, in the order they were stored.
    const std::vector<QVariantList> lines = work.rowsNative(
        QStringLiteral("SELECT eanrig, colli FROM ordine ORDER BY %1").arg(data::schema::kRowId), {}, &e);
    if (e)
        return fail(e);
    if (lines.empty()) {
        r.noLines = true;
        return r;
    }
    r.lines = int(lines.size());
    data::Table articoli = work.table(QStringLiteral("articoli"));
    articoli.setIndex(QStringLiteral("codean"));
    if (!articoli.ok())
        return fail(articoli.error());
    std::vector<ComparisonLine> handed;
    for (int i = 0; i < r.lines; ++i) {
        if (beforeLine)
            beforeLine(i + 1, r.lines);
        const QString ean = lines[size_t(i)][0].toString();
        const data::Decimal packs =
            data::Decimal::fromVariant(lines[size_t(i)][1], 3).value_or(data::Decimal());
        if (packs.isZero())
            continue;
        // Sought as the comparison seeks it: a 12-digit EAN with its leading zero.
        if (articoli.seek(comparisonEan(ean))) {
            articoli.edit();
            articoli.setValue(QStringLiteral("colliuo"), QVariant::fromValue(packs));
            articoli.setValue(QStringLiteral("datauo"), today);
            if (!articoli.update())
                return fail(articoli.error());
            ++r.lastOrders;
        } else if (!articoli.ok()) {
            return fail(articoli.error());
        }
        handed.push_back({ean, packs});
    }
    // The comparison commits first: once it holds the order, the last orders
    // follow; never the other way round.
    const ComparisonResult c = transferToPriceComparison(comparison, handed);
    if (c.error)
        return fail(c.error);
    r.handedOn = c.rowsWritten;
    if (data::Error done = w.commit())
        return fail(done);
    return r;
}

std::optional<OrderDocument> orderDocument(const data::Database& work, std::int32_t year, std::int32_t number,
                                           data::Error* error) {
    data::Error e;
    const auto row = work.rowNative(
        QStringLiteral("SELECT count(*), max(bdator) FROM movimenti WHERE bannoc = ? AND bnumer = ?"),
        {year, number}, &e);
    if (error)
        *error = e;
    if (!row)
        return std::nullopt;
    OrderDocument d;
    d.lines = row->at(0).toInt();
    const QVariant last = row->at(1);
    d.lastDate = last.typeId() == QMetaType::QDate ? last.toDate()
                                                   : QDate::fromString(last.toString().left(10), Qt::ISODate);
    return d;
}

std::optional<std::int32_t> lastOrderNumber(const data::Database& work, std::int32_t year,
                                            data::Error* error) {
    const QVariant v = work.scalarNative(QStringLiteral("SELECT max(bnumer) FROM movimenti WHERE bannoc = ?"),
                                         {year}, error);
    if (v.isNull())
        return std::nullopt;
    return std::int32_t(v.toLongLong());
}

} // namespace documents
