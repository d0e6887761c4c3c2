#include "shell/section_menus.h"

#include "articles/entry_rules.h"
#include "data/recordset.h"
#include "documents/inventory_transfer.h"
#include "documents/numbering.h"
#include "documents/working_lines.h"
#include "shell/main_menu.h"
#include "state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace shell {

using ui::place;
using ui::rgb;

// ---------------------------------------------------------------------------

QPushButton* MenuScreen::addButton(const char* name, const QString& caption, const QColor& colour, int left,
                                   int top, int width, int height, QWidget* parent) {
    auto* b = new QPushButton(caption, parent ? parent : this);
    b->setObjectName(QString::fromLatin1(name));
    ui::setBackground(b, colour);
    QFont f = b->font();
    f.setPointSize(height >= 1000 ? 16 : 11);
    f.setBold(true);
    b->setFont(f);
    place(b, left, top, width, height);
    return b;
}

void MenuScreen::opens(QPushButton* b, const QString& screen) {
    b->setEnabled(s_.registry.has(screen));
    connect(b, &QPushButton::clicked, this, [this, screen] { s_.registry.open(screen); });
}

QPushButton* MenuScreen::exitPictureButton(int left, int top, int width, int height) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("Command5"));
    b->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    b->setIconSize(QSize(28, 28));
    b->setToolTip(QStringLiteral("Uscita"));
    place(b, left, top, width, height);
    return b;
}

void MenuScreen::deleteAll(const QString& table) {
    reportError(documents::deleteAllLines(s_.dbs.open(s_.state.workDbPath), table));
}

int MenuScreen::checkedOperator(QLineEdit* operw) {
    const auto op = articles::operatorNumber(operw->text());
    if (!op) {
        s_.messages.plain(QStringLiteral("Attenzione! Inserire il numero operatore 1,2,3 ecc.."), this);
        operw->setFocus();
        return 0;
    }
    return *op;
}

// ---------------------------------------------------------------------------

DepartmentMenu::DepartmentMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("MainOrd"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Ordini"));
    setInnerSize(9045, 11490);
    setWindowColour(rgb(192, 192, 255));
    addButton("Command1", QStringLiteral("GESTIONE ORDINI"), rgb(255, 128, 0), 120, 960, 8775, 1095);
    struct Dept {
        const char* name;
        const char* caption;
        QColor colour;
        int top;
        const char* code;
    };
    const Dept depts[] = {{"Command12", "SECCHI", rgb(255, 224, 192), 2280, "T"},
                          {"Command13", "FRESCHI", rgb(255, 255, 128), 4080, "M"},
                          {"Command2", "NO FOOD", rgb(128, 255, 128), 5880, "O"},
                          {"Command3", "SURGELATI", rgb(192, 255, 255), 7680, "S"}};
    for (const Dept& d : depts) {
        QPushButton* b = addButton(d.name, QString::fromLatin1(d.caption), d.colour, 120, d.top, 8775, 1575);
        const QString code = QString::fromLatin1(d.code);
        b->setEnabled(s_.registry.has(QStringLiteral("tarvo01")));
        connect(b, &QPushButton::clicked, this, [this, code] {
            s_.state.department = code;
            s_.registry.open(QStringLiteral("tarvo01"));
        });
    }
    QPushButton* exit =
        addButton("Command5", QStringLiteral("USCITA"), rgb(255, 192, 192), 120, 9720, 8775, 1095);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void DepartmentMenu::Form_Load() {
    s_.state.userCode = 1;
}

// ---------------------------------------------------------------------------

OrderMenu::OrderMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo01"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Ordini"));
    setInnerSize(9000, 11490);
    Command1 =
        addButton("Command1", QStringLiteral("GESTIONE ORDINI"), rgb(255, 128, 0), 120, 960, 8775, 1095);
    const QColor grey = rgb(224, 224, 224);
    QPushButton* entry =
        addButton("Command12", QStringLiteral("Inserisco Articoli"), grey, 120, 2520, 8775, 1575);
    QPushButton* list = addButton("Command13", QStringLiteral("Vedo Ordine"), grey, 120, 4200, 8775, 1575);
    QPushButton* confirm =
        addButton("Command2", QStringLiteral("Confermo Ordine"), grey, 120, 5880, 8775, 1575);
    QPushButton* erase =
        addButton("Command3", QStringLiteral("Cancello Ordine"), grey, 120, 7560, 8775, 1575);
    QPushButton* exit = addButton("Command5", QStringLiteral("Uscita"), grey, 120, 9840, 8775, 1095);
    functionButtons_ = {entry, list, confirm, erase, exit};
    opens(entry, QStringLiteral("tarvo02"));
    opens(list, QStringLiteral("tarvo03"));
    opens(confirm, QStringLiteral("cnford"));
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setAutoFillBackground(true);
    place(Frame1, 120, 2520, 8775, 6600);
    auto* caption = new QLabel(QStringLiteral("ELIMINA ORDINE"), Frame1);
    place(caption, 120, 120, 6000, 360);
    QPushButton* doDelete = addButton("Command7", QStringLiteral("CONFERMA CANCELLAZIONE"),
                                      rgb(255, 192, 192), 120, 1800, 8535, 1575, Frame1);
    QPushButton* back =
        addButton("Command6", QStringLiteral("USCITA"), rgb(192, 192, 255), 120, 4920, 8535, 1095, Frame1);
    Frame1->hide();
    connect(erase, &QPushButton::clicked, this, [this] {
        place(Frame1, 120, 2520, 8775, 6600);
        Frame1->show();
        Frame1->raise();
    });
    connect(doDelete, &QPushButton::clicked, this, &OrderMenu::Command7_Click);
    connect(back, &QPushButton::clicked, Frame1, &QWidget::hide);
}

