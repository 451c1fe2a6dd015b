// The modulation spectrum: span, averaging, the 600-point block and single values.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

using namespace Wt4400Limits;

const char* const kResolutions[] = {"RES2", "RES5", "RES10", "RES30"};
constexpr int kBlockReplySize = 7000;

const char* SpanWord(ViInt32 spanCode) {
    switch (spanCode) {
    case 500:
        return "SP1000";
    case 1800:
        return "SP3600";
    default: // 200 and anything else
        return "SP400";
    }
}

} // namespace

ViStatus wt4400_setModulationSpectrumSpan(ViSession session, ViInt32 spanCode, ViInt16 resolution) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const char* resolutionWord = Word(resolution, kResolutions);
        if (!resolutionWord)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, QByteArray(kSpectrumSpanHeader) + SpanWord(spanCode) +
                                        kSpectrumResolutionHeader + resolutionWord);
    });
}

ViStatus wt4400_setModulationSpectrumAveraging(ViSession session, ViInt32 count) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (count < 1 || count > kMaxSpectrumAveraging)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, ":MEAS:BLOC:MSP:AVG " + Number(count));
    });
}

ViStatus wt4400_readModulationSpectrum(ViSession session, ViReal64 values[]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!values)
            return VI_ERROR_PARAMETER2;
        const ViStatus status = WriteLine(session, ":MEAS:BLOC:MSP");
        if (status < VI_SUCCESS)
            return status;
        return QueryValues(session, ":FETCH:BLOC:MSP?", kBlockReplySize, values,
                           WT4400_SPECTRUM_POINTS);
    });
}

ViStatus wt4400_readModulationSpectrumValue(ViSession session, ViReal64 offsetKHz,
                                            ViReal64* value) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!InRange(offsetKHz, -kMaxSpectrumOffsetKHz, kMaxSpectrumOffsetKHz))
            return WT4400_ERROR_NOT_ALLOWED;
        if (!value)
            return VI_ERROR_PARAMETER3;
        return QueryValues(session, "CALC:RFSP:MSP:VAL? " + Fixed(offsetKHz), 1024, value, 1);
    });
}
