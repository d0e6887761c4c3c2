#include "articles/readings.h"

#include <cmath>

namespace articles {

std::optional<double> regionalNumber(const QString& text) {
    const QString t = text.trimmed();
    QString digits;
    digits.reserve(t.size());
    bool comma = false, anyDigit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            anyDigit = true;
        } else if (c == QLatin1Char('.')) {
            if (comma)
                return std::nullopt; // grouping after the decimals
        } else if (c == QLatin1Char(',')) {
            if (comma)
                return std::nullopt;
            comma = true;
            digits += QLatin1Char('.');
        } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i == 0) {
            digits += c;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double leadingNumber(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            t += c;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        ++i;
    const qsizetype start = i;
    while (i < n && t.at(i).unicode() >= '0' && t.at(i).unicode() <= '9')
        ++i;
    if (i < n && t.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && t.at(i).unicode() >= '0' && t.at(i).unicode() <= '9')
            ++i;
    }
    if (i == start || (i == start + 1 && t.at(start) == QLatin1Char('.')))
        return 0.0;
    qsizetype end = i;
    if (i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (t.at(j) == QLatin1Char('-') || t.at(j) == QLatin1Char('+')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && j - expStart < 4 && t.at(j).unicode() >= '0' && t.at(j).unicode() <= '9')
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 10)
        return value;
    const double mag = std::fabs(value);
    if (mag >= 1e15 || mag < 1e-12)
        return mag < 1e-12 ? 0.0 : value;
    // The decimal digits the value stands for (15 significant), rounded as text.
    const int intDigits = mag >= 1 ? int(std::floor(std::log10(mag))) + 1 : 0;
    const int fracDigits = std::max(0, 15 - intDigits);
    QString s = QString::number(mag, 'f', fracDigits);
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    if (point < 0 || s.size() - point - 1 <= decimals)
        return value;
    QString kept = s.left(point + 1 + decimals);
    const QString rest = s.mid(point + 1 + decimals);
    bool up;
    if (rest.at(0) > QLatin1Char('5')) {
        up = true;
    } else if (rest.at(0) < QLatin1Char('5')) {
        up = false;
    } else {
        bool beyond = false;
        for (qsizetype i = 1; i < rest.size(); ++i)
            if (rest.at(i) != QLatin1Char('0'))
                beyond = true;
        if (beyond) {
            up = true;
        } else {
            // An exact half: to the even neighbour.
            QChar last = kept.back() == QLatin1Char('.') ? kept.at(kept.size() - 2) : kept.back();
            up = (last.digitValue() % 2) == 1;
        }
    }
    if (kept.endsWith(QLatin1Char('.')))
        kept.chop(1);
    double r = kept.toDouble();
    if (up)
        r += std::pow(10.0, -decimals);
    // Back to the nearest double of the rounded decimal.
    r = QString::number(r, 'f', decimals).toDouble();
    return value < 0 ? -r : r;
}

} // namespace articles
