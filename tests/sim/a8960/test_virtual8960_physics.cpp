#include "tests/sim/a8960/Virtual8960Fixture.h"

#include <QRegularExpression>

namespace {

constexpr double kGsmLossDb = 1.7;
constexpr double kDcsLossDb = 2.9;

class Virtual8960PhysicsTest : public Virtual8960Test {
protected:
    void SetUp() override { instrument.SetCableLossDb(kGsmLossDb, kDcsLossDb); }

    // The power of a "READ:TXP?" reply; integrity 0 expected.
    double MeasuredTxDbm() {
        const QByteArray reply = Send("READ:TXP?");
        EXPECT_TRUE(QRegularExpression(R"(^0,[+-]\d\.\d{8}E[+-]\d{3}$)")
                        .match(QString::fromLatin1(reply))
                        .hasMatch())
            << reply.constData();
        return reply.mid(2).toDouble();
    }
    void CompensateCable(double lossDb) {
        Send("SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA " + QByteArray::number(-lossDb) +
             ";:SYST:CORR:STAT ON");
    }
};

} // namespace

// What the 8960 measures of a transmitting unit, the cable loss by band taken off or made up for,
// is the bench's test through both bands and the whole chain's through the station's operations.
TEST_F(Virtual8960PhysicsTest, aTargetThatDoesNotTransmitGivesNoResult) {
    CompensateCable(kGsmLossDb);
    radio.txPowerDbm = -49.0;
    EXPECT_EQ(Send("READ:TXP?"), "1,9.91E+37"); // below the floor after the cable
    radio.txPowerDbm = -48.0;
    EXPECT_NEAR(MeasuredTxDbm(), -48.0, 0.05);
}

TEST_F(Virtual8960PhysicsTest,
       theCellLevelReachesTheTargetLessTheCableUnlessTheOffsetMakesUpForIt) {
    EXPECT_DOUBLE_EQ(radio.cellPowerDbm.load(),
                     -85.0 - kGsmLossDb); // an active cell from the start
    Send("CALL:BAND EGSM;:CALL:POW -60");
    EXPECT_DOUBLE_EQ(radio.cellPowerDbm.load(), -60.0 - kGsmLossDb);
    CompensateCable(kGsmLossDb);
    EXPECT_NEAR(radio.cellPowerDbm.load(), -60.0, 1e-9);
    // A DCS traffic channel under the EGSM BCH, as in the RX calibration: the loss at its
    // frequency.
    Send("CALL:TCH:BAND DCS;:CALL:TCH:DCS 885");
    EXPECT_NEAR(radio.cellPowerDbm.load(), -60.0 + kGsmLossDb - kDcsLossDb, 1e-9);
    instrument.SetCableLossDb(kGsmLossDb, kGsmLossDb);
    EXPECT_NEAR(radio.cellPowerDbm.load(), -60.0, 1e-9);
    Send("CALL:POW:STAT OFF");
    EXPECT_EQ(radio.cellPowerDbm.load(), RadioPath::kCellOffDbm);
    Send("CALL:POW -70"); // a level switches the cell back on
    EXPECT_NEAR(radio.cellPowerDbm.load(), -70.0, 1e-9);
    EXPECT_FALSE(radio.cwOn.load());
}

TEST_F(Virtual8960PhysicsTest, theOffsetIsInterpolatedBetweenItsPoints) {
    Send("SYST:CORR:SFR 900MHZ,1800MHZ;:SYST:CORR:SGA -1,-3;:SYST:CORR:STAT ON");
    Send("CALL:TCH:BAND EGSM;:CALL:TCH 62;:CALL:POW -60"); // downlink 947.4 MHz
    const double gainDb = -1.0 - 2.0 * (947.4 - 900.0) / 900.0;
    EXPECT_NEAR(radio.cellPowerDbm.load(), -60.0 - gainDb - kGsmLossDb, 1e-9);
    Send("CALL:TCH:BAND DCS;:CALL:TCH 885"); // 1879.8 MHz, beyond the last point
    EXPECT_NEAR(radio.cellPowerDbm.load(), -60.0 + 3.0 - kDcsLossDb, 1e-9);
}

