// The shared course of the measurements, the result mode and the TX measurements.
#include "drivers/wt4400/Wt4400Measure.h"

#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

constexpr int kResultReplySize = 1024;

const Wt4400Measurement kTxPower{":MEAS:RFTX:POW", ":FETCH:RFTX:POW?", ":MEAS:ARR:RFTX:POW?"};
const Wt4400Measurement kTxFramePower{":MEAS:RFTX:FPOW", ":FETCH:RFTX:FPOW?",
                                      ":MEAS:ARR:RFTX:FPOW?"};
const Wt4400Measurement kTxFrequency{":MEAS:RFTX:FREQ", ":FETCH:RFTX:FREQ?",
                                     ":MEAS:ARR:RFTX:FREQ?"};
const Wt4400Measurement kTxPhaseRms{":MEAS:RFTX:PRMS", ":FETCH:RFTX:PRMS?", ":MEAS:ARR:RFTX:PRMS?"};
const Wt4400Measurement kTxPhasePeak{":MEAS:RFTX:PPEA", ":FETCH:RFTX:PPEA?",
                                     ":MEAS:ARR:RFTX:PPEA?"};
const Wt4400Measurement kTxTemplate{":MEAS:RFTX:TEMP", ":FETCH:RFTX:TEMP?", ":MEAS:ARR:RFTX:TEMP?"};
const Wt4400Measurement kTxAll{":MEAS:RFTX:ALL", ":FETCH:RFTX:ALL?", ":MEAS:ARR:RFTX:ALL?"};
const Wt4400Measurement kAcpModulation{":MEAS:RFSP:ACPM:MOD", ":FETCH:RFSP:ACPM:MOD?",
                                       ":MEAS:ARR:RFSP:ACPM:MOD?"};
const Wt4400Measurement kAcpTransient{":MEAS:RFSP:ACPM:TRAN", ":FETCH:RFSP:ACPM:TRAN?",
                                      ":MEAS:ARR:RFSP:ACPM:TRAN?"};
// The adjacent channel power has no minimum.
Wt4400Statistics kAcpStatistics = {":CALC:MAV?", nullptr, ":CALC:MMAX?"};
constexpr int kTxAllInteger = 6; // the seventh value of the single form is an integer

ViStatus ResultReply(ViSession session, const Wt4400Measurement& measurement, ViInt32 count,
                     const char* statistic, QByteArray* reply) {
    if (count == 1) {
        const ViStatus status = WriteLine(session, measurement.measure);
        return status < VI_SUCCESS ? status
                                   : QueryText(session, measurement.fetch, kResultReplySize, reply);
    }
    ViStatus status = WriteLine(session, QByteArray(measurement.array) + ' ' + Number(count));
    if (status >= VI_SUCCESS)
        status = ConfirmOpc(session);
    return status < VI_SUCCESS ? status : QueryText(session, statistic, kResultReplySize, reply);
}

} // namespace

Wt4400Statistics kTxStatistics = {"CALC:MAV?", "CALC:MMIN?", "CALC:MMAX?"};

ViStatus RunMeasurement(ViSession session, const Wt4400Measurement& measurement, ViInt32 count,
                        const Wt4400Statistics& statistics, ViReal64 values[], int valueCount,
                        int integerAt) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!values)
            return VI_ERROR_PARAMETER2;
        if (count < 1 || count > Wt4400Limits::kMaxMeasurementCount)
            return WT4400_ERROR_NOT_ALLOWED;
        const char* statistic = statistics[slot.cache.resultMode];
        if (count > 1 && !statistic)
            return WT4400_ERROR_VALUE;
        QByteArray reply;
        const ViStatus status = ResultReply(session, measurement, count, statistic, &reply);
        if (status < VI_SUCCESS)
            return status;
        if (slot.simulated) {
            std::fill(values, values + valueCount, 0.0);
            return status;
        }
        const int integer = count == 1 ? integerAt : -1;
        return ScanValues(reply, values, valueCount, integer) ? status : WT4400_ERROR_READ;
    });
}

ViStatus wt4400_setResultMode(ViSession session, ViInt16 mode) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (mode < 0 || mode > 2)
            return WT4400_ERROR_NOT_ALLOWED;
        slot.cache.resultMode = mode;
        return VI_SUCCESS;
    });
}

ViStatus wt4400_measureTxPower(ViSession session, ViReal64* value, ViInt32 count) {
    return RunMeasurement(session, kTxPower, count, kTxStatistics, value, 1);
}

ViStatus wt4400_measureTxFramePower(ViSession session, ViReal64* value, ViInt32 count) {
    return RunMeasurement(session, kTxFramePower, count, kTxStatistics, value, 1);
}

ViStatus wt4400_measureTxFrequencyError(ViSession session, ViReal64* first, ViReal64* second,
                                        ViInt32 count) {
    if (!second)
        return VI_ERROR_PARAMETER3;
    ViReal64 values[2] = {};
    const ViStatus status =
        RunMeasurement(session, kTxFrequency, count, kTxStatistics, first ? values : nullptr, 2);
    if (status >= VI_SUCCESS) {
        *first = values[0];
        *second = values[1];
    }
    return status;
}

ViStatus wt4400_measureTxPhaseErrorRms(ViSession session, ViReal64* value, ViInt32 count) {
    return RunMeasurement(session, kTxPhaseRms, count, kTxStatistics, value, 1);
}

ViStatus wt4400_measureTxPhaseErrorPeak(ViSession session, ViReal64* value, ViInt32 count) {
    return RunMeasurement(session, kTxPhasePeak, count, kTxStatistics, value, 1);
}

ViStatus wt4400_measureTxTemplate(ViSession session, ViReal64* value, ViInt32 count) {
    return RunMeasurement(session, kTxTemplate, count, kTxStatistics, value, 1);
}

ViStatus wt4400_measureTxAll(ViSession session, ViReal64 values[], ViInt32 count) {
    return RunMeasurement(session, kTxAll, count, kTxStatistics, values, WT4400_TX_ALL_VALUES,
                          kTxAllInteger);
}

ViStatus wt4400_measureAdjacentChannelPower(ViSession session, ViInt16 kind, ViReal64 values[],
                                            ViInt32 count) {
    const Wt4400Measurement* measurement = kind == 1   ? &kAcpModulation
                                           : kind == 2 ? &kAcpTransient
                                                       : nullptr;
    if (!measurement)
        return OnSlot(session, [](Wt4400Slot&) { return WT4400_ERROR_VALUE; });
    return RunMeasurement(session, *measurement, count, kAcpStatistics, values, WT4400_ACP_VALUES);
}
