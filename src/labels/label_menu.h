// The shelf label menu `tarvo07`: the label request entry, the list of the
// codes selected for labels, the sale price change, and "Annullo selezione",
// which empties the handheld's label selection and then hides itself until
// the menu is opened again.
#pragma once

#include "ui/screen.h"

class QLabel;
class QPushButton;

namespace labels {

class LabelMenu final : public ui::Screen {
    Q_OBJECT
public:
    explicit LabelMenu(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command3_Click();

    QPushButton* Command1;  // STAMPA FRONTALINI (the title)
    QPushButton* Command12; // Inserisco Articoli
    QPushButton* Command13; // Vedo Articoli
    QPushButton* Command2;  // Controllo/Modifica Prezzi
    QPushButton* Command3;  // Annullo selezione
    QPushButton* Command5;  // Uscita
    QLabel* Label1;         // ELABORAZIONE TERMINATA
};

} // namespace labels
