// render-label [STREAM] OUT.png: draws the first label of an EPL2 stream as
// the label printer would lay it out, one pixel per printer dot (203 dpi).
// Without STREAM it draws a sample label built by the program's own label
// code. It knows the subset of EPL2 the labels use: q and Q (label size), N,
// A (text in the printer's fonts 1 to 5, drawn with a monospaced font of the
// same cell size), B with type 1 (Code 128, subsets B and C chosen for the
// shortest symbol), and P; other commands are read and ignored. A picture for
// the documentation, not a proof of what a given printer prints.
#include "documents/epl2_labels.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringDecoder>
#include <QTextStream>
#include <array>
#include <optional>
#include <vector>

namespace {

// The 107 symbols of Code 128 as widths of bar, space, bar, ... in modules.
constexpr std::array<const char*, 107> kCode128 = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213",  "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221",  "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313",  "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321",  "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121",  "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421",  "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114",  "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212",  "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311",  "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};
constexpr int kStartB = 104, kStartC = 105, kCodeB = 100, kCodeC = 99, kStop = 106;

bool digitsAt(const QByteArray& d, qsizetype at, qsizetype n) {
    if (at + n > d.size())
        return false;
    for (qsizetype i = at; i < at + n; ++i)
        if (d.at(i) < '0' || d.at(i) > '9')
            return false;
    return true;
}

// Symbol values of the data, with the check symbol and the stop: pairs of
// digits in subset C where a run of at least four digits allows it, the rest
// in subset B.
std::vector<int> code128(const QByteArray& data) {
    std::vector<int> v;
    bool inC = digitsAt(data, 0, 4) || (data.size() == 2 && digitsAt(data, 0, 2));
    v.push_back(inC ? kStartC : kStartB);
    for (qsizetype i = 0; i < data.size();) {
        if (inC && digitsAt(data, i, 2)) {
            v.push_back((data.at(i) - '0') * 10 + (data.at(i + 1) - '0'));
            i += 2;
            continue;
        }
        if (!inC && digitsAt(data, i, 4) && (data.size() - i) % 2 == 0) {
            v.push_back(kCodeC);
            inC = true;
            continue;
        }
        if (inC) {
            v.push_back(kCodeB);
            inC = false;
        }
        const unsigned char c = static_cast<unsigned char>(data.at(i++));
        v.push_back(c >= 32 && c < 128 ? c - 32 : 0);
    }
    int sum = v.front();
    for (size_t i = 1; i < v.size(); ++i)
        sum += int(i) * v[i];
    v.push_back(sum % 103);
    v.push_back(kStop);
    return v;
}

struct Command {
    QByteArray name;
    QList<QByteArray> params;
    std::optional<QByteArray> data; // the quoted field, unescaped
};

Command parse(const QByteArray& line) {
    Command c;
    qsizetype i = 0;
    while (i < line.size() &&
           ((line.at(i) >= 'A' && line.at(i) <= 'Z') || (line.at(i) >= 'a' && line.at(i) <= 'z')))
        ++i;
    c.name = line.left(i); // "GK", "JF", "A" of "A100,...", "q" of "q839"
    const qsizetype quote = line.indexOf('"');
    c.params = line.mid(c.name.size(), quote < 0 ? -1 : quote - c.name.size()).split(',');
    if (quote >= 0) {
        QByteArray d;
        for (qsizetype j = quote + 1; j < line.size() && line.at(j) != '"'; ++j) {
            if (line.at(j) == '\\' && j + 1 < line.size())
                ++j;
            d += line.at(j);
        }
        c.data = d;
    }
    return c;
}

int param(const Command& c, int i, int fallback = 0) {
    bool ok = false;
    const int v = i < c.params.size() ? c.params.at(i).trimmed().toInt(&ok) : 0;
    return ok ? v : fallback;
}

// Character cell (advance and height) of the printer's fonts 1 to 5.
struct Cell {
    int width, height;
};
Cell fontCell(int font) {
    static const Cell cells[] = {{10, 12}, {12, 16}, {14, 20}, {16, 24}, {34, 48}};
    return cells[std::clamp(font, 1, 5) - 1];
}

void drawText(QPainter& p, int x, int y, int rotation, int font, int hmul, int vmul, const QString& text) {
    const Cell cell = fontCell(font);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(cell.height);
    p.save();
    p.translate(x, y);
    p.rotate(90 * rotation);
    p.scale(hmul, vmul);
    p.setFont(f);
    const int ascent = p.fontMetrics().ascent();
    for (qsizetype i = 0; i < text.size(); ++i)
        p.drawText(QPointF(i * cell.width, ascent * 0.85), text.mid(i, 1));
    p.restore();
}

void drawBarcode(QPainter& p, const Command& c, const QString& humanText) {
    const int narrow = std::max(1, param(c, 4)), height = param(c, 6, 50);
    const bool human = c.params.size() > 7 && c.params.at(7).trimmed() == "B";
    p.save();
    p.translate(param(c, 0), param(c, 1));
    p.rotate(90 * param(c, 2));
    int at = 0;
    for (int symbol : code128(*c.data)) {
        bool bar = true;
        for (const char* w = kCode128[size_t(symbol)]; *w; ++w, bar = !bar) {
            const int width = (*w - '0') * narrow;
            if (bar)
                p.fillRect(at, 0, width, height, Qt::black);
            at += width;
        }
    }
    if (human) // the data centred under the bars
        drawText(p, (at - int(humanText.size()) * fontCell(2).width) / 2, height + 4, 0, 2, 1, 1, humanText);
    p.restore();
}

QByteArray sampleStream() {
    return documents::epl2LabelRun(
        {{QStringLiteral("8001234567897"), 12, 5, 1, 4711, QStringLiteral("CAFFÈ MACINATO MOKA 250 G")}});
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        QTextStream(stderr) << "usage: render-label [STREAM] OUT.png\n";
        return 2;
    }
    QByteArray stream = sampleStream();
    if (args.size() == 3) {
        QFile in(args.at(1));
        if (!in.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "render-label: cannot read " << args.at(1) << "\n";
            return 1;
        }
        stream = in.readAll();
    }

    // The label is collected first and drawn on P, once its size is known.
    int width = 812, height = 600;
    std::vector<Command> elements;
    bool printed = false;
    QStringDecoder cp850("IBM850");
    for (QByteArray line : stream.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const Command c = parse(line);
        if (c.name == "q")
            width = param(c, 0, width);
        else if (c.name == "Q")
            height = param(c, 0, height);
        else if (c.name == "N")
            elements.clear();
        else if ((c.name == "A" || c.name == "B") && c.data)
            elements.push_back(c);
        else if (c.name == "P") {
            printed = true;
            break;
        }
    }
    if (!printed) {
        QTextStream(stderr) << "render-label: the stream prints no label (no P command)\n";
        return 1;
    }

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Command& c : elements) {
        const QString text = cp850.decode(*c.data);
        if (c.name == "A")
            drawText(p, param(c, 0), param(c, 1), param(c, 2), param(c, 3, 2), std::max(1, param(c, 4, 1)),
                     std::max(1, param(c, 5, 1)), text);
        else if (param(c, 3) == 1)
            drawBarcode(p, c, text);
        else
            QTextStream(stderr) << "render-label: barcode type " << c.params.value(3) << " is not drawn\n";
    }
    p.setPen(QColor(0xB0, 0xB0, 0xB0));
    p.drawRect(0, 0, width - 1, height - 1);
    p.end();
    if (!image.save(args.last())) {
        QTextStream(stderr) << "render-label: cannot write " << args.last() << "\n";
        return 1;
    }
    return 0;
}
