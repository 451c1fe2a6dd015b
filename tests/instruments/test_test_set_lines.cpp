#include "tests/instruments/InstrumentRig.h"

#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::IsSupersetOf;

// The lines each operation sends to each test set, in order: what the calibration relies on.

namespace {

using TestSetLines = ChannelRig;

// Whether lines holds wanted in this order, other lines in between allowed.
bool InOrder(const QByteArrayList& lines, const QByteArrayList& wanted) {
    qsizetype at = 0;
    for (const QByteArray& line : lines) {
        if (at < wanted.size() && line == wanted[at])
            ++at;
    }
    return at == wanted.size();
}

constexpr const char* kOffset13 = "SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA -1.3;:SYST:CORR:STAT ON";

} // namespace

TEST_F(TestSetLines, the8960TxSetUpMeasuresOnTheCalibratedChannelAndLevel) {
    Open(kTestSet8960);
    EXPECT_EQ(events, QList<TestSetEvent>{TestSetEvent::Opened});
    testSet->SetupTxMeasurement();
    EXPECT_THAT(Lines8960(), ElementsAre("CALL:OPER:MODE TEST", "CALL:FUNCTION:DOWNLINK BCHTCH",
                                         "INIT:TXP;PFER", "SETup:CONTinuous:ON"));
    ForgetLines();
    testSet->ConfigureTxCalibration();
    EXPECT_THAT(Lines8960(),
                ElementsAre("CALL:BAND EGSM", "CALL:TCH:BAND EGSM", kOffset13, "CALL:POW -60",
                            "CALL:BCH:EGSM 20", "CALL:TCH:EGSM 62", "CALL:MS:TXL:EGSM 5"));
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    ForgetLines();
    // Nothing transmits: no result, which counts as a failure rather than a power.
    EXPECT_EQ(testSet->MeasureTxPower(), std::nullopt);
    EXPECT_THAT(Lines8960(), ElementsAre("READ:TXP?"));
    EXPECT_EQ(cal.instrumentErrorCount, 1);
}

TEST_F(TestSetLines, aDcsLevelStoredAs105ReachesThe8960AsLevel5) {
    Open(kTestSet8960);
    cal.band = kBandDcs;
    cal.tchChannel = 698;
    cal.powerLevel = 105;
    testSet->SetMsPowerLevel();
    testSet->SetTxLevelAndChannel();
    cal.cableLossDb = -1.8;
    testSet->SetAmplitudeOffset();
    EXPECT_THAT(Lines8960(),
                ElementsAre("CALL:MS:TXL:DCS 5", "CALL:MS:TXL:DCS 5", "CALL:TCH:DCS 698",
                            "SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA -1.8;:SYST:CORR:STAT ON"));
}

TEST_F(TestSetLines, the8960RxCalibrationPassesThePlainLevelUnchanged) {
    Open(kTestSet8960);
    testSet->SetupRxCalibration();
    cal.band = kBandDcs;
    cal.tchChannel = 512;
    testSet->SetRxLossAndLevel();
    testSet->SetTrafficChannel();
    EXPECT_THAT(Lines8960(), ElementsAre("CALL:BAND EGSM", "CALL:BCH:EGSM 20", "CALL:POW -60",
                                         "CALL:TCH:BAND DCS", kOffset13, "CALL:POW -60",
                                         "CALL:MS:TXL:DCS 5", "CALL:TCH:DCS 512"));
}

TEST_F(TestSetLines, the8960CwToneForGmagic) {
    Open(kTestSet8960);
    testSet->SetupCwDownlink();
    testSet->ConfigureCwGenerator();
    cal.cwOffsetSelector = 1;
    testSet->SetCwFrequency();
    EXPECT_THAT(Lines8960(),
                ElementsAre("CALL:OPER:MODE TEST", "CALL:FUNCTION:DOWNLINK CW", "CALL:BAND EGSM",
                            "CALL:CELL:RFGenerator:BAND EGSM",
                            "CALL:CELL:RFGENERATOR:CHANNEL:EGSM 62", kOffset13, "CALL:POW -74.5",
                            "CALL:CELL:RFGENERATOR:FREQUENCY 947333000"));
    ForgetLines();
    cal.band = kBandDcs;
    cal.cwOffsetSelector = 0;
    testSet->ConfigureCwGenerator();
    testSet->SetCwFrequency();
    EXPECT_THAT(Lines8960(), IsSupersetOf({"CALL:CELL:RFGenerator:BAND DCS",
                                           "CALL:CELL:RFGENERATOR:CHANNEL:DCS 698",
                                           "CALL:CELL:RFGENERATOR:FREQUENCY 1842467000"}));
}

