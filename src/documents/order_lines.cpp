#include "documents/order_lines.h"

#include "data/table.h"

namespace documents {

namespace {
const QString kOrdine = QStringLiteral("ordine");
}

data::Error storeOrderLine(const data::Database& work, const OrderLine& line) {
    const auto pieces = line.packs * line.pack;
    if (!pieces)
        return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("ordine.quantita"),
                                 line.packs.toText() + QStringLiteral(" x ") + line.pack.toText())
            .in(work.location().path);
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    if (data::Error e = w.lockKey(kOrdine, {line.ean}))
        return e;
    data::Table t = work.table(kOrdine);
    t.setIndex(QStringLiteral("ean"));
    if (t.seek(line.ean)) {
        t.edit();
    } else {
        if (!t.ok())
            return t.error();
        t.addNew();
        t.setValue(QStringLiteral("codcasa"), line.articleCode);
        t.setValue(QStringLiteral("eanrig"), line.ean);
    }
    const std::pair<const char*, QVariant> fields[] = {
        {"descrizione", line.description.isEmpty() ? QStringLiteral(".") : line.description.left(50)},
        {"unitam", line.unit.isEmpty() ? QStringLiteral("CT") : line.unit.left(2)},
        {"prezzo", QVariant::fromValue(line.cost)},
        {"colli", QVariant::fromValue(line.packs)},
        {"imballo", QVariant::fromValue(line.pack)},
        {"quantita", QVariant::fromValue(*pieces)},
        {"iva", QStringLiteral("10")},
        {"desfor", QStringLiteral(".")},
        {"desgru", QStringLiteral(".")},
        {"tipord", line.department},
    };
    for (const auto& [name, value] : fields)
        t.setValue(QString::fromLatin1(name), value);
    if (!t.update())
        return t.error();
    return w.commit();
}

data::Error deleteOrderLine(const data::Database& work, const QString& ean) {
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    if (data::Error e = w.lockKey(kOrdine, {ean}))
        return e;
    data::Table t = work.table(kOrdine);
    t.setIndex(QStringLiteral("ean"));
    if (t.seek(ean)) {
        if (!t.remove())
            return t.error();
    } else if (!t.ok()) {
        return t.error();
    }
    return w.commit();
}

} // namespace documents
