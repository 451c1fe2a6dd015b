// The operation families the virtual 4400 does not model, against scripted replies: the lines
// they send, their range checks and the parsing of what comes back.
#include "tests/drivers/wt4400/Wt4400Bench.h"

namespace {

QByteArray ValueList(int count, int integerAt = -1) {
    QList<QByteArray> values;
    for (int i = 0; i < count; ++i)
        values.append(i == integerAt ? QByteArray::number(i) : QByteArray::number(i) + ".5");
    return values.join(',');
}

} // namespace

TEST_F(Wt4400Scripted, aQueueThatNeverEmptiesOrAnErrorOutOfRangeEndsTheCheckWithoutHanging) {
    server->SetReply(":SYST:ERR?", "-350,\"Queue overflow\"");
    const ViSession session = Open();
    EXPECT_EQ(wt4400_checkErrorQueue(session), WT4400_INSTRUMENT_ERROR_BASE - 350);
    EXPECT_EQ(server->Lines().count(":SYST:ERR?"), 64);
    // An error number beyond SCPI's range is an invalid response, not an overflow.
    server->SetReply(":SYST:ERR?", "-99999999999,\"garbled\"");
    ViInt32 code = 7;
    EXPECT_EQ(wt4400_readError(session, &code, nullptr), VI_ERROR_INV_RESPONSE);
    EXPECT_EQ(code, 0);
}

TEST_F(Wt4400Scripted, anUnreadableSignallingStateFailsTheReleaseInsteadOfPassingForReleased) {
    server->SetReply(":STAT:OPER:SIGN:COND?", "garbage");
    const ViSession session = Open();
    EXPECT_EQ(wt4400_releaseCall(session), WT4400_ERROR_READ);
    EXPECT_EQ(server->Commands(), (QList<QByteArray>{":CALL:BSR", ":STAT:OPER:SIGN:COND?"}));
}

