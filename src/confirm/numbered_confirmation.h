// The dialog the numbered confirmations share (goods receipt `cnfordc`,
// supplier order `cnfordf`, returns `cnfordr`): the year `annow`, the date
// `datorw`, the two number choices ("Ultimo ..." with `numulw`, "Primo
// Libero" with `numerow`), the progress bar and the two action buttons, one
// for a new document and one for the addition to an existing one.
//
// On opening it reads the working lines, reloads the supplier name from the
// first one and proposes the first free number of the year. The boxes choose
// the number: clicking one takes its field's number as the shared document
// number and shows its button; the number is taken at the click, a field
// edited afterwards counts once a box is clicked again. Before writing, the
// date must be a date and the number not empty or 0. Each member states its
// captions, queries, messages and transfers.
#pragma once

#include "documents/document_lines.h"
#include "ui/screen.h"

#include <QDate>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace confirm {

// The captions and messages of one member.
struct ConfirmationTexts {
    QString name;                // screen name: "cnfordc"
    QString caption;             // "Conferma Carico"
    QString dateCaption;         // "Data Ordine"
    QString lastCaption;         // "Ultimo ordine"
    QString newCaption;          // "Confermi nuovo Carico"
    QString appendCaption;       // "Aggiunge a Carico"
    QString dateMessage;         // the date is empty or no date
    QString numberMessage;       // the number is empty or 0 (new document)
    QString appendNumberMessage; // the same, for the addition
};

class NumberedConfirmation : public ui::Screen {
    Q_OBJECT
public:
    void Form_Load() override;

protected:
    NumberedConfirmation(const ConfirmationTexts& texts, ui::Services& s, QWidget* parent);

    // The working lines as the dialog first looks at them.
    virtual QString linesQuery() const = 0;
    // What the dialog does when there are none (nothing, by default).
    virtual void noLinesOnLoad() {}
    // Proposes the numbers of the year: by default the first free number from
    // the query the member gives, ticking "Primo Libero".
    virtual void proposeNumbers(const data::Database& work, std::int32_t year);
    virtual QString numbersQuery(std::int32_t year) const = 0;
    // The transfers, once the date and the number passed their checks.
    virtual void newDocument(const QDate& documentDate) = 0;
    virtual void addToDocument() = 0;

    // The progress: restarted from 0 for a new document, going on from where
    // it was for an addition; the callback moves it by one line.
    documents::LineProgress startProgress(bool fromZero);
    int progress() const { return progress_; }
    // Tells the operator how a transfer went; true when it was done. After a
    // failure the button `again` is shown so that the operator can press it
    // again (a store busy with another workstation, for example).
    bool reportOutcome(const documents::ConfirmResult& r, QPushButton* again);
    // Shows the information message (when there is one) and closes the dialog.
    void doneWith(const QString& message);
    // "Aggiunge a ..." of the goods receipt and supplier order dialogs: every
    // line of the order working table added to the order document of the
    // chosen number.
    void appendOrderLines();

    void Check1_Click();
    void Check2_Click();

    QLineEdit* annow;
    QLineEdit* datorw;
    QCheckBox* Check1;
    QLineEdit* numulw;
    QCheckBox* Check2;
    QLineEdit* numerow;
    QProgressBar* ProgressBar1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Annulla;

private:
    void Command1_Click();
    void Command2_Click();
    // The date of `datorw`, or the message and nullopt.
    std::optional<QDate> checkedDate();
    // False, after the message, when `numerow` is empty or 0, or the number
    // chosen is none.
    bool checkedNumber(const QString& message);

    const ConfirmationTexts texts_;
    int progress_ = 0; // belongs to the dialog: 0 when it opens
};

// The number a number field holds for the shared document number: its
// leading number, 0 when it holds none.
std::int32_t fieldNumber(const QString& text);

} // namespace confirm
