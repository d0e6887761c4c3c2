#include "lists/line_list.h"

#include "articles/line_query.h"
#include "articles/pictures.h"
#include "data/dialect.h"
#include "data/recordset.h"
#include "documents/inventory_export.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace lists {

using state::SharedState;
using Db = LineListKind::Db;
using Opening = LineListKind::Opening;

// ---------------------------------------------------------------------------
// The queries of a list.

QString LineListKind::head() const {
    return QStringLiteral("SELECT [%1] as Ean,[%2] as Descrizione,[%3] as Qta FROM %4")
        .arg(eanField, descrField, qtyField, table);
}

QString LineListKind::whereKeepingLines() const {
    return linesFilter.isEmpty() ? QStringLiteral(" WHERE ")
                                 : QStringLiteral(" WHERE ") + linesFilter + " and ";
}

QString LineListKind::openingCondition(const SharedState& s) const {
    switch (opening) {
    case Opening::Operator:
        return QStringLiteral(" WHERE oper = ") + QString::number(s.operatorNumber);
    case Opening::Department:
        return QStringLiteral(" WHERE tipord = ") + data::quoted(s.department.text());
    case Opening::All:
        break;
    }
    return onlyLines();
}

QString LineListKind::onlyLines() const {
    return linesFilter.isEmpty() ? QString() : QStringLiteral(" WHERE ") + linesFilter;
}

QString LineListKind::from(const QString& field, const QString& op, const QString& value) const {
    return whereKeepingLines() + QStringLiteral("[%1] %2 ").arg(field, op) + data::quoted(value) +
           QStringLiteral(" ORDER BY [%1]").arg(field);
}

QString LineListKind::openingQuery(const SharedState& s) const {
    return head() + openingCondition(s);
}

QString LineListKind::totalQuery(const SharedState& s) const {
    return articles::LineQuery{table, openingCondition(s)}.total(qtyField);
}

QString LineListKind::sortQuery(const QString& direction) const {
    // No operator or department condition: the sorted list shows every line of
    // the table, as the operators know it.
    return head() + onlyLines() + QStringLiteral(" ORDER BY [%1]").arg(descrField) + direction;
}

QString LineListKind::descriptionSearch(const QString& typed) const {
    // From the first description equal to or after the typed text to the end
    // of the alphabet, of every operator.
    return head() + from(descrField, QStringLiteral(">="), typed);
}

QString LineListKind::eanSearch(const QString& ean) const {
    // Ordered by EAN so that the grid starts at the first EAN after the typed
    // one on every engine, not only where the index happens to give that order.
    return head() + from(eanField, QStringLiteral(">"), ean);
}

QString LineListKind::eanStep(const QString& ean) const {
    return QStringLiteral("SELECT * FROM ") + table + from(eanField, QStringLiteral(">"), ean);
}

const std::vector<LineListKind>& lineListKinds() {
    static const std::vector<LineListKind> kinds{
        {.name = QStringLiteral("tarvo06"),
         .caption = QStringLiteral("Consultazione Inventario"),
         .table = QStringLiteral("inventario"),
         .opening = Opening::Operator,
         .totalLabel = QStringLiteral("Tot.Inven."),
         .widths = {2500, 5000, 800},
         .entryScreen = QStringLiteral("tarvo05"),
         .closesOnView = true,
         .exports = true},
        {.name = QStringLiteral("tarvo06b"),
         .caption = QStringLiteral("Consultazione Carico"),
         .table = QStringLiteral("carico"),
         .opening = Opening::Operator,
         .totalLabel = QStringLiteral("Tot.Carico"),
         .widths = {1000, 1800, 400},
         .entryScreen = QStringLiteral("tarvo05b"),
         .closesOnView = true,
         .exports = true},
        {.name = QStringLiteral("tarvo03"),
         .caption = QStringLiteral("Consultazione Ordine"),
         .table = QStringLiteral("ordine"),
         .database = Db::Work,
         .checkedPath = Db::Work,
         .opening = Opening::Department,
         .widths = {2500, 5000, 800},
         .entryScreen = QStringLiteral("tarvo02"),
         .searchLabelled = true},
        {.name = QStringLiteral("tarvo03f"),
         .caption = QStringLiteral("Consultazione Ordine"),
         .table = QStringLiteral("ordine"),
         .database = Db::Work,
         .checkedPath = Db::Work,
         .totalLabel = QStringLiteral("Tot.ordine"),
         .widths = {1000, 1800, 400},
         .entryScreen = QStringLiteral("tarvo02f")},
        {.name = QStringLiteral("tarvo03r"),
         .caption = QStringLiteral("Consultazione Resi"),
         .table = QStringLiteral("resi"),
         .database = Db::Work,
         .checkedPath = Db::Work,
         .totalLabel = QStringLiteral("Tot.Resi"),
         .widths = {1000, 1800, 400},
         .entryScreen = QStringLiteral("tarvo02r")},
        // The EAN rows selected for labels, with the number of labels as quantity.
        {.name = QStringLiteral("tarvo10"),
         .caption = QStringLiteral("Consultazione Ordine"),
         .table = QStringLiteral("codean"),
         .eanField = QStringLiteral("eanare"),
         .descrField = QStringLiteral("desart"),
         .qtyField = QStringLiteral("neti"),
         .database = Db::Store,
         .checkedPath = Db::Work,
         .linesFilter = QStringLiteral("flagean = 'S'"),
         .totalLabel = QStringLiteral("Tot.Etichette"),
         .widths = {2700, 5000, 800}},
    };
    return kinds;
}

