#include "labels/label_menu.h"

#include "documents/label_requests.h"
#include "state/shared_state.h"
#include "ui/controls.h"

#include <QLabel>
#include <QPushButton>

namespace labels {

using ui::rgb;

namespace {
// The menu takes the green of its button on the main menu; its function
// buttons a paler one.
const QColor kTitle = rgb(0, 255, 0);
const QColor kFunction = rgb(192, 255, 192);
} // namespace

LabelMenu::LabelMenu(ui::Services& services, QWidget* parent)
    : Screen(QStringLiteral("tarvo07"), services, parent) {
    setWindowTitle(QStringLiteral("STAMPA FRONTALINI"));
    setInnerSize(9000, 10080);
    setWindowColour(rgb(192, 255, 192));
    using ui::kLargeCaption;
    Command1 = ui::button(this, "Command1", QStringLiteral("STAMPA FRONTALINI"), kTitle,
                          {120, 120, 8775, 735}, kLargeCaption);
    Command12 = ui::button(this, "Command12", QStringLiteral("Inserisco Articoli"), kFunction,
                           {120, 1080, 8775, 1575}, kLargeCaption);
    Command13 = ui::button(this, "Command13", QStringLiteral("Vedo Articoli"), kFunction,
                           {120, 2760, 8775, 1575}, kLargeCaption);
    Command2 = ui::button(this, "Command2", QStringLiteral("Controllo/Modifica Prezzi"), kFunction,
                          {120, 4440, 8775, 1575}, kLargeCaption);
    Command3 = ui::button(this, "Command3", QStringLiteral("Annullo selezione"), rgb(255, 255, 128),
                          {120, 6120, 8775, 1575}, kLargeCaption);
    Command5 = ui::button(this, "Command5", QStringLiteral("Uscita"), rgb(255, 192, 192),
                          {120, 7800, 8775, 1575}, kLargeCaption);
    Label1 = ui::label(this, "Label1", QStringLiteral("ELABORAZIONE TERMINATA"), {120, 9480, 8775, 480},
                       {11, true});
    Label1->setAlignment(Qt::AlignCenter);

    opens(Command12, QStringLiteral("tarvo08"));
    opens(Command13, QStringLiteral("tarvo10"));
    opens(Command2, QStringLiteral("tarvo08b"));
    connect(Command3, &QPushButton::clicked, this, &LabelMenu::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &QWidget::close);
}

void LabelMenu::Form_Load() {
    state().ean = QString();
    Command3->show();
}

void LabelMenu::Command3_Click() {
    // A failure leaves the selection as it was and the button in place, so
    // the operator can press it again.
    if (reportError(documents::cancelLabelSelection(storeDb())))
        return;
    Command3->hide();
}

} // namespace labels
