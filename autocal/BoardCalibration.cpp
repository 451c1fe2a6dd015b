#include "autocal/BoardCalibration.h"

#include "autocal/StepCommands.h"
#include "instruments/DelayMs.h"
#include "instruments/Supply.h"

#include <QLocale>

namespace {

constexpr int kReadingIntervalMs = 4000;

struct BoardWait {
    std::int32_t afterStep;
    int waitMs;
    std::int32_t next;
};

// After each step's reply (or fixed wait): how long the target needs, and what follows.
constexpr BoardWait kAdvances[] = {
    {1, 5000, 43},
    {6, 100, 7},
    {7, 100, kBoardStatusState},
    {35, 100, 36},
    {36, 0, 37},
    {37, 0, 40},
    {40, 1000, kBoardClockState},
    {43, 3000, 6},
    {44, 1000, 45},
    {45, 300, 46},
    {46, 300, 47},
    {47, 300, kStepFinished},
};

std::int32_t CheckReading(CalibrationContext& cal) {
    if (BatterySteady(cal))
        return EncodeStepLine(cal, 37, LineWith("spw 54 ", cal.batteryReading));
    cal.previousReading = cal.currentReading;
    cal.currentReading = cal.batteryReading;
    return 36;
}

} // namespace

bool BatterySteady(const CalibrationContext& cal) {
    return cal.previousReading >= cal.currentReading && cal.currentReading >= cal.batteryReading &&
           cal.previousReading >= cal.batteryReading && cal.batteryReading >= kBatteryLow &&
           cal.batteryReading <= kBatteryHigh;
}

std::int32_t BoardStep(CalibrationContext& cal, Supply& supply, bool supplyConfigured) {
    if (IsAtRest(cal.stepState)) {
        cal.previousReading = 0;
        cal.currentReading = 1;
        cal.stepState = kStepStart;
        cal.instrumentFault = 0;
    }
    if (cal.instrumentFault)
        return cal.stepState = kStepFailed;
    switch (cal.stepState) {
    case 1:
        return cal.stepState = EncodeStepLine(cal, 1, "se 6");
    case kStepSend:
    case kStepSendTimed:
        if (cal.lastStep == 40 && supplyConfigured)
            supply.SetSupply3V8();
        BoardAdvance(cal);
        return cal.stepState;
    case 5:
        if (supplyConfigured)
            supply.SetSupply4V18();
        return cal.stepState = 1;
    case 6:
        return cal.stepState = EncodeStepLine(cal, 6, "ti");
    case 7:
        return cal.stepState = EncodeStepLine(cal, 7, "tms 1");
    case kBoardStatusState:
        return cal.stepState = EncodeStepLine(cal, 35, "se 54");
    case 36:
        DelayMs(kReadingIntervalMs);
        return cal.stepState = EncodeStepLine(cal, 36, "spr 54");
    case 37:
        return cal.stepState = CheckReading(cal);
    case 40:
        return cal.stepState = EncodeStepLine(cal, 40, "se 11");
    case 43:
        return cal.stepState = EncodeStepLine(cal, 43, "se 300", kStepSendTimed);
    case kBoardClockState:
        cal.lastStep = kBoardClockState;
        return cal.stepState = kStepSend;
    case 45:
        return cal.stepState = EncodeStepLine(cal, 45, "spw 51 22");
    case 46:
        return cal.stepState = EncodeStepLine(cal, 46, "spw 52 26");
    case 47:
        return cal.stepState = EncodeStepLine(cal, 47, "spw 53 2");
    default:
        return cal.stepState = kStepFailed;
    }
}

void BoardAdvance(CalibrationContext& cal) {
    if (cal.stepState != kStepSend && cal.stepState != kStepSendTimed)
        return;
    for (const BoardWait& advance : kAdvances) {
        if (advance.afterStep != cal.lastStep)
            continue;
        if (advance.waitMs > 0)
            DelayMs(advance.waitMs);
        cal.stepState = advance.next;
        return;
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
