// The level tables, the DAC commands and the binary search of the TX machine, for both bands.
#include "autocal/CalibrationPoints.h"
#include "autocal/TxApcCalibration.h"

#include <algorithm>

namespace {

struct LevelRow {
    std::int32_t level;
    double targetDbm;
    double toleranceDb;
    std::int32_t dacStep; // below the previous level's DAC; the first row's is its start value
    std::int32_t halfWidth;
};

constexpr LevelRow kGsmRows[] = {
    {5, 31.9, 0.15, 600, 50}, {6, 31.0, 0.3, 8, 50},   {7, 29.0, 0.3, 23, 50},
    {8, 27.0, 0.3, 23, 50},   {9, 25.0, 0.3, 23, 50},  {10, 23.0, 0.3, 20, 50},
    {11, 21.0, 0.3, 20, 50},  {12, 19.0, 0.3, 17, 50}, {13, 17.0, 0.3, 17, 50},
    {14, 15.0, 0.3, 11, 50},  {15, 13.0, 0.3, 10, 50}, {16, 11.0, 0.5, 12, 50},
    {17, 9.0, 0.5, 10, 50},   {18, 7.0, 0.5, 15, 30},  {19, 5.0, 0.5, 15, 30},
};

constexpr LevelRow kDcsRows[] = {
    {100, 29.0, 0.15, 605, 50}, {101, 28.0, 0.3, 14, 50}, {102, 26.0, 0.3, 20, 50},
    {103, 24.0, 0.3, 23, 50},   {104, 22.0, 0.3, 23, 50}, {105, 20.0, 0.3, 23, 50},
    {106, 18.0, 0.3, 20, 50},   {107, 16.0, 0.3, 22, 50}, {108, 14.0, 0.3, 19, 50},
    {109, 12.0, 0.3, 19, 50},   {110, 10.0, 0.3, 15, 50}, {111, 8.0, 0.3, 15, 50},
    {112, 6.0, 0.3, 12, 50},    {113, 4.0, 0.3, 12, 30},  {114, 2.3, 0.5, 8, 30},
    {115, 0.5, 0.5, 8, 15},
};

// Measurements come as decimal text: a power that equals a tolerance bound must count as on the
// bound, whatever the binary fractions make of it.
constexpr double kBoundSlack = 1e-9;
constexpr std::int32_t kDacFloor = 100;
constexpr std::int32_t kDacCeiling = 800;

template <std::size_t N>
void EnterLevel(CalibrationContext& cal, const LevelRow (&rows)[N], std::int32_t firstLevel) {
    const LevelRow* row = std::find_if(std::begin(rows), std::end(rows), [&](const LevelRow& r) {
        return r.level == cal.powerLevel;
    });
    if (row == std::end(rows))
        return;
    cal.targetPowerDbm = row->targetDbm;
    cal.toleranceDb = row->toleranceDb;
    cal.apcDac = cal.powerLevel == firstLevel ? row->dacStep : cal.apcDac - row->dacStep;
    cal.dacWindowHigh = cal.apcDac + row->halfWidth;
    cal.dacWindowLow = cal.apcDac - row->halfWidth;
}

bool ValidSubBand(std::int32_t subBand) {
    return subBand >= 1 && subBand <= 3;
}

// Half the way back over what a collapsed window no longer covers: wider at the high-power
// levels, where a DAC step moves the power least.
std::int32_t Widening(const CalibrationContext& cal) {
    return cal.band == kBandEgsm ? 500 / cal.powerLevel : 500 / (cal.powerLevel - 90);
}

void WidenWindow(CalibrationContext& cal) {
    if (cal.dacWindowHigh - cal.dacWindowLow > 1)
        return;
    if (cal.band != kBandEgsm && cal.band != kBandDcs) {
        cal.instrumentFault = 1;
        return;
    }
    if (cal.searchDirection == 5)
        cal.dacWindowLow = std::max(cal.apcDac - Widening(cal), kDacFloor);
    else if (cal.searchDirection == 6)
        cal.dacWindowHigh = std::min(cal.apcDac + Widening(cal), kDacCeiling);
}

} // namespace

