// The scan entry family: an EAN field the scanner fills, a quantity field, the
// fields of the article found and a few large buttons. One cycle per article:
// scan (the article is shown, the focus goes to the quantity) -> quantity ->
// Enter or "Conferma" (the line is stored, the fields cleared, the total
// updated). Each member screen states only its differences through the hooks.
#pragma once

#include "articles/line_query.h"
#include "articles/lookup.h"
#include "data/decimal.h"
#include "ui/screen.h"
#include "ui/toolkit.h"

class QLineEdit;
class QPushButton;

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

protected:
    // Procedures of the family.
    articles::LookupEnd anagr();
    // False after a failure, told to the operator.
    bool caltot();
    // The total of the screen's lines (`totqw`) is an exact decimal: the sum
    // by aggregate on opening, then moved by each count stored, so 0,1 stored
    // ten times and -1 once shows 0, never a binary residue or "-0".
    // After a store of q on the screen's lines: the total moves by q, without
    // summing every line again.
    void addToTotal(data::Decimal q);
    void chiaro();
    void clearFields();
    // The EAN field written into the shared EAN before a store: 1 to 12
    // characters become a 13-digit EAN.
    void normaliseEan();
    // True while the screen shows the shared operator's own lines (not those
    // after an EAN the down arrow stepped to).
    bool onOperatorLines() const;

    // The controls, by their screen names.
    QLineEdit* eanw;
    QLineEdit* operw;
    QLineEdit* codcasaw;
    QLineEdit* imballow;
    QLineEdit* descrw;
    QLineEdit* costow;
    QLineEdit* Prezzow;
    QLineEdit* cimpw;
    QLineEdit* quanw;
    QLineEdit* qinvw;
    QLineEdit* totqw;
    QPushButton* Command5;  // Conferma
    QPushButton* Command12; // Elimina
    QPushButton* Command13; // Annulla
    QPushButton* Command1;  // Uscita

private:
    // Handlers, named as on every member.
    void eanw_Enter();
    void eanw_KeyDown();
    void eanw_Click();
    void codcasaw_Enter();
    void Command12_Click();
    void Command13_Click();
    void Command1_Click();
    // What each member does its own way.
    virtual void quanw_Enter() = 0;
    virtual void Command5_Click() = 0;
    virtual void carica() = 0;
    // When the article has EAN rows but no price-list row, or there is no
    // article at all.
    virtual void missingArticle() = 0;

    // An entry field with its small caption above it (none when empty): the
    // caption at (left, top), the field under it.
    QLineEdit* entryField(const char* name, const QString& caption, int left, int top, int width,
                          bool readOnly);
    QPushButton* entryButton(const char* name, const QString& caption, const QColor& colour,
                             const ui::Twips& at);
    data::Database linesDb() const;
    articles::EntryFields fields() const;
    void show(const articles::EntryFields& f);
    bool eventFilter(QObject* watched, QEvent* event) override;

    const Options options_;
    articles::ArticleLookup lookup_;
    articles::LineQuery lineQuery_; // the lines the screen is on
    data::Decimal total_;
};

} // namespace entry
