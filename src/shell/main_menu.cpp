#include "shell/main_menu.h"

#include "data/recordset.h"
#include "data/table.h"
#include "documents/supplier_order_transfer.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/data_grid.h"
#include "ui/drive_list.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace shell {

using ui::rgb;

namespace {
// The store's logo: a green roundel with the program's name.
QPixmap logo() {
    QPixmap pm(300, 300);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 140, 70));
    p.setPen(QPen(QColor(0, 90, 45), 6));
    p.drawEllipse(10, 10, 280, 280);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(10, 70, 280, 80), Qt::AlignCenter, QStringLiteral("MARBO"));
    f.setPointSize(16);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(10, 150, 280, 40), Qt::AlignCenter, QStringLiteral("Wi-Fi palmari"));
    p.drawText(QRect(10, 185, 280, 40), Qt::AlignCenter, QStringLiteral("punto vendita"));
    return pm;
}

const ui::Twips kStoreModes{0, 7200, 7080, 2040};
// Left of the two narrow mode buttons (at 7200 and 7320), which stay visible
// in every state.
const ui::Twips kSupplierPanel{0, 840, 7080, 8400};
const ui::Font kNarrow{6, true}; // the two narrow mode buttons
} // namespace

MainMenu::MainMenu(ui::Services& services, QWidget* parent)
    : Screen(QStringLiteral("tarvom"), services, parent) {
    setWindowTitle(QStringLiteral("GESTIONE WI-FI  R.2.0"));
    setInnerSize(9015, 10200);
    using ui::kLargeCaption;
    Command1 = ui::button(this, "Command1", QStringLiteral("GESTIONE WI-FI  R.2.0"), rgb(192, 255, 255),
                          {120, 0, 8775, 735}, kLargeCaption);
    Label1 = ui::label(this, "Label1", {}, {120, 780, 8775, 480}, {11, true});
    Command12 = ui::button(this, "Command12", QStringLiteral("Ordini"), rgb(255, 128, 0),
                           {120, 1320, 8775, 1575}, kLargeCaption);
    Command13 = ui::button(this, "Command13", QStringLiteral("Inventario"), rgb(255, 255, 0),
                           {120, 3120, 8775, 1575}, kLargeCaption);
    Command2 = ui::button(this, "Command2", QStringLiteral("Frontalini"), rgb(0, 255, 0),
                          {120, 5040, 8775, 1575}, kLargeCaption);
    Image1 = ui::label(this, "Image1", {}, {120, 1320, 8775, 5300});

    selfor = ui::panel(this, "selfor", kStoreModes);
    Command3 = ui::button(selfor, "Command3", QStringLiteral("ACCEDI"), rgb(128, 128, 255),
                          {120, 120, 6840, 1095}, kLargeCaption);
    Drive1 = new ui::DriveList(databases().mapping(), selfor);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    ui::place(Drive1, {120, 1320, 6840, 495});

    Command4 = ui::button(this, "Command4", QStringLiteral("......"), rgb(192, 192, 255),
                          {7200, 7200, 135, 735}, kNarrow);
    Command6 = ui::button(this, "Command6", QStringLiteral("ALTRI"), rgb(192, 255, 255),
                          {7320, 8040, 135, 735}, kNarrow);
    Command5 = ui::button(this, "Command5", QStringLiteral("USCITA"), rgb(255, 192, 192),
                          {120, 9360, 8775, 735}, kLargeCaption);

    pippa = ui::panel(this, "pippa", kSupplierPanel);
    ui::label(pippa, nullptr, QStringLiteral("Selezione Fornitore"), {120, 60, 6000, 360});
    flex1 = ui::grid(pippa, "flex1", {120, 480, 6840, 6600});
    Command8 = ui::pictureButton(pippa, "Command8", QStyle::SP_ArrowBack, 40, QStringLiteral("Indietro"),
                                 {120, 7200, 3300, 1095});
    Command9 = ui::pictureButton(pippa, "Command9", QStyle::SP_DialogApplyButton, 40,
                                 QStringLiteral("Conferma fornitore"), {3660, 7200, 3300, 1095});

    Label1->setAlignment(Qt::AlignCenter);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(logo());
    // The narrow buttons are too small for their captions: the tool tip shows them.
    for (QPushButton* narrow : {Command4, Command6})
        narrow->setToolTip(narrow->text());

    connect(Command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainMenu::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &MainMenu::Command6_Click);
    connect(Command5, &QPushButton::clicked, this, &MainMenu::Command5_Click);
    connect(Command8, &QPushButton::clicked, this, &MainMenu::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &MainMenu::Command9_Click);
    connect(flex1, &ui::DataGrid::cellClicked, this, [this](int row, int) { flex1_Click(row); });
    opens(Command12, QStringLiteral("MainOrd"));
    opens(Command13, QStringLiteral("tarvo04"));
    opens(Command2, QStringLiteral("tarvo07"));
}

void MainMenu::Form_Load() {
    state().userCode = 1;
    Command12->hide();
    Command13->hide();
    Command2->hide();
    ui::place(selfor, kStoreModes);
    selfor->show();
    pippa->hide();
    Image1->show();
    Label1->setText(state().userName.text());
}

