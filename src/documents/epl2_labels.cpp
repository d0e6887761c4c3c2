#include "documents/epl2_labels.h"

#include "articles/readings.h"

#include <QMetaType>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace documents {

namespace {

// Code page 850 (DOS Latin 1): the character of each byte from 0x80 to 0xFF.
constexpr std::array<char16_t, 128> kCp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// The same page the other way round, sorted by character, for a binary search.
using Cp850Entry = std::pair<char16_t, unsigned char>;
const std::array<Cp850Entry, 128>& cp850ByCharacter() {
    static const std::array<Cp850Entry, 128> table = [] {
        std::array<Cp850Entry, 128> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = {kCp850High[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

char cp850Byte(char32_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    const auto& table = cp850ByCharacter();
    const auto it = std::lower_bound(table.begin(), table.end(), c,
                                     [](const Cp850Entry& e, char32_t k) { return e.first < k; });
    if (it != table.end() && it->first == c)
        return static_cast<char>(it->second);
    return '?';
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

void line(QByteArray& out, const char* text) {
    out += text;
    out += kEpl2LineEnd;
}

void quotedLine(QByteArray& out, const char* command, const QString& text) {
    out += command;
    out += '"';
    out += epl2Text(text);
    out += '"';
    out += kEpl2LineEnd;
}

} // namespace

int labelCopies(const QVariant& packs) {
    if (packs.isNull())
        return 1;
    const double n = isNumber(packs) ? packs.toDouble() : articles::leadingNumber(packs.toString());
    if (!std::isfinite(n) || n < 1)
        return 1;
    return n >= kMaxLabelCopies ? kMaxLabelCopies : static_cast<int>(n);
}

QString labelBarcodeData(const QString& ean, qint64 orderNumber, qint64 lineNumber) {
    return ean + QStringLiteral("%1").arg(orderNumber, 4, 10, QLatin1Char('0')) +
           QStringLiteral("%1").arg(lineNumber, 3, 10, QLatin1Char('0')) + QStringLiteral("0000000");
}

QByteArray epl2Text(const QString& text) {
    QByteArray out;
    const QString nfc = text.normalized(QString::NormalizationForm_C);
    out.reserve(nfc.size());
    for (char32_t c : nfc.toUcs4()) {
        if (c < 0x20 || c == 0x7F) {
            out += ' ';
        } else if (c == U'"' || c == U'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else {
            out += cp850Byte(c);
        }
    }
    return out;
}

QByteArray epl2Label(const QString& barcodeData, const QString& description, qint64 articleCode) {
    QByteArray out;
    for (const char* graphic : {"PCX1", "PCX2", "PCX3", "PCX4", "PCX5"}) {
        quotedLine(out, "GK", QString::fromLatin1(graphic));
        line(out, " ");
    }
    for (const char* setup : {"I8,1,001", " ", "OD", "Q799,1", "q839", "S4", "D5", "ZT", "JF", " ", "N"})
        line(out, setup);
    quotedLine(out, "B100,10,0,1,3,3,300,B,", barcodeData);
    quotedLine(out, "A100,350,0,2,1,1,N,", description);
    quotedLine(out, "A100,380,0,2,1,1,N,", QStringLiteral("LUMO FOOD"));
    quotedLine(out, "A100,410,0,2,1,1,N,", QStringLiteral("Codice art. "));
    quotedLine(out, "A350,410,0,2,1,1,N,", QString::number(articleCode));
    line(out, "P1");
    return out;
}

QByteArray epl2LabelRun(const std::vector<LabelLine>& lines) {
    QByteArray out;
    for (const LabelLine& l : lines) {
        if (!l.description)
            continue;
        const QByteArray label =
            epl2Label(labelBarcodeData(l.ean, l.orderNumber, l.lineNumber), *l.description, l.articleCode);
        const int copies = labelCopies(l.packs);
        out.reserve(out.size() + label.size() * copies);
        for (int i = 0; i < copies; ++i)
            out += label;
    }
    return out;
}

} // namespace documents
