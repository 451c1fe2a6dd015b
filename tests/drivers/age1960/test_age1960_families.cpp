// The lines of each family of operations, their argument checks and the parsing of replies.
#include "tests/drivers/age1960/Age1960Scripted.h"

#include <cmath>
#include <cstring>
#include <functional>

TEST_F(Age1960Scripted, callSetUpSendsTheBandFormsAndChecksTheQueueAfterEachCall) {
    const ViSession session = Open();
    ASSERT_EQ(age1960_TCHARFCN(session, 62, AGE1960_EGSM, 0), VI_SUCCESS);
    EXPECT_EQ(NewLines(), (Texts{"CALL:TCH:EGSM 62", ":SYST:ERR?"}));
    ASSERT_EQ(age1960_MSTXLevel(session, 5, AGE1960_DCS, 0), VI_SUCCESS);
    ASSERT_EQ(age1960_BCHARFCN(session, 1, 20, AGE1960_EGSM, 0), VI_SUCCESS);
    ASSERT_EQ(age1960_cellBand(session, 1, AGE1960_DCS), VI_SUCCESS);
    for (ViInt16 band = AGE1960_PGSM; band <= AGE1960_GSM850; ++band)
        ASSERT_EQ(age1960_TCHBand(session, band), VI_SUCCESS);
    ASSERT_EQ(age1960_operatingMode(session, AGE1960_MODE_TEST), VI_SUCCESS);
    ASSERT_EQ(age1960_operatingMode(session, AGE1960_MODE_CALL), VI_SUCCESS);
    ASSERT_EQ(age1960_amplitudeOffset(session, -1.5), VI_SUCCESS);
    ASSERT_EQ(age1960_cellPower(session, 1, -60.0, 0, 0), VI_SUCCESS);
    ASSERT_EQ(age1960_cellPower(session, 1, -74.5, 0, 0), VI_SUCCESS);
    ASSERT_EQ(age1960_prepareCallState(session), VI_SUCCESS);
    EXPECT_EQ(NewCommands(),
              (Texts{"CALL:MS:TXL:DCS 5", "CALL:BCH:EGSM 20", "CALL:BAND DCS", "CALL:TCH:BAND PGSM",
                     "CALL:TCH:BAND EGSM", "CALL:TCH:BAND DCS", "CALL:TCH:BAND PCS",
                     "CALL:TCH:BAND GSM850", "CALL:OPER:MODE TEST", "CALL:OPER:MODE CALL",
                     "SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA -1.5;:SYST:CORR:STAT ON", "CALL:POW -60",
                     "CALL:POW -74.5", "CALL:CONN:ARM"}));
}

TEST_F(Age1960Scripted, waitCompleteConfirmsWithOpcAndAnyAnswerButOneFails) {
    const ViSession session = Open();
    ASSERT_EQ(age1960_TCHARFCN(session, 698, AGE1960_DCS, 1), VI_SUCCESS);
    ASSERT_EQ(age1960_MSTXLevel(session, 0, AGE1960_PCS, 1), VI_SUCCESS);
    ASSERT_EQ(age1960_BCHARFCN(session, 1, 128, AGE1960_GSM850, 1), VI_SUCCESS);
    EXPECT_EQ(NewLines(),
              (Texts{"CALL:TCH:DCS 698", "*OPC?", ":SYST:ERR?", "CALL:MS:TXL:PCS 0", "*OPC?",
                     ":SYST:ERR?", "CALL:BCH:GSM850 128", "*OPC?", ":SYST:ERR?"}));
    server->SetReply("*OPC?", "0");
    EXPECT_EQ(age1960_TCHARFCN(session, 62, AGE1960_EGSM, 1), VI_ERROR_INV_RESPONSE);
}

