// Units the simulated bench makes flawed on purpose, and test sets whose measurements fail: each
// run fails its calibration with the text the operator must see, writes nothing it got wrong, and
// the stop ends what the target was doing.
#include "autocal/GmagicCalibration.h"
#include "autocal/RxCalibration.h"
#include "autocal/TxApcCalibration.h"
#include "tests/autocal/EngineRig.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {

struct Flaw {
    UnitFlaw flaw;
    ActiveCalibration started; // CAL_NONE: "AUTO CAL START"
    ActiveCalibration failing;
    const char* text;
    const char* writes;         // the head of the lines that write the calibration's values
    int goodWrites;             // how many of them went out before the failure
    const char* lastBeforeStop; // the head of the last line before the stop's
    const char* stopLine;
    std::int32_t failedStep = kStepStopped; // the last sender; none after a test set's stop
    // Or a test set that fails these measurements: the query that took the measurement goes
    // twice, and the second failure presets the test set with presetLine.
    std::int32_t testSet = kTestSet8960;
    QList<int> failedMeasurements = {};
    const char* measurement = nullptr;
    const char* presetLine = nullptr;
};

// A sound unit on a test set that fails these measurements of the calibration: its first level
// or channel fails, after the first DAC or the first read-back.
Flaw FailingTestSet(std::int32_t testSet, ActiveCalibration calibration, QList<int> failed,
                    const char* measurement, const char* presetLine) {
    Flaw flaw{UnitFlaw::kNone, CAL_GSM_TX, CAL_GSM_TX, "GSM 1Band 5LEVEL FAIL",
              "txpw 4 ",       1,          "txpw 4 ",  "rfe 0"};
    if (calibration == CAL_RX)
        flaw = Flaw{UnitFlaw::kNone, CAL_RX, CAL_RX,   "******  RXCAL FAIL  ******",
                    "spw 11 ",       0,      "spr 11", "se 101"};
    flaw.testSet = testSet;
    flaw.failedMeasurements = std::move(failed);
    flaw.measurement = measurement;
    flaw.presetLine = presetLine;
    return flaw;
}

class FlawedUnit : public EngineRig, public testing::WithParamInterface<Flaw> {};

} // namespace

TEST_P(FlawedUnit, failsWithItsTextAndTheStopEndsTheTargetsWork) {
    const Flaw& flaw = GetParam();
    BenchOptions options;
    options.unit.flaw = flaw.flaw;
    options.instruments.failedMeasurements = flaw.failedMeasurements;
    StartStation(flaw.testSet, kSupply3632A, options);
    CheckInstruments();
    Call([started = flaw.started](CalibrationEngine& engine) {
        if (started == CAL_NONE)
            engine.StartAutoCal();
        else
            engine.StartCalibration(started);
    });
    // After the popup the station stops the target and waits for the unit's removal.
    ASSERT_TRUE(WaitFor([this] {
        return !log->okFails.isEmpty() && log->statuses.contains("Remove the PHONE. !");
    }));

    EXPECT_EQ(log->okFails, QStringList{flaw.text});
    // The run ended once, in the calibration that failed, with the popup's text.
    ASSERT_EQ(log->ends.size(), 1);
    EXPECT_EQ(log->ends[0].outcome, RunOutcome::Failed);
    EXPECT_EQ(log->ends[0].calibration, flaw.failing);
    EXPECT_EQ(log->ends[0].text, flaw.text);
    EXPECT_EQ(log->ends[0].step, flaw.failedStep);
    EXPECT_EQ(log->finished, QList<int>()); // nothing after the failure was started
    EXPECT_EQ(log->progress.last(), 0);
    EXPECT_FALSE(QFile::exists(ResultPath())); // a failed calibration shows no results

    const QStringList lines = Lines();
    EXPECT_EQ(lines.value(lines.size() - 1), flaw.stopLine);
    const auto writes = std::count_if(lines.begin(), lines.end(), [&](const QString& line) {
        return line.startsWith(flaw.writes);
    });
    EXPECT_EQ(writes, flaw.goodWrites);
    EXPECT_TRUE(lines.value(lines.size() - 2).startsWith(flaw.lastBeforeStop))
        << lines.value(lines.size() - 2).toStdString();

    if (!flaw.measurement)
        return;
    // Taken once more after the first failure, never after the second, which preset the test
    // set before the instrument check opened it again.
    const QList<QByteArray> received = TestSetLines();
    EXPECT_EQ(received.count(flaw.measurement), 2);
    const qsizetype last = received.lastIndexOf(flaw.measurement);
    const qsizetype preset = received.indexOf(flaw.presetLine, last);
    EXPECT_GT(preset, last);
    EXPECT_LT(preset, received.indexOf("*IDN?", last));
}

INSTANTIATE_TEST_SUITE_P(
    EachFlaw, FlawedUnit,
    testing::Values(
        // GSM GMAGIC far too high: its value is never written, and the chain stops there.
        Flaw{UnitFlaw::kGmagic, CAL_NONE, CAL_GMAGIC, "GMAGIC CAL FAIL", "rftw ", 0, "rftr 31",
             "rfe 0", static_cast<std::int32_t>(GmagicState::WriteGmagic)},
        // DCS receive level far off: the GSM channels are written, the first DCS one is not;
        // the stop ends the call.
        Flaw{UnitFlaw::kRxOffset, CAL_RX, CAL_RX, "******  RXCAL FAIL  ******", "spw 11 ", 7,
             "spr 11", "se 101", static_cast<std::int32_t>(RxState::WriteGain)},
        // The transmitter never reaches the top power: the first DAC and 30 search steps, then
        // the 31st step fails the level.
        Flaw{UnitFlaw::kWeakTransmitter, CAL_GSM_TX, CAL_GSM_TX, "GSM 1Band 5LEVEL FAIL", "txpw 4 ",
             31, "txpw 4 ", "rfe 0", static_cast<std::int32_t>(TxState::Search)},
        // The 8960's first TX power fails, and again when it is taken once more after the device
        // clear: the second failure of the calibration fails its level.
        FailingTestSet(kTestSet8960, CAL_GSM_TX, {1, 2}, "READ:TXP?", "SYST:PRES3"),
        // The same for the first RX level, the last of its four reports (three NEW?, one LAST?).
        FailingTestSet(kTestSet8960, CAL_RX, {4, 8}, "CALL:MS:REPorted:RXLevel:LAST?",
                       "SYST:PRES3"),
        // The 4400's reset after its first failure ends the generator mode and the call: what it
        // measures once more fails too, so one failure fails the calibration.
        FailingTestSet(kTestSet4400, CAL_GSM_TX, {1}, ":FETCH:RFTX:POW?", "*RST"),
        FailingTestSet(kTestSet4400, CAL_RX, {1}, ":CALL:MSINFO:RXLEVEL?", "*RST")));
