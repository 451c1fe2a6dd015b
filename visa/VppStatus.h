#pragma once

#include "visa/Visa.h"

// The completion codes that VXIplug&play instrument drivers share (VPP-3.4, vpptype.h): an
// argument out of range names its position, 1 to 8.
inline constexpr ViStatus VI_ERROR_PARAMETER1 = static_cast<ViStatus>(0xBFFC0001u);
inline constexpr ViStatus VI_ERROR_PARAMETER2 = static_cast<ViStatus>(0xBFFC0002u);
inline constexpr ViStatus VI_ERROR_PARAMETER3 = static_cast<ViStatus>(0xBFFC0003u);
inline constexpr ViStatus VI_ERROR_PARAMETER4 = static_cast<ViStatus>(0xBFFC0004u);
inline constexpr ViStatus VI_ERROR_PARAMETER5 = static_cast<ViStatus>(0xBFFC0005u);
// The code that names the argument at position (1 to 8).
constexpr ViStatus VppParameterError(int position) {
    return static_cast<ViStatus>(0xBFFC0000u + static_cast<ViUInt32>(position));
}
inline constexpr ViStatus VI_ERROR_FAIL_ID_QUERY = static_cast<ViStatus>(0xBFFC0011u);
inline constexpr ViStatus VI_ERROR_INV_RESPONSE = static_cast<ViStatus>(0xBFFC0012u);

// Our SCPI drivers' "instrument error detected": after a call, ":SYST:ERR?" reported a non-zero
// code. The caller reads it with the driver's error query. Agilent's drivers use the same value
// in their instrument-specific range; it is no VISA or VPP standard code.
inline constexpr ViStatus DRIVER_INSTR_ERROR_DETECTED = static_cast<ViStatus>(0xBFFC0D07u);
