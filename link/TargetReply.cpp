#include "link/TargetReply.h"

namespace {
constexpr int kChecksumAndEnd = 2;
}

TargetReply::TargetReply(ReplyClass result, const QByteArray& frame)
    : ReplyWorkArea(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                    static_cast<int>(frame.size())),
      class_(result), frame_(frame) {}

QByteArray TargetReply::Unstuffed() const {
    // Held whole, however long the frame: the work area keeps only its head.
    QByteArray bytes = frame_;
    const int removed = RemoveStuffing(reinterpret_cast<std::uint8_t*>(bytes.data()),
                                       static_cast<int>(bytes.size()));
    bytes.chop(removed);
    return bytes;
}

QByteArray TargetReply::Data() const {
    QByteArray data;
    for (int i = kDataStart; i < UnstuffedLength() - kChecksumAndEnd; ++i)
        data.append(static_cast<char>(At(i)));
    return data;
}

TimerStops TimerStopsFor(ReplyClass result) {
    switch (result) {
    case REPLY_SUCCESS:
        return {true, true};
    case REPLY_OTHER_OPCODE:
        return {false, true};
    default:
        return {};
    }
}
