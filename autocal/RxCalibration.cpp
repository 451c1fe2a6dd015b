#include "autocal/RxCalibration.h"

#include "autocal/StepCommands.h"
#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"

#include <cmath>

namespace {

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

std::int32_t WriteNewGain(CalibrationContext& cal) {
    if (cal.rxLevel) {
        const std::int16_t gain = NewRxGain(cal.rxGainReadBack, *cal.rxLevel);
        cal.rxTable[static_cast<std::size_t>(cal.rxIndex)] = gain;
        if (gain < -kRxGainLimit || gain > kRxGainLimit)
            cal.instrumentFault = 1;
        EncodeStepLine(cal, 33, LineWith("spw 11 ", gain));
    }
    return cal.instrumentFault ? kStepFailed : kStepSend;
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

std::int32_t RxStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        cal.stepState = kStepStart;
    switch (cal.stepState) {
    case kStepSend:
    case kStepSendAside:
    case kStepSendTimed:
        RxAdvance(cal);
        return cal.stepState;
    case 5:
        Reset(cal);
        RxChannelSetup(cal);
        testSet.SetupRxCalibration();
        return cal.stepState = EncodeStepLine(cal, 5, "se 300", kStepSendTimed);
    case 28:
        RxChannelSetup(cal);
        testSet.SetTrafficChannel();
        return cal.stepState = 31;
    case 30:
        RxChannelSetup(cal);
        testSet.SetRxLossAndLevel();
        DelayMs(kSettleMs);
        return cal.stepState = 28;
    case 31:
        return cal.stepState = EncodeStepLine(cal, 31, LineWith("spw 1 ", cal.tchChannel));
    case 32:
        DelayMs(kSettleMs);
        return cal.stepState = EncodeStepLine(cal, 32, "spr 11");
    case 33:
        return cal.stepState = WriteNewGain(cal);
    case 34:
        ReadRxLevel(cal, testSet);
        return cal.stepState = 33;
    case 38:
        DelayMs(kCallStartMs);
        return cal.stepState = EncodeStepLine(cal, 38, "se 100", kStepSendAside);
    case 39:
        return cal.stepState = EncodeStepLine(cal, 39, "se 101");
    case 40:
        DelayMs(kSettleMs);
        return cal.stepState = EncodeStepLine(cal, 40, "se 1");
    default:
        // A state no calibration leaves behind: end with the failure rather than spin.
        return cal.stepState = kStepFailed;
    }
}

void RxAdvance(CalibrationContext& cal) {
    if (cal.stepState != kStepSend && cal.stepState != kStepSendAside &&
        cal.stepState != kStepSendTimed)
        return;
    switch (cal.lastStep) {
    case 5:
        cal.stepState = 38;
        break;
    case 38:
        cal.stepState = 30;
        break;
    case 31:
        cal.stepState = 32;
        break;
    case 32:
        cal.stepState = 34;
        break;
    case 33:
        ++cal.rxIndex;
        if (cal.rxIndex == kRxChannels)
            cal.stepState = 39;
        else
            cal.stepState = cal.rxIndex <= cal.rxGroupEnd ? 28 : 30;
        break;
    case 39:
        cal.stepState = 40;
        break;
    case 40:
        cal.stepState = kStepFinished;
        break;
    default:
        break;
    }
}
