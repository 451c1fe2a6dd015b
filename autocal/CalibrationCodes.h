#pragma once

#include "instruments/InstrumentCodes.h"

#include <cstdint>

// Which calibration is running. 2 and 3 were never used.
enum ActiveCalibration : std::int32_t {
    CAL_NONE = 0,
    CAL_GSM_TX = 1,
    CAL_DCS_TX = 4,
    CAL_RX = 5,
    CAL_BOARD = 6,
    CAL_GMAGIC = 7,
};

// Step states every calibration shares; the others are each calibration's own.
inline constexpr std::int32_t kStepStopped = 0;   // the test set stopped the run after two failures
inline constexpr std::int32_t kStepSend = 2;      // a command was encoded: send, await the reply
inline constexpr std::int32_t kStepSendAside = 3; // send; what follows is the calibration's own
inline constexpr std::int32_t kStepSendTimed = 4; // send, continue after a fixed wait
inline constexpr std::int32_t kStepStart = 5;     // a calibration's first state
inline constexpr std::int32_t kStepIdle = 41;     // finished, and before the first run
inline constexpr std::int32_t kStepFinished = kStepIdle;
inline constexpr std::int32_t kStepFailed = 42;

// A calibration entered in either of these starts again at its first state.
inline bool IsAtRest(std::int32_t state) {
    return state == kStepFinished || state == kStepFailed;
}
