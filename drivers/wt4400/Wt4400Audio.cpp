// The audio generator and the audio analyser.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Measure.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

using namespace Wt4400Limits;

const char* const kOutputs[] = {"CODEC", "AF"};
const char* const kInputs[] = {"AF", "COD", "AUX"};
const char* const kCouplings[] = {"AC", "DC"};
const Wt4400Measurement kAudioAll{":MEAS:AFAN:ALL", ":FETCH:AFAN:ALL?", ":MEAS:ARR:AFAN:ALL?"};
constexpr int kMaxSpectrumPoints = 15;
constexpr ViInt32 kMaxSpectrumHz = 4000;

// The setting header + word for a 1-based code, -108 for a code with no word.
template <size_t N>
ViStatus SendChoice(ViSession session, const char* header, ViInt32 code,
                    const char* const (&words)[N]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const char* word = Word(code, words);
        if (!word)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, QByteArray(header) + word);
    });
}

} // namespace

ViStatus wt4400_setAudioGenerator(ViSession session, ViInt16 on) {
    const char* const states[] = {"OFF", "ON"};
    return SendChoice(session, ":AFG:STAT ", on + 1, states);
}

ViStatus wt4400_setAudioGeneratorOutput(ViSession session, ViInt16 output) {
    return SendChoice(session, ":AFG:OUTP ", output, kOutputs);
}

ViStatus wt4400_configureAudioGenerator(ViSession session, ViReal64 afLevelV,
                                        ViReal64 codecLevelDbm0, ViReal64 frequencyHz) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!InRange(afLevelV, 0.0, kMaxAfLevelV) ||
            !InRange(codecLevelDbm0, kMinCodecLevelDbm0, kMaxCodecLevelDbm0) ||
            !InRange(frequencyHz, kMinAudioGeneratorHz, kMaxAudioGeneratorHz))
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, ":AFG:LEV:AF " + Fixed(afLevelV) + ";:AFG:LEV:RF " +
                                        Fixed(codecLevelDbm0) + ";:AFG:SING:FREQ " +
                                        Fixed(frequencyHz));
    });
}

ViStatus wt4400_setAudioAnalyzerInput(ViSession session, ViInt16 input) {
    return SendChoice(session, ":AFAN:INP ", input, kInputs);
}

ViStatus wt4400_setAudioAnalyzerCoupling(ViSession session, ViInt16 coupling) {
    return SendChoice(session, ":AFAN:COUP ", coupling, kCouplings);
}

ViStatus wt4400_measureAudioAnalyzer(ViSession session, ViReal64 values[], ViInt32 count) {
    return RunMeasurement(session, kAudioAll, count, kTxStatistics, values, WT4400_AUDIO_VALUES);
}

ViStatus wt4400_measureAudioSpectrum(ViSession session, const ViInt32 frequenciesHz[],
                                     ViReal64 values[], ViInt16 points) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!frequenciesHz || !values || points < 1 || points > kMaxSpectrumPoints)
            return WT4400_ERROR_NOT_ALLOWED;
        QByteArray query = ":CALC:AFSP:";
        for (int i = 0; i < points; ++i) {
            if (frequenciesHz[i] < 1 || frequenciesHz[i] > kMaxSpectrumHz)
                return WT4400_ERROR_NOT_ALLOWED;
            query += (i > 0 ? ";VAL? " : "VAL? ") + Number(frequenciesHz[i]);
        }
        QByteArray done;
        const ViStatus status = QueryText(session, ":MEAS:BLOC:AFSP;*OPC?", 32, &done);
        if (status < VI_SUCCESS)
            return status;
        return QueryValues(session, query, 1024, values, points);
    });
}
