#include "supplier_orders/supplier_orders_list.h"

#include "data/dialect.h"
#include "data/recordset.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace supplier_orders {

QString OrdersListQuery::head() {
    // clang-format off
    return QStringLiteral("SELECT [Numero] as Num ,[Dscfornitore] As Fornitore,[DataCo], [fl1ts] as St,[anno],[commesso] FROM testao ");
    // clang-format on
}

QString OrdersListQuery::opening(std::int16_t supplierCode) {
    return head() + QStringLiteral(" WHERE fl1ts <> '") + QStringLiteral("E") +
           QStringLiteral("'  and  codfor = ") + QString::number(supplierCode) +
           QStringLiteral(" ORDER BY [numero]");
}

QString OrdersListQuery::search(const QString& typed) {
    // The typed text is a quoted literal, which the data layer binds.
    return head() + QStringLiteral(" WHERE fl1ts <> '") + QStringLiteral("E") +
           QStringLiteral("' and dscfornitore >= ") + data::quoted(typed) + QStringLiteral(" ") +
           QStringLiteral("ORDER BY [dscfornitore]");
}

QString OrdersListQuery::sorted(const QString& direction) {
    // The header of column 2 ("Fornitore") sorts by the supplier name the
    // column shows. The orders of every supplier and status are listed.
    return head() + QStringLiteral(" ORDER BY [dscfornitore]") + direction;
}

SupplierOrdersList::SupplierOrdersList(ui::Services& s, QWidget* parent)
    : Screen(QStringLiteral("lumo08"), s, parent) {
    setWindowTitle(QStringLiteral("Elenco ordini Fornitori"));
    setInnerSize(6135, 8400);
    ui::label(this, nullptr, QStringLiteral("Fornitore"), {120, 60, 2400, 240});
    ricw = ui::field(this, "ricw", {120, 300, 3600, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Operatore"), {3960, 60, 1200, 240});
    girow = ui::field(this, "girow", {3960, 300, 2040, 375});
    ord = ui::grid(this, "ord", {120, 780, 5880, 5880});
    totqw = ui::field(this, "totqw", {4440, 6780, 1560, 375});
    Command5 = ui::pictureButton(this, "Command5", QStyle::SP_FileDialogContentsView, 32,
                                 QStringLiteral("Vedo articolo"), {120, 7320, 1800, 735});
    Command1 = ui::pictureButton(this, "Command1", QStyle::SP_DialogCloseButton, 32,
                                 QStringLiteral("Uscita programma"), {4200, 7320, 1800, 735});
    totqw->setReadOnly(true);

    connect(ricw, &QLineEdit::textChanged, this, &SupplierOrdersList::ricw_Change);
    connect(ord, &ui::DataGrid::cellClicked, this, &SupplierOrdersList::ord_Click);
    connect(Command5, &QPushButton::clicked, this, &SupplierOrdersList::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    ricw->installEventFilter(this);
}

void SupplierOrdersList::Form_Load() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
    girow->clear();
    if (state().workDbPath.isEmpty()) {
        ord->dataModel()->clear();
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    show(OrdersListQuery::opening(state().supplierCode));
    totqw->setText(QStringLiteral("0"));
}

void SupplierOrdersList::show(const QString& query) {
    reportError(ord->setQuery(workDb(), query));
    vedo();
}

void SupplierOrdersList::vedo() {
    ord->setColWidth(0, 0);
    ord->setColWidth(1, 400);
    ord->setColWidth(2, 1400);
    ord->setColWidth(3, 1200);
    ord->setColWidth(4, 400);
}

void SupplierOrdersList::ricw_Change() {
    if (state().workDbPath.isEmpty())
        return;
    show(OrdersListQuery::search(ricw->text()));
}

void SupplierOrdersList::ord_Click(int row, int col) {
    // The header row: column 2 sorts by supplier name, column 1 sorts nothing.
    if (row != 0 || col != 2 || state().workDbPath.isEmpty())
        return;
    state().sortDirection = state().sortDirection.text() == QLatin1String("DESC") ? QStringLiteral("ASC ")
                                                                                  : QStringLiteral("DESC");
    show(OrdersListQuery::sorted(state().sortDirection.text()));
}

void SupplierOrdersList::Command5_Click() {
    state().ean = QString();
    const int row = ord->currentRow();
    if (row <= 0)
        return;
    bool numeric = false;
    const int number = ord->textMatrix(row, 1).toInt(&numeric);
    if (!numeric)
        return;
    state().documentNumber = number;
    state().userName = ord->textMatrix(row, 2);
    // The order of this year among the rows listed: an order of another year is
    // not the one the order screen opens.
    data::Recordset rows = workDb().query(ord->dataModel()->desktopQuery());
    const bool found =
        rows.findFirst(QStringLiteral("num=  %1 and  anno = %2 ").arg(number).arg(state().documentYear));
    if (!rows.ok() && rows.error().kind != data::Error::Kind::NoCurrentRow) {
        reportError(rows.error());
        return;
    }
    if (!found) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Ordine non presente in archivio"), this);
        return;
    }
    if (rows.value(QStringLiteral("St")).toString() == QLatin1String("E")) {
        messages().info(QStringLiteral("ATTENZIONE !!!. L'Ordine è chiuso e non può essere modificato"),
                        this);
        return;
    }
    // An order screen still open shows another order: it opens anew on this one.
    if (ui::Screen* open = registry().find(QStringLiteral("lumo10")))
        open->close();
    close();
    registry().open(QStringLiteral("lumo10"));
}

bool SupplierOrdersList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ricw && event->type() == QEvent::FocusIn) {
        ui::setBackground(Command5, ui::color(ui::kActiveBorder));
        ui::setBackground(ricw, ui::color(ui::kFocusYellow));
    }
    return Screen::eventFilter(watched, event);
}

} // namespace supplier_orders
