#include "documents/supplier_order_receipt.h"

#include "articles/readings.h"
#include "data/recordset.h"
#include "data/table.h"

#include <QHash>

namespace documents {

namespace {

bool allDigits(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString orderCondition(std::int32_t year, std::int32_t number) {
    return QStringLiteral(" WHERE numero = %1 and anno = %2").arg(number).arg(year);
}

QVariant decimalOrNull(const std::optional<data::Decimal>& d) {
    return d ? QVariant::fromValue(*d) : QVariant();
}

// The line of the key, current in the returned rows, inside the caller's scope.
data::Recordset lineOf(const data::Database& work, const OrderLineKey& key, bool* found) {
    data::Recordset rs = work.query(orderLineQuery(key));
    *found = rs.ok() && !rs.eof();
    return rs;
}

} // namespace

QString eanOfScan(const QString& scanned) {
    if (scanned.size() == 14)
        return scanned.mid(1, 13);
    if (scanned.size() > 14)
        return scanned.mid(3, 13);
    return scanned;
}

QString inStoreArticleEan(const QString& ean) {
    if (ean.startsWith(QLatin1Char('2')))
        return ean.left(6) + QStringLiteral("0000000");
    return ean;
}

QString orderScanEan(const QString& scanned) {
    return scanned.size() >= 14 ? eanOfScan(scanned) : inStoreArticleEan(scanned);
}

std::optional<data::Decimal> inStoreWeight(const QString& scanned) {
    if (!scanned.startsWith(QLatin1Char('2')) || scanned.size() >= 14 || scanned.size() < 12)
        return std::nullopt;
    const QStringView digits = QStringView(scanned).mid(7, 5);
    if (!allDigits(digits))
        return std::nullopt;
    const int kilos = digits.left(2).toInt();
    const int grams = digits.mid(2).toInt();
    if (kilos == 0 && grams == 0)
        return std::nullopt;
    return data::Decimal::fromUnits((std::int64_t(kilos) * 1000 + grams) * 10);
}

QString decimalCommaField(const QString& text) {
    QString f = text.left(15);
    f.replace(QLatin1Char('.'), QLatin1Char(','));
    return f.leftJustified(15, QLatin1Char(' '));
}

std::optional<data::Decimal> deliveredNumber(const QString& text) {
    QString t = text.trimmed();
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    const std::optional<double> v = articles::regionalNumber(t);
    if (!v)
        return std::nullopt;
    return data::Decimal::fromDouble(*v, 3);
}

QString orderLineQuery(const OrderLineKey& key) {
    return QStringLiteral("SELECT * FROM ordini ") +
           QStringLiteral(" WHERE bnumer = %1 and  bannoc = %2 and bns = %3")
               .arg(key.number)
               .arg(key.year)
               .arg(key.line);
}

data::Error storeDelivery(const data::Database& work, const OrderLineKey& key, const Delivery& d,
                          LineOutcome* outcome) {
    *outcome = LineOutcome::LineMissing;
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    bool found = false;
    data::Recordset line = lineOf(work, key, &found);
    if (!line.ok())
        return line.error();
    if (!found)
        return {};
    line.edit();
    line.setValue(QStringLiteral("lotto"), d.lot);
    line.setValue(QStringLiteral("bflag1"), QStringLiteral("C"));
    line.setValue(QStringLiteral("eanrig"), d.ean);
    line.setValue(QStringLiteral("collic"), decimalOrNull(d.packs));
    line.setValue(QStringLiteral("quanci"), decimalOrNull(d.pieces));
    if (!line.update())
        return line.error();

    // The delivered EAN becomes known for the article, so that the next
    // delivery of it is found by its scan.
    const QString ean = inStoreArticleEan(d.ean.trimmed());
    if (!ean.isEmpty() && d.articleCode != 0) {
        if (data::Error e = w.lockKey(QStringLiteral("codean"), {ean}))
            return e;
        data::Table codean = work.table(QStringLiteral("codean"));
        codean.setIndex(QStringLiteral("keyean"));
        if (!codean.seek(ean)) {
            if (!codean.ok())
                return codean.error();
            codean.addNew();
            codean.setValue(QStringLiteral("codare"), d.articleCode);
            codean.setValue(QStringLiteral("eanare"), ean);
            if (!codean.update())
                return codean.error();
        }
    }
    if (data::Error e = w.commit())
        return e;
    *outcome = LineOutcome::Done;
    return {};
}

data::Error excludeLine(const data::Database& work, const OrderLineKey& key, LineOutcome* outcome) {
    *outcome = LineOutcome::LineMissing;
    bool found = false;
    data::Recordset line = lineOf(work, key, &found);
    if (!line.ok())
        return line.error();
    if (!found)
        return {};
    line.edit();
    line.setValue(QStringLiteral("bflag1"), QStringLiteral("E"));
    if (!line.update())
        return line.error();
    *outcome = LineOutcome::Done;
    return {};
}

bool orderExists(const data::Database& work, std::int32_t year, std::int32_t number, data::Error* error) {
    data::Recordset head = work.query(QStringLiteral("SELECT * FROM testao") + orderCondition(year, number));
    *error = head.error();
    return head.ok() && !head.eof();
}

bool leaveOrder(const data::Database& work, std::int32_t year, std::int32_t number, data::Error* error) {
    data::Recordset head = work.query(QStringLiteral("SELECT * FROM testao") + orderCondition(year, number));
    *error = head.error();
    if (!head.ok() || head.eof())
        return false;
    if (head.value(QStringLiteral("fl1ts")).toString() == QLatin1String("A")) {
        head.edit();
        head.setValue(QStringLiteral("fl1ts"), QStringLiteral(" "));
        head.update();
        *error = head.error();
    }
    return true;
}

data::Error deleteOrder(const data::Database& work, std::int32_t year, std::int32_t number,
                        int* linesDeleted) {
    *linesDeleted = 0;
    data::WriteScope w(work);
    if (!w.ok())
        return w.error();
    const QString lines = QStringLiteral(" WHERE bnumer = %1 and bannoc = %2").arg(number).arg(year);
    data::Recordset count = work.query(QStringLiteral("SELECT count(*) AS n FROM ordini") + lines);
    if (!count.ok())
        return count.error();
    const int n = count.eof() ? 0 : count.value(0).toInt();
    if (n == 0)
        return {};
    if (data::Error e = work.execute(QStringLiteral("DELETE FROM testao") + orderCondition(year, number)))
        return e;
    if (data::Error e = work.execute(QStringLiteral("DELETE FROM ordini") + lines))
        return e;
    if (data::Error e = w.commit())
        return e;
    *linesDeleted = n;
    return {};
}

std::vector<LabelLine> labelLines(const data::Database& work, const QString& linesQuery, data::Error* error) {
    std::vector<LabelLine> out;
    *error = {};
    data::Recordset rs = work.query(linesQuery);
    if (!rs.ok()) {
        *error = rs.error();
        return out;
    }
    data::Table articoli = work.table(QStringLiteral("articoli"));
    articoli.setIndex(QStringLiteral("primary"));
    QHash<qint64, std::optional<QString>> descriptions; // one seek per article
    for (; !rs.eof(); rs.moveNext()) {
        LabelLine l;
        l.ean = rs.value(QStringLiteral("Ean")).toString();
        l.orderNumber = rs.value(QStringLiteral("bnumer")).toLongLong();
        l.lineNumber = rs.value(QStringLiteral("Ns")).toLongLong();
        l.packs = rs.value(QStringLiteral("collic"));
        l.articleCode = rs.value(QStringLiteral("articoli")).toLongLong();
        if (!rs.ok()) {
            *error = rs.error();
            return {};
        }
        auto known = descriptions.constFind(l.articleCode);
        if (known == descriptions.constEnd()) {
            std::optional<QString> d;
            if (articoli.seek(l.articleCode))
                d = articoli.value(QStringLiteral("desart")).toString();
            else if (!articoli.ok()) {
                *error = articoli.error();
                return {};
            }
            known = descriptions.insert(l.articleCode, d);
        }
        l.description = *known;
        out.push_back(std::move(l));
    }
    if (!rs.ok())
        *error = rs.error();
    return out;
}

} // namespace documents
