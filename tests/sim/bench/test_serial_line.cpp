#include "link/SerialPort.h"
#include "sim/bench/SerialLine.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// The station's side: a real serial port opened on the line's device.
class SerialLineTest : public testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(line.Open(&error)) << error.toStdString();
        ASSERT_TRUE(station.Open(line.DevicePath(), 115200, &error)) << error.toStdString();
    }

    // Collects what reaches the station while the event loop runs the line.
    QByteArray Collect(int minBytes, QList<int>* burstSizes = nullptr) {
        QByteArray all;
        (void)QTest::qWaitFor(
            [&] {
                std::uint8_t buffer[256];
                const int n = station.ReadAvailable(buffer, sizeof buffer);
                if (n > 0) {
                    all.append(reinterpret_cast<const char*>(buffer), n);
                    if (burstSizes)
                        burstSizes->append(n);
                }
                return all.size() >= minBytes;
            },
            3000);
        return all;
    }

    void Say(const QByteArray& bytes) {
        station.Write(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      static_cast<int>(bytes.size()), 1000);
    }

    SerialLine line{[](const QByteArray& received) {
        return std::vector<QByteArray>{"<" + received + ">", "!"};
    }};
    SerialPort station;
};

} // namespace

// The faults together, as a bench sets them: nothing before the delay, then noise before every
// answer, all in bursts of at most two bytes, in order.
TEST_F(SerialLineTest, faultsDelayTheAnswersPutNoiseBeforeEachAndSplitThemInOrder) {
    line.SetFaults({50, 2, true});
    Say("abcdef");
    std::uint8_t buffer[16];
    EXPECT_EQ(station.ReadAvailable(buffer, sizeof buffer), 0);
    const QByteArray expected = SerialLine::kGarbage + "<abcdef>" + SerialLine::kGarbage + "!";
    QList<int> bursts;
    EXPECT_EQ(Collect(static_cast<int>(expected.size()), &bursts), expected);
    EXPECT_GE(bursts.size(), 3);
    for (int n : bursts)
        EXPECT_LE(n, 2);
}

TEST_F(SerialLineTest, answersWhatTheStationWritesAndStaysUpWhileItReopensThePort) {
    Say("ping");
    EXPECT_EQ(Collect(7), "<ping>!");
    station.Close();
    QString error;
    ASSERT_TRUE(station.Open(line.DevicePath(), 115200, &error));
    Say("again");
    EXPECT_EQ(Collect(8), "<again>!");
}
