#include "tests/app/ProgramRun.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ProgramRun RunCmd(const QStringList& arguments, const QByteArray& input = {}) {
    return RunProgram(QStringLiteral(RFTUNE_CMD_PATH), arguments,
                      QProcessEnvironment::systemEnvironment(), input, 20000);
}

class RftuneCmd : public testing::Test {
protected:
    QStringList Args(const QStringList& lines) {
        return QStringList{"--port", "COM1=" + pty.SlavePath(), "--timeout", "300"} + lines;
    }

    PtyPair pty;
    FakeTarget target{pty};
};

} // namespace

TEST(RftuneCmdEncode, printsResultAndWirePacketForEachLine) {
    const ProgramRun run = RunCmd({"--encode", "se 6", "rfpw 2 62", "abc"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "se 6 -> 2: 02 14 54 06 00 52 02\n"
                       "rfpw 2 62 -> 2: 02 14 30 10 02 00 3E 00 0C 02\n"
                       "abc -> 0: 02 02\n");
}

TEST(RftuneCmdEncode, readsLinesFromStandardInputAsTypedSkippingBlankOnes) {
    const ProgramRun run = RunCmd({"--encode"}, "ti\r\n\n   \nstr 60\n se 6\n");
    const ProgramRun argument = RunCmd({"--encode", " se 6"});
    EXPECT_EQ(run.out, "ti -> 2: 02 14 20 20 02\nstr 60 -> 2: 02 14 53 3C 6F 02\n" + argument.out);
    EXPECT_TRUE(argument.out.startsWith(" se 6 -> ")) << argument.out.toStdString();
}

TEST_F(RftuneCmd, printsEchoAndDecodedRepliesAndSucceeds) {
    target.SetReply(0x37, QByteArray("\x02\x14\x37\x00\x01\x2C\x01\x1B\x02", 9));
    target.SetReply(0x54, FakeTarget::ReplyFrame(0x54, 0, 1));
    const ProgramRun run = RunCmd(Args({"txpr 1", "se 1"}));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "txpr 1\nTx level is 300\nse 1\nSaved to EEPROM\n");
    ASSERT_EQ(target.Packets().size(), 2);
    EXPECT_EQ(target.Packets()[1], QByteArray("\x02\x14\x54\x01\x00\x55\x02", 7));
}

TEST_F(RftuneCmd, aSilentTargetGivesNoResponseAndExitOne) {
    const ProgramRun run = RunCmd(Args({"ti"}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "ti\nNo Response\n");
}

TEST_F(RftuneCmd, traceWritesPacketsAndFramesInHexToStandardError) {
    target.SetReply(0x20, FakeTarget::ReplyFrame(0x20, 0, 0));
    const ProgramRun run = RunCmd(QStringList{"--trace"} + Args({"ti"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("packet 02 14 20 20 02")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("frame 02 14 20 00 00 20 02")) << run.err.toStdString();
    EXPECT_EQ(run.out, "ti\n");
}

TEST(RftuneCmdErrors, aMissingDeviceExitsTwoNamingTheDeviceAndTheReasonAndBadOptionsTwo) {
    const ProgramRun run = RunCmd({"--device", "/dev/rftune-missing", "se 6"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("/dev/rftune-missing: No such file or directory"))
        << run.err.toStdString();
    EXPECT_EQ(RunCmd({"--port", "COMX", "se 6"}).exitCode, 2);
    EXPECT_EQ(RunCmd({"--baud", "fast", "se 6"}).exitCode, 2);
}

// A signal ends the line in flight: nothing more reaches the target, and the exit status names
// the signal.
TEST_F(RftuneCmd, aSignalEndsTheLineInFlightAndSendsNothingMore) {
    QProcess process;
    process.start(QStringLiteral(RFTUNE_CMD_PATH), QStringList{"--port", "COM1=" + pty.SlavePath(),
                                                               "--timeout", "20000", "ti", "se 6"});
    ASSERT_TRUE(process.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.Packets().size() == 1; }, 10000));
    process.terminate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 143);
    QCoreApplication::processEvents(); // reads whatever the program wrote before it ended
    EXPECT_EQ(target.Packets().size(), 1);
}
