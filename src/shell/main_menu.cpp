#include "shell/main_menu.h"

#include "data/recordset.h"
#include "data/table.h"
#include "state/shared_state.h"
#include "ui/data_grid.h"
#include "ui/drive_list.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace shell {

using ui::place;
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

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QColor& colour) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    ui::setBackground(b, colour);
    QFont f = b->font();
    f.setPointSize(16);
    f.setBold(true);
    b->setFont(f);
    return b;
}
} // namespace

MainMenu::MainMenu(ui::Services& services, QWidget* parent)
    : Screen(QStringLiteral("tarvom"), services, parent) {
    setWindowTitle(QStringLiteral("GESTIONE WI-FI  R.2.0"));
    setInnerSize(9015, 10200);
    createControls();
}

void MainMenu::createControls() {
    Command1 = button(this, "Command1", QStringLiteral("GESTIONE WI-FI  R.2.0"), rgb(192, 255, 255));
    place(Command1, 120, 0, 8775, 735);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont lf = Label1->font();
    lf.setPointSize(11);
    lf.setBold(true);
    Label1->setFont(lf);
    place(Label1, 120, 780, 8775, 480);

    Command12 = button(this, "Command12", QStringLiteral("Ordini"), rgb(255, 128, 0));
    place(Command12, 120, 1320, 8775, 1575);
    Command13 = button(this, "Command13", QStringLiteral("Inventario"), rgb(255, 255, 0));
    place(Command13, 120, 3120, 8775, 1575);
    Command2 = button(this, "Command2", QStringLiteral("Frontalini"), rgb(0, 255, 0));
    place(Command2, 120, 5040, 8775, 1575);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(logo());
    place(Image1, 120, 1320, 8775, 5300);

    selfor = new QFrame(this);
    selfor->setObjectName(QStringLiteral("selfor"));
    selfor->setFrameShape(QFrame::Box);
    place(selfor, 0, 7200, 7080, 2040);
    Command3 = button(selfor, "Command3", QStringLiteral("ACCEDI"), rgb(128, 128, 255));
    place(Command3, 120, 120, 6840, 1095);
    Drive1 = new ui::DriveList(s_.dbs.mapping(), selfor);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    place(Drive1, 120, 1320, 6840, 495);

    Command4 = button(this, "Command4", QStringLiteral("......"), rgb(192, 192, 255));
    place(Command4, 7200, 7200, 135, 735);
    Command6 = button(this, "Command6", QStringLiteral("ALTRI"), rgb(192, 255, 255));
    place(Command6, 7320, 8040, 135, 735);
    for (QPushButton* narrow : {Command4, Command6}) {
        QFont f = narrow->font();
        f.setPointSize(6);
        narrow->setFont(f);
        narrow->setToolTip(narrow->text());
    }

    Command5 = button(this, "Command5", QStringLiteral("USCITA"), rgb(255, 192, 192));
    place(Command5, 120, 9360, 8775, 735);

    pippa = new QFrame(this);
    pippa->setObjectName(QStringLiteral("pippa"));
    pippa->setFrameShape(QFrame::Box);
    pippa->setAutoFillBackground(true);
    place(pippa, 0, 840, 9000, 8400);
    auto* title = new QLabel(QStringLiteral("Selezione Fornitore"), pippa);
    place(title, 120, 60, 6000, 360);
    flex1 = new ui::DataGrid(pippa);
    flex1->setObjectName(QStringLiteral("flex1"));
    place(flex1, 120, 480, 8760, 6600);
    Command8 = new QPushButton(pippa);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command8->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    Command8->setIconSize(QSize(40, 40));
    Command8->setToolTip(QStringLiteral("Indietro"));
    place(Command8, 120, 7200, 4200, 1095);
    Command9 = new QPushButton(pippa);
    Command9->setObjectName(QStringLiteral("Command9"));
    Command9->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    Command9->setIconSize(QSize(40, 40));
    Command9->setToolTip(QStringLiteral("Conferma fornitore"));
    place(Command9, 4680, 7200, 4200, 1095);

    connect(Command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainMenu::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &MainMenu::Command6_Click);
    connect(Command5, &QPushButton::clicked, this, &MainMenu::Command5_Click);
    connect(Command8, &QPushButton::clicked, this, &MainMenu::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &MainMenu::Command9_Click);
    connect(flex1, &ui::DataGrid::cellClicked, this, [this](int row, int) { flex1_Click(row); });
    const std::pair<QPushButton*, QString> opens[] = {{Command12, QStringLiteral("MainOrd")},
                                                      {Command13, QStringLiteral("tarvo04")},
                                                      {Command2, QStringLiteral("tarvo07")}};
    for (const auto& [b, target] : opens) {
        const QString name = target;
        b->setEnabled(s_.registry.has(name));
        connect(b, &QPushButton::clicked, this, [this, name] { s_.registry.open(name); });
    }
}