TEST_F(Age1960Scripted, argumentsOutOfRangeNameTheirPositionAndSendNothing) {
    const ViSession s = Open();
    const ViInt16 bad[] = {AGE1960_MEAS_TXP, 11};
    const struct {
        std::function<ViStatus()> call;
        ViStatus expected;
    } cases[] = {
        {[&] { return age1960_TCHARFCN(s, 62, 0, 0); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_TCHARFCN(s, 62, 6, 0); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_TCHARFCN(s, 62, AGE1960_EGSM, 2); }, VI_ERROR_PARAMETER4},
        {[&] { return age1960_MSTXLevel(s, 5, -1, 0); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_BCHARFCN(s, 2, 20, AGE1960_EGSM, 0); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_BCHARFCN(s, 1, 20, 9, 0); }, VI_ERROR_PARAMETER4},
        {[&] { return age1960_BCHARFCN(s, 1, 20, AGE1960_EGSM, 3); },
         static_cast<ViStatus>(0xBFFC0005u)},
        {[&] { return age1960_cellBand(s, 0, AGE1960_DCS); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_cellBand(s, 1, 0); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_TCHBand(s, 6); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_operatingMode(s, 2); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_amplitudeOffset(s, NAN); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_cellPower(s, 2, -60.0, 0, 0); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_cellPower(s, 1, INFINITY, 0, 0); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_cellPower(s, 1, -60.0, 1, 0); }, VI_ERROR_PARAMETER4},
        {[&] { return age1960_cellPower(s, 1, -60.0, 0, 1); }, static_cast<ViStatus>(0xBFFC0005u)},
        {[&] { return age1960_waitForConnect(s, -0.1); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_waitForConnect(s, 100.5); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_waitForConnect(s, NAN); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_initMeasFcn(s, 0, bad); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_initMeasFcn(s, 11, bad); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_initMeasFcn(s, 1, nullptr); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_initMeasFcn(s, 2, bad); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_cmd(s, nullptr); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_cmdReal(s, "CALL:POW", NAN); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_cmdReal64_Q(s, "CALL:POW?", nullptr); }, VI_ERROR_PARAMETER3},
        {[&] { return age1960_readTXPower_Q(s, -1, nullptr, nullptr); }, VI_ERROR_PARAMETER2},
        {[&] { return age1960_timeOut(s, -1); }, VI_ERROR_PARAMETER2},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].call(), cases[i].expected) << "case " << i;
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(Age1960Scripted, presetsPassThroughAndArmingSendTheirLines) {
    const ViSession session = Open();
    const ViInt16 pair[] = {AGE1960_MEAS_TXP, AGE1960_MEAS_PFER};
    const ViInt16 all[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(age1960_reset(session), VI_SUCCESS);
    ASSERT_EQ(age1960_partialPreset(session), VI_SUCCESS);
    ASSERT_EQ(age1960_cmd(session, "CALL:FUNC:DOWN BCHTCH"), VI_SUCCESS);
    ASSERT_EQ(age1960_cmdReal(session, "CALL:CELL:RFG:FREQ", 947467000.0), VI_SUCCESS);
    ASSERT_EQ(age1960_cmdReal(session, "CALL:POW", -60.0), VI_SUCCESS);
    ASSERT_EQ(age1960_initMeasFcn(session, 2, pair), VI_SUCCESS);
    ASSERT_EQ(age1960_initMeasFcn(session, 10, all), VI_SUCCESS);
    ASSERT_EQ(age1960_dcl(session), VI_SUCCESS);
    EXPECT_EQ(NewCommands(), (Texts{"*RST", "SYST:PRES3", "CALL:FUNC:DOWN BCHTCH",
                                    "CALL:CELL:RFG:FREQ 947467000", "CALL:POW -60", "INIT:TXP;PFER",
                                    "INIT:AAUD;BERR;DAUD;FBER;ORFS;TXP;PFER;PVT;DPOW;IQT"}));
}

TEST_F(Age1960Scripted, aRealQueryTakesTheFirstNumberAndNeverPassesOffAFailureAsAValue) {
    const ViSession session = Open();
    const struct {
        const char* reply;
        ViStatus status;
        double value; // NaN: none given
    } cases[] = {
        {"-12.5;3;4", VI_SUCCESS, -12.5},
        {"+1.23456000E+001,7", VI_SUCCESS, 12.3456},
        {" 947467000 ", VI_SUCCESS, 947467000.0},
        {"9.91E+37", AGE1960_ERROR_NO_VALUE, NAN},
        {"+9.91000000E+037;1", AGE1960_ERROR_NO_VALUE, NAN},
        {"NAN", AGE1960_ERROR_NO_VALUE, NAN},
        {"abc", VI_ERROR_INV_RESPONSE, NAN},
        {"", VI_ERROR_INV_RESPONSE, NAN},
        {"1,5 dB", VI_SUCCESS, 1.0},
        {"1.5 dB", VI_ERROR_INV_RESPONSE, NAN},
        {"+-3", VI_ERROR_INV_RESPONSE, NAN},
    };
    for (const auto& entry : cases) {
        server->SetReply("CALL:POW?", entry.reply);
        ViReal64 value = 0.0;
        EXPECT_EQ(age1960_cmdReal64_Q(session, "CALL:POW?", &value), entry.status) << entry.reply;
        if (std::isnan(entry.value))
            EXPECT_TRUE(std::isnan(value)) << entry.reply;
        else
            EXPECT_DOUBLE_EQ(value, entry.value) << entry.reply;
    }
}

TEST_F(Age1960Scripted, txPowerGivesIntegrityAndPowerAndKeepsTheIntegrityOfNoValue) {
    const ViSession session = Open();
    server->SetReply("READ:TXP?", "0,+3.25000000E+001");
    ViInt32 integrity = -1;
    ViReal64 power = 0.0;
    ASSERT_EQ(age1960_readTXPower_Q(session, 0, &integrity, &power), VI_SUCCESS);
    EXPECT_EQ(integrity, 0);
    EXPECT_DOUBLE_EQ(power, 32.5);
    EXPECT_EQ(NewLines(), (Texts{"READ:TXP?", ":SYST:ERR?"}));
    server->SetReply("READ:TXP?", "1,9.91E+37");
    EXPECT_EQ(age1960_readTXPower_Q(session, 0, &integrity, &power), AGE1960_ERROR_NO_VALUE);
    EXPECT_EQ(integrity, 1);
    EXPECT_TRUE(std::isnan(power));
    for (const char* reply : {"0", "x,1", "0,1,2", "0.5,1"}) {
        server->SetReply("READ:TXP?", reply);
        EXPECT_EQ(age1960_readTXPower_Q(session, 0, &integrity, &power), VI_ERROR_INV_RESPONSE)
            << reply;
    }
}

TEST_F(Age1960Scripted, waitForConnectSetsTheInstrumentsTimeOutAndReadsTheState) {
    const ViSession session = Open();
    server->SetReply("CALL:CONN?", "1");
    ASSERT_EQ(age1960_waitForConnect(session, 2.5), VI_SUCCESS);
    EXPECT_EQ(NewLines(), (Texts{"CALL:CONN:TIM 2.5", ":SYST:ERR?", "CALL:CONN?", ":SYST:ERR?"}));
    server->SetReply("CALL:CONN?", "0");
    EXPECT_EQ(age1960_waitForConnect(session, 0.0), AGE1960_ERROR_NOT_CONNECTED);
    server->SetReply("CALL:CONN?", "2");
    EXPECT_EQ(age1960_waitForConnect(session, 100.0), VI_ERROR_INV_RESPONSE);
}

// Each wait gives its read the time it was given on top of the session's short time-out (the
// socket's time-out text says how long the read waited), and the session's time-out is back
// afterwards.
TEST_F(Age1960Scripted, theWaitsRaiseTheVisaTimeOutForTheirReadOnly) {
    const ViSession session = Open();
    ASSERT_EQ(age1960_timeOut(session, 10), VI_SUCCESS);
    const std::pair<std::function<ViStatus()>, const char*> waits[] = {
        {[&] { return age1960_waitForConnect(session, 0.15); }, "no reply within 160 ms"},
        {[&] {
             ViInt32 integrity = 0;
             ViReal64 power = 0.0;
             return age1960_readTXPower_Q(session, 150, &integrity, &power);
         },
         "no reply within 150 ms"},
    };
    for (const auto& [wait, waited] : waits) {
        EXPECT_EQ(wait(), VI_ERROR_TMO);
        ViChar text[AGE1960_MESSAGE_SIZE] = {};
        EXPECT_EQ(age1960_error_message(session, VI_ERROR_TMO, text), VI_SUCCESS);
        EXPECT_NE(std::strstr(text, waited), nullptr) << text;
        ViUInt32 timeoutMs = 0;
        ASSERT_EQ(viGetAttribute(session, VI_ATTR_TMO_VALUE, &timeoutMs), VI_SUCCESS);
        EXPECT_EQ(timeoutMs, 10u);
    }
}
