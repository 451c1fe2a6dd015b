#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationContext.h"

#include <QByteArray>

#include <cstdint>
#include <variant>

// What a state's work asks of the calibration's step routine.
enum class StepAct {
    Send,      // send the command the state encoded, and await its reply
    SendAside, // send it; the routine follows it the calibration's own way
    SendTimed, // send it, and go on after a fixed wait instead of a reply
    Finished,
    Failed,
};

// The outcome of one step of a calibration: an act for its step routine, or the state the
// machine steps on with.
template <typename State> using StepResult = std::variant<StepAct, State>;

// The state the machine is left in by a step: the one it steps on with, or the one it waits or
// rests in while the routine acts.
template <typename State> std::int32_t StateAfter(const StepResult<State>& result) {
    if (const State* next = std::get_if<State>(&result))
        return static_cast<std::int32_t>(*next);
    switch (std::get<StepAct>(result)) {
    case StepAct::Send:
        return kStepSent;
    case StepAct::SendAside:
        return kStepSentAside;
    case StepAct::SendTimed:
        return kStepSentTimed;
    case StepAct::Finished:
        return kStepIdle;
    case StepAct::Failed:
        break;
    }
    return kStepFailed;
}

// The act that sent the command a waiting machine waits for: when its reply rules name no next
// state, the command goes again the way it went.
inline StepAct ActOfWaiting(std::int32_t state) {
    return state == kStepSentAside   ? StepAct::SendAside
           : state == kStepSentTimed ? StepAct::SendTimed
                                     : StepAct::Send;
}

// A sending state records itself as the last step and leaves its command line for the step
// routine to send the way it asks.
template <typename State>
StepAct SendLine(CalibrationContext& cal, State from, const QByteArray& line,
                 StepAct how = StepAct::Send) {
    cal.lastStep = static_cast<std::int32_t>(from);
    cal.commandLine = line;
    return how;
}

inline QByteArray LineWith(const char* head, std::int64_t value) {
    return QByteArray(head) + QByteArray::number(value);
}

template <typename State> State StateOf(std::int32_t number) {
    return static_cast<State>(number);
}

// Steps a machine until its step asks the routine to act.
template <typename Step> StepAct StepUntilAct(Step step) {
    for (;;) {
        const auto result = step();
        if (const StepAct* act = std::get_if<StepAct>(&result))
            return *act;
    }
}
