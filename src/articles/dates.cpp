#include "articles/dates.h"

#include <QRegularExpression>

namespace articles {

std::optional<QDate> dateReading(const QString& text) {
    static const QRegularExpression dayFirst(
        QStringLiteral("^(\\d{1,2})([/.-])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString t = text.trimmed();
    QDate d;
    if (const auto m = dayFirst.match(t); m.hasMatch()) {
        int year = m.captured(4).toInt();
        if (m.captured(4).size() == 2)
            year += year < 30 ? 2000 : 1900;
        d = QDate(year, m.captured(3).toInt(), m.captured(1).toInt());
    } else if (const auto m = iso.match(t); m.hasMatch()) {
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace articles
