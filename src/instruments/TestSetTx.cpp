// The TX calibration's test set operations.
#include "TestSet.h"
#include "TestSetSteps.h"
#include "age1960.h"
#include "wt4400.h"

namespace {

ViStatus Send8960MsTxLevel() {
    const CalibrationContext& cal = CalContext();
    return age1960_MSTXLevel(cal.testSetSession, MsTxLevel(), cal.band, 1);
}

ViStatus Send8960TchChannel() {
    const CalibrationContext& cal = CalContext();
    return age1960_TCHARFCN(cal.testSetSession, cal.tchChannel, cal.band, 1);
}

// The Willtek's analyser follows the target's transmit frequency of the TCH channel.
ViStatus SendWillAnalyserFrequency() {
    return WriteWillLine("RFAN:FREQ ", UplinkFrequencyMHz(CalContext().tchChannel) * 1000000.0, 6);
}

void Setup8960TxMeasurement() {
    const ViSession session = TestSetSessionField();
    const ViInt16 functions[] = {AGE1960_MEAS_TXP, AGE1960_MEAS_PFER};
    Step(age1960_operatingMode(session, AGE1960_MODE_TEST)) &&
        Step(age1960_cmd(session, "CALL:FUNCTION:DOWNLINK BCHTCH")) &&
        Step(age1960_initMeasFcn(session, 2, functions)) &&
        Step(age1960_cmd(session, "SETup:CONTinuous:ON"));
}

void Configure8960Tx() {
    const CalibrationContext& cal = CalContext();
    const ViSession session = cal.testSetSession;
    Step(age1960_cellBand(session, 1, cal.band)) && Step(age1960_TCHBand(session, cal.band)) &&
        Step(age1960_amplitudeOffset(session, cal.cableLossDb)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0)) &&
        Step(age1960_BCHARFCN(session, 1, cal.bchChannel, cal.band, 1)) &&
        Step(Send8960TchChannel()) && Step(Send8960MsTxLevel());
}

void Configure4400Tx() {
    UseWillCoupling() && Step(WriteWillLine("RFG:LEV ", static_cast<int>(kCellLevelDbm))) &&
        Step(SendWillAnalyserFrequency());
}

} // namespace

void SetupTxMeasurement() {
    if (!GuardSession())
        return;
    if (Is8960())
        Setup8960TxMeasurement();
    else if (Is4400())
        Step(wt4400_selectCallSystem(TestSetSessionField(), 3));
}

void ConfigureTxCalibration() {
    if (!GuardSession())
        return;
    if (Is8960())
        Configure8960Tx();
    else if (Is4400())
        Configure4400Tx();
}

void SetMsPowerLevel() {
    if (GuardSession() && Is8960())
        Step(Send8960MsTxLevel());
}

void MeasureTxPower() {
    if (!GuardSession())
        return;
    CalibrationContext& cal = CalContext();
    if (Is8960()) {
        Step(age1960_readTXPower_Q(cal.testSetSession, 0, &cal.measurementIntegrity,
                                   &cal.measuredTxPowerDbm));
    } else if (Is4400()) {
        Step(wt4400_setResultMode(cal.testSetSession, 0)) &&
            Step(wt4400_measureTxPower(cal.testSetSession, &cal.measuredTxPowerDbm, 1));
    }
}

void SetTxLevelAndChannel() {
    if (!GuardSession())
        return;
    if (Is8960())
        Step(Send8960MsTxLevel()) && Step(Send8960TchChannel());
    else if (Is4400())
        Step(SendWillAnalyserFrequency());
}

void SetAmplitudeOffset() {
    if (Is8960())
        Step(age1960_amplitudeOffset(TestSetSessionField(), CalContext().cableLossDb));
}
