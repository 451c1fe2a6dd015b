#include "tests/sim/a8960/Virtual8960Fixture.h"

namespace {

const QByteArray kUndefined = "-113,\"Undefined header\"";
const QByteArray kOutOfRange = "-222,\"Data out of range\"";

struct Form {
    const char* command;
    const char* query;
    const char* reply;
};

} // namespace

TEST_F(Virtual8960Test, theStationsLinesReachTheirSettingsInLongShortAndMixedForms) {
    const Form forms[] = {
        {"CALL:FUNCTION:DOWNLINK CW", "CALL:FUNC:DOWN?", "CW"},
        {"call:cell:func:down bchtch", "CALL:FUNCTION:DOWNLINK?", "BCHTCH"},
        {"CALL:OPER:MODE TEST", "CALL:CELL:OPERATING:MODE?", "TEST"},
        {"Call:Operating:Mode Cell", "CALL:OPER:MODE?", "CALL"},
        {"CALL:CELL:RFGenerator:BAND EGSM", "CALL:RFG:BAND?", "EGSM"},
        {"CALL:CELL:RFGENERATOR:CHANNEL:EGSM 62", "CALL:RFG:CHAN?", "62"},
        {"CALL:CELL:RFGENERATOR:FREQUENCY 947467000", "CALL:RFG:FREQ?", "+9.47467000E+008"},
        {"CALL:BAND DCS", "CALL:CELL:BAND:SELECTED?", "DCS"},
        {"CALL:BCH:DCS 600", "CALL:CELL:BCHANNEL:ARFCN:SELECTED?", "600"},
        {"CALL:BCHANNEL:ARFCN:EGSM 975", "CALL:BCH:EGSM?", "975"},
        {"CALL:TCH:BAND PCS", "CALL:TCHANNEL:BAND?", "PCS"},
        {"CALL:TCH 810", "CALL:TCH:ARFC:PCS?", "810"},
        {"CALL:TCHANNEL:ARFCN:SELECTED 700", "CALL:TCH?", "700"},
        {"CALL:MS:TXL:PCS 7", "CALL:MS:TXLEVEL:SELECTED?", "7"},
        {"CALL:MS:TXLEVEL:GSM850 31", "CALL:MS:TXL:GSM850?", "31"},
        {"CALL:POW -60", "CALL:CELL:POWER:SAMPLITUDE:SELECTED?", "-6.00000000E+001"},
        {"CALL:POW:STAT OFF", "CALL:CELL:POWER:STATE?", "0"},
        {"SYST:CORR:SFR 900MHZ", "SYSTEM:CORRECTION:SFREQUENCY?", "+9.00000000E+008"},
        {"SYST:CORR:SFR 0.8 GHZ,1800 MHZ", "SYST:CORR:SFR?", "+8.00000000E+008,+1.80000000E+009"},
        {"SYSTEM:CORRECTION:SGAIN -1.5,-2.25 DB", "SYST:CORR:SGA?",
         "-1.50000000E+000,-2.25000000E+000"},
        {"SYST:CORR:STAT ON", "SYSTEM:CORRECTION:STATE?", "1"},
        {"CALL:CONN:TIM 5", "CALL:CONNECTED:TIMEOUT?", "+5.00000000E+000"},
        {"CALL:CONNECTED:TIMEOUT 500 MS", "CALL:CONN:TIM?", "+5.00000000E-001"},
    };
    for (const Form& form : forms) {
        EXPECT_EQ(Send(form.command), "(none)") << form.command;
        EXPECT_EQ(Send(form.query), form.reply) << form.command;
    }
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Virtual8960Test, aLineOfSeveralUnitsFollowsTheHeaderPathAndJoinsItsReplies) {
    EXPECT_EQ(Send("CALL:BAND DCS;BCH:DCS 600;SEL?;:CALL:BAND?;*OPC?"), "600;DCS;1");
    EXPECT_EQ(Send("SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA -2;:SYST:CORR:STAT ON;SGA?"),
              "-2.00000000E+000");
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Virtual8960Test, channelsAreCheckedAgainstTheirBand) {
    const struct {
        const char* band;
        int lowest;
        int highest;
    } bands[] = {{"PGSM", 1, 124}, {"DCS", 512, 885}, {"PCS", 512, 810}, {"GSM850", 128, 251}};
    for (const auto& band : bands) {
        const QByteArray header = QByteArray("CALL:TCH:") + band.band + ' ';
        EXPECT_EQ(Send(header + QByteArray::number(band.lowest) + ";*OPC?"), "1");
        EXPECT_EQ(Send(header + QByteArray::number(band.highest) + ";*OPC?"), "1");
        Send(header + QByteArray::number(band.lowest - 1));
        Send(header + QByteArray::number(band.highest + 1));
        EXPECT_EQ(Errors(), (QList<QByteArray>{kOutOfRange, kOutOfRange})) << band.band;
        EXPECT_EQ(Send(QByteArray("CALL:TCH:") + band.band + '?'),
                  QByteArray::number(band.highest));
    }
    for (const char* egsm : {"0", "124", "975", "1023"})
        EXPECT_EQ(Send(QByteArray("CALL:BCH:EGSM ") + egsm + ";*OPC?"), "1");
    Send("CALL:BCH:EGSM 125");
    Send("CALL:BCH:EGSM 974");
    EXPECT_EQ(Errors(), (QList<QByteArray>{kOutOfRange, kOutOfRange}));
}

