#include "state/drives.h"

#include "data/location.h"

namespace state {

QStringList driveChoices(const data::DriveMapping& mapping) {
    QStringList out;
    for (const QString& d : mapping.drives())
        out << d + QStringLiteral(" [") +
                   (mapping.isPostgres(d.at(0)) ? QStringLiteral("server") : QStringLiteral("locale")) +
                   QLatin1Char(']');
    return out;
}

QString driveOfChoice(const QString& choice) {
    return data::DriveMapping::drivePrefix(choice);
}

} // namespace state
