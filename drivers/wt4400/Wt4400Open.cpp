// Opening and closing sessions: the resource text, the slot table and the VISA session.
#include "drivers/wt4400/Wt4400Slots.h"
#include "drivers/wt4400/Wt4400Text.h"
#include "visa/DriverSession.h"

#include <cctype>
#include <cmath>

namespace {

constexpr ViInt16 kInterfaceCodeBase = 100;
constexpr double kDefaultTimeoutSeconds = 10.0;
constexpr double kMaxTimeoutSeconds = 2000000.0;
constexpr ViUInt32 kWriteBufferSize = 256;
constexpr ViUInt32 kReadBufferSize = 266;

struct GpibAddress {
    ViInt16 board = -1;
    ViInt16 primary = -1;
};

// A number as "%hd" reads it, or -1 for none; a value beyond 16 bits is -1 too instead of
// wrapping into range.
ViInt16 ShortNumber(const QByteArray& text) {
    ReplyScanner scanner(text);
    ViInt32 value = -1;
    if (!scanner.Int(&value) || value < 0 || value > 0x7FFF)
        return -1;
    return static_cast<ViInt16>(value);
}

// "GPIB[board]::primary[...]": the interface part up to the first colon, the address after "::".
ViStatus ParseResource(ViConstRsrc resource, GpibAddress* address) {
    if (!resource)
        return VI_ERROR_PARAMETER1;
    const QByteArray text(resource);
    const qsizetype colon = text.indexOf(':');
    const QByteArray interface = colon < 0 ? text : text.left(colon);
    qsizetype digit = 0;
    while (digit < interface.size() && !std::isdigit(static_cast<unsigned char>(interface[digit])))
        ++digit;
    if (interface.left(digit) != "GPIB")
        return VI_ERROR_PARAMETER1;
    // A board that is not given is board 0.
    address->board = digit < interface.size() ? ShortNumber(interface.mid(digit)) : 0;
    if (colon >= 0 && text.mid(colon, 2) == "::")
        address->primary = ShortNumber(text.mid(colon + 2).trimmed().split(' ').value(0));
    if (address->board < 0 || address->board > 99 || address->primary < 0 || address->primary > 30)
        return VI_ERROR_PARAMETER1;
    return VI_SUCCESS;
}

ViSession FindSlot(ViInt16 interfaceCode, ViInt16 primary) {
    for (ViSession s = kWt4400FirstSession; s <= kWt4400LastSession; ++s) {
        if (SlotOf(s).interfaceCode == interfaceCode && SlotOf(s).primary == primary)
            return s;
    }
    for (ViSession s = kWt4400FirstSession; s <= kWt4400LastSession; ++s) {
        if (SlotOf(s).interfaceCode == 0)
            return s;
    }
    return VI_NULL;
}

// Closes what the slot holds of VISA; a slot switched to simulation keeps its session until here.
void ReleaseVisa(Wt4400Slot& slot) {
    if (slot.visaSession != VI_NULL) {
        ViSession rm = VI_NULL;
        if (viGetAttribute(slot.visaSession, VI_ATTR_RM_SESSION, &rm) < VI_SUCCESS)
            rm = VI_NULL;
        DriverSession::Close(slot.visaSession, rm);
    }
    if (slot.simulatedRm != VI_NULL)
        viClose(slot.simulatedRm);
    slot.visaSession = VI_NULL;
    slot.simulatedRm = VI_NULL;
}

ViStatus ConfigureBuffers(ViSession vi) {
    ViStatus status = viSetBuf(vi, VI_WRITE_BUF, kWriteBufferSize);
    if (status >= VI_SUCCESS)
        status = viSetBuf(vi, VI_READ_BUF, kReadBufferSize);
    if (status >= VI_SUCCESS)
        status = viSetAttribute(vi, VI_ATTR_WR_BUF_OPER_MODE, VI_FLUSH_ON_ACCESS);
    if (status >= VI_SUCCESS)
        status = viSetAttribute(vi, VI_ATTR_RD_BUF_OPER_MODE, VI_FLUSH_ON_ACCESS);
    return status;
}

ViStatus OpenVisa(const GpibAddress& address, ViSession* vi) {
    const QByteArray resource =
        "GPIB" + QByteArray::number(address.board) + "::" + QByteArray::number(address.primary);
    // The slot keeps only the instrument session; its resource manager is found again on close.
    ViSession rm = VI_NULL;
    return DriverSession::Open(resource.constData(), &rm, vi, ConfigureBuffers);
}

ViStatus OpenSlot(const GpibAddress& address, bool simulatedInit, ViSession* session) {
    const auto interfaceCode = static_cast<ViInt16>(address.board + kInterfaceCodeBase);
    const ViSession s = FindSlot(interfaceCode, address.primary);
    if (s == VI_NULL)
        return VI_ERROR_ALLOC;
    Wt4400Slot& slot = SlotOf(s);
    // Re-initialising an open address must not leave its earlier VISA session behind.
    ReleaseVisa(slot);
    ViStatus status = VI_SUCCESS;
    if (simulatedInit && !slot.simulated)
        status = viOpenDefaultRM(&slot.simulatedRm);
    else if (!slot.simulated)
        status = OpenVisa(address, &slot.visaSession);
    if (status < VI_SUCCESS) {
        slot = Wt4400Slot{};
        return status;
    }
    slot.interfaceCode = interfaceCode;
    slot.primary = address.primary;
    if (simulatedInit) {
        slot.simulated = true;
        slot.noCheck = false;
    }
    status = wt4400_setTimeout(s, kDefaultTimeoutSeconds);
    if (status < VI_SUCCESS) {
        wt4400_close(s);
        return status;
    }
    *session = s;
    return VI_SUCCESS;
}

// The first character is skipped, then manufacturer and model up to commas; the model must name
// the 4400.
bool IsWilltek4400(const QByteArray& identity) {
    ReplyScanner scanner(identity);
    if (!scanner.SkipOne() || scanner.Until(',').isEmpty() || !scanner.Literal(','))
        return false;
    return scanner.Until(',').contains("4400");
}

ViStatus IdentifyAndCheck(ViSession session) {
    constexpr ViInt16 kIdentitySize = 72;
    ViChar identity[kIdentitySize] = {};
    if (wt4400_identify(session, identity, kIdentitySize) < VI_SUCCESS)
        return VI_ERROR_FAIL_ID_QUERY;
    if (!SlotOf(session).simulated && !IsWilltek4400(identity))
        return VI_ERROR_INV_RESPONSE;
    SlotOf(session).identity = QByteArray(identity).trimmed();
    return VI_SUCCESS;
}

ViStatus Initialise(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset, ViSession* session,
                    bool simulatedInit) {
    if (session)
        *session = VI_NULL;
    ViStatus status = DriverSession::CheckInitArguments(idQuery, reset, session, 2);
    if (status < VI_SUCCESS)
        return status;
    GpibAddress address;
    status = ParseResource(resource, &address);
    ViSession s = VI_NULL;
    if (status >= VI_SUCCESS)
        status = OpenSlot(address, simulatedInit, &s);
    if (status < VI_SUCCESS)
        return status;
    wt4400_resetCache(s);
    Wt4400Slot& slot = SlotOf(s);
    const bool noCheck = slot.noCheck;
    slot.noCheck = false;
    if (idQuery == 1)
        status = IdentifyAndCheck(s);
    slot.noCheck = noCheck;
    if (status >= VI_SUCCESS && reset == 1)
        status = wt4400_resetAndCheck(s);
    if (status < VI_SUCCESS) {
        wt4400_close(s);
        return status;
    }
    *session = s;
    return VI_SUCCESS;
}

} // namespace

ViStatus wt4400_init(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset, ViSession* session) {
    return Initialise(resource, idQuery, reset, session, false);
}

ViStatus wt4400_initSimulated(ViConstRsrc resource, ViInt16 idQuery, ViInt16 reset,
                              ViSession* session) {
    return Initialise(resource, idQuery, reset, session, true);
}

ViStatus wt4400_close(ViSession session) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        ReleaseVisa(slot);
        slot = Wt4400Slot{};
        return VI_SUCCESS;
    });
}

ViStatus wt4400_setTimeout(ViSession session, ViReal64 seconds) {
    return OnSlot(session, [&](Wt4400Slot& slot) {
        if (!InRange(seconds, 0.0, kMaxTimeoutSeconds))
            return VI_ERROR_PARAMETER2;
        slot.timeoutMs = static_cast<ViUInt32>(std::llround(seconds * 1000.0));
        if (slot.simulated)
            return VI_SUCCESS;
        return viSetAttribute(slot.visaSession, VI_ATTR_TMO_VALUE, slot.timeoutMs);
    });
}
