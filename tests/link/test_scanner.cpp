#include "link/LinkLog.h"
#include "link/Scanner.h"
#include "link/TargetSession.h"
#include "link/Waiting.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessageSink.h"

#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr int kShortTryMs = 30;
const std::uint8_t kLon[] = {'L', 'O', 'N', '\r'};

// Answers each scanner request with the next canned reply, read on the test's event loop.
class FakeScanner {
public:
    explicit FakeScanner(PtyPair& pty)
        : pty_(pty), notifier_(pty.MasterFd(), QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { OnRequest(); });
    }
    QList<QByteArray> replies;
    int requests = 0;

private:
    void OnRequest() {
        char buffer[64];
        const ssize_t n = ::read(pty_.MasterFd(), buffer, sizeof buffer);
        if (n <= 0)
            return;
        // Two tries read at once are still two requests.
        requests += static_cast<int>(std::count(buffer, buffer + n, '\r'));
        if (!replies.isEmpty())
            pty_.Write(replies.takeFirst());
    }
    PtyPair& pty_;
    QSocketNotifier notifier_;
};

class ScannerExchange : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(scanner.OpenDevice(pty.SlavePath(), 9600), 1);
        scanner.SetQueueMode(1);
    }

    PtyPair pty;
    FakeScanner peer{pty};
    CScannerComm scanner;
    RecordingMessageSink messages;
};

} // namespace

// "OK" and barcodes of 16 and 15 bytes are taken, other lengths are not (an overlong one cut to
// the reply buffer), a misread barcode is said to the scanner's owner, and a line without its
// carriage return stays queued but counts as taken.
TEST_F(ScannerExchange, aLineReplyIsTakenByItsLengthAndFirstCharacter) {
    peer.replies = {"OK\r",
                    "354123456789012\r",
                    "35412345678901\r",
                    "X5412345678901\r",
                    "123456\r",
                    QByteArray(1200, '7') + "\r",
                    "12345"};
    QSignalSpy misread(&scanner, &CScannerComm::misread);
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 1);
    EXPECT_EQ(scanner.ReplyLength(), 3);
    EXPECT_STREQ(scanner.ReplyText(), "");
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 1);
    EXPECT_EQ(scanner.ReplyLength(), 16);
    EXPECT_STREQ(scanner.ReplyText(), "354123456789012");
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 1);
    EXPECT_STREQ(scanner.ReplyText(), "35412345678901\r");
    scanner.SendBytes(4, kLon, kShortTryMs);
    EXPECT_EQ(misread.count(), 1);
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 0);
    EXPECT_EQ(scanner.SendBytes(4, kLon, 200), 0);
    EXPECT_EQ(scanner.ReplyLength(), 1201);
    EXPECT_EQ(std::strlen(scanner.ReplyText()), size_t(CScannerComm::kReplyBufferSize - 1));
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 1);
    EXPECT_EQ(scanner.Queue().Count(), 5);
    EXPECT_EQ(peer.requests, 7);
}

TEST_F(ScannerExchange, silenceFailsAfterThreeTries) {
    EXPECT_EQ(scanner.SendBytes(4, kLon, kShortTryMs), 0);
    EXPECT_EQ(peer.requests, 3);
}

// A wait that would otherwise run its three long tries: the sequence the exchange is a step of is
// cancelled during the first, or the application quits then and every later wait would return
// at once.
TEST_F(ScannerExchange, aCancelledSequenceOrTheApplicationQuittingEndsTheTriesAtTheFirst) {
    constexpr int kLongTryMs = 60000;
    PumpingSequence sequence;
    {
        const PumpingSequence::Running running(sequence);
        QTimer::singleShot(0, &sequence, &PumpingSequence::Cancel);
        EXPECT_EQ(scanner.SendBytes(4, kLon, kLongTryMs, &sequence), 0);
        EXPECT_TRUE(sequence.Cancelled());
    }
    int sent = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        sent = scanner.SendBytes(4, kLon, kLongTryMs);
    });
    QCoreApplication::exec();
    EXPECT_EQ(sent, 0);
    // Every try was written before SendBytes returned: once the peer has read all, it has all.
    const auto unread = [&] {
        int n = 0;
        return ::ioctl(pty.MasterFd(), FIONREAD, &n) == 0 ? n : -1;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return unread() == 0; }, 3000));
    EXPECT_EQ(peer.requests, 2);
}

TEST_F(ScannerExchange, aTargetReplyDuringTheExchangeStillReachesTheTargetSession) {
    PtyPair targetPty;
    FakeTarget target{targetPty};
    target.SetReply(0x54, FakeTarget::ReplyFrame(0x54, 0, 6));
    CComm targetComm;
    ASSERT_EQ(targetComm.OpenDevice(targetPty.SlavePath(), 115200), 1);
    TargetSession session(targetComm, 3000);
    QList<ReplyClass> replies;
    // The scanner answers only once the target's reply is through, so that reply arrives while
    // the exchange waits with the scanner's channel in queue mode.
    QObject::connect(&session, &TargetSession::replied, [&](const TargetReply& reply) {
        replies << reply.Class();
        pty.Write("OK\r");
    });
    ASSERT_TRUE(session.Send("se 6"));
    EXPECT_EQ(scanner.SendBytes(4, kLon, 200), 1);
    EXPECT_EQ(replies, QList<ReplyClass>{REPLY_SUCCESS});
    EXPECT_EQ(targetComm.Queue().Count(), 0);
}
