#include "sim/model/UnitModel.h"
#include "sim/target/VirtualTarget.h"
#include "tests/sim/target/HandFrames.h"

#include <gtest/gtest.h>

// The virtual target on the byte level: framing, stuffing, checksums, errors, restart, power
// and the frame faults, with packets built by hand.

namespace {

struct Bench {
    UnitModel unit;
    VirtualTarget target{unit};
    qint64 now = 0;

    std::vector<QByteArray> Send(const QByteArray& bytes) { return target.Receive(bytes, now); }
    HandReply One(const QByteArray& bytes) {
        const std::vector<QByteArray> frames = Send(bytes);
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? HandReply{} : Parse(frames.front());
    }
};

const QByteArray kTi = Packet({0x20});
const QByteArray kReadTch = Packet({0x31, 0x02});
QByteArray WriteTch(int channel) {
    return Packet({0x30, 0x02, 0x00, static_cast<std::uint8_t>(channel & 0xFF),
                   static_cast<std::uint8_t>(channel >> 8)});
}

} // namespace

TEST(TargetWire, answersWithAFramedReplyWhoseChecksumCoversOpcodeToData) {
    Bench bench;
    const std::vector<QByteArray> frames = bench.Send(kTi);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], QByteArray("\x02\x14\x20\x00\x00\x20\x02", 7));

    // Channel 16 is 0x10 0x00: stuffed in the packet and in the reply.
    EXPECT_EQ(bench.One(WriteTch(16)).status, 0);
    const std::vector<QByteArray> read = bench.Send(kReadTch);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], QByteArray("\x02\x14\x31\x00\x10\x02\x10\x10\x00\x23\x02", 11));
}

TEST(TargetWire, rejectsBadChecksumsUnknownOpcodesAndWrongLengthsWithAnErrorStatus) {
    Bench bench;
    const HandReply badChecksum = bench.One(Frame({0x54, 0x01, 0x00, 0x99}));
    EXPECT_EQ(badChecksum.opcode, 0x54);
    EXPECT_NE(badChecksum.status, 0);
    EXPECT_TRUE(badChecksum.checksumOk);
    EXPECT_EQ(bench.target.CommitCount(), 0);

    const HandReply unknown = bench.One(Packet({0x77, 0x05}));
    EXPECT_EQ(unknown.opcode, 0x77);
    EXPECT_NE(unknown.status, 0);
    EXPECT_EQ(unknown.index, 0x05);

    EXPECT_NE(bench.One(Packet({0x54, 0x01})).status, 0); // se without its high byte
    EXPECT_NE(bench.One(Packet({0x31, 0x07})).status, 0); // rfpr of no parameter
    EXPECT_NE(bench.One(WriteTch(300)).status, 0);        // no channel
    EXPECT_NE(bench.One(Packet({0x01, 1, 1, 1, 1, 2, 1, 1, 1, 1})).status, 0); // not the test code
    EXPECT_EQ(bench.One(Packet({0x01, 1, 1, 1, 1, 1, 1, 1, 1, 1})).status, 0);
}

TEST(TargetWire, ignoresEmptyPacketsNoiseAndOverlongPacketsAndKeepsOrder) {
    Bench bench;
    EXPECT_TRUE(bench.Send(QByteArray("\x02\x02", 2)).empty());
    EXPECT_TRUE(bench.Send(QByteArray("\x02\x14\x02", 3)).empty()); // a lead byte and nothing
    EXPECT_TRUE(bench.Send(QByteArray("\x55\xAA\x7F\x00\x33", 5)).empty());
    EXPECT_TRUE(bench.Send(QByteArray(200, '\x20')).empty()); // no STX at all

    // A stray STX and bytes without a lead byte before a real packet cost nothing.
    EXPECT_EQ(bench.One(QByteArray("\x02\x41\x42", 3) + kTi).opcode, 0x20);
    // An over-long packet is dropped; the packet after it is answered.
    const int dropped = bench.target.PacketsDropped();
    const QByteArray overlong = "\x02\x14" + QByteArray(100, '\x20') + "\x02";
    EXPECT_EQ(bench.One(overlong + kTi).opcode, 0x20);
    EXPECT_EQ(bench.target.PacketsDropped(), dropped + 1);

    // Several packets in one write, split anywhere across writes, answer in order.
    const QByteArray stream = WriteTch(124) + kReadTch + kTi;
    std::vector<QByteArray> frames;
    for (char c : stream) {
        for (QByteArray& frame : bench.Send(QByteArray(1, c)))
            frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(Parse(frames[0]).opcode, 0x30);
    EXPECT_EQ(Word(Parse(frames[1])), 124);
    EXPECT_EQ(Parse(frames[2]).opcode, 0x20);
}

TEST(TargetWire, restartAnswersNothingUntilTheRestartTimeHasPassed) {
    Bench bench;
    bench.target.SetRestartTimeMs(2500);
    bench.One(WriteTch(100));
    bench.now = 1000;
    EXPECT_TRUE(bench.Send(Packet({0x54, 0x2C, 0x01}) + kTi).empty()); // se 300, then ti
    EXPECT_TRUE(bench.target.Restarting(3499));
    bench.now = 3499;
    EXPECT_TRUE(bench.Send(kTi).empty());
    bench.now = 3500;
    EXPECT_FALSE(bench.target.Restarting(bench.now));
    EXPECT_EQ(Word(bench.One(kReadTch)), 62); // the volatile channel is back at its default
}

TEST(TargetWire, answersOnlyWhilePoweredAndStartsAfreshAfterPowerUp) {
    Bench bench;
    bench.One(WriteTch(100));
    bench.unit.Remove();
    EXPECT_TRUE(bench.Send(kReadTch).empty());
    bench.unit.Insert();
    EXPECT_EQ(Word(bench.One(kReadTch)), 62);
    bench.unit.SetSupplyOutput(false);
    EXPECT_TRUE(bench.Send(kTi).empty());
}

TEST(TargetWire, dropAndSilentFaultsExecuteWithoutAnswering) {
    Bench bench;
    bench.target.SetFaults({.dropEveryNth = 2});
    EXPECT_EQ(bench.Send(kTi).size(), 1u);
    EXPECT_TRUE(bench.Send(WriteTch(20)).empty()); // the 2nd packet: lost reply
    EXPECT_EQ(Word(bench.One(kReadTch)), 20);      // but executed
    EXPECT_TRUE(bench.Send(kTi).empty());

    bench.target.SetFaults({.silent = true});
    EXPECT_TRUE(bench.Send(WriteTch(40)).empty());
    bench.target.SetFaults({});
    EXPECT_EQ(Word(bench.One(kReadTch)), 40);
    EXPECT_EQ(bench.target.PacketsReceived(), 6);
}

TEST(TargetWire, statusErrorFaultRefusesTheCommandAndChecksumFaultSpoilsOnlyTheChecksum) {
    Bench bench;
    bench.target.SetFaults({.statusErrorEveryNth = 1});
    const HandReply refused = bench.One(WriteTch(20));
    EXPECT_EQ(refused.opcode, 0x30);
    EXPECT_NE(refused.status, 0);

    bench.target.SetFaults({.corruptChecksumEveryNth = 1});
    const HandReply corrupt = bench.One(kReadTch);
    EXPECT_TRUE(corrupt.framed);
    EXPECT_FALSE(corrupt.checksumOk);
    EXPECT_EQ(corrupt.status, 0);
    EXPECT_EQ(Word(corrupt), 62); // the refused write never happened
}
