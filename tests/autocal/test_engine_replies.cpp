// How the engine takes each reply, with a fake target whose every answer the test chooses. The
// engine runs on the test's thread.
#include "autocal/CalibrationEngine.h"
#include "autocal/GmagicCalibration.h"
#include "base/StationClock.h"
#include "tests/autocal/EngineRecorder.h"
#include "tests/autocal/EventWait.h"
#include "tests/autocal/WireLines.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingMessageSink.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t kTi = 0x20;
constexpr std::uint8_t kTms = 0x21;
constexpr std::uint8_t kVg = 0x22;

class EngineReplies : public testing::Test {
protected:
    void TearDown() override {
        engine.reset();
        comm.Close();
        StationClock::SetScale(1.0);
    }

    // The engine, with no instruments; its reply time-out follows the time scale (500 ms at
    // most for a short one).
    void MakeEngine(double timeScale) {
        StationClock::SetScale(timeScale);
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
        engine = std::make_unique<CalibrationEngine>(comm);
        log.Listen(*engine);
        log.closeOkFail = [this] {
            QMetaObject::invokeMethod(
                engine.get(), [this] { engine->AcknowledgeFailure(); }, Qt::QueuedConnection);
        };
    }

    QStringList Lines() const { return wire.LinesOf(target.Packets()); }

    WireLines wire; // made before the engine sends: encoding moves this thread's last opcode
    PtyPair pty;
    FakeTarget target{pty};
    CComm comm;
    std::unique_ptr<CalibrationEngine> engine;
    EngineRecorder log;
};

} // namespace

TEST_F(EngineReplies, aBrokenOrMissingReplyBringsTheSameCommandAgainAfterTheTimeOut) {
    MakeEngine(0.01);
    // "ti" is answered with a status error, then not at all, then well.
    QObject::connect(&target, &FakeTarget::packetReceived, [this] {
        const qsizetype sent = target.Packets().size();
        target.SetReply(kTi, sent == 1   ? FakeTarget::ReplyFrame(kTi, 1, 0)
                             : sent == 2 ? QByteArray()
                                         : FakeTarget::ReplyFrame(kTi, 0, 0));
    });
    engine->StartCalibration(CAL_GMAGIC);
    ASSERT_TRUE(WaitFor([this] { return Lines().size() == 4; }));
    EXPECT_EQ(Lines(), (QStringList{"ti", "ti", "ti", "tms 1"}));
    EXPECT_TRUE(InOrder(log.statuses, {"received data is broken", "No Response (1)",
                                       "No Response (2)", "TESTMODE INIT."}))
        << log.statuses.join('|').toStdString();
}

TEST_F(EngineReplies, aReplyToAnotherCommandOrToTheTargetCheckDoesNotMoveTheCalibration) {
    MakeEngine(1.0); // the 4 s time-out stays out of the way
    target.SetReply(kTi, FakeTarget::ReplyFrame(kTi, 0, 0));
    engine->StartCalibration(CAL_GMAGIC);
    ASSERT_TRUE(WaitFor([this] { return Lines().size() == 2; }));

    // A late second answer to "ti" while "tms 1" is awaited: only the time-out stops.
    const TargetLink& link = engine->Session().Link();
    pty.Write(FakeTarget::ReplyFrame(kTi, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return !link.ReplyTimerActive(); }, 2000));
    EXPECT_TRUE(link.PollTimerActive());
    pty.Write(FakeTarget::ReplyFrame(kTms, 0, 1));
    ASSERT_TRUE(WaitFor([this] { return Lines().size() == 3; }));
    EXPECT_EQ(Lines().last(), "rfpw 2 62");

    // The target check while "rfpw 2 62" is awaited: the target is OK, the calibration stays.
    target.SetReply(kVg, FakeTarget::ReplyFrame(kVg, 0, 0xe0));
    const qsizetype checks = log.targetChecks.size();
    engine->TargetCheck();
    ASSERT_TRUE(WaitFor([&] { return log.targetChecks.size() == checks + 2; }));
    EXPECT_EQ(log.targetChecks.mid(checks), (QList<bool>{false, true}));
    EXPECT_EQ(Lines(), (QStringList{"ti", "tms 1", "rfpw 2 62", "vg 0xe0"}));
    EXPECT_EQ(engine->Active(), CAL_GMAGIC);
    // Still waiting in the state that sent "rfpw 2 62".
    EXPECT_EQ(engine->Context().lastStep, static_cast<std::int32_t>(GmagicState::TuneTone));
    EXPECT_EQ(engine->Context().stepState, kStepSent);
}

// Without the port "EEP FULL RESET" sends nothing, and the engine tells it as a notice for the
// window or the program to show, from the engine's thread no box.
TEST_F(EngineReplies, eepFullResetWithoutThePortIsANoticeForTheWindow) {
    MakeEngine(1.0);
    comm.Close();
    RecordingMessageSink boxes;
    engine->EepFullReset();
    EXPECT_EQ(log.notices, QStringList{"통신 에러"});
    EXPECT_EQ(boxes.texts, QStringList());
}