const LineListKind* lineListKind(const QString& name) {
    for (const LineListKind& k : lineListKinds())
        if (k.name == name)
            return &k;
    return nullptr;
}

// ---------------------------------------------------------------------------
// The screen.

LineList::LineList(const LineListKind& kind, ui::Services& services, QWidget* parent)
    : Screen(kind.name, services, parent)
    , kind_(kind) {
    setWindowTitle(kind.caption);
    setInnerSize(6135, 8400);
    ui::label(this, nullptr, QStringLiteral("Codice Ean"), {120, 60, 2400, 240});
    eanw = ui::field(this, "eanw", {120, 300, 2400, 375});
    if (kind_.searchLabelled)
        ui::label(this, nullptr, QStringLiteral("Descrizione"), {2640, 60, 2400, 240});
    ricw = ui::field(this, "ricw", {2640, 300, 3360, 375});
    ord = ui::grid(this, "ord", {120, 780, 5880, 5880});
    if (!kind_.totalLabel.isEmpty())
        ui::label(this, nullptr, kind_.totalLabel, {3240, 6780, 1200, 375});
    totqw = ui::field(this, "totqw", {4440, 6780, 1560, 375});
    if (kind_.exports)
        Command2 = ui::button(this, "Command2", QStringLiteral("Crea file testo INVE1.dat"), {},
                              {120, 6780, 3000, 375}, ui::kScreenFont);
    if (!kind_.entryScreen.isEmpty())
        Command5 = ui::pictureButton(this, "Command5", QStyle::SP_FileDialogContentsView, 32,
                                     QStringLiteral("Vedo articolo"), {120, 7320, 1800, 735});
    const ui::Twips exitAt{4200, 7320, 1800, 735};
    if (kind_.entryScreen.isEmpty()) {
        Command1 = ui::button(this, "Command1", QStringLiteral("USCITA"), {}, exitAt, ui::kScreenFont);
        Command1->setToolTip(QStringLiteral("Uscita programma"));
    } else {
        Command1 = ui::pictureButton(this, "Command1", QStyle::SP_DialogCloseButton, 32,
                                     QStringLiteral("Uscita programma"), exitAt);
    }
    totqw->setReadOnly(true);

    connect(ord, &ui::DataGrid::cellClicked, this, &LineList::ord_Click);
    connect(ricw, &QLineEdit::textChanged, this, &LineList::ricw_Change);
    connect(eanw, &QLineEdit::textChanged, this, &LineList::eanw_Change);
    connect(eanw, &QLineEdit::returnPressed, this, &LineList::eanw_Enter);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    if (Command5)
        connect(Command5, &QPushButton::clicked, this, &LineList::Command5_Click);
    if (Command2)
        connect(Command2, &QPushButton::clicked, this, &LineList::Command2_Click);
    eanw->installEventFilter(this);
    ricw->installEventFilter(this);
}

data::Database LineList::linesDb() const {
    return kind_.database == Db::Store ? storeDb() : workDb();
}

void LineList::Form_Load() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
    const QString& checked = kind_.checkedPath == Db::Store ? state().storeDbPath : state().workDbPath;
    if (checked.isEmpty()) {
        ord->dataModel()->clear(); // an empty grid, with no rows to fetch
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    show(kind_.openingQuery(state()));
    caltot();
}

