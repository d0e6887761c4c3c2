#include "shell/order_menu.h"

#include "state/shared_state.h"
#include "ui/controls.h"

#include <QFrame>
#include <QPushButton>

namespace shell {

using ui::rgb;

namespace {
const ui::Twips kDeletionPanel{120, 2520, 8775, 6600};
}

OrderMenu::OrderMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo01"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Ordini"));
    setInnerSize(9000, 11490);
    const QColor grey = rgb(224, 224, 224);
    Command1 =
        menuButton("Command1", QStringLiteral("GESTIONE ORDINI"), rgb(255, 128, 0), {120, 960, 8775, 1095});
    QPushButton* entry =
        menuButton("Command12", QStringLiteral("Inserisco Articoli"), grey, {120, 2520, 8775, 1575});
    QPushButton* list = menuButton("Command13", QStringLiteral("Vedo Ordine"), grey, {120, 4200, 8775, 1575});
    QPushButton* confirm =
        menuButton("Command2", QStringLiteral("Confermo Ordine"), grey, {120, 5880, 8775, 1575});
    QPushButton* erase =
        menuButton("Command3", QStringLiteral("Cancello Ordine"), grey, {120, 7560, 8775, 1575});
    QPushButton* exit = menuButton("Command5", QStringLiteral("Uscita"), grey, {120, 9840, 8775, 1095});

    Frame1 = ui::panel(this, "Frame1", kDeletionPanel);
    ui::label(Frame1, nullptr, QStringLiteral("ELIMINA ORDINE"), {120, 120, 6000, 360});
    QPushButton* doDelete = menuButton("Command7", QStringLiteral("CONFERMA CANCELLAZIONE"),
                                       rgb(255, 192, 192), {120, 1800, 8535, 1575}, Frame1);
    QPushButton* back =
        menuButton("Command6", QStringLiteral("USCITA"), rgb(192, 192, 255), {120, 4920, 8535, 1095}, Frame1);
    Frame1->hide();

    functionButtons_ = {entry, list, confirm, erase, exit};
    opens(entry, QStringLiteral("tarvo02"));
    opens(list, QStringLiteral("tarvo03"));
    opens(confirm, QStringLiteral("cnford"));
    connect(erase, &QPushButton::clicked, this, &OrderMenu::Command3_Click);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(doDelete, &QPushButton::clicked, this, &OrderMenu::Command7_Click);
    connect(back, &QPushButton::clicked, Frame1, &QWidget::hide);
}

void OrderMenu::Form_Load() {
    struct Look {
        const char* code;
        const char* title;
        QColor colour;
    };
    static const Look looks[] = {{"T", "GESTIONE ORDINI SALA", rgb(255, 224, 192)},
                                 {"M", "GESTIONE ORDINI MACELLERIA", rgb(255, 255, 128)},
                                 {"O", "GESTIONE ORDINI NON FOOD", rgb(128, 255, 128)},
                                 {"S", "GESTIONE ORDINI SURGELATI", rgb(192, 255, 255)}};
    for (const Look& l : looks) {
        if (state().department.text() == QLatin1String(l.code)) {
            Command1->setText(QString::fromLatin1(l.title));
            for (QPushButton* b : functionButtons_)
                ui::setBackground(b, l.colour);
        }
    }
    state().ean = QString();
}

void OrderMenu::Command3_Click() {
    ui::place(Frame1, kDeletionPanel);
    Frame1->show();
    Frame1->raise();
}

void OrderMenu::Command7_Click() {
    // Every order line of the work database, whatever its department.
    deleteAll(QStringLiteral("ordine"));
    Frame1->hide();
}

} // namespace shell
