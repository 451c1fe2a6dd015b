// GPRS multislot settings and results.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Measure.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

using namespace Wt4400Limits;

constexpr int kMaxBsSlots = 4;
constexpr int kMaxMsSlots = 2;
constexpr int kMultislotTxInteger = 6; // the seventh of the nineteen values

bool IsLevel(double dbm) {
    return InRange(dbm, kMinLevelDbm, kMaxLevelDbm);
}

// Validates the session, then sends line when valid is true and returns -108 when it is not.
ViStatus SendIfValid(ViSession session, bool valid, const QByteArray& line) {
    return OnSlot(session, [&](Wt4400Slot&) {
        return valid ? SendSetting(session, line) : WT4400_ERROR_NOT_ALLOWED;
    });
}

} // namespace

ViStatus wt4400_setGprsMultislot(ViSession session, ViInt16 msSlots, ViInt16 bsSlots) {
    const bool valid =
        msSlots >= 1 && msSlots <= kMaxMsSlots && bsSlots >= 1 && bsSlots <= kMaxBsSlots;
    return SendIfValid(session, valid,
                       ":CONF:GPRS:MSTA:MSL " + Number(msSlots) + ";:CONF:GPRS:BS:MSL " +
                           Number(bsSlots));
}

ViStatus wt4400_setGprsMultislotResolution(ViSession session, ViInt16 resolution) {
    return SendIfValid(session, resolution >= 1 && resolution <= 4,
                       ":CONF:GPRS:MSL:RES " + Number(resolution));
}

ViStatus wt4400_setGprsBlerCount(ViSession session, ViInt32 blocks) {
    return SendIfValid(session, blocks >= 0 && blocks <= kMaxGprsBlerBlocks,
                       ":CONFIGURE:GPRS:BLER:COUNT " + Number(blocks));
}

ViStatus wt4400_startGprsBler(ViSession session) {
    return SendIfValid(session, true, ":MEAS:GPRS:MULTISLOT:RFRX:BLER");
}

ViStatus wt4400_setGprsLevel(ViSession session, ViReal64 levelDbm) {
    return SendIfValid(session, IsLevel(levelDbm), ":CONF:GPRS:BS:LEV " + Short(levelDbm));
}

ViStatus wt4400_setGprsSlotLevels(ViSession session, const ViReal64 levelsDb[], ViInt16 count) {
    bool valid = levelsDb && count >= 1 && count <= kMaxBsSlots;
    QByteArray line = ":CONF:GPRS:BS:MSL:LEV ";
    for (int i = 0; valid && i < count; ++i) {
        valid = IsLevel(levelsDb[i]);
        line += (i > 0 ? "," : "") + Short(levelsDb[i]);
    }
    return SendIfValid(session, valid, line);
}

ViStatus wt4400_setGprsUnusedSlotLevel(ViSession session, ViReal64 levelDb) {
    return SendIfValid(session, IsLevel(levelDb), ":CONF:GPRS:BS:MSL:LEV:UNUS " + Short(levelDb));
}

ViStatus wt4400_setGprsPdtchChannel(ViSession session, ViInt32 arfcn) {
    return SendIfValid(session, arfcn >= 0 && arfcn <= kMaxArfcn,
                       ":CONFIGURE:GPRS:BS:PDTCH:ARFC " + Number(arfcn));
}

ViStatus wt4400_readGprsBler(ViSession session, ViReal64 values[], ViInt16 count) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!values || count < 1 || count > kMaxBsSlots)
            return WT4400_ERROR_NOT_ALLOWED;
        return QueryValues(session, ":FETCH:GPRS:MULTISLOT:RFRX:BLER?", 1024, values, count);
    });
}

ViStatus wt4400_measureGprsMultislotTx(ViSession session, ViReal64 values[]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!values)
            return VI_ERROR_PARAMETER2;
        return QueryValues(session, ":MEAS:GPRS:MULT:RFTX:ALL?", 1024, values, WT4400_TX_ALL_VALUES,
                           kMultislotTxInteger);
    });
}