void LineList::show(const QString& query) {
    const data::Error e = ord->setQuery(linesDb(), query);
    vedo();
    // The searches run at every character typed: an error the list has just
    // told (a missing archive) is not told again for each one, only once the
    // list has worked in between.
    if (e && e.message() == toldError_)
        return;
    toldError_ = e ? e.message() : QString();
    reportError(e);
}

void LineList::vedo() {
    ord->setColWidth(0, 0);
    for (int c = 0; c < 3; ++c)
        ord->setColWidth(c + 1, kind_.widths[c]);
}

void LineList::caltot() {
    // One aggregate over the lines of the opening query; a Null quantity adds
    // nothing. Sorting and searching leave the figure as it is.
    totqw->setText(QStringLiteral("0"));
    data::Recordset rs = linesDb().query(kind_.totalQuery(state()));
    const bool none = rs.eof(); // runs the query
    if (reportError(rs.error()) || none)
        return;
    const QVariant total = rs.value(0);
    if (!total.isNull())
        totqw->setText(articles::plainNumber(total.toDouble()));
}

void LineList::ord_Click(int row, int col) {
    // The header row sorts by description; column 1 (sort1) sorts nothing.
    if (row == 0 && col == 2)
        sort2();
}

void LineList::sort2() {
    state().sortDirection = state().sortDirection.text() == QLatin1String("DESC") ? QStringLiteral("ASC ")
                                                                                  : QStringLiteral("DESC");
    show(kind_.sortQuery(state().sortDirection.text()));
}

void LineList::ricw_Change() {
    ui::setBackground(ricw, ui::color(ui::kFocusYellow));
    show(kind_.descriptionSearch(ricw->text()));
}

void LineList::eanw_Change() {
    state().ean = eanw->text();
    show(kind_.eanSearch(state().ean.text()));
}

void LineList::eanw_KeyDown() {
    state().ean = eanw->text();
    show(kind_.eanStep(state().ean.text()));
}

void LineList::eanw_Enter() {
    // The focus stays here: a list has no quantity field to go to.
    state().ean = eanw->text();
}

void LineList::eanw_Click() {
    state().ean = eanw->text();
    state().articleCode = 0;
}

void LineList::Command5_Click() {
    const int row = ord->currentRow();
    state().ean = QString();
    if (row <= 0)
        return;
    // The EAN column by its name: after the down arrow the grid shows every
    // field of the table, and column 1 is then not the EAN.
    int eanCol = 1;
    for (int c = 1; c < ord->cols(); ++c) {
        const QString header = ord->textMatrix(0, c);
        if (header.compare(QLatin1String("Ean"), Qt::CaseInsensitive) == 0 ||
            header.compare(kind_.eanField, Qt::CaseInsensitive) == 0) {
            eanCol = c;
            break;
        }
    }
    state().ean = ord->textMatrix(row, eanCol);
    if (kind_.closesOnView)
        close();
    registry().open(kind_.entryScreen);
}

void LineList::Command2_Click() {
    const QString file =
        exportFile_.isEmpty() ? documents::inventoryFilePath(databases().mapping()) : exportFile_;
    const documents::ExportResult r = documents::exportInventory(storeDb(), file);
    switch (r.status) {
    case documents::ExportResult::Status::Written:
        close();
        return;
    case documents::ExportResult::Status::NoData:
        messages().info(r.message, this);
        return;
    case documents::ExportResult::Status::Refused:
    case documents::ExportResult::Status::Failed:
        messages().show({r.message, QStringLiteral("File INVE1.dat"), ui::Message::Icon::Critical,
                         ui::Message::Buttons::Ok, ui::Message::Answer::Ok},
                        this);
        return;
    }
}

void LineList::chiaro() {
    ui::setBackground(ricw, ui::color(ui::kWindowBackground));
    ui::setBackground(eanw, ui::color(ui::kWindowBackground));
    if (Command5)
        ui::setBackground(Command5, ui::color(ui::kActiveBorder));
}

bool LineList::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        chiaro();
        ui::setBackground(static_cast<QWidget*>(watched), ui::color(ui::kFocusYellow));
        break;
    case QEvent::MouseButtonPress:
        if (watched == eanw)
            eanw_Click();
        break;
    case QEvent::KeyPress:
        if (watched == eanw && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
            eanw_KeyDown();
            return true;
        }
        break;
    default:
        break;
    }
    return Screen::eventFilter(watched, event);
}

} // namespace lists
