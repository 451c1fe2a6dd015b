#pragma once

#include "instruments/TestSet.h"

// No test set configured: it never opens, so the guards stop every operation that needs a
// session, and the others have nothing to talk to.
class NoTestSet final : public TestSet {
public:
    using TestSet::TestSet;

private:
    TestSetOpening Open() override { return {}; }
    void CloseSession() override {}
    void Preset() override {}
    void ClearAndReset() override {}
    void ClearAfterFailure(ViSession, ViStatus) override {}
    void SetupTx() override {}
    void ConfigureTx() override {}
    void SendMsPowerLevel() override {}
    std::optional<TxPowerReading> ReadTxPower() override { return std::nullopt; }
    void SendTxLevelAndChannel() override {}
    void SendAmplitudeOffset() override {}
    bool WaitForCall() override { return false; }
    void SetupRx() override {}
    void SendRxLossAndLevel() override {}
    void SendTrafficChannel() override {}
    std::optional<double> ReadRxLevel() override { return std::nullopt; }
    void SetupCw() override {}
    void ConfigureCw() override {}
    void SendCwFrequency(double) override {}
};
