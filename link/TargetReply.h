#pragma once

#include "link/FrameCodec.h"
#include "link/ReplyWorkArea.h"

#include <QByteArray>

// One complete frame from the target as a session hands it out: how it was classified against
// the command awaited, the frame as received, and (through the work area) every value in it.
class TargetReply : public ReplyWorkArea {
public:
    TargetReply(ReplyClass result, const QByteArray& frame);

    ReplyClass Class() const { return class_; }

    const QByteArray& Frame() const { return frame_; } // as received, still stuffed
    QByteArray Unstuffed() const;                      // the whole frame, stuffing removed
    QByteArray Data() const;                           // unstuffed, from byte 5 up to the checksum

private:
    ReplyClass class_;
    QByteArray frame_;
};

// Which timers a classified reply stops, the same in every window: a success ends the wait; a
// reply to another command stops only the time-out, and polling goes on for the awaited one; a
// status error stops neither, so that the time-out follows.
struct TimerStops {
    bool poll = false;
    bool reply = false;
};
TimerStops TimerStopsFor(ReplyClass result);
