#include "documents/inventory_export.h"

#include "articles/readings.h"
#include "data/recordset.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

namespace documents {

namespace {

constexpr int kEanWidth = 13;
constexpr int kListedFaults = 10; // lines named in the message; the rest are counted

QString eanFault(const QString& ean) {
    if (ean.isEmpty())
        return QStringLiteral("EAN mancante");
    if (ean.size() > kEanWidth)
        return QStringLiteral("EAN più lungo di 13 caratteri");
    for (QChar c : ean)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return QStringLiteral("EAN con caratteri non ammessi");
    return {};
}

QString withoutTrailingBlanks(QString s) {
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
        --end;
    s.truncate(end);
    return s;
}

// How a line is named in the message: its EAN as stored and its operator.
QString lineName(const QVariant& ean, const QVariant& oper) {
    QString e = ean.isNull() ? QString() : withoutTrailingBlanks(ean.toString()).left(20);
    for (QChar& c : e)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    if (e.isEmpty())
        e = QStringLiteral("(senza EAN)");
    return QStringLiteral("%1 oper. %2").arg(e, oper.isNull() ? QStringLiteral("-") : oper.toString());
}

} // namespace

InventoryRecord inventoryRecord(const QVariant& ean, const QVariant& quantity) {
    InventoryRecord r;
    const QString e = ean.isNull() ? QString() : withoutTrailingBlanks(ean.toString());
    r.fault = eanFault(e);
    if (!r.ok())
        return r;

    double q = 0;
    if (!quantity.isNull()) {
        bool numeric = false;
        q = quantity.toDouble(&numeric);
        if (!numeric || !std::isfinite(q)) {
            r.fault = QStringLiteral("quantità non numerica");
            return r;
        }
        // The half is judged on the decimal number the field stands for.
        q = std::round(articles::roundHalfEven(q, 6));
    }
    if (q < 0 || q > kLargestRecordCount) {
        r.fault = QStringLiteral("quantità %1 fuori dall'intervallo 0-9999").arg(qint64(q));
        return r;
    }
    r.bytes = e.toLatin1().leftJustified(kEanWidth, ' ') +
              QByteArray::number(qint64(q)).rightJustified(4, '0') + QByteArrayLiteral("\r\n");
    return r;
}

QString replaceFile(const QString& localFile, const QByteArray& bytes) {
    const QFileInfo target(localFile);
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("ATTENZIONE !!! Impossibile creare la cartella %1")
            .arg(QDir::toNativeSeparators(folder));
    QSaveFile file(localFile);
    // Unbuffered: a write the disk refuses fails here. With Qt's buffer it
    // would fail only inside commit(), which does not see it and renames a
    // truncated file over the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() &&
        file.error() == QFileDevice::NoError && file.commit())
        return {};
    const QString why = file.errorString();
    file.cancelWriting(); // the temporary file goes; the old file stays
    return QStringLiteral(
               "ATTENZIONE !!! Impossibile scrivere il file %1 (%2). Il file precedente non è stato "
               "modificato.")
        .arg(QDir::toNativeSeparators(localFile), why);
}

ExportResult exportInventory(const data::Database& store, const QString& localFile) {
    ExportResult result;
    if (!store.ok()) {
        result.message = store.error().message();
        return result;
    }
    data::Recordset rs = store.query(QStringLiteral("SELECT eanrig, quantita, oper FROM inventario"));
    QByteArray bytes;
    QStringList faults;
    int faultCount = 0;
    for (; rs.ok() && !rs.eof(); rs.moveNext()) {
        const QVariant ean = rs.value(QStringLiteral("eanrig"));
        const InventoryRecord record = inventoryRecord(ean, rs.value(QStringLiteral("quantita")));
        if (record.ok()) {
            bytes += record.bytes;
            ++result.records;
            continue;
        }
        if (++faultCount <= kListedFaults)
            faults << lineName(ean, rs.value(QStringLiteral("oper"))) + QStringLiteral(": ") + record.fault;
    }
    if (!rs.ok()) {
        result.message = rs.error().message();
        return result;
    }
    if (faultCount > 0) {
        result.status = ExportResult::Status::Refused;
        result.records = 0;
        if (faultCount > kListedFaults)
            faults << QStringLiteral("... e altre %1 righe").arg(faultCount - kListedFaults);
        result.message =
            QStringLiteral("ATTENZIONE !!! Il file INVE1.dat non è stato creato: queste righe non "
                           "entrano nel tracciato (EAN fino a 13 caratteri, quantità da 0 a 9999). "
                           "Correggerle e ripetere.\n") +
            faults.join(QLatin1Char('\n'));
        return result;
    }
    // No lines: the file is replaced by an empty one, and the operator told.
    if (const QString failure = replaceFile(localFile, bytes); !failure.isEmpty()) {
        result.records = 0;
        result.message = failure;
        return result;
    }
    if (result.records == 0) {
        result.status = ExportResult::Status::NoData;
        result.message = QStringLiteral("ATTENZIONE !!!. Non ci sono dati ");
        return result;
    }
    result.status = ExportResult::Status::Written;
    return result;
}

QString inventoryFilePath(const data::DriveMapping& mapping) {
    const data::Location loc = mapping.resolve(kInventoryFile);
    if (loc.engine == data::Engine::Sqlite)
        return loc.file;
    // Drive c: holds its databases on a server; the file still belongs to this
    // workstation's own c: folder.
    return data::DriveMapping(mapping.dataRoot()).resolve(kInventoryFile).file;
}

} // namespace documents
