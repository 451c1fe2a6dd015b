#pragma once

#include "instruments/InstrumentModels.h"
#include "instruments/TestSet.h"

// The Willtek 4400 through our wt4400 driver. It takes the cable loss from the coupling table
// "viable.cpl" kept in the instrument, never as a number.
class TestSet4400 final : public TestSet {
public:
    using TestSet::TestSet;

private:
    static constexpr const char* kResource = TestSetAddress(kTestSet4400);

    TestSetOpening Open() override;
    void CloseSession() override;
    void Preset() override;
    void ClearAndReset() override;
    void ClearAfterFailure(ViSession session, ViStatus status) override;
    void SetupTx() override;
    void ConfigureTx() override;
    void SendMsPowerLevel() override;
    std::optional<TxPowerReading> ReadTxPower() override;
    void SendTxLevelAndChannel() override;
    void SendAmplitudeOffset() override;
    bool WaitForCall() override;
    void SetupRx() override;
    void SendRxLossAndLevel() override;
    void SendTrafficChannel() override;
    std::optional<double> ReadRxLevel() override;
    void SetupCw() override;
    void ConfigureCw() override;
    void SendCwFrequency(double hz) override;

    // A line of a header that ends in a blank and its value, as "%s%d", "%s%f" (six decimals) or
    // "%s%9.0f" make it; written without an error-queue check.
    ViStatus WriteLine(const char* header, int value);
    ViStatus WriteLine(const char* header, double value, int decimals);
    ViStatus WriteLine(const char* line);
    // Coupling table "viable.cpl" on, then ":CONF:COUP:STAT ON": the cable loss.
    bool UseCouplingTable();
    // The analyser follows the target's transmit frequency of the TCH channel.
    ViStatus SendAnalyserFrequency();
};
