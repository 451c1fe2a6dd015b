#pragma once

#include "autocal/CalibrationContext.h"

#include <cstdint>

class TestSet;

// The GMAGIC calibration: with a CW tone at -74.5 dBm near channel 62 (GSM) and then 698 (DCS),
// the target measures its received level twice; the mean corrects the target's GMAGIC value so
// that the level would read 55. The step routine (RunGmagicCal) is the engine's.

inline constexpr const char* kGmagicFailText = "GMAGIC CAL FAIL";
inline constexpr std::int32_t kGmagicLow = 185;
inline constexpr std::int32_t kGmagicHigh = 206;

// Does the work of the current state and returns the new one: kStepSend with a line in
// cal.commandLine, kStepFinished, kStepFailed, or a state to step on with.
std::int32_t GmagicStep(CalibrationContext& cal, TestSet& testSet);
// The band's cable loss and channel, before the states that use them.
void GmagicPrepare(CalibrationContext& cal);
// After a reply: the next state by the last step.
void GmagicAdvance(CalibrationContext& cal);
// The band's GMAGIC value from the sample pair and the read-back; sets the band's result and
// the argument of its "rftw" line, and returns it.
std::int32_t GmagicCompute(CalibrationContext& cal);
// One level sample the target reported; the second of a pair makes the pair ready.
void StoreGmagicSample(CalibrationContext& cal, double sample);
