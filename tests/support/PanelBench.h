#pragma once

#include "link/LinkSettings.h"
#include "link/Scanner.h"
#include "link/TargetLink.h"
#include "sim/bench/SimBench.h"
#include "tests/support/RecordingMessageSink.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// A hands-on panel's bench: the simulated bench's virtual phone on a real pseudo-terminal with
// the station's channel open on it, message boxes recorded, the phone's state to read, and the
// tools' files in a folder of their own. The station refuses replies with a wrong checksum, as on
// every simulated bench.
class PanelBench : public testing::Test {
protected:
    static constexpr int kShortTimeoutMs = 300;

    void SetUp() override {
        LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Reject);
        ASSERT_TRUE(dir.isValid());
        QDir::setCurrent(dir.path());
        QString error;
        ASSERT_TRUE(bench.Start(&error)) << error.toStdString();
        ASSERT_EQ(comm.OpenDevice(bench.TargetDevice(), 115200), 1);
    }

    void TearDown() override {
        QDir::setCurrent(previousDir);
        LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Ignore);
    }

    const Firmware& Phone() { return bench.Target().State(); }
    int Packets() { return bench.Target().PacketsReceived(); }

    // The target has answered the last line: the link waits for nothing more.
    static bool WaitAnswered(TargetLink& link) {
        return QTest::qWaitFor([&] { return !link.PollTimerActive() && !link.ReplyTimerActive(); },
                               3000);
    }

    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    RecordingMessageSink messages;
    SimBench bench{BenchOptions{}};
    CComm comm;
};
