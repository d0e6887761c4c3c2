#include "entry/order_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/readings.h"
#include "data/dialect.h"
#include "data/recordset.h"
#include "documents/order_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/data_grid.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace entry {

using articles::LookupEnd;
using ui::rgb;

namespace {

ScanEntry::Options orderOptions() {
    ScanEntry::Options o;
    o.caption = QStringLiteral("Immissione Ordine");
    o.listScreen = QStringLiteral("tarvo03");
    o.profile.linesTable = QStringLiteral("ordine");
    o.profile.articlesPath = &state::SharedState::workDbPath;
    o.profile.linesPath = &state::SharedState::workDbPath;
    return o;
}

// Events of the fields the family does not watch: a small filter object, so
// the family's own filter keeps its work.
class FieldEvents : public QObject {
public:
    FieldEvents(QObject* parent, std::function<void(QObject*, QEvent::Type)> handle)
        : QObject(parent)
        , handle_(std::move(handle)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        handle_(watched, event->type());
        return false;
    }

private:
    std::function<void(QObject*, QEvent::Type)> handle_;
};

// The units of an order, in the order a double click steps through them.
QString nextUnit(const QString& unit) {
    static const QStringList cycle{QStringLiteral("CT"), QStringLiteral("BS"), QStringLiteral("PZ"),
                                   QStringLiteral("PD")};
    const qsizetype i = cycle.indexOf(unit);
    return i < 0 ? unit : cycle.at((i + 1) % cycle.size());
}

data::Decimal exact(double v, int places) {
    return data::Decimal::fromDouble(v, places).value_or(data::Decimal());
}

} // namespace

OrderEntry::OrderEntry(ui::Services& services, QWidget* parent)
    : ScanEntry(QStringLiteral("tarvo02"), orderOptions(), services, parent)
    , order_(services.dbs, services.state) {
    setInnerSize(6135, 4320);
    // No operator and no count of an operator's line on an order.
    for (QLineEdit* unused : {operw, qinvw}) {
        placeField(unused, {}, 0, 0, 0);
        unused->hide();
    }
    placeField(eanw, QStringLiteral("Codice Ean/Lorv"), 120, 60, 2400);
    placeField(codcasaw, QStringLiteral("Codice Lorv"), 2640, 60, 1200);
    placeField(imballow, QStringLiteral("Imb."), 3960, 60, 720);
    umw = entryField("umw", QStringLiteral("UM"), 4800, 60, 600, false);
    umw->setMaxLength(2);
    placeField(descrw, {}, 120, 720, 5880);
    descrw->setReadOnly(false);
    descrw->setToolTip(QStringLiteral("Clicca qui per ricercare Articolo"));
    placeField(cimpw, QStringLiteral("Colli Ult.Ord."), 120, 1200, 1440);
    dtorprw = entryField("dtorprw", QStringLiteral("Data ult.ordine"), 1680, 1200, 1440, true);
    oraw = entryField("oraw", QStringLiteral("Ora Trasmissione"), 3240, 1200, 1440, true);
    placeField(costow, QStringLiteral("Costo + Iva"), 120, 1920, 1440);
    placeField(Prezzow, QStringLiteral("Prezzo Ven."), 1680, 1920, 1440);
    offew = entryField("offew", QStringLiteral("Offerta"), 3240, 1920, 1440, true);
    margw = entryField("margw", QStringLiteral("Margine"), 4800, 1920, 1200, true);
    placeField(quanw, QStringLiteral("Quantità"), 120, 2640, 1440);
    Command2 = ui::pictureButton(this, "Command2", QStyle::SP_ArrowUp, 20, QStringLiteral("Quantità + 1"),
                                 {1680, 2880, 720, 375});
    Command3 = ui::pictureButton(this, "Command3", QStyle::SP_ArrowDown, 20, QStringLiteral("Quantità - 1"),
                                 {2460, 2880, 720, 375});
    placeField(totqw, QStringLiteral("Totale Quantità"), 3240, 2640, 1440);
    ui::place(Command5, {120, 3480, 1400, 615});
    ui::place(Command12, {1600, 3480, 1400, 615});
    ui::place(Command13, {3080, 3480, 1400, 615});
    ui::place(Command1, {4560, 3480, 1440, 615});
    Command1->setToolTip(QStringLiteral("Uscita programma"));

    Frame1 = ui::panel(this, "Frame1", {120, 1140, 5895, 2220});
    flex1 = ui::grid(Frame1, "flex1", {60, 60, 5775, 2100});
    Frame1->hide();

    connect(Command2, &QPushButton::clicked, this, &OrderEntry::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &OrderEntry::Command3_Click);
    connect(descrw, &QLineEdit::returnPressed, this, &OrderEntry::descrw_Enter);
    connect(flex1, &ui::DataGrid::cellClicked, this, [this](int row, int) { flex1_Click(row); });
    auto* events = new FieldEvents(this, [this](QObject* w, QEvent::Type t) {
        if (t == QEvent::FocusIn && (w == umw || w == descrw))
            highlight(static_cast<QWidget*>(w));
        else if (t == QEvent::FocusIn && w == eanw)
            QTimer::singleShot(0, eanw, &QLineEdit::selectAll);
        else if (t == QEvent::MouseButtonDblClick && w == umw)
            umw_DblClick();
        else if (t == QEvent::MouseButtonPress && w == descrw)
            descrw_Click();
    });
    for (QLineEdit* e : {umw, descrw, eanw})
        e->installEventFilter(events);
}

