#include "sim/target/ReplyFrame.h"

#include "sim/target/ByteHelpers.h"

using namespace target_bytes;

QByteArray BuildReplyFrame(const Reply& reply, bool corruptChecksum) {
    QByteArray body;
    AppendU8(body, reply.opcode);
    AppendU8(body, reply.status);
    AppendU8(body, reply.index);
    body.append(reply.data);
    const std::uint8_t checksum = Xor(body, body.size());
    AppendU8(body, corruptChecksum ? static_cast<std::uint8_t>(~checksum) : checksum);

    QByteArray frame;
    AppendU8(frame, kStx);
    AppendU8(frame, kLead);
    for (char c : body) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b == kStx || b == kDle)
            AppendU8(frame, kDle);
        AppendU8(frame, b);
    }
    AppendU8(frame, kStx);
    return frame;
}