TEST_F(Wt4400Scripted, txMeasurementsParseEveryValueAndTheSeventhOfTheSingleFormIsAnInteger) {
    server->SetReply(":FETCH:RFTX:ALL?", ValueList(19, 6));
    server->SetReply(":FETCH:RFTX:FREQ?", "12.5,-0.25");
    server->SetReply(":FETCH:RFSP:ACPM:MOD?", ValueList(22));
    const ViSession session = Open();
    ViReal64 values[WT4400_ACP_VALUES] = {};
    ASSERT_EQ(wt4400_measureTxAll(session, values, 1), VI_SUCCESS);
    EXPECT_EQ(values[6], 6.0);
    EXPECT_EQ(values[18], 18.5);
    ViReal64 first = 0.0, second = 0.0;
    ASSERT_EQ(wt4400_measureTxFrequencyError(session, &first, &second, 1), VI_SUCCESS);
    EXPECT_EQ(first, 12.5);
    EXPECT_EQ(second, -0.25);
    EXPECT_EQ(wt4400_measureAdjacentChannelPower(session, 1, values, 1), WT4400_ERROR_READ);
    EXPECT_EQ(wt4400_measureAdjacentChannelPower(session, 3, values, 1), WT4400_ERROR_VALUE);
    ASSERT_EQ(wt4400_setResultMode(session, 1), VI_SUCCESS);
    EXPECT_EQ(wt4400_measureAdjacentChannelPower(session, 2, values, 4), WT4400_ERROR_VALUE);
    EXPECT_EQ(wt4400_measureTxPower(session, values, 0), WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(
        server->Commands(),
        (QList<QByteArray>{":MEAS:RFTX:ALL", ":FETCH:RFTX:ALL?", ":MEAS:RFTX:FREQ",
                           ":FETCH:RFTX:FREQ?", ":MEAS:RFSP:ACPM:MOD", ":FETCH:RFSP:ACPM:MOD?"}));
}

TEST_F(Wt4400Scripted, theMsReportIsAskedAgainUntilItCarriesALevel) {
    server->SetReply(":CALL:MSIN:RXL?;RXQ?;TADV?", "0;0;0");
    const ViSession session = Open();
    ViInt32 level = -1, quality = -1, advance = -1;
    EXPECT_EQ(wt4400_readMsReport(session, &level, &quality, &advance), WT4400_ERROR_VALUE);
    EXPECT_EQ(server->Commands().size(), 31);
    server->SetReply(":CALL:MSIN:RXL?;RXQ?;TADV?", "38;1;2");
    ASSERT_EQ(wt4400_readMsReport(session, &level, &quality, &advance), VI_SUCCESS);
    EXPECT_EQ((std::vector<int>{level, quality, advance}), (std::vector<int>{38, 1, 2}));
}

TEST_F(Wt4400Scripted, msIdentityTextsComeWithoutTheirQuotesAndCutToThirtyCharacters) {
    server->SetReply(":CALL:MSIN:IMSI?", "\"262011234567890\"");
    server->SetReply(":CALL:MSIN:IMEI?", "\"3520990012345678901234567890123\"");
    server->SetReply(":CALL:MSIN:MSCL?", "4");
    server->SetReply(":CALL:MSIN:NUMB?", "\"\"");
    const ViSession session = Open();
    ViChar imsi[WT4400_MS_TEXT_SIZE], imei[WT4400_MS_TEXT_SIZE], number[WT4400_MS_TEXT_SIZE];
    ViInt32 msClass = 0;
    ASSERT_EQ(wt4400_readMsIdentity(session, imsi, imei, &msClass, number), VI_SUCCESS);
    EXPECT_STREQ(imsi, "262011234567890");
    EXPECT_EQ(std::strlen(imei), 30u);
    EXPECT_EQ(msClass, 4);
    EXPECT_STREQ(number, "");
}

TEST_F(Wt4400Scripted, settingsOfTheFurtherFamiliesAreRangeCheckedAndConfirmed) {
    const ViSession session = Open();
    const ViReal64 mhz[] = {900.0, 1800.0};
    const ViReal64 loss[] = {0.5, 1.25};
    ASSERT_EQ(wt4400_setCouplingLossTable(session, mhz, loss, 2), VI_SUCCESS);
    ASSERT_EQ(wt4400_setBaseStationIdentity(session, 262, 1, 100, 1, 2, 0, 7, 2), VI_SUCCESS);
    ASSERT_EQ(wt4400_setDateTime(session, "2024,01,31", "12:00:00"), VI_SUCCESS);
    ASSERT_EQ(wt4400_setDateTime(session, WT4400_NO_CHANGE, "13:00:00"), VI_SUCCESS);
    ASSERT_EQ(wt4400_setAudioGenerator(session, 1), VI_SUCCESS);
    ASSERT_EQ(wt4400_setModulationSpectrumSpan(session, 1800, 4), VI_SUCCESS);
    const ViReal64 levels[] = {-60.0, -72.5};
    ASSERT_EQ(wt4400_setGprsSlotLevels(session, levels, 2), VI_SUCCESS);

    const ViReal64 gsm[11] = {900, 900, 900, 900, 900, 900, 900, 900, 900, 900, 900};
    const ViReal64 flat[11] = {};
    EXPECT_EQ(wt4400_setCouplingLossTable(session, gsm, flat, 11), WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_setBaseStationIdentity(session, 262, 1, 100, 8, 2, 0, 7, 2),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_setDateTime(session, "2024,01,31,1234", WT4400_NO_CHANGE),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_setAudioGenerator(session, 2), WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_changeTimeslot(session, 7, 1.0), WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(
        NewCommands(),
        (Texts{"CONF:COUPLOSS:DATA \"Test.cpl\",900.000000,0.500000,1800.000000,1.250000",
               ":CONF:GSM:BS:LAI:MCC 262;:CONF:GSM:BS:LAI:MNC 1;:CONF:GSM:BS:LAI:LAC 100;"
               ":CONF:GSM:BS:NCC 1;:CONF:GSM:BS:BCC 2;:CONF:GSM:BS:CBA 0;:CONF:GSM:BS:CI 7;"
               ":CONF:GSM:MSTA:DRX 2",
               ":SYST:DATE 2024,01,31;:SYST:TIME 12:00:00", ":SYST:TIME 13:00:00", ":AFG:STAT ON",
               ":RFSP:MSP:SPAN SP3600;:RFSP:MSP:RES RES30", ":CONF:GPRS:BS:MSL:LEV -60,-72.5"}));
    EXPECT_EQ(server->Lines().count("*OPC?"), 7);
}
