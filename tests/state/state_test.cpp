// The shared state's fixed-width texts.
#include "qt_print.h"
#include "state/shared_state.h"

#include <gtest/gtest.h>

namespace {

TEST(SharedStateTexts, FixedWidthTextsPadAndCut) {
    state::SharedState s;
    EXPECT_EQ(s.ean.text(), QString(13, ' '));
    s.ean = QStringLiteral("123");
    EXPECT_EQ(s.ean.text(), QStringLiteral("123          "));
    EXPECT_NE(s.ean.text(), QString());
    s.department = QStringLiteral("TM");
    EXPECT_EQ(s.department.text(), QStringLiteral("T"));
    s.documentType = QStringLiteral("INVENTARIO");
    EXPECT_EQ(s.documentType.text(), QStringLiteral("INVENTARIO  "));
    EXPECT_TRUE(state::FixedText<13>().blankPrefix(5));
}

} // namespace
