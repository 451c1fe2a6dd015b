#include "sim/scpi/ScpiServer.h"
#include "sim/scpi/VirtualInstrument.h"
#include "tests/sim/support/VirtualInstrumentTest.h"
#include "tests/support/ServerThread.h"

#include <QLoggingCategory>
#include <QMutexLocker>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

Q_LOGGING_CATEGORY(lcDialTrace, "rftune.test.dial", QtWarningMsg)

namespace {

// The smallest instrument there is: a level from 0 to 10 it keeps, and *RST.
class Dial final : public VirtualInstrument {
public:
    Dial() : VirtualInstrument("ACME,DIAL,1,0", lcDialTrace, "dial") {}

    int Level() const {
        QMutexLocker lock(&Mutex());
        return level_;
    }

private:
    using Command = ScpiCommand<Dial>;
    static std::span<const Command> Commands() {
        static const Command commands[] = {
            {"*RST", false, 0, 0, &Dial::Reset},
            {"[SOURce:]LEVel", false, 1, 1, &Dial::SetLevel},
            {"[SOURce:]LEVel", true, 0, 0, &Dial::QueryLevel},
        };
        return commands;
    }
    int Execute(const ScpiUnit& unit, QByteArray* reply) override {
        return RunCommand(*this, Commands(), unit, reply);
    }
    int Reset(const ScpiUnit&, QByteArray*) {
        level_ = 0;
        return 0;
    }
    int SetLevel(const ScpiUnit& unit, QByteArray*) {
        return Integer(unit.parameters[0], 0, 10, &level_);
    }
    int QueryLevel(const ScpiUnit&, QByteArray* reply) {
        *reply = QByteArray::number(level_);
        return 0;
    }

    int level_ = 0;
};

class DialTest : public VirtualInstrumentTest {
protected:
    ScpiInstrument& Instrument() override { return dial; }

    Dial dial;
};

} // namespace

TEST_F(DialTest, aLineRunsItsUnitsInOrderAndACommandErrorEndsIt) {
    EXPECT_EQ(Send("LEV 3;LEV?;*OPC?"), "3;1");
    EXPECT_EQ(Send("LEV 11;LEV?"), "3"); // an execution error lets the line go on
    EXPECT_EQ(Send("LEV?;BOGUS;LEV 5;*OPC?"), "3");
    EXPECT_EQ(Send("LEV"), "(none)");
    EXPECT_EQ(Send("LEV 1,2"), "(none)");
    EXPECT_EQ(Send("LEV 4;LEV?;LEV::1;LEV 6"), "4"); // the units before the one that does not parse
    EXPECT_EQ(dial.Level(), 4);
    EXPECT_EQ(Errors(),
              (QList<QByteArray>{"-222,\"Data out of range\"", "-113,\"Undefined header\"",
                                 "-109,\"Missing parameter\"", "-108,\"Parameter not allowed\"",
                                 "-102,\"Syntax error\""}));
}

TEST_F(DialTest, everyInstrumentAnswersTheCommonCommandsAndReadsItsQueueEitherWay) {
    EXPECT_EQ(Send("*IDN?"), "ACME,DIAL,1,0");
    dial.SetIdentity("ACME,DIAL,2,0");
    EXPECT_EQ(Send("*IDN?"), "ACME,DIAL,2,0");
    Send("FOO;BAR");
    EXPECT_EQ(Send("SYST:ERR:NEXT?;:SYSTEM:ERROR?"), "-113,\"Undefined header\";0,\"No error\"");
    Send("FOO");
    Send("*CLS");
    EXPECT_EQ(Send("SYST:ERR?"), "0,\"No error\"");
    Send("LEV 7;*RST");
    EXPECT_EQ(dial.Level(), 0);
}

TEST_F(DialTest, aFailedCommandIsNotCarriedOutAndOnlyTheNextOneFails) {
    dial.FailNextCommand(ScpiError::kSettingsConflict);
    EXPECT_EQ(Send("LEV?;LEV 7;LEV?"), "0;0");
    EXPECT_EQ(Send("LEV 7;LEV?"), "7");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"-221,\"Settings conflict\""}));
    dial.FailNextCommand(ScpiError::kUndefinedHeader); // a command error ends the line
    EXPECT_EQ(Send("*CLS;LEV?"), "(none)");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"-113,\"Undefined header\""}));
}

TEST_F(DialTest, onlyARepliedLineUsesUpADroppedReplyAndSilenceDropsWithoutCounting) {
    dial.DropNextReplies(1);
    EXPECT_EQ(Send("LEV 2"), "(none)");
    dial.SetSilent(true);
    EXPECT_EQ(Send("LEV?"), "(none)");
    dial.SetSilent(false);
    EXPECT_EQ(Send("LEV?"), "(none)");
    EXPECT_EQ(Send("LEV?"), "2");
    EXPECT_EQ(dial.ReceivedLines(), (QList<QByteArray>{"LEV 2", "LEV?", "LEV?", "LEV?"}));
    dial.ClearReceivedLines();
    EXPECT_TRUE(dial.ReceivedLines().isEmpty());
}

// The server answers each line of a connection in order, whatever ends it, and faults set from the
// test's thread reach the instrument on the server's.
TEST(VirtualInstrumentServerTest, answersEachLineInOrderAndFaultsSetHereReachItsThread) {
    Dial dial;
    ServerThread thread;
    std::unique_ptr<ScpiServer> server;
    thread.Run([&] {
        server = std::make_unique<ScpiServer>(dial);
        ASSERT_TRUE(server->Listen());
    });
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server->Port());
    QByteArray replies;
    const auto waitForReplies = [&](int count) {
        return QTest::qWaitFor(
            [&] {
                replies += socket.readAll();
                return replies.count('\n') == count;
            },
            5000);
    };
    dial.DropNextReplies(1);
    socket.write("LEV 5;LEV?\r\nLEV?\n*RST\nSYST:ERR?\n");
    EXPECT_TRUE(waitForReplies(2));
    dial.SetIdentity("ACME,DIAL,3,0");
    socket.write("*IDN?\n");
    EXPECT_TRUE(waitForReplies(3));
    EXPECT_EQ(replies, "5\n0,\"No error\"\nACME,DIAL,3,0\n");
    EXPECT_EQ(dial.ReceivedLines().size(), 5);
    EXPECT_EQ(server->ConnectionCount(), 1);
    socket.disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return server->ConnectionCount() == 0; }, 5000));
    thread.Run([&] { server.reset(); });
}
