// The limits and corner positions of the TX power-versus-time template.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Limits.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

using namespace Wt4400Limits;

constexpr int kCornerCount = 8;

bool IsLimit(double db) {
    return InRange(db, kMinTemplateLimitDb, kMaxTemplateLimitDb);
}

// count limit values, each a valid level, joined by commas.
bool LimitList(const ViReal64 levels[], int count, QByteArray* list) {
    for (int i = 0; i < count; ++i) {
        if (!IsLimit(levels[i]))
            return false;
        *list += (i > 0 ? "," : "") + Fixed(levels[i]);
    }
    return true;
}

bool IsPointCount(const void* first, const void* second, ViInt16 count) {
    return first && second && count >= 1 && count <= kMaxTemplatePoints;
}

} // namespace

ViStatus wt4400_setTxTemplateCorners(ViSession session, const ViReal64 positions[8]) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!positions)
            return WT4400_ERROR_VALUE;
        QByteArray line = ":CALC:RFTX:CORN:POS ";
        for (int i = 0; i < kCornerCount; ++i) {
            if (!InRange(positions[i], kMinCornerUs, kMaxCornerUs))
                return WT4400_ERROR_VALUE;
            line += (i > 0 ? "," : "") + Fixed(positions[i]);
        }
        return SendSetting(session, line);
    });
}

ViStatus wt4400_setTxTemplateLowerPoints(ViSession session, const ViInt32 positions[],
                                         const ViReal64 levelsDb[], ViInt16 count) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (!IsPointCount(positions, levelsDb, count))
            return WT4400_ERROR_NOT_ALLOWED;
        QByteArray line = "CALC:RFTX:TEMP:LIM:LOW ";
        for (int i = 0; i < count; ++i) {
            if (positions[i] < 0 || positions[i] > kMaxTemplatePosition || !IsLimit(levelsDb[i]))
                return WT4400_ERROR_NOT_ALLOWED;
            line += (i > 0 ? "," : "") + Number(positions[i]) + ',' + Fixed(levelsDb[i]);
        }
        return SendSetting(session, line);
    });
}

ViStatus wt4400_setTxTemplateLimits(ViSession session, const ViReal64 lowerDb[],
                                    const ViReal64 upperDb[], ViInt16 count) {
    return OnSlot(session, [&](Wt4400Slot&) {
        QByteArray lower;
        QByteArray upper;
        if (!IsPointCount(lowerDb, upperDb, count) || !LimitList(lowerDb, count, &lower) ||
            !LimitList(upperDb, count, &upper))
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, ":CALC:RFTX:TEMP:LIM:LOW " + lower +
                                        ";:CALC:RFTX:TEMP:LIM:UPP " + upper);
    });
}

ViStatus wt4400_setTxTemplateAutoLimits(ViSession session, ViInt16 on) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (on != 0 && on != 1)
            return WT4400_ERROR_NOT_ALLOWED;
        return SendSetting(session, QByteArray(":CALC:RFTX:TEMP:LIM:AUTO ") + (on ? "ON" : "OFF"));
    });
}
