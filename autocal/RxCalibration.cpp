#include "autocal/RxCalibration.h"

#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"
#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"

#include <cmath>

namespace {

using State = RxState;

constexpr double kWantedRxLev = 50.0;
constexpr int kSettleMs = 1000;
constexpr int kCallStartMs = 5000;

struct RxGroup {
    std::int32_t firstIndex;
    std::int16_t band;
    bool dcs;
    std::int32_t lastIndex;
    std::int32_t powerLevel;
};

constexpr RxGroup kGroups[] = {
    {0, kBandEgsm, false, 6, 10},
    {7, kBandDcs, true, 13, 5},
    {14, kBandEgsm, false, 16, 10},
};

void Reset(CalibrationContext& cal) {
    cal.iterationCount = 0;
    cal.searchDirection = 0;
    cal.rxIndex = 0;
    cal.instrumentErrorCount = 0;
}

// The level the target reports, read once more after a failure the test set tolerated; a reading
// that failed again leaves no value and stops the calibration at its range check rather than
// correcting with an old level.
void ReadRxLevel(CalibrationContext& cal, TestSet& testSet) {
    DelayMs(kSettleMs);
    cal.rxLevel = testSet.ReadReportedRxLevel();
    if (!cal.rxLevel && testSet.MayMeasureAgain())
        cal.rxLevel = testSet.ReadReportedRxLevel();
    if (!cal.rxLevel)
        cal.instrumentFault = 1;
}

RxStepResult WriteNewGain(CalibrationContext& cal) {
    if (cal.rxLevel) {
        const std::int16_t gain = NewRxGain(cal.rxGainReadBack, *cal.rxLevel);
        cal.rxTable[static_cast<std::size_t>(cal.rxIndex)] = gain;
        if (gain < -kRxGainLimit || gain > kRxGainLimit)
            cal.instrumentFault = 1;
        SendLine(cal, State::WriteGain, LineWith("spw 11 ", gain));
    }
    if (cal.instrumentFault)
        return StepAct::Failed;
    return StepAct::Send;
}

// The next channel: the same group changes only the traffic channel, a new one sets its loss
// and levels first.
RxStepResult NextChannel(CalibrationContext& cal) {
    ++cal.rxIndex;
    if (cal.rxIndex == kRxChannels)
        return State::EndCall;
    return cal.rxIndex <= cal.rxGroupEnd ? State::TuneTestSet : State::SetLevels;
}

RxStepResult Work(CalibrationContext& cal, TestSet& testSet) {
    switch (StateOf<State>(cal.stepState)) {
    case State::Sent:
    case State::SentCall:
    case State::SentTimed:
        return RxAdvance(cal);
    case State::Start:
        Reset(cal);
        RxChannelSetup(cal);
        testSet.SetupRxCalibration();
        return SendLine(cal, State::Start, "se 300", StepAct::SendTimed);
    case State::TuneTestSet:
        RxChannelSetup(cal);
        testSet.SetTrafficChannel();
        return State::TuneTarget;
    case State::SetLevels:
        RxChannelSetup(cal);
        testSet.SetRxLossAndLevel();
        DelayMs(kSettleMs);
        return State::TuneTestSet;
    case State::TuneTarget:
        return SendLine(cal, State::TuneTarget, LineWith("spw 1 ", cal.tchChannel));
    case State::ReadGain:
        DelayMs(kSettleMs);
        return SendLine(cal, State::ReadGain, "spr 11");
    case State::WriteGain:
        return WriteNewGain(cal);
    case State::ReadLevel:
        ReadRxLevel(cal, testSet);
        return State::WriteGain;
    case State::StartCall:
        DelayMs(kCallStartMs);
        return SendLine(cal, State::StartCall, "se 100", StepAct::SendAside);
    case State::EndCall:
        return SendLine(cal, State::EndCall, "se 101");
    case State::Save:
        DelayMs(kSettleMs);
        return SendLine(cal, State::Save, "se 1");
    }
    // A state no calibration leaves behind: end with the failure rather than spin.
    return StepAct::Failed;
}

} // namespace

std::int16_t NewRxGain(std::int16_t readBack, double rxLevel) {
    const auto difference = static_cast<std::int16_t>(std::trunc(kWantedRxLev - rxLevel));
    const auto correction = static_cast<std::int16_t>(2 * difference);
    return static_cast<std::int16_t>(readBack + correction);
}

void RxChannelSetup(CalibrationContext& cal) {
    cal.tchChannel = kRxChannelTable[cal.rxIndex];
    for (const RxGroup& group : kGroups) {
        if (group.firstIndex != cal.rxIndex)
            continue;
        cal.band = group.band;
        cal.cableLossDb = group.dcs ? cal.config.dcsLoss[1] : cal.config.gsmLoss[1];
        if (group.firstIndex == 0)
            cal.bchChannel = cal.config.gsmBch;
        cal.rxGroupEnd = group.lastIndex;
        cal.powerLevel = group.powerLevel;
    }
}

RxStepResult RxStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        cal.stepState = kStepStart;
    const RxStepResult result = Work(cal, testSet);
    cal.stepState = StateAfter(result);
    return result;
}

RxStepResult RxAdvance(CalibrationContext& cal) {
    switch (StateOf<State>(cal.lastStep)) {
    case State::Start: // "se 300"
        return State::StartCall;
    case State::StartCall: // the call is connected
        return State::SetLevels;
    case State::TuneTarget:
        return State::ReadGain;
    case State::ReadGain:
        return State::ReadLevel;
    case State::WriteGain:
        return NextChannel(cal);
    case State::EndCall:
        return State::Save;
    case State::Save:
        return StepAct::Finished;
    default:
        return ActOfWaiting(cal.stepState);
    }
}

void TakeRxReply(CalibrationContext& cal, const TargetReply& reply) {
    if (reply.Opcode() == kOpSpr && reply.Index() == 11)
        cal.rxGainReadBack = static_cast<std::int16_t>(reply.SignedWord());
}
