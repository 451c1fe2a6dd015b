#include "link/LinkSettings.h"
#include "sim/a8960/Virtual8960.h"
#include "sim/bench/SimBench.h"
#include "sim/supply/VirtualSupply.h"
#include "sim/wt4400/Virtual4400.h"
#include "tests/support/BenchClient.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// A connection to one of the bench's instruments. They answer on their own thread, so the test's
// thread may block waiting for a reply.
class InstrumentLine {
public:
    explicit InstrumentLine(quint16 port) {
        socket_.connectToHost(QHostAddress::LocalHost, port);
        socket_.waitForConnected(5000);
    }
    QByteArray Ask(const QByteArray& line) {
        socket_.write(line + '\n');
        while (!socket_.canReadLine() && socket_.waitForReadyRead(5000)) {
        }
        return socket_.readLine().trimmed();
    }
    // A command, with *OPC? to know it has been carried out.
    void Tell(const QByteArray& line) { EXPECT_EQ(Ask(line + ";*OPC?"), "1") << line.data(); }
    double Number(const QByteArray& query) { return Ask(query).toDouble(); }

private:
    QTcpSocket socket_;
};

class BenchE2E : public testing::Test {
protected:
    // The station's own links in this process check like rftune-cmd on the bench.
    void SetUp() override { LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Reject); }
    void TearDown() override { LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Ignore); }

    void StartBench(BenchOptions options = {}) {
        options.restartMs = 100; // well within a line's time-out
        bench = std::make_unique<SimBench>(options);
        QString error;
        ASSERT_TRUE(bench->Start(&error)) << error.toStdString();
    }
    CmdRun Cmd(const QStringList& lines, int timeoutMs = 400) {
        return RunCmd(bench->PortOptions() + QStringList{"--timeout", QString::number(timeoutMs)} +
                      lines);
    }

    // The battery ADC as the station reads it, once the reading has settled after power-up.
    int BatteryAdc() {
        const CmdRun run = Cmd(QStringList(8, QStringLiteral("spr 54")));
        const QString last = run.out.value(run.out.size() - 1);
        EXPECT_TRUE(last.startsWith("Unknown value : ")) << last.toStdString();
        return last.section(' ', -1).toInt();
    }
    double Draw() {
        double drawA = -1.0;
        bench->Instruments().Run([&](Virtual4400&) { drawA = bench->Unit().SupplyCurrentA(); });
        return drawA;
    }

    std::unique_ptr<SimBench> bench;
};

} // namespace

// The restart's exact bounds are the target's own (TargetWire); here the bench's restart time
// reaches it, and the station sees no reply and then the target answering again.
TEST_F(BenchE2E, se300GivesNoReplyAndTheTargetAnswersAgainAfterItsRestart) {
    StartBench();
    EXPECT_EQ(Cmd({"se 300", "tms 1"}, 600).out,
              (QStringList{"se 300", "No Response", "tms 1", "testmode set"}));
}

TEST_F(BenchE2E, targetFaultsShowOnTheStationSide) {
    BenchOptions options;
    options.targetFaults.dropEveryNth = 2;
    StartBench(options);
    EXPECT_EQ(
        Cmd({"tms 1", "tms 1", "tms 1"}, 200).out,
        (QStringList{"tms 1", "testmode set", "tms 1", "No Response", "tms 1", "testmode set"}));

    bench->Target().SetFaults({0, 1, 0, false});
    EXPECT_EQ(Cmd({"tms 1"}, 200).out, (QStringList{"tms 1", "Status is error. ", "No Response"}));

    // A wrong checksum is refused like a status error: the reply is never used.
    bench->Target().SetFaults({0, 0, 1, false});
    const CmdRun corrupt = Cmd({"--trace", "tms 1"}, 200);
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_EQ(corrupt.out, (QStringList{"tms 1", "Status is error. ", "No Response"}));
    EXPECT_TRUE(corrupt.err.contains("reply checksum mismatch 1")) << corrupt.err.toStdString();

    bench->Target().SetFaults({0, 0, 0, true});
    EXPECT_EQ(Cmd({"tms 1"}, 150).out, (QStringList{"tms 1", "No Response"}));
}

TEST_F(BenchE2E, lineFaultsDoNotDisturbTheStation) {
    BenchOptions options;
    options.targetLine = {60, 3, true}; // late, in three-byte bursts, behind noise
    StartBench(options);
    const CmdRun run = Cmd({"txpw 4 600", "txpr 4", "tms 1"}, 1000);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, (QStringList{"txpw 4 600", "txpr 4", "APC DAC value is 600", "tms 1",
                                    "testmode set"}));
}

