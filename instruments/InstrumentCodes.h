#pragma once

#include <cstdint>

// Test-set and supply type codes, as the RF parameter configuration stores them; their names and
// addresses are in InstrumentModels.h.
inline constexpr std::int32_t kTestSetNone = 0;
inline constexpr std::int32_t kTestSet8960 = 1;
inline constexpr std::int32_t kTestSet4400 = 2;
inline constexpr std::int32_t kSupplyNone = 0;
inline constexpr std::int32_t kSupply66311B = 4;
inline constexpr std::int32_t kSupply3631A = 5;
inline constexpr std::int32_t kSupply3632A = 6; // the E3632A and the E3633A

// Band codes, as the 8960 takes them.
inline constexpr std::int16_t kBandEgsm = 2;
inline constexpr std::int16_t kBandDcs = 3;
