#include "sim/target/FirmwareState.h"

#include "sim/model/Arfcn.h"

#include <cmath>
#include <numbers>

namespace {

// DAC steps between successive power levels of a nominal amplifier, from the top level down.
constexpr int kGsmTopDac = 600; // PCL 5; PCL 0..4 share it
constexpr std::array<int, 14> kGsmSteps{8, 23, 23, 23, 20, 20, 17, 17, 11, 10, 12, 10, 15, 15};
constexpr int kDcsTopDac = 605; // PCL 0; PCL 29..31 share it
constexpr std::array<int, 15> kDcsSteps{14, 20, 23, 23, 23, 20, 22, 19, 19, 15, 15, 12, 12, 8, 8};

constexpr int kGsmTopLevel = 5;
constexpr int kDcsFirstLevel = 100;
constexpr int kDcsHighLevels = 129; // PCL 29..31
constexpr int kDcsLevelsBelowHigh = 16;

std::array<std::uint16_t, kGsmPowerLevels> NominalGsmDacs() {
    std::array<std::uint16_t, kGsmPowerLevels> dacs{};
    int dac = kGsmTopDac;
    for (int level = 0; level < kGsmPowerLevels; ++level) {
        if (level > kGsmTopLevel)
            dac -= kGsmSteps[static_cast<std::size_t>(level - kGsmTopLevel - 1)];
        dacs[static_cast<std::size_t>(level)] = static_cast<std::uint16_t>(dac);
    }
    return dacs;
}

std::array<std::uint16_t, kDcsPowerLevels> NominalDcsDacs() {
    std::array<std::uint16_t, kDcsPowerLevels> dacs{};
    dacs.fill(static_cast<std::uint16_t>(kDcsTopDac));
    int dac = kDcsTopDac;
    for (std::size_t slot = 1; slot < kDcsLevelsBelowHigh; ++slot) {
        dac -= kDcsSteps[slot - 1];
        dacs[slot] = static_cast<std::uint16_t>(dac);
    }
    return dacs;
}

RampTemplate RaisedCosineRamp() {
    constexpr int kHalf = kRampSteps / 2;
    RampTemplate ramp{};
    for (int i = 0; i < kHalf; ++i) {
        const double rise = (1.0 - std::cos(std::numbers::pi * (i + 1) / kHalf)) / 2.0;
        const auto step = static_cast<std::int8_t>(std::lround(31.0 * rise));
        ramp[static_cast<std::size_t>(i)] = step;
        ramp[static_cast<std::size_t>(kRampSteps - 1 - i)] = step;
    }
    return ramp;
}

} // namespace

RfCalibration RfCalibration::Defaults() {
    RfCalibration rf;
    for (auto& subBand : rf.gsmDac)
        subBand = NominalGsmDacs();
    for (auto& subBand : rf.dcsDac)
        subBand = NominalDcsDacs();
    rf.gmagicGsm = {195, 40, 0, 39, 40};
    rf.gmagicDcs = {195, 40, 0, 41, 42};
    rf.ramps.fill(RaisedCosineRamp());
    return rf;
}

int GsmSubBand(int arfcn) {
    if (arfcn >= 1 && arfcn <= 55)
        return 1;
    if (arfcn >= 56 && arfcn <= 100)
        return 2;
    if (arfcn >= 101 && arfcn <= 124)
        return 3;
    return arfcn >= 975 && arfcn <= 1023 ? 4 : 0;
}

int DcsSubBand(int arfcn) {
    if (arfcn >= 512 && arfcn <= 631)
        return 1;
    if (arfcn >= 632 && arfcn <= 751)
        return 2;
    return arfcn >= 752 && arfcn <= 885 ? 3 : 0;
}

bool IsGsmLevel(int level) {
    return level >= 0 && level < kGsmPowerLevels;
}

int DcsLevelSlot(int level) {
    if (level >= kDcsFirstLevel && level < kDcsFirstLevel + kDcsLevelsBelowHigh)
        return level - kDcsFirstLevel;
    if (level >= kDcsHighLevels && level < kDcsHighLevels + 3)
        return kDcsLevelsBelowHigh + level - kDcsHighLevels;
    return -1;
}

int RampIndexForLevel(int level) {
    if (IsGsmLevel(level))
        return level < kGsmTopLevel ? 0 : level - kGsmTopLevel;
    // PCL 29..31 are above PCL 0 and ramp like it, as GSM PCL 0..4 ramp like PCL 5.
    const int slot = DcsLevelSlot(level);
    constexpr int kFirstDcsRamp = kGsmPowerLevels - kGsmTopLevel; // 15
    if (slot < 0)
        return 0;
    return slot < kDcsLevelsBelowHigh ? kFirstDcsRamp + slot : kFirstDcsRamp;
}

int RxCalSlot(int arfcn) {
    const RadioBand band = BandOf(arfcn);
    if (band == RadioBand::kNone)
        return -1;
    int best = -1;
    double bestDistance = 0.0;
    for (int slot = 0; slot < kRxCalChannels; ++slot) {
        const int channel = kRxCalChannelList[static_cast<std::size_t>(slot)];
        const double distance = std::abs(UplinkMHz(channel) - UplinkMHz(arfcn));
        if (BandOf(channel) == band && (best < 0 || distance < bestDistance)) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}
