#include "documents/label_requests.h"

#include "data/recordset.h"
#include "data/table.h"

#include <limits>

namespace documents {

namespace {

const QString kCodean = QStringLiteral("codean");

// The value that says "yes" in the label fields.
const QString kYes = QStringLiteral("S");

} // namespace

std::optional<LabelRow> labelRowOfEan(const data::Database& store, const QString& ean, data::Error* error) {
    data::Table t = store.table(kCodean);
    t.setIndex(QStringLiteral("keyean"));
    const bool found = t.seek(ean);
    if (error)
        *error = t.error();
    if (!found)
        return std::nullopt;
    LabelRow row;
    row.code = std::int32_t(t.value(QStringLiteral("codare")).toLongLong());
    row.requested = t.value(QStringLiteral("sta_eti")).toString() == kYes;
    return row;
}

std::optional<std::int32_t> highestLabelSequence(const data::Database& store, data::Error* error) {
    data::Error e;
    const QVariant v = store.scalarNative(QStringLiteral("SELECT max(taglia) FROM codean"), {}, &e);
    if (error)
        *error = e;
    if (e || v.isNull())
        return std::nullopt;
    return std::int32_t(v.toLongLong());
}

LabelRequest requestLabels(const data::Database& store, std::int32_t code, const QString& ean,
                           data::Decimal count, std::int32_t counter) {
    LabelRequest r;
    r.sequence = counter;
    auto failed = [&r, counter](const data::Error& e) {
        r = LabelRequest{e, 0, counter};
        return r;
    };
    data::WriteScope w(store);
    if (!w.ok())
        return failed(w.error());
    // One counter for the whole table: the requests of every handheld take
    // their numbers one after the other.
    if (data::Error e = w.lockKey(kCodean, {QStringLiteral("taglia")}))
        return failed(e);
    data::Error e;
    const auto highest = highestLabelSequence(store, &e);
    if (e)
        return failed(e);
    std::int32_t next = highest ? std::max(*highest, counter) : counter;

    auto mark = [&](data::Table& t) {
        if (next == std::numeric_limits<std::int32_t>::max())
            return data::Error::make(data::Error::Kind::BadValue, QStringLiteral("codean.taglia"),
                                     QStringLiteral("label sequence exhausted"))
                .in(store.location().path);
        ++next;
        t.edit();
        t.setValue(QStringLiteral("flagean"), kYes);
        t.setValue(QStringLiteral("sta_eti"), kYes);
        t.setValue(QStringLiteral("neti"), QVariant::fromValue(count));
        t.setValue(QStringLiteral("taglia"), next);
        t.update();
        return t.error();
    };
    // Seeks a row by one index and marks it; no row is no mark.
    auto markBy = [&](const QString& index, const QVariant& key) {
        data::Table t = store.table(kCodean);
        t.setIndex(index);
        if (!t.seek(key))
            return t.error();
        if (data::Error m = mark(t))
            return m;
        ++r.marked;
        return data::Error();
    };
    if (code != 0)
        if (data::Error m = markBy(QStringLiteral("codare"), code))
            return failed(m);
    if (data::Error m = markBy(QStringLiteral("keyean"), ean))
        return failed(m);
    if (data::Error c = w.commit())
        return failed(c);
    r.sequence = next;
    return r;
}

std::optional<data::Decimal> labelsToPrint(const data::Database& store, data::Error* error) {
    // One aggregate over the rows to print (indexed): the table is not walked.
    data::Recordset rs =
        store.query(QStringLiteral("SELECT sum([neti]) as Tot FROM codean WHERE sta_eti = 'S'"));
    const QVariant v = rs.eof() ? QVariant() : rs.value(0);
    if (error)
        *error = rs.error();
    if (!rs.ok())
        return std::nullopt;
    return v.isNull() ? data::Decimal() : data::Decimal::fromVariant(v, 3);
}

data::Error cancelLabelSelection(const data::Database& store) {
    // One statement: the whole selection goes, or none of it.
    return store.execute(QStringLiteral("UPDATE codean SET flagean = '' WHERE flagean = 'S'"));
}

} // namespace documents
