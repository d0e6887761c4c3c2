#include "shell/goods_receipt_menu.h"

#include "state/shared_state.h"
#include "ui/controls.h"

#include <QLineEdit>
#include <QPushButton>

namespace shell {

using ui::rgb;

GoodsReceiptMenu::GoodsReceiptMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo01b"), s, parent) {
    setWindowTitle(QStringLiteral("Ricevimento merci"));
    setInnerSize(4125, 4200);
    const QColor grey = rgb(224, 224, 224);
    menuButton("Command1", QStringLiteral("RICEVIMENTO MERCI"), rgb(255, 128, 255), {0, 0, 4215, 495});
    ui::label(this, nullptr, QStringLiteral("Operatore"), {600, 660, 1500, 375});
    operw = ui::field(this, "operw", {2160, 600, 1095, 435});
    QPushButton* entry =
        menuButton("Command12", QStringLiteral("Inserisco Articoli"), grey, {120, 1080, 3855, 495});
    QPushButton* list =
        menuButton("Command13", QStringLiteral("Vedo articoli"), grey, {120, 1680, 3855, 495});
    QPushButton* confirm =
        menuButton("Command2", QStringLiteral("Confermo carico"), grey, {120, 2280, 3855, 495});
    QPushButton* erase =
        menuButton("Command3", QStringLiteral("Cancello Carico"), grey, {120, 2880, 3855, 495});
    QPushButton* exit = ui::pictureButton(this, "Command5", QStyle::SP_DialogCloseButton, 28,
                                          QStringLiteral("Uscita"), {120, 3480, 3855, 615});
    opensWithOperator(entry, operw, QStringLiteral("tarvo05b"));
    opens(list, QStringLiteral("tarvo06b")); // the lines of the current shared operator, no check
    opens(confirm, QStringLiteral("cnfordc"));
    connect(erase, &QPushButton::clicked, this, &GoodsReceiptMenu::Command3_Click);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void GoodsReceiptMenu::Form_Load() {
    state().ean = QString();
}

void GoodsReceiptMenu::Command3_Click() {
    // The question is the supplier order menu's; the lines emptied are the
    // goods receipt lines, the table the other three buttons work on.
    askToDeleteAll(QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?"),
                   QStringLiteral("Cancellazione Ordine"), QStringLiteral("carico"));
}

} // namespace shell
