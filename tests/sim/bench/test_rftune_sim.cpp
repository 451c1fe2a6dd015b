#include "BenchClient.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// rftune-sim as an operator starts it: it prints the port options first.
class RftuneSim : public testing::Test {
protected:
    QStringList StartSim(const QStringList& arguments) {
        sim.start(QStringLiteral(RFTUNE_SIM_PATH), arguments);
        if (!sim.waitForStarted(5000) || !QTest::qWaitFor([&] { return sim.canReadLine(); }, 10000))
            return {};
        return QString::fromUtf8(sim.readLine()).trimmed().split(' ');
    }
    bool Ended() {
        return QTest::qWaitFor([&] { return sim.state() == QProcess::NotRunning; }, 10000);
    }

    QProcess sim;
};

} // namespace

TEST_F(RftuneSim, printsOptionsThatTheStationToolsTake) {
    const QStringList ports = StartSim({});
    ASSERT_EQ(ports.size(), 6);
    EXPECT_EQ(ports[0], "--port");
    EXPECT_TRUE(ports[1].startsWith("COM1=/dev/pts/"));
    EXPECT_TRUE(ports[3].startsWith("COM2=/dev/pts/"));
    EXPECT_EQ(ports[4], "--visa-alias");
    EXPECT_TRUE(ports[5].startsWith("GPIB0::4=TCPIP0::127.0.0.1::"));
    const CmdRun run = RunCmd(ports + QStringList{"tms 1"});
    EXPECT_EQ(run.out, (QStringList{"tms 1", "testmode set"}));

    // The Willtek 4400's fixed address reaches the virtual one through the printed alias.
    QProcess visa;
    visa.start(QStringLiteral(RFTUNE_VISA_PATH), {ports[4], ports[5], "GPIB0::4", "*IDN?"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return visa.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(visa.exitCode(), 0) << visa.readAllStandardError().toStdString();
    EXPECT_TRUE(visa.readAllStandardOutput().contains("4400"));
    sim.write("status\nquit\n");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(sim.readAll()).contains("on the supply, powered"));
}

TEST_F(RftuneSim, benchCommandsTakeTheUnitOffAndPutItBack) {
    const QStringList ports = StartSim({});
    sim.write("remove\n");
    EXPECT_EQ(RunCmd(ports + QStringList{"--timeout", "150", "tms 1"}).exitCode, 1);
    sim.write("insert\n");
    EXPECT_EQ(RunCmd(ports + QStringList{"tms 1"}).exitCode, 0);
    sim.closeWriteChannel(); // end of input ends the bench
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST_F(RftuneSim, aSignalEndsItCleanlyAndTheEepromIsKept) {
    QTemporaryDir dir;
    const QString eeprom = dir.filePath("unit.eep");
    QStringList ports = StartSim({"--eeprom", eeprom});
    EXPECT_EQ(RunCmd(ports + QStringList{"stw 61 0x12 0x34 0x56"}).exitCode, 0);
    ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);

    ports = StartSim({"--eeprom", eeprom});
    const CmdRun run = RunCmd(ports + QStringList{"str 61"});
    EXPECT_EQ(run.out.value(1), QString::number(0x12 * 65536 + 0x34 * 256 + 0x56));
    sim.write("quit\n");
    ASSERT_TRUE(Ended());
}

TEST_F(RftuneSim, badOptionsAreRefused) {
    sim.start(QStringLiteral(RFTUNE_SIM_PATH), {"--flaw", "wobbly"});
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sim.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardError()).contains("unknown --flaw"));
}
