#pragma once

#include "sim/supply/SupplyLoad.h"
#include "sim/supply/VirtualSupply.h"

#include <functional>
#include <mutex>

class UnitModel;

// The virtual supply's view of whichever unit is on the bench, under the bench's unit lock like
// UnitRadioPath. It keeps what the supply drives, so that a unit put on the bench later finds the
// supply as the last one left it.
class UnitSupplyPath final : public SupplyLoad {
public:
    UnitSupplyPath(std::mutex& unitLock, std::function<UnitModel&()> currentUnit)
        : lock_(unitLock), currentUnit_(std::move(currentUnit)) {}

    void SetSupply(bool outputOn, double volts) override;
    double DrawA() const override;

    // With the unit lock held: the supply's output as it is now, and onto a new unit.
    bool OutputOn() const { return outputOn_; }
    double Volts() const { return volts_; }
    void Connect(UnitModel& unit) const;

private:
    std::mutex& lock_;
    std::function<UnitModel&()> currentUnit_;
    bool outputOn_ = true;
    double volts_ = VirtualSupply::kIdleVolts;
};
