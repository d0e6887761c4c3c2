#include "confirm/numbered_confirmation.h"

#include "articles/dates.h"
#include "articles/readings.h"
#include "data/recordset.h"
#include "documents/order_append.h"
#include "documents/progress.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <cstdlib>

namespace confirm {

using ui::rgb;

std::int32_t fieldNumber(const QString& text) {
    const double n = articles::leadingNumber(text);
    if (!std::isfinite(n) || n < 0 || n > 2147483647.0)
        return 0;
    return std::int32_t(std::llround(n));
}

NumberedConfirmation::NumberedConfirmation(const ConfirmationTexts& t, ui::Services& s, QWidget* parent)
    : Screen(t.name, s, parent)
    , texts_(t) {
    setWindowTitle(t.caption);
    setInnerSize(4125, 4320);
    const ui::Font fieldFont{12, false};
    ui::label(this, nullptr, QStringLiteral("Anno"), {120, 180, 1440, 375});
    annow = ui::field(this, "annow", {2640, 120, 1335, 435}, fieldFont);
    ui::label(this, nullptr, t.dateCaption, {120, 720, 1440, 375});
    datorw = ui::field(this, "datorw", {2160, 660, 1815, 435}, fieldFont);
    Check1 = ui::checkBox(this, "Check1", t.lastCaption, {120, 1260, 2400, 375}, ui::kCaption);
    numulw = ui::field(this, "numulw", {2640, 1200, 1335, 435}, fieldFont);
    Check2 =
        ui::checkBox(this, "Check2", QStringLiteral("Primo Libero"), {120, 1800, 2400, 375}, ui::kCaption);
    numerow = ui::field(this, "numerow", {2640, 1740, 1335, 435}, fieldFont);
    ProgressBar1 = ui::progressBar(this, "ProgressBar1", documents::kProgressMaximum, {120, 2340, 3855, 255});
    const QColor action = rgb(128, 255, 128);
    Command1 = ui::button(this, "Command1", t.newCaption, action, {120, 2760, 3855, 495});
    Command2 = ui::button(this, "Command2", t.appendCaption, action, {120, 3300, 3855, 495});
    Annulla =
        ui::button(this, "Annulla", QStringLiteral("Annulla"), rgb(192, 192, 255), {120, 3840, 3855, 375});
    ProgressBar1->hide();

    connect(Check1, &QCheckBox::clicked, this, &NumberedConfirmation::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &NumberedConfirmation::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &NumberedConfirmation::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &NumberedConfirmation::Command2_Click);
    connect(Annulla, &QPushButton::clicked, this, &QWidget::close);
}

void NumberedConfirmation::Form_Load() {
    const QDate today = clock().today();
    datorw->setText(articles::dateText(today));
    const data::Database work = workDb();
    if (reportError(work.error()))
        return;
    data::Recordset lines = work.query(linesQuery());
    if (lines.eof()) {
        if (!reportError(lines.error()))
            noLinesOnLoad();
        return;
    }
    state().supplierName = lines.value(QStringLiteral("desfor")).toString();
    annow->setText(QString::number(today.year()));
    state().documentYear = fieldNumber(annow->text());
    proposeNumbers(work, state().documentYear);
    if (numerow->text().isEmpty())
        numerow->setText(QStringLiteral("1"));
    ProgressBar1->hide();
}

void NumberedConfirmation::proposeNumbers(const data::Database& work, std::int32_t year) {
    data::Recordset numbers = work.query(numbersQuery(year));
    if (!numbers.eof()) {
        numbers.moveLast();
        numerow->setText(QString::number(numbers.value(QStringLiteral("Numero")).toLongLong() + 1));
    }
    if (reportError(numbers.error()))
        return;
    if (numerow->text().isEmpty())
        numerow->setText(QStringLiteral("1"));
    state().documentNumber = fieldNumber(numerow->text());
    numulw->setText(QString::number(state().documentNumber - 1));
    Check2->setChecked(true);
    Check2_Click();
}

void NumberedConfirmation::Check1_Click() {
    state().documentNumber = fieldNumber(numulw->text());
    Check2->setChecked(false);
    Command1->hide();
    Command2->show();
}

void NumberedConfirmation::Check2_Click() {
    // Whether the click ticked or unticked the box: the first free number and
    // its button (unticked, the lines go under the number without a header).
    state().documentNumber = fieldNumber(numerow->text());
    Check1->setChecked(false);
    Command1->show();
    Command2->hide();
}

std::optional<QDate> NumberedConfirmation::checkedDate() {
    const auto date = articles::dateReading(datorw->text());
    if (!date)
        messages().plain(texts_.dateMessage, this);
    return date;
}

bool NumberedConfirmation::checkedNumber(const QString& message) {
    // Also a number chosen that is none (the box of an empty field clicked):
    // no document is ever written under number 0.
    if (numerow->text().trimmed().isEmpty() || fieldNumber(numerow->text()) == 0 ||
        state().documentNumber <= 0) {
        messages().plain(message, this);
        return false;
    }
    return true;
}

void NumberedConfirmation::Command1_Click() {
    const auto date = checkedDate();
    if (!date || !checkedNumber(texts_.numberMessage))
        return;
    newDocument(*date);
}

void NumberedConfirmation::Command2_Click() {
    if (!checkedDate() || !checkedNumber(texts_.appendNumberMessage))
        return;
    addToDocument();
}

documents::LineProgress NumberedConfirmation::startProgress(bool fromZero) {
    if (fromZero)
        progress_ = 0;
    ProgressBar1->setValue(progress_);
    ProgressBar1->show();
    // The transfer runs inside this click: the bar is painted as it moves (by
    // a hundredth of its length at least, so a long run is not slowed by it).
    return [this, step = -1, painted = progress_](int lines) mutable {
        if (step < 0)
            step = documents::progressStep(lines);
        progress_ = documents::progressAdvance(progress_, step);
        ProgressBar1->setValue(progress_);
        if (std::abs(progress_ - painted) >= documents::kProgressMaximum / 100) {
            ProgressBar1->repaint();
            painted = progress_;
        }
    };
}

bool NumberedConfirmation::reportOutcome(const documents::ConfirmResult& r, QPushButton* again) {
    if (r.error || !r.refusal.isEmpty()) {
        if (!reportError(r.error))
            messages().show({r.refusal,
                             {},
                             ui::Message::Icon::Critical,
                             ui::Message::Buttons::Ok,
                             ui::Message::Answer::Ok},
                            this);
        ProgressBar1->hide();
        again->show();
        return false;
    }
    if (r.noLines) {
        messages().plain(QStringLiteral(" Attenzione !! Non esisteno articoli inseriti "), this);
        return false;
    }
    if (!r.notice.isEmpty())
        messages().info(r.notice, this);
    return true;
}

void NumberedConfirmation::appendOrderLines() {
    const documents::LineProgress progress = startProgress(false);
    const documents::ConfirmResult r = documents::appendToOrder(
        workDb(), state(), clock().today(), documents::OrderAppendRows::every(), progress);
    if (!reportOutcome(r, Command2))
        return;
    Command2->hide();
    doneWith({});
}

void NumberedConfirmation::doneWith(const QString& message) {
    if (!message.isEmpty())
        messages().info(message, this);
    close();
}

} // namespace confirm