// How a line runs and ends on an error is the shared parser's (DialTest); here the 8960's own
// ranges, values and units, none of which is taken.
TEST_F(Virtual8960Test, valuesOutsideTheirRangeTypeOrUnitAreRefusedAndNothingIsTaken) {
    for (const char* line :
         {"CALL:MS:TXL 32", "CALL:POW loud", "CALL:POW -60 DB", "CALL:OPER:MODE GPRS",
          "CALL:BAND TGSM", "CALL:TCH 30.5", "CALL:CONN:TIM 101", "CALL:POW -60,-70", "CALL:POW 0"})
        Send(line);
    EXPECT_EQ(Errors(),
              (QList<QByteArray>{kOutOfRange, "-104,\"Data type error\"",
                                 "-104,\"Data type error\"", "-224,\"Illegal parameter value\"",
                                 "-224,\"Illegal parameter value\"", "-104,\"Data type error\"",
                                 kOutOfRange, "-108,\"Parameter not allowed\"", kOutOfRange}));
    EXPECT_EQ(Send("CALL:POW?;:CALL:MS:TXL?"), "-8.50000000E+001;15");
}

TEST_F(Virtual8960Test, presetsKeepTheAmplitudeOffsetAndThePartialOneKeepsTheChannels) {
    Send("SYST:CORR:SFR 1800MHZ;:SYST:CORR:SGA -3;:SYST:CORR:STAT ON");
    Send("CALL:OPER:MODE TEST;:CALL:FUNC:DOWN CW;:CALL:TCH:BAND DCS;:CALL:TCH 600");
    Send("BOGUS");
    Send("SYST:PRES3");
    EXPECT_EQ(Send("CALL:OPER:MODE?;:CALL:FUNC:DOWN?;:CALL:TCH:BAND?;:CALL:TCH?"),
              "CALL;BCHTCH;DCS;600");
    Send("*RST");
    EXPECT_EQ(Send("CALL:TCH:BAND?;:CALL:TCH?;:CALL:POW?;:CALL:POW:STAT?"),
              "PGSM;30;-8.50000000E+001;1");
    EXPECT_EQ(Send("SYST:CORR:SFR?;SGA?;STAT?"), "+1.80000000E+009;-3.00000000E+000;1");
    EXPECT_EQ(Errors(), QList<QByteArray>{kUndefined}); // neither preset clears the queue
    Send("BOGUS");
    Send("*CLS");
    EXPECT_TRUE(Errors().isEmpty());
}
