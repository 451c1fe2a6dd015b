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

// The step state numbers every calibration shares. Each calibration names its states, these
// among them, in its own header (GmagicState, RxState, TxState, BoardState).
inline constexpr std::int32_t kStepStopped = 0;   // the test set stopped the run after two failures
inline constexpr std::int32_t kStepSent = 2;      // a command went out: its reply steps on
inline constexpr std::int32_t kStepSentAside = 3; // one went out that the calibration follows
inline constexpr std::int32_t kStepSentTimed = 4; // one went out: a fixed wait steps on
inline constexpr std::int32_t kStepStart = 5;     // a calibration's first state
inline constexpr std::int32_t kStepIdle = 41;     // finished, and before the first run
inline constexpr std::int32_t kStepFailed = 42;

// A calibration entered in either of these starts again at its first state.
inline bool IsAtRest(std::int32_t state) {
    return state == kStepIdle || state == kStepFailed;
}
