#include "entry/inventory_entry.h"

#include "articles/article_reads.h"
#include "articles/codes.h"
#include "articles/entry_rules.h"
#include "articles/readings.h"
#include "documents/working_lines.h"
#include "state/shared_state.h"
#include "ui/messages.h"
#include "ui/screen_registry.h"
#include "ui/toolkit.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace entry {

using articles::LookupEnd;
using ui::place;
using ui::rgb;

namespace {

ScanEntry::Options inventoryOptions() {
    ScanEntry::Options o;
    o.caption = QStringLiteral("Immissione Inventario");
    o.listScreen = QStringLiteral("tarvo06");
    return o; // the lookup profile's defaults are the inventory's
}

const QString kPopup = QStringLiteral("tarvo05er");

} // namespace

InventoryEntry::InventoryEntry(ui::Services& services, QWidget* parent)
    : ScanEntry(QStringLiteral("tarvo05"), inventoryOptions(), services, parent) {
    setInnerSize(6135, 6840);
    ui::setBackground(Command5, rgb(128, 128, 255));
    // Labels of the order screens that this screen never fills.
    const char* idle[] = {"Q.Ord.prec.", "Data ord.pr.", "Marg."};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QString::fromLatin1(idle[i]), this);
        QFont f = l->font();
        f.setPointSize(8);
        l->setFont(f);
        place(l, 4800, 780 + 240 * i, 1300, 240);
        l->hide(); // kept for the layout of the family; nothing to show here
    }
    createKeypad();
}

void InventoryEntry::createKeypad() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAutoFillBackground(true);
    QPalette p = Frame1->palette();
    p.setColor(QPalette::Window, rgb(192, 255, 255));
    Frame1->setPalette(p);
    place(Frame1, 120, 3480, 5895, 2895);
    struct Key {
        const char* name;
        const char* caption;
        int row, col;
    };
    const Key keys[] = {{"Command2", "7", 0, 0},  {"Command3", "8", 0, 1},  {"Command10", "9", 0, 2},
                        {"Command14", "0", 0, 3}, {"Command8", "4", 1, 0},  {"Command9", "5", 1, 1},
                        {"Command11", "6", 1, 2}, {"Command16", ",", 1, 3}, {"Command4", "1", 2, 0},
                        {"Command6", "2", 2, 1},  {"Command7", "3", 2, 2},  {"Command15", "CANC", 2, 3}};
    const int tops[] = {240, 1080, 2040};
    const int lefts[] = {120, 1560, 3000, 4440};
    for (const Key& k : keys) {
        auto* b = new QPushButton(QString::fromLatin1(k.caption), Frame1);
        b->setObjectName(QString::fromLatin1(k.name));
        QFont f = b->font();
        f.setPointSize(16);
        f.setBold(true);
        b->setFont(f);
        b->setFocusPolicy(Qt::NoFocus); // the quantity field keeps the focus
        place(b, lefts[k.col], tops[k.row], 1335, 735);
        if (QByteArray(k.caption) == ",")
            ui::setBackground(b, rgb(255, 255, 128));
        else if (QByteArray(k.caption) == "CANC")
            ui::setBackground(b, rgb(255, 192, 192));
        const QString key = QString::fromLatin1(k.caption);
        connect(b, &QPushButton::clicked, this, [this, key] { keypad(key); });
    }
}

void InventoryEntry::keypad(const QString& key) {
    if (key == QLatin1String("CANC"))
        quanw->clear();
    else
        quanw->setText(quanw->text() + key);
    quanw->update();
}

void InventoryEntry::quanw_Enter() {
    // A scan in the wrong field: say so. The steps go on and store nothing,
    // the field being empty.
    if (articles::looksLikeScannedCode(quanw->text())) {
        s_.messages.plain(QStringLiteral("ATTENZIONE ! Inserire la Q.tà corretta"), this);
        quanw->clear();
        quanw->setFocus();
    }
    normaliseEan();
    if (anagr() == LookupEnd::NoPriceListRow) {
        missingArticle();
        return;
    }
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    const double q = articles::regionalNumber(quanw->text()).value_or(0.0);
    if (!articles::storableCount(q)) {
        quanw->clear();
        quanw->setFocus();
        return;
    }
    carica();
}

void InventoryEntry::Command5_Click() {
    if (eanw->text().trimmed().isEmpty())
        return;
    normaliseEan();
    if (anagr() == LookupEnd::NoPriceListRow) {
        missingArticle();
        return;
    }
    if (quanw->text().isEmpty())
        quanw->setText(QStringLiteral("0"));
    // This button checks neither for a scanned code nor the quantity limit.
    const double q = articles::regionalNumber(quanw->text()).value_or(0.0);
    if (q == 0) {
        quanw->clear();
        quanw->setFocus();
        return;
    }
    carica();
}

