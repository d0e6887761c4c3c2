#include "supplier_orders/supplier_order_line.h"

#include "articles/article_reads.h"
#include "articles/entry_rules.h"
#include "articles/pictures.h"
#include "articles/readings.h"
#include "data/recordset.h"
#include "documents/epl2_labels.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace supplier_orders {

namespace {

QString numberText(const QVariant& v) {
    return v.isNull() ? QString() : articles::plainNumber(v.toDouble());
}

// Leading-number reading that takes the decimal comma the fields show as well
// as the point ("1,5" is 1,5; "3 colli" is 3; "x" is 0).
double leading(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return articles::leadingNumber(t);
}

const QString kQuantityMessage = QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta");

} // namespace

SupplierOrderLine::SupplierOrderLine(ui::Services& s, QWidget* parent)
    : Screen(QStringLiteral("lumo09"), s, parent) {
    setWindowTitle(QStringLiteral("Riga Ordine Fornitore"));
    setInnerSize(6135, 6600);
    ui::label(this, nullptr, QStringLiteral("Codice Ean"), {120, 60, 2880, 240});
    eanw = ui::field(this, "eanw", {120, 300, 2880, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Codice Articolo"), {3120, 60, 2880, 240});
    codicew = ui::field(this, "codicew", {3120, 300, 2880, 375}, ui::kFieldFont);
    descrw = ui::field(this, "descrw", {120, 780, 5880, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Imballo"), {120, 1260, 1800, 240});
    imbw = ui::field(this, "imbw", {120, 1500, 1800, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Giacenza"), {2040, 1260, 1800, 240});
    giacew = ui::field(this, "giacew", {2040, 1500, 1800, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Lotto fornitore"), {120, 1980, 3720, 240});
    lottofw = ui::field(this, "lottofw", {120, 2220, 3720, 375}, ui::kFieldFont);

    // Ordered against delivered: one column each, quantity over packs.
    ui::label(this, nullptr, QStringLiteral("Ordinate"), {1560, 2760, 2040, 240}, ui::kCaption);
    ui::label(this, nullptr, QStringLiteral("Consegnate"), {3840, 2760, 2160, 240}, ui::kCaption);
    ui::label(this, nullptr, QStringLiteral("Quantità"), {120, 3120, 1320, 375}, ui::kCaption);
    quanw = ui::field(this, "quanw", {1560, 3060, 2040, 495}, ui::kFieldFont);
    quanciw = ui::field(this, "quanciw", {3840, 3060, 2160, 495}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Colli"), {120, 3720, 1320, 375}, ui::kCaption);
    colliw = ui::field(this, "colliw", {1560, 3660, 2040, 495}, ui::kFieldFont);
    collicw = ui::field(this, "collicw", {3840, 3660, 2160, 495}, ui::kFieldFont);

    Command5 = ui::pictureButton(this, "Command5", QStyle::SP_DialogApplyButton, 28, QString(),
                                 {120, 4560, 1800, 1080});
    Command2 =
        ui::pictureButton(this, "Command2", QStyle::SP_TrashIcon, 28, QString(), {2160, 4560, 1800, 1080});
    Command1 = ui::pictureButton(this, "Command1", QStyle::SP_DialogCloseButton, 28,
                                 QStringLiteral("Uscita programma"), {4200, 4560, 1800, 1080});
    Command5->setText(QStringLiteral("Conferma"));
    Command2->setText(QStringLiteral("Escludo"));
    Command1->setText(QStringLiteral("Uscita"));
    for (QLineEdit* shown : {codicew, descrw, giacew})
        shown->setReadOnly(true);
    lottofw->setMaxLength(20); // as long as the line's lot field
    eanw->setMaxLength(48);

    connect(collicw, &QLineEdit::returnPressed, this, &SupplierOrderLine::collicw_Enter);
    connect(quanw, &QLineEdit::returnPressed, this, &SupplierOrderLine::quantity_Enter);
    connect(quanciw, &QLineEdit::returnPressed, this, &SupplierOrderLine::quantity_Enter);
    connect(Command5, &QPushButton::clicked, this, &SupplierOrderLine::Command5_Click);
    connect(Command2, &QPushButton::clicked, this, &SupplierOrderLine::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    for (QWidget* w : std::initializer_list<QWidget*>{quanciw, collicw, Command5})
        w->installEventFilter(this);
}

void SupplierOrderLine::Form_Load() {
    state().documentYear = clock().today().year();
    key_ = {state().documentYear, state().documentNumber, state().lastLine};
    if (state().workDbPath.isEmpty()) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    const data::Database work = workDb();
    data::Recordset line = work.query(documents::orderLineQuery(key_));
    if (reportError(line.error()) || line.eof())
        return;
    quanw->setText(numberText(line.value(QStringLiteral("quantita"))));
    colliw->setText(numberText(line.value(QStringLiteral("colli"))));
    descrw->setText(line.value(QStringLiteral("descrizione")).toString());
    lottofw->setText(line.value(QStringLiteral("lotto")).toString());
    const QVariant code = line.value(QStringLiteral("articoli"));
    codicew->setText(code.isNull() ? QString() : QString::number(code.toLongLong()));
    state().articleCode = std::int32_t(code.toLongLong());
    data::Error e;
    if (const auto listi = articles::priceListRow(work, state().articleCode, &e))
        giacew->setText(numberText(listi->value(QStringLiteral("qgia"))));
    else if (reportError(e))
        return;
    imbw->setText(numberText(line.value(QStringLiteral("imballo"))));
    const QVariant ean = line.value(QStringLiteral("eanrig"));
    if (!ean.isNull())
        eanw->setText(ean.toString());
    collicw->setFocus();
}

void SupplierOrderLine::proposeDelivered(const QString& quantity) {
    quanciw->setText(quantity);
    quanciw->setFocus();
}

void SupplierOrderLine::collicw_Enter() {
    const auto packs = data::Decimal::fromDouble(leading(collicw->text()), 3);
    const auto perPack = data::Decimal::fromDouble(leading(imbw->text()), 3);
    const auto pieces = packs && perPack ? *packs * *perPack : std::nullopt;
    quanciw->setText(pieces ? pieces->rounded(3).toItalian() : QString());
    quanciw->setFocus();
}

void SupplierOrderLine::normaliseOrdered() {
    quanw->setText(documents::decimalCommaField(quanw->text()));
}

void SupplierOrderLine::quantity_Enter() {
    normaliseOrdered();
    if (quanw->text().isEmpty() || quanw->text().startsWith(QLatin1Char(' ')))
        quanw->setText(QStringLiteral("0"));
    const std::optional<double> q = articles::regionalNumber(quanw->text());
    if (q && *q >= articles::kQuantityLimit) {
        refuse(quanw);
        return;
    }
    carica();
}

void SupplierOrderLine::Command5_Click() {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    state().ean = documents::eanOfScan(eanw->text());
    const std::optional<double> q = articles::regionalNumber(quanw->text());
    if (q && *q >= documents::kConfirmQuantityLimit) {
        refuse(quanw);
        return;
    }
    normaliseOrdered();
    carica();
}

void SupplierOrderLine::refuse(QLineEdit* field) {
    messages().plain(kQuantityMessage, this);
    field->clear();
    field->setFocus();
}

void SupplierOrderLine::carica() {
    // Nothing typed means delivered as ordered.
    QLineEdit* packsField = collicw->text().isEmpty() ? colliw : collicw;
    QLineEdit* piecesField = quanciw->text().isEmpty() ? quanw : quanciw;
    documents::Delivery d;
    // What a scan into the EAN field carries, cut as the order screen cuts it.
    d.ean = documents::eanOfScan(eanw->text().trimmed());
    d.articleCode = std::int32_t(codicew->text().toLongLong());
    d.lot = lottofw->text();
    // An empty field stores no value; a text that is no number, or a number
    // no delivery can have (a barcode scanned into the field), stores nothing.
    if (!packsField->text().trimmed().isEmpty()) {
        d.packs = documents::deliveredNumber(packsField->text());
        if (!d.packs || d.packs->toDouble() > documents::kMaxLabelCopies) {
            refuse(packsField);
            return;
        }
    }
    if (!piecesField->text().trimmed().isEmpty()) {
        d.pieces = documents::deliveredNumber(piecesField->text());
        if (!d.pieces || d.pieces->toDouble() >= articles::kQuantityLimit) {
            refuse(piecesField);
            return;
        }
    }
    state().ean = d.ean;
    documents::LineOutcome outcome;
    if (reportError(documents::storeDelivery(workDb(), key_, d, &outcome)))
        return; // nothing was written: the operator can confirm again
    if (outcome == documents::LineOutcome::LineMissing)
        messages().info(QStringLiteral("ATTENZIONE !!!. Riga dell'ordine non presente in archivio"), this);
    eanw->clear();
    quanw->clear();
    descrw->clear();
    state().ean = QString();
    state().articleCode = 0;
    reopenOrder();
}

void SupplierOrderLine::Command2_Click() {
    if (!messages().askCritical(
            QStringLiteral("ATTENZIONE !!! Sei sicuro di voler eliminare questo prodotto ..."), QString(),
            this))
        return;
    documents::LineOutcome outcome;
    if (reportError(documents::excludeLine(workDb(), key_, &outcome)))
        return;
    reopenOrder();
}

void SupplierOrderLine::reopenOrder() {
    // The order screen opens afresh, so that its grid shows the new status.
    state().documentNumber = key_.number;
    if (ui::Screen* order = registry().find(QStringLiteral("lumo10")))
        order->close();
    close();
    registry().open(QStringLiteral("lumo10"));
}

void SupplierOrderLine::chiaro() {
    ui::setBackground(quanciw, ui::color(ui::kWindowBackground));
    ui::setBackground(collicw, ui::color(ui::kWindowBackground));
    ui::setBackground(Command5, ui::color(ui::kActiveBorder));
}

bool SupplierOrderLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        chiaro();
        ui::setBackground(static_cast<QWidget*>(watched), ui::color(ui::kFocusYellow));
    }
    return Screen::eventFilter(watched, event);
}

} // namespace supplier_orders