TEST_F(Virtual8960PhysicsTest, theCwToneTakesTheCellsPlaceOnlyInTestModeWithACwDownlink) {
    Send("CALL:FUNCTION:DOWNLINK CW"); // not in test mode: still the cell
    EXPECT_FALSE(radio.cwOn.load());
    Send("CALL:OPER:MODE TEST;:CALL:BAND EGSM;:CALL:CELL:RFGenerator:BAND EGSM");
    Send("CALL:CELL:RFGENERATOR:CHANNEL:EGSM 62");
    CompensateCable(kGsmLossDb);
    Send("CALL:POW -74.5");
    EXPECT_TRUE(radio.cwOn.load());
    EXPECT_EQ(radio.cellPowerDbm.load(), RadioPath::kCellOffDbm);
    EXPECT_DOUBLE_EQ(radio.cwFrequencyHz.load(), 947.4e6);
    EXPECT_NEAR(radio.cwLevelDbm.load(), -74.5, 1e-9);
    Send("CALL:CELL:RFGENERATOR:FREQUENCY 947467000");
    EXPECT_DOUBLE_EQ(radio.cwFrequencyHz.load(), 947467000.0);
    Send("CALL:CELL:RFGenerator:BAND DCS;:CALL:CELL:RFGENERATOR:CHANNEL:DCS 698");
    EXPECT_DOUBLE_EQ(radio.cwFrequencyHz.load(), 1842.4e6); // the channel replaces the frequency
    EXPECT_NEAR(radio.cwLevelDbm.load(), -74.5 + kGsmLossDb - kDcsLossDb, 1e-9);
    Send("CALL:FUNC:DOWN BCHTCH");
    EXPECT_FALSE(radio.cwOn.load());
    EXPECT_NEAR(radio.cellPowerDbm.load(), -74.5, 1e-9);
    Send("CALL:FUNC:DOWN CW");
    EXPECT_TRUE(radio.cwOn.load());
    Send("SYST:PRES3");
    EXPECT_FALSE(radio.cwOn.load());
}

TEST_F(Virtual8960PhysicsTest, theGeneratorTunesToTheDownlinkOfEachBandsChannels) {
    const struct {
        const char* band;
        int arfcn;
        double downlinkMhz;
    } channels[] = {{"PGSM", 1, 935.2},    {"EGSM", 0, 935.0},    {"EGSM", 975, 925.2},
                    {"EGSM", 1023, 934.8}, {"DCS", 512, 1805.2},  {"DCS", 885, 1879.8},
                    {"PCS", 810, 1989.8},  {"GSM850", 128, 869.2}};
    Send("CALL:OPER:MODE TEST;:CALL:FUNC:DOWN CW");
    for (const auto& channel : channels) {
        Send(QByteArray("CALL:RFG:BAND ") + channel.band + ";CHAN " +
             QByteArray::number(channel.arfcn));
        EXPECT_NEAR(radio.cwFrequencyHz.load(), channel.downlinkMhz * 1e6, 1.0)
            << channel.band << ' ' << channel.arfcn;
    }
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Virtual8960PhysicsTest, aCallIsConnectedOnlyInCallModeWithTheCellOn) {
    radio.callStarted = true;
    radio.rxLevel = 47;
    EXPECT_EQ(Send("CALL:CONN?"), "1");
    EXPECT_EQ(Send("CALL:MS:REPorted:RXLevel:NEW?;NEW?;NEW?"), "47;47;47");
    Send("CALL:OPER:MODE TEST");
    EXPECT_EQ(Send("CALL:CONN?"), "0");
    EXPECT_EQ(Send("CALL:MS:REP:RXL?"), "9.91E+37");
    Send("SYST:PRES3");
    EXPECT_EQ(Send("CALL:CONN?"), "1");
    Send("CALL:POW:STAT OFF");
    EXPECT_EQ(Send("CALL:CONN?"), "0");
    EXPECT_EQ(Send("CALL:MS:REPorted:RXLevel:LAST?"), "9.91E+37");
    Send("CALL:POW -60");
    radio.callStarted = false;
    EXPECT_EQ(Send("CALL:CONN?"), "0");
    EXPECT_EQ(Send("CALL:MS:REP:RXL?"), "9.91E+37");
}

// A measurement that fails answers no value with its error queued, as the driver's check after
// the query finds it; the call and the settings stay, so the next one measures again.
TEST_F(Virtual8960PhysicsTest, aFailedMeasurementAnswersNoValueWithItsErrorAndTheCallStays) {
    radio.callStarted = true;
    radio.rxLevel = 47;
    radio.txPowerDbm = 30.0;
    radio.txFrequencyHz = 902.4e6; // ARFCN 62
    Send("CALL:TCH:BAND EGSM;:CALL:TCH:EGSM 62");
    CompensateCable(kGsmLossDb);
    instrument.FailMeasurements({1, 3});
    EXPECT_EQ(Send("READ:TXP?"), "1,9.91E+37");
    EXPECT_NEAR(MeasuredTxDbm(), 30.0, 0.05);
    EXPECT_EQ(Send("CALL:MS:REPorted:RXLevel:NEW?;NEW?;NEW?"), "9.91E+37;47;47");
    const QByteArray stale = "-230,\"Data corrupt or stale\"";
    EXPECT_EQ(Errors(), (QList<QByteArray>{stale, stale}));
    EXPECT_EQ(Send("CALL:CONN?"), "1");
    EXPECT_EQ(Send("CALL:MS:REPorted:RXLevel:LAST?"), "47");
}
