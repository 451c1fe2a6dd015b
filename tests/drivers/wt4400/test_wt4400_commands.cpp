// Commands and replies against the virtual 4400: the generator, the call system, the cache,
// the error queue, measurements and the log.
#include "tests/drivers/wt4400/Wt4400Bench.h"

#include "visa/VisaConfig.h"
#include "visa/VisaRegistry.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

namespace {

QStringList g_driverLog;

void CaptureDriverLog(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QByteArray(context.category) == "rftune.wt4400")
        g_driverLog.append(message);
}

} // namespace

TEST_F(Wt4400Bench, generatorArgumentsOutOfRangeSendNothingAndZeroMeansNotGiven) {
    const ViSession session = Open();
    EXPECT_EQ(wt4400_configureRfGenerator(session, 1000.0, -60.0, 2, 1, 4, 2, 2, 4),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_configureRfGenerator(session, 947.4, -5.0, 2, 1, 4, 2, 2, 4),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_configureRfGenerator(session, 947.4, -60.0, 2, 1, 8, 2, 2, 4),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_configureRfGenerator(session, 947.4, -60.0, 2, 1, 4, 10, 2, 4),
              WT4400_ERROR_NOT_ALLOWED);
    EXPECT_TRUE(Lines(session).empty());
    ASSERT_EQ(wt4400_configureRfGenerator(session, 0.0, -74.5, 1, 1, 4, 2, 0, 4), VI_SUCCESS);
    ASSERT_EQ(wt4400_configureRfGenerator(session, 0.0, 0.0, 0, 0, 0, 0, 1, 0), VI_SUCCESS);
    EXPECT_EQ(Lines(session), (Texts{"RFG:LEV -74.500000;MOD NO", "RFG:STYP BURS"}));
}

