// Base-station settings. The cached ones send only what changed, and the cache learns a value
// only once the instrument has confirmed it, so that a failed setting is sent again next time.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

#include <QList>

namespace {

using namespace Wt4400Limits;

constexpr ViStatus kSystemError = WT4400_INSTRUMENT_ERROR_BASE - 310;

bool IsArfcn(ViInt32 arfcn) {
    return arfcn >= 0 && arfcn <= kMaxArfcn;
}

bool IsMsPowerLevel(ViInt32 level) {
    return level >= 0 && level <= kMaxMsPowerLevel;
}

bool IsLevel(double dbm) {
    return InRange(dbm, kMinLevelDbm, kMaxLevelDbm);
}

bool IsGsmChannel(ViInt32 arfcn) {
    return arfcn <= 124 || arfcn >= 975;
}

bool IsDcsChannel(ViInt32 arfcn) {
    return arfcn >= 512 && arfcn <= 885;
}

// Moving into DCS from GSM, or changing channel and level at once, needs one assignment: the
// power levels of the two bands differ.
void ChannelParts(const Wt4400Cache& cache, ViInt32 arfcn, ViInt32 level,
                  QList<QByteArray>* parts) {
    const bool channelChanges = cache.tchArfcn != arfcn;
    const bool levelChanges = cache.msPowerLevel != level;
    const bool intoDcs =
        channelChanges && IsDcsChannel(arfcn) && (!cache.tchArfcn || IsGsmChannel(*cache.tchArfcn));
    if (intoDcs || (channelChanges && levelChanges)) {
        parts->append(":CONF:GSM:ASSALL " + Number(arfcn) + ',' + Number(level));
        return;
    }
    if (channelChanges)
        parts->append(":CONF:GSM:BS:TCH:ARFC " + Number(arfcn));
    if (levelChanges)
        parts->append(":CONF:GSM:MSTATION:PLEVEL " + Number(level));
}

// The changed parts as one line, then "*OPC?"; error -310 from it counts as success where the
// caller says so.
ViStatus SendParts(ViSession session, const QList<QByteArray>& parts, bool systemErrorIsFine) {
    ViStatus status = parts.isEmpty() ? VI_SUCCESS : WriteLine(session, parts.join(';'));
    if (status >= VI_SUCCESS)
        status = ConfirmOpc(session);
    return systemErrorIsFine && status == kSystemError ? VI_SUCCESS : status;
}

template <typename T> void Learn(std::optional<T>& cached, T value, ViStatus status) {
    if (status >= VI_SUCCESS)
        cached = value;
    else
        cached.reset();
}

} // namespace

ViStatus wt4400_setCallParameters(ViSession session, ViReal64 levelDbm, ViInt32 msPowerLevel,
                                  ViInt32 tchArfcn) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!IsLevel(levelDbm) || !IsMsPowerLevel(msPowerLevel) || !IsArfcn(tchArfcn))
            return WT4400_ERROR_NOT_ALLOWED;
        Wt4400Cache& cache = slot.cache;
        QList<QByteArray> parts;
        if (cache.baseStationLevel != levelDbm)
            parts.append(":CONF:GSM:BS:LEVEL " + Fixed(levelDbm));
        ChannelParts(cache, tchArfcn, msPowerLevel, &parts);
        const ViStatus status = SendParts(session, parts, true);
        Learn(cache.baseStationLevel, levelDbm, status);
        Learn(cache.tchArfcn, tchArfcn, status);
        Learn(cache.msPowerLevel, msPowerLevel, status);
        return status;
    });
}

ViStatus wt4400_setTchAndMsLevel(ViSession session, ViInt32 tchArfcn, ViInt32 msPowerLevel) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!IsMsPowerLevel(msPowerLevel) || !IsArfcn(tchArfcn))
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        ChannelParts(slot.cache, tchArfcn, msPowerLevel, &parts);
        const ViStatus status = SendParts(session, parts, false);
        Learn(slot.cache.tchArfcn, tchArfcn, status);
        Learn(slot.cache.msPowerLevel, msPowerLevel, status);
        return status;
    });
}

ViStatus wt4400_setBchChannel(ViSession session, ViInt32 arfcn) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!IsArfcn(arfcn))
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        if (slot.cache.bchArfcn != arfcn)
            parts.append(":CONF:GSM:BS:BCH:ARFC " + Number(arfcn));
        const ViStatus status = SendParts(session, parts, false);
        Learn(slot.cache.bchArfcn, arfcn, status);
        return status;
    });
}

ViStatus wt4400_setBaseStationLevel(ViSession session, ViReal64 levelDbm) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!IsLevel(levelDbm))
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        if (slot.cache.baseStationLevel != levelDbm)
            parts.append("CONF:GSM:BS:LEVEL " + Fixed(levelDbm));
        const ViStatus status = SendParts(session, parts, true);
        Learn(slot.cache.baseStationLevel, levelDbm, status);
        return status;
    });
}

ViStatus wt4400_setBchAndMsLevel(ViSession session, ViInt32 bchArfcn, ViInt32 msPowerLevel) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!IsArfcn(bchArfcn) || !IsMsPowerLevel(msPowerLevel))
            return WT4400_ERROR_NOT_ALLOWED;
        QList<QByteArray> parts;
        if (slot.cache.bchArfcn != bchArfcn)
            parts.append("CONF:GSM:BS:BCH:ARFC " + Number(bchArfcn));
        if (slot.cache.msPowerLevel != msPowerLevel)
            parts.append(":CONF:GSM:MSTATION:PLEVEL " + Number(msPowerLevel));
        const ViStatus status = SendParts(session, parts, false);
        Learn(slot.cache.bchArfcn, bchArfcn, status);
        Learn(slot.cache.msPowerLevel, msPowerLevel, status);
        return status;
    });
}

ViStatus wt4400_setBaseStationIdentity(ViSession session, ViInt32 mcc, ViInt32 mnc, ViInt32 lac,
                                       ViInt32 ncc, ViInt32 bcc, ViInt32 cba, ViInt32 ci,
                                       ViInt32 drx) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const struct {
            const char* header;
            ViInt32 value;
            ViInt32 high;
        } fields[] = {{":CONF:GSM:BS:LAI:MCC ", mcc, 1000},  {":CONF:GSM:BS:LAI:MNC ", mnc, 100},
                      {":CONF:GSM:BS:LAI:LAC ", lac, 65535}, {":CONF:GSM:BS:NCC ", ncc, 7},
                      {":CONF:GSM:BS:BCC ", bcc, 7},         {":CONF:GSM:BS:CBA ", cba, 1},
                      {":CONF:GSM:BS:CI ", ci, 255}};
        QByteArray line;
        for (const auto& field : fields) {
            if (field.value < 0 || field.value > field.high)
                return WT4400_ERROR_NOT_ALLOWED;
            line += field.header + Number(field.value) + ';';
        }
        if (drx < kMinDrx || drx > kMaxDrx)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, line + ":CONF:GSM:MSTA:DRX " + Number(drx));
    });
}

ViStatus wt4400_setCountryNetworkCode(ViSession session, ViInt32 mcc, ViInt32 mnc) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (mcc < 0 || mcc > 1000 || mnc < 0 || mnc > 100)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, ":CONF:GSM:BS:LAI:MCC " + Number(mcc) +
                                        ";:CONF:GSM:BS:LAI:MNC " + Number(mnc));
    });
}
