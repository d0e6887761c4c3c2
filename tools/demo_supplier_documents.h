// The supplier documents of the demo store: goods receipts of earlier days and
// return notes, one of them still open, so that the confirmations propose
// numbers after them and "Aggiunge a Ultimo" has a note to add to.
#pragma once

#include <QDate>
#include <QString>

namespace demo {

// Adds them to the store database of the "ALTRI" mode under `root`; the
// error's text, or empty.
QString addSupplierDocuments(const QString& root, const QDate& today);

} // namespace demo