void OrderMenu::Form_Load() {
    struct Look {
        const char* code;
        const char* title;
        QColor colour;
    };
    static const Look looks[] = {{"T", "GESTIONE ORDINI SALA", rgb(255, 224, 192)},
                                 {"M", "GESTIONE ORDINI MACELLERIA", rgb(255, 255, 128)},
                                 {"O", "GESTIONE ORDINI NON FOOD", rgb(128, 255, 128)},
                                 {"S", "GESTIONE ORDINI SURGELATI", rgb(192, 255, 255)}};
    for (const Look& l : looks) {
        if (s_.state.department.text() == QLatin1String(l.code)) {
            Command1->setText(QString::fromLatin1(l.title));
            for (QPushButton* b : functionButtons_)
                ui::setBackground(b, l.colour);
        }
    }
    s_.state.ean = QString();
}

void OrderMenu::Command7_Click() {
    // Every order line of the work database, whatever its department.
    deleteAll(QStringLiteral("ordine"));
    Frame1->hide();
}

// ---------------------------------------------------------------------------

InventoryMenu::InventoryMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo04"), s, parent) {
    setWindowTitle(QStringLiteral("Gestione Inventario"));
    setInnerSize(9000, 10095);
    addButton("Command1", QStringLiteral("GESTIONE INVENTARIO"), rgb(255, 255, 0), 120, 0, 8775, 495);
    auto* label = new QLabel(QStringLiteral("Operatore"), this);
    place(label, 120, 720, 1500, 375);
    operw = new QLineEdit(this);
    operw->setObjectName(QStringLiteral("operw"));
    QFont f = operw->font();
    f.setPointSize(16);
    operw->setFont(f);
    place(operw, 1680, 600, 1095, 735);
    const char* names[] = {"Command4", "Command6", "Command7", "Command8", "Command9"};
    for (int i = 0; i < 5; ++i) {
        QPushButton* b = addButton(names[i], QString::number(i + 1), ui::color(ui::kButtonFace),
                                   2880 + 1200 * i, 600, 1095, 735);
        const QString digit = QString::number(i + 1);
        connect(b, &QPushButton::clicked, this, [this, digit] {
            operw->setText(digit);
            operw->update();
        });
    }
    const QColor pale = rgb(255, 255, 128);
    QPushButton* entry =
        addButton("Command12", QStringLiteral("Inserisco Articoli"), pale, 120, 1440, 8775, 1575);
    QPushButton* list =
        addButton("Command13", QStringLiteral("Vedo Inventario"), pale, 120, 3120, 8775, 1575);
    QPushButton* confirm =
        addButton("Command2", QStringLiteral("Confermo Inventario"), pale, 120, 4800, 8775, 1575);
    QPushButton* erase =
        addButton("Command3", QStringLiteral("Cancello Inventario"), pale, 120, 6480, 8775, 1575);
    QPushButton* exit =
        addButton("Command5", QStringLiteral("Uscita"), rgb(255, 192, 192), 120, 8160, 8775, 1095);
    for (const auto& [b, target] :
         {std::pair{entry, QStringLiteral("tarvo05")}, std::pair{list, QStringLiteral("tarvo06")}}) {
        const QString name = target;
        b->setEnabled(s_.registry.has(name));
        connect(b, &QPushButton::clicked, this, [this, name] {
            if (const int op = checkedOperator(operw)) {
                s_.state.operatorNumber = std::int16_t(op);
                s_.registry.open(name);
            }
        });
    }
    createPanels();
    connect(confirm, &QPushButton::clicked, this, [this] {
        Frame1->show();
        Frame1->raise();
    });
    connect(erase, &QPushButton::clicked, this, [this] {
        Frame2->show();
        Frame2->raise();
    });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    // The operator field turns yellow when it receives the focus and stays so.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == operw)
            ui::setBackground(operw, rgb(255, 255, 0));
    });
}

