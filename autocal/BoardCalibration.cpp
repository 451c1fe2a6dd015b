#include "autocal/BoardCalibration.h"

#include "instruments/DelayMs.h"
#include "instruments/Supply.h"
#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"

#include <QLocale>

namespace {

using State = BoardState;

constexpr int kReadingIntervalMs = 4000;

struct BoardWait {
    State afterStep;
    int waitMs;
    BoardStepResult next;
};

// After each step's reply (or fixed wait): how long the target needs, and what follows.
const BoardWait kAdvances[] = {
    {State::Erase, 5000, State::Restart},         {State::TestModeInit, 100, State::TestMode},
    {State::TestMode, 100, State::BatteryMode},   {State::BatteryMode, 100, State::ReadBattery},
    {State::ReadBattery, 0, State::CheckBattery}, {State::CheckBattery, 0, State::SaveLogic},
    {State::SaveLogic, 1000, State::SetClock},    {State::Restart, 3000, State::TestModeInit},
    {State::SetClock, 1000, State::MainLcd},      {State::MainLcd, 300, State::SubLcdVolume},
    {State::SubLcdVolume, 300, State::SubLcdV0},  {State::SubLcdV0, 300, StepAct::Finished},
};

BoardStepResult CheckReading(CalibrationContext& cal) {
    if (BatterySteady(cal))
        return SendLine(cal, State::CheckBattery, LineWith("spw 54 ", cal.batteryReading));
    cal.previousReading = cal.currentReading;
    cal.currentReading = cal.batteryReading;
    return State::ReadBattery;
}

// After a reply or the wait after "se 300": the next state by the last step.
BoardStepResult Advance(const CalibrationContext& cal) {
    for (const BoardWait& advance : kAdvances) {
        if (advance.afterStep != StateOf<State>(cal.lastStep))
            continue;
        DelayMs(advance.waitMs);
        return advance.next;
    }
    return ActOfWaiting(cal.stepState);
}

BoardStepResult Work(CalibrationContext& cal, Supply& supply, bool supplyConfigured) {
    const State state = StateOf<State>(cal.stepState);
    switch (state) {
    case State::Erase:
        return SendLine(cal, state, "se 6");
    case State::Sent:
    case State::SentTimed:
        // The battery is saved: the target goes back to its operating voltage.
        if (StateOf<State>(cal.lastStep) == State::SaveLogic && supplyConfigured)
            supply.SetSupply3V8();
        return Advance(cal);
    case State::Start:
        if (supplyConfigured)
            supply.SetSupply4V18();
        return State::Erase;
    case State::TestModeInit:
        return SendLine(cal, state, "ti");
    case State::TestMode:
        return SendLine(cal, state, "tms 1");
    case State::BatteryMode:
        return SendLine(cal, state, "se 54");
    case State::ReadBattery:
        DelayMs(kReadingIntervalMs);
        return SendLine(cal, state, "spr 54");
    case State::CheckBattery:
        return CheckReading(cal);
    case State::SaveLogic:
        return SendLine(cal, state, "se 11");
    case State::Restart:
        return SendLine(cal, state, "se 300", StepAct::SendTimed);
    case State::SetClock:
        cal.lastStep = static_cast<std::int32_t>(state);
        return StepAct::Send;
    case State::MainLcd:
        return SendLine(cal, state, "spw 51 22");
    case State::SubLcdVolume:
        return SendLine(cal, state, "spw 52 26");
    case State::SubLcdV0:
        return SendLine(cal, state, "spw 53 2");
    }
    return StepAct::Failed;
}

} // namespace

bool BatterySteady(const CalibrationContext& cal) {
    return cal.previousReading >= cal.currentReading && cal.currentReading >= cal.batteryReading &&
           cal.previousReading >= cal.batteryReading && cal.batteryReading >= kBatteryLow &&
           cal.batteryReading <= kBatteryHigh;
}

BoardStepResult BoardStep(CalibrationContext& cal, Supply& supply, bool supplyConfigured) {
    if (IsAtRest(cal.stepState)) {
        cal.previousReading = 0;
        cal.currentReading = 1;
        cal.stepState = kStepStart;
        cal.instrumentFault = 0;
    }
    const BoardStepResult result = cal.instrumentFault ? BoardStepResult(StepAct::Failed)
                                                       : Work(cal, supply, supplyConfigured);
    cal.stepState = StateAfter(result);
    return result;
}

const char* TakeBoardReply(CalibrationContext& cal, const TargetReply& reply) {
    switch (reply.Opcode()) {
    case kOpTms:
        return "TESTMODE SET.";
    case kOpSpr:
        if (reply.Index() == 54)
            cal.batteryReading = reply.Word();
        return nullptr;
    case kOpSe:
        return reply.Index() == 11 ? "LOGIC DATA SAVED." : nullptr;
    default:
        return nullptr;
    }
}

QByteArray ClockLine(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    // Qt counts the week from Monday (1) to Sunday (7); the target from Sunday (0).
    return QString::asprintf("stw 20 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x 0x%x", date.dayOfWeek() % 7,
                             date.year() - 2000, date.month(), date.day(), time.hour(),
                             time.minute(), time.second())
        .toLatin1();
}

QString ClockText(const QDateTime& now) {
    return QLocale::c().toString(now, QStringLiteral("HH:mm:ss, dddd, MMMM dd, yyyy"));
}
