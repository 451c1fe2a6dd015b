#pragma once

// The cell's downlink level for TX and RX calibration, and the GMAGIC CW tone's.
inline constexpr double kCellLevelDbm = -60.0;
inline constexpr double kCwLevelDbm = -74.5;
