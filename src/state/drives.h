// The drive list's entries: each drive the mapping offers, with where its
// databases are ("c: [locale]" for a folder of this workstation, "s: [server]"
// for a PostgreSQL server), and the drive prefix an entry stands for.
#pragma once

#include <QString>
#include <QStringList>

namespace data {
class DriveMapping;
}

namespace state {

QStringList driveChoices(const data::DriveMapping& mapping);

// The drive prefix of an entry ("c:"), as the store modes take it.
QString driveOfChoice(const QString& choice);

} // namespace state
