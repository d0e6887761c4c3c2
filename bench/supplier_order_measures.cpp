// The supplier orders on the large store: the list of a supplier's open
// orders and the screen of an order of 5000 lines, each opened (first rows)
// and scrolled to the end, beside a raw read of the same columns and rows.
#include "harness.h"
#include "measures.h"
#include "raw.h"
#include "state/shared_state.h"

#include <QDate>

namespace bench {

namespace {

// The supplier orders menu's state: one file of drive c: as store and work
// database, the supplier chosen (300 of the 600 open orders are its).
void supplier101(Program& p) {
    state::setupAltri(p.state, QStringLiteral("c:"));
    p.state.supplierCode = 101;
}

// Order 1 of this year, as a click on it in the list hands it over.
void orderOne(Program& p) {
    supplier101(p);
    p.state.documentNumber = 1;
    p.state.userName = QStringLiteral("ALIMENTARI ROSSI SPA");
}

Samples ordersFirstRows(Context& c) {
    return openList(c, QStringLiteral("lumo08"), "ord", supplier101, 300, false, 10);
}

Samples ordersToTheEnd(Context& c) {
    return openList(c, QStringLiteral("lumo08"), "ord", supplier101, 300, true, 5);
}

const char* const kOrdersQuery = "SELECT numero, dscfornitore, dataco, fl1ts, anno, commesso FROM testao "
                                 "WHERE fl1ts <> 'E' AND codfor = 101 ORDER BY numero";

Samples ordersRawSqlite(Context& c) {
    return readAllRawSqlite(c.sqlite(), kOrdersQuery, 300, 5);
}

Samples ordersRawPg(Context& c) {
    return readAllRawPg(c.pg(), "supplier_orders", kOrdersQuery, 300, 5);
}

Samples orderFirstRows(Context& c) {
    return openList(c, QStringLiteral("lumo10"), "ord", orderOne, 5000, false, 10);
}

Samples orderToTheEnd(Context& c) {
    return openList(c, QStringLiteral("lumo10"), "ord", orderOne, 5000, true, 5);
}

QByteArray orderLinesQuery() {
    // The order screen opens on this year's order.
    return "SELECT bns, eanrig, descrizione, quantita, bflag1, bnumer, bannoc, collic, articoli FROM ordini "
           "WHERE bnumer = 1 AND bannoc = " +
           QByteArray::number(QDate::currentDate().year()) + " ORDER BY bflag1, descrizione";
}

Samples orderRawSqlite(Context& c) {
    return readAllRawSqlite(c.sqlite(), orderLinesQuery().constData(), 5000, 5);
}

Samples orderRawPg(Context& c) {
    return readAllRawPg(c.pg(), "supplier_order_lines", orderLinesQuery().constData(), 5000, 5);
}

} // namespace

void registerSupplierOrderMeasures() {
    add({QStringLiteral("Supplier orders list: first rows"),
         Figure::Run,
         ordersFirstRows,
         {},
         {},
         {100, 100, 0}});
    add({QStringLiteral("Supplier orders list: to the end"),
         Figure::Run,
         ordersToTheEnd,
         ordersRawSqlite,
         ordersRawPg,
         {0, 0, 3}});
    add({QStringLiteral("Supplier order of 5000 lines: first rows"),
         Figure::Run,
         orderFirstRows,
         {},
         {},
         {100, 100, 0}});
    add({QStringLiteral("Supplier order of 5000 lines: to the end"),
         Figure::Run,
         orderToTheEnd,
         orderRawSqlite,
         orderRawPg,
         {0, 0, 3}});
}

} // namespace bench
