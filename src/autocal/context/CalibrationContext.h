#pragma once

#include <cstdint>

// Test-set and supply type codes, as the RF parameter configuration stores them.
inline constexpr std::int32_t kTestSetNone = 0;
inline constexpr std::int32_t kTestSet8960 = 1; // "A8960 E5515B"
inline constexpr std::int32_t kTestSet4400 = 2; // "W4400M"
inline constexpr std::int32_t kSupplyNone = 0;
inline constexpr std::int32_t kSupply66311B = 4; // "66311B"
inline constexpr std::int32_t kSupply3631A = 5;  // "3631A"
inline constexpr std::int32_t kSupply3632A = 6;  // "3632A" or "3633A"

// Calibration step states the instrument layer writes.
inline constexpr std::int32_t kStepStopped = 0;
inline constexpr std::int32_t kStepIdle = 41;

// Band codes, as the 8960 takes them.
inline constexpr std::int16_t kBandEgsm = 2;
inline constexpr std::int16_t kBandDcs = 3;

// The one record that the calibration configuration, the calibration algorithms and the
// instrument operations share. It is touched only on the user-interface thread.
struct CalibrationContext {
    // Configuration.
    std::int32_t testSetType = kTestSetNone;
    std::int32_t supplyType = kSupplyNone;

    // Instruments.
    std::uint32_t testSetSession = 0; // 0: none open
    std::uint32_t supplySession = 0;
    std::int32_t instrumentFault = 0;      // set by a failed instrument call
    std::int16_t instrumentErrorCount = 0; // failed test-set calls since the calibration began

    // Run state.
    std::int32_t stepState = kStepStopped;
    std::int32_t lastStep = 0;
    std::int32_t gsmSubBand = 0; // 1 to 3; 0 none
    std::int32_t dcsSubBand = 0;
    std::int16_t band = kBandEgsm;
    std::int32_t bchChannel = 0;
    std::int32_t tchChannel = 0;
    // TX calibration keeps GSM levels as the PCL and DCS levels as 100 + PCL; RX calibration
    // keeps the plain PCL for both bands.
    std::int32_t powerLevel = 0;
    double cableLossDb = 0.0; // 0 down to -2.0

    // Measurements.
    double measuredTxPowerDbm = 0.0;
    std::int32_t measurementIntegrity = 0;
    double rxLevel = 0.0;
    std::int32_t cwOffsetSelector = 0; // 0 upper, 1 lower offset of the GMAGIC tone
};

// The process-wide context.
CalibrationContext& CalContext();