void InventoryEntry::carica() {
    s_.state.ean = eanw->text();
    const data::Database store = s_.dbs.open(s_.state.storeDbPath);
    if (reportError(store.error()))
        return;
    if (s_.state.ean.trimmed().isEmpty() && s_.state.articleCode == 0) {
        missingArticle();
        return;
    }
    if (const auto code = articles::codeOfEan(store, s_.state.ean.text()))
        s_.state.articleCode = *code;
    if (s_.state.articleCode == 0 || !articles::priceListRow(store, s_.state.articleCode)) {
        missingArticle();
        return;
    }
    if (!s_.state.ean.blankPrefix(6)) {
        if (quanw->text().isEmpty())
            quanw->setText(QStringLiteral("0"));
        const double q = articles::regionalNumber(quanw->text()).value_or(0.0);
        const bool stored = !reportError(
            documents::storeInventoryLine(store, s_.state, s_.state.articleCode, s_.state.ean.text(), q));
        eanw->setFocus();
        clearFields();
        s_.state.ean = QString();
        // The operator's lines are this screen's query: the total moves by
        // what was stored. After stepping, or a failure, it is summed again.
        if (stored && lineQuery_ == options_.profile.lineQuery(s_.state))
            addToTotal(q);
        else
            caltot();
        return;
    }
    clearFields();
    s_.state.ean = QString();
    caltot();
}

void InventoryEntry::missingArticle() {
    // The entry gives way to the pop-up, which reopens it.
    const QString ean =
        s_.state.ean.blankPrefix(13) ? articles::normaliseEanField(eanw->text()) : s_.state.ean.text();
    const double q = articles::regionalNumber(quanw->text()).value_or(0.0);
    close();
    if (auto* popup = qobject_cast<MissingArticlePopup*>(s_.registry.open(kPopup)))
        popup->setPending(ean, q);
}

// ---------------------------------------------------------------------------

namespace {
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (onClick)
            onClick();
    }
};
} // namespace

MissingArticlePopup::MissingArticlePopup(ui::Services& services, QWidget* parent)
    : Screen(kPopup, services, parent) {
    setWindowTitle(QStringLiteral("Immissione Ordine"));
    setInnerSize(4800, 3600);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setText(QStringLiteral("       ATTENZIONE ! ! !") + QString(58, QLatin1Char(' ')) +
                  QStringLiteral("Codice articolo non presente in archivio") + QString(42, QLatin1Char(' ')) +
                  QStringLiteral("Lo vuoi inserire ?"));
    QFont f = text->font();
    f.setPointSize(12);
    f.setBold(true);
    text->setFont(f);
    place(text, 120, 120, 4560, 1800);
    auto* si = new ClickLabel(QStringLiteral("     SI"), this);
    si->setObjectName(QStringLiteral("Label2"));
    auto* no = new ClickLabel(QStringLiteral("     NO"), this);
    no->setObjectName(QStringLiteral("Label3"));
    for (ClickLabel* l : {si, no}) {
        l->setFont(f);
        l->setFrameShape(QFrame::Box);
        l->setAutoFillBackground(true);
    }
    ui::setBackground(si, rgb(128, 255, 128));
    ui::setBackground(no, rgb(255, 192, 192));
    place(si, 120, 2280, 2160, 735);
    place(no, 2520, 2280, 2160, 735);
    si->onClick = [this] { si_Click(); };
    no->onClick = [this] { no_Click(); };
}

void MissingArticlePopup::Form_Load() {
    s_.state.priceList = QString();
    s_.state.articleCode = 0;
    s_.state.documentYear = s_.clock.today().year();
}

void MissingArticlePopup::setPending(const QString& ean, double quantity) {
    ean_ = ean;
    quantity_ = quantity;
}

void MissingArticlePopup::si_Click() {
    // The count is kept: the line is stored under its EAN, with the article code
    // of its EAN rows when it has some and the article fields empty, so the
    // inventory transfer can write it with its placeholders.
    close();
    if (!ean_.trimmed().isEmpty() && articles::storableCount(quantity_)) {
        const data::Database store = s_.dbs.open(s_.state.storeDbPath);
        const std::int32_t code = articles::codeOfEan(store, ean_).value_or(0);
        reportError(store.ok() ? documents::storeInventoryLine(store, s_.state, code, ean_, quantity_)
                               : store.error());
    }
    s_.state.ean = QString();
    s_.registry.open(QStringLiteral("tarvo05"));
}

void MissingArticlePopup::no_Click() {
    close();
    s_.state.ean = QString();
    if (auto* e = qobject_cast<InventoryEntry*>(s_.registry.open(QStringLiteral("tarvo05"))))
        e->eanw->setFocus();
}

void registerInventoryEntry(ui::ScreenRegistry& r) {
    r.add(QStringLiteral("tarvo05"), [](ui::Services& s) { return new InventoryEntry(s); });
    r.add(kPopup, [](ui::Services& s) { return new MissingArticlePopup(s); });
}

} // namespace entry
