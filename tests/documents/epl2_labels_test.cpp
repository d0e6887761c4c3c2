// The EPL2 stream of the article labels: the exact bytes of one label, the
// barcode data, the copies per line, the text of the quoted fields and the
// code page they are written in.
#include "documents/epl2_labels.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using documents::LabelLine;

namespace {

LabelLine pasta(QVariant packs = 1) {
    return {QStringLiteral("8001234567890"),        12, 5, std::move(packs), 4711,
            QStringLiteral("PASTA DI SEMOLA 500 G")};
}

} // namespace

TEST(LabelStream, OneLabelIsItsTwentySevenCommandLinesEachEndingInCrLf) {
    const QByteArray expected = "GK\"PCX1\"\r\n"
                                " \r\n"
                                "GK\"PCX2\"\r\n"
                                " \r\n"
                                "GK\"PCX3\"\r\n"
                                " \r\n"
                                "GK\"PCX4\"\r\n"
                                " \r\n"
                                "GK\"PCX5\"\r\n"
                                " \r\n"
                                "I8,1,001\r\n"
                                " \r\n"
                                "OD\r\n"
                                "Q799,1\r\n"
                                "q839\r\n"
                                "S4\r\n"
                                "D5\r\n"
                                "ZT\r\n"
                                "JF\r\n"
                                " \r\n"
                                "N\r\n"
                                "B100,10,0,1,3,3,300,B,\"800123456789000120050000000\"\r\n"
                                "A100,350,0,2,1,1,N,\"PASTA DI SEMOLA 500 G\"\r\n"
                                "A100,380,0,2,1,1,N,\"LUMO FOOD\"\r\n"
                                "A100,410,0,2,1,1,N,\"Codice art. \"\r\n"
                                "A350,410,0,2,1,1,N,\"4711\"\r\n"
                                "P1\r\n";
    EXPECT_EQ(documents::epl2LabelRun({pasta()}), expected);
    EXPECT_EQ(expected.count("\r\n"), 27);
}

TEST(LabelStream, BarcodeDataIsEanThenOrderOfFourDigitsLineOfThreeAndSevenZeros) {
    struct Case {
        qint64 order, line;
        const char* expected;
    } cases[] = {
        {12, 5, "800123456789000120050000000"},     // 27 characters
        {12345, 5, "8001234567890123450050000000"}, // a five-digit order: 28
        {1, 1234,
         "800123456789000011234"
         "0000000"},
        {0, 0, "800123456789000000000000000"},
    };
    for (const Case& c : cases) {
        const QString data = documents::labelBarcodeData(QStringLiteral("8001234567890"), c.order, c.line);
        EXPECT_EQ(data, QLatin1String(c.expected)) << c.order << " " << c.line;
    }
    EXPECT_EQ(documents::labelBarcodeData(QStringLiteral("8001234567890"), 12, 5).size(), 27);
    EXPECT_EQ(documents::labelBarcodeData(QStringLiteral("8001234567890"), 12345, 5).size(), 28);
}

TEST(LabelStream, CopiesAreTheLeadingNumberOfTheDeliveredPacksAtLeastOne) {
    struct Case {
        QVariant packs;
        int copies;
    } cases[] = {
        {QVariant(), 1}, // the field is Null
        {QString(), 1},
        {QStringLiteral("0"), 1},
        {0, 1},
        {3, 3},
        {3.0, 3},
        {QStringLiteral("3"), 3},
        {QStringLiteral(" 3 colli"), 3},
        {QStringLiteral("2.9"), 2},
        {QStringLiteral("4,5"), 4},
        {QStringLiteral("colli"), 1},
        {-2, 1},
        {0.5, 1},
        {1e12, documents::kMaxLabelCopies},
    };
    for (const Case& c : cases)
        EXPECT_EQ(documents::labelCopies(c.packs), c.copies) << c.packs.toString().toStdString();
}

