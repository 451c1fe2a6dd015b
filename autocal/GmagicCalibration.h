#pragma once

#include "autocal/CalibrationContext.h"
#include "autocal/StepResult.h"

#include <cstdint>
#include <optional>

class TargetReply;
class TestSet;

// The GMAGIC calibration: with a CW tone at -74.5 dBm near channel 62 (GSM) and then 698 (DCS),
// the target measures its received level twice; the mean corrects the target's GMAGIC value so
// that the level would read 55. The step routine (RunGmagicCal) is the engine's.

inline constexpr const char* kGmagicFailText = "GMAGIC CAL FAIL";
inline constexpr std::int32_t kGmagicLow = 185;
inline constexpr std::int32_t kGmagicHigh = 206;

enum class GmagicState : std::int32_t {
    Sent = kStepSent,   // a command went out: its reply steps on
    Start = kStepStart, // the CW downlink set up, "ti"
    TestMode = 6,       // "tms 1"
    ConfigureTone = 8,  // the band's tone on the test set
    TuneTone = 9,       // the tone's offset, "rfpw 2 " + channel
    ReceiverOn = 12,    // "rfe 1"
    ReceiverOff = 13,   // "rfe 0"
    TakeSample = 14,    // "sr 1 2"
    ReadGmagic = 15,    // "rftr 31" or "rftr 47"
    WriteGmagic = 16,   // the corrected value, "rftw 31 " or "rftw 47 "
    Save = 40,          // "se 1"
};
using GmagicStepResult = StepResult<GmagicState>;

// Does the work of the current state: StepAct::Send with a line in cal.commandLine,
// StepAct::Finished, StepAct::Failed, or the state to step on with.
GmagicStepResult GmagicStep(CalibrationContext& cal, TestSet& testSet);
// What the calibration takes from the reply to its commands: the GMAGIC read-back of "rftr",
// and the level sample of "sr 1", which it returns.
std::optional<double> TakeGmagicReply(CalibrationContext& cal, const TargetReply& reply);
// The band's GMAGIC value from the sample pair and the read-back; sets the band's result and
// the argument of its "rftw" line, and returns it.
std::int32_t GmagicCompute(CalibrationContext& cal);
// One level sample the target reported; the second of a pair makes the pair ready.
void StoreGmagicSample(CalibrationContext& cal, double sample);
