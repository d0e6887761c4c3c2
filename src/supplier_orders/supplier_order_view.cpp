#include "supplier_orders/supplier_order_view.h"

#include "articles/article_reads.h"
#include "data/recordset.h"
#include "documents/epl2_labels.h"
#include "documents/supplier_order_receipt.h"
#include "state/shared_state.h"
#include "supplier_orders/supplier_order_line.h"
#include "ui/controls.h"
#include "ui/data_grid.h"
#include "ui/messages.h"
#include "ui/printer.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QLineEdit>
#include <QPushButton>

namespace supplier_orders {

QString OrderLinesQuery::head(std::int32_t number, std::int32_t year) {
    // clang-format off
    return QStringLiteral("SELECT [bns] as Ns ,[eanrig] As Ean,[Descrizione],[quantita] as Qta,[bflag1] as St,[bnumer],[bannoc],[collic],[articoli] FROM ordini  WHERE bnumer = ") +
           QString::number(number) + QStringLiteral(" and bannoc = ") + QString::number(year);
    // clang-format on
}

QString OrderLinesQuery::byStatus(std::int32_t number, std::int32_t year) {
    return head(number, year) + QStringLiteral(" ORDER BY [bflag1],[descrizione] ");
}

QString OrderLinesQuery::byDescription(std::int32_t number, std::int32_t year, const QString& direction) {
    return head(number, year) + QStringLiteral(" ORDER BY [descrizione]") + direction;
}

namespace {

// A picture button with a word beside its picture: three of the screen's
// buttons share one tool tip, so the word tells them apart on the handheld.
QPushButton* wordButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                        const QString& word, const QString& toolTip, const ui::Twips& at) {
    QPushButton* b = ui::pictureButton(parent, name, picture, 16, toolTip, at);
    b->setText(word);
    QFont f = b->font();
    f.setPointSize(ui::kSmallFont.points);
    b->setFont(f);
    return b;
}

} // namespace

SupplierOrderView::SupplierOrderView(ui::Services& s, QWidget* parent)
    : Screen(QStringLiteral("lumo10"), s, parent) {
    setWindowTitle(QStringLiteral("Ordine Fornitore"));
    setInnerSize(6135, 8400);
    ui::label(this, nullptr, QStringLiteral("Numero"), {120, 60, 1200, 240});
    numerow = ui::field(this, "numerow", {120, 300, 1200, 375});
    ui::label(this, nullptr, QStringLiteral("Fornitore"), {1440, 60, 3000, 240});
    descliw = ui::field(this, "descliw", {1440, 300, 4560, 375});
    ui::label(this, nullptr, QStringLiteral("Sede"), {120, 720, 1200, 240});
    sedew = ui::field(this, "sedew", {120, 960, 1200, 375});
    ui::label(this, nullptr, QStringLiteral("Codice Ean"), {1440, 720, 3000, 240});
    eanw = ui::field(this, "eanw", {1440, 960, 4560, 375}, ui::kFieldFont);
    ord = ui::grid(this, "ord", {120, 1440, 5880, 5640});
    const int top = 7200, w = 1140, h = 1080;
    Command5 = wordButton(this, "Command5", QStyle::SP_FileDialogContentsView, QStringLiteral("Riga"),
                          QStringLiteral("Vedo articolo"), {120, top, w, h});
    Command3 = wordButton(this, "Command3", QStyle::SP_FileDialogDetailedView, QStringLiteral("Etichette"),
                          QStringLiteral("Vedo articolo"), {1290, top, w, h});
    Command2 = wordButton(this, "Command2", QStyle::SP_DialogApplyButton, QStringLiteral("Chiudo"),
                          QStringLiteral("Vedo articolo"), {2460, top, w, h});
    Command4 = wordButton(this, "Command4", QStyle::SP_TrashIcon, QStringLiteral("Cancello"),
                          QStringLiteral("Cancello ordine"), {3630, top, w, h});
    Command1 = wordButton(this, "Command1", QStyle::SP_DialogCloseButton, QStringLiteral("Uscita"),
                          QStringLiteral("Uscita programma"), {4800, top, w + 60, h});
    for (QLineEdit* shown : {numerow, descliw})
        shown->setReadOnly(true);

    connect(ord, &ui::DataGrid::cellClicked, this, &SupplierOrderView::ord_Click);
    connect(eanw, &QLineEdit::returnPressed, this, &SupplierOrderView::eanw_Enter);
    connect(Command5, &QPushButton::clicked, this, &SupplierOrderView::Command5_Click);
    connect(Command3, &QPushButton::clicked, this, &SupplierOrderView::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &SupplierOrderView::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &SupplierOrderView::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &SupplierOrderView::Command1_Click);
}

void SupplierOrderView::Form_Load() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
    number_ = state().documentNumber;
    year_ = state().documentYear;
    descliw->setText(state().userName.text().trimmed());
    numerow->setText(QString::number(number_));
    sedew->clear();
    if (state().workDbPath.isEmpty()) {
        ord->dataModel()->clear();
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    show(OrderLinesQuery::byStatus(number_, year_));
    eanw->setFocus();
}

void SupplierOrderView::show(const QString& query) {
    reportError(ord->setQuery(workDb(), query));
    vedo();
}

void SupplierOrderView::vedo() {
    ord->setColWidth(0, 0);
    ord->setColWidth(1, 300);
    ord->setColWidth(2, 1000);
    ord->setColWidth(3, 1200);
    ord->setColWidth(4, 500);
}