TEST_F(TestSetLines, the8960CallCheckPresetAndReset) {
    Open(kTestSet8960);
    testSet->WaitForCallConnected();
    testSet->PresetTestSet();
    testSet->ClearAndResetTestSet();
    EXPECT_TRUE(InOrder(Lines8960(),
                        {"CALL:CONN:ARM", "CALL:CONN:TIM 5", "CALL:CONN?", "SYST:PRES3", "*RST"}));
    EXPECT_EQ(events, (QList<TestSetEvent>{TestSetEvent::Opened, TestSetEvent::Preset,
                                           TestSetEvent::Preset}));
}

TEST_F(TestSetLines, theWilltekTxSetUpUsesItsCouplingTableAndTheUplinkFrequency) {
    Open(kTestSet4400);
    testSet->SetupTxMeasurement();
    testSet->ConfigureTxCalibration();
    EXPECT_EQ(cal.instrumentErrorCount, 0);
    // Nothing transmits: no result, which counts as a failure rather than a power.
    EXPECT_EQ(testSet->MeasureTxPower(), std::nullopt);
    EXPECT_EQ(cal.instrumentErrorCount, 1);
    cal.tchChannel = 124;
    testSet->SetTxLevelAndChannel();
    // The end of the TX calibration presets the Willtek.
    testSet->ClearAndResetTestSet();
    const QByteArrayList lines = Lines4400();
    EXPECT_TRUE(InOrder(lines, {":CONF:CSYS GEN;:RFG:STAT ON", ":CONF:COUP:NAME \"viable.cpl\"",
                                ":CONF:COUP:STAT ON", ":CONF:COUP:STAT ON", "RFG:LEV -60",
                                "RFAN:FREQ 902400000.000000", "RFAN:FREQ 914800000.000000"}))
        << lines.join('\n').toStdString();
    EXPECT_EQ(lines.last(), "*RST");
}

TEST_F(TestSetLines, theWilltekRxAndCwLinesJoinHeaderAndValueWithOneBlank) {
    Open(kTestSet4400);
    testSet->SetupRxCalibration();
    testSet->SetRxLossAndLevel();
    testSet->SetTrafficChannel();
    testSet->ReadReportedRxLevel();
    testSet->ConfigureCwGenerator();
    cal.cwOffsetSelector = 1;
    testSet->SetCwFrequency();
    const QByteArrayList lines = Lines4400();
    EXPECT_TRUE(
        InOrder(lines, {"CONF:GSM:BS:LEV -60", "CONF:GSM:BS:LEV -60", "CONF:GSM:MSTA:PLEV 5",
                        "CONF:GSM:BS:TCH:ARFC 62", ":CALL:MSINFO:RXLEVEL?", "RFG:LEV -74.500000",
                        "RFG:FREQ 947333000"}))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("RFG:FREQ 947400000.000000;LEV -60.000000;MOD GMSK;STYP CWAV;:RFG:"
                               "BURS:TSL 4;:RFG:MOD:TSEQ:STAT ON;:RFG:MOD:TSEQ 4;:RFG:MOD:BITP "
                               "PRBS15"))
        << lines.join('\n').toStdString();
}

TEST(UplinkFrequency, followsTheBandsOfTheArfcn) {
    EXPECT_NEAR(UplinkFrequencyMHz(0), 0.0, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(1), 890.2, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(124), 914.8, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(975), 880.2, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(512), 1710.2, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(885), 1784.8, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(125), 0.0, 1e-9);
    EXPECT_NEAR(UplinkFrequencyMHz(1024), 0.0, 1e-9);
}
