#include "autocal/GmagicCalibration.h"

#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"
#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"

#include <cmath>

namespace {

using State = GmagicState;

constexpr std::int32_t kGsmChannel = 62;
constexpr std::int32_t kDcsChannel = 698;
constexpr double kWantedLevel = 55.0;
constexpr int kSampleWaitMs = 3000;

bool OnGsm(const CalibrationContext& cal) {
    return cal.band == kBandEgsm;
}

void Reset(CalibrationContext& cal) {
    cal.iterationCount = 0;
    cal.searchDirection = 0;
    cal.instrumentErrorCount = 0;
    cal.band = kBandEgsm;
    cal.sampleCount = 0;
    cal.pairReady = false;
    cal.gmagicArgument.clear();
    cal.instrumentFault = 0;
    cal.stepState = kStepStart;
}

// The band's cable loss and channel, before the states that use them.
void Prepare(CalibrationContext& cal) {
    const State state = StateOf<State>(cal.stepState);
    if (state == State::ConfigureTone)
        cal.cableLossDb = OnGsm(cal) ? cal.config.gsmLoss[1] : cal.config.dcsLoss[1];
    else if (state == State::TuneTone)
        cal.tchChannel = OnGsm(cal) ? kGsmChannel : kDcsChannel;
}

GmagicStepResult WriteResult(CalibrationContext& cal) {
    const std::int32_t result = GmagicCompute(cal);
    if (result > kGmagicHigh || result < kGmagicLow)
        cal.instrumentFault = 1;
    // Encoded even when out of range; a failed calibration never sends it.
    const StepAct how = SendLine(cal, State::WriteGmagic,
                                 (OnGsm(cal) ? "rftw 31 " : "rftw 47 ") + cal.gmagicArgument);
    if (cal.instrumentFault)
        return StepAct::Failed;
    return how;
}

// After a reply: the next state by the last step.
GmagicStepResult Advance(CalibrationContext& cal) {
    switch (StateOf<State>(cal.lastStep)) {
    case State::Start:
        return State::TestMode;
    case State::TestMode:
        return State::ConfigureTone;
    case State::TuneTone:
        return State::ReceiverOn;
    case State::ReceiverOn:
        return State::TakeSample;
    case State::TakeSample:
        return State::ReceiverOff;
    case State::ReceiverOff:
        // A second "rfe 1", wait, "sr 1 2", "rfe 0" for the second sample of the pair.
        return cal.pairReady ? State::ReadGmagic : State::ReceiverOn;
    case State::ReadGmagic:
        return State::WriteGmagic;
    case State::WriteGmagic:
        if (!OnGsm(cal))
            return State::Save;
        cal.band = kBandDcs;
        cal.pairReady = false;
        return State::ConfigureTone;
    case State::Save:
        return StepAct::Finished;
    default:
        return ActOfWaiting(cal.stepState);
    }
}

GmagicStepResult Work(CalibrationContext& cal, TestSet& testSet) {
    switch (StateOf<State>(cal.stepState)) {
    case State::Sent:
        return Advance(cal);
    case State::Start:
        testSet.SetupCwDownlink();
        return SendLine(cal, State::Start, "ti");
    case State::TestMode:
        return SendLine(cal, State::TestMode, "tms 1");
    case State::ConfigureTone:
        testSet.ConfigureCwGenerator();
        return State::TuneTone;
    case State::TuneTone:
        cal.cwOffsetSelector = cal.sampleCount;
        testSet.SetCwFrequency();
        return SendLine(cal, State::TuneTone, LineWith("rfpw 2 ", cal.tchChannel));
    case State::ReceiverOn:
        return SendLine(cal, State::ReceiverOn, "rfe 1");
    case State::ReceiverOff:
        return SendLine(cal, State::ReceiverOff, "rfe 0");
    case State::TakeSample:
        DelayMs(kSampleWaitMs);
        return SendLine(cal, State::TakeSample, "sr 1 2");
    case State::ReadGmagic:
        return SendLine(cal, State::ReadGmagic, OnGsm(cal) ? "rftr 31" : "rftr 47");
    case State::WriteGmagic:
        return WriteResult(cal);
    case State::Save:
        return SendLine(cal, State::Save, "se 1");
    }
    // A state no calibration leaves behind: end with the failure rather than spin.
    return StepAct::Failed;
}

} // namespace

GmagicStepResult GmagicStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        Reset(cal);
    Prepare(cal);
    const GmagicStepResult result = Work(cal, testSet);
    cal.stepState = StateAfter(result);
    return result;
}

std::optional<double> TakeGmagicReply(CalibrationContext& cal, const TargetReply& reply) {
    if (reply.Opcode() == kOpRftr && (reply.Index() == 31 || reply.Index() == 47))
        cal.gmagicReadBack = reply.Word();
    if (reply.Opcode() != kOpSr || reply.Index() != 1)
        return std::nullopt;
    const std::optional<double> sample = reply.PmValue();
    if (sample)
        StoreGmagicSample(cal, *sample);
    return sample;
}

std::int32_t GmagicCompute(CalibrationContext& cal) {
    const double mean = (cal.sampleA + cal.sampleB) / 2.0;
    const auto result =
        static_cast<std::int32_t>(std::trunc(cal.gmagicReadBack + 2.0 * (kWantedLevel - mean)));
    (OnGsm(cal) ? cal.gsmGmagic : cal.dcsGmagic) = result;
    cal.gmagicArgument = QByteArray::number(result) + (OnGsm(cal) ? ",40,0,39,40" : ",40,0,41,42");
    return result;
}

void StoreGmagicSample(CalibrationContext& cal, double sample) {
    (cal.sampleCount == 0 ? cal.sampleA : cal.sampleB) = sample;
    if (++cal.sampleCount == 2) {
        cal.pairReady = true;
        cal.sampleCount = 0;
    }
}