data::Error MainMenu::seekName(const QString& table, const QString& index, const QString& field) {
    // Users and customers are in the work database: the store database plays
    // no part here.
    const data::Database work = workDb();
    if (!work.ok())
        return work.error();
    data::Table t = work.table(table);
    t.setIndex(index);
    state().seekKey = 1;
    if (t.seek(int(state().seekKey))) {
        const QVariant name = t.value(field);
        if (t.ok() && !name.isNull())
            state().userName = name.toString().left(35);
    }
    // A missing row leaves the name as it was; a missing table or field is said.
    return t.error();
}

void MainMenu::Command3_Click() {
    // The settings database on the drive in force before this press. Without
    // it the store database is the drive's default one; the name is read all
    // the same.
    const data::Database settings = database(state::settingsDbPath(state()));
    data::Recordset rs = settings.query(QStringLiteral("SELECT * FROM società "));
    QString stored;
    const bool hasRow = !rs.eof();
    if (hasRow)
        stored = rs.value(QStringLiteral("database")).toString();
    const data::Error settingsError = rs.error();
    state::setupAccedi(state(), Drive1->drive(), hasRow ? &stored : nullptr);
    const data::Error nameError =
        seekName(QStringLiteral("utenti"), QStringLiteral("codutente"), QStringLiteral("dscutente"));
    // One message: the first thing to put right.
    reportError(settingsError ? settingsError : nameError);
    Label1->setText(state().userName.text());
    Command2->show();
    Command12->show();
    Command13->show();
    selfor->hide();
    Image1->hide();
}

void MainMenu::Command4_Click() {
    state::setupDotMode(state(), Drive1->drive());
    reportError(seekName(QStringLiteral("clienti"), QStringLiteral("primary"), QStringLiteral("dsccliente")));
    Label1->setText(state().userName.text());
    selfor->hide();
}

void MainMenu::Command6_Click() {
    state::setupAltri(state(), Drive1->drive());
    const data::Database work = workDb();
    if (reportError(work.error()))
        return; // the menu stays as it was, usable
    // Lines left unconfirmed belong to a supplier: take it over without asking.
    // The department orders share `ordine` but name no supplier: only the
    // supplier order lines count.
    const QString pending[] = {
        QStringLiteral("SELECT * FROM ordine WHERE ") + documents::supplierOrderLines(),
        QStringLiteral("SELECT * FROM carico "), QStringLiteral("SELECT * FROM resi ")};
    for (const QString& sql : pending) {
        data::Recordset rs = work.query(sql);
        if (!rs.eof()) {
            state().supplierName = rs.value(QStringLiteral("desfor")).toString();
            state().supplierCode = std::int16_t(rs.value(QStringLiteral("codfor")).toInt());
            Command9_Click();
            return;
        }
        if (reportError(rs.error()))
            return;
    }
    state::QueryParts& query = state().query;
    query.head =
        QStringLiteral("SELECT [codfornitore] as Codice,[dscfornitore] as Descrizione FROM fornitori ");
    query.condition = QStringLiteral(" WHERE dscfornitore  >=\"\"");
    query.order = QStringLiteral(" ORDER BY [dscfornitore]");
    reportError(flex1->setQuery(work, query.head + query.condition + query.order));
    flex1->setColWidth(0, 0);
    flex1->setColWidth(1, 900);
    flex1->setColWidth(2, 2800);
    Label1->setText(state().userName.text());
    selfor->hide();
    ui::place(pippa, kSupplierPanel);
    pippa->show();
    pippa->raise();
    choosing_ = true;
}

std::optional<int> MainMenu::chosenRow() const {
    const int row = flex1->currentRow();
    if (row <= 0 || !flex1->selectionModel()->isRowSelected(row - 1, {}))
        return std::nullopt;
    return row;
}

void MainMenu::flex1_Click(int row) {
    state().articleCode = 0;
    state().gridRow = std::int16_t(row);
    if (row > 0)
        pick(row);
}

void MainMenu::pick(int row) {
    state().supplierCode = std::int16_t(flex1->textMatrix(row, 1).toInt());
    state().supplierName = flex1->textMatrix(row, 2);
}

void MainMenu::Command8_Click() {
    choosing_ = false;
    pippa->hide();
    selfor->show();
}

void MainMenu::Command9_Click() {
    // The row the operator is on is the pick, reached by a click or by the
    // arrow keys; with none, the supplier stays as it was.
    if (choosing_)
        if (const auto row = chosenRow())
            pick(*row);
    choosing_ = false;
    pippa->hide();
    registry().open(QStringLiteral("tarvof"));
}

void MainMenu::Command5_Click() {
    Command2->hide();
    Command12->hide();
    Command13->hide();
    selfor->show();
    Image1->show();
    close();
}

void MainMenu::showStoreModePanel() {
    selfor->show();
}

void MainMenu::setThirdButtonCaption(const QString& caption) {
    Command2->setText(caption);
}

} // namespace shell
