#pragma once

#include <cstdint>

// Where the calibration measures, for the calibration and for whoever shows its results.

inline constexpr int kRxChannels = 17;
// The RX channels in calibration order, as the results list labels them.
inline constexpr std::int32_t kRxChannelTable[kRxChannels] = {
    1, 20, 40, 62, 80, 100, 124, 512, 585, 660, 700, 790, 835, 885, 975, 1000, 1023};

// The TX levels at which the APC search measures the power; between them the DAC follows by
// fixed steps. DCS levels are kDcsLevelBase + PCL.
inline constexpr std::int32_t kDcsLevelBase = 100;
inline constexpr std::int32_t kGsmReferenceLevels[] = {5, 9, 13, 16, 18};
inline constexpr std::int32_t kDcsReferenceLevels[] = {100, 105, 109, 112, 114};