TEST(LabelStream, RunHasOneLabelPerCopyInLineOrderAndNoneForAnArticleNotFound) {
    LabelLine three = pasta(QStringLiteral("3"));
    LabelLine unknown{QStringLiteral("8000000000017"), 12, 6, 2, 99, std::nullopt};
    LabelLine noPacks{QStringLiteral("8000000000024"), 12, 7, QVariant(), 52, QStringLiteral("OLIO")};

    const QByteArray pastaLabel = documents::epl2Label(QStringLiteral("800123456789000120050000000"),
                                                       QStringLiteral("PASTA DI SEMOLA 500 G"), 4711);
    const QByteArray oilLabel =
        documents::epl2Label(QStringLiteral("800000000002400120070000000"), QStringLiteral("OLIO"), 52);
    EXPECT_EQ(documents::epl2LabelRun({three, unknown, noPacks}),
              pastaLabel + pastaLabel + pastaLabel + oilLabel);
    EXPECT_TRUE(documents::epl2LabelRun({unknown}).isEmpty());
    EXPECT_TRUE(documents::epl2LabelRun({}).isEmpty());
}

TEST(LabelStream, FieldTextIsEscapedAndWrittenInCodePage850) {
    struct Case {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("PASTA 500 G"), "PASTA 500 G"},
        {QStringLiteral("TV 32\" LED"), "TV 32\\\" LED"},
        {QStringLiteral("A\\B"), "A\\\\B"},
        {QStringLiteral("\"\\\""), "\\\"\\\\\\\""},
        {QStringLiteral("CAFFÈ PERCHÉ PIÙ"), "CAFF\xD4 PERCH\x90 PI\xEB"},
        {QStringLiteral("caffè perché più però così"), "caff\x8A perch\x82 pi\x97 per\x95 cos\x8D"},
        {QStringLiteral("e\u0301"), "\x82"},                      // é written as e + accent
        {QStringLiteral("€ 1,50 – ł"), "? 1,50 ? ?"},             // not in the page
        {QString::fromUtf8("PASTA \xF0\x9F\x8D\x9D"), "PASTA ?"}, // one character, one "?"
        {QStringLiteral("RIGA1\r\nRIGA2\tX"), "RIGA1  RIGA2 X"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(documents::epl2Text(c.text), c.bytes) << c.text.toStdString();
}

TEST(LabelStream, DescriptionWithQuotesAndLineBreaksStaysInsideItsCommand) {
    LabelLine l = pasta();
    l.description = QStringLiteral("CAFFÈ \"MOKA\"\n250 G \\ OFFERTA");
    const QByteArray label = documents::epl2LabelRun({l});
    const QList<QByteArray> lines = label.split('\n');
    ASSERT_EQ(lines.size(), 28); // 27 lines and what follows the last break
    EXPECT_EQ(lines.at(22), QByteArray("A100,350,0,2,1,1,N,\"CAFF\xD4 \\\"MOKA\\\" 250 G \\\\ OFFERTA\"\r"));
    EXPECT_EQ(lines.at(23), QByteArray("A100,380,0,2,1,1,N,\"LUMO FOOD\"\r"));
}

// The page table against the system's own converter: every byte from 0x80 to
// 0xFF, decoded by iconv, comes back as that byte.
TEST(LabelStream, CodePageAgreesWithIconv) {
    const QString iconv = QStandardPaths::findExecutable(QStringLiteral("iconv"));
    if (iconv.isEmpty())
        GTEST_SKIP() << "iconv is not installed";
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    QProcess p;
    p.start(iconv,
            {QStringLiteral("-f"), QStringLiteral("CP850"), QStringLiteral("-t"), QStringLiteral("UTF-8")});
    p.write(high);
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(10000));
    const QString decoded = QString::fromUtf8(p.readAllStandardOutput());
    ASSERT_EQ(decoded.size(), 128);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(documents::epl2Text(decoded.mid(i, 1)), QByteArray(1, char(0x80 + i)))
            << "byte 0x" << std::hex << 0x80 + i << " is U+" << int(decoded.at(i).unicode());
}