QFrame* InventoryMenu::panel(const char* name, const QString& caption) {
    auto* f = new QFrame(this);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::Box);
    f->setAutoFillBackground(true);
    place(f, 120, 1440, 8775, 6600);
    auto* title = new QLabel(caption, f);
    place(title, 120, 60, 8000, 360);
    f->hide();
    return f;
}

void InventoryMenu::createPanels() {
    Frame1 = panel("Frame1", QStringLiteral("CONFERMA INVENTARIO"));
    Command10 = addButton("Command10", QStringLiteral("CONFERMA INVENTARIO"), rgb(128, 255, 128), 120, 600,
                          8535, 1575, Frame1);
    QPushButton* back1 =
        addButton("Command11", QStringLiteral("USCITA"), rgb(192, 192, 255), 120, 2400, 8535, 1095, Frame1);
    Label2 = new QLabel(Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 120, 3720, 8535, 735);
    Frame2 = panel("Frame2", QStringLiteral("CANCELLA INVENTARIO"));
    Command15 = addButton("Command15", QStringLiteral("CANCELLA INVENTARIO"), rgb(255, 192, 192), 120, 600,
                          8535, 1575, Frame2);
    QPushButton* back2 =
        addButton("Command14", QStringLiteral("USCITA"), rgb(192, 192, 255), 120, 2400, 8535, 1095, Frame2);
    Label3 = new QLabel(Frame2);
    Label3->setObjectName(QStringLiteral("Label3"));
    place(Label3, 120, 3720, 8535, 735);
    for (QLabel* l : {Label2, Label3}) {
        QFont f = l->font();
        f.setPointSize(14);
        f.setBold(true);
        l->setFont(f);
    }
    connect(Command10, &QPushButton::clicked, this, &InventoryMenu::Command10_Click);
    connect(Command15, &QPushButton::clicked, this, &InventoryMenu::Command15_Click);
    connect(back1, &QPushButton::clicked, Frame1, &QWidget::hide);
    connect(back2, &QPushButton::clicked, Frame2, &QWidget::hide);
}

int InventoryMenu::panelOperator() {
    const auto op = articles::operatorNumber(operw->text());
    if (!op) {
        operw->setFocus(); // no message here: the field says what is missing
        return 0;
    }
    return *op;
}

void InventoryMenu::Command10_Click() {
    if (const int op = panelOperator()) {
        s_.state.operatorNumber = std::int16_t(op);
        if (!numberTaken_) {
            s_.messages.show({QStringLiteral(" Attenzione !!     Numero Inventario non corretto..... "),
                              {},
                              ui::Message::Icon::Critical,
                              ui::Message::Buttons::Ok,
                              ui::Message::Answer::Ok},
                             this);
        } else {
            const data::Database store = s_.dbs.open(s_.state.storeDbPath);
            const documents::TransferResult r =
                documents::transferInventory(store, s_.state, s_.clock.today());
            if (!reportError(r.error)) {
                if (!r.notice.isEmpty())
                    s_.messages.info(r.notice, this);
                Label2->setText(QStringLiteral("INVENTARIO CARICATO NR. ") +
                                QString::number(s_.state.documentNumber));
            }
        }
    }
    // One press per opening of the menu, whatever happened.
    Command10->hide();
}

