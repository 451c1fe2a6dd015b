#include "link/Bcommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Command(std::string_view line, int expectedResult = ENCODE_ACCEPTED) {
    std::uint8_t out[kCommandBufferSize] = {};
    int length = -1;
    EXPECT_EQ(EncodeCommand(out, line, length), expectedResult) << line;
    return Bytes(out, out + length);
}

Bytes Fetch() {
    std::uint8_t body[kFrameStoreSize] = {};
    const int length = FetchFrame(body);
    return Bytes(body, body + length);
}

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(Bcommand, linesEncodeToOpcodeArgumentsAndChecksum) {
    const struct {
        const char* line;
        Bytes bytes;
    } cases[] = {
        {"se 6", {0x54, 0x06, 0x00, 0x52}},
        {"se -1", {0x54, 0xFF, 0xFF, 0x54}},
        {"ti", {0x20, 0x20}},
        {"tix", {0x20, 0x20}},
        {"str 60", {0x53, 0x3C, 0x6F}},
        {"vg 0xe0", {0x22, 0xE0, 0x00, 0xC2}},
        {"rfpw 2 62", {0x30, 0x02, 0x00, 0x3E, 0x00, 0x0C}},
        {"rfpw 11 2.5", {0x30, 0x0B, 0x00, 0xCD, 0x00, 0xF6}}, // no fraction outside 9 and 10
        {"rfpw 9 -1.5", {0x30, 0x09, 0x00, 0xF4, 0xFF, 0x32}},
        {"rfpw 10 2.99", {0x30, 0x0A, 0x00, 0x17, 0x00, 0x2D}},
        {"rfpw 9 +2", {0x30, 0x09, 0x00, 0x10, 0x00, 0x29}},
        {"txpw 1 300", {0x36, 0x01, 0x00, 0x2C, 0x01, 0x1A}},
        {"scw 1 -2", {0x25, 0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x25}},
        {"sr 1  2", {0x24, 0x01, 0x00, 0x00, 0x00, 0x25}}, // the second space ends an empty b
        {"stw 20 0x1,0x2", {0x52, 0x14, 0x01, 0x02, 0x45}},
        {"stw 20", {0x52, 0x14, 0x00, 0x46}},
        {"11", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Command(c.line), c.bytes) << c.line;
}

TEST(Bcommand, fixedLengthListsFillMissingValuesWithZero) {
    EXPECT_EQ(Command("rftw 31 1,2,3,4,-1"),
              (Bytes{0x32, 0x1F, 1, 0, 2, 0, 3, 0, 4, 0, 0xFF, 0xFF, 0x29}));
    EXPECT_EQ(Command("rftw 47 5"), (Bytes{0x32, 0x2F, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x18}));

    std::string ramp = "ttw 3 300";
    for (int i = 1; i < 32; ++i)
        ramp += "," + std::to_string(i);
    const Bytes ttw = Command(ramp);
    ASSERT_EQ(ttw.size(), 35u);
    EXPECT_EQ(ttw[1], 3);
    EXPECT_EQ(ttw[2], 44); // 300 as a byte
    EXPECT_EQ(ttw[33], 31);
    EXPECT_EQ(Command("ttw 3 1,2").size(), 35u);
}

TEST(Bcommand, resultCodesAndTheLastOpcode) {
    EXPECT_EQ(Command("se 6").size(), 4u);
    EXPECT_EQ(GetLastOpcode(), 0x54);
    for (const char* line : {"help", "exit", "xyz", "mr", "cw", "cr"})
        EXPECT_TRUE(Command(line).empty()) << line;
    Command("/ se 7", ENCODE_COMMENT);
    for (const char* line : {"abc", "", " se 6", "s"})
        Command(line, ENCODE_UNKNOWN);
    EXPECT_EQ(GetLastOpcode(), 0x54);

    EXPECT_TRUE(Command("mw").empty());
    EXPECT_EQ(GetLastOpcode(), 0x40);
}

// The stuffed bodies of lines and the store emptied by a fetch are the target link's test, on
// the wire (TargetLinkTest); here what a line the encoder refuses leaves in the store.
TEST(Bcommand, frameStoreKeepsTheLastAcceptedBodyUntilFetched) {
    EncodeText("se 6");
    EXPECT_EQ(EncodeLine("abc"), ENCODE_UNKNOWN);
    EXPECT_EQ(EncodeLine("/note"), ENCODE_COMMENT);
    EXPECT_EQ(Fetch(), (Bytes{0x14, 0x54, 0x06, 0x00, 0x52}));

    EncodeText("help");
    EXPECT_EQ(Fetch(), Bytes{0x14}); // accepted with nothing to send: the lead byte alone
}

TEST(BcommandParsers, weightsWrapAndNoTextIsRejected) {
    EXPECT_EQ(ParseDecByte("23"), 23);
    EXPECT_EQ(ParseDecByte("0x1f"), 25);
    EXPECT_EQ(ParseDecByte("300"), 44);
    EXPECT_EQ(ParseDecByte("0x10"), 10);
    EXPECT_EQ(ParseDecByte("-5"), 5);
    EXPECT_EQ(ParseHexByte("0x1f"), 31);
    EXPECT_EQ(ParseHexByte("1F"), 31);
    EXPECT_EQ(ParseHexByte("0X1f"), 31);
    EXPECT_EQ(ParseDecWord("-65535"), -65535);
    EXPECT_EQ(ParseDecWord("65535"), 65535);
    EXPECT_EQ(ParseDecWord("100000"), 34464); // 10^5 mod 65536
    EXPECT_EQ(ParseDecWord("1-2"), 98);       // 100, then 2 subtracted
    EXPECT_EQ(ParseDecWord("-a"), -49);       // after '-' every character is its code minus '0'
    EXPECT_EQ(ParseDecWord("1" + std::string(16, '0') + "7"), 7); // 10^17 mod 65536 is 0
    EXPECT_EQ(ParseDecWord(std::string(5000, '1')), 422343);      // sum of 10^k mod 65536, k < 16
    char hex[2] = {};
    ByteToHexChars(hex, 0xA5);
    EXPECT_EQ(std::string(hex, 2), "A5");
    ByteToHexChars(hex, 0x0C);
    EXPECT_EQ(std::string(hex, 2), "0C");
}

TEST(BcommandLimits, longTokensAreCutAndExtraListEntriesIgnored) {
    EXPECT_EQ(Command("stw 1 0x123456789AB"), Command("stw 1 0x1234567"));
    EXPECT_EQ(Command("se " + std::string(10000, '9')), Command("se 999999999"));

    // 60 values of 0x10: 40 are sent, and every one of them needs a DLE.
    EncodeText("stw 16 " + Repeat("0x10,", 60));
    const Bytes body = Fetch();
    EXPECT_EQ(body.size(), 85u);
    EXPECT_EQ(body.back(), 0x42);

    const Bytes ttw = Command("ttw 3 " + Repeat("7,", 5000));
    ASSERT_EQ(ttw.size(), 35u);
    EXPECT_EQ(ttw[34], 0x38 ^ 3 ^ 0); // 32 sevens cancel out
}
