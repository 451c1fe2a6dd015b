#pragma once

#include "visa/Visa.h"

// The session attributes the built-in backends share: the I/O time-out and the buffer modes,
// which every write that goes out at once and every read that takes what has arrived satisfy.
class IoAttributes {
public:
    // VISA's default I/O time-out.
    static constexpr ViUInt32 kDefaultTimeoutMs = 2000;

    ViStatus Set(ViAttr attribute, ViAttrState value);
    ViStatus Get(ViAttr attribute, void* value) const;
    static ViStatus CheckBufferMask(ViUInt16 mask);
    ViUInt32 TimeoutMs() const { return timeoutMs_; }

private:
    ViUInt32 timeoutMs_ = kDefaultTimeoutMs;
    ViUInt16 readBufferMode_ = VI_FLUSH_ON_ACCESS;
    ViUInt16 writeBufferMode_ = VI_FLUSH_WHEN_FULL;
};
