#include "data/error.h"

namespace data {

namespace {

// "dell'archivio c:\marbo\dati.mdb", or nothing when the archive is unknown.
QString ofArchive(const QString& archive) {
    return archive.isEmpty() ? QString() : QStringLiteral(" dell'archivio %1").arg(archive);
}

QString archiveName(const QString& archive) {
    return archive.isEmpty() ? QStringLiteral("dati") : archive;
}

} // namespace

QString Error::message() const {
    const QString a = archiveName(archive);
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::MissingFile:
        return QStringLiteral("ATTENZIONE !!! Archivio non trovato: %1").arg(archive.isEmpty() ? subject : a);
    case Kind::NotADatabase:
        return QStringLiteral("ATTENZIONE !!! Il file %1 non è un archivio dati").arg(a);
    case Kind::ReadOnly:
        return QStringLiteral("ATTENZIONE !!! L'archivio %1 è in sola lettura: la registrazione non è stata "
                              "fatta")
            .arg(a);
    case Kind::NoRights:
        return QStringLiteral("ATTENZIONE !!! Mancano i diritti sull'archivio %1 o sulla sua cartella: "
                              "l'operazione non è stata fatta")
            .arg(a);
    case Kind::Locked:
        return QStringLiteral("ATTENZIONE !!! Archivio occupato da un'altra postazione: %1. Riprovare.")
            .arg(a);
    case Kind::Damaged:
        return QStringLiteral("ATTENZIONE !!! L'archivio %1 è danneggiato o illeggibile").arg(a);
    case Kind::Unreachable:
        return QStringLiteral("ATTENZIONE !!! Il server dell'archivio %1 non risponde").arg(a);
    case Kind::MissingTable:
        return QStringLiteral("ATTENZIONE !!! Tabella non trovata nell'archivio %1: %2").arg(a, subject);
    case Kind::MissingField:
        return QStringLiteral("ATTENZIONE !!! Campo non trovato nell'archivio %1: %2").arg(a, subject);
    case Kind::MissingIndex:
        return QStringLiteral("ATTENZIONE !!! Indice non trovato nell'archivio %1: %2").arg(a, subject);
    case Kind::BadValue:
        return QStringLiteral("ATTENZIONE !!! Valore non valido per il campo %1%2: nulla è stato registrato")
            .arg(subject, ofArchive(archive));
    case Kind::Duplicate:
        return QStringLiteral("ATTENZIONE !!! Registrazione già presente in %1%2: un'altra postazione può "
                              "averla appena fatta")
            .arg(subject.isEmpty() ? QStringLiteral("tabella") : subject, ofArchive(archive));
    case Kind::NoCurrentRow:
        return QStringLiteral("ATTENZIONE !!! Nessuna riga corrente in %1%2")
            .arg(subject, ofArchive(archive));
    case Kind::BadQuery:
        return subject.isEmpty()
                   ? QStringLiteral("ATTENZIONE !!! Richiesta non valida%1").arg(ofArchive(archive))
                   : QStringLiteral("ATTENZIONE !!! Richiesta non valida sulla tabella %1%2")
                         .arg(subject, ofArchive(archive));
    case Kind::Engine:
        return QStringLiteral("ATTENZIONE !!! Errore dell'archivio dati %1").arg(a);
    }
    return {};
}

} // namespace data
