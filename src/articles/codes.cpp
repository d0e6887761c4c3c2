#include "articles/codes.h"

namespace articles {

bool isDigitCode(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

std::optional<QString> ean13FromDigits(const QString& text) {
    if (!isDigitCode(text))
        return std::nullopt;
    QString t = text.trimmed();
    qsizetype lead = 0;
    while (lead < t.size() - 1 && t.at(lead) == QLatin1Char('0'))
        ++lead;
    t = t.mid(lead);
    if (t.size() > 13)
        return std::nullopt;
    return QString(13 - t.size(), QLatin1Char('0')) + t;
}

QString normaliseEanField(const QString& field) {
    const QString t = field.trimmed();
    if (t.size() >= 1 && t.size() <= 12) {
        if (auto e = ean13FromDigits(t))
            return *e;
    }
    return t;
}

QString eanByEffectiveLength(const QString& text) {
    qsizetype b = text.size();
    if (b > 12) {
        const qsizetype blank = text.left(13).indexOf(QLatin1Char(' '));
        b = blank < 0 ? 13 : blank;
    }
    if (b > 12)
        return text.left(13);
    return (QString(13 - b, QLatin1Char('0')) + text).left(13);
}

std::optional<QString> priceCarryingPrefix(const QString& field) {
    const QString t = field.trimmed();
    if (t.size() != 13 || field.isEmpty() || field.at(0) != QLatin1Char('2'))
        return std::nullopt;
    const QString prefix = t.left(7);
    if (!isDigitCode(prefix))
        return std::nullopt;
    return prefix;
}

double embeddedPrice(const QString& t) {
    const QString digits = t.mid(7, 5);
    if (digits.size() != 5 || !isDigitCode(digits))
        return 0.0;
    return digits.toInt() / 100.0;
}

int eanCheckDigit(const QString& d) {
    if (d.size() < 12)
        return -1;
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        const int v = d.at(i).digitValue();
        if (v < 0)
            return -1;
        sum += v * (i % 2 ? 3 : 1);
    }
    return (10 - sum % 10) % 10;
}

} // namespace articles