void InventoryMenu::Command15_Click() {
    if (const int op = panelOperator()) {
        s_.state.operatorNumber = std::int16_t(op);
        const data::Database store = s_.dbs.open(s_.state.storeDbPath);
        if (!reportError(store.ok() ? documents::deleteInventory(store, s_.state.operatorNumber)
                                    : store.error())) {
            findChild<QPushButton*>(QStringLiteral("Command3"))->hide();
            Label3->setText(QStringLiteral("Inventario è stato cancellato "));
        }
    }
    Command15->hide();
}

void InventoryMenu::Form_Load() {
    s_.state.ean = QString();
    const data::Database store = s_.dbs.open(s_.state.storeDbPath);
    if (reportError(store.error()))
        return;
    const QString problem = documents::takeInventoryNumber(store, s_.state, s_.clock.today());
    numberTaken_ = problem.isEmpty();
    if (!numberTaken_)
        s_.messages.plain(problem, this);
}

// ---------------------------------------------------------------------------

SupplierDocumentsMenu::SupplierDocumentsMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvof"), s, parent) {
    setWindowTitle(QStringLiteral("Documenti Fornitore"));
    setInnerSize(4770, 4665);
    addButton("Command1", QStringLiteral("GESTIONE WI-FI    2.1.2"), rgb(192, 255, 255), 120, 0, 4215, 495);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    place(Label1, 120, 540, 4500, 495);
    QPushButton* orders = addButton("Command12", QStringLiteral("Ordine a fornitore"), rgb(255, 128, 128),
                                    360, 1080, 3855, 615);
    QPushButton* returns =
        addButton("Command13", QStringLiteral("Gestione Resi"), rgb(192, 192, 255), 360, 1800, 3855, 615);
    QPushButton* receipt =
        addButton("Command7", QStringLiteral("Ricevimento merci"), rgb(255, 128, 255), 360, 2520, 3855, 615);
    opens(orders, QStringLiteral("lumo07"));
    opens(returns, QStringLiteral("tarvo01r"));
    opens(receipt, QStringLiteral("tarvo01b"));
    QPushButton* exit = exitPictureButton(360, 3360, 3855, 615);
    connect(exit, &QPushButton::clicked, this, [this] {
        if (auto* menu = qobject_cast<MainMenu*>(s_.registry.find(QStringLiteral("tarvom"))))
            menu->showStoreModePanel();
        close();
    });
}

void SupplierDocumentsMenu::Form_Load() {
    s_.state.userCode = 1;
    Label1->setText(s_.state.supplierName.text());
}

// ---------------------------------------------------------------------------

