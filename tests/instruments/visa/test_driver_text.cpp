#include "visa/DriverText.h"
#include "visa/StatusTexts.h"
#include "visa/VppStatus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using DriverText::EntryForm;
using DriverText::ErrorEntry;

TEST(DriverText, numbersReadAsTheInstrumentWritesThemAndNothingElse) {
    double value = 0.0;
    EXPECT_TRUE(DriverText::ParseReal(" +1.234E-01\t", &value));
    EXPECT_DOUBLE_EQ(value, 0.1234);
    EXPECT_TRUE(DriverText::ParseReal("-74.5", &value));
    EXPECT_DOUBLE_EQ(value, -74.5);
    EXPECT_TRUE(DriverText::ParseReal("NAN", &value));
    EXPECT_TRUE(std::isnan(value));
    for (const char* bad : {"", "+", "+-1", "1.2.3", "0.5 A", "0x10", "1,5"})
        EXPECT_FALSE(DriverText::ParseReal(bad, &value)) << bad;

    value = 7.0;
    for (const char* notFinite : {"nan", "inf", "-INF"})
        EXPECT_FALSE(DriverText::ParseFinite(notFinite, &value)) << notFinite;
    EXPECT_EQ(value, 7.0) << "a refused field leaves the value alone";

    ViInt32 integer = 0;
    EXPECT_TRUE(DriverText::ParseInteger("16.0", &integer));
    EXPECT_EQ(integer, 16);
    EXPECT_TRUE(DriverText::ParseInteger("-2147483648", &integer));
    EXPECT_EQ(integer, -2147483647 - 1);
    for (const char* bad : {"0.5", "2147483648", "1e10", "one"})
        EXPECT_FALSE(DriverText::ParseInteger(bad, &integer)) << bad;

    EXPECT_EQ(DriverText::ScpiNumber(947467000.0), "947467000");
    EXPECT_EQ(DriverText::ScpiNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(DriverText::ScpiNumber(1e-7), "1e-07");
}

TEST(DriverText, aCompleteEntryNeedsItsCommaAndQuotesWhileATolerantOneTakesACutText) {
    ErrorEntry entry;
    for (EntryForm form : {EntryForm::kComplete, EntryForm::kTolerant}) {
        ASSERT_TRUE(DriverText::ParseErrorEntry("-100,\"Say \"\"hi\"\"\"", form, &entry));
        EXPECT_EQ(entry.code, -100);
        EXPECT_EQ(entry.text, "Say \"hi\"") << "a doubled quote stands for one";
        ASSERT_TRUE(DriverText::ParseErrorEntry(" +0 , \"No error\" ", form, &entry));
        EXPECT_EQ(entry.code, 0);
        EXPECT_EQ(entry.text, "No error");
        for (const char* bad : {"garbage", "x,\"text\"", ",\"text\"", "0.5,\"half\""})
            EXPECT_FALSE(DriverText::ParseErrorEntry(bad, form, &entry)) << bad;
    }
    for (const char* partial : {"-350", "-350,\"Queue overfl", "-350,Queue", "-350,\""}) {
        EXPECT_FALSE(DriverText::ParseErrorEntry(partial, EntryForm::kComplete, &entry)) << partial;
        ASSERT_TRUE(DriverText::ParseErrorEntry(partial, EntryForm::kTolerant, &entry)) << partial;
        EXPECT_EQ(entry.code, -350);
    }
    EXPECT_EQ(entry.text, "");
    ASSERT_TRUE(DriverText::ParseErrorEntry("-350,\"Queue overfl", EntryForm::kTolerant, &entry));
    EXPECT_EQ(entry.text, "Queue overfl");
}

TEST(DriverText, aCopyIsCutToTheBufferAndAlwaysTerminated) {
    ViChar out[6];
    std::memset(out, '#', sizeof out);
    DriverText::CopyText("overlong", out, 5);
    EXPECT_STREQ(out, "over");
    EXPECT_EQ(out[5], '#');
    DriverText::CopyText("ok", out, 5);
    EXPECT_STREQ(out, "ok");
    DriverText::CopyText("x", out, 0);
    EXPECT_STREQ(out, "ok") << "no room: nothing written";
}

TEST(StatusTexts, theSharedCodesHaveTextsAndATableAnswersOnlyForItsOwn) {
    EXPECT_STREQ(VppStatusText(VI_ERROR_PARAMETER5), "Parameter 5 is out of range");
    EXPECT_NE(VppStatusText(VI_ERROR_INV_RESPONSE), nullptr);
    EXPECT_EQ(VppStatusText(VI_ERROR_FAIL_ID_QUERY), nullptr) << "each driver words its own";
    const StatusText table[] = {{VI_ERROR_TMO, "late"}, {VI_SUCCESS, "fine"}};
    EXPECT_STREQ(FindStatusText(table, VI_SUCCESS), "fine");
    EXPECT_EQ(FindStatusText(table, VI_ERROR_ALLOC), nullptr);
}
