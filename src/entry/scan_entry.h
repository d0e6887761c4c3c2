// The scan entry family: an EAN field the scanner fills, a quantity field, the
// fields of the article found and a few large buttons. One cycle per article:
// scan (the article is shown, the focus goes to the quantity) -> quantity ->
// Enter or "Conferma" (the line is stored, the fields cleared, the total
// updated). Each member screen states only its differences through the hooks.
#pragma once

#include "articles/lookup.h"
#include "ui/screen.h"

class QLineEdit;
class QPushButton;
class QLabel;

namespace entry {

class ScanEntry : public ui::Screen {
    Q_OBJECT
public:
    struct Options {
        QString caption;
        QString listScreen; // the line list opened after "Elimina"
        articles::LookupProfile profile;
    };
    ScanEntry(const QString& name, const Options& options, ui::Services& services, QWidget* parent = nullptr);

    void Form_Load() override;

    // The controls, by their screen names.
    QLineEdit* eanw;
    QLineEdit* quanw;
    QLineEdit* codcasaw;
    QLineEdit* descrw;
    QLineEdit* imballow;
    QLineEdit* costow;
    QLineEdit* Prezzow;
    QLineEdit* qinvw;
    QLineEdit* totqw;
    QLineEdit* cimpw;
    QLineEdit* operw;
    QPushButton* Command5;  // Conferma
    QPushButton* Command12; // Elimina
    QPushButton* Command13; // Annulla
    QPushButton* Command1;  // Uscita

    // Handlers, named as on every member.
    void eanw_Enter();
    void eanw_KeyDown();
    void eanw_Click();
    void codcasaw_Enter();
    virtual void quanw_Enter() = 0;
    virtual void Command5_Click() = 0;
    void Command12_Click();
    void Command13_Click();
    void Command1_Click();

protected:
    // Procedures of the family.
    articles::LookupEnd anagr();
    virtual void carica() = 0;
    void caltot();
    // After a store of q on the screen's lines: the total moves by q, without
    // summing every line again.
    void addToTotal(double q);
    void chiaro();
    void clearFields();
    // The EAN field written into the shared EAN before a store: 1 to 12
    // characters become a 13-digit EAN.
    void normaliseEan();
    // What to do when the article has EAN rows but no price-list row, or there
    // is no article at all.
    virtual void missingArticle() = 0;

    // The working lines the screen is on: the operator's, or those after an
    // EAN once the down arrow stepped.
    articles::LineQuery lineQuery_;
    double total_ = 0;
    const Options options_;
    articles::ArticleLookup lookup_;

    bool eventFilter(QObject* watched, QEvent* event) override;
    QLineEdit* addField(const char* name, const QString& label, int left, int top, int width, bool readOnly);
    QPushButton* addButton(const char* name, const QString& caption, const QColor& colour, int left, int top,
                           int width, int height);

private:
    articles::EntryFields fields() const;
    void show(const articles::EntryFields& f);
    void createControls();
};

} // namespace entry
