#include "documents/price_comparison.h"

#include "data/table.h"

namespace documents {

bool priceComparisonExists(const data::Database& comparison) {
    return comparison.error().kind != data::Error::Kind::MissingFile;
}

QString comparisonEan(const QString& ean) {
    const QString e = ean.trimmed();
    return e.size() < 13 ? QString(13 - e.size(), QLatin1Char('0')) + e : e;
}

int cheapestSupplier(const std::array<QVariant, 4>& costs) {
    const data::Decimal none = data::Decimal::fromInt(9999);
    int best = 0;
    data::Decimal lowest;
    for (int i = 0; i < 4; ++i) {
        const auto cost = data::Decimal::fromVariant(costs[size_t(i)]);
        const data::Decimal c = cost && !cost->isZero() ? *cost : none;
        if (i == 0 || c < lowest) {
            best = i;
            lowest = c;
        }
    }
    return best;
}

ComparisonResult transferToPriceComparison(const data::Database& comparison,
                                           const std::vector<ComparisonLine>& lines) {
    ComparisonResult r;
    auto fail = [&r](const data::Error& e) {
        r = ComparisonResult{};
        r.error = e;
        return r;
    };
    data::WriteScope w(comparison);
    if (!w.ok())
        return fail(w.error());
    data::Table articoli = comparison.table(QStringLiteral("articoli"));
    articoli.setIndex(QStringLiteral("codean"));
    if (!articoli.ok())
        return fail(articoli.error());
    for (const ComparisonLine& line : lines) {
        if (!articoli.seek(comparisonEan(line.ean))) {
            if (!articoli.ok())
                return fail(articoli.error());
            ++r.rowsMissing;
            continue;
        }
        std::array<QVariant, 4> costs;
        for (int i = 0; i < 4; ++i)
            costs[size_t(i)] = articoli.value(QStringLiteral("costo%1").arg(i + 1));
        const int winner = cheapestSupplier(costs);
        articoli.edit();
        for (int i = 0; i < 4; ++i)
            articoli.setValue(QStringLiteral("colli%1").arg(i + 1),
                              QVariant::fromValue(i == winner ? line.packs : data::Decimal()));
        articoli.setValue(QStringLiteral("sel"), QStringLiteral("X"));
        if (!articoli.update())
            return fail(articoli.error());
        ++r.rowsWritten;
    }
    if (data::Error e = w.commit())
        return fail(e);
    return r;
}

} // namespace documents
