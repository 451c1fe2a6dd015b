#include "link/ManualSession.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ManualSessionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
        session.Link().SetReplyTimeoutMs(200);
        QObject::connect(&session, &ManualSession::textAdded,
                         [this](const QString& text) { shown.append(text); });
    }

    PtyPair pty;
    FakeTarget target{pty};
    CComm comm;
    ManualSession session{comm};
    QStringList shown;
};

} // namespace

// What the manual window says of each kind of reply. A status error said and the time-out after
// it are rftune-cmd's on the simulated bench (BenchE2E.targetFaultsShowOnTheStationSide), a
// decoded success the window's (ManualCalDlgTest), which timers each reply stops the target
// session's; a closed port echoes the line and leaves the box to the window
// (ManualCalDlgTest.withThePortClosed...).
TEST_F(ManualSessionTest, aReplyToTheEarlierCommandIsReportedWithItsOwnErrorText) {
    // The target answers "sr" late, after "se 6" went out.
    QSignalSpy handled(&session, &ManualSession::replyHandled);
    ASSERT_TRUE(session.Send("se 6"));
    pty.Write(FakeTarget::ReplyFrame(0x24, 0, 1, QByteArray("\x01\x00\x64", 3)));
    ASSERT_TRUE(handled.wait(3000));
    EXPECT_EQ(shown, (QStringList{"se 6", "stats_read command error"}));
    EXPECT_FALSE(session.Link().ReplyTimerActive());
    EXPECT_TRUE(session.Link().PollTimerActive());

    // The special table commands' error texts are the IMEI tool's; here they show nothing, and
    // neither does a frame that is no reply, though it would say "Saved to EEPROM".
    QByteArray notAReply = FakeTarget::ReplyFrame(0x54, 0, 1);
    notAReply[1] = 0x15;
    pty.Write(FakeTarget::ReplyFrame(0x52, 0, 60) + FakeTarget::ReplyFrame(0x53, 0, 55) +
              notAReply);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() == 4; }, 3000));
    EXPECT_EQ(shown, (QStringList{"se 6", "stats_read command error"}));
}
