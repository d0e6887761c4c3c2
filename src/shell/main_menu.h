// The main menu `tarvom`: the store modes, the function buttons, and in the
// "ALTRI" mode the choice of the supplier for the supplier documents.
#pragma once

#include "ui/screen.h"

#include <optional>

class QPushButton;
class QLabel;
class QFrame;

namespace ui {
class DataGrid;
class DriveList;
} // namespace ui

namespace shell {

class MainMenu final : public ui::Screen {
    Q_OBJECT
public:
    explicit MainMenu(ui::Services& services, QWidget* parent = nullptr);
    void Form_Load() override;

    // The supplier documents menu shows the store-mode panel again when it closes.
    void showStoreModePanel();
    // The supplier orders menu renames the third function button when it closes
    // (by name: the screen modules do not include one another).
    Q_INVOKABLE void setThirdButtonCaption(const QString& caption);

private:
    void Command3_Click(); // ACCEDI
    void Command4_Click(); // ......
    void Command6_Click(); // ALTRI
    void Command5_Click(); // USCITA
    void Command8_Click(); // back to the store modes
    void Command9_Click(); // confirm the supplier
    void flex1_Click(int row);

    // The shared user name from the row 1 of a table of the work database
    // (utenti or clienti), when there is one; what went wrong otherwise.
    data::Error seekName(const QString& table, const QString& index, const QString& field);
    // The highlighted row of the supplier grid, if any.
    std::optional<int> chosenRow() const;
    void pick(int row);

    QPushButton* Command1;
    QLabel* Label1;
    QPushButton* Command12;
    QPushButton* Command13;
    QPushButton* Command2;
    QLabel* Image1;
    QFrame* selfor;
    QPushButton* Command3;
    ui::DriveList* Drive1;
    QPushButton* Command4;
    QPushButton* Command6;
    QPushButton* Command5;
    QFrame* pippa;
    ui::DataGrid* flex1;
    QPushButton* Command8;
    QPushButton* Command9;
    bool choosing_ = false; // the supplier panel is up
};

} // namespace shell
