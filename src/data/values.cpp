// Values between the screens and the engines: what a field of each kind reads
// as, what it can hold, and how a value is bound to a statement.
#include "data/connection.h"
#include "data/decimal.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace data::detail {

namespace {

bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

bool hasControls(const QString& s) {
    for (QChar c : s)
        if (isControl(c))
            return true;
    return false;
}

} // namespace

QString withoutControls(const QString& text) {
    if (!hasControls(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isControl(c))
            out += c;
    return out;
}

QVariant bindable(const QVariant& v, const EngineQuirks& engine) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    if (v.typeId() == QMetaType::QString) {
        // A string is a text, never Null: a null QString is the empty text.
        const QString s = v.toString();
        if (s.isNull())
            return QVariant(QStringLiteral(""));
        return hasControls(s) ? QVariant(withoutControls(s)) : v;
    }
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return engine.amount(v.value<Decimal>());
    return v;
}

QVariant fromDb(const QVariant& v, schema::Kind kind) {
    if (v.isNull() || !v.isValid())
        return QVariant();
    using schema::Kind;
    switch (kind) {
    case Kind::Int16:
    case Kind::Int32:
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const qlonglong n = v.toString().toLongLong(&ok);
            return ok ? QVariant(n) : v;
        }
        return QVariant(v.toLongLong());
    case Kind::Number:
    case Kind::Money:
    case Kind::Decimal:
        // The double nearest to the exact decimal at the field's places, so a
        // value stored with binary residue by another program reads exact too.
        if (const auto d = Decimal::fromVariant(v, schema::decimals(kind)))
            return d->toVariant();
        return QVariant(v.toDouble());
    case Kind::Date:
        if (v.typeId() == QMetaType::QDate)
            return v;
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        {
            const QString s = v.toString();
            QDate d = QDate::fromString(s.left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : v;
        }
    case Kind::Time:
        if (v.typeId() == QMetaType::QTime)
            return v;
        {
            QTime t = QTime::fromString(v.toString(), Qt::ISODate);
            return t.isValid() ? QVariant(t) : v;
        }
    case Kind::Text:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toString());
    }
    return v;
}

std::optional<QVariant> toDb(const QVariant& v, schema::Kind kind, int width) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    using schema::Kind;
    switch (kind) {
    case Kind::Int16:
    case Kind::Int32: {
        bool ok = false;
        const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                         : v.metaType() == QMetaType::fromType<Decimal>()
                             ? (ok = true, v.value<Decimal>().toDouble())
                             : v.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return std::nullopt;
        const double r = std::nearbyint(d);
        const double lim = kind == Kind::Int16 ? 32767.0 : 2147483647.0;
        if (r > lim || r < -lim - 1)
            return std::nullopt;
        return QVariant(static_cast<qlonglong>(r));
    }
    case Kind::Number:
    case Kind::Decimal:
    case Kind::Money: {
        // Rounded to the field's places, an exact half to the even neighbour:
        // what is stored is the nearest double of a short decimal, or on
        // PostgreSQL the decimal itself.
        const int places = schema::decimals(kind);
        std::optional<Decimal> d;
        if (v.typeId() == QMetaType::Bool)
            d = Decimal::fromInt(v.toBool() ? 1 : 0);
        else
            d = Decimal::fromVariant(v, places);
        if (!d)
            return std::nullopt;
        return d->toVariant();
    }
    case Kind::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? std::optional<QVariant>(v) : std::nullopt;
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(v.toDateTime().date());
        const QDate d = QDate::fromString(v.toString().trimmed(), Qt::ISODate);
        if (!d.isValid())
            return std::nullopt;
        return QVariant(d);
    }
    case Kind::Time: {
        if (v.typeId() == QMetaType::QTime)
            return QVariant(v.toTime().toString(Qt::ISODate));
        if (v.typeId() == QMetaType::QDateTime)
            return QVariant(v.toDateTime().time().toString(Qt::ISODate));
        const QTime t = QTime::fromString(v.toString().trimmed(), Qt::ISODate);
        if (!t.isValid())
            return std::nullopt;
        return QVariant(t.toString(Qt::ISODate));
    }
    case Kind::Text: {
        // A text, even an empty or null QString, is stored as a text: Null is
        // written only as a null QVariant. Control characters never reach a
        // statement, and trailing blanks carry nothing (keys compare without
        // them).
        QString s = withoutControls(v.toString());
        qsizetype end = s.size();
        while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
            --end;
        s.truncate(end);
        if (width > 0 && s.size() > width)
            return std::nullopt;
        if (s.isNull())
            s = QStringLiteral("");
        return QVariant(s);
    }
    }
    return v;
}

} // namespace data::detail
