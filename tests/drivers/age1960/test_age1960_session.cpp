// Sessions: initialisation, identity, closing and sessions that are not open.
#include "tests/drivers/age1960/Age1960Scripted.h"

#include "visa/VisaRegistry.h"

#include <functional>
#include <utility>

// An init with ID query and reset identifies, resets and clears, then checks the error queue.
TEST_F(Age1960Scripted, theIdentityNeedsOnlyToContainTheModelAndAWrongOneLeavesNothingOpen) {
    const std::pair<const char*, bool> identities[] = {
        {"Agilent Technologies, 8960 Series 10 E5515A,US38020105,0", true},
        {"Keysight Technologies,8960 Series 10 E5515B,GB44051234,0", true},
        {"Agilent Technologies,E5515C,GB1,0", true},
        {"WILLTEK,4400,1,1.7", false},
        {"Agilent Technologies,E4406A,US1,A.01", false},
        {"", false}};
    for (const auto& [identity, accepted] : identities) {
        server->SetReply("*IDN?", identity);
        ViSession session = 99;
        EXPECT_EQ(age1960_init(kResource, 1, 1, &session),
                  accepted ? VI_SUCCESS : VI_ERROR_FAIL_ID_QUERY)
            << identity;
        EXPECT_EQ(NewLines(),
                  (accepted ? Texts{"*IDN?", "*RST", "*CLS", ":SYST:ERR?"} : Texts{"*IDN?"}));
        EXPECT_EQ(age1960_close(session), accepted ? VI_SUCCESS : VI_ERROR_INV_SESSION);
        EXPECT_EQ(session == VI_NULL, !accepted);
        EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    }
    ViSession session = VI_NULL; // without them, only the clear and its check
    ASSERT_EQ(age1960_init(kResource, 0, 0, &session), VI_SUCCESS);
    EXPECT_EQ(NewLines(), (Texts{"*CLS", ":SYST:ERR?"}));
    EXPECT_EQ(age1960_close(session), VI_SUCCESS);
}

TEST_F(Age1960Scripted, badInitArgumentsNameTheirPositionAndOpenNothing) {
    ViSession session = 99;
    EXPECT_EQ(age1960_init(nullptr, 0, 0, &session), VI_ERROR_PARAMETER1);
    EXPECT_EQ(session, VI_NULL);
    EXPECT_EQ(age1960_init(kResource, 2, 0, &session), VI_ERROR_PARAMETER2);
    EXPECT_EQ(age1960_init(kResource, 0, -1, &session), VI_ERROR_PARAMETER3);
    EXPECT_EQ(age1960_init(kResource, 0, 0, nullptr), VI_ERROR_PARAMETER4);
    session = 99;
    EXPECT_LT(age1960_init("GPIB0::15::INSTR", 0, 0, &session), VI_SUCCESS);
    EXPECT_EQ(session, VI_NULL);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
}

TEST_F(Age1960Scripted, closingReleasesEveryVisaObjectAndTheHandleIsNotReused) {
    ViSession first = VI_NULL, second = VI_NULL;
    ASSERT_EQ(age1960_init(kResource, 1, 0, &first), VI_SUCCESS);
    ASSERT_EQ(age1960_init(kResource, 1, 0, &second), VI_SUCCESS);
    EXPECT_NE(first, second);
    EXPECT_EQ(age1960_close(first), VI_SUCCESS);
    EXPECT_EQ(age1960_cmd(second, "*CLS"), VI_SUCCESS) << "the other session is untouched";
    EXPECT_EQ(age1960_close(second), VI_SUCCESS);
    EXPECT_EQ(VisaRegistry::Instance().Count(), 0);
    EXPECT_EQ(age1960_close(first), VI_ERROR_INV_SESSION);
    ViSession third = VI_NULL;
    ASSERT_EQ(age1960_init(kResource, 0, 0, &third), VI_SUCCESS);
    EXPECT_NE(third, first);
    EXPECT_EQ(age1960_cmd(first, "*CLS"), VI_ERROR_INV_SESSION);
    EXPECT_EQ(age1960_close(third), VI_SUCCESS);
}

TEST_F(Age1960Scripted, everyOperationRefusesASessionThatIsNotOpen) {
    const ViSession open = Open();
    ViInt32 code = 0, integrity = 0;
    ViReal64 value = 0.0;
    ViChar text[AGE1960_MESSAGE_SIZE] = {};
    const ViInt16 functions[] = {AGE1960_MEAS_TXP};
    const std::vector<std::function<ViStatus(ViSession)>> operations = {
        [](ViSession s) { return age1960_close(s); },
        [](ViSession s) { return age1960_reset(s); },
        [&](ViSession s) { return age1960_error_query(s, &code, text); },
        [](ViSession s) { return age1960_dcl(s); },
        [](ViSession s) { return age1960_timeOut(s, 100); },
        [](ViSession s) { return age1960_cmd(s, "*CLS"); },
        [](ViSession s) { return age1960_cmdReal(s, "CALL:POW", -60.0); },
        [&](ViSession s) { return age1960_cmdReal64_Q(s, "CALL:POW?", &value); },
        [](ViSession s) { return age1960_partialPreset(s); },
        [&](ViSession s) { return age1960_readTXPower_Q(s, 0, &integrity, &value); },
        [&](ViSession s) { return age1960_initMeasFcn(s, 1, functions); },
        [](ViSession s) { return age1960_TCHARFCN(s, 62, AGE1960_EGSM, 1); },
        [](ViSession s) { return age1960_MSTXLevel(s, 5, AGE1960_EGSM, 1); },
        [](ViSession s) { return age1960_BCHARFCN(s, 1, 20, AGE1960_EGSM, 1); },
        [](ViSession s) { return age1960_cellBand(s, 1, AGE1960_EGSM); },
        [](ViSession s) { return age1960_TCHBand(s, AGE1960_EGSM); },
        [](ViSession s) { return age1960_operatingMode(s, AGE1960_MODE_CALL); },
        [](ViSession s) { return age1960_amplitudeOffset(s, -1.3); },
        [](ViSession s) { return age1960_cellPower(s, 1, -60.0, 0, 0); },
        [](ViSession s) { return age1960_waitForConnect(s, 1.0); },
        [](ViSession s) { return age1960_prepareCallState(s); },
    };
    for (size_t i = 0; i < operations.size(); ++i) {
        for (ViSession session : {ViSession{0}, open + 1000, ViSession{0xFFFFFFFFu}})
            EXPECT_EQ(operations[i](session), VI_ERROR_INV_SESSION) << "operation " << i;
    }
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(Age1960Scripted, aLostConnectionFailsTheCallsWithoutWaitingForAnErrorQueue) {
    const ViSession session = Open();
    server->CloseAfterNextLine();
    EXPECT_EQ(age1960_prepareCallState(session), VI_ERROR_CONN_LOST);
    EXPECT_EQ(age1960_cmd(session, "*CLS"), VI_ERROR_CONN_LOST);
    EXPECT_EQ(NewLines(), (Texts{"CALL:CONN:ARM"}));
}
