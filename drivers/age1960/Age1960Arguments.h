#pragma once

#include "drivers/age1960/Age1960Scpi.h"

#include <cmath>
#include <iterator>

namespace age1960 {

// Argument checks shared by the operations.

// The test application has one cell.
inline constexpr ViInt16 kAge1960Cell = 1;

// The SCPI name of a band code, or null for a code that names no band.
inline const char* BandName(ViInt16 band) {
    constexpr auto count = static_cast<ViInt16>(std::size(Age1960Scpi::kBandNames));
    return band >= 1 && band <= count ? Age1960Scpi::kBandNames[band - 1] : nullptr;
}

inline bool IsFlag(ViInt16 value) {
    return value == 0 || value == 1;
}

inline bool IsFinite(ViReal64 value) {
    return std::isfinite(value);
}

} // namespace age1960