bool SupplierOrderView::hasLines() const {
    return ord->rows() > 1;
}

void SupplierOrderView::ord_Click(int row, int col) {
    if (state().workDbPath.isEmpty())
        return;
    if (row == 0) {
        // The header of column 2 sorts by description; column 1 sorts nothing.
        if (col != 2)
            return;
        state().sortDirection = state().sortDirection.text() == QLatin1String("DESC")
                                    ? QStringLiteral("ASC ")
                                    : QStringLiteral("DESC");
        show(OrderLinesQuery::byDescription(number_, year_, state().sortDirection.text()));
        return;
    }
    state().lastLine = std::int16_t(ord->textMatrix(row, 1).toInt());
    state().ean = ord->textMatrix(row, 2);
}

void SupplierOrderView::Command5_Click() {
    const int row = ord->currentRow();
    if (row <= 0) {
        state().ean = QString();
        return;
    }
    state().lastLine = std::int16_t(ord->textMatrix(row, 1).toInt());
    state().ean = ord->textMatrix(row, 2);
    openLine();
}

void SupplierOrderView::eanw_Enter() {
    const QString text = eanw->text();
    if (text.isEmpty())
        return;
    if (state().workDbPath.isEmpty()) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    state().ean = documents::orderScanEan(text);
    const std::optional<data::Decimal> weight = documents::inStoreWeight(text);
    if (state().ean.text().left(5).trimmed().isEmpty())
        return;
    const data::Database work = workDb();
    data::Error e;
    const std::optional<std::int32_t> code = articles::codeOfEan(work, state().ean.text(), &e);
    if (reportError(e))
        return;
    if (!code) {
        // An EAN nobody knows opens no line: not even the line of the article
        // scanned before it.
        messages().info(QStringLiteral("ATTENZIONE !!!. Codice EAN non presente in archivio"), this);
        eanw->clear();
        eanw->setFocus();
        return;
    }
    state().articleCode = *code;
    data::Recordset lines =
        work.query(ord->dataModel()->desktopQuery().isEmpty() ? OrderLinesQuery::byStatus(number_, year_)
                                                              : ord->dataModel()->desktopQuery());
    const bool found = lines.findFirst(QStringLiteral("bnumer =  %1 and  bannoc = %2 and articoli = %3 ")
                                           .arg(number_)
                                           .arg(year_)
                                           .arg(*code));
    if (!lines.ok() && lines.error().kind != data::Error::Kind::NoCurrentRow) {
        reportError(lines.error());
        return;
    }
    if (!found) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Articolo non presente nell'ordine"), this);
        eanw->clear();
        eanw->setFocus();
        return;
    }
    state().lastLine = std::int16_t(lines.value(QStringLiteral("Ns")).toInt());
    eanw->clear();
    openLine(weight ? weight->toItalian() : QString());
}

void SupplierOrderView::openLine(const QString& proposedQuantity) {
    // The line screen reads the order and the line from the shared state. One
    // still open shows another line: it opens anew on this one.
    state().documentNumber = number_;
    state().documentYear = year_;
    if (ui::Screen* open = registry().find(QStringLiteral("lumo09")))
        open->close();
    ui::Screen* screen = registry().open(QStringLiteral("lumo09"));
    if (auto* line = qobject_cast<SupplierOrderLine*>(screen); line && !proposedQuantity.isEmpty())
        line->proposeDelivered(proposedQuantity);
}

void SupplierOrderView::Command3_Click() {
    if (!hasLines())
        return; // nothing to print, nothing to say
    data::Error e;
    const std::vector<documents::LabelLine> lines =
        documents::labelLines(workDb(), ord->dataModel()->desktopQuery(), &e);
    if (reportError(e))
        return;
    const ui::PrintResult r =
        printer().print(QStringLiteral("Etichette ordine %1").arg(number_), documents::epl2LabelRun(lines));
    if (!r.ok) {
        // Nothing was written by printing: the labels can be printed again.
        messages().show({r.message, QStringLiteral("Stampa etichette"), ui::Message::Icon::Critical,
                         ui::Message::Buttons::Ok, ui::Message::Answer::Ok},
                        this);
        return;
    }
    messages().info(QStringLiteral("Le etichette sono state stampate ...."), this);
}

void SupplierOrderView::Command2_Click() {
    data::Error e;
    const bool found = documents::orderExists(workDb(), year_, number_, &e);
    if (reportError(e))
        return;
    if (!found) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Ordine non presente in archivio"), this);
        return;
    }
    if (messages().askCritical(
            QStringLiteral("ATTENZIONE !!! Sei sicuro di voler chiudere questo Ordine ..."), QString(), this))
        backToList();
}

void SupplierOrderView::Command4_Click() {
    if (!messages().askCritical(
            QStringLiteral("ATTENZIONE !!! Sei sicuro di voler eliminare questo Ordine ..."), QString(),
            this))
        return;
    if (!hasLines())
        return; // an order without lines is not touched
    int deleted = 0;
    if (reportError(documents::deleteOrder(workDb(), year_, number_, &deleted)))
        return;
    backToList();
}

void SupplierOrderView::Command1_Click() {
    data::Error e;
    const bool found = documents::leaveOrder(workDb(), year_, number_, &e);
    if (!reportError(e) && !found)
        messages().info(QStringLiteral("ATTENZIONE !!!. Ordine non presente in archivio"), this);
    backToList();
}

void SupplierOrderView::backToList() {
    close();
    registry().open(QStringLiteral("lumo08"));
}

} // namespace supplier_orders
