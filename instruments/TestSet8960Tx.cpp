// The 8960's part of the TX calibration.
#include "drivers/age1960/age1960.h"
#include "instruments/TestSet8960.h"
#include "instruments/TestSetLevels.h"

ViInt32 TestSet8960::MsTxLevel() const {
    const InstrumentContext& context = Context();
    return context.band == kBandDcs ? context.powerLevel - 100 : context.powerLevel;
}

ViStatus TestSet8960::SendMsTxLevel() {
    return age1960_MSTXLevel(Session(), MsTxLevel(), Context().band, 1);
}

ViStatus TestSet8960::SendTchChannel() {
    return age1960_TCHARFCN(Session(), Context().tchChannel, Context().band, 1);
}

void TestSet8960::SetupTx() {
    const ViSession session = Session();
    const ViInt16 functions[] = {AGE1960_MEAS_TXP, AGE1960_MEAS_PFER};
    Step(age1960_operatingMode(session, AGE1960_MODE_TEST)) &&
        Step(age1960_cmd(session, "CALL:FUNCTION:DOWNLINK BCHTCH")) &&
        Step(age1960_initMeasFcn(session, 2, functions)) &&
        Step(age1960_cmd(session, "SETup:CONTinuous:ON"));
}

void TestSet8960::ConfigureTx() {
    const InstrumentContext& context = Context();
    const ViSession session = Session();
    Step(age1960_cellBand(session, 1, context.band)) &&
        Step(age1960_TCHBand(session, context.band)) &&
        Step(age1960_amplitudeOffset(session, context.cableLossDb)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0)) &&
        Step(age1960_BCHARFCN(session, 1, context.bchChannel, context.band, 1)) &&
        Step(SendTchChannel()) && Step(SendMsTxLevel());
}

void TestSet8960::SendMsPowerLevel() {
    Step(SendMsTxLevel());
}

std::optional<TxPowerReading> TestSet8960::ReadTxPower() {
    TxPowerReading reading;
    if (!Succeeded(age1960_readTXPower_Q(Session(), 0, &reading.integrity, &reading.dbm)))
        return std::nullopt;
    return reading;
}

void TestSet8960::SendTxLevelAndChannel() {
    Step(SendMsTxLevel()) && Step(SendTchChannel());
}

void TestSet8960::SendAmplitudeOffset() {
    Step(age1960_amplitudeOffset(Session(), Context().cableLossDb));
}
