#pragma once

// age1960: our SCPI driver of the Agilent 8960 Series 10 (E5515B) with the GSM test application
// that has CALL:FUNCtion:DOWNlink. Each call sends SCPI lines on a VISA session, then reads
// ":SYST:ERR?" and returns AGE1960_INSTR_ERROR_DETECTED when the instrument queued an error (the
// error is kept for age1960_error_query). Status: 0 success, negative failure, positive warning.
// The calls block the calling thread for their I/O; call them from one thread.

#include "visa/Visa.h"
#include "visa/VppStatus.h"

inline constexpr ViStatus AGE1960_INSTR_ERROR_DETECTED = DRIVER_INSTR_ERROR_DETECTED;
// The instrument has no value (9.91E+37, "NAN"): no result is available.
inline constexpr ViStatus AGE1960_ERROR_NO_VALUE = static_cast<ViStatus>(0xBFFC0D40u);
// The call was not connected when the wait ended.
inline constexpr ViStatus AGE1960_ERROR_NOT_CONNECTED = static_cast<ViStatus>(0xBFFC0D41u);

inline constexpr int AGE1960_MESSAGE_SIZE = 256; // error query and error message texts

// Band codes.
inline constexpr ViInt16 AGE1960_PGSM = 1;
inline constexpr ViInt16 AGE1960_EGSM = 2;
inline constexpr ViInt16 AGE1960_DCS = 3;
inline constexpr ViInt16 AGE1960_PCS = 4;
inline constexpr ViInt16 AGE1960_GSM850 = 5;

// Operating modes.
inline constexpr ViInt16 AGE1960_MODE_TEST = 0;
inline constexpr ViInt16 AGE1960_MODE_CALL = 1;

// Measurement function codes of age1960_initMeasFcn.
inline constexpr ViInt16 AGE1960_MEAS_AAUD = 1;
inline constexpr ViInt16 AGE1960_MEAS_BERR = 2;
inline constexpr ViInt16 AGE1960_MEAS_DAUD = 3;
inline constexpr ViInt16 AGE1960_MEAS_FBER = 4;
inline constexpr ViInt16 AGE1960_MEAS_ORFS = 5;
inline constexpr ViInt16 AGE1960_MEAS_TXP = 6;
inline constexpr ViInt16 AGE1960_MEAS_PFER = 7;
inline constexpr ViInt16 AGE1960_MEAS_PVT = 8;
inline constexpr ViInt16 AGE1960_MEAS_DPOW = 9;
inline constexpr ViInt16 AGE1960_MEAS_IQT = 10;

// Sessions, errors and pass-through (the ordinal of each role in a comment).
ViStatus age1960_init(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                      ViSession* session); // 1
ViStatus age1960_close(ViSession session); // 2
// The "*IDN?" reply read by the ID query at init (empty without one); text holds
// AGE1960_MESSAGE_SIZE bytes.
ViStatus age1960_identity(ViSession session, ViChar text[]);
ViStatus age1960_reset(ViSession session); // 3
// message holds AGE1960_MESSAGE_SIZE bytes.
ViStatus age1960_error_query(ViSession session, ViInt32* code, ViChar message[]);     // 5
ViStatus age1960_error_message(ViSession session, ViStatus status, ViChar message[]); // 6
ViStatus age1960_dcl(ViSession session);                                              // 12
// The VISA time-out of the replies (VISA's own at first); the waits for a connected call and for
// a measurement raise it for themselves.
ViStatus age1960_timeOut(ViSession session, ViInt32 timeoutMs);
ViStatus age1960_cmd(ViSession session, ViConstString command);                        // 23
ViStatus age1960_cmdReal(ViSession session, ViConstString command, ViReal64 value);    // 30
ViStatus age1960_cmdReal64_Q(ViSession session, ViConstString query, ViReal64* value); // 31
ViStatus age1960_partialPreset(ViSession session);                                     // 38
// timeoutMs 0: the session's time-out.
ViStatus age1960_readTXPower_Q(ViSession session, ViInt32 timeoutMs, ViInt32* integrity,
                               ViReal64* powerDbm);                                        // 39
ViStatus age1960_initMeasFcn(ViSession session, ViInt32 count, const ViInt16 functions[]); // 48

// Call set-up. waitComplete 1: confirm with "*OPC?" before returning. cell: 1.
ViStatus age1960_TCHARFCN(ViSession session, ViInt32 arfcn, ViInt16 band,
                          ViInt16 waitComplete); // 60
ViStatus age1960_MSTXLevel(ViSession session, ViInt32 level, ViInt16 band,
                           ViInt16 waitComplete); // 64
ViStatus age1960_BCHARFCN(ViSession session, ViInt16 cell, ViInt32 arfcn, ViInt16 band,
                          ViInt16 waitComplete);                          // 67
ViStatus age1960_cellBand(ViSession session, ViInt16 cell, ViInt16 band); // 68
ViStatus age1960_TCHBand(ViSession session, ViInt16 band);                // 69
ViStatus age1960_operatingMode(ViSession session, ViInt16 mode);          // 71
// offsetDb: negative for a loss.
ViStatus age1960_amplitudeOffset(ViSession session, ViReal64 offsetDb); // 74
// reserved1 and reserved2 must be 0.
ViStatus age1960_cellPower(ViSession session, ViInt16 cell, ViReal64 powerDbm, ViInt32 reserved1,
                           ViInt32 reserved2); // 75
// 0 exactly when the call is connected within timeoutSeconds.
ViStatus age1960_waitForConnect(ViSession session, ViReal64 timeoutSeconds); // 87
ViStatus age1960_prepareCallState(ViSession session);                        // 88
