#include "data/error.h"

namespace data {

QString Error::message() const {
    QString text;
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::MissingFile:
        text = QStringLiteral("ATTENZIONE !!! Archivio non trovato: %1").arg(subject);
        break;
    case Kind::MissingTable:
        text = QStringLiteral("ATTENZIONE !!! Tabella non trovata nell'archivio: %1").arg(subject);
        break;
    case Kind::MissingField:
        text = QStringLiteral("ATTENZIONE !!! Campo non trovato: %1").arg(subject);
        break;
    case Kind::MissingIndex:
        text = QStringLiteral("ATTENZIONE !!! Indice non trovato: %1").arg(subject);
        break;
    case Kind::BadValue:
        text = QStringLiteral("ATTENZIONE !!! Valore non valido per il campo %1").arg(subject);
        break;
    case Kind::Locked:
        text = QStringLiteral("ATTENZIONE !!! Archivio occupato da un'altra postazione: %1. Riprovare.")
                   .arg(subject);
        break;
    case Kind::NoCurrentRow:
        text = QStringLiteral("ATTENZIONE !!! Nessuna riga corrente in %1").arg(subject);
        break;
    case Kind::BadQuery:
        text = QStringLiteral("ATTENZIONE !!! Richiesta non valida: %1").arg(subject);
        break;
    case Kind::Engine:
        text = QStringLiteral("ATTENZIONE !!! Errore dell'archivio dati: %1").arg(subject);
        break;
    }
    return text;
}

} // namespace data
