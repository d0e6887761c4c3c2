// The line list browser: the working lines of one document kind in a grid,
// with the total of their quantities, searches by EAN and by description, a
// sort by description and "Vedo articolo" opening the chosen line in its entry
// screen. Six screens share it; each is a LineListKind stating only what it
// changes.
#pragma once

#include "data/database.h"
#include "ui/screen.h"

#include <array>
#include <vector>

class QLineEdit;
class QPushButton;

namespace shell {
struct SharedState;
}
namespace ui {
class DataGrid;
}

namespace lists {

struct LineListKind {
    enum class Db { Store, Work };
    // Which lines the opening query keeps; the sort and the searches list the
    // lines of every operator and department.
    enum class Opening { All, Operator, Department };

    QString name{};    // registry name: tarvo06, ...
    QString caption{}; // window caption
    QString table{};   // the working table the lines come from
    // Fields behind the columns Ean, Descrizione and Qta.
    QString eanField = QStringLiteral("eanrig");
    QString descrField = QStringLiteral("descrizione");
    QString qtyField = QStringLiteral("colli");
    Db database = Db::Store;    // where the lines are read
    Db checkedPath = Db::Store; // the path tested on opening
    Opening opening = Opening::All;
    // A condition that makes a row a line of this list at all (the label
    // requests among the EAN rows); every query of the list keeps it.
    QString linesFilter{};
    QString totalLabel{};        // empty: no label beside the total
    std::array<int, 3> widths{}; // columns 1 to 3, twips
    QString entryScreen{};       // opened by "Vedo articolo"; empty: no such button
    bool closesOnView = false;   // the list closes when it opens the entry screen
    bool exports = false;        // carries "Crea file testo INVE1.dat"
    bool searchLabelled = false; // the description search is labelled "Descrizione"

    // SELECT [ean] as Ean,[descr] as Descrizione,[qty] as Qta FROM table
    QString head() const;
    // The condition of the opening query (with its WHERE), or empty.
    QString openingCondition(const state::SharedState& s) const;
    QString openingQuery(const state::SharedState& s) const;
    QString totalQuery(const state::SharedState& s) const;
    // direction: the shared sort direction, "DESC" or "ASC ".
    QString sortQuery(const QString& direction) const;
    QString descriptionSearch(const QString& typed) const;
    QString eanSearch(const QString& ean) const;
    QString eanStep(const QString& ean) const; // every field of the lines after the EAN
    // " WHERE <linesFilter> and " or " WHERE ".
    QString whereKeepingLines() const;
    // " WHERE <linesFilter>" or nothing.
    QString onlyLines() const;
    // The lines whose field compares so with the value, ordered by that field.
    QString from(const QString& field, const QString& op, const QString& value) const;
};

// tarvo06, tarvo06b, tarvo03, tarvo03f, tarvo03r, tarvo10.
const std::vector<LineListKind>& lineListKinds();
const LineListKind* lineListKind(const QString& name);

class LineList final : public ui::Screen {
    Q_OBJECT
public:
    LineList(const LineListKind& kind, ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

    // The inventory file the export writes; by default C:\quirel\inve1.dat
    // under the drive mapping.
    void setExportFile(const QString& localFile) { exportFile_ = localFile; }

private:
    void ord_Click(int row, int col);
    void ricw_Change();
    void eanw_Change();
    void eanw_KeyDown();
    void eanw_Enter();
    void eanw_Click();
    void Command5_Click();
    void Command2_Click();

    void show(const QString& query);
    void vedo();
    void caltot();
    void sort2();
    void chiaro();
    data::Database linesDb() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* eanw;
    QLineEdit* ricw;
    ui::DataGrid* ord;
    QLineEdit* totqw;
    QPushButton* Command2 = nullptr; // Crea file testo INVE1.dat
    QPushButton* Command5 = nullptr; // Vedo articolo
    QPushButton* Command1;           // Uscita

    const LineListKind kind_;
    QString exportFile_;
    QString toldError_; // the error the grid's last query told, if any
};

} // namespace lists
