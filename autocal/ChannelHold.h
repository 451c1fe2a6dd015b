#pragma once

#include "link/Scanner.h"
#include "link/TargetSession.h"

// A run's hold on the target channel: while it lasts, a window that registers with the channel
// waits, and every reply comes to the run's session; the window gets the channel when the hold
// goes, however the run ends.
class ChannelHold {
public:
    explicit ChannelHold(TargetSession& session) : link_(session.Link()) {
        link_.Comm().HoldReceiver(&link_);
    }
    ~ChannelHold() { link_.Comm().ReleaseReceiver(&link_); }
    ChannelHold(const ChannelHold&) = delete;
    ChannelHold& operator=(const ChannelHold&) = delete;

private:
    TargetLink& link_;
};
