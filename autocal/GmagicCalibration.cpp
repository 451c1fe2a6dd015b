#include "autocal/GmagicCalibration.h"

#include "autocal/StepCommands.h"
#include "instruments/DelayMs.h"
#include "instruments/TestSet.h"

#include <cmath>

namespace {

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

std::int32_t WriteResult(CalibrationContext& cal) {
    const std::int32_t result = GmagicCompute(cal);
    if (result > kGmagicHigh || result < kGmagicLow)
        cal.instrumentFault = 1;
    // Encoded even when out of range; a failed calibration never sends it.
    const std::int32_t how =
        EncodeStepLine(cal, 16, (OnGsm(cal) ? "rftw 31 " : "rftw 47 ") + cal.gmagicArgument);
    return cal.instrumentFault ? kStepFailed : how;
}

} // namespace

void GmagicPrepare(CalibrationContext& cal) {
    if (cal.stepState == 8)
        cal.cableLossDb = OnGsm(cal) ? cal.config.gsmLoss[1] : cal.config.dcsLoss[1];
    else if (cal.stepState == 9)
        cal.tchChannel = OnGsm(cal) ? kGsmChannel : kDcsChannel;
}

std::int32_t GmagicStep(CalibrationContext& cal, TestSet& testSet) {
    if (IsAtRest(cal.stepState))
        Reset(cal);
    GmagicPrepare(cal);
    switch (cal.stepState) {
    case kStepSend:
        GmagicAdvance(cal);
        return cal.stepState;
    case 5:
        testSet.SetupCwDownlink();
        return cal.stepState = EncodeStepLine(cal, 5, "ti");
    case 6:
        return cal.stepState = EncodeStepLine(cal, 6, "tms 1");
    case 8:
        testSet.ConfigureCwGenerator();
        return cal.stepState = 9;
    case 9:
        cal.cwOffsetSelector = cal.sampleCount;
        testSet.SetCwFrequency();
        return cal.stepState = EncodeStepLine(cal, 9, LineWith("rfpw 2 ", cal.tchChannel));
    case 12:
        return cal.stepState = EncodeStepLine(cal, 12, "rfe 1");
    case 13:
        return cal.stepState = EncodeStepLine(cal, 13, "rfe 0");
    case 14:
        DelayMs(kSampleWaitMs);
        return cal.stepState = EncodeStepLine(cal, 14, "sr 1 2");
    case 15:
        return cal.stepState = EncodeStepLine(cal, 15, OnGsm(cal) ? "rftr 31" : "rftr 47");
    case 16:
        return cal.stepState = WriteResult(cal);
    case 40:
        return cal.stepState = EncodeStepLine(cal, 40, "se 1");
    default:
        // A state no calibration leaves behind: end with the failure rather than spin.
        return cal.stepState = kStepFailed;
    }
}

void GmagicAdvance(CalibrationContext& cal) {
    if (cal.stepState != kStepSend)
        return;
    switch (cal.lastStep) {
    case 5:
        cal.stepState = 6;
        break;
    case 6:
        cal.stepState = 8;
        break;
    case 9:
        cal.stepState = 12;
        break;
    case 12:
        cal.stepState = 14;
        break;
    case 14:
        cal.stepState = 13;
        break;
    case 13:
        // A second "rfe 1", wait, "sr 1 2", "rfe 0" for the second sample of the pair.
        cal.stepState = cal.pairReady ? 15 : 12;
        break;
    case 15:
        cal.stepState = 16;
        break;
    case 16:
        if (OnGsm(cal)) {
            cal.band = kBandDcs;
            cal.pairReady = false;
            cal.stepState = 8;
        } else {
            cal.stepState = 40;
        }
        break;
    case 40:
        cal.stepState = kStepFinished;
        break;
    default:
        break;
    }
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
