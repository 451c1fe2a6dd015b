#include "link/TargetSession.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TargetSessionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
        QObject::connect(&session, &TargetSession::replied,
                         [this](const TargetReply& reply) { replies.append(reply); });
    }

    bool WaitForReplies(int n) {
        return QTest::qWaitFor([&] { return replies.size() >= n; }, 3000);
    }

    PtyPair pty;
    FakeTarget target{pty};
    CComm comm;
    TargetSession session{comm, 200};
    QList<TargetReply> replies;
};

} // namespace

TEST_F(TargetSessionTest, aSuccessIsHandedOutTypedWithBothTimersStopped) {
    // 0x0210 travels stuffed, as 0x10 0x10 0x10 0x02.
    const QByteArray frame = FakeTarget::ReplyFrame(0x37, 0, 1, QByteArray("\x10\x02", 2));
    target.SetReply(0x37, frame);
    ASSERT_TRUE(session.Send("txpr 1"));
    ASSERT_TRUE(WaitForReplies(1));
    const TargetReply& reply = replies[0];
    EXPECT_EQ(reply.Class(), REPLY_SUCCESS);
    EXPECT_EQ(reply.Opcode(), 0x37);
    EXPECT_EQ(reply.Index(), 1);
    EXPECT_EQ(reply.Frame(), frame);
    EXPECT_EQ(reply.Data(), QByteArray("\x10\x02", 2));
    EXPECT_EQ(reply.Word(), 0x0210);
    EXPECT_FALSE(session.Link().PollTimerActive());
    EXPECT_FALSE(session.Link().ReplyTimerActive());
}

TEST_F(TargetSessionTest, aNewLineSupersedesTheAwaitedOneAndItsLateReplyStopsOnlyTheTimeOut) {
    target.SetReply(0x21, FakeTarget::ReplyFrame(0x21, 0, 1));
    ASSERT_TRUE(session.Send("tms 1"));
    ASSERT_TRUE(session.Send("se 6"));
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(replies[0].Class(), REPLY_OTHER_OPCODE);
    EXPECT_EQ(replies[0].Opcode(), 0x21);
    EXPECT_TRUE(session.Link().PollTimerActive());
    EXPECT_FALSE(session.Link().ReplyTimerActive());
}

TEST_F(TargetSessionTest, aStatusErrorKeepsBothTimersSoTheTimeOutFollows) {
    target.SetReply(0x54, FakeTarget::ReplyFrame(0x54, 1, 6));
    QSignalSpy timedOut(&session, &TargetSession::timedOut);
    ASSERT_TRUE(session.Send("se 6"));
    ASSERT_TRUE(WaitForReplies(1));
    EXPECT_EQ(replies[0].Class(), REPLY_STATUS_ERROR);
    EXPECT_TRUE(session.Link().PollTimerActive());
    EXPECT_TRUE(session.Link().ReplyTimerActive());
    ASSERT_TRUE(timedOut.wait(3000));
    EXPECT_FALSE(session.Link().PollTimerActive());
    EXPECT_FALSE(session.Link().ReplyTimerActive());
}
