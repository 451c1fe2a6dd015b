#include "link/FrameCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

int RemoveStuffing(std::uint8_t* bytes, int n) {
    int removed = 0;
    int length = n;
    for (int i = 0; i + 1 < length; ++i) {
        if (bytes[i] == DLE && (bytes[i + 1] == STX || bytes[i + 1] == DLE)) {
            std::memmove(bytes + i, bytes + i + 1, static_cast<std::size_t>(length - i - 1));
            --length;
            ++removed;
        }
    }
    return removed;
}

ReplyClass ClassifyReply(const std::uint8_t* frame, int length, std::uint8_t lastOpcode) {
    if (length < 3 || frame[0] != STX || frame[1] != LEAD_BYTE)
        return REPLY_NOT_A_REPLY;
    if (frame[2] != lastOpcode)
        return REPLY_OTHER_OPCODE;
    if (length >= 4 && frame[3] == 0 && frame[length - 1] == STX)
        return REPLY_SUCCESS;
    return REPLY_STATUS_ERROR;
}

bool ReplyChecksumMatches(const std::uint8_t* frame, int length) {
    std::vector<std::uint8_t> bytes(frame, frame + std::max(length, 0));
    const int n = length - RemoveStuffing(bytes.data(), length);
    constexpr int kShortest = 5; // STX, lead byte, opcode, checksum, STX
    if (n < kShortest)
        return false;
    const int checksumAt = n - 2;
    std::uint8_t sum = 0;
    for (int i = 2; i < checksumAt; ++i)
        sum ^= bytes[static_cast<std::size_t>(i)];
    return sum == bytes[static_cast<std::size_t>(checksumAt)];
}

void FrameAssembler::Append(std::uint8_t b) {
    if (length_ < kCapacity)
        frame_[length_++] = b;
}

bool FrameAssembler::PutByte(std::uint8_t b) {
    if (b == STX && !inFrame_) {
        ResetFrame();
        inFrame_ = true;
        escaped_ = false;
        Append(b);
        return false;
    }
    // Bytes outside a frame are kept too; the next opening STX discards them.
    Append(b);
    if (!inFrame_)
        return false;
    if (escaped_) {
        escaped_ = false;
        return false;
    }
    if (b == DLE) {
        escaped_ = true;
        return false;
    }
    if (b == STX && length_ != 1) {
        inFrame_ = false;
        return true;
    }
    return false;
}
