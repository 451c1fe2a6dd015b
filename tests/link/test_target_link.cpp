#include "link/Bcommand.h"
#include "link/LinkSettings.h"
#include "link/TargetLink.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

class TargetLinkTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
        link.Register();
        link.SetReplyHandler([this] {
            results.append(link.CheckReply());
            frames.append(
                QByteArray(reinterpret_cast<const char*>(link.RxFrame()), link.RxFrameLength()));
        });
    }

    PtyPair pty;
    CComm comm;
    TargetLink link{comm, 300};
    QList<ReplyClass> results;
    QList<QByteArray> frames;
};

} // namespace

// A stuffed body is written whole despite its inner STX; a line the encoder refuses still sends an
// empty packet.
TEST_F(TargetLinkTest, eachLineGoesOnTheWireAsOnePacketAndTheLinkWaitsForItsReply) {
    const struct {
        const char* line;
        QByteArray packet;
    } cases[] = {{"se 6", Bytes({0x02, 0x14, 0x54, 0x06, 0x00, 0x52, 0x02})},
                 {"rfpw 2 62", Bytes({0x02, 0x14, 0x30, 0x10, 0x02, 0x00, 0x3E, 0x00, 0x0C, 0x02})},
                 {"abc", Bytes({0x02, 0x02})}};
    for (const auto& [line, packet] : cases) {
        ASSERT_TRUE(link.SendLine(line));
        EXPECT_EQ(pty.Read(static_cast<int>(packet.size())), packet) << line;
        EXPECT_TRUE(link.AwaitingReply());
        EXPECT_TRUE(link.PollTimerActive());
        EXPECT_TRUE(link.ReplyTimerActive());
    }
}

TEST_F(TargetLinkTest, nothingIsSentWhenThePortIsClosed) {
    comm.Close();
    EXPECT_FALSE(link.SendLine("se 6"));
    EXPECT_FALSE(link.PollTimerActive());
}

TEST_F(TargetLinkTest, twoRepliesInOneBurstAreDispatchedInOrderOnOnePollTick) {
    ASSERT_TRUE(link.SendLine("se 6"));
    pty.Read(7);
    pty.Write(Bytes({0x7F, 0x02, 0x14, 0x24, 0x00, 0x01, 0x25, 0x02, 0x02, 0x14, 0x54, 0x00, 0x06,
                     0x42, 0x02}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return results.size() == 2; }, 2000));
    EXPECT_EQ(results, (QList<ReplyClass>{REPLY_OTHER_OPCODE, REPLY_SUCCESS}));
    EXPECT_EQ(frames[1], Bytes({0x02, 0x14, 0x54, 0x00, 0x06, 0x42, 0x02}));
    EXPECT_EQ(link.ReplyOpcode(), 0x54);
    EXPECT_FALSE(link.AwaitingReply());
}

TEST_F(TargetLinkTest, aChecksumOf0x10DoesNotSwallowTheReply) {
    // 0x54 ^ 0x00 ^ 0x44 = 0x10: the checksum travels stuffed right before the closing STX.
    ASSERT_TRUE(link.SendLine("se 6"));
    const QByteArray reply = FakeTarget::ReplyFrame(0x54, 0, 0x44);
    ASSERT_EQ(reply.right(3), Bytes({0x10, 0x10, 0x02}));
    pty.Write(reply + FakeTarget::ReplyFrame(0x54, 0, 6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return results.size() == 2; }, 2000));
    EXPECT_EQ(frames[0], reply);
}

TEST_F(TargetLinkTest, onlyTheRegisteredLinkReceives) {
    TargetLink other(comm, 300);
    QList<ReplyClass> otherResults;
    other.SetReplyHandler([&] { otherResults.append(other.CheckReply()); });
    other.Register();
    ASSERT_TRUE(other.SendLine("se 6"));
    ASSERT_TRUE(link.SendLine("se 6"));
    pty.Write(FakeTarget::ReplyFrame(0x54, 0, 6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return otherResults.size() == 1; }, 2000));
    QTest::qWait(100);
    EXPECT_TRUE(results.isEmpty());
}

TEST_F(TargetLinkTest, aReplyHandlerMayDestroyItsLink) {
    auto* owned = new TargetLink(comm, 300);
    owned->SetReplyHandler([owned] { delete owned; });
    owned->Register();
    ASSERT_TRUE(owned->SendLine("se 6"));
    QPointer<TargetLink> watch(owned);
    pty.Write(FakeTarget::ReplyFrame(0x54, 0, 6) + FakeTarget::ReplyFrame(0x54, 0, 6));
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 2000));
}

namespace {

// Keeps the process-wide check as the test found it, and the link category's warnings seen.
class ChecksumCheck {
public:
    explicit ChecksumCheck(ReplyChecksum check) : saved_(LinkSettings::ReplyChecksumCheck()) {
        LinkSettings::SetReplyChecksumCheck(check);
        seen_ = this;
        previousHandler_ = qInstallMessageHandler(&ChecksumCheck::Record);
    }
    ~ChecksumCheck() {
        qInstallMessageHandler(previousHandler_);
        seen_ = nullptr;
        LinkSettings::SetReplyChecksumCheck(saved_);
    }
    ChecksumCheck(const ChecksumCheck&) = delete;
    ChecksumCheck& operator=(const ChecksumCheck&) = delete;

    QStringList linkWarnings;

private:
    static void Record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (seen_ && type == QtWarningMsg && QLatin1String(context.category) == "rftune.link")
            seen_->linkWarnings.append(text);
    }

    static inline ChecksumCheck* seen_ = nullptr;
    ReplyChecksum saved_;
    QtMessageHandler previousHandler_ = nullptr;
};

} // namespace

TEST_F(TargetLinkTest, aWrongReplyChecksumIsIgnoredWarnedOfOrRejectedAsTheSettingsSay) {
    QByteArray corrupt = FakeTarget::ReplyFrame(0x54, 0, 6);
    corrupt[corrupt.size() - 2] = static_cast<char>(corrupt[corrupt.size() - 2] ^ 0x01);
    const struct {
        ReplyChecksum check;
        ReplyClass result;
        int counted;
    } cases[] = {{ReplyChecksum::Ignore, REPLY_SUCCESS, 0},
                 {ReplyChecksum::Warn, REPLY_SUCCESS, 1},
                 {ReplyChecksum::Reject, REPLY_STATUS_ERROR, 2}};
    for (const auto& [check, result, counted] : cases) {
        const ChecksumCheck setting(check);
        results.clear();
        ASSERT_TRUE(link.SendLine("se 6"));
        pty.Write(corrupt + FakeTarget::ReplyFrame(0x54, 0, 6));
        ASSERT_TRUE(QTest::qWaitFor([&] { return results.size() == 2; }, 2000));
        // The good frame behind it is taken as always: the command's repetition succeeds.
        EXPECT_EQ(results, (QList<ReplyClass>{result, REPLY_SUCCESS})) << static_cast<int>(check);
        EXPECT_EQ(link.ChecksumMismatches(), counted);
        EXPECT_EQ(setting.linkWarnings.size(), check == ReplyChecksum::Ignore ? 0 : 1);
    }
}
