// Where a database named by the program's own path really lives.
//
// The screens name databases as the store-management software does: a drive
// followed by a path such as "c:\marbo\dati.mdb". The drive mapping turns such a
// path into a location: each drive letter is a folder under a data root (an
// SQLite file per database), or a PostgreSQL server on which each database file
// is one schema.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace data {

enum class Engine { Sqlite, Postgres };

struct PgServer {
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    QString database;
    QString user;
    QString password;
    // Put before every schema name: several stores can share one server database.
    QString schemaPrefix;

    bool operator==(const PgServer&) const = default;
};

struct Location {
    Engine engine = Engine::Sqlite;
    QString file;    // SQLite: the database file
    PgServer server; // PostgreSQL: the server and database
    QString schema;  // PostgreSQL: the schema that stands for the file
    QString path;    // the program's own path, for messages

    bool valid() const { return engine == Engine::Sqlite ? !file.isEmpty() : !schema.isEmpty(); }
    // A text that identifies the location, used to cache its connection.
    QString key() const;
};

class DriveMapping {
public:
    // Drive letters map to folders <root>/<letter>.
    explicit DriveMapping(QString dataRoot = {});

    // The mapping the program uses: the data root from MARBO_DATA_ROOT, or
    // "drives" in the user's data folder; a file "drives.ini" in the root may map
    // a drive to a PostgreSQL server (section [d] with engine=postgresql, host,
    // port, database, user, password).
    static DriveMapping fromEnvironment();

    const QString& dataRoot() const { return root_; }
    void mapToPostgres(QChar drive, PgServer server);
    bool isPostgres(QChar drive) const;

    // The drive used when a path has none (the current drive of the workstation).
    QString defaultDrive() const { return QStringLiteral("c:"); }

    // Location of a path such as "c:\marbo\dati.mdb" or "\vesk\marbo.mdb".
    Location resolve(const QString& programPath) const;

    // Drives offered by the drive list, as "c:", "d:", ... (the mapped ones,
    // and c: always).
    QStringList drives() const;

    // Reduces the text of the drive list ("d: [Dati]") to its drive prefix ("d:").
    static QString drivePrefix(const QString& driveListText);

private:
    QString root_;
    QMap<QChar, PgServer> postgres_;
};

} // namespace data
