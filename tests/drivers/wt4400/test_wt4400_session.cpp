// Sessions: initialisation, the slot table, validation, reset and simulation.
#include "base/StationClock.h"
#include "tests/drivers/wt4400/Wt4400Bench.h"
#include "visa/VisaConfig.h"
#include "visa/VisaRegistry.h"

#include <QTest>

TEST_F(Wt4400Bench, initWithIdQueryAndResetIdentifiesResetsAndDrainsTheErrorQueue) {
    ViSession session = 99;
    ASSERT_EQ(wt4400_init("GPIB0::4", 1, 1, &session), VI_SUCCESS);
    EXPECT_EQ(session, 1u);
    EXPECT_EQ(Strings(instrument.ReceivedLines()),
              (Texts{"*IDN?", ":SYST:ERR?", "*RST", ":SYST:ERR?"}));
    ViInt16 simulated = -1, noCheck = -1, logMode = -1;
    ASSERT_EQ(wt4400_getMode(session, &simulated, &noCheck, &logMode), VI_SUCCESS);
    EXPECT_EQ((std::vector<int>{simulated, noCheck, logMode}), (std::vector<int>{0, 0, 0}));
}

TEST_F(Wt4400Bench, aWrongIdentityFailsTheInitAndLeavesNoSessionOpenAndALongOneIsCut) {
    instrument.SetIdentity("WILLTEK,4100,1,1.0");
    ViSession session = 99;
    EXPECT_EQ(wt4400_init("GPIB0::4", 1, 0, &session), VI_ERROR_INV_RESPONSE);
    EXPECT_EQ(session, VI_NULL);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    EXPECT_EQ(wt4400_write(1, "*RST"), VI_ERROR_INV_SESSION);
    // One longer than the buffer is cut, and its tail is not taken for the next reply.
    instrument.SetIdentity("WILLTEK,4400M," + QByteArray(120, '7') + ",1.7");
    ASSERT_EQ(wt4400_init("GPIB0::4", 1, 0, &session), VI_SUCCESS);
    ViChar reply[64] = {};
    ASSERT_GE(wt4400_query(session, "*OPC?", reply, sizeof reply), VI_SUCCESS);
    EXPECT_STREQ(reply, "1");
}

TEST_F(Wt4400Bench, theSlotTableHoldsSevenAndAnOpenAddressReusesItsSlotAndConnection) {
    ViSession session = VI_NULL;
    for (int address = 1; address <= 7; ++address) {
        const QByteArray resource = "GPIB0::" + QByteArray::number(address);
        ASSERT_EQ(wt4400_init(resource.constData(), 0, 0, &session), VI_SUCCESS);
        EXPECT_EQ(session, static_cast<ViSession>(address));
    }
    EXPECT_EQ(wt4400_init("GPIB0::8", 0, 0, &session), VI_ERROR_ALLOC);
    EXPECT_EQ(session, VI_NULL);
    ASSERT_EQ(wt4400_init("GPIB0::3::INSTR", 0, 0, &session), VI_SUCCESS);
    EXPECT_EQ(session, 3u);
    Lines(session); // the new connection is up
    EXPECT_TRUE(QTest::qWaitFor([this] { return server->ConnectionCount() == 7; }, 2000))
        << server->ConnectionCount() << " connections: the earlier session of slot 3 leaked";
}

TEST_F(Wt4400Bench, resourcesOtherThanGpibAddressesAndSessionsNotOpenAreRefused) {
    ViSession session = 99; // without touching VISA
    for (const char* resource : {"TCPIP0::127.0.0.1::5025::SOCKET", "GPIB0", "GPIB0::31",
                                 "GPIB100::4", "GPIB99999::4", "gpib0::4", "GPIB0::99999"}) {
        EXPECT_EQ(wt4400_init(resource, 0, 0, &session), VI_ERROR_PARAMETER1) << resource;
        EXPECT_EQ(session, VI_NULL);
    }
    EXPECT_EQ(wt4400_init("GPIB0::4", 2, 0, &session), VI_ERROR_PARAMETER2);
    EXPECT_EQ(wt4400_init("GPIB0::4", 0, 2, &session), VI_ERROR_PARAMETER3);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    // Sessions outside the table, or free, are refused by every operation.
    ViChar buffer[32] = {};
    for (ViSession outside : {0u, 8u, 1000u}) {
        EXPECT_EQ(wt4400_write(outside, "*RST"), VI_ERROR_PARAMETER1);
        EXPECT_EQ(wt4400_read(buffer, sizeof buffer, outside), VI_ERROR_PARAMETER1);
        EXPECT_EQ(wt4400_close(outside), VI_ERROR_PARAMETER1);
        EXPECT_EQ(wt4400_log(0, "write", "x", outside), VI_SUCCESS);
    }
    EXPECT_EQ(wt4400_setTimeout(2, 1.0), VI_ERROR_INV_SESSION);
    EXPECT_EQ(wt4400_measureTxPower(2, nullptr, 1), VI_ERROR_INV_SESSION);
}