void OrderEntry::Form_Load() {
    umw->setText(QStringLiteral("CT"));
    ScanEntry::Form_Load();
    state().priceList = QStringLiteral("01");
}

articles::LineQuery OrderEntry::lines() const {
    // The total counts the lines of the department only.
    return {QStringLiteral("ordine"),
            QStringLiteral(" WHERE tipord = ") + data::quoted(state().department.text())};
}

articles::OrderFields OrderEntry::orderFields() const {
    return {eanw->text(),   codcasaw->text(), descrw->text(),  imballow->text(),
            costow->text(), Prezzow->text(),  offew->text(),   margw->text(),
            quanw->text(),  cimpw->text(),    dtorprw->text(), oraw->text()};
}

void OrderEntry::showFields(const articles::OrderFields& f) {
    eanw->setText(f.eanw);
    codcasaw->setText(f.codcasaw);
    descrw->setText(f.descrw);
    imballow->setText(f.imballow);
    costow->setText(f.costow);
    Prezzow->setText(f.prezzow);
    offew->setText(f.offew);
    margw->setText(f.margw);
    quanw->setText(f.quanw);
    cimpw->setText(f.cimpw);
    dtorprw->setText(f.dtorprw);
    oraw->setText(f.oraw);
}

void OrderEntry::clear(std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* e : fields)
        e->clear();
}

void OrderEntry::highlight(QWidget* w) {
    chiaro();
    ui::setBackground(w, ui::color(ui::kFocusYellow));
}

void OrderEntry::chiaro() {
    ScanEntry::chiaro();
    ui::setBackground(umw, ui::color(ui::kWindowBackground));
}

LookupEnd OrderEntry::anagr() {
    // Whatever was shown of another article goes first.
    clear({codcasaw, descrw, imballow, costow, Prezzow, offew, margw, cimpw, dtorprw, oraw});
    articles::OrderFields f = orderFields();
    const LookupEnd end = order_.anagr(f, clock().today());
    showFields(f);
    if (end == LookupEnd::DatabaseError)
        reportError(order_.error());
    return end;
}

bool OrderEntry::resolveTyped() {
    articles::OrderFields f = orderFields();
    const articles::ResolveResult r = order_.resolveCode(f, clock().today());
    showFields(f);
    if (r.end == LookupEnd::DatabaseError) {
        reportError(order_.error());
        return false;
    }
    if (r.resetColours)
        chiaro();
    if (r.focusQuantity)
        quanw->setFocus();
    return true;
}

void OrderEntry::eanw_Enter() {
    if (!eanw->text().isEmpty())
        resolveTyped();
}

void OrderEntry::codcasaw_Enter() {
    articles::OrderFields f = orderFields();
    const LookupEnd end = order_.showCode(f, codcasaw->text(), clock().today());
    showFields(f);
    if (end == LookupEnd::DatabaseError) {
        reportError(order_.error());
        return;
    }
    if (end == LookupEnd::Shown)
        quanw->setFocus();
    else
        chiaro();
}

void OrderEntry::eanw_KeyDown() {
    // The next line of the order after the EAN in the field.
    state().ean = eanw->text();
    data::Recordset rs =
        workDb().query(QStringLiteral("SELECT * FROM ordine where eanrig > ") +
                       data::quoted(state().ean.text()) + QStringLiteral(" ORDER BY [eanrig]"));
    if (reportError(rs.error()))
        return;
    if (!rs.eof()) {
        rs.moveNext(); // the first row is passed over
        if (!rs.eof())
            state().ean = rs.value(QStringLiteral("eanrig")).toString();
    }
    state().articleCode = 0;
    if (!state().ean.blankPrefix(5)) {
        anagr();
        eanw->setFocus();
    }
}

void OrderEntry::quanw_Enter() {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("1"));
    const auto q = articles::regionalNumber(quanw->text());
    if (!q || *q < 0) {
        // No count of packs: typed again.
        quanw->clear();
        quanw->setFocus();
        return;
    }
    if (*q == 0 || *q >= articles::kQuantityLimit) {
        // A barcode scanned into the quantity: the article shown is stored
        // with one pack, and the code scanned is the next article.
        const QString scanned = quanw->text();
        quanw->setText(QStringLiteral("1"));
        carica();
        eanw->setText(scanned);
        resolveTyped();
        quanw->clear();
        quanw->setFocus();
        return;
    }
    carica();
    eanw->setFocus();
}

