#include "sim/model/UnitModel.h"

namespace {

// A second stream for measurement noise, so that noise drawn does not shift the unit's
// variation when the order of draws changes.
constexpr std::uint32_t kNoiseStream = 0x9E3779B9u;

} // namespace

UnitModel::UnitModel(const UnitOptions& options)
    : variation_(UnitVariation::FromSeed(options.seed, options.flaw)),
      noise_(options.seed ^ kNoiseStream), pmNoiseDb_(options.pmNoiseDb),
      battery_(variation_.batteryGain) {
    UpdatePower();
}

void UnitModel::Insert() {
    onSupply_ = true;
    UpdatePower();
}

void UnitModel::Remove() {
    onSupply_ = false;
    UpdatePower();
}

void UnitModel::SetSupplyVoltage(double volts) {
    supplyVolts_ = volts;
    UpdatePower();
}

void UnitModel::SetSupplyOutput(bool on) {
    supplyOn_ = on;
    UpdatePower();
}

double UnitModel::SupplyCurrentA() const {
    return powered_ ? variation_.idleCurrentA : 0.0;
}

void UnitModel::SetCellPowerDbm(double dbm) {
    cellDbm_ = dbm;
}

void UnitModel::SetCwGenerator(bool on, double frequencyHz, double levelDbm) {
    cwOn_ = on;
    cwHz_ = frequencyHz;
    cwDbm_ = levelDbm;
}

bool UnitModel::CallStarted() const {
    return powered_ && callRequested_ && cellDbm_ >= kCallSensitivityDbm;
}

int UnitModel::ReadBatteryAdc() {
    return powered_ ? battery_.Read(supplyVolts_) : 0;
}

// Losing power loses everything the firmware had set up; gaining it is a fresh start.
void UnitModel::UpdatePower() {
    const bool powered = onSupply_ && supplyOn_ && supplyVolts_ >= kBrownOutVolts;
    if (powered == powered_)
        return;
    powered_ = powered;
    radio_ = {};
    callRequested_ = false;
    if (powered) {
        ++powerUps_;
        battery_.PowerUp();
    }
}
