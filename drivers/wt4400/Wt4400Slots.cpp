#include "drivers/wt4400/Wt4400Slots.h"

Q_LOGGING_CATEGORY(lcWt4400, "rftune.wt4400", QtWarningMsg)

namespace {
// Slot 0 is never handed out, so that 0 can mean "no session".
Wt4400Slot g_slots[kWt4400LastSession + 1];
} // namespace

bool InTable(ViSession session) {
    return session >= kWt4400FirstSession && session <= kWt4400LastSession;
}

Wt4400Slot& SlotOf(ViSession session) {
    return g_slots[session];
}

Wt4400Slot* ValidSlot(ViSession session, ViStatus* status) {
    if (!InTable(session)) {
        *status = VI_ERROR_PARAMETER1;
        return nullptr;
    }
    if (SlotOf(session).interfaceCode == 0) {
        *status = VI_ERROR_INV_SESSION;
        return nullptr;
    }
    *status = VI_SUCCESS;
    return &SlotOf(session);
}

bool IsInstrumentError(ViStatus status) {
    const auto code = static_cast<ViUInt32>(status);
    return code >= 0xBFFE0000u && code < 0xBFFF0000u;
}

ViStatus InstrumentError(ViInt32 scpiCode) {
    return WT4400_INSTRUMENT_ERROR_BASE + scpiCode;
}
