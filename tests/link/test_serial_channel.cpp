#include "link/Scanner.h"
#include "tests/support/PtyPair.h"
#include "tests/support/RecordingMessageSink.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Collects what the channel hands over, on the thread it lives on.
class CollectingReceiver : public CommReceiver {
public:
    void OnCommData(const CComm& comm) override {
        bursts.append(
            QByteArray(reinterpret_cast<const char*>(comm.ReceiveBuffer()), comm.ReceiveCount()));
        onThread = thread() == QThread::currentThread();
    }
    QByteArray All() const { return bursts.join(); }

    QList<QByteArray> bursts;
    bool onThread = false;
};

// Waits, without handling events, until the reader has posted a burst and blocks on it.
bool WaitForHandOverPosted(const CComm& comm) {
    QDeadlineTimer deadline(3000);
    while (!comm.HandOverPending()) {
        if (deadline.hasExpired())
            return false;
        QThread::yieldCurrentThread();
    }
    return true;
}

bool WaitForBytes(const CollectingReceiver& receiver, int n) {
    return QTest::qWaitFor([&] { return receiver.All().size() >= n; }, 3000);
}

// A channel on a real pseudo-terminal, and a receiver that collects what it hands over.
class SerialChannel : public testing::Test {
protected:
    void OpenWithReceiver() {
        comm.SetNotifyWindow(&receiver);
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    }

    PtyPair pty;
    CComm comm;
    CollectingReceiver receiver;
};

} // namespace

TEST_F(SerialChannel, openFailure_namesTheDeviceAndTheReasonAndStaysClosed) {
    EXPECT_EQ(comm.OpenDevice("/dev/rftune-no-such-port", 115200), 0);
    EXPECT_EQ(comm.IsConnected(), 0);
    EXPECT_TRUE(comm.LastError().contains("/dev/rftune-no-such-port"));
    EXPECT_TRUE(comm.LastError().contains("No such file"));

    EXPECT_EQ(comm.OpenDevice(pty.SlavePath(), 12345), 0);
    EXPECT_TRUE(comm.LastError().contains("unsupported baud rate 12345"));
}

TEST_F(SerialChannel, openWhileOpen_returnsOneAndKeepsTheFirstPort) {
    PtyPair second;
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    EXPECT_EQ(comm.OpenDevice(second.SlavePath(), 9600), 1);
    EXPECT_EQ(comm.Device(), pty.SlavePath());
    EXPECT_EQ(comm.Close(), 1);
    EXPECT_EQ(comm.Close(), 1);
    EXPECT_EQ(comm.IsConnected(), 0);
}

TEST_F(SerialChannel, directMode_handsBurstsToTheReceiverOnItsOwnThreadInOrder) {
    OpenWithReceiver();

    pty.Write(QByteArray("\x02\x14\x54\x00\x06\x42\x02", 7));
    pty.Write(QByteArray("\x02\x14\x21\x00\x01\x34\x02", 7));
    ASSERT_TRUE(WaitForBytes(receiver, 14));
    EXPECT_EQ(receiver.All(),
              QByteArray("\x02\x14\x54\x00\x06\x42\x02\x02\x14\x21\x00\x01\x34\x02", 14));
    EXPECT_TRUE(receiver.onThread);
}

TEST_F(SerialChannel, aReceiverDestroyedWhileBytesAreInFlightIsNeverCalled) {
    auto* doomed = new CollectingReceiver;
    comm.SetNotifyWindow(doomed);
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    pty.Write("abc");
    ASSERT_TRUE(WaitForHandOverPosted(comm));
    delete doomed; // ASan reports any later call into it
    EXPECT_TRUE(QTest::qWaitFor([&] { return !comm.HandOverPending(); }, 3000));
    EXPECT_EQ(comm.NotifyWindow(), nullptr);

    CollectingReceiver next;
    comm.SetNotifyWindow(&next);
    pty.Write("def");
    ASSERT_TRUE(WaitForBytes(next, 3));
    EXPECT_EQ(next.All(), "def");
}

