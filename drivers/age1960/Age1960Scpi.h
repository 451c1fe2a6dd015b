#pragma once

#include "drivers/age1960/age1960.h"

namespace age1960 {

// Every SCPI line the driver sends, in one place: several of them come from manuals of sibling
// test applications or from inference and may need correcting after a check on a real 8960.
// "%1" and "%2" stand for the arguments (band names, numbers in shortest exact decimal).
namespace Age1960Scpi {

inline constexpr const char* kIdentify = "*IDN?";
inline constexpr const char* kReset = "*RST";
inline constexpr const char* kClearStatus = "*CLS";
inline constexpr const char* kOperationComplete = "*OPC?";
inline constexpr const char* kErrorQuery = ":SYST:ERR?";
inline constexpr const char* kPartialPreset = "SYST:PRES3";

inline constexpr const char* kTchChannel = "CALL:TCH:%1 %2";    // band, ARFCN
inline constexpr const char* kMsTxLevel = "CALL:MS:TXL:%1 %2";  // band, level
inline constexpr const char* kBchChannel = "CALL:BCH:%1 %2";    // band, ARFCN
inline constexpr const char* kCellBand = "CALL:BAND %1";        // band
inline constexpr const char* kTchBand = "CALL:TCH:BAND %1";     // band
inline constexpr const char* kModeTest = "CALL:OPER:MODE TEST"; // AGE1960_MODE_TEST
inline constexpr const char* kModeCall = "CALL:OPER:MODE CALL"; // AGE1960_MODE_CALL
// One correction point: a flat offset over the band.
inline constexpr const char* kAmplitudeOffset =
    "SYST:CORR:SFR 900MHZ;:SYST:CORR:SGA %1;:SYST:CORR:STAT ON";
inline constexpr const char* kCellPower = "CALL:POW %1"; // dBm; also switches the cell on
inline constexpr const char* kConnectArm = "CALL:CONN:ARM";
inline constexpr const char* kConnectTimeout = "CALL:CONN:TIM %1"; // seconds
inline constexpr const char* kConnected = "CALL:CONN?";            // held until the state settles

inline constexpr const char* kInitiate = "INIT:%1"; // the mnemonics joined by ';'
inline constexpr const char* kReadTxPower = "READ:TXP?";

// By band code, AGE1960_PGSM (1) to AGE1960_GSM850 (5).
inline constexpr const char* kBandNames[] = {"PGSM", "EGSM", "DCS", "PCS", "GSM850"};
// By measurement code, AGE1960_MEAS_AAUD (1) to AGE1960_MEAS_IQT (10).
inline constexpr const char* kMeasurementNames[] = {"AAUD", "BERR", "DAUD", "FBER", "ORFS",
                                                    "TXP",  "PFER", "PVT",  "DPOW", "IQT"};

} // namespace Age1960Scpi

} // namespace age1960
