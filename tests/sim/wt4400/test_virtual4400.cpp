#include "sim/wt4400/Virtual4400.h"
#include "tests/sim/support/RadioInstrumentTest.h"

#include <gtest/gtest.h>

using Virtual4400Test = RadioInstrumentTest<Virtual4400>;

// How a line runs and ends on an error is the shared parser's (DialTest); here the 4400's own
// ranges and values.
TEST_F(Virtual4400Test, aLevelOutOfRangeAndAModulationItLacksAreRefused) {
    Send("RFG:LEV 12");
    Send("RFG:MOD QPSK");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"-222,\"Data out of range\"",
                                           "-224,\"Illegal parameter value\""}));
}

TEST_F(Virtual4400Test, aFullErrorQueueEndsInQueueOverflow) {
    for (size_t i = 0; i < ScpiErrorQueue::kCapacity + 3; ++i)
        Send("FOO");
    const QList<QByteArray> errors = Errors();
    ASSERT_EQ(errors.size(), static_cast<qsizetype>(ScpiErrorQueue::kCapacity));
    EXPECT_EQ(errors.last(), "-350,\"Queue overflow\"");
}

TEST_F(Virtual4400Test, headersResolveRelativeToThePreviousOneInShortOrLongForm) {
    Send(":CONF:CSYS GEN;:RFG:STAT ON");
    Send("RFG:FREQ 947400000.000000;LEV -60.000000;MOD GMSK;STYP CWAV;:RFG:BURS:TSL 4");
    EXPECT_TRUE(radio.cwOn.load());
    EXPECT_EQ(radio.cwFrequencyHz.load(), 947400000.0);
    EXPECT_EQ(radio.cwLevelDbm.load(), -60.0);
    Send("RFGENERATOR:LEVEL -74.5");
    EXPECT_EQ(radio.cwLevelDbm.load(), -74.5);
    EXPECT_EQ(Send(":RFG:MOD:BITP PRBS15;BITP?;:RFG:STYP?;BURS:TSL?;:RFG:LEV?"),
              "PRBS15;CWAV;4;-74.50");
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Virtual4400Test,
       aCallConnectsWhenTheTargetCallsWithTheCellOnAndAReleaseHoldsUntilItHangsUp) {
    radio.callStarted = true;
    radio.rxLevel = 47;
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "0"); // no cell
    Send(":CONF:CSYS GSM;:CONF:GSM:BS:LEV -60");
    EXPECT_EQ(radio.cellPowerDbm.load(), -60.0);
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "4");
    EXPECT_EQ(Send(":CALL:MSINFO:RXLEVEL?"), "47");
    EXPECT_EQ(Send(":CALL:MSIN:RXL?;RXQ?;TADV?"), "47;0;0");
    Send(":CALL:BSR");
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "0");
    EXPECT_EQ(Send(":CALL:MSIN:RXL?"), "0");
    radio.callStarted = false;
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "0");
    radio.callStarted = true;
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "4");
    Send(":CONF:CSYS NONE");
    EXPECT_EQ(radio.cellPowerDbm.load(), RadioPath::kCellOffDbm);
}

// The TX power through the cable and through the coupling table is the driver's test against
// this instrument; here the cell level, and no result before a measurement.
TEST_F(Virtual4400Test, theCellLevelCarriesTheCableLossUnlessACouplingTableMakesUpForIt) {
    instrument.SetCableLossDb(2.0);
    instrument.SetCouplingTable("viable.cpl", 2.0);
    EXPECT_EQ(Send(":FETCH:RFTX:POW?"), "9.91E37");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"370,\"No results available\""}));
    Send(":CONF:COUP:NAME \"viable.cpl\";:CONF:COUP:STAT ON");
    Send(":CONF:CSYS GSM;:CONF:GSM:BS:LEV -60");
    EXPECT_EQ(radio.cellPowerDbm.load(), -60.0);
    Send(":CONF:COUP:STAT OFF");
    EXPECT_EQ(radio.cellPowerDbm.load(), -62.0);
    Send(":CONF:COUP:NAME \"missing.cpl\"");
    EXPECT_EQ(Errors(), (QList<QByteArray>{"-224,\"Illegal parameter value\""}));
}

// A measurement that fails gives the instrument's error reply and leaves the call. *RST ends the
// call and the generator and tunes the analyser back to its default channel, so that nothing the
// unit sends on its own channel is measured until the station sets the instrument up again.
TEST_F(Virtual4400Test, aFailedMeasurementGivesTheErrorReplyAndAfterAResetNothingIsMeasured) {
    radio.callStarted = true;
    radio.rxLevel = 47;
    radio.txPowerDbm = 30.0;
    radio.txFrequencyHz = 902.4e6; // ARFCN 62
    instrument.FailMeasurements({2, 3});
    Send(":CONF:CSYS GSM;:CONF:GSM:BS:TCH:ARFC 62;:MEAS:RFTX:POW");
    EXPECT_EQ(Send(":FETCH:RFTX:POW?"), "30.00");
    EXPECT_EQ(Send(":FETCH:RFTX:POW?"), "9.91E37");
    EXPECT_EQ(Send(":CALL:MSINFO:RXLEVEL?"), "9.91E37");
    const QByteArray noResults = "370,\"No results available\"";
    EXPECT_EQ(Errors(), (QList<QByteArray>{noResults, noResults}));
    EXPECT_EQ(Send(":CALL:MSINFO:RXLEVEL?"), "47");

    Send("*RST");
    EXPECT_EQ(Send(":STAT:OPER:SIGN:COND?"), "0");
    EXPECT_EQ(Send(":CALL:MSINFO:RXLEVEL?"), "0");
    Send(":MEAS:RFTX:POW");
    EXPECT_EQ(Send(":FETCH:RFTX:POW?"), "9.91E37");
    Send(":CONF:CSYS GEN;:RFG:STAT ON");
    EXPECT_TRUE(radio.cwOn.load());
    Send("*RST");
    EXPECT_FALSE(radio.cwOn.load());
    EXPECT_EQ(Errors(), QList<QByteArray>{noResults});
}