TEST_F(SerialChannel, twoPortsAreOpenTogetherEachWithItsOwnReader) {
    OpenWithReceiver(); // the target's
    PtyPair scanner;
    CComm scannerComm;
    CollectingReceiver scannerReceiver;
    scannerComm.SetNotifyWindow(&scannerReceiver);
    ASSERT_EQ(scannerComm.OpenDevice(scanner.SlavePath(), 9600), 1);

    pty.Write("to target");
    scanner.Write("to scanner");
    ASSERT_TRUE(WaitForBytes(receiver, 9));
    ASSERT_TRUE(WaitForBytes(scannerReceiver, 10));
    EXPECT_EQ(receiver.All(), "to target");
    EXPECT_EQ(scannerReceiver.All(), "to scanner");

    const std::uint8_t request[] = {'L', 'O', 'N', '\r'};
    EXPECT_EQ(scannerComm.WriteBlock(request, 4), 4);
    EXPECT_EQ(scanner.Read(4), QByteArray("LON\r"));
    EXPECT_TRUE(pty.Read(1, 50).isEmpty());
}

TEST_F(SerialChannel, writeStringSendsNothingWhenTheFirstByteIsZeroOrThePortIsClosed) {
    const std::uint8_t zeroFirst[] = {0x00, 0x14, 0x02};
    const std::uint8_t packet[] = {0x02, 0x14, 0x20, 0x20, 0x02};
    EXPECT_EQ(comm.WriteString(packet, 5), 0);
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    comm.WriteString(zeroFirst, 3);
    EXPECT_TRUE(pty.Read(1, 50).isEmpty());
    comm.WriteString(packet, 5);
    EXPECT_EQ(pty.Read(5), QByteArray(reinterpret_cast<const char*>(packet), 5));
}

TEST_F(SerialChannel, aVanishedPeerClosesTheChannelInsteadOfSpinning) {
    QSignalSpy lost(&comm, &CComm::portLost);
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    pty.CloseMaster();
    ASSERT_TRUE(lost.wait(3000));
    EXPECT_EQ(comm.IsConnected(), 0);
    const std::uint8_t packet[] = {0x02, 0x14, 0x20, 0x20, 0x02};
    EXPECT_EQ(comm.WriteString(packet, 5), 0);

    // The channel can be opened again on a new device afterwards.
    PtyPair replacement;
    EXPECT_EQ(comm.OpenDevice(replacement.SlavePath(), 115200), 1);
}

TEST_F(SerialChannel, closeDoesNotWaitForAPendingHandOverAndDropsIt) {
    OpenWithReceiver();
    pty.Write("xyz");
    ASSERT_TRUE(WaitForHandOverPosted(comm));
    comm.Close();
    QTest::qWait(10);
    EXPECT_EQ(comm.IsConnected(), 0);
    EXPECT_TRUE(receiver.bursts.isEmpty());
}

TEST_F(SerialChannel, aReceiverMayCloseTheChannelWhileHandlingABurst) {
    struct ClosingReceiver : CommReceiver {
        explicit ClosingReceiver(CComm& c) : channel(c) {}
        void OnCommData(const CComm&) override {
            ++calls;
            channel.Close();
        }
        CComm& channel;
        int calls = 0;
    } closing{comm};
    comm.SetNotifyWindow(&closing);
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1);
    pty.Write("bye");
    ASSERT_TRUE(QTest::qWaitFor([&] { return closing.calls == 1; }, 3000));
    EXPECT_EQ(comm.IsConnected(), 0);
}

TEST_F(SerialChannel, queueMode_collectsBytesAndDropsABurstLargerThanTheFreeSpaceSayingSo) {
    RecordingMessageSink messages;
    for (int i = 0; i < 4000; ++i)
        comm.Queue().Put('q');
    ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 9600), 1);
    comm.SetQueueMode(1);
    QList<QThread*> saidOn;
    QObject::connect(&comm, &CComm::queueFull, [&saidOn] { saidOn << QThread::currentThread(); });
    pty.Write("OK\r");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return comm.DataReady() == 1 && comm.Queue().Count() == 4003; }, 3000));
    pty.Write(QByteArray(200, 'z'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !saidOn.isEmpty(); }, 3000));
    EXPECT_EQ(saidOn.value(0), comm.thread()); // not the reader's
    EXPECT_TRUE(messages.texts.isEmpty());     // the scanner's owner tells the operator
    EXPECT_EQ(comm.Queue().Count(), 4003);
}
