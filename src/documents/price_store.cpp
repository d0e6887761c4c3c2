#include "documents/price_store.h"

#include "articles/article_reads.h"
#include "data/recordset.h"
#include "data/table.h"

namespace documents {

namespace {

const QString kYes = QStringLiteral("S");

} // namespace

SalePriceStore storeSalePrice(const data::Database& store, const QString& ean, data::Decimal newPrice,
                              std::optional<data::Decimal> margin) {
    SalePriceStore r;
    auto failed = [&r](const data::Error& e) {
        r = SalePriceStore{};
        r.error = e;
        return r;
    };
    data::WriteScope w(store);
    if (!w.ok())
        return failed(w.error());
    data::Error e;
    const auto code = articles::codeOfEan(store, ean, &e);
    if (e)
        return failed(e);
    if (!code) {
        r.status = SalePriceStore::Status::UnknownEan;
        return r;
    }
    r.code = *code;
    // Two handhelds changing the price of one article write one after the other.
    if (data::Error l = w.lockKey(QStringLiteral("listi01"), {*code}))
        return failed(l);

    data::Recordset rows = store.query(QStringLiteral("SELECT * FROM codean WHERE codare=") +
                                       QString::number(*code) + QStringLiteral(" ORDER BY eanare"));
    for (; rows.ok() && !rows.eof(); rows.moveNext()) {
        rows.edit();
        rows.setValue(QStringLiteral("flagean"), kYes);
        rows.setValue(QStringLiteral("sta_eti"), kYes);
        const bool ownPrice = rows.value(QStringLiteral("aggi")).toString() == QLatin1String("A");
        if (ownPrice && !newPrice.isZero()) {
            const qlonglong stored = rows.value(QStringLiteral("pezzix")).toLongLong();
            const std::int32_t pieces = stored == 0 ? 1 : std::int32_t(stored);
            const auto unitPrice = data::Decimal::fromInt(pieces) * newPrice;
            if (!unitPrice)
                return failed(data::Error::make(data::Error::Kind::BadValue, QStringLiteral("codean.prezzox"))
                                  .in(store.location().path));
            rows.setValue(QStringLiteral("prezzo"), QVariant::fromValue(newPrice));
            rows.setValue(QStringLiteral("pezzix"), pieces);
            rows.setValue(QStringLiteral("prezzox"), QVariant::fromValue(unitPrice->rounded(2)));
            ++r.priced;
        }
        if (!rows.update())
            return failed(rows.error());
        ++r.marked;
    }
    if (!rows.ok())
        return failed(rows.error());

    if (margin) {
        auto listi = articles::priceListRow(store, *code, &e);
        if (e)
            return failed(e);
        if (listi) {
            listi->edit();
            listi->setValue(QStringLiteral("przpub"), QVariant::fromValue(newPrice));
            listi->setValue(QStringLiteral("marg"), QVariant::fromValue(*margin));
            if (!listi->update())
                return failed(listi->error());
            r.priceListStored = true;
        }
    }
    if (data::Error c = w.commit())
        return failed(c);
    r.status = SalePriceStore::Status::Stored;
    return r;
}

} // namespace documents
