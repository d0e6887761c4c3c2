#include "confirm/order_confirmation.h"

#include "articles/codes.h"
#include "data/recordset.h"
#include "documents/order_append.h"
#include "documents/order_confirmation.h"
#include "documents/price_comparison.h"
#include "documents/progress.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace confirm {

using ui::rgb;

namespace {

const QString kNoComparison = QStringLiteral(" Attenzione !! Data Base confronta prezzi non esiste ");
const QString kNoLines = QStringLiteral(" Attenzione !! Non esisteno articoli inseriti ");
const QString kNoDate = QStringLiteral(" Attenzione !!     Devi Inserire la data dell' Ordine ");
const QString kNoNumber = QStringLiteral(" Attenzione !!     Devi Inserire il numero dell' Ordine ");

// The date typed in the date field: day, month and year in four figures.
QDate typedDate(const QString& text) {
    for (const char* format : {"d/M/yyyy", "d-M-yyyy", "d.M.yyyy"}) {
        const QDate d = QDate::fromString(text.trimmed(), QString::fromLatin1(format));
        if (d.isValid())
            return d;
    }
    return {};
}

// The document number typed: a whole number above 0 within 32 bits.
std::int32_t typedNumber(const QString& text) {
    if (!articles::isDigitCode(text))
        return 0;
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok && v <= 2147483647 ? std::int32_t(v) : 0;
}

} // namespace

OrderConfirmation::OrderConfirmation(ui::Services& services, QWidget* parent)
    : Screen(QStringLiteral("cnford"), services, parent) {
    setWindowTitle(QStringLiteral("Conferma Ordine "));
    setInnerSize(5400, 4440);
    ui::label(this, nullptr, QStringLiteral("Anno"), {120, 120, 1000, 240}, ui::kSmallFont);
    annow = ui::field(this, "annow", {120, 360, 1000, 375}, ui::kFieldFont);
    annow->setReadOnly(true);
    ui::label(this, nullptr, QStringLiteral("Data"), {1320, 120, 1500, 240}, ui::kSmallFont);
    datorw = ui::field(this, "datorw", {1320, 360, 1500, 375}, ui::kFieldFont);
    ui::label(this, nullptr, QStringLiteral("Numero"), {3000, 120, 1200, 240}, ui::kSmallFont);
    numerow = ui::field(this, "numerow", {3000, 360, 1200, 375}, ui::kFieldFont);
    numerow->setToolTip(QStringLiteral("Numero dell'ordine a cui aggiungere gli articoli"));
    Label3 = ui::label(this, "Label3", {}, {120, 840, 5160, 300}, ui::kSmallFont);
    Command1 = ui::button(this, "Command1", QStringLiteral("Confermi Nuovo Ordine"), rgb(128, 255, 128),
                          {120, 1260, 5160, 735});
    Command2 = ui::button(this, "Command2", QStringLiteral("Aggiunge a Ordine"), rgb(255, 255, 128),
                          {120, 2100, 5160, 735});
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, documents::kProgressMaximum);
    ProgressBar1->setTextVisible(false);
    ui::place(ProgressBar1, {120, 2940, 5160, 300});
    Label2 = ui::label(this, "Label2", QStringLiteral("L'Ordine è stato creato"), {120, 3300, 5160, 300},
                       ui::kCaption);
    Annulla =
        ui::button(this, "Annulla", QStringLiteral("Uscita"), rgb(255, 192, 192), {120, 3660, 5160, 615});
    // Until the store's user is found, nothing can be confirmed.
    Command1->hide();
    Command2->hide();
    ProgressBar1->hide();
    Label2->hide();

    connect(Command1, &QPushButton::clicked, this, &OrderConfirmation::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &OrderConfirmation::Command2_Click);
    connect(Annulla, &QPushButton::clicked, this, &QWidget::close);
    connect(numerow, &QLineEdit::textChanged, this, &OrderConfirmation::numerow_Change);
}

