// The label request entry `tarvo08` ("Stampa Frontalini"): the operator walks
// the shelves and scans the articles whose shelf labels are to be printed.
// Each scan requests one label: the article's first code row and the row of
// the code scanned are marked, the running total of labels to print grows and
// the fields are cleared for the next scan. A double click on the sale price
// opens the sale price change.
#pragma once

#include "data/decimal.h"
#include "labels/article_screen.h"

class QLineEdit;
class QPushButton;

namespace labels {

class LabelRequestEntry final : public ArticleScreen {
    Q_OBJECT
public:
    explicit LabelRequestEntry(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    // How the lookup ended.
    enum class Shown { Article, NotInCodean, NoPriceList, Nothing, Failed };

    void eanw_Enter();
    void codcasaw_Enter();
    void quanw_Enter();
    void Command5_Click();
    void Command12_Click(); // Elimina and Annulla
    void Command1_Click();
    void clicked(QObject* control) override;
    void doubleClicked(QObject* control) override;

    // Procedures of the screen.
    Shown anagr();
    void l_prezzo();
    // Records the request with the count that passed the quantity check.
    void carica(data::Decimal count);
    void caltot();
    void chiaro() override;
    void clearFields();
    // The count refused: the message, the field emptied and focused.
    void wrongCount();

    QLineEdit* eanw;
    QLineEdit* codcasaw;
    QLineEdit* descrw;
    QLineEdit* quanw;
    QLineEdit* costow;
    QLineEdit* Prezzow;
    QLineEdit* offew;
    QLineEdit* margw;
    QLineEdit* totqw;
    QPushButton* Command5;  // confirm (a picture)
    QPushButton* Command12; // Elimina
    QPushButton* Command13; // Annulla
    QPushButton* Command1;  // exit (a picture)
};

} // namespace labels
