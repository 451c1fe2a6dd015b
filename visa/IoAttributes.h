#pragma once

#include "visa/Visa.h"

#include <QDeadlineTimer>

// The session attributes a GPIB backend of the layer keeps itself: the I/O time-out and the
// buffer modes, which it satisfies alike by sending every write at once.
class IoAttributes {
public:
    // VISA's default I/O time-out.
    static constexpr ViUInt32 kDefaultTimeoutMs = 2000;

    ViStatus Set(ViAttr attribute, ViAttrState value);
    ViStatus Get(ViAttr attribute, void* value) const;
    // Any size serves, as the backend's own buffers grow as needed.
    static ViStatus CheckBufferMask(ViUInt16 mask);

    ViUInt32 TimeoutMs() const { return timeoutMs_; }

private:
    ViUInt32 timeoutMs_ = kDefaultTimeoutMs;
    ViUInt16 readBufferMode_ = VI_FLUSH_ON_ACCESS;
    ViUInt16 writeBufferMode_ = VI_FLUSH_WHEN_FULL;
};

// The deadline of an operation that may take timeoutMs (VI_TMO_INFINITE: none).
QDeadlineTimer DeadlineFor(ViUInt32 timeoutMs);