bool IsReferenceLevel(std::int32_t level) {
    const auto in = [level](const auto& levels) {
        return std::find(std::begin(levels), std::end(levels), level) != std::end(levels);
    };
    return in(kGsmReferenceLevels) || in(kDcsReferenceLevels);
}

void GsmLevelSetup(CalibrationContext& cal) {
    if (cal.powerLevel == kGsmTopLevel) {
        if (!ValidSubBand(cal.gsmSubBand)) {
            cal.instrumentFault = 1;
        } else {
            const auto n = static_cast<std::size_t>(cal.gsmSubBand - 1);
            cal.tchChannel = cal.config.gsmTch[n];
            cal.cableLossDb = cal.config.gsmLoss[n];
        }
        cal.highestLevel = 19;
        cal.bchChannel = cal.config.gsmBch;
        cal.band = kBandEgsm;
    }
    EnterLevel(cal, kGsmRows, kGsmTopLevel);
}

void DcsLevelSetup(CalibrationContext& cal) {
    if (cal.powerLevel == kDcsTopLevel) {
        if (!ValidSubBand(cal.dcsSubBand)) {
            cal.instrumentFault = 1;
        } else {
            const auto n = static_cast<std::size_t>(cal.dcsSubBand - 1);
            cal.tchChannel = cal.config.dcsTch[n];
            cal.cableLossDb = cal.config.dcsLoss[n];
        }
        cal.highestLevel = 115;
        cal.bchChannel = cal.config.dcsBch;
        cal.band = kBandDcs;
    }
    EnterLevel(cal, kDcsRows, kDcsTopLevel);
}

std::optional<QByteArray> DacLine(std::int16_t band, std::int32_t subBand, std::int32_t dac) {
    static const char* const kGsmHeads[] = {"txpw 4 ", "spw 21 ", "spw 22 "};
    static const char* const kDcsHeads[] = {"txpw 4 ", "spw 31 ", "spw 32 "};
    if (!ValidSubBand(subBand))
        return std::nullopt;
    const char* head = (band == kBandDcs ? kDcsHeads : kGsmHeads)[subBand - 1];
    return QByteArray(head) + QByteArray::number(dac);
}

void ApcSearchStep(CalibrationContext& cal) {
    if (!IsReferenceLevel(cal.powerLevel)) {
        cal.searchDirection = 0;
        cal.iterationCount = 0;
        return;
    }
    // A measurement that failed is no power: the level fails instead of taking a guess.
    if (!cal.measuredTxPowerDbm) {
        cal.instrumentFault = 1;
        cal.searchDirection = 0;
        return;
    }
    const double error = cal.targetPowerDbm - *cal.measuredTxPowerDbm;
    const bool tooLow = error >= cal.toleranceDb - kBoundSlack;
    const bool tooHigh = !tooLow && error <= -cal.toleranceDb + kBoundSlack;
    if (tooLow || tooHigh) {
        (tooLow ? cal.dacWindowLow : cal.dacWindowHigh) = cal.apcDac;
        cal.apcDac = (cal.dacWindowHigh + cal.dacWindowLow) / 2;
        cal.searchDirection = tooLow ? 6 : 5;
        ++cal.iterationCount;
        if (cal.powerLevel == kGsmTopLevel)
            cal.pcl5Adjusted = true;
        else if (cal.powerLevel == kDcsTopLevel)
            cal.pcl0Adjusted = true;
    } else {
        cal.iterationCount = 0;
        cal.searchDirection = 0;
    }
    if (cal.iterationCount > kMaxSearchSteps) {
        cal.searchDirection = 0;
        cal.iterationCount = 0;
        cal.instrumentFault = 1;
    }
    WidenWindow(cal);
}
