// Call-system selection, call set-up and release, and the waits on the signalling state.
#include "drivers/wt4400/Wt4400Io.h"
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"

namespace {

const char kSignallingCondition[] = ":STAT:OPER:SIGN:COND?";
const char kOperationCondition[] = ":STAT:OPER:COND?";
constexpr ViInt32 kConnectedBit = 4;         // of the signalling condition
constexpr ViInt32 kCallSystemReady = 0x1000; // of the operation condition
constexpr int kCallSystemRounds = 300;
constexpr int kReleaseRounds = 10 * 100;
constexpr ViInt32 kGprsAttachedBit = 1;

struct CallSystem {
    const char* suffix;
    bool waitsForReady;
    bool startsGprs;
};

const CallSystem kCallSystems[] = {
    {"NONE", false, false},
    {"GSM;:CONF:GSM:TYPE GSM9001800", true, false},
    {"GSM;:CONF:GSM:TYPE GSM9001900", true, false},
    {"GEN;:RFG:STAT ON", false, false},
    {"GPRS;:CONF:GPRS:TYPE GSM9001800", true, true},
    {"GPRS;:CONF:GPRS:TYPE GSM9001900", true, true},
};

// A GPRS call system starts on channel 512 and then 1, each at power level 0.
const char* const kGprsStartUp[] = {
    ":CONF:GPRS:BS:TCH:ARFCN 512;*OPC?",
    ":CONF:GPRS:MSTATION:PLEV 0;*OPC?",
    ":CONF:GPRS:BS:TCH:ARFCN 1;*OPC?",
    ":CONF:GPRS:MSTATION:PLEV 0;*OPC?",
};

ViStatus StartGprs(ViSession session) {
    for (const char* query : kGprsStartUp) {
        QByteArray reply;
        const ViStatus status = QueryText(session, query, 64, &reply);
        if (status < VI_SUCCESS)
            return status;
    }
    return wt4400_resetCache(session);
}

// Validates session and seconds, sends line (if any) and waits for the connected bit.
ViStatus SendAndWait(ViSession session, const char* line, ViReal64 seconds, bool connected) {
    return OnSlot(session, [&](Wt4400Slot&) {
        int rounds = 0;
        if (!PollRounds(seconds, &rounds))
            return WT4400_ERROR_NOT_ALLOWED;
        const ViStatus status = line ? WriteLine(session, line) : VI_SUCCESS;
        if (status < VI_SUCCESS)
            return status;
        return PollBit(session, kSignallingCondition, kConnectedBit, connected, rounds);
    });
}

} // namespace

ViStatus wt4400_selectCallSystem(ViSession session, ViInt16 code) {
    return OnSlot(session, [&](Wt4400Slot&) {
        if (code < 0 || code > 5)
            return VI_ERROR_PARAMETER2;
        const QByteArray line = QByteArray(":CONF:CSYS ") + kCallSystems[code].suffix;
        if (code == 0)
            return wt4400_writeChecked(session, line.constData());
        ViStatus status = WriteLine(session, ":CONF:CSYS NONE");
        if (status < VI_SUCCESS)
            return status;
        if (!kCallSystems[code].waitsForReady)
            return wt4400_writeChecked(session, line.constData());
        status = WriteLine(session, line);
        if (status >= VI_SUCCESS)
            status =
                PollBit(session, kOperationCondition, kCallSystemReady, true, kCallSystemRounds);
        if (status >= VI_SUCCESS && kCallSystems[code].startsGprs)
            status = StartGprs(session);
        return status;
    });
}

ViStatus wt4400_waitForConnection(ViSession session, ViReal64 seconds) {
    return SendAndWait(session, nullptr, seconds, true);
}

ViStatus wt4400_originateCall(ViSession session, ViReal64 seconds) {
    return SendAndWait(session, ":CALL:BSOR", seconds, true);
}

ViStatus wt4400_originateCallNoWait(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot&) { return WriteLine(session, ":CALL:BSOR"); });
}

ViStatus wt4400_releaseCall(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot&) {
        const ViStatus status = WriteLine(session, ":CALL:BSR");
        if (status < VI_SUCCESS)
            return status;
        return PollBit(session, kSignallingCondition, kConnectedBit, false, kReleaseRounds);
    });
}

ViStatus wt4400_changeTimeslot(ViSession session, ViInt16 timeslot, ViReal64 seconds) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        int rounds = 0;
        if (timeslot < 2 || timeslot > 6 || !PollRounds(seconds, &rounds))
            return WT4400_ERROR_NOT_ALLOWED;
        if (slot.cache.tchTimeslot != timeslot) {
            slot.cache.tchTimeslot.reset();
            const ViStatus status = WriteLine(session, "CONF:GSM:BS:TCH:TSL " + Number(timeslot));
            if (status < VI_SUCCESS)
                return status;
            slot.cache.tchTimeslot = timeslot;
        }
        const ViStatus status = WriteLine(session, ":CALL:RSIG");
        if (status < VI_SUCCESS)
            return status;
        return PollBit(session, kSignallingCondition, kConnectedBit, true, rounds);
    });
}

ViStatus wt4400_readSignallingState(ViSession session, ViInt32* state) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!state)
            return VI_ERROR_PARAMETER2;
        *state = 0;
        QByteArray reply;
        if (QueryText(session, kSignallingCondition, 1024, &reply) < VI_SUCCESS)
            return WT4400_ERROR_QUERY;
        if (slot.simulated)
            return VI_SUCCESS;
        ReplyScanner scanner(reply);
        return scanner.Int(state) ? VI_SUCCESS : WT4400_ERROR_READ;
    });
}

ViStatus wt4400_readGprsSignallingState(ViSession session, ViInt16* attached) {
    return OnSlot(session, [&](const Wt4400Slot& slot) {
        if (!attached)
            return VI_ERROR_PARAMETER2;
        *attached = 1;
        QByteArray reply;
        ViStatus status =
            QueryText(session, "STATUS:OPERATION:SIGNALLING:GPRS:COND?", 1024, &reply);
        if (status < VI_SUCCESS || slot.simulated)
            return status;
        ReplyScanner scanner(reply);
        ViInt32 value = 0;
        if (!scanner.Int(&value))
            return WT4400_ERROR_READ;
        *attached = (value & kGprsAttachedBit) != 0 ? 1 : 0;
        return status;
    });
}
