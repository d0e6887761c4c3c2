// The EAN the label request screen seeks for what is scanned or typed.
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

} // namespace
