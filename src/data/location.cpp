#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace data {

QString Location::key() const {
    if (engine == Engine::Sqlite)
        return QStringLiteral("sqlite:") + file;
    return QStringLiteral("pg:%1:%2/%3/%4:%5")
        .arg(server.host)
        .arg(server.port)
        .arg(server.database, server.user, schema);
}

DriveMapping::DriveMapping(QString dataRoot)
    : root_(std::move(dataRoot)) {}

DriveMapping DriveMapping::fromEnvironment() {
    QString root = qEnvironmentVariable("MARBO_DATA_ROOT");
    if (root.isEmpty())
        root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/marbo-wifi/drives");
    DriveMapping mapping(QDir::cleanPath(root));
    const QString ini = root + QStringLiteral("/drives.ini");
    if (QFileInfo::exists(ini)) {
        QSettings s(ini, QSettings::IniFormat);
        for (const QString& group : s.childGroups()) {
            if (group.size() != 1 || !group.at(0).isLetter())
                continue;
            s.beginGroup(group);
            if (s.value("engine").toString().compare("postgresql", Qt::CaseInsensitive) == 0) {
                PgServer pg;
                pg.host = s.value("host", pg.host).toString();
                pg.port = s.value("port", pg.port).toInt();
                pg.database = s.value("database").toString();
                pg.user = s.value("user").toString();
                pg.password = s.value("password").toString();
                pg.schemaPrefix = s.value("schema_prefix").toString();
                mapping.mapToPostgres(group.at(0), pg);
            }
            s.endGroup();
        }
    }
    return mapping;
}

void DriveMapping::mapToPostgres(QChar drive, PgServer server) {
    postgres_[drive.toLower()] = std::move(server);
}

bool DriveMapping::isPostgres(QChar drive) const {
    return postgres_.contains(drive.toLower());
}

QString DriveMapping::drivePrefix(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() >= 2 && t.at(0).isLetter() && t.at(1) == QLatin1Char(':'))
        return t.left(2).toLower();
    return {};
}

Location DriveMapping::resolve(const QString& programPath) const {
    Location loc;
    loc.path = programPath;
    QString p = programPath.trimmed();
    QChar drive = defaultDrive().at(0);
    if (p.size() >= 2 && p.at(0).isLetter() && p.at(1) == QLatin1Char(':')) {
        drive = p.at(0).toLower();
        p = p.mid(2);
    }
    // Windows paths ignore case: the mapped folders are lower case.
    QStringList parts;
    // Built once: every screen resolves its paths on each scan.
    static const QRegularExpression separators(QStringLiteral("[\\\\/]+"));
    for (const QString& part : p.split(separators, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part.toLower();
    }
    if (parts.isEmpty())
        return loc; // names no file
    if (auto it = postgres_.find(drive); it != postgres_.end()) {
        loc.engine = Engine::Postgres;
        loc.server = *it;
        QString schema = parts.join(QLatin1Char('_'));
        if (schema.endsWith(QLatin1String(".mdb")))
            schema.chop(4);
        static const QRegularExpression notInName(QStringLiteral("[^a-z0-9_]"));
        schema.replace(notInName, QStringLiteral("_"));
        loc.schema = (it->schemaPrefix + schema).left(63);
        return loc;
    }
    loc.engine = Engine::Sqlite;
    loc.file = root_ + QLatin1Char('/') + drive + QLatin1Char('/') + parts.join(QLatin1Char('/'));
    return loc;
}

QStringList DriveMapping::drives() const {
    QStringList out{QStringLiteral("c:")};
    QDir dir(root_);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.size() == 1 && name.at(0).isLetter())
            out << name.toLower() + QLatin1Char(':');
    }
    for (auto it = postgres_.cbegin(); it != postgres_.cend(); ++it)
        out << QString(it.key()) + QLatin1Char(':');
    out.removeDuplicates();
    out.sort();
    return out;
}

} // namespace data
