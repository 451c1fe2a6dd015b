#pragma once

#include "visa/Visa.h"

#include <QString>

// One open instrument session of a backend. The resource-manager attribute and the session table
// are the VISA layer's; everything else a session does is its backend's.
class InstrumentIo {
public:
    virtual ~InstrumentIo() = default;

    virtual ViStatus Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) = 0;
    // Reads until the end of a message (kept in the data), count bytes or the time-out.
    virtual ViStatus Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) = 0;
    virtual ViStatus Clear() = 0;
    virtual ViStatus ReadStatusByte(ViUInt16* statusByte) = 0;
    virtual ViStatus SetAttribute(ViAttr attribute, ViAttrState value) = 0;
    virtual ViStatus GetAttribute(ViAttr attribute, void* value) = 0;
    virtual ViStatus SetBuffer(ViUInt16 mask, ViUInt32 size) = 0;

    // What went wrong in the last failed call, in words the user can act on.
    virtual QString ErrorDetail(ViStatus status) const = 0;
};
