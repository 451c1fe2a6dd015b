// The bit error rate: the loop-back of the call, the frame count and the results.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

using namespace Wt4400Limits;

constexpr ViInt32 kConnectedBit = 4;
constexpr int kBerResults = 3;

struct BerKind {
    const char* loop;  // the loop mode the measurement needs
    const char* fetch; // null: the measurement has no fetch form
    const char* measure;
    int values;
};

const BerKind kBerKinds[] = {
    {"NONR", ":FETCH:RFRX:BER:ALL?", ":MEAS:RFRX:BER:ALL?", 3},
    {"NONR", ":FETCH:RFRX:RBER:ALL?", ":MEAS:RFRX:RBER:ALL?", 3},
    {"FAST", nullptr, ":MEAS:RFRX:FBER?", 1},
};

const BerKind* KindOf(ViInt16 berType) {
    return berType >= 1 && berType <= 3 ? &kBerKinds[berType - 1] : nullptr;
}

bool IsFrameCount(ViInt32 frames) {
    return frames >= 1 && frames <= kMaxBerFrames;
}

// Switches the loop and waits until the call reports connected again.
ViStatus SwitchLoop(ViSession session, const char* line) {
    int rounds = 0;
    PollRounds(kBerLoopWaitSeconds, &rounds);
    const ViStatus status = WriteLine(session, line);
    if (status < VI_SUCCESS)
        return status;
    return PollBit(session, ":STAT:OPER:SIGN:COND?", kConnectedBit, true, rounds);
}

} // namespace

ViStatus wt4400_startBerLoop(ViSession session, ViInt16 berType, ViInt32 frames) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const BerKind* kind = KindOf(berType);
        if (!kind || !IsFrameCount(frames))
            return WT4400_ERROR_NOT_ALLOWED;
        ViStatus status = SwitchLoop(session, ":CALL:LOOP ON");
        if (status >= VI_SUCCESS)
            status = WriteLine(session, QByteArray("CONFIGURE:GSM:BER:LOOP ") + kind->loop);
        return status < VI_SUCCESS ? status : wt4400_setBerFrameCount(session, frames);
    });
}

ViStatus wt4400_stopBerLoop(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot&) { return SwitchLoop(session, ":CALL:LOOP OFF"); });
}

ViStatus wt4400_setBerFrameCount(ViSession session, ViInt32 frames) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!IsFrameCount(frames))
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, "CONFIGURE:GSM:BER:COUNT " + Number(frames));
    });
}

ViStatus wt4400_readBer(ViSession session, ViInt16 berType, ViInt16 fetch, ViReal64 values[3]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const BerKind* kind = KindOf(berType);
        if (!kind || (fetch != 0 && fetch != 1))
            return WT4400_ERROR_NOT_ALLOWED;
        if (!values)
            return VI_ERROR_PARAMETER4;
        std::fill(values, values + kBerResults, 0.0);
        const char* query = fetch == 1 && kind->fetch ? kind->fetch : kind->measure;
        return QueryValues(session, query, 1024, values, kind->values);
    });
}
