#pragma once

#include "autocal/CalibrationContext.h"

#include <cstdint>

class TestSet;

// The RX calibration: in a call with the test set at a cell level of -60 dBm, on seventeen
// channels of GSM 900, DCS 1800 and extended GSM, the target's RX gain correction is moved so
// that the level it reports becomes RXLEV 50. The step routine (RunRxCal) is the engine's.

inline constexpr const char* kRxFailText = "******  RXCAL FAIL  ******";
inline constexpr const char* kCallFailText = "Call Fail";
inline constexpr std::int16_t kRxGainLimit = 20;

// Does the work of the current state and returns the new one: kStepSend, kStepSendAside (the
// call is being set up: send, then check the call), kStepSendTimed, kStepFinished, kStepFailed,
// or a state to step on with.
std::int32_t RxStep(CalibrationContext& cal, TestSet& testSet);
// After a reply or a wait: the next state by the last step.
void RxAdvance(CalibrationContext& cal);
// The channel of the current RX index, and at a group's first index the group's band, cable
// loss, BCH channel, last index and TX level.
void RxChannelSetup(CalibrationContext& cal);
// The corrected RX gain for a reported level: the difference to RXLEV 50 truncated, then
// doubled, added to the read-back.
std::int16_t NewRxGain(std::int16_t readBack, double rxLevel);
