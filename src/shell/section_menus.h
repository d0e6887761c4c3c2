// The section menus between the main menu and the working screens: department
// choice, orders, inventory, supplier documents, goods receipt, returns and
// supplier orders. Each button opens a screen by its name, stores a choice in
// the shared state, or empties a working table.
#pragma once

#include "ui/screen.h"

class QPushButton;
class QLineEdit;
class QFrame;
class QLabel;

namespace ui {
class ScreenRegistry;
}

namespace shell {

// Builder helpers shared by the menus.
class MenuScreen : public ui::Screen {
    Q_OBJECT
public:
    using Screen::Screen;

protected:
    QPushButton* addButton(const char* name, const QString& caption, const QColor& colour, int left, int top,
                           int width, int height, QWidget* parent = nullptr);
    // Opens the screen on click; disabled while no screen of that name exists.
    void opens(QPushButton* b, const QString& screen);
    QPushButton* exitPictureButton(int left, int top, int width, int height);
    // Empties a working table of the work database.
    void deleteAll(const QString& table);
    // Operator check: the number of the operator field, or 0 after the message.
    int checkedOperator(QLineEdit* operw);
};

class DepartmentMenu : public MenuScreen { // MainOrd
    Q_OBJECT
public:
    explicit DepartmentMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
};

class OrderMenu : public MenuScreen { // tarvo01
    Q_OBJECT
public:
    explicit OrderMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
    void Command7_Click(); // CONFERMA CANCELLAZIONE

private:
    QPushButton* Command1;
    QList<QPushButton*> functionButtons_;
    QFrame* Frame1;
};

class InventoryMenu : public MenuScreen { // tarvo04
    Q_OBJECT
public:
    explicit InventoryMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
    bool numberTaken() const { return numberTaken_; }

    void Command10_Click(); // CONFERMA INVENTARIO
    void Command15_Click(); // CANCELLA INVENTARIO

protected:
    QFrame* panel(const char* name, const QString& caption);
    void createPanels();
    // The operator of the panels: no message, the focus goes to the field.
    int panelOperator();

    QLineEdit* operw;
    QFrame* Frame1;
    QFrame* Frame2;
    QPushButton* Command10;
    QPushButton* Command15;
    QLabel* Label2;
    QLabel* Label3;
    bool numberTaken_ = false;
};

class SupplierDocumentsMenu : public MenuScreen { // tarvof
    Q_OBJECT
public:
    explicit SupplierDocumentsMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    QLabel* Label1;
};

class GoodsReceiptMenu : public MenuScreen { // tarvo01b
    Q_OBJECT
public:
    explicit GoodsReceiptMenu(ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;

private:
    QLineEdit* operw;
};

// Returns (tarvo01r) and supplier order (tarvo01f) menus: the same four buttons.
class SupplierLinesMenu : public MenuScreen {
    Q_OBJECT
public:
    struct Kind {
        QString name, title, listCaption, entry, list, confirm, question, questionTitle, deleteTable;
    };
    SupplierLinesMenu(const Kind& kind, ui::Services& s, QWidget* parent = nullptr);
    void Form_Load() override;
    static Kind returns();
    static Kind supplierOrder();
};

// Registers every menu with the registry.
void registerMenus(ui::ScreenRegistry& registry);

} // namespace shell
