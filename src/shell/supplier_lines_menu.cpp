#include "shell/supplier_lines_menu.h"

#include "state/shared_state.h"
#include "ui/controls.h"

#include <QPushButton>

namespace shell {

using ui::rgb;

SupplierLinesMenu::Kind SupplierLinesMenu::returns() {
    return {.name = QStringLiteral("tarvo01r"),
            .title = QStringLiteral("GESTIONE RESI"),
            .listCaption = QStringLiteral("Vedo Resi "),
            .confirmCaption = QStringLiteral("Confermo Resi"),
            .eraseCaption = QStringLiteral("Cancello Resi"),
            .entry = QStringLiteral("tarvo02r"),
            .list = QStringLiteral("tarvo03r"),
            .confirm = QStringLiteral("cnfordr"),
            .question = QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questi Resi ?"),
            .questionTitle = QStringLiteral("Cancellazione Resi"),
            .table = QStringLiteral("Resi")};
}

SupplierLinesMenu::Kind SupplierLinesMenu::supplierOrder() {
    return {.name = QStringLiteral("tarvo01f"),
            .title = QStringLiteral("GESTIONE ORDINE"),
            .listCaption = QStringLiteral("Vedo Ordine"),
            .confirmCaption = QStringLiteral("Confermo Ordine"),
            .eraseCaption = QStringLiteral("Cancello Ordine"),
            .entry = QStringLiteral("tarvo02f"),
            .list = QStringLiteral("tarvo03f"),
            .confirm = QStringLiteral("cnfordf"),
            .question = QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?"),
            .questionTitle = QStringLiteral("Cancellazione Ordine"),
            .table = QStringLiteral("ordine")};
}

SupplierLinesMenu::SupplierLinesMenu(const Kind& k, ui::Services& s, QWidget* parent)
    : MenuScreen(k.name, s, parent)
    , kind_(k) {
    setWindowTitle(k.title);
    setInnerSize(4125, 4200);
    const QColor grey = rgb(224, 224, 224);
    menuButton("Command1", k.title, rgb(255, 128, 128), {0, 0, 4215, 495});
    QPushButton* entry =
        menuButton("Command12", QStringLiteral("Inserisco Articoli"), grey, {120, 840, 3855, 495});
    QPushButton* list = menuButton("Command13", k.listCaption, grey, {120, 1440, 3855, 495});
    QPushButton* confirm = menuButton("Command2", k.confirmCaption, grey, {120, 2040, 3855, 495});
    QPushButton* erase = menuButton("Command3", k.eraseCaption, grey, {120, 2640, 3855, 495});
    QPushButton* exit = ui::pictureButton(this, "Command5", QStyle::SP_DialogCloseButton, 28,
                                          QStringLiteral("Uscita"), {120, 3360, 3855, 615});
    opens(entry, k.entry);
    opens(list, k.list);
    opens(confirm, k.confirm);
    connect(erase, &QPushButton::clicked, this, &SupplierLinesMenu::Command3_Click);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void SupplierLinesMenu::Form_Load() {
    state().ean = QString();
}

void SupplierLinesMenu::Command3_Click() {
    askToDeleteAll(kind_.question, kind_.questionTitle, kind_.table);
}

} // namespace shell
