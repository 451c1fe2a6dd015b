#pragma once

#include "instruments/TestSet.h"

// The Agilent 8960 (E5515B) through our age1960 driver.
class TestSet8960 final : public TestSet {
public:
    using TestSet::TestSet;

private:
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

    // The MS TX level the 8960 takes: DCS levels are stored as 100 + PCL by the TX calibration.
    ViInt32 MsTxLevel() const;
    ViStatus SendMsTxLevel();
    ViStatus SendTchChannel();
};