void OrderConfirmation::Form_Load() {
    const QDate today = clock().today();
    datorw->setText(today.toString(QStringLiteral("dd/MM/yyyy")));
    if (state().userCode == 0)
        state().userCode = 1;
    if (state().workDbPath.isEmpty()) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    const data::Database work = workDb();
    data::Recordset users = work.query(QStringLiteral("SELECT * FROM utenti where codutente = 1"));
    if (users.eof()) {
        reportError(users.error());
        return;
    }
    state().userName = users.value(QStringLiteral("dscutente")).toString();
    annow->setText(QString::number(today.year()));
    state().documentYear = today.year();
    ProgressBar1->hide();
    Command1->show();
    Command2->show();
    // The order being filled: the last order document of the year.
    data::Error e;
    const auto last = documents::lastOrderNumber(work, state().documentYear, &e);
    if (!reportError(e) && last)
        numerow->setText(QString::number(*last));
    numerow_Change();
}

void OrderConfirmation::numerow_Change() {
    const std::int32_t number = typedNumber(numerow->text());
    if (number == 0) {
        Label3->setText(QStringLiteral("Indicare il numero dell'ordine a cui aggiungere"));
        return;
    }
    const auto d = documents::orderDocument(workDb(), state().documentYear, number);
    if (!d) {
        Label3->clear();
        return;
    }
    Label3->setText(
        d->lines == 0
            ? QStringLiteral("Ordine %1/%2: nessuna riga, nuovo ordine").arg(state().documentYear).arg(number)
            : QStringLiteral("Ordine %1/%2: %3 righe, ultima del %4")
                  .arg(state().documentYear)
                  .arg(number)
                  .arg(d->lines)
                  .arg(d->lastDate.toString(QStringLiteral("dd/MM/yyyy"))));
}

void OrderConfirmation::advance(int lines) {
    progress_ = documents::progressAdvance(progress_, documents::progressStep(lines));
    ProgressBar1->setValue(progress_);
}

void OrderConfirmation::Command1_Click() {
    const data::Database comparison = database(documents::kPriceComparisonDb);
    if (!documents::priceComparisonExists(comparison)) {
        messages().show({kNoComparison,
                         {},
                         ui::Message::Icon::Critical,
                         ui::Message::Buttons::Ok,
                         ui::Message::Answer::Ok},
                        this);
        return;
    }
    ProgressBar1->show();
    Command1->hide();
    progress_ = 0;
    ProgressBar1->setValue(0);
    const documents::NewOrderResult r = documents::confirmNewOrder(
        workDb(), comparison, clock().today(), [this](int, int lines) { advance(lines); });
    if (r.noLines) {
        messages().plain(kNoLines, this);
        return;
    }
    if (reportError(r.error)) {
        // Nothing was written: the operator may confirm again.
        Command1->show();
        return;
    }
    Label2->show();
}

void OrderConfirmation::Command2_Click() {
    if (!typedDate(datorw->text()).isValid()) {
        messages().plain(kNoDate, this);
        return;
    }
    const std::int32_t number = typedNumber(numerow->text());
    if (number == 0) {
        messages().plain(kNoNumber, this);
        numerow->setFocus();
        return;
    }
    const data::Database work = workDb();
    data::Error e;
    const int lines = work.scalarNative(QStringLiteral("SELECT count(*) FROM ordine"), {}, &e).toInt();
    if (reportError(e))
        return;
    if (lines == 0) {
        messages().plain(kNoLines, this);
        return;
    }
    state().documentNumber = number;
    ProgressBar1->show();
    const documents::ConfirmResult r = documents::appendToOrder(
        work, state(), clock().today(), documents::OrderAppendRows::department(state().department.text()),
        [this, lines] { advance(lines); });
    if (reportError(r.error))
        return;
    if (!r.refusal.isEmpty()) {
        messages().plain(r.refusal, this);
        return;
    }
    if (r.noLines) {
        messages().plain(kNoLines, this);
        return;
    }
    Command1->hide();
    Command2->hide();
    ProgressBar1->hide();
    Label2->show();
    numerow_Change();
}

} // namespace confirm
