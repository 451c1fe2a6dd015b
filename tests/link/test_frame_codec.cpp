#include "link/FrameCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::vector<std::uint8_t>> Assemble(const std::vector<std::uint8_t>& bytes) {
    FrameAssembler assembler;
    std::vector<std::vector<std::uint8_t>> frames;
    for (std::uint8_t b : bytes) {
        if (assembler.PutByte(b))
            frames.emplace_back(assembler.Frame(), assembler.Frame() + assembler.Length());
    }
    return frames;
}

} // namespace

TEST(RemoveStuffing, dropsOneDlePerStuffedPairAndStepsOverTheKeptByte) {
    std::uint8_t bytes[] = {0x10, 0x10, 0x10, 0x02};
    EXPECT_EQ(RemoveStuffing(bytes, 4), 2);
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[1], 0x02);
}

TEST(RemoveStuffing, leavesALoneDleAndOtherBytes) {
    std::uint8_t bytes[] = {0x10, 0x41, 0x14, 0x10};
    EXPECT_EQ(RemoveStuffing(bytes, 4), 0);
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[3], 0x10);
}

TEST(FrameAssembler, ignoresBytesBeforeTheFirstStxAndEndsAtTheClosingStx) {
    auto frames = Assemble({0x55, 0x66, 0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x02});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], (std::vector<std::uint8_t>{0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x02}));
}

TEST(FrameAssembler, anEscapedStxIsDataNotTheEnd) {
    auto frames = Assemble({0x02, 0x14, 0x30, 0x00, 0x10, 0x02, 0x33, 0x02});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].size(), 8u);
}

TEST(FrameAssembler, aFrameWhoseLastStuffedPairIsDleDleEndsAtTheNextStx) {
    // Checksum 0x10 travels as 0x10 0x10; the STX after it closes the frame.
    auto frames = Assemble(
        {0x02, 0x14, 0x54, 0x00, 0x01, 0x10, 0x10, 0x02, 0x02, 0x14, 0x21, 0x00, 0x01, 0x35, 0x02});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].size(), 8u);
    EXPECT_EQ(frames[1][2], 0x21);
}

TEST(FrameAssembler, twoFramesBackToBackAreBothAssembledInOrder) {
    auto frames = Assemble(
        {0x02, 0x14, 0x20, 0x00, 0x00, 0x20, 0x02, 0x02, 0x14, 0x21, 0x00, 0x01, 0x20, 0x02});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][2], 0x20);
    EXPECT_EQ(frames[1][2], 0x21);
}

TEST(FrameAssembler, anEndlessFrameIsBoundedByTheBuffer) {
    FrameAssembler assembler;
    assembler.PutByte(0x02);
    for (int i = 0; i < 10000; ++i)
        EXPECT_FALSE(assembler.PutByte(0x41));
    EXPECT_EQ(assembler.Length(), FrameAssembler::kCapacity);
    EXPECT_TRUE(assembler.PutByte(0x02));
}

TEST(ClassifyReply, sortsFramesIntoTheFourResults) {
    const std::uint8_t ok[] = {0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x02};
    const std::uint8_t badLead[] = {0x02, 0x15, 0x54, 0x00, 0x06, 0x42, 0x02};
    const std::uint8_t status[] = {0x02, 0x14, 0x54, 0x01, 0x06, 0x42, 0x02};
    const std::uint8_t noEnd[] = {0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x03};
    EXPECT_EQ(ClassifyReply(ok, 7, 0x54), REPLY_SUCCESS);
    EXPECT_EQ(ClassifyReply(ok, 7, 0x24), REPLY_OTHER_OPCODE);
    EXPECT_EQ(ClassifyReply(badLead, 7, 0x54), REPLY_NOT_A_REPLY);
    EXPECT_EQ(ClassifyReply(status, 7, 0x54), REPLY_STATUS_ERROR);
    EXPECT_EQ(ClassifyReply(noEnd, 7, 0x54), REPLY_STATUS_ERROR);
}

TEST(ReplyChecksumMatches, takesTheXorOfTheUnstuffedBytesAfterTheLeadByte) {
    // txpr 1 with 300: 0x37 ^ 0x00 ^ 0x01 ^ 0x2C ^ 0x01 = 0x1B.
    const std::uint8_t ok[] = {0x02, 0x14, 0x37, 0x00, 0x01, 0x2C, 0x01, 0x1B, 0x02};
    const std::uint8_t wrong[] = {0x02, 0x14, 0x37, 0x00, 0x01, 0x2C, 0x01, 0x1A, 0x02};
    // Index 0x02 and checksum 0x10 both travel stuffed: 0x54 ^ 0x00 ^ 0x02 ^ 0x46 = 0x10.
    const std::uint8_t stuffed[] = {0x02, 0x14, 0x54, 0x00, 0x10, 0x02, 0x46, 0x10, 0x10, 0x02};
    const std::uint8_t tooShort[] = {0x02, 0x14, 0x02};
    EXPECT_TRUE(ReplyChecksumMatches(ok, 9));
    EXPECT_FALSE(ReplyChecksumMatches(wrong, 9));
    EXPECT_TRUE(ReplyChecksumMatches(stuffed, 10));
    EXPECT_FALSE(ReplyChecksumMatches(tooShort, 3));
}
