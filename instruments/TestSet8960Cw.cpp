// The 8960's part of the GMAGIC calibration: a CW tone near the band's middle channel.
#include "drivers/age1960/age1960.h"
#include "instruments/TestSet8960.h"
#include "instruments/TestSetLevels.h"

void TestSet8960::SetupCw() {
    const ViSession session = Session();
    Step(age1960_operatingMode(session, AGE1960_MODE_TEST)) &&
        Step(age1960_cmd(session, "CALL:FUNCTION:DOWNLINK CW")) &&
        Step(age1960_cellBand(session, 1, Context().band));
}

void TestSet8960::ConfigureCw() {
    const InstrumentContext& context = Context();
    const ViSession session = Session();
    const bool gsm = context.band == kBandEgsm;
    if (Step(age1960_cmd(session, gsm ? "CALL:CELL:RFGenerator:BAND EGSM"
                                      : "CALL:CELL:RFGenerator:BAND DCS")) &&
        Step(age1960_cmd(session, gsm ? "CALL:CELL:RFGENERATOR:CHANNEL:EGSM 62"
                                      : "CALL:CELL:RFGENERATOR:CHANNEL:DCS 698"))) {
        age1960_amplitudeOffset(session, context.cableLossDb);
        Step(age1960_cellPower(session, 1, kCwLevelDbm, 0, 0));
    }
}

void TestSet8960::SendCwFrequency(double hz) {
    Step(age1960_cmdReal(Session(), "CALL:CELL:RFGENERATOR:FREQUENCY", hz));
}
