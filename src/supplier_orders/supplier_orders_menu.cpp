#include "supplier_orders/supplier_orders_menu.h"

#include "state/shared_state.h"
#include "ui/controls.h"
#include "ui/screen_registry.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>

namespace supplier_orders {

using ui::rgb;

SupplierOrdersMenu::SupplierOrdersMenu(ui::Services& s, QWidget* parent)
    : Screen(QStringLiteral("lumo07"), s, parent) {
    setWindowTitle(QStringLiteral("Ordini Fornitori"));
    setInnerSize(4125, 4200);
    const QColor grey = rgb(224, 224, 224);
    ui::button(this, "Command1", QStringLiteral("ORDINI FORNITORI"), rgb(255, 128, 128), {0, 0, 4215, 495});
    ui::label(this, nullptr, QStringLiteral("Operatore"), {120, 660, 1200, 375});
    opew = ui::field(this, "opew", {1440, 600, 1200, 375}, ui::kFieldFont);
    QPushButton* inProgress =
        ui::button(this, "Command13", QStringLiteral("Ordini in corso"), grey, {120, 1200, 3855, 615});
    QPushButton* newOrder =
        ui::button(this, "Command2", QStringLiteral("Nuovo Ordine"), grey, {120, 2040, 3855, 615});
    QPushButton* exit = ui::pictureButton(this, "Command5", QStyle::SP_DialogCloseButton, 28,
                                          QStringLiteral("Uscita programma"), {120, 3360, 3855, 615});
    opens(inProgress, QStringLiteral("lumo08"));
    opens(newOrder, QStringLiteral("tarvo01f"));
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void SupplierOrdersMenu::Form_Load() {
    state().ean = QString();
    opew->clear();
}

void SupplierOrdersMenu::closeEvent(QCloseEvent* e) {
    Screen::closeEvent(e);
    if (!e->isAccepted())
        return;
    // From now on the main menu's third function button reads so, for the rest
    // of the run (it still opens the shelf label menu).
    if (ui::Screen* menu = registry().find(QStringLiteral("tarvom")))
        QMetaObject::invokeMethod(menu, "setThirdButtonCaption",
                                  Q_ARG(QString, QStringLiteral("Ordini Fornitori")));
}

} // namespace supplier_orders
