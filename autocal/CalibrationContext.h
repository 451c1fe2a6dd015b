#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationPoints.h"
#include "autocal/SearchSamples.h"
#include "instruments/InstrumentContext.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// APC DAC tables by sub-band (1 to 3; 0 unused) and internal level number.
inline constexpr int kGsmLevels = 20;  // PCL 0 to 19
inline constexpr int kDcsLevels = 132; // 100 + PCL 0 to 15, and 129 to 131
using GsmApcTable = std::array<std::array<std::int32_t, kGsmLevels>, 4>;
using DcsApcTable = std::array<std::array<std::int32_t, kDcsLevels>, 4>;

// The record one calibration run owns: what its instruments share (it hands itself to them as
// their context), the configuration, each calibration's state and the results. It lives on the
// calibration's thread.
struct CalibrationContext : InstrumentContext {
    CalibrationConfig config;

    // The active calibration's state, by the numbers its own header names: idle until one
    // starts, so that the first one entered begins at its first state. The engine also sets it
    // as the test set reports what it did.
    std::int32_t stepState = kStepIdle;
    // The state that encoded the last command; what a failed run records.
    std::int32_t lastStep = 0;

    // The command line the last state encoded, sent by the step routine.
    QByteArray commandLine;

    // What every calibration keeps of its search.
    std::int32_t iterationCount = 0;
    std::int32_t searchDirection = 0;

    // GMAGIC.
    std::int32_t sampleCount = 0; // also the CW offset selector
    double sampleA = 0.0;
    double sampleB = 0.0;
    bool pairReady = false;
    std::int32_t gmagicReadBack = 0;
    QByteArray gmagicArgument;
    std::int32_t gsmGmagic = 0;
    std::int32_t dcsGmagic = 0;

    // RX.
    std::int32_t rxIndex = 0;
    std::int32_t rxGroupEnd = 0;
    std::int16_t rxGainReadBack = 0;
    std::optional<double> rxLevel; // none when the last reading failed
    std::array<std::int16_t, kRxChannels> rxTable{};

    // TX APC.
    std::int32_t gsmSubBand = 0; // 1 to 3; 0 none, and after a preset of the test set
    std::int32_t dcsSubBand = 0;
    std::int32_t highestLevel = 0;
    double targetPowerDbm = 0.0;
    double toleranceDb = 0.0;
    std::optional<double> measuredTxPowerDbm; // none when the last measurement failed
    std::int32_t measurementIntegrity = 0;
    std::int32_t apcDac = 0;
    std::int32_t dacWindowHigh = 0;
    std::int32_t dacWindowLow = 0;
    bool pcl5Adjusted = false;
    bool pcl0Adjusted = false;
    std::int32_t savedLevel = 0;
    GsmApcTable gsmApc{};
    DcsApcTable dcsApc{};
    // The measurements taken since the engine last handed them on.
    std::vector<TxPowerSample> txPowerSamples;

    // Board and battery.
    std::int32_t previousReading = 0;
    std::int32_t currentReading = 0;
    std::int32_t batteryReading = 0;
};
