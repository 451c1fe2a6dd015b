#include "sim/a8960/Virtual8960.h"
#include "sim/model/UnitModel.h"
#include "tests/instruments/InstrumentRig.h"
#include "tests/support/BenchClient.h"

#include <gmock/gmock.h>

// The virtual target transmits and receives, the virtual test sets measure and generate, and the
// station's operations read the results: the whole chain of the simulated bench.

namespace {

class WholeChain : public ChannelRig {
protected:
    void Target(const QStringList& lines) {
        const CmdRun run = RunCmd(bench->PortOptions() + lines);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    double Transmitted() {
        double dbm = 0.0;
        bench->Instruments().Run8960(
            [&](Virtual8960&) { dbm = bench->Unit().TransmittedPowerDbm(); });
        return dbm;
    }

    // The target on channel 62 at level 5, its transmitter on, as the TX calibration sets it.
    void Transmit() { Target({"tms 1", "rfpw 2 62", "txpw 1 5", "txpw 4 600", "rfe 7"}); }
};

} // namespace

// The 8960 takes the cable loss off as its amplitude offset, the Willtek through its coupling
// table.
TEST_F(WholeChain, eitherTestSetMeasuresWhatTheTargetTransmitsWithTheCableLossTakenOff) {
    Transmit();
    for (const std::int32_t type : {kTestSet8960, kTestSet4400}) {
        Open(type);
        testSet->SetupTxMeasurement();
        testSet->ConfigureTxCalibration();
        const std::optional<TxPowerReading> reading = testSet->MeasureTxPower();
        EXPECT_EQ(cal.instrumentErrorCount, 0) << type;
        ASSERT_TRUE(reading.has_value()) << type;
        EXPECT_EQ(reading->integrity, 0) << type;
        EXPECT_NEAR(reading->dbm, Transmitted(), 0.05) << type;
        testSet->CloseTestSet();
    }
}

TEST_F(WholeChain, aTestSetTunedToTheNextChannelMeasuresNothingAndTheMeasurementFails) {
    Transmit();
    cal.tchChannel = 63; // 200 kHz above the target's carrier
    for (const std::int32_t type : {kTestSet8960, kTestSet4400}) {
        Open(type);
        cal.instrumentErrorCount = 0;
        testSet->SetupTxMeasurement();
        testSet->ConfigureTxCalibration();
        EXPECT_FALSE(testSet->MeasureTxPower().has_value()) << type;
        EXPECT_EQ(cal.instrumentErrorCount, 1) << type;
        testSet->CloseTestSet();
    }
}

TEST_F(WholeChain, aCallStartedByTheTargetConnectsAndReportsTheCellLevel) {
    for (const std::int32_t type : {kTestSet8960, kTestSet4400}) {
        Open(type);
        testSet->SetupRxCalibration();
        testSet->SetRxLossAndLevel();
        Target({"se 100"});
        EXPECT_TRUE(testSet->WaitForCallConnected()) << type;
        testSet->SetTrafficChannel();
        const std::optional<double> level = testSet->ReadReportedRxLevel();
        std::optional<int> reported;
        bench->Instruments().Run8960(
            [&](Virtual8960&) { reported = bench->Unit().ReportedRxLev(); });
        ASSERT_TRUE(reported.has_value()) << type;
        EXPECT_EQ(level, *reported) << type;
        EXPECT_EQ(cal.instrumentErrorCount, 0) << type;
        if (type == kTestSet8960) {
            EXPECT_THAT(Lines8960(),
                        testing::IsSupersetOf({"CALL:MS:REPorted:RXLevel:NEW?;NEW?;NEW?",
                                               "CALL:MS:REPorted:RXLevel:LAST?"}));
        }
        Target({"se 101"});
        testSet->CloseTestSet();
    }
}

// The target measures 55 for a -74.5 dBm tone with its own GMAGIC value written, half a unit
// more for each unit written above it.
TEST_F(WholeChain, theGmagicToneOfEitherTestSetReachesTheTargetAtItsLevel) {
    for (const std::int32_t type : {kTestSet8960, kTestSet4400}) {
        Open(type);
        testSet->SetupCwDownlink();
        testSet->ConfigureCwGenerator();
        testSet->SetCwFrequency();
        Target({"tms 1", "rfpw 2 62", "rfe 1"});
        double measured = 0.0;
        double expected = 0.0;
        bench->Instruments().Run8960([&](Virtual8960&) {
            UnitModel& unit = bench->Unit();
            expected = 55.0 + (unit.Radio().gmagicGsm - unit.Variation().gmagicGsm) / 2.0;
            measured = unit.PowerMeasurement();
        });
        EXPECT_NEAR(measured, expected, 0.5) << type;
        EXPECT_EQ(cal.instrumentErrorCount, 0) << type;
        testSet->CloseTestSet();
    }
}
