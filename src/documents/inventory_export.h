// The inventory file for the point-of-sale system: one record per inventory
// line, the EAN in 13 characters and the quantity in 4 digits, ended by CR LF,
// single-byte text, at the fixed place C:\quirel\inve1.dat. The reader outside
// this program takes every record at face value, so a line that the record
// cannot hold faithfully stops the export instead of reaching the file.
#pragma once

#include "data/database.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace documents {

inline const QString kInventoryFile = QStringLiteral("C:\\quirel\\inve1.dat");

// The largest count a record holds: its four digits.
inline constexpr int kLargestRecordCount = 9999;

// One record, or the reason why the line cannot be one.
// - EAN: trailing blanks do not count; 1 to 13 printable ASCII characters,
//   blank-padded on the right. Null, blank, longer or with other characters:
//   no record.
// - Quantity: rounded to a whole number, an exact half away from zero (2.5
//   gives 3, as the picture "0000" always wrote it); Null counts 0, as in the
//   lists' totals. Outside 0 to 9999 after rounding, or not a number: no record.
struct InventoryRecord {
    QByteArray bytes; // 19 bytes: 13 + 4 + CR LF
    QString fault;    // empty when the record is good
    bool ok() const { return fault.isEmpty(); }
};
InventoryRecord inventoryRecord(const QVariant& ean, const QVariant& quantity);

struct ExportResult {
    enum class Status {
        Written, // the file holds every line
        NoData,  // no lines: the file was replaced by an empty one
        Refused, // some lines cannot be written: the file was left as it was
        Failed,  // the database or the file failed: the file was left as it was
    };
    Status status = Status::Failed;
    int records = 0;
    QString message; // for the operator; empty when written
};

// Writes every inventory line of the store database (all operators, in the
// order the table returns them) to the local file `localFile`, replacing it
// whole.
ExportResult exportInventory(const data::Database& store, const QString& localFile);

// Replaces a file whole: the folder is created when missing, the bytes go to a
// temporary file beside it that is renamed over the old one, so a reader sees
// the old file or the new one and never a part. Returns the operator's message
// on failure, with the old file untouched; empty on success.
QString replaceFile(const QString& localFile, const QByteArray& bytes);

// The local file that C:\quirel\inve1.dat names under the drive mapping.
QString inventoryFilePath(const data::DriveMapping& mapping);

} // namespace documents
