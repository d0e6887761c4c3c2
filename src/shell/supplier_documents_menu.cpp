#include "shell/supplier_documents_menu.h"

#include "shell/main_menu.h"
#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/screen_registry.h"

#include <QLabel>
#include <QPushButton>

namespace shell {

using ui::rgb;

SupplierDocumentsMenu::SupplierDocumentsMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvof"), s, parent) {
    setWindowTitle(QStringLiteral("Documenti Fornitore"));
    setInnerSize(4770, 4665);
    menuButton("Command1", QStringLiteral("GESTIONE WI-FI    2.1.2"), rgb(192, 255, 255),
               {120, 0, 4215, 495});
    Label1 = ui::label(this, "Label1", {}, {120, 540, 4500, 495});
    QPushButton* orders = menuButton("Command12", QStringLiteral("Ordine a fornitore"), rgb(255, 128, 128),
                                     {360, 1080, 3855, 615});
    QPushButton* returns =
        menuButton("Command13", QStringLiteral("Gestione Resi"), rgb(192, 192, 255), {360, 1800, 3855, 615});
    QPushButton* receipt = menuButton("Command7", QStringLiteral("Ricevimento merci"), rgb(255, 128, 255),
                                      {360, 2520, 3855, 615});
    QPushButton* exit = ui::pictureButton(this, "Command5", QStyle::SP_DialogCloseButton, 28,
                                          QStringLiteral("Uscita"), {360, 3360, 3855, 615});
    Label1->setWordWrap(true);
    opens(orders, QStringLiteral("lumo07"));
    opens(returns, QStringLiteral("tarvo01r"));
    opens(receipt, QStringLiteral("tarvo01b"));
    connect(exit, &QPushButton::clicked, this, &SupplierDocumentsMenu::Command5_Click);
}

void SupplierDocumentsMenu::Form_Load() {
    state().userCode = 1;
    Label1->setText(state().supplierName.text());
}

void SupplierDocumentsMenu::Command5_Click() {
    if (auto* menu = qobject_cast<MainMenu*>(registry().find(QStringLiteral("tarvom"))))
        menu->showStoreModePanel();
    close();
}

} // namespace shell
