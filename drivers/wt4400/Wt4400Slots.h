#pragma once

#include "drivers/wt4400/wt4400.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcWt4400)

// The last values sent, so that repeated calls send only what changed. A value the driver has
// not sent since the last reset is unknown, whatever the instrument's default may be.
struct Wt4400Cache {
    std::optional<double> baseStationLevel;
    std::optional<ViInt32> tchArfcn;
    std::optional<ViInt32> msPowerLevel;
    std::optional<ViInt32> bchArfcn;
    std::optional<ViInt32> tchTimeslot;
    ViInt16 resultMode = 0; // average
};

struct Wt4400Slot {
    ViInt16 interfaceCode = 0; // GPIB board + 100; 0 = free
    ViInt16 primary = 0;
    ViSession visaSession = VI_NULL;
    ViSession simulatedRm = VI_NULL; // the resource manager a simulated slot holds
    ViUInt32 timeoutMs = 0;
    bool simulated = false;
    bool noCheck = false;
    ViInt16 logMode = 0; // 0 none, 1 console (the rftune.wt4400 log), 2 file
    QByteArray logFileName;
    ViInt32 lastErrorCode = 0;
    QByteArray lastErrorText;
    QByteArray identity; // the "*IDN?" reply of the ID query at init
    Wt4400Cache cache;
};

inline constexpr ViSession kWt4400FirstSession = 1;
inline constexpr ViSession kWt4400LastSession = 7;

// The slot of session, or null with *status set: outside 1 to 7 VI_ERROR_PARAMETER1, a free
// slot VI_ERROR_INV_SESSION.
Wt4400Slot* ValidSlot(ViSession session, ViStatus* status);
// call(slot) for the slot of a valid session; otherwise the status ValidSlot sets.
template <typename Call> ViStatus OnSlot(ViSession session, Call&& call) {
    ViStatus status = VI_SUCCESS;
    Wt4400Slot* slot = ValidSlot(session, &status);
    return slot ? call(*slot) : status;
}
// The slot of a session known to be within 1 to 7.
Wt4400Slot& SlotOf(ViSession session);
bool InTable(ViSession session);

// Instrument errors 0xBFFE0000 up to 0xBFFF0000.
bool IsInstrumentError(ViStatus status);
ViStatus InstrumentError(ViInt32 scpiCode);
// Whether the error queue is read after commands.
inline bool Checks(const Wt4400Slot& slot) {
    return !slot.simulated && !slot.noCheck;
}
