#include "tests/support/BenchClient.h"

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

// What rftune-visa prints, or its error when it fails.
QString AskVisa(const QStringList& arguments) {
    QProcess visa;
    visa.start(QStringLiteral(RFTUNE_VISA_PATH), arguments);
    if (!QTest::qWaitFor([&] { return visa.state() == QProcess::NotRunning; }, 10000))
        return QStringLiteral("(no end)");
    if (visa.exitCode() != 0)
        return QString::fromUtf8(visa.readAllStandardError());
    return QString::fromUtf8(visa.readAllStandardOutput()).trimmed();
}

} // namespace

TEST_F(RftuneSim, printsOptionsThatTheStationToolsTake) {
    const QStringList ports = StartSim({"--supply", "66311B"});
    ASSERT_EQ(ports.size(), 12);
    EXPECT_EQ(ports[0], "--port");
    EXPECT_TRUE(ports[1].startsWith("COM1=/dev/pts/"));
    EXPECT_TRUE(ports[3].startsWith("COM2=/dev/pts/"));
    EXPECT_TRUE(ports[5].startsWith("LPT1=/"));
    const CmdRun run = RunCmd(ports + QStringList{"tms 1"});
    EXPECT_EQ(run.out, (QStringList{"tms 1", "testmode set"}));

    // Each instrument's fixed address reaches its virtual one through the printed aliases.
    const QStringList aliases = ports.mid(6);
    EXPECT_EQ(aliases.count("--visa-alias"), 3);
    EXPECT_TRUE(AskVisa(aliases + QStringList{"GPIB0::14::INSTR", "*IDN?"}).contains("8960"));
    EXPECT_TRUE(AskVisa(aliases + QStringList{"GPIB0::4", "*IDN?"}).contains("4400"));
    EXPECT_EQ(AskVisa(aliases + QStringList{"GPIB::5::INSTR", "*IDN?"}),
              "HEWLETT-PACKARD,66311B,US38444369,A.02.02");
    sim.write("status\nquit\n");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sim.exitCode(), 0);
    const QString status = QString::fromUtf8(sim.readAll());
    EXPECT_TRUE(status.contains("on the supply, powered"));
    EXPECT_TRUE(status.contains("supply 66311B output on at 4.180 V")) << status.toStdString();
}

// On the VXI-11 face one board mapping stands for the aliases, and rftune-visa --list shows each
// of the station's addresses going through it.
TEST_F(RftuneSim, theGatewayFaceMapsTheWholeBoardWhichTheVisaListShows) {
    const QStringList options = StartSim({"--bench-face", "vxi11"}).mid(6);
    ASSERT_EQ(options.size(), 2);
    EXPECT_EQ(options[0], "--visa-board");
    EXPECT_TRUE(options[1].startsWith("GPIB0=TCPIP0::127.0.0.1,")) << options[1].toStdString();
    const QStringList lines = AskVisa(options + QStringList{"--list"}).split('\n');
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith("GPIB0::14::INSTR  board GPIB0 TCPIP0::") &&
                lines[0].endsWith(
                    "::gpib0::VXI11  Agilent Technologies,8960 Series 10 E5515B,GB44051234,0"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("GPIB0::4  board GPIB0") && lines[1].contains("WILLTEK,4400M"));
    EXPECT_TRUE(lines[2].startsWith("GPIB::5::INSTR  board GPIB0") && lines[2].contains("E3632A"));
    sim.write("quit\n");
    ASSERT_TRUE(Ended());
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
    // Every option's reason is the options' own test's (BenchInstrumentOptions).
    EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardError()).contains("unknown --flaw"));
}