GoodsReceiptMenu::GoodsReceiptMenu(ui::Services& s, QWidget* parent)
    : MenuScreen(QStringLiteral("tarvo01b"), s, parent) {
    setWindowTitle(QStringLiteral("Ricevimento merci"));
    setInnerSize(4125, 4200);
    addButton("Command1", QStringLiteral("RICEVIMENTO MERCI"), rgb(255, 128, 255), 0, 0, 4215, 495);
    auto* label = new QLabel(QStringLiteral("Operatore"), this);
    place(label, 600, 660, 1500, 375);
    operw = new QLineEdit(this);
    operw->setObjectName(QStringLiteral("operw"));
    place(operw, 2160, 600, 1095, 435);
    const QColor grey = rgb(224, 224, 224);
    QPushButton* entry =
        addButton("Command12", QStringLiteral("Inserisco Articoli"), grey, 120, 1080, 3855, 495);
    QPushButton* list = addButton("Command13", QStringLiteral("Vedo articoli"), grey, 120, 1680, 3855, 495);
    QPushButton* confirm =
        addButton("Command2", QStringLiteral("Confermo carico"), grey, 120, 2280, 3855, 495);
    QPushButton* erase = addButton("Command3", QStringLiteral("Cancello Carico"), grey, 120, 2880, 3855, 495);
    entry->setEnabled(s_.registry.has(QStringLiteral("tarvo05b")));
    connect(entry, &QPushButton::clicked, this, [this] {
        if (const int op = checkedOperator(operw)) {
            s_.state.operatorNumber = std::int16_t(op);
            s_.registry.open(QStringLiteral("tarvo05b"));
        }
    });
    opens(list, QStringLiteral("tarvo06b")); // the lines of the current shared operator, no check
    opens(confirm, QStringLiteral("cnfordc"));
    connect(erase, &QPushButton::clicked, this, [this] {
        // The question is the supplier order menu's; the lines emptied are the
        // goods receipt lines, the table the other three buttons work on.
        if (s_.messages.askCritical(
                QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?"),
                QStringLiteral("Cancellazione Ordine"), this))
            deleteAll(QStringLiteral("carico"));
    });
    QPushButton* exit = exitPictureButton(120, 3480, 3855, 615);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void GoodsReceiptMenu::Form_Load() {
    s_.state.ean = QString();
}

// ---------------------------------------------------------------------------

SupplierLinesMenu::Kind SupplierLinesMenu::returns() {
    return {QStringLiteral("tarvo01r"),
            QStringLiteral("GESTIONE RESI"),
            QStringLiteral("Vedo Resi "),
            QStringLiteral("tarvo02r"),
            QStringLiteral("tarvo03r"),
            QStringLiteral("cnfordr"),
            QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questi Resi ?"),
            QStringLiteral("Cancellazione Resi"),
            QStringLiteral("Resi")};
}

SupplierLinesMenu::Kind SupplierLinesMenu::supplierOrder() {
    return {QStringLiteral("tarvo01f"),
            QStringLiteral("GESTIONE ORDINE"),
            QStringLiteral("Vedo Ordine"),
            QStringLiteral("tarvo02f"),
            QStringLiteral("tarvo03f"),
            QStringLiteral("cnfordf"),
            QStringLiteral("Attenzione  !!  Sei sicuro di voler Cancellare questo Ordine ?"),
            QStringLiteral("Cancellazione Ordine"),
            QStringLiteral("ordine")};
}

SupplierLinesMenu::SupplierLinesMenu(const Kind& k, ui::Services& s, QWidget* parent)
    : MenuScreen(k.name, s, parent) {
    setWindowTitle(k.title);
    setInnerSize(4125, 4200);
    addButton("Command1", k.title, rgb(255, 128, 128), 0, 0, 4215, 495);
    const QColor grey = rgb(224, 224, 224);
    QPushButton* entry =
        addButton("Command12", QStringLiteral("Inserisco Articoli"), grey, 120, 840, 3855, 495);
    QPushButton* list = addButton("Command13", k.listCaption, grey, 120, 1440, 3855, 495);
    QPushButton* confirm = addButton("Command2",
                                     k.name == QLatin1String("tarvo01r") ? QStringLiteral("Confermo Resi")
                                                                         : QStringLiteral("Confermo Ordine"),
                                     grey, 120, 2040, 3855, 495);
    QPushButton* erase = addButton("Command3",
                                   k.name == QLatin1String("tarvo01r") ? QStringLiteral("Cancello Resi")
                                                                       : QStringLiteral("Cancello Ordine"),
                                   grey, 120, 2640, 3855, 495);
    opens(entry, k.entry);
    opens(list, k.list);
    opens(confirm, k.confirm);
    connect(erase, &QPushButton::clicked, this, [this, k] {
        if (s_.messages.askCritical(k.question, k.questionTitle, this))
            deleteAll(k.deleteTable);
    });
    QPushButton* exit = exitPictureButton(120, 3360, 3855, 615);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void SupplierLinesMenu::Form_Load() {
    s_.state.ean = QString();
}

// ---------------------------------------------------------------------------

void registerMenus(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("tarvom"), [](ui::Services& s) { return new MainMenu(s); });
    r.add(QStringLiteral("MainOrd"), [](ui::Services& s) { return new DepartmentMenu(s); });
    r.add(QStringLiteral("tarvo01"), [](ui::Services& s) { return new OrderMenu(s); });
    r.add(QStringLiteral("tarvo04"), [](ui::Services& s) { return new InventoryMenu(s); });
    r.add(QStringLiteral("tarvof"), [](ui::Services& s) { return new SupplierDocumentsMenu(s); });
    r.add(QStringLiteral("tarvo01b"), [](ui::Services& s) { return new GoodsReceiptMenu(s); });
    r.add(QStringLiteral("tarvo01r"),
          [](ui::Services& s) { return new SupplierLinesMenu(SupplierLinesMenu::returns(), s); });
    r.add(QStringLiteral("tarvo01f"),
          [](ui::Services& s) { return new SupplierLinesMenu(SupplierLinesMenu::supplierOrder(), s); });
}

} // namespace shell
