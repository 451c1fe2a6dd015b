#include "sessions/PanelNumbers.h"

#include <gtest/gtest.h>

#include <limits>

TEST(PanelNumbers, readTheLeadingNumberAsTheCLibraryDoesAndStopAtTheEndsOfInt) {
    EXPECT_EQ(IntFromBox("  +62abc"), 62);
    EXPECT_EQ(IntFromBox("-7"), -7);
    EXPECT_EQ(IntFromBox("12.9"), 12);
    EXPECT_EQ(IntFromBox(""), 0);
    EXPECT_EQ(IntFromBox("abc 5"), 0);
    EXPECT_EQ(IntFromBox("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(IntFromBox("-" + QString(400, '9')), std::numeric_limits<int>::min());

    EXPECT_EQ(TruncatedRealFromBox("12.9"), 12);
    EXPECT_EQ(TruncatedRealFromBox("-3.7"), -3);
    EXPECT_EQ(TruncatedRealFromBox(" -0.9"), 0);
    EXPECT_EQ(TruncatedRealFromBox(".5e1x"), 5);
    EXPECT_EQ(TruncatedRealFromBox("nan"), 0);
    EXPECT_EQ(TruncatedRealFromBox("1e400"), std::numeric_limits<int>::max());
}
