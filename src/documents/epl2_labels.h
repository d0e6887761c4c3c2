// The article labels for the goods received on a supplier order: one label per
// delivered pack, each a fixed sequence of EPL2 command lines for the store's
// label printer. No widgets and no database: the order screen gathers the lines
// and the article descriptions, these functions build the bytes the printer
// receives, and ui::Printer sends them as one job.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace documents {

// One line of the order as the labels need it.
struct LabelLine {
    QString ean;            // the line's EAN (`eanrig`), 13 characters as stored
    qint64 orderNumber = 0; // `bnumer`
    qint64 lineNumber = 0;  // Ns (`bns`)
    QVariant packs;         // delivered packs (`collic`): a number, its field text, or Null
    qint64 articleCode = 0; // `articoli`
    // `desart` of the article in `articoli`; none when the article is not there,
    // and then the line prints no label.
    std::optional<QString> description;
};

// Every command line ends in CR LF, as the lines the store's printers have
// always received; EPL2 printers take a bare LF as well.
inline constexpr char kEpl2LineEnd[] = "\r\n";

// The most labels one line prints, whatever its delivered packs say: the line
// screen accepts no more packs than this.
inline constexpr int kMaxLabelCopies = 99999;

// Labels for one line: its delivered packs read as the leading number of the
// field ("3" and "3 colli" are 3, "2.9" is 2), at least 1 (none, empty, 0 or a
// text that is no number all give 1), at most kMaxLabelCopies.
int labelCopies(const QVariant& packs);

// The data of the label's barcode: the EAN, the order number with at least 4
// digits, the line number with at least 3, then seven zeros (order 12, line 5:
// EAN + "0012" + "005" + "0000000").
QString labelBarcodeData(const QString& ean, qint64 orderNumber, qint64 lineNumber);

// A text as it goes between the double quotes of an EPL2 field: in code page
// 850, the page the label selects with "I8,1,001", so accented letters print
// as they read; a character the page lacks becomes "?"; `"` and `\` are
// escaped with a backslash, as EPL2 requires; a control character (a line
// break or a tab inside a description) becomes a blank, so it cannot end the
// command.
QByteArray epl2Text(const QString& text);

// The 27 command lines of one label.
QByteArray epl2Label(const QString& barcodeData, const QString& description, qint64 articleCode);

// The whole job of a label run: for each line in order and each of its copies,
// one label; a line whose article is not found prints nothing.
QByteArray epl2LabelRun(const std::vector<LabelLine>& lines);

} // namespace documents