TEST_F(Wt4400Bench, aGsmCallSystemIsWaitedForUntilItReportsReadyOrThreeHundredPollsWent) {
    const ViSession session = Open();
    instrument.SetReadyAfterPolls(2);
    ASSERT_EQ(wt4400_setMode(session, 0, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_selectCallSystem(session, 1), VI_SUCCESS);
    EXPECT_EQ(Lines(session), (Texts{":CONF:CSYS NONE", ":CONF:CSYS GSM;:CONF:GSM:TYPE GSM9001800",
                                     ":STAT:OPER:COND?", ":STAT:OPER:COND?", ":STAT:OPER:COND?"}));
    EXPECT_EQ(wt4400_selectCallSystem(session, 6), VI_ERROR_PARAMETER2);
    // One that never gets ready ends the wait after three hundred polls.
    instrument.SetReadyAfterPolls(1000);
    EXPECT_EQ(wt4400_selectCallSystem(session, 2), WT4400_ERROR_TIMEOUT);
    EXPECT_EQ(Lines(session).size(), 2u + 300u);
}

TEST_F(Wt4400Bench, theGeneratorAndGprsCallSystemsSendTheirStartUpLines) {
    const ViSession session = Open();
    ASSERT_EQ(wt4400_selectCallSystem(session, 3), VI_SUCCESS);
    EXPECT_EQ(Strings(instrument.ReceivedLines()),
              (Texts{":CONF:CSYS NONE", ":CONF:CSYS GEN;:RFG:STAT ON", ":SYST:ERR?"}));
    instrument.ClearReceivedLines();
    ASSERT_EQ(wt4400_setMode(session, 0, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_selectCallSystem(session, 4), VI_SUCCESS);
    EXPECT_EQ(
        Lines(session),
        (Texts{":CONF:CSYS NONE", ":CONF:CSYS GPRS;:CONF:GPRS:TYPE GSM9001800", ":STAT:OPER:COND?",
               ":CONF:GPRS:BS:TCH:ARFCN 512;*OPC?", ":CONF:GPRS:MSTATION:PLEV 0;*OPC?",
               ":CONF:GPRS:BS:TCH:ARFCN 1;*OPC?", ":CONF:GPRS:MSTATION:PLEV 0;*OPC?"}));
}

TEST_F(Wt4400Bench, theCacheSendsNothingTwiceOrBeforeItWasSentOrAfterAResetOrAFailure) {
    const ViSession session = Open();
    ASSERT_EQ(wt4400_setMode(session, 0, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_setCallParameters(session, -60.0, 5, 30), VI_SUCCESS);
    ASSERT_EQ(wt4400_setCallParameters(session, -60.0, 5, 30), VI_SUCCESS);
    ASSERT_EQ(wt4400_setCallParameters(session, -60.0, 5, 512), VI_SUCCESS);
    ASSERT_EQ(wt4400_setCallParameters(session, -60.0, 7, 512), VI_SUCCESS);
    ASSERT_EQ(wt4400_setCallParameters(session, -50.0, 7, 600), VI_SUCCESS);
    EXPECT_EQ(Lines(session),
              (Texts{":CONF:GSM:BS:LEVEL -60.000000;:CONF:GSM:ASSALL 30,5", "*OPC?", "*OPC?",
                     ":CONF:GSM:ASSALL 512,5", "*OPC?", ":CONF:GSM:MSTATION:PLEVEL 7", "*OPC?",
                     ":CONF:GSM:BS:LEVEL -50.000000;:CONF:GSM:BS:TCH:ARFC 600"}));
    EXPECT_EQ(wt4400_setCallParameters(session, -60.0, 44, 30), WT4400_ERROR_NOT_ALLOWED);
    // Nothing is cached before it was sent, or after a reset or a failure.
    ASSERT_EQ(wt4400_setMode(session, 1, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_setBchChannel(session, 0), VI_SUCCESS); // ARFCN 0 is a channel too
    ASSERT_EQ(wt4400_reset(session), VI_SUCCESS);
    ASSERT_EQ(wt4400_setBchChannel(session, 0), VI_SUCCESS);
    instrument.FailNextCommand();
    EXPECT_EQ(wt4400_setBchChannel(session, 10), WT4400_INSTRUMENT_ERROR_BASE - 200);
    ASSERT_EQ(wt4400_setBchChannel(session, 10), VI_SUCCESS);
    std::vector<std::string> commands;
    for (const std::string& line : Lines(session)) {
        if (line != "*OPC?" && line != ":SYST:ERR?")
            commands.push_back(line);
    }
    EXPECT_EQ(commands, (Texts{":CONF:GSM:BS:BCH:ARFC 0", "*RST", ":CONF:GSM:BS:BCH:ARFC 0",
                               ":CONF:GSM:BS:BCH:ARFC 10", ":CONF:GSM:BS:BCH:ARFC 10"}));
}

TEST_F(Wt4400Bench, theErrorQueueIsReadUntilEmptyAndItsFirstErrorIsReportedWithItsText) {
    const ViSession session = Open();
    ASSERT_EQ(wt4400_setMode(session, 0, 0, "", 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_write(session, "FOO:BAR"), VI_SUCCESS);
    ASSERT_EQ(wt4400_write(session, "CONF:GSM:BS:LEV -999"), VI_SUCCESS);
    const ViStatus status = wt4400_checkErrorQueue(session);
    EXPECT_EQ(status, static_cast<ViStatus>(0xBFFE7F8Fu)); // -113
    ViChar text[WT4400_MESSAGE_SIZE] = {};
    ASSERT_EQ(wt4400_errorMessageEx(session, status, text), VI_SUCCESS);
    EXPECT_STREQ(text, "Instrument Error Message: Undefined header");
    EXPECT_EQ(Strings(instrument.ReceivedLines()),
              (Texts{"FOO:BAR", "CONF:GSM:BS:LEV -999", ":SYST:ERR?", ":SYST:ERR?", ":SYST:ERR?"}));
    ASSERT_EQ(wt4400_errorMessageEx(8, status, text), VI_SUCCESS);
    EXPECT_STREQ(text, "Interface Error");
}

TEST_F(Wt4400Bench, aCheckedQueryReportsTheInstrumentErrorItCaused) {
    const ViSession session = Open();
    ViChar reply[64] = {};
    EXPECT_EQ(wt4400_query(session, ":CALL:MSIN:RXL?;BOGUS?", reply, sizeof reply),
              WT4400_INSTRUMENT_ERROR_BASE - 113);
    EXPECT_STREQ(reply, "0");
    ViInt32 code = -1;
    ViChar errorText[WT4400_ERROR_TEXT_SIZE] = {};
    ASSERT_EQ(wt4400_readError(session, &code, errorText), VI_SUCCESS);
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(errorText, "No error");
}

TEST_F(Wt4400Bench, errorMessagesComeFromTheDriversTable) {
    ViChar text[WT4400_MESSAGE_SIZE] = {};
    const std::pair<ViStatus, const char*> cases[] = {
        {0, "No Error"},
        {-150, "Interface Error"},
        {-200, "Execution Error"},
        {-114, "Timeout Error"},
        {-105, "Interface Error"},
        {VI_ERROR_TMO, "Interface Error"},
        {-401, "A other function should be called before"}};
    for (const auto& [status, expected] : cases) {
        ASSERT_EQ(wt4400_errorMessage(status, text), VI_SUCCESS);
        EXPECT_STREQ(text, expected) << status;
    }
}

TEST_F(Wt4400Bench, txPowerIsMeasuredThroughTheCouplingTableThatMakesUpForTheCable) {
    radio.txPowerDbm = 30.0;
    instrument.SetCableLossDb(1.5);
    instrument.SetCouplingTable("viable.cpl", 1.5);
    const ViSession session = Open();
    double dbm = 0.0;
    ASSERT_EQ(wt4400_measureTxPower(session, &dbm, 1), VI_SUCCESS);
    EXPECT_NEAR(dbm, 28.5, 0.01);
    ASSERT_EQ(wt4400_setCoupling(session, "viable.cpl", 1), VI_SUCCESS);
    ASSERT_EQ(wt4400_setResultMode(session, 2), VI_SUCCESS);
    ASSERT_EQ(wt4400_measureTxPower(session, &dbm, 5), VI_SUCCESS);
    EXPECT_NEAR(dbm, 30.0, 0.01);
    EXPECT_EQ(wt4400_setResultMode(session, 3), WT4400_ERROR_NOT_ALLOWED);
    EXPECT_EQ(wt4400_setCoupling(session, "viable.cpl", 2), VI_ERROR_PARAMETER3);
    std::vector<std::string> commands;
    for (const std::string& line : Lines(session)) {
        if (line != ":SYST:ERR?")
            commands.push_back(line);
    }
    EXPECT_EQ(commands, (Texts{":MEAS:RFTX:POW", ":FETCH:RFTX:POW?",
                               ":CONF:COUP:NAME \"viable.cpl\"", ":CONF:COUP:STAT ON", "*OPC?",
                               ":MEAS:ARR:RFTX:POW? 5", "*OPC?", "CALC:MMAX?"}));
}

TEST_F(Wt4400Bench, theCallWaitsFollowTheTargetsCallWithTheCellOn) {
    const ViSession session = Open();
    EXPECT_EQ(wt4400_waitForConnection(session, 0.3), WT4400_ERROR_TIMEOUT);
    ASSERT_EQ(wt4400_selectCallSystem(session, 1), VI_SUCCESS);
    radio.callStarted = true;
    radio.rxLevel = 50;
    EXPECT_EQ(wt4400_waitForConnection(session, 10.0), VI_SUCCESS);
    ViInt32 rxLevel = 0, rxQuality = -1, advance = -1;
    ASSERT_EQ(wt4400_readMsReport(session, &rxLevel, &rxQuality, &advance), VI_SUCCESS);
    EXPECT_EQ((std::vector<int>{rxLevel, rxQuality, advance}), (std::vector<int>{50, 0, 0}));
    ASSERT_EQ(wt4400_releaseCall(session), VI_SUCCESS);
    ViInt32 state = -1;
    ASSERT_EQ(wt4400_readSignallingState(session, &state), VI_SUCCESS);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(wt4400_waitForConnection(session, -1.0), WT4400_ERROR_NOT_ALLOWED);
}

TEST_F(Wt4400Bench, theFileLogHasTheFixedLayoutWithContinuationLines) {
    const ViSession session = Open();
    const QTemporaryDir dir(QStringLiteral("/tmp/wt4400-XXXXXX"));
    const QByteArray file = dir.filePath("log.txt").toLocal8Bit();
    EXPECT_EQ(wt4400_setMode(session, 1, 2, QByteArray(51, 'x').constData(), 0),
              VI_ERROR_PARAMETER3);
    EXPECT_EQ(wt4400_setMode(session, 1, 2, file.constData(), 2), VI_ERROR_PARAMETER4);
    ASSERT_EQ(wt4400_setMode(session, 1, 2, file.constData(), 0), VI_SUCCESS);
    ASSERT_EQ(wt4400_write(session, "*RST"), VI_SUCCESS);
    const QByteArray message = QByteArray(60, 'a') + QByteArray(59, 'b') + "c";
    wt4400_log(VI_ERROR_TMO, "write", message.constData(), session);
    ASSERT_EQ(wt4400_setMode(session, 2, 2, file.constData(), 1), VI_SUCCESS);
    ViChar reply[8] = {};
    ASSERT_EQ(wt4400_read(reply, sizeof reply, session), VI_SUCCESS);
    QFile log(QString::fromLocal8Bit(file));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString blanks(31, ' ');
    EXPECT_EQ(QString::fromLatin1(log.readAll()), "INSTR.  |ID|    STATUS|IO-MODE|MESSAGE\n"
                                                  "WT4400   1 0x00000000 E write*RST\n"
                                                  "WT4400   1 0xbfff0015 E write" +
                                                      QString(60, 'a') + "\n" + blanks +
                                                      QString(59, 'b') + "\n" + blanks +
                                                      "c\n"
                                                      "INSTR.  |ID|    STATUS|IO-MODE|MESSAGE\n"
                                                      "WT4400   1 0x00000000 S read(nothing!)\n");
}

TEST_F(Wt4400Bench, theConsoleLogAndTheFoundResourcesGoToTheDriversLoggingCategory) {
    QLoggingCategory::setFilterRules(QStringLiteral("rftune.wt4400.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(CaptureDriverLog);
    const ViSession session = Open();
    ASSERT_EQ(wt4400_setMode(session, 0, 1, "", 1), VI_SUCCESS);
    ASSERT_EQ(wt4400_write(session, "*CLS"), VI_SUCCESS);
    VisaConfig::Instance().SetAlias("GPIB1::7::INSTR", "TCPIP0::127.0.0.1::1::SOCKET");
    EXPECT_EQ(wt4400_findResources(1), VI_SUCCESS);
    EXPECT_EQ(wt4400_findResources(2), VI_ERROR_RSRC_NFOUND);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
    EXPECT_EQ(g_driverLog, (QStringList{"INSTR.  |ID|    STATUS|IO-MODE|MESSAGE",
                                        "WT4400   1 0x00000000   write*CLS", "found GPIB1::7"}));
    EXPECT_EQ(VisaRegistry::Instance().Count(VisaKind::ResourceManager), 1); // the session's
}
