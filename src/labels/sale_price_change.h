// The sale price change `tarvo08b` ("Modifica Prezzo Vendta"): the operator
// scans an article, sees its cost with VAT, sale price, offer and margin,
// derives a new sale price (typed, from a markup on the cost or from a margin
// on the price) and stores it: the price list takes the price and its margin,
// and every EAN code of the article is marked for a new shelf label and
// selected for the handheld's label list.
//
// "Nuovo" and "Annulla" are the two buttons of one handler, named Command13
// and Command13_1.
#pragma once

#include "data/decimal.h"
#include "labels/article_screen.h"

class QLineEdit;
class QPushButton;

namespace labels {

class SalePriceChange final : public ArticleScreen {
    Q_OBJECT
public:
    explicit SalePriceChange(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    enum class Shown { Article, NotInCodean, NoPriceList, Nothing, Failed };

    void eanw_Enter();
    void codcasaw_Enter();
    void margw_Enter();
    void nuovopvw_Enter();
    void ricaw_Change();
    void Command5_Click();
    void Command13_Click(); // Nuovo and Annulla
    void Command1_Click();
    void clicked(QObject* control) override;

    // Procedures of the screen.
    Shown anagr();
    void l_prezzo();
    void calcola_daRic();
    void carica(data::Decimal newPrice);
    void chiaro() override;

    // The new price field normalised by the amount formatter (bare digits are
    // cents: 249 is 2,49) and shown; the price it now holds, nullopt when it
    // holds none above 0.
    std::optional<data::Decimal> formattedNewPrice();
    // The article's fields emptied before another article is sought, so no
    // figure of the one before stays beside it.
    void clearArticle();
    void refuse(QLineEdit* field, const QString& message);

    QLineEdit* eanw;
    QLineEdit* codicelorvw;
    QLineEdit* codcasaw;
    QLineEdit* descrw;
    QLineEdit* costow;
    QLineEdit* Prezzow;
    QLineEdit* offew;
    QLineEdit* margw;
    QLineEdit* nuovopvw;
    QLineEdit* ricaw;
    QPushButton* Command5;   // Conferma
    QPushButton* Command13;  // Nuovo
    QPushButton* Command13b; // Annulla
    QPushButton* Command1;   // Uscita
};

} // namespace labels
