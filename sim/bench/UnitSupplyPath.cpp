#include "sim/bench/UnitSupplyPath.h"

#include "sim/model/UnitModel.h"

void UnitSupplyPath::SetSupply(bool outputOn, double volts) {
    std::lock_guard lock(lock_);
    outputOn_ = outputOn;
    volts_ = volts;
    Connect(currentUnit_());
}

double UnitSupplyPath::DrawA() const {
    std::lock_guard lock(lock_);
    return currentUnit_().SupplyCurrentA();
}

void UnitSupplyPath::Connect(UnitModel& unit) const {
    unit.SetSupplyVoltage(volts_);
    unit.SetSupplyOutput(outputOn_);
}
