#pragma once

#include "InstrumentContext.h"

#include <cstdint>

// The record one calibration run owns: what its instruments share (it hands itself to them as
// their context), the configured instruments and the measurement results.
struct CalibrationContext : InstrumentContext {
    // Configuration.
    std::int32_t testSetType = kTestSetNone;
    std::int32_t supplyType = kSupplyNone;

    // Measurement results.
    double measuredTxPowerDbm = 0.0;
    std::int32_t measurementIntegrity = 0;
    double rxLevel = 0.0;
};
