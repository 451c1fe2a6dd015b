// The calibrations' arithmetic and decisions, at the boundaries the station's results depend on.
#include "autocal/BoardCalibration.h"
#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/GmagicCalibration.h"
#include "autocal/RxCalibration.h"
#include "autocal/TxApcCalibration.h"
#include "base/CNumbers.h"
#include "instruments/InstrumentModels.h"
#include "instruments/TestSet.h"
#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"
#include "tests/support/FakeTarget.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

// What the RF parameter dialog and the panels read from their boxes.
TEST(CNumbers, readTheLeadingNumberAsTheCLibraryDoesAndStopAtTheEndsOfInt) {
    EXPECT_EQ(LeadingInt("  +62abc"), 62);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt("abc 5"), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(LeadingInt("-" + QString(400, '9')), std::numeric_limits<int>::min());

    EXPECT_DOUBLE_EQ(LeadingReal(" -1.5e0x"), -1.5);
    EXPECT_DOUBLE_EQ(LeadingReal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(LeadingReal("nan"), 0.0);
    EXPECT_EQ(LeadingReal("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(TruncatedLeadingReal("-3.7"), -3);
    EXPECT_EQ(TruncatedLeadingReal(".5e1x"), 5);
    EXPECT_EQ(TruncatedLeadingReal("1e400"), std::numeric_limits<int>::max());
}

// What the RF parameter dialog's own test does not type
// (tests/autocal/window/test_rf_config_dlg.cpp).
TEST(CalibrationConfig, aLossBeyondAnyNumberIsNoneAndAnUnknownTypeIsNoInstrument) {
    EXPECT_DOUBLE_EQ(LossFromText("1e400"), 0.0);
    EXPECT_EQ(SupplyTypeFromText("E3631A"), kSupplyNone);
    // And back, as a run's record names them.
    EXPECT_EQ(SupplyName(kSupply3632A), "3632A");
    EXPECT_EQ(TestSetName(3), "NOT USED");
    EXPECT_EQ(TestSetAndAddress(kTestSet8960), "A8960 E5515B at GPIB0::14::INSTR");
}

// The arithmetic and both bands' lines are the complete run's (test_complete_run.cpp).
TEST(Gmagic, aValueOutside185To206FailsTheCalibrationAndIsEncodedEitherWay) {
    CalibrationContext cal;
    cal.band = kBandDcs;
    auto testSet = MakeTestSet(kTestSetNone, cal);
    for (const auto& [readBack, failed] :
         {std::pair{185, false}, std::pair{206, false}, std::pair{184, true}, {207, true}}) {
        cal.stepState = static_cast<std::int32_t>(GmagicState::WriteGmagic);
        cal.instrumentFault = 0;
        cal.gmagicReadBack = readBack;
        cal.sampleA = cal.sampleB = 55.0;
        EXPECT_EQ(GmagicStep(cal, *testSet),
                  GmagicStepResult(failed ? StepAct::Failed : StepAct::Send))
            << readBack;
        EXPECT_EQ(cal.stepState, failed ? kStepFailed : kStepSent);
        EXPECT_EQ(cal.commandLine, "rftw 47 " + QByteArray::number(readBack) + ",40,0,41,42");
    }
}

TEST(CalibrationReplies, theTxPartsTakeTheDacTheTargetReadsBackAndNoOtherValue) {
    const auto reply = [](std::uint8_t opcode, std::uint8_t index, std::uint8_t word) {
        const char data[] = {static_cast<char>(word), 0};
        return TargetReply(REPLY_SUCCESS, FakeTarget::ReplyFrame(opcode, 0, index, {data, 2}));
    };
    CalibrationContext cal;
    TakeTxReply(cal, reply(kOpSpr, 11, 7)); // the RX gain
    EXPECT_EQ(cal.apcDac, 0);
    TakeTxReply(cal, reply(kOpSpr, 32, 240));
    EXPECT_EQ(cal.apcDac, 240);
    TakeTxReply(cal, reply(kOpTxpr, 4, 210));
    EXPECT_EQ(cal.apcDac, 210);
}

TEST(RxCalibration, theCorrectionIsTheTruncatedDifferenceDoubled) {
    EXPECT_EQ(NewRxGain(7, 50.0), 7);
    EXPECT_EQ(NewRxGain(0, 47.6), 4);
    EXPECT_EQ(NewRxGain(0, 52.3), -4);
    EXPECT_EQ(NewRxGain(0, 47.3), 4);
    EXPECT_EQ(NewRxGain(3, 47.0), 9);

    CalibrationContext cal;
    cal.config = DefaultConfig();
    auto testSet = MakeTestSet(kTestSetNone, cal);
    const RxStepResult failed(StepAct::Failed);
    cal.stepState = static_cast<std::int32_t>(RxState::WriteGain);
    cal.rxIndex = 2;
    cal.rxGainReadBack = 18;
    cal.rxLevel = 47.0;
    EXPECT_EQ(RxStep(cal, *testSet), failed);
    EXPECT_EQ(cal.rxTable[2], 24);
    // No reading is no level: the channel fails instead of being corrected with an old one.
    cal.stepState = static_cast<std::int32_t>(RxState::WriteGain);
    cal.instrumentFault = 1;
    cal.rxLevel.reset();
    cal.rxTable[2] = 0;
    EXPECT_EQ(RxStep(cal, *testSet), failed);
    EXPECT_EQ(cal.rxTable[2], 0);
}

TEST(RxCalibration, aNewGroupGetsItsLossAndLevelBeforeItsFirstChannel) {
    CalibrationContext cal;
    cal.config = DefaultConfig();
    cal.rxIndex = 0;
    RxChannelSetup(cal);
    cal.rxIndex = 6;
    cal.stepState = kStepSent;
    cal.lastStep = static_cast<std::int32_t>(RxState::WriteGain);
    EXPECT_EQ(RxAdvance(cal), RxStepResult(RxState::SetLevels));
    RxChannelSetup(cal);
    EXPECT_EQ(cal.tchChannel, 512);
    EXPECT_EQ(cal.band, kBandDcs);
    EXPECT_DOUBLE_EQ(cal.cableLossDb, -1.8);
    EXPECT_EQ(cal.powerLevel, 5);
    EXPECT_EQ(cal.bchChannel, 80); // the GSM BCH stays
}

namespace {

// One search step at a GSM reference level with the level's window, as GsmLevelSetup leaves it,
// or with the window collapsed to [collapsedAt, collapsedAt + 1]; power is what was measured.
CalibrationContext SearchedOnce(std::int32_t level, std::int32_t dac, std::optional<double> power,
                                std::optional<std::int32_t> collapsedAt = std::nullopt) {
    CalibrationContext cal;
    cal.config = DefaultConfig();
    cal.gsmSubBand = 1;
    cal.powerLevel = kGsmTopLevel;
    GsmLevelSetup(cal);
    cal.powerLevel = level;
    if (level != kGsmTopLevel)
        GsmLevelSetup(cal);
    cal.apcDac = dac;
    if (collapsedAt) {
        cal.dacWindowLow = *collapsedAt;
        cal.dacWindowHigh = *collapsedAt + 1;
    }
    cal.measuredTxPowerDbm = power;
    ApcSearchStep(cal);
    return cal;
}

} // namespace

TEST(TxApcSearch, aPowerOnATolerancBoundCountsAsOutsideIt) {
    EXPECT_EQ(SearchedOnce(5, 600, 31.9 + 0.15).searchDirection, 5);
    EXPECT_EQ(SearchedOnce(5, 600, 31.9 - 0.15).searchDirection, 6);
    const CalibrationContext inTolerance = SearchedOnce(5, 600, 32.0);
    EXPECT_EQ(inTolerance.searchDirection, 0);
    EXPECT_FALSE(inTolerance.pcl5Adjusted);
    const CalibrationContext tooLow = SearchedOnce(5, 600, 31.0);
    EXPECT_EQ(tooLow.dacWindowLow, 600);
    EXPECT_EQ(tooLow.apcDac, 625);
    EXPECT_TRUE(tooLow.pcl5Adjusted);
    // A failed measurement is no power: the level fails.
    const CalibrationContext failed = SearchedOnce(5, 600, std::nullopt);
    EXPECT_EQ(failed.searchDirection, 0);
    EXPECT_EQ(failed.instrumentFault, 1);
}

// The 31st step failing the level is FlawedUnit's weak transmitter's (test_failed_runs.cpp).
TEST(TxApcSearch, aCollapsedWindowWidensOnTheSideOfTheSearchWithinTheDacRange) {
    const CalibrationContext lowered = SearchedOnce(9, 601, 26.0, 600); // too high: lower the DAC
    EXPECT_EQ(lowered.searchDirection, 5);
    EXPECT_EQ(lowered.dacWindowLow, lowered.apcDac - 500 / 9);
    EXPECT_EQ(SearchedOnce(9, 120, 26.0, 120).dacWindowLow, 100);
    EXPECT_EQ(SearchedOnce(9, 790, 20.0, 789).dacWindowHigh, 800); // too low: raise it
}

TEST(BoardCalibration, theBatteryIsTakenWhenThreeReadingsSettleInTheWindow) {
    CalibrationContext cal;
    const auto readings = [&](std::initializer_list<std::int32_t> values) {
        cal.previousReading = 0;
        cal.currentReading = 1;
        bool steady = false;
        for (const std::int32_t value : values) {
            cal.batteryReading = value;
            steady = BatterySteady(cal);
            if (!steady) {
                cal.previousReading = cal.currentReading;
                cal.currentReading = value;
            }
        }
        return steady;
    };
    EXPECT_TRUE(readings({620, 619, 619}));
    EXPECT_FALSE(readings({620, 621, 619}));
    EXPECT_TRUE(readings({620, 621, 619, 619}));
    EXPECT_FALSE(readings({640, 635, 629}));
    EXPECT_TRUE(readings({640, 635, 613}));

    const QDateTime saturday(QDate(2026, 12, 5), QTime(9, 7, 3));
    EXPECT_EQ(ClockLine(saturday), "stw 20 0x6 0x1a 0xc 0x5 0x9 0x7 0x3");
    EXPECT_EQ(ClockText(saturday), "09:07:03, Saturday, December 05, 2026");
}
