#include "shell/inventory_menu.h"

#include "articles/entry_rules.h"
#include "documents/inventory_transfer.h"
#include "documents/numbering.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/messages.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shell {

using ui::rgb;

namespace {
const ui::Twips kPanel{120, 1440, 8775, 6600};
const ui::Font kOutcome{14, true}; // what a panel did
} // namespace

InventoryMenu::InventoryMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo04"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Inventario"));
    setInnerSize(9000, 10095);
    const QColor pale = rgb(255, 255, 128);
    menuButton("Command1", QStringLiteral("GESTIONE INVENTARIO"), rgb(255, 255, 0), {120, 0, 8775, 495});
    ui::label(this, nullptr, QStringLiteral("Operatore"), {120, 720, 1500, 375});
    operw = ui::field(this, "operw", {1680, 600, 1095, 735}, {16, false});
    const char* digits[] = {"Command4", "Command6", "Command7", "Command8", "Command9"};
    for (int i = 0; i < 5; ++i) {
        const QString digit = QString::number(i + 1);
        QPushButton* b =
            menuButton(digits[i], digit, ui::color(ui::kButtonFace), {2880 + 1200 * i, 600, 1095, 735});
        connect(b, &QPushButton::clicked, this, [this, digit] {
            operw->setText(digit);
            operw->update();
        });
    }
    QPushButton* entry =
        menuButton("Command12", QStringLiteral("Inserisco Articoli"), pale, {120, 1440, 8775, 1575});
    QPushButton* list =
        menuButton("Command13", QStringLiteral("Vedo Inventario"), pale, {120, 3120, 8775, 1575});
    QPushButton* confirm =
        menuButton("Command2", QStringLiteral("Confermo Inventario"), pale, {120, 4800, 8775, 1575});
    Command3 = menuButton("Command3", QStringLiteral("Cancello Inventario"), pale, {120, 6480, 8775, 1575});
    QPushButton* exit =
        menuButton("Command5", QStringLiteral("Uscita"), rgb(255, 192, 192), {120, 8160, 8775, 1095});

    std::tie(Frame1, Command10, Label2) =
        actionPanel({"Frame1", "Command10", "Command11", "Label2"}, QStringLiteral("CONFERMA INVENTARIO"),
                    rgb(128, 255, 128));
    std::tie(Frame2, Command15, Label3) =
        actionPanel({"Frame2", "Command15", "Command14", "Label3"}, QStringLiteral("CANCELLA INVENTARIO"),
                    rgb(255, 192, 192));

    opensWithOperator(entry, operw, QStringLiteral("tarvo05"));
    opensWithOperator(list, operw, QStringLiteral("tarvo06"));
    connect(confirm, &QPushButton::clicked, this, [this] {
        Frame1->show();
        Frame1->raise();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        Frame2->show();
        Frame2->raise();
    });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(Command10, &QPushButton::clicked, this, &InventoryMenu::Command10_Click);
    connect(Command15, &QPushButton::clicked, this, &InventoryMenu::Command15_Click);
    // The operator field turns yellow when it receives the focus and stays so.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == operw)
            ui::setBackground(operw, rgb(255, 255, 0));
    });
}

std::tuple<QFrame*, QPushButton*, QLabel*>
InventoryMenu::actionPanel(const PanelNames& names, const QString& action, const QColor& colour) {
    QFrame* frame = ui::panel(this, names.frame, kPanel);
    ui::label(frame, nullptr, action, {120, 60, 8000, 360});
    QPushButton* button = menuButton(names.action, action, colour, {120, 600, 8535, 1575}, frame);
    QPushButton* back =
        menuButton(names.back, QStringLiteral("USCITA"), rgb(192, 192, 255), {120, 2400, 8535, 1095}, frame);
    QLabel* outcome = ui::label(frame, names.outcome, {}, {120, 3720, 8535, 735}, kOutcome);
    frame->hide();
    connect(back, &QPushButton::clicked, frame, &QWidget::hide);
    return {frame, button, outcome};
}

void InventoryMenu::Form_Load() {
    state().ean = QString();
    const data::Database store = storeDb();
    if (reportError(store.error()))
        return;
    data::Error e;
    const QString problem = documents::takeInventoryNumber(store, state(), clock().today(), &e);
    numberTaken_ = problem.isEmpty() && e.ok();
    if (reportError(e))
        return;
    if (!numberTaken_)
        messages().plain(problem, this);
}

std::optional<std::int16_t> InventoryMenu::panelOperator() {
    const auto op = articles::operatorNumber(operw->text());
    if (!op)
        operw->setFocus(); // no message here: the field says what is missing
    return op;
}

void InventoryMenu::Command10_Click() {
    if (const auto op = panelOperator()) {
        state().operatorNumber = *op;
        if (!numberTaken_) {
            messages().show({QStringLiteral(" Attenzione !!     Numero Inventario non corretto..... "),
                             {},
                             ui::Message::Icon::Critical,
                             ui::Message::Buttons::Ok,
                             ui::Message::Answer::Ok},
                            this);
        } else {
            const documents::TransferResult r =
                documents::transferInventory(storeDb(), state(), clock().today());
            if (reportError(r.error)) {
                // Rolled back, nothing written (another workstation held the
                // archive, say): the button stays for the operator to press
                // again.
                return;
            }
            if (!r.notice.isEmpty())
                messages().info(r.notice, this);
            Label2->setText(QStringLiteral("INVENTARIO CARICATO NR. ") +
                            QString::number(state().documentNumber));
        }
    }
    // One press per opening of the menu, whatever happened.
    Command10->hide();
}

void InventoryMenu::Command15_Click() {
    if (const auto op = panelOperator()) {
        state().operatorNumber = *op;
        const data::Database store = storeDb();
        if (reportError(store.ok() ? documents::deleteInventory(store, state().operatorNumber)
                                   : store.error()))
            return; // nothing deleted: the button stays for another try
        Command3->hide();
        Label3->setText(QStringLiteral("Inventario è stato cancellato "));
    }
    Command15->hide();
}

} // namespace shell
