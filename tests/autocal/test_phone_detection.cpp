// The station tells a target put on the supply and taken off by the current it draws, read from
// a virtual supply whose load the test sets to the milliampere.
#include "autocal/CalibrationEngine.h"
#include "base/StationClock.h"
#include "sim/scpi/ScpiServer.h"
#include "sim/supply/VirtualSupply.h"
#include "station/CalibrationStation.h"
#include "tests/autocal/EngineRecorder.h"
#include "tests/autocal/EventWait.h"
#include "tests/sim/supply/FakeLoad.h"
#include "tests/support/PtyPair.h"
#include "visa/VisaConfig.h"

#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

class PhoneDetection : public testing::Test {
protected:
    void SetUp() override {
        StationClock::SetScale(0.01);
        ASSERT_TRUE(server.Listen());
        QString error;
        ASSERT_TRUE(VisaConfig::Instance().ApplyAliasOption(
            QStringLiteral("GPIB::5::INSTR=TCPIP0::127.0.0.1::%1::SOCKET").arg(server.Port()),
            &error))
            << error.toStdString();
        // The RF mode needs a test set configured; this one is not there, and the supply is
        // opened and watched all the same.
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        const quint16 nobody = closed.serverPort();
        closed.close();
        ASSERT_TRUE(VisaConfig::Instance().ApplyAliasOption(
            QStringLiteral("GPIB0::14::INSTR=TCPIP0::127.0.0.1::%1::SOCKET").arg(nobody), &error))
            << error.toStdString();
        ASSERT_EQ(comm.OpenDevice(pty.SlavePath(), 115200), 1); // no command goes out
        station = std::make_unique<CalibrationStation>(comm, std::nullopt);
        log.Listen(station->Engine());
    }

    void TearDown() override {
        station.reset();
        comm.Close();
        VisaConfig::Instance().ClearAliases();
        StationClock::SetScale(1.0);
    }

    void Call(const std::function<void(CalibrationEngine&)>& work) { station->Call(work); }

    int Shown(const QString& status) const { return static_cast<int>(log.statuses.count(status)); }

    FakeLoad load; // the target on the supply, as far as the supply can tell
    VirtualSupply supply{VirtualSupplyModel::kE3632A, load};
    ScpiServer server{supply};
    PtyPair pty;
    CComm comm;
    std::unique_ptr<CalibrationStation> station;
    EngineRecorder log;
};

} // namespace

TEST_F(PhoneDetection, aTargetIsOnAbove75MilliampsAndOffBelow25) {
    load.drawA = 0.075;
    Call([](CalibrationEngine& engine) {
        CalibrationConfig config;
        config.testSetType = kTestSet8960;
        config.supplyType = kSupply3632A;
        engine.SetConfig(config);
        engine.InstrumentCheck();
    });
    ASSERT_TRUE(WaitFor([this] { return Shown("Ready to Test. !") >= 3; }));
    EXPECT_EQ(log.testSetFailures, QStringList{"\ninit failed with return code -1073807193.\n"});
    EXPECT_EQ(log.phonesDetected, 0);
    load.drawA = 0.0751;
    ASSERT_TRUE(WaitFor([this] { return log.phonesDetected == 1; }));
    EXPECT_EQ(log.statuses.last(), "Checking the PHONE. Wait a moment !");

    // After a run: exactly 25 mA is a target still there.
    load.drawA = 0.025;
    Call([](CalibrationEngine& engine) { engine.AfterRunPhoneWait(); });
    ASSERT_TRUE(WaitFor([this] { return Shown("Remove the PHONE. !") >= 3; }));
    EXPECT_EQ(log.phonesRemoved, 0);
    load.drawA = 0.0249;
    ASSERT_TRUE(WaitFor([this] { return log.phonesRemoved == 1; }));
    // And the station waits for the next one.
    const int ready = Shown("Ready to Test. !");
    EXPECT_TRUE(WaitFor([&] { return Shown("Ready to Test. !") > ready; }));
    EXPECT_EQ(log.phonesDetected, 1);
}
