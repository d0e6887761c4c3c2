#include "entry/scan_entry.h"

#include "articles/codes.h"
#include "articles/pictures.h"
#include "data/recordset.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace entry {

using articles::LookupEnd;
using ui::place;

ScanEntry::ScanEntry(const QString& name, const Options& options, ui::Services& services, QWidget* parent)
    : Screen(name, services, parent)
    , options_(options)
    , lookup_(services.dbs, services.state, options.profile) {
    setWindowTitle(options.caption);
    createControls();
}

QLineEdit* ScanEntry::addField(const char* name, const QString& label, int left, int top, int width,
                               bool readOnly) {
    if (!label.isEmpty()) {
        auto* l = new QLabel(label, this);
        QFont f = l->font();
        f.setPointSize(8);
        l->setFont(f);
        place(l, left, top, width + 600, 240);
        top += 240;
    }
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(readOnly);
    QFont f = e->font();
    f.setPointSize(11);
    e->setFont(f);
    place(e, left, top, width, 375);
    ui::setBackground(e, ui::color(ui::kWindowBackground));
    e->installEventFilter(this);
    return e;
}

QPushButton* ScanEntry::addButton(const char* name, const QString& caption, const QColor& colour, int left,
                                  int top, int width, int height) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    ui::setBackground(b, colour);
    QFont f = b->font();
    f.setPointSize(11);
    f.setBold(true);
    b->setFont(f);
    place(b, left, top, width, height);
    b->installEventFilter(this);
    return b;
}

void ScanEntry::createControls() {
    eanw = addField("eanw", QStringLiteral("Codice Ean"), 120, 60, 2400, false);
    operw = addField("operw", QString(), 5400, 300, 600, true);
    codcasaw = addField("codcasaw", QStringLiteral("Cod.Art."), 2640, 60, 1200, false);
    imballow = addField("imballow", QStringLiteral("Imb."), 3960, 60, 720, true);
    descrw = addField("descrw", QString(), 120, 780, 5880, true);
    costow = addField("costow", QStringLiteral("Costo no Iva"), 120, 1260, 1440, true);
    Prezzow = addField("Prezzow", QStringLiteral("Prezzo Vendita"), 1680, 1260, 1440, true);
    cimpw = addField("cimpw", QString(), 3240, 1500, 1440, true);
    quanw = addField("quanw", QStringLiteral("Quantità"), 120, 1980, 1440, false);
    qinvw = addField("qinvw", QStringLiteral("Q.Invent."), 1680, 1980, 1440, true);
    totqw = addField("totqw", QStringLiteral("Totale Invent."), 3240, 1980, 1440, true);
    Command5 =
        addButton("Command5", QStringLiteral("Conferma"), ui::color(ui::kActiveBorder), 120, 2760, 1400, 615);
    Command12 =
        addButton("Command12", QStringLiteral("Elimina"), ui::rgb(255, 128, 128), 1600, 2760, 1400, 615);
    Command13 =
        addButton("Command13", QStringLiteral("Annulla"), ui::rgb(192, 255, 192), 3080, 2760, 1400, 615);
    Command1 =
        addButton("Command1", QStringLiteral("Uscita"), ui::color(ui::kButtonFace), 4560, 2760, 1440, 615);

    connect(eanw, &QLineEdit::returnPressed, this, &ScanEntry::eanw_Enter);
    // Any other key only empties the shared EAN.
    connect(eanw, &QLineEdit::textEdited, this, [this] { s_.state.ean = QString(); });
    connect(codcasaw, &QLineEdit::returnPressed, this, &ScanEntry::codcasaw_Enter);
    connect(quanw, &QLineEdit::returnPressed, this, [this] { quanw_Enter(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command12, &QPushButton::clicked, this, &ScanEntry::Command12_Click);
    connect(Command13, &QPushButton::clicked, this, &ScanEntry::Command13_Click);
    connect(Command1, &QPushButton::clicked, this, &ScanEntry::Command1_Click);
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
    s_.state.priceList = QString();
    s_.state.articleCode = 0;
    s_.state.documentYear = s_.clock.today().year();
    eanw->clear();
    operw->setText(QString::number(s_.state.operatorNumber));
    const QString path = s_.state.*options_.profile.linesPath;
    if (path.isEmpty()) {
        s_.messages.info(QStringLiteral("ATTENZIONE !!!. Non è stato selezionato l'archivio dati"), this);
        return;
    }
    s_.state.priceList = QStringLiteral("01");
    lineQuery_ = options_.profile.lineQuery(s_.state);
    caltot();
    // An article handed over by a list screen is shown at once.
    if (!s_.state.ean.blankPrefix(13))
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
    s_.state.ean = eanw->text();
    s_.state.articleCode = 0;
}

void ScanEntry::codcasaw_Enter() {
    s_.state.ean = QString();
    s_.state.articleCode = articles::isDigitCode(codcasaw->text()) ? codcasaw->text().trimmed().toInt() : 0;
    if (anagr() == LookupEnd::NoPriceListRow) {
        missingArticle();
        return;
    }
    quanw->setFocus();
}

void ScanEntry::eanw_KeyDown() {
    // Steps to the next EAN of the working lines (of every operator).
    s_.state.ean = eanw->text();
    const QString table = options_.profile.linesTable;
    lineQuery_ = {table,
                  QStringLiteral(" where eanrig > ") + data::quoted(s_.state.ean.text()) + QLatin1Char(' ')};
    data::Recordset rs = s_.dbs.open(s_.state.*options_.profile.linesPath).query(lineQuery_.rows());
    if (reportError(rs.error()))
        return;
    if (!rs.eof()) {
        rs.moveNext(); // the first row is passed over
        if (!rs.eof())
            s_.state.ean = rs.value(QStringLiteral("eanrig")).toString();
    }
    s_.state.articleCode = 0;
    if (!s_.state.ean.blankPrefix(5)) {
        if (anagr() == LookupEnd::NoPriceListRow) {
            missingArticle();
            return;
        }
        quanw->setFocus();
    }
}

void ScanEntry::normaliseEan() {
    s_.state.ean = articles::normaliseEanField(eanw->text());
}

void ScanEntry::addToTotal(double q) {
    total_ += q;
    totqw->setText(articles::plainNumber(total_));
}

void ScanEntry::caltot() {
    total_ = 0;
    totqw->setText(QStringLiteral("0"));
    // The total by aggregate over the screen's lines, not by walking them.
    if (lineQuery_.table.isEmpty())
        return;
    data::Recordset rs =
        s_.dbs.open(s_.state.*options_.profile.linesPath).query(lineQuery_.total(QStringLiteral("colli")));
    if (reportError(rs.error()))
        return;
    if (!rs.eof() && !rs.value(0).isNull()) {
        total_ = rs.value(0).toDouble();
        totqw->setText(articles::plainNumber(total_));
    }
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
    s_.state.ean = QString();
    clearFields();
    eanw->setFocus();
}

void ScanEntry::Command12_Click() {
    s_.state.ean = eanw->text();
    if (s_.messages.askCritical(
            QStringLiteral("Attenzione  !!  Sei sicuro di voler Eliminare questo articolo ?"),
            QStringLiteral("Elimina articolo"), this)) {
        reportError(documents::deleteLine(s_.dbs.open(s_.state.*options_.profile.linesPath),
                                          lineQuery_.rows(),
                                          options_.profile.byEan(s_.state.ean.text(), s_.state)));
    }
    clearFields();
    close();
    s_.registry.open(options_.listScreen);
}

void ScanEntry::Command1_Click() {
    s_.state.ean = QString();
    close();
}

} // namespace entry
