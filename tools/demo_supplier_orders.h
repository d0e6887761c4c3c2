// The demo store's supplier order in progress: an open order of the first
// supplier with lines of its articles, written as the supplier order
// confirmation writes them, so the handheld has an order to receive.
#pragma once

#include <QDate>
#include <QString>

namespace storegen {

// Writes the order into the file of the "ALTRI" mode (c:\marbo\dati.mdb),
// with the `articoli` rows its labels need there. Empty or what went wrong.
QString addDemoSupplierOrder(const QString& dataRoot, QDate today);

} // namespace storegen