void MainMenu::Form_Load() {
    s_.state.userCode = 1;
    Command12->hide();
    Command13->hide();
    Command2->hide();
    place(selfor, 0, 7200, 7080, 2040);
    selfor->show();
    pippa->hide();
    Image1->show();
    Label1->setText(s_.state.userName.text());
}

QString MainMenu::seekName(const QString& table, const QString& index, const QString& field) {
    // One message per press: the first missing database is the one to fix.
    const data::Database store = s_.dbs.open(s_.state.storeDbPath);
    const data::Database work = s_.dbs.open(s_.state.workDbPath);
    if (reportError(work.error()) || reportError(store.error()))
        return {};
    data::Table t = work.table(table);
    t.setIndex(index);
    s_.state.seekKey = 1;
    if (t.seek(int(s_.state.seekKey)))
        return t.value(field).toString().left(35);
    reportError(t.error());
    return {};
}

void MainMenu::Command3_Click() {
    // The settings database on the drive in force before this press.
    const data::Database settings = s_.dbs.open(settingsDbPath(s_.state));
    data::Recordset rs = settings.query(QStringLiteral("SELECT * FROM società "));
    QString stored;
    const bool hasRow = !rs.eof();
    if (hasRow)
        stored = rs.value(QStringLiteral("database")).toString();
    const bool settingsMissing = reportError(rs.error());
    setupAccedi(s_.state, Drive1->drive(), hasRow ? &stored : nullptr);
    const QString name = settingsMissing ? QString()
                                         : seekName(QStringLiteral("utenti"), QStringLiteral("codutente"),
                                                    QStringLiteral("dscutente"));
    if (!name.isNull())
        s_.state.userName = name;
    Label1->setText(s_.state.userName.text());
    Command2->show();
    Command12->show();
    Command13->show();
    selfor->hide();
    Image1->hide();
}

void MainMenu::Command4_Click() {
    setupDotMode(s_.state, Drive1->drive());
    const QString name =
        seekName(QStringLiteral("clienti"), QStringLiteral("primary"), QStringLiteral("dsccliente"));
    if (!name.isNull())
        s_.state.userName = name;
    Label1->setText(s_.state.userName.text());
    selfor->hide();
}

void MainMenu::Command6_Click() {
    setupAltri(s_.state, Drive1->drive());
    const data::Database work = s_.dbs.open(s_.state.workDbPath);
    if (reportError(work.error()))
        return; // the menu stays as it was, usable
    // Lines left unconfirmed belong to a supplier: take it over without asking.
    for (const char* table : {"ordine", "carico", "resi"}) {
        data::Recordset rs = work.query(QStringLiteral("SELECT * FROM %1 ").arg(QLatin1String(table)));
        if (!rs.eof()) {
            s_.state.supplierName = rs.value(QStringLiteral("desfor")).toString();
            s_.state.supplierCode = std::int16_t(rs.value(QStringLiteral("codfor")).toInt());
            Command9_Click();
            return;
        }
        if (reportError(rs.error()))
            return;
    }
    s_.state.query.head =
        QStringLiteral("SELECT [codfornitore] as Codice,[dscfornitore] as Descrizione FROM fornitori ");
    s_.state.query.condition = QStringLiteral(" WHERE dscfornitore  >=\"\"");
    s_.state.query.order = QStringLiteral(" ORDER BY [dscfornitore]");
    reportError(flex1->setQuery(work, s_.state.query.head + s_.state.query.condition + s_.state.query.order));
    flex1->setColWidth(0, 0);
    flex1->setColWidth(1, 900);
    flex1->setColWidth(2, 2800);
    Label1->setText(s_.state.userName.text());
    selfor->hide();
    place(pippa, 0, 840, 9000, 8400);
    pippa->show();
    pippa->raise();
}

void MainMenu::flex1_Click(int row) {
    s_.state.articleCode = 0;
    s_.state.gridRow = std::int16_t(row);
    if (row > 0) {
        s_.state.supplierCode = std::int16_t(flex1->textMatrix(row, 1).toInt());
        s_.state.supplierName = flex1->textMatrix(row, 2);
    }
}

void MainMenu::Command8_Click() {
    pippa->hide();
    selfor->show();
}

void MainMenu::Command9_Click() {
    pippa->hide();
    s_.registry.open(QStringLiteral("tarvof"));
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
