#pragma once

#include "sim/wt4400/RadioPath.h"

#include <atomic>

// The target's side of the RF path as a test sets it; read and written from the virtual
// instrument's thread, hence atomic.
class FakeRadio : public RadioPath {
public:
    double TransmittedPowerDbm() const override { return txPowerDbm.load(); }
    double TransmitFrequencyHz() const override { return txFrequencyHz.load(); }
    void SetCellPowerDbm(double levelDbm) override { cellPowerDbm.store(levelDbm); }
    void SetCwGenerator(bool on, double frequencyHz, double levelDbm) override {
        cwOn.store(on);
        cwFrequencyHz.store(frequencyHz);
        cwLevelDbm.store(levelDbm);
    }
    bool CallStarted() const override { return callStarted.load(); }
    std::optional<int> ReportedRxLev() const override { return rxLevel.load(); }

    std::atomic<double> txPowerDbm{0.0};
    // ARFCN 30's uplink, the traffic channel of both virtual test sets after a reset.
    std::atomic<double> txFrequencyHz{896.0e6};
    std::atomic<bool> callStarted{false};
    std::atomic<int> rxLevel{0};
    std::atomic<double> cellPowerDbm{kCellOffDbm};
    std::atomic<bool> cwOn{false};
    std::atomic<double> cwFrequencyHz{0.0};
    std::atomic<double> cwLevelDbm{0.0};
};