TEST_F(Wt4400Bench, overlongQueriesAndCommandsAreRefusedAndNothingIsSent) {
    const ViSession session = Open();
    ViChar reply[32] = {};
    const QByteArray query(256, 'Q');
    EXPECT_EQ(wt4400_query(session, query.constData(), reply, sizeof reply), VI_ERROR_PARAMETER2);
    EXPECT_EQ(wt4400_query(session, query.left(255).constData(), reply, 0), VI_ERROR_PARAMETER3);
    EXPECT_EQ(wt4400_write(session, QByteArray(1024, 'C').constData()), VI_ERROR_PARAMETER2);
    EXPECT_EQ(wt4400_write(session, ""), VI_SUCCESS);
    EXPECT_TRUE(Lines(session).empty());
}

// An unanswered identity is a failure even when the error queue is empty.
TEST_F(Wt4400Bench, aSilentInstrumentTimesOutWithTheVisaStatusAndAnEmptyReply) {
    const ViSession session = Open();
    ASSERT_EQ(wt4400_setTimeout(session, 0.05), VI_SUCCESS);
    EXPECT_EQ(wt4400_setTimeout(session, -1.0), VI_ERROR_PARAMETER2);
    EXPECT_EQ(wt4400_setTimeout(session, 2000001.0), VI_ERROR_PARAMETER2);
    instrument.DropNextReplies(1);
    ViChar identity[72] = {};
    EXPECT_EQ(wt4400_identify(session, identity, sizeof identity), VI_ERROR_TMO);
    EXPECT_EQ(Strings(instrument.ReceivedLines()), (Texts{"*IDN?", ":SYST:ERR?"}));
    instrument.SetSilent(true);
    ViChar reply[32] = "stale";
    EXPECT_EQ(wt4400_query(session, "*IDN?", reply, sizeof reply), VI_ERROR_TMO);
    EXPECT_STREQ(reply, "");
}

TEST_F(Wt4400Bench, revisionGivesTheDriversAndTheFourthIdentityField) {
    const ViSession session = Open();
    ViChar driver[WT4400_MESSAGE_SIZE] = {};
    ViChar firmware[WT4400_MESSAGE_SIZE] = {};
    ASSERT_EQ(wt4400_revision(session, driver, firmware), VI_SUCCESS);
    EXPECT_STREQ(driver, "2.7 $");
    EXPECT_STREQ(firmware, "1.7");
    instrument.SetIdentity("WILLTEK,4400,1,0");
    ASSERT_EQ(wt4400_revision(session, driver, firmware), VI_SUCCESS);
    EXPECT_STREQ(firmware, "Not Available");
    instrument.SetIdentity(",,1,2");
    EXPECT_EQ(wt4400_revision(session, driver, firmware), VI_ERROR_INV_RESPONSE);
}

TEST_F(Wt4400Bench, theResetDuringInitialisationWaitsTwoSecondsOnTheClockEvenSimulated) {
    StationClock::SetScale(0.01);
    const double before = StationClock::WaitedSeconds();
    ViSession session = VI_NULL;
    ASSERT_EQ(wt4400_initSimulated("GPIB0::4", 1, 1, &session), VI_SUCCESS);
    EXPECT_NEAR(StationClock::WaitedSeconds() - before, 0.02, 1e-6);
    StationClock::SetScale(0.0);
}

TEST_F(Wt4400Bench, simulationOpensOnlyTheResourceManagerSendsNothingAndClosesWhatWasOpened) {
    ViSession session = VI_NULL;
    ASSERT_EQ(wt4400_initSimulated("GPIB0::9", 1, 1, &session), VI_SUCCESS);
    EXPECT_EQ(VisaRegistry::Instance().Count(VisaKind::ResourceManager), 1);
    EXPECT_EQ(VisaRegistry::Instance().Count(VisaKind::Instrument), 0);
    double value = 5.0;
    EXPECT_EQ(wt4400_measureTxPower(session, &value, 1), VI_SUCCESS);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(wt4400_waitForConnection(session, 10.0), VI_SUCCESS);
    EXPECT_EQ(wt4400_selectCallSystem(session, 1), VI_SUCCESS);
    // Switched to real I/O, it has no instrument to write to.
    ASSERT_EQ(wt4400_setMode(session, 0, 0, "", 0), VI_SUCCESS);
    EXPECT_EQ(wt4400_originateCallNoWait(session), VI_ERROR_INV_OBJECT);
    ASSERT_EQ(wt4400_close(session), VI_SUCCESS);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    // A real session switched to simulation still closes its connection.
    const ViSession real = Open();
    ASSERT_EQ(wt4400_setMode(real, 2, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_close(real), VI_SUCCESS);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
}
