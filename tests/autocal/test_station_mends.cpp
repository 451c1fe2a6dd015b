// Where the station does better than halting, hanging or losing what it should keep.
#include "tests/autocal/EngineRig.h"

#include "link/TargetSession.h"

#include <QDir>

#include <algorithm>

namespace {

using StationMends = EngineRig;

// The lines of a GSM TX part that ends at its first measurement, and the stop's "rfe 0".
const QStringList kEndsAtTheFirstMeasurement{"ti",       "tms 1",      "rfpw 2 1", "rfe 7",
                                             "txpw 1 5", "txpw 4 600", "rfe 0"};

} // namespace

// The test set is configured but was never opened: its operations raise the fault flag from the
// start. The commands still await their replies, so the part runs to its own check and fails
// there, rather than halting at "ti"; and it starts at its first state.
TEST_F(StationMends, aCalibrationStartedBeforeAnyInstrumentCheckRunsToItsOwnFailure) {
    StartStation(kTestSet8960, kSupplyNone);
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_GSM_TX); });
    ASSERT_TRUE(WaitFor([this] { return Lines().size() == kEndsAtTheFirstMeasurement.size(); }));
    EXPECT_EQ(Lines(), kEndsAtTheFirstMeasurement);
    EXPECT_EQ(log->okFails, QStringList{"GSM 1Band 5LEVEL FAIL"});
}

// The target mishears "rfe 7" and does not transmit, so the first measurement fails, and again
// when it is taken once more after the tolerated failure. A failed measurement has no power to
// search with: the level fails instead of moving the DAC after a stale reading.
TEST_F(StationMends, aMeasurementThatFailedFailsTheLevelInsteadOfSteeringTheSearch) {
    StartStation(kTestSet8960, kSupplyNone);
    tap->Swap(WireLines::Packet("rfe 7"), WireLines::Packet("rfe 0"));
    CheckInstruments();
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_GSM_TX); });
    ASSERT_TRUE(WaitFor([this] { return Lines().size() == kEndsAtTheFirstMeasurement.size(); }));
    EXPECT_EQ(Lines(), kEndsAtTheFirstMeasurement);
    EXPECT_EQ(log->okFails, QStringList{"GSM 1Band 5LEVEL FAIL"});
}

// Another target window that registers with the channel during a run waits for it: the run gets
// every reply, and the window gets the channel when the run is over. A result file that cannot
// be written is reported with its name, and the run goes on.
TEST_F(StationMends, aRunKeepsTheChannelAndGoesOnWithoutItsResultFile) {
    ASSERT_TRUE(QDir(resultDir.path()).mkdir("calresult.txt"));
    StartStation(kTestSet8960, kSupplyNone);
    CheckInstruments();
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_GMAGIC); });
    ASSERT_TRUE(WaitFor([this] { return Lines().size() >= 3; }));
    TargetSession window(*comm, 1000); // registers with the channel as it opens
    int windowReplies = 0;
    QObject::connect(&window, &TargetSession::replied, [&] { ++windowReplies; });

    ASSERT_TRUE(WaitFor([this] { return log->finished.contains(CAL_GMAGIC); }));
    EXPECT_EQ(windowReplies, 0);
    EXPECT_EQ(log->okFails, QStringList());
    EXPECT_TRUE(log->statuses.contains("GMAGIC CAL END"));
    ASSERT_EQ(log->notices.size(), 1);
    EXPECT_TRUE(log->notices[0].contains(ResultPath())) << log->notices[0].toStdString();

    ASSERT_TRUE(window.Send("tms 1"));
    EXPECT_TRUE(WaitFor([&] { return windowReplies == 1; }));
}

// A target that stops answering is asked again and again, and the operator sees how often; when
// it answers again the run goes on to its end.
TEST_F(StationMends, aTargetThatStopsAnsweringIsAskedAgainWithTheCountShown) {
    StartStation(kTestSet8960, kSupplyNone);
    CheckInstruments();
    Call([](CalibrationEngine& engine) { engine.StartCalibration(CAL_GMAGIC); });
    ASSERT_TRUE(WaitFor([this] { return Lines().size() >= 3; }));
    bench->Target().SetFaults({0, 0, 0, true});
    ASSERT_TRUE(WaitFor([this] { return log->statuses.contains("No Response (2)"); }));
    bench->Target().SetFaults({});
    ASSERT_TRUE(WaitFor([this] { return log->finished.contains(CAL_GMAGIC); }));

    EXPECT_TRUE(InOrder(log->statuses, {"No Response (1)", "No Response (2)"}));
    // The command that went unanswered went three times or more, and nothing else meanwhile.
    const QStringList lines = Lines();
    int longestRepeat = 1;
    for (qsizetype i = 1, run = 1; i < lines.size(); ++i) {
        run = lines[i] == lines[i - 1] ? run + 1 : 1;
        longestRepeat = std::max(longestRepeat, static_cast<int>(run));
    }
    EXPECT_GE(longestRepeat, 3) << lines.join('|').toStdString();
}
