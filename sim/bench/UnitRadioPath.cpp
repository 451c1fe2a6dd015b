#include "sim/bench/UnitRadioPath.h"

#include "sim/model/UnitModel.h"

double UnitRadioPath::TransmittedPowerDbm() const {
    std::lock_guard lock(lock_);
    return currentUnit_().TransmittedPowerDbm();
}

double UnitRadioPath::TransmitFrequencyHz() const {
    std::lock_guard lock(lock_);
    return currentUnit_().TransmitFrequencyHz();
}

void UnitRadioPath::SetCellPowerDbm(double levelDbm) {
    std::lock_guard lock(lock_);
    currentUnit_().SetCellPowerDbm(levelDbm);
}

void UnitRadioPath::SetCwGenerator(bool on, double frequencyHz, double levelDbm) {
    std::lock_guard lock(lock_);
    currentUnit_().SetCwGenerator(on, frequencyHz, levelDbm);
}

bool UnitRadioPath::CallStarted() const {
    std::lock_guard lock(lock_);
    return currentUnit_().CallStarted();
}

std::optional<int> UnitRadioPath::ReportedRxLev() const {
    std::lock_guard lock(lock_);
    return currentUnit_().ReportedRxLev();
}
