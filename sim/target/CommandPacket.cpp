#include "sim/target/CommandPacket.h"

#include "sim/target/ByteHelpers.h"

using namespace target_bytes;

std::uint8_t CommandPacket::Opcode() const {
    return At(bytes_, 0);
}

bool CommandPacket::ChecksumValid() const {
    const qsizetype last = bytes_.size() - 1;
    return last >= 1 && Xor(bytes_, last) == At(bytes_, last);
}

int CommandPacket::ArgumentCount() const {
    return bytes_.size() >= 2 ? static_cast<int>(bytes_.size() - 2) : 0;
}

std::uint8_t CommandPacket::Arg8(int i) const {
    return i >= 0 && i < ArgumentCount() ? At(bytes_, 1 + i) : 0;
}

std::uint16_t CommandPacket::Arg16(int i) const {
    return static_cast<std::uint16_t>(Arg8(i) | (Arg8(i + 1) << 8));
}

std::uint32_t CommandPacket::Arg32(int i) const {
    return Arg16(i) | (static_cast<std::uint32_t>(Arg16(i + 2)) << 16);
}

QByteArray CommandPacket::Arguments(int from, int count) const {
    QByteArray arguments;
    for (int i = from; i < from + count; ++i)
        AppendU8(arguments, Arg8(i));
    return arguments;
}

std::vector<CommandPacket> PacketParser::Feed(const QByteArray& bytes) {
    std::vector<CommandPacket> packets;
    for (char c : bytes)
        Put(static_cast<std::uint8_t>(c), packets);
    return packets;
}

void PacketParser::Reset() {
    state_ = State::kOutside;
    escaped_ = false;
    packet_.clear();
}

void PacketParser::Put(std::uint8_t b, std::vector<CommandPacket>& packets) {
    if (state_ == State::kOutside) {
        if (b == kStx)
            Open();
        return;
    }
    if (escaped_) {
        escaped_ = false;
    } else if (b == kDle) {
        escaped_ = true;
        return;
    } else if (b == kStx) {
        Close(packets);
        return;
    }
    if (state_ == State::kDiscarding)
        return;
    AppendU8(packet_, b);
    if (packet_.size() > kMaxPacketBytes) {
        state_ = State::kDiscarding;
        ++dropped_;
    }
}

void PacketParser::Close(std::vector<CommandPacket>& packets) {
    const bool isPacket =
        state_ == State::kInside && packet_.size() >= 2 && At(packet_, 0) == kLead;
    if (isPacket) {
        packets.emplace_back(packet_.mid(1));
        Reset();
        return;
    }
    if (state_ == State::kInside && !packet_.isEmpty() && At(packet_, 0) != kLead)
        ++dropped_;
    Open();
}

void PacketParser::Open() {
    state_ = State::kInside;
    escaped_ = false;
    packet_.clear();
}
