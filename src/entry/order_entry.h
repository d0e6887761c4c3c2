// The order entry `tarvo02`: the staff compose a replenishment order for one
// department. A scan shows the article with its pack, its last order, its
// cost with VAT, sale and offer prices and margin; the packs typed replace the
// article's line of `ordine`, tagged with the department; the total of the
// department's packs is always shown. The description field also searches
// the articles by description.
#pragma once

#include "articles/order_lookup.h"
#include "entry/scan_entry.h"

class QFrame;

namespace ui {
class DataGrid;
}

namespace entry {

class OrderEntry final : public ScanEntry {
    Q_OBJECT
public:
    explicit OrderEntry(ui::Services& services, QWidget* parent = nullptr);

    void Form_Load() override;

private:
    articles::LookupEnd anagr() override;
    articles::LineQuery lines() const override;
    void chiaro() override;
    void eanw_Enter() override;
    void eanw_KeyDown() override;
    void codcasaw_Enter() override;
    void quanw_Enter() override;
    void Command5_Click() override;
    void Command12_Click() override;
    void Command13_Click() override;
    void carica() override;
    // Every article can be ordered, found or not: nothing to ask.
    void missingArticle() override {}

    void Command2_Click(); // plus
    void Command3_Click(); // minus
    void umw_DblClick();
    void descrw_Click();
    void descrw_Enter(); // the description search
    void flex1_Click(int row);

    // The code in the EAN field resolved and shown; false after a database error.
    bool resolveTyped();
    void stepQuantity(int by);
    articles::OrderFields orderFields() const;
    void showFields(const articles::OrderFields& f);
    void clear(std::initializer_list<QLineEdit*> fields);
    void highlight(QWidget* w);

    QLineEdit* umw;
    QLineEdit* dtorprw;
    QLineEdit* oraw;
    QLineEdit* offew;
    QLineEdit* margw;
    QPushButton* Command2; // plus
    QPushButton* Command3; // minus
    QFrame* Frame1;        // the description search
    ui::DataGrid* flex1;

    articles::OrderLookup order_;
};

} // namespace entry
