#include "entry/scan_entry.h"

#include "articles/codes.h"
#include "data/recordset.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace entry {

using articles::LookupEnd;

ScanEntry::ScanEntry(const QString& name, const Options& options, ui::Services& services, QWidget* parent)
    : Screen(name, services, parent)
    , options_(options)
    , lookup_(services.dbs, services.state, options.profile) {
    setWindowTitle(options.caption);
    eanw = entryField("eanw", QStringLiteral("Codice Ean"), 120, 60, 2400, false);
    operw = entryField("operw", {}, 5400, 300, 600, true);
    codcasaw = entryField("codcasaw", QStringLiteral("Cod.Art."), 2640, 60, 1200, false);
    imballow = entryField("imballow", QStringLiteral("Imb."), 3960, 60, 720, true);
    descrw = entryField("descrw", {}, 120, 780, 5880, true);
    costow = entryField("costow", QStringLiteral("Costo no Iva"), 120, 1260, 1440, true);
    Prezzow = entryField("Prezzow", QStringLiteral("Prezzo Vendita"), 1680, 1260, 1440, true);
    cimpw = entryField("cimpw", {}, 3240, 1500, 1440, true);
    quanw = entryField("quanw", QStringLiteral("Quantità"), 120, 1980, 1440, false);
    qinvw = entryField("qinvw", QStringLiteral("Q.Invent."), 1680, 1980, 1440, true);
    totqw = entryField("totqw", QStringLiteral("Totale Invent."), 3240, 1980, 1440, true);
    Command5 = entryButton("Command5", QStringLiteral("Conferma"), ui::color(ui::kActiveBorder),
                           {120, 2760, 1400, 615});
    Command12 =
        entryButton("Command12", QStringLiteral("Elimina"), ui::rgb(255, 128, 128), {1600, 2760, 1400, 615});
    Command13 =
        entryButton("Command13", QStringLiteral("Annulla"), ui::rgb(192, 255, 192), {3080, 2760, 1400, 615});
    Command1 = entryButton("Command1", QStringLiteral("Uscita"), ui::color(ui::kButtonFace),
                           {4560, 2760, 1440, 615});

    connect(eanw, &QLineEdit::returnPressed, this, &ScanEntry::eanw_Enter);
    // Any other key only empties the shared EAN.
    connect(eanw, &QLineEdit::textEdited, this, [this] { state().ean = QString(); });
    connect(codcasaw, &QLineEdit::returnPressed, this, &ScanEntry::codcasaw_Enter);
    connect(quanw, &QLineEdit::returnPressed, this, [this] { quanw_Enter(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command12, &QPushButton::clicked, this, &ScanEntry::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &ScanEntry::Command13_Click);
    connect(Command1, &QPushButton::clicked, this, &ScanEntry::Command1_Click);
}

QLineEdit* ScanEntry::entryField(const char* name, const QString& caption, int left, int top, int width,
                                 bool readOnly) {
    if (!caption.isEmpty()) {
        ui::label(this, nullptr, caption, {left, top, width + 600, 240}, ui::kSmallFont);
        top += 240;
    }
    QLineEdit* e = ui::field(this, name, {left, top, width, 375}, ui::kFieldFont);
    e->setReadOnly(readOnly);
    ui::setBackground(e, ui::color(ui::kWindowBackground));
    e->installEventFilter(this);
    return e;
}

QPushButton* ScanEntry::entryButton(const char* name, const QString& caption, const QColor& colour,
                                    const ui::Twips& at) {
    QPushButton* b = ui::button(this, name, caption, colour, at);
    b->installEventFilter(this);
    return b;
}

data::Database ScanEntry::linesDb() const {
    return database(state().*options_.profile.linesPath);
}

bool ScanEntry::onOperatorLines() const {
    return lineQuery_ == options_.profile.lineQuery(state());
}

bool ScanEntry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == eanw || watched == quanw || watched == codcasaw || watched == Command5) {
            chiaro();
            ui::setBackground(static_cast<QWidget*>(watched), ui::color(ui::kFocusYellow));
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (watched == eanw)
            eanw_Click();
        else if (watched == quanw)
            quanw->clear();
    } else if (event->type() == QEvent::KeyPress && watched == eanw) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
            eanw_KeyDown();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

void ScanEntry::Form_Load() {
    state().priceList = QString();
    state().articleCode = 0;
    state().documentYear = clock().today().year();
    eanw->clear();
    operw->setText(QString::number(state().operatorNumber));
    if ((state().*options_.profile.linesPath).isEmpty()) {
        messages().info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    state().priceList = QStringLiteral("01");
    lineQuery_ = options_.profile.lineQuery(state());
    // An article handed over by a list screen is shown at once; not after a
    // failure already told.
    if (caltot() && !state().ean.blankPrefix(13))
        anagr();
    eanw->setFocus();
}

articles::EntryFields ScanEntry::fields() const {
    return {eanw->text(),   codcasaw->text(), descrw->text(), imballow->text(),
            costow->text(), Prezzow->text(),  quanw->text(),  qinvw->text()};
}

void ScanEntry::show(const articles::EntryFields& f) {
    eanw->setText(f.eanw);
    codcasaw->setText(f.codcasaw);
    descrw->setText(f.descrw);
    imballow->setText(f.imballow);
    costow->setText(f.costow);
    Prezzow->setText(f.prezzow);
    quanw->setText(f.quanw);
    qinvw->setText(f.qinvw);
}

LookupEnd ScanEntry::anagr() {
    articles::EntryFields f = fields();
    const LookupEnd end = lookup_.anagr(f);
    show(f);
    if (end == LookupEnd::DatabaseError)
        reportError(lookup_.error());
    return end;
}

void ScanEntry::eanw_Enter() {
    articles::EntryFields f = fields();
    const articles::ResolveResult r = lookup_.resolveCode(f);
    show(f);
    if (r.end == LookupEnd::DatabaseError) {
        reportError(lookup_.error());
        return;
    }
    if (r.end == LookupEnd::NoPriceListRow && !r.focusEan) {
        missingArticle();
        return;
    }
    if (r.resetColours)
        chiaro();
    if (r.focusEan)
        eanw->setFocus();
    else if (r.focusQuantity)
        quanw->setFocus();
}

void ScanEntry::eanw_Click() {
    state().ean = eanw->text();
    state().articleCode = 0;
}

void ScanEntry::codcasaw_Enter() {
    state().ean = QString();
    state().articleCode = articles::isDigitCode(codcasaw->text()) ? codcasaw->text().trimmed().toInt() : 0;
    if (anagr() == LookupEnd::NoPriceListRow) {
        missingArticle();
        return;
    }
    quanw->setFocus();
}

void ScanEntry::eanw_KeyDown() {
    // Steps to the next EAN of the working lines (of every operator).
    state().ean = eanw->text();
    lineQuery_ = {options_.profile.linesTable,
                  QStringLiteral(" where eanrig > ") + data::quoted(state().ean.text()) + QLatin1Char(' ')};
    data::Recordset rs = linesDb().query(lineQuery_.rows());
    const bool none = rs.eof(); // runs the query
    if (reportError(rs.error()))
        return;
    if (!none) {
        rs.moveNext(); // the first row is passed over
        if (!rs.eof())
            state().ean = rs.value(QStringLiteral("eanrig")).toString();
    }
    state().articleCode = 0;
    if (!state().ean.blankPrefix(5)) {
        if (anagr() == LookupEnd::NoPriceListRow) {
            missingArticle();
            return;
        }
        quanw->setFocus();
    }
}

void ScanEntry::normaliseEan() {
    state().ean = articles::normaliseEanField(eanw->text());
}

void ScanEntry::addToTotal(data::Decimal q) {
    if (const auto sum = total_ + q) {
        total_ = *sum;
        totqw->setText(total_.toItalian());
    } else {
        caltot(); // beyond any count a line can hold: sum the lines again
    }
}

bool ScanEntry::caltot() {
    total_ = {};
    totqw->setText(QStringLiteral("0"));
    // The total by aggregate over the screen's lines, not by walking them.
    if (lineQuery_.table.isEmpty())
        return true;
    data::Recordset rs = linesDb().query(lineQuery_.total(QStringLiteral("colli")));
    const bool none = rs.eof(); // runs the query
    if (reportError(rs.error()))
        return false;
    if (none)
        return true;
    if (const auto total = data::Decimal::fromVariant(rs.value(0), 3)) {
        total_ = *total;
        totqw->setText(total_.toItalian());
    }
    return true;
}

void ScanEntry::chiaro() {
    for (QLineEdit* e : {quanw, eanw, codcasaw})
        ui::setBackground(e, ui::color(ui::kWindowBackground));
    ui::setBackground(Command5, ui::color(ui::kActiveBorder));
}

void ScanEntry::clearFields() {
    for (QLineEdit* e : {eanw, quanw, descrw, codcasaw, imballow, qinvw, cimpw})
        e->clear();
}

void ScanEntry::Command13_Click() {
    state().ean = QString();
    clearFields();
    eanw->setFocus();
}

void ScanEntry::Command12_Click() {
    state().ean = eanw->text();
    if (messages().askCritical(
            QStringLiteral("Attenzione  !!  Sei sicuro di voler Eliminare questo articolo ?"),
            QStringLiteral("Elimina articolo"), this))
        reportError(documents::deleteLine(linesDb(), lineQuery_.rows(),
                                          options_.profile.byEan(state().ean.text(), state())));
    clearFields();
    close();
    registry().open(options_.listScreen);
}

void ScanEntry::Command1_Click() {
    state().ean = QString();
    close();
}

} // namespace entry
