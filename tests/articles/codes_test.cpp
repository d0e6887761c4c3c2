// The EAN rules of the label request, the goods receipt and the quantity-first
// entry, and the article code an in-store EAN carries.
#include "articles/codes.h"
#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

TEST(EanByEffectiveLength, ShortCodesGetZerosLongOnesCountToTheirFirstBlank) {
    struct Case {
        const char* typed;
        const char* ean;
    } cases[] = {
        {"8001234567890", "8001234567890"},   // a full EAN as it is
        {"80012345678901", "8001234567890"},  // cut to 13
        {"12345", "0000000012345"},           // eight zeros in front
        {"1234567", "0000001234567"},         // six zeros
        {"012345678905", "0012345678905"},    // 12 characters: one zero
        {"12345678 ABCDE", "0000012345678"},  // a blank in position 9: its first eight characters
        {"1234567890123 X", "1234567890123"}, // the blank after the 13th counts no more
        {" 8001234567890", "0000000000000"},  // a blank first: nothing of the text is kept
        {"x'%*", "000000000x'%*"},            // no digits: still 13 characters, never SQL
    };
    for (const Case& c : cases)
        EXPECT_EQ(articles::eanByEffectiveLength(QString::fromLatin1(c.typed)), QString::fromLatin1(c.ean))
            << c.typed;
}

TEST(Codes, EanOfAScanPerEntry) {
    struct Case {
        const char* field;
        const char* receipt;
        const char* quantityFirst;
    } cases[] = {
        {"80012345", "0000080012345", "0000080012345"},          // 8 digits: five zeros
        {"800123456789", "0800123456789", "0800123456789"},      // 12 characters: one zero
        {"8001234567890", "8001234567890", "8001234567890"},     // 13 stand as they are
        {"1234567 ABCDE", "0000001234567", "01234567ABCDE"},     // up to the first blank / blanks dropped
        {"8001 2345 67890", "0000000008001", "8001234567890"},   // blanks inside a scan
        {"12 34", "0000000012 34", "0000000001234"},             // short with a blank: still 13
        {"80012345678901234", "8001234567890", "8001234567890"}, // longer: cut to 13
        {"ABC", "0000000000ABC", "0000000000ABC"},               // letters are kept (no article has them)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(articles::eanByEffectiveLength(QString::fromLatin1(c.field)),
                  QString::fromLatin1(c.receipt));
        EXPECT_EQ(articles::quantityFirstEan(QString::fromLatin1(c.field)),
                  QString::fromLatin1(c.quantityFirst));
    }
}

TEST(Codes, ArticleCodeInCharactersFourToTwelve) {
    struct Case {
        const char* ean;
        std::int32_t code;
    } cases[] = {{"2000000010065", 1006}, {"2009999999995", 999999999}, {"200000000", 0},
                 {"20000A0010065", 0},    {"200  10060065", 0},         {"", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(articles::codeInEan(QString::fromLatin1(c.ean)), c.code) << c.ean;
}

} // namespace
