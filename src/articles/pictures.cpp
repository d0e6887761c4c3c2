#include "articles/pictures.h"

#include "articles/readings.h"

#include <cmath>

namespace articles {

QString picture(double value, Picture p) {
    if (!std::isfinite(value))
        value = 0.0;
    const double r = roundHalfEven(value, 2);
    QString digits = QString::number(std::fabs(r), 'f', 2);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString whole = digits.left(point);
    const QString cents = digits.mid(point + 1);
    if (p != Picture::Plain) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char('.'));
    }
    const bool negative = r < 0 && (whole != QLatin1String("0") || cents != QLatin1String("00"));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') + cents;
}

QString plainNumber(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    if (s.contains(QLatin1Char('e'))) {
        // Very large or small values: written out in full, without exponent.
        s = QString::number(value, 'f', std::fabs(value) < 1 ? 15 : 0);
        if (s.contains(QLatin1Char('.'))) {
            while (s.endsWith(QLatin1Char('0')))
                s.chop(1);
            if (s.endsWith(QLatin1Char('.')))
                s.chop(1);
        }
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

} // namespace articles
