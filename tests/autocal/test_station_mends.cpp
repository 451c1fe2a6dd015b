// Where the station does better than halting, hanging or losing what it should keep.
#include "tests/autocal/EngineRig.h"

#include "link/TargetSession.h"

#include <QDir>

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