TEST_F(BenchE2E, theSuppliesVoltageReachesTheBatteryReadingAndItsCurrentIsTheTargetsDraw) {
    StartBench();
    InstrumentLine supply(bench->Instruments().SupplyPort());
    EXPECT_EQ(supply.Ask("*IDN?"), "HEWLETT-PACKARD,E3632A,0,1.2-5.0-1.0");
    const int at418 = BatteryAdc();
    supply.Tell("VOLT 3.8");
    EXPECT_NEAR(BatteryAdc(), at418 * 3.8 / 4.18, 1.0);
    EXPECT_GT(Draw(), 0.0);
    EXPECT_NEAR(supply.Number("MEAS:CURR?"), Draw(), 1e-8);

    bench->Remove();
    EXPECT_EQ(supply.Number("MEAS:CURR?"), 0.0);
    bench->Insert();
    EXPECT_NEAR(supply.Number("MEAS:CURR?"), Draw(), 1e-8);

    supply.Tell("OUTP OFF");
    EXPECT_EQ(supply.Number("MEAS:CURR?"), 0.0);
    EXPECT_EQ(Cmd({"ti"}, 150).exitCode, 1);
    EXPECT_TRUE(bench->Status().endsWith("supply E3632A output off"))
        << bench->Status().toStdString();
    supply.Tell("OUTP ON");
    EXPECT_EQ(Cmd({"tms 1"}).exitCode, 0);
    EXPECT_TRUE(bench->Status().endsWith("supply E3632A output on at 3.800 V"));
}

TEST_F(BenchE2E, theCableLossesByBandReachBothTestSetsAndTheCouplingTableMakesUpForThem) {
    BenchOptions options;
    options.instruments.gsmCableLossDb = 2.0;
    options.instruments.dcsCableLossDb = 3.5;
    StartBench(options);
    const struct {
        const char* arfcn;
        const char* band;
        double lossDb;
    } channels[] = {{"62", "EGSM", 2.0}, {"698", "DCS", 3.5}};
    for (const auto& channel : channels) {
        // Named apart, as the lambdas below cannot take a structured binding with every compiler.
        const char* const arfcn = channel.arfcn;
        const char* const band = channel.band;
        const double lossDb = channel.lossDb;
        const QString rfpw = QStringLiteral("rfpw 2 ") + arfcn;
        ASSERT_EQ(Cmd({"tms 1", rfpw, "txpw 1 5", "txpw 4 600", "rfe 7"}).exitCode, 0);
        double sent = 0.0;
        QByteArray wt4400;
        QByteArray coupled;
        bench->Instruments().Run([&](Virtual4400& instrument) {
            sent = bench->Unit().TransmittedPowerDbm();
            const QByteArray measure = ";:MEAS:RFTX:POW;:FETC:RFTX:POW?";
            wt4400 = instrument
                         .Receive(QByteArray(":CONF:COUP:STAT OFF;:CONF:GSM:BS:TCH:ARFC ") + arfcn +
                                  measure)
                         .value_or("none");
            coupled =
                instrument.Receive(":CONF:COUP:NAME \"viable.cpl\";:CONF:COUP:STAT ON" + measure)
                    .value_or("none");
        });
        EXPECT_NEAR(wt4400.toDouble(), sent - lossDb, 0.006) << arfcn;
        EXPECT_NEAR(coupled.toDouble(), sent, 0.006) << arfcn; // made up for

        QByteArray a8960;
        bench->Instruments().Run8960([&](Virtual8960& instrument) {
            a8960 = instrument
                        .Receive(QByteArray("CALL:TCH:BAND ") + band + ";:CALL:TCH " + arfcn +
                                 ";:READ:TXP?")
                        .value_or("none");
        });
        EXPECT_NEAR(a8960.split(',').value(1).toDouble(), sent - lossDb, 1e-6) << a8960.data();
    }
}

TEST_F(BenchE2E, theAutomaticOperatorSwapsAFinishedUnitForTheNextOne) {
    BenchOptions options;
    options.autoOperator = true;
    options.autoIdleMs = 100;
    options.autoPauseMs = 100;
    StartBench(options);
    bench->Instruments().RunSupply([](VirtualSupply& supply) { supply.Receive("VOLT 3.9"); });
    EXPECT_EQ(Cmd({"se 1"}).exitCode, 0);
    // The count, not the supply: on a busy machine the next unit may be on again before
    // rftune-cmd has been seen to end.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench->UnitsTested() == 1; }, 3000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return bench->Status().startsWith("unit 2: on the supply"); }, 3000));
    EXPECT_EQ(bench->Unit().SupplyVoltage(), 3.9); // the supply stays as the last unit left it
    EXPECT_EQ(Cmd({"tms 1"}).exitCode, 0);
}