void OrderEntry::Command5_Click() {
    if (quanw->text().isEmpty() || articles::regionalNumber(quanw->text()) == 0.0)
        quanw->setText(QStringLiteral("1"));
    const auto q = articles::regionalNumber(quanw->text());
    if (!q || *q <= 0 || eanw->text().trimmed().isEmpty()) {
        if (q && *q < 0)
            quanw->clear();
        quanw->setFocus();
        return;
    }
    // A code typed without Enter is looked up before it is stored.
    if (state().ean.blankPrefix(5) && !resolveTyped())
        return;
    carica();
    eanw->setFocus();
}

void OrderEntry::carica() {
    const double q = articles::regionalNumber(quanw->text()).value_or(0.0);
    if (q <= documents::kMostPacksOrdered && !state().ean.blankPrefix(5)) {
        const data::Database store = storeDb();
        data::Error e = store.error();
        if (!e) {
            if (const auto code = articles::codeOfEan(store, state().ean.text(), &e))
                state().articleCode = *code;
        }
        if (!e) {
            documents::OrderLine line;
            line.articleCode = state().articleCode;
            line.ean = state().ean.text();
            line.description = descrw->text();
            line.unit = umw->text();
            line.cost = exact(articles::regionalNumber(costow->text()).value_or(0.0), 4);
            line.packs = exact(q, 3);
            line.pack = exact(articles::leadingNumber(imballow->text()), 3);
            line.department = state().department.text();
            e = documents::storeOrderLine(workDb(), line);
        }
        reportError(e);
    }
    state().ean = QString();
    clear({eanw, quanw, descrw, codcasaw, imballow, cimpw, costow, dtorprw, Prezzow, margw, offew, oraw});
    // An empty unit is stored as "CT": the field shows it, and the double
    // click steps on from it.
    umw->setText(QStringLiteral("CT"));
    caltot();
}

void OrderEntry::Command12_Click() {
    state().ean = eanw->text();
    if (!state().ean.blankPrefix(5))
        reportError(documents::deleteOrderLine(workDb(), state().ean.text()));
    caltot();
    clear({eanw, quanw, descrw, codcasaw, imballow, cimpw});
    eanw->setFocus();
}

void OrderEntry::Command13_Click() {
    state().ean = QString();
    clear({eanw, quanw, descrw, codcasaw, imballow, cimpw, costow, dtorprw, Prezzow, margw, offew, oraw});
    umw->setText(QStringLiteral("CT"));
    eanw->setFocus();
}

void OrderEntry::stepQuantity(int by) {
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("1"));
    const auto q = articles::regionalNumber(quanw->text());
    if (!q)
        return;
    data::Decimal v = (exact(*q, 3) + data::Decimal::fromInt(by)).value_or(data::Decimal());
    if (v.sign() <= 0)
        v = data::Decimal::fromInt(1);
    quanw->setText(v.toItalian());
}

void OrderEntry::Command2_Click() {
    stepQuantity(+1);
}

void OrderEntry::Command3_Click() {
    stepQuantity(-1);
}

void OrderEntry::umw_DblClick() {
    umw->setText(nextUnit(umw->text()));
}

void OrderEntry::descrw_Click() {
    Frame1->setVisible(!Frame1->isVisible());
    if (Frame1->isVisible())
        Frame1->raise();
}

void OrderEntry::descrw_Enter() {
    const QString text = descrw->text();
    const QString query = text.trimmed().isEmpty()
                              ? QStringLiteral("SELECT * FROM  articolo  ORDER BY [desart]")
                              : QStringLiteral("SELECT * FROM  articolo  WHERE  desart  like ") +
                                    data::quoted(QLatin1Char('*') + text + QLatin1Char('*')) +
                                    QStringLiteral("  ORDER BY [desart]");
    if (reportError(flex1->setQuery(workDb(), query)))
        return;
    flex1->setColWidth(0, 0);
    flex1->setColWidth(1, 900);
    flex1->setColWidth(2, 3900);
    Frame1->show();
    Frame1->raise();
}

void OrderEntry::flex1_Click(int row) {
    if (row <= 0)
        return;
    const std::int32_t code = flex1->textMatrix(row, 1).toInt();
    data::Error e;
    const auto ean = articles::eanOfCode(workDb(), code, &e);
    Frame1->hide();
    if (reportError(e) || !ean)
        return;
    state().articleCode = code;
    state().ean = *ean;
    eanw->setText(*ean);
    if (anagr() == LookupEnd::Shown)
        quanw->setFocus();
}

} // namespace entry
