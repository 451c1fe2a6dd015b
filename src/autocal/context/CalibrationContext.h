#pragma once

#include "InstrumentContext.h"

#include <cstdint>

// The one record that the calibration configuration and the calibration algorithms share, and
// that they hand to the instruments as their context. It is touched only on one thread.
struct CalibrationContext : InstrumentContext {
    // Configuration.
    std::int32_t testSetType = kTestSetNone;
    std::int32_t supplyType = kSupplyNone;

    // Measurement results.
    double measuredTxPowerDbm = 0.0;
    std::int32_t measurementIntegrity = 0;
    double rxLevel = 0.0;
};

// The process-wide context.
CalibrationContext& CalContext();
