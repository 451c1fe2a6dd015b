// The operations' guards around each model's part.
#include "instruments/TestSet.h"

bool TestSet::Guard() {
    if (session_ != 0)
        return true;
    context_.instrumentFault = 1;
    return false;
}

void TestSet::SetupTxMeasurement() {
    if (Guard())
        SetupTx();
}

void TestSet::ConfigureTxCalibration() {
    if (Guard())
        ConfigureTx();
}

void TestSet::SetMsPowerLevel() {
    if (Guard())
        SendMsPowerLevel();
}

std::optional<TxPowerReading> TestSet::MeasureTxPower() {
    if (!Guard())
        return std::nullopt;
    return ReadTxPower();
}

void TestSet::SetTxLevelAndChannel() {
    if (Guard())
        SendTxLevelAndChannel();
}

void TestSet::SetAmplitudeOffset() {
    SendAmplitudeOffset();
}

bool TestSet::WaitForCallConnected() {
    return Guard() && WaitForCall();
}

void TestSet::SetupRxCalibration() {
    SetupRx();
}

void TestSet::SetRxLossAndLevel() {
    if (Guard())
        SendRxLossAndLevel();
}

void TestSet::SetTrafficChannel() {
    if (session_ != 0)
        SendTrafficChannel();
}

std::optional<double> TestSet::ReadReportedRxLevel() {
    if (session_ == 0)
        return std::nullopt;
    return ReadRxLevel();
}

void TestSet::SetupCwDownlink() {
    if (session_ != 0)
        SetupCw();
}

void TestSet::ConfigureCwGenerator() {
    if (session_ != 0)
        ConfigureCw();
}

void TestSet::SetCwFrequency() {
    SendCwFrequency(CwFrequencyHz());
}

// The tone sits a quarter of the GSM symbol rate (about 67.7 kHz) above or below the downlink of
// the band's middle channel (62 or 698).
double TestSet::CwFrequencyHz() const {
    const bool lower = context_.cwOffsetSelector != 0;
    if (context_.band == kBandEgsm)
        return lower ? 947333000.0 : 947467000.0;
    return lower ? 1842333000.0 : 1842467000.0;
}
