#include "sim/scanner/VirtualScanner.h"

#include <gtest/gtest.h>

TEST(VirtualScanner, answersTheThreeRequestsAsTheImeiToolExpects) {
    VirtualScanner scanner;
    EXPECT_EQ(scanner.Receive("BCLR\r"), "OK\r");
    const QByteArray barcode = scanner.Receive("LON\r");
    ASSERT_EQ(barcode.size(), 16);
    EXPECT_EQ(barcode.back(), '\r');
    EXPECT_EQ(barcode[14], VirtualScanner::CheckDigit(barcode.left(14)));
    // 49015420323751 is the classic worked IMEI example; its check digit is 8.
    EXPECT_EQ(VirtualScanner::CheckDigit("49015420323751"), '8');
    EXPECT_TRUE(scanner.IsOn());
    EXPECT_EQ(scanner.Receive("LOFF\r"), "");
    EXPECT_FALSE(scanner.IsOn());
}

TEST(VirtualScanner, requestsSplitOverBurstsAndNoiseAreHandled) {
    VirtualScanner scanner({"356789012345678"});
    EXPECT_EQ(scanner.Receive("BC"), "");
    EXPECT_EQ(scanner.Receive("LR\rLO"), "OK\r");
    EXPECT_EQ(scanner.Receive("N\r"), "356789012345678\r");
    EXPECT_EQ(scanner.Receive(QByteArray(500, 'z') + "\r"), "");
}

TEST(VirtualScanner, givenBarcodesComeInTurnAndGeneratedOnesDiffer) {
    VirtualScanner listed({"111111111111116", "222222222222222"});
    EXPECT_EQ(listed.Receive("LON\r"), "111111111111116\r");
    EXPECT_EQ(listed.Receive("LON\r"), "222222222222222\r");
    EXPECT_EQ(listed.Receive("LON\r"), "111111111111116\r");

    VirtualScanner generated({}, 7);
    EXPECT_NE(generated.Receive("LON\r"), generated.Receive("LON\r"));
}

TEST(VirtualScanner, faultsSilenceOrSmudgeTheAnswer) {
    VirtualScanner scanner;
    scanner.SetFaults({false, 2});
    EXPECT_TRUE(std::isdigit(scanner.Receive("LON\r")[0]));
    const QByteArray misread = scanner.Receive("LON\r");
    EXPECT_EQ(misread.size(), 16);
    EXPECT_FALSE(std::isdigit(misread[0]));
    scanner.SetFaults({true, 0});
    EXPECT_EQ(scanner.Receive("BCLR\r"), "");
}
