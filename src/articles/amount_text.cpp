#include "articles/amount_text.h"

#include "articles/pictures.h"
#include "articles/readings.h"

namespace articles {

namespace {

const QString kZero = QStringLiteral("0,00");

// 1-based position of the last occurrence, 0 when there is none.
qsizetype lastPosition(const QString& text, QChar c) {
    return text.lastIndexOf(c) + 1;
}

QString workingText(const QVariant& input) {
    if (input.isNull())
        return QStringLiteral("0");
    switch (input.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return plainNumber(input.toDouble());
    default:
        break;
    }
    const QString text = input.toString();
    return text.isEmpty() ? QStringLiteral("0") : text;
}

} // namespace

QString formatAmountText(const QVariant& input, bool cents) {
    QString text = workingText(input);
    const QChar point = QLatin1Char('.');
    const QChar comma = QLatin1Char(',');

    if (cents && lastPosition(text, point) + lastPosition(text, comma) == 0) {
        const auto whole = regionalNumber(text);
        if (!whole)
            return kZero;
        text = plainNumber(*whole / 100);
    }

    if (lastPosition(text, point) > lastPosition(text, comma)) {
        text.replace(comma, QStringLiteral("JKL"));
        text.replace(point, comma);
        text.replace(QStringLiteral("JKL"), QString(point));
    }

    const auto value = regionalNumber(text);
    return value ? picture(*value, Picture::Amount7) : kZero;
}

} // namespace articles
