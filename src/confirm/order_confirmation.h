// The order confirmation `cnford` of a department order, opened by the order
// menu's "Confermo Ordine". "Confermi Nuovo Ordine" records the last order of
// every ordered article and hands the packs to the price comparison, keeping
// the working lines; "Aggiunge a Ordine" appends the department's lines to
// the order document whose number the dialog shows (the last order document
// of the year, or one the operator types) and removes them.
#pragma once

#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace confirm {

class OrderConfirmation final : public ui::Screen {
    Q_OBJECT
public:
    explicit OrderConfirmation(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    void Command1_Click(); // Confermi Nuovo Ordine
    void Command2_Click(); // Aggiunge a Ordine
    void numerow_Change();

    // The bar moved by one working line of a run of `lines`.
    void advance(int lines);

    QLineEdit* annow;
    QLineEdit* datorw;
    QLineEdit* numerow; // the order document "Aggiunge a Ordine" appends to
    QLabel* Label3;     // what that document holds
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Annulla;
    QProgressBar* ProgressBar1;
    QLabel* Label2;
    int progress_ = 0;
};

} // namespace confirm
