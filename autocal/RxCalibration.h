#pragma once

#include "autocal/CalibrationContext.h"
#include "autocal/StepResult.h"

#include <cstdint>

class TargetReply;
class TestSet;

// The RX calibration: in a call with the test set at a cell level of -60 dBm, on seventeen
// channels of GSM 900, DCS 1800 and extended GSM, the target's RX gain correction is moved so
// that the level it reports becomes RXLEV 50. The step routine (RunRxCal) is the engine's.

inline constexpr const char* kRxFailText = "******  RXCAL FAIL  ******";
inline constexpr const char* kCallFailText = "Call Fail";
inline constexpr std::int16_t kRxGainLimit = 20;

enum class RxState : std::int32_t {
    Sent = kStepSent,           // a command went out: its reply steps on
    SentCall = kStepSentAside,  // "se 100" went out: the call is checked after a wait
    SentTimed = kStepSentTimed, // "se 300" went out: a fixed wait steps on
    Start = kStepStart,         // the test set set up, "se 300"
    TuneTestSet = 28,           // the test set to the channel
    SetLevels = 30,             // a group's loss, cell level and TX level
    TuneTarget = 31,            // "spw 1 " + channel
    ReadGain = 32,              // "spr 11"
    WriteGain = 33,             // the corrected gain, "spw 11 "
    ReadLevel = 34,             // the level the target reports to the test set
    StartCall = 38,             // "se 100"
    EndCall = 39,               // "se 101"
    Save = 40,                  // "se 1"
};
using RxStepResult = StepResult<RxState>;

// Does the work of the current state: StepAct::Send, StepAct::SendAside (the call is being set
// up: send, then check the call), StepAct::SendTimed, StepAct::Finished, StepAct::Failed, or the
// state to step on with.
RxStepResult RxStep(CalibrationContext& cal, TestSet& testSet);
// After a reply or a wait: the next state by the last step.
RxStepResult RxAdvance(CalibrationContext& cal);
// What the calibration takes from the reply to its commands: the gain read back by "spr 11".
void TakeRxReply(CalibrationContext& cal, const TargetReply& reply);
// The channel of the current RX index, and at a group's first index the group's band, cable
// loss, BCH channel, last index and TX level.
void RxChannelSetup(CalibrationContext& cal);
// The corrected RX gain for a reported level: the difference to RXLEV 50 truncated, then
// doubled, added to the read-back.
std::int16_t NewRxGain(std::int16_t readBack, double rxLevel);
