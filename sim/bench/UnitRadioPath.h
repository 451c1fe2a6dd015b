#pragma once

#include "sim/wt4400/RadioPath.h"

#include <functional>
#include <mutex>

class UnitModel;

// The virtual instruments' view of whichever unit is on the bench. The instruments run on their
// own thread (a station blocks its thread in instrument calls), so every call takes the bench's
// unit lock, which the target side takes too.
class UnitRadioPath final : public RadioPath {
public:
    UnitRadioPath(std::mutex& unitLock, std::function<UnitModel&()> currentUnit)
        : lock_(unitLock), currentUnit_(std::move(currentUnit)) {}

    double TransmittedPowerDbm() const override;
    double TransmitFrequencyHz() const override;
    void SetCellPowerDbm(double levelDbm) override;
    void SetCwGenerator(bool on, double frequencyHz, double levelDbm) override;
    bool CallStarted() const override;
    std::optional<int> ReportedRxLev() const override;

private:
    std::mutex& lock_;
    std::function<UnitModel&()> currentUnit_;
};
