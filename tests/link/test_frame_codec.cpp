#include "link/FrameCodec.h"

#include <gtest/gtest.h>

// A stuffed pair gives its kept byte, and the byte after it is not taken for another DLE: the
// target session reads 0x10 0x02 from 0x10 0x10 0x10 0x02 (TargetSessionTest); here the DLE that
// stuffs nothing.
TEST(RemoveStuffing, leavesALoneDleAndOtherBytes) {
    std::uint8_t bytes[] = {0x10, 0x41, 0x14, 0x10};
    EXPECT_EQ(RemoveStuffing(bytes, 4), 0);
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[3], 0x10);
}

// How frames are cut from a stream, noise before them, stuffed STX and DLE within them and
// several in one burst, is the target link's test on a real pseudo-terminal (TargetLinkTest);
// here the bound.
TEST(FrameAssembler, anEndlessFrameIsBoundedByTheBuffer) {
    FrameAssembler assembler;
    assembler.PutByte(0x02);
    for (int i = 0; i < 10000; ++i)
        EXPECT_FALSE(assembler.PutByte(0x41));
    EXPECT_EQ(assembler.Length(), FrameAssembler::kCapacity);
    EXPECT_TRUE(assembler.PutByte(0x02));
}

// A success, another command's reply, a status error and a frame with a wrong lead byte are told
// apart on a real pseudo-terminal by the link's and the sessions' tests; here a frame whose last
// byte is no STX.
TEST(ClassifyReply, aFrameThatDoesNotEndInStxIsAStatusError) {
    const std::uint8_t noEnd[] = {0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x03};
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
