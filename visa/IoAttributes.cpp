#include "visa/IoAttributes.h"

namespace {

constexpr ViUInt16 kKnownBufferMask = VI_READ_BUF | VI_WRITE_BUF | VI_IO_IN_BUF | VI_IO_OUT_BUF;

} // namespace

ViStatus IoAttributes::Set(ViAttr attribute, ViAttrState value) {
    switch (attribute) {
    case VI_ATTR_TMO_VALUE:
        if (value > VI_TMO_INFINITE)
            return VI_ERROR_NSUP_ATTR_STATE;
        timeoutMs_ = static_cast<ViUInt32>(value);
        return VI_SUCCESS;
    case VI_ATTR_RD_BUF_OPER_MODE:
    case VI_ATTR_WR_BUF_OPER_MODE:
        // Either mode is satisfied; the choice is kept so that it reads back.
        if (value != VI_FLUSH_ON_ACCESS && value != VI_FLUSH_WHEN_FULL)
            return VI_ERROR_NSUP_ATTR_STATE;
        (attribute == VI_ATTR_RD_BUF_OPER_MODE ? readBufferMode_ : writeBufferMode_) =
            static_cast<ViUInt16>(value);
        return VI_SUCCESS;
    default:
        return VI_ERROR_NSUP_ATTR;
    }
}

ViStatus IoAttributes::Get(ViAttr attribute, void* value) const {
    switch (attribute) {
    case VI_ATTR_TMO_VALUE:
        *static_cast<ViUInt32*>(value) = timeoutMs_;
        return VI_SUCCESS;
    case VI_ATTR_RD_BUF_OPER_MODE:
        *static_cast<ViUInt16*>(value) = readBufferMode_;
        return VI_SUCCESS;
    case VI_ATTR_WR_BUF_OPER_MODE:
        *static_cast<ViUInt16*>(value) = writeBufferMode_;
        return VI_SUCCESS;
    default:
        return VI_ERROR_NSUP_ATTR;
    }
}

ViStatus IoAttributes::CheckBufferMask(ViUInt16 mask) {
    // The sockets' own buffers grow as needed, so any size serves.
    if (mask == 0 || (mask & ~kKnownBufferMask) != 0)
        return VI_ERROR_INV_MASK;
    return VI_SUCCESS;
}
