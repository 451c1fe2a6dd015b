#pragma once

#include "instruments/InstrumentCodes.h"

#include <cstdint>

// What the test set and supply read and write of a calibration run. The run owns it and hands it
// to the instruments it creates; it is touched only by the thread that runs them.
struct InstrumentContext {
    // Where the calibration stands: the instruments read these.
    std::int16_t band = kBandEgsm;
    std::int32_t bchChannel = 0;
    std::int32_t tchChannel = 0;
    // TX calibration keeps GSM levels as the PCL and DCS levels as 100 + PCL; RX calibration
    // keeps the plain PCL for both bands.
    std::int32_t powerLevel = 0;
    double cableLossDb = 0.0;          // 0 down to -2.0
    std::int32_t cwOffsetSelector = 0; // 0 upper, 1 lower offset of the GMAGIC tone

    // Set by the instruments; the calibration clears them.
    std::int32_t instrumentFault = 0;      // set by a failed instrument call
    std::int16_t instrumentErrorCount = 0; // failed test-set calls since the calibration began
};
