// Builds a store of realistic Italian grocery data under a data root: the
// settings, store and work databases of drive c:, the work database doubling
// as the price comparison database (the same file, c:\marbo\bancacodean.mdb).
#pragma once

#include "data/location.h"

#include <QDate>
#include <QString>

namespace storegen {

struct Shape {
    int articles = 320;         // price list rows
    int inventoryLines = 0;     // working lines of inventory of operator 1, one per article
    int longListLines = 0;      // lines of operator 2 (a long list)
    int confirmLines = 0;       // lines of operator 3 (a large count to confirm)
    int receiptLines = 0;       // goods receipt lines of operator 4 from supplier 101, one per article
    int supplierOrderLines = 0; // supplier order lines (empty order type), one per EAN
    int returnLines = 0;        // return lines for supplier 101, one per EAN
    int returnNoteLines = 0;    // lines of supplier 101's open return note 1 of 2097 (0: no note)

    int orderLines = 0;        // department "T" order lines in the work database, one per article
    int supplierOrders = 0;    // open supplier orders (headers) in the store database, two suppliers
    int supplierOrderSize = 0; // lines of the first of them (number 1, supplier 101)

    QDate today = QDate::currentDate();
    unsigned seed = 20261210; // same data on every run
};

// EAN-13 check digit of the first twelve digits.
int eanCheckDigit(const QString& twelveDigits);

// Creates the three databases; returns an empty text or what went wrong.
QString makeStore(const QString& dataRoot, const Shape& shape);
// The same on the locations of a drive mapping (drive c: may be a server).
QString makeStore(const data::DriveMapping& mapping, const Shape& shape);

} // namespace storegen
